// The layout of a resource module file (.zb5cmty commentaries, .zb5book books and
// dictionaries), shared by the reader and the builder so that the two cannot drift.
// All integers little-endian; all offsets count from the start of the file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/module_hash.h"
#include "engine/verse_types.h"

namespace kvx {

// Modules created, edited or imported by the user: the only writable kind.
constexpr uint32_t kUserModuleSeed = 0x7E3D9A42;

}  // namespace kvx

namespace kvx::resource_format {

constexpr size_t kHeaderSize = 515;

constexpr size_t kBanner = 0;  // 200 bytes the reader never interprets
constexpr size_t kBannerSize = 200;
constexpr size_t kModuleName = 200;  // ShortString[60]
constexpr size_t kModuleNameMax = 60;
constexpr size_t kAbbreviation = 261;  // ShortString[10]
constexpr size_t kAbbreviationMax = 10;
constexpr size_t kModuleCode = 272;  // ShortString[7]
constexpr size_t kModuleCodeMax = 7;
constexpr size_t kIsCommentary = 280;         // u8
constexpr size_t kHasVerseIndex = 281;        // u8
constexpr size_t kEntryCount = 282;           // u16
constexpr size_t kWordCount = 284;            // u32
constexpr size_t kEntryArrayOffset = 288;     // u32
constexpr size_t kWordRecordsOffset = 292;    // u32
constexpr size_t kVerseRecordsOffset = 296;   // u32, 0 without a verse index
constexpr size_t kTitlesBlock = 300;          // 12-byte block descriptors
constexpr size_t kInfoTextBlock = 312;
constexpr size_t kWordListBlock = 324;
constexpr size_t kReserved = 336;  // 168 zero bytes
constexpr size_t kMagic = 504;     // ShortString[6]
constexpr size_t kHashed = 511;    // the hash covers bytes 0..510
constexpr size_t kHash = 511;      // u32

inline constexpr char kMagicText[] = "ZB5RSC";
constexpr size_t kMagicLength = 6;

constexpr size_t kEntryRecordSize = 12;  // a block descriptor per entry
constexpr size_t kWordRecordSize = 6;    // u32 posting offset, u16 posting count
constexpr size_t kVerseRecordSize = 6;   // u32 posting offset (0: none), u16 posting count
constexpr int kVerseRecordCount = kStandardVerseCount;

// Entry numbers and postings are 16-bit.
constexpr int kMaxEntries = 65535;
// Entry e of a commentary is the comment on verse e + 1.
constexpr int kCommentaryEntryCount = kStandardVerseCount;

inline constexpr char kCommentaryExtension[] = ".zb5cmty";
inline constexpr char kBookExtension[] = ".zb5book";

}  // namespace kvx::resource_format
