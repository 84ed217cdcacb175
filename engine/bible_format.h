// The layout of a .zb5bible file, shared by the reader and the writer.
// All integers little-endian; all offsets count from the start of the file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvx::bible_format {

constexpr size_t kHeaderSize = 618;

constexpr size_t kBanner = 0;              // 200 bytes the reader never interprets
constexpr size_t kBannerSize = 200;
constexpr size_t kModuleName = 200;        // ShortString[60]
constexpr size_t kModuleNameMax = 60;
constexpr size_t kAbbreviation = 261;      // ShortString[10]
constexpr size_t kAbbreviationMax = 10;
constexpr size_t kBookCount = 272;         // u16
constexpr size_t kVerseCount = 274;        // u16
constexpr size_t kHasMainIndex = 276;      // u32, not 0: present
constexpr size_t kHasFootnoteIndex = 280;  // u32
constexpr size_t kHasStrongsIndex = 284;   // u32
constexpr size_t kFlagStrongs = 288;       // u8
constexpr size_t kFlagSupplied = 289;      // u8
constexpr size_t kFlagUseFont = 290;       // u8
constexpr size_t kFlagFootnotes = 291;     // u8
constexpr size_t kFontName = 292;          // ShortString[50]
constexpr size_t kFontNameMax = 50;
constexpr size_t kVerseTableOffset = 343;  // u32
constexpr size_t kBookFirstVerseOffset = 347;
constexpr size_t kChapterCountOffset = 351;
constexpr size_t kMainRecordsOffset = 355;
constexpr size_t kStrongsRecordsOffset = 359;
constexpr size_t kFootnoteRecordsOffset = 363;
constexpr size_t kMainWordListBlock = 367;   // 12-byte block descriptors
constexpr size_t kStrongsListBlock = 379;
constexpr size_t kFootnoteListBlock = 391;
constexpr size_t kBookNamesBlock = 403;
constexpr size_t kAbbreviationsBlock = 415;
constexpr size_t kInfoTextBlock = 427;
constexpr size_t kFlagUtf8 = 573;          // u8
constexpr size_t kMagic = 607;             // ShortString[6]
constexpr size_t kHashed = 614;            // the hash covers bytes 0..613
constexpr size_t kHash = 614;              // u32

inline constexpr char kMagicText[] = "ZB5BIB";

constexpr size_t kVerseRecordSize = 11;  // u32 offset, u16 length, u16 stored, u8 book, chapter, verse
constexpr size_t kWordRecordSize = 6;    // u32 posting offset, u16 posting count

}  // namespace kvx::bible_format
