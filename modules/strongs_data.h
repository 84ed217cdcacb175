// The Strong's data file: the Hebrew or Greek word and a transliteration for every
// Strong's number, read from a mapped "stgdat.zb4".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/file_mapper.h"
#include "platform/exception.h"

namespace kvx {

class ESCreateError : public Exception {
public:
    using Exception::Exception;
};

class TZBStrongsDataModule {
public:
    // Raises ESCreateError when the file cannot be opened or is not Strong's data.
    explicit TZBStrongsDataModule(const std::string& fileName);
    ~TZBStrongsDataModule();

    const std::string& FileName() const { return fileName_; }

    // Words are UTF-8; transliterations Latin letters. Numbers outside 1-8674 (Hebrew)
    // or 1-5624 (Greek), and offsets outside the file, give an empty string.
    std::string HebrewWord(int n) const;
    std::string HebrewTransliteration(int n) const;
    std::string GreekWord(int n) const;
    std::string GreekTransliteration(int n) const;

private:
    std::string Field(size_t record, size_t field) const;

    std::string fileName_;
    std::unique_ptr<TMappedFile> file_;
    std::vector<uint8_t> table_;  // records and magic, copied at open
};

}  // namespace kvx
