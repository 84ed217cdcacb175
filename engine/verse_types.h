// The shared verse numbering: every module names a verse by one number, 1 to 31102,
// Genesis 1:1 first and Revelation 22:21 last.
#pragma once

#include <cstdint>
#include <vector>

namespace kvx {

constexpr int kStandardVerseCount = 31102;
constexpr int kLastOldTestamentVerse = 23145;
constexpr int kFirstNewTestamentVerse = 23146;
constexpr int kStandardBookCount = 66;

// Verse numbers in bulk; in verse lists the value kVerseListSeparator is a separator line.
using TVerseList = std::vector<uint16_t>;
constexpr uint16_t kVerseListSeparator = 0xFFFF;

struct TVerseRange {
    int32_t First = 0;
    int32_t Last = 0;
    bool operator==(const TVerseRange&) const = default;
};
using TVerseRangeList = std::vector<TVerseRange>;

// Entry b-1: the verse number of the first verse of book b.
using TBookVerseIndexTable = std::vector<uint16_t>;
// Entry b-1: the number of chapters of book b.
using TMaxChapterTable = std::vector<uint8_t>;

// 0-based entry numbers of a resource module.
using TEntryIndexArray = std::vector<uint16_t>;

}  // namespace kvx
