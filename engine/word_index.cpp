// Building and checking a word index over a mapped file.
#include "engine/word_index.h"

#include <string>

#include "engine/bible_format.h"

namespace kvx {

TZBWordIndex::TZBWordIndex(std::vector<std::string> words, const TMappedFile& file, uint32_t recordsOffset,
                           const char* what)
    : words_(std::move(words)), postings_(words_.size()) {
    size_t nonEmpty = 0;
    for (const std::string& w : words_)
        if (!w.empty()) ++nonEmpty;
    const std::string recordsWhat = std::string(what) + " records";
    const std::string postingsWhat = std::string(what) + " posting list";
    const uint8_t* records =
        file.Region(recordsOffset, static_cast<uint64_t>(nonEmpty) * bible_format::kWordRecordSize, recordsWhat.c_str());
    size_t record = 0;
    for (size_t i = 0; i < words_.size(); ++i) {
        if (words_[i].empty()) continue;
        const uint8_t* r = records + record * bible_format::kWordRecordSize;
        ++record;
        uint32_t offset = ReadU32(r);
        uint16_t count = ReadU16(r + 4);
        postings_[i].Data = count ? file.Region(offset, 2ull * count, postingsWhat.c_str()) : nullptr;
        postings_[i].Count = count;
    }
}

}  // namespace kvx
