// The paragraph map "pmap.dat": one byte per verse number, not 0 where a new
// paragraph begins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/verse_types.h"

namespace kvx {

class TParagraphMap {
public:
    TParagraphMap() : starts_(kStandardVerseCount, 0) {}
    // Reads the file in one block; raises "Failed to open %s (%d)" when it cannot, and
    // refuses a file too short to name every verse (a damaged installation).
    void Load(const std::string& fileName);
    bool IsParagraphStart(int verse) const {
        return verse >= 1 && verse <= kStandardVerseCount && starts_[static_cast<size_t>(verse - 1)] != 0;
    }
    const std::vector<uint8_t>& Bytes() const { return starts_; }

private:
    std::vector<uint8_t> starts_;
};

}  // namespace kvx
