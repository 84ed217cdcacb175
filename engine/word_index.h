// A word index of a module file: the stored word list and, for each non-empty word,
// a record pointing at its posting list of 16-bit numbers in the mapped file. The
// whole index is checked against the file when it is built, so searches can walk
// it without further tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/file_mapper.h"

namespace kvx {

// Postings of one word, read in place from the mapping.
struct TPostingList {
    const uint8_t* Data = nullptr;
    uint32_t Count = 0;
    uint16_t operator[](size_t i) const { return ReadU16(Data + 2 * i); }
};

class TZBWordIndex {
public:
    // Record i (6 bytes at recordsOffset + 6i) belongs to the i-th non-empty word.
    // Raises when records or posting lists lie outside the file; `what` names the
    // index in the message.
    TZBWordIndex(std::vector<std::string> words, const TMappedFile& file, uint32_t recordsOffset, const char* what);

    const std::vector<std::string>& Words() const { return words_; }
    size_t Size() const { return words_.size(); }
    // Empty for an empty entry of the list.
    const TPostingList& Postings(size_t wordIndex) const { return postings_[wordIndex]; }

private:
    std::vector<std::string> words_;
    std::vector<TPostingList> postings_;
};

}  // namespace kvx
