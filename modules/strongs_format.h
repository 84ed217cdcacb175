// The layout of "stgdat.zb4", shared by its reader and its writer: a table of
// 12-byte records (Hebrew 1-8674, then Greek 1-5624), a magic, then NUL-terminated
// strings that the records point at.
#pragma once

#include <cstddef>

namespace kvx::strongs_format {

constexpr int kHebrewCount = 8674;
constexpr int kGreekCount = 5624;
constexpr size_t kRecordSize = 12;  // u32 word offset, u32 transliteration offset, u32 unused
constexpr size_t kRecordCount = kHebrewCount + kGreekCount;
constexpr size_t kMagicOffset = kRecordCount * kRecordSize;  // 171576
constexpr size_t kMagicFieldSize = 9;                          // ShortString[8]
constexpr size_t kTableSize = kMagicOffset + kMagicFieldSize;  // 171585
inline constexpr char kMagicText[] = "ZBSTGDTA";

}  // namespace kvx::strongs_format
