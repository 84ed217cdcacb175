#include "engine/bible_module.h"

#include <cstring>

#include <gtest/gtest.h>

#include "engine/bible_format.h"
#include "engine/module_hash.h"
#include "engine/paragraph_map.h"
#include "engine/zb_zlib.h"
#include "platform/exception.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

namespace bf = bible_format;

// One full-size module shared by the read-only tests.
class StandardBible : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new test::TempDir;
        TBibleModuleSource source = test::StandardBibleSource();
        source.HasStrongs = source.HasFootnotes = source.HasSuppliedWords = true;
        source.Verses[0] = "In the beginning\x02" "07225 God\x02" "00430 created\x02" "01254 the heaven.";
        source.Verses[1] = "And the earth{Or, a waste} was [without] form{note two}.";
        source.Verses[2] = "Light \x03" "05457 {open brace never closes";
        source.Verses[4] = std::nullopt;  // Ge 1:5 missing
        path_ = new std::string(test::WriteBible(*dir_, source));
    }
    static void TearDownTestSuite() {
        delete path_;
        delete dir_;
    }
    static test::TempDir* dir_;
    static std::string* path_;
};
test::TempDir* StandardBible::dir_ = nullptr;
std::string* StandardBible::path_ = nullptr;

TEST_F(StandardBible, HeaderFieldsAndTables) {
    TZBBibleModule bible(*path_);
    EXPECT_EQ(bible.ModuleName(), "KJV Test Bible");
    EXPECT_EQ(bible.Abbreviation(), "KJV");
    EXPECT_EQ(bible.BookCount(), 66);
    EXPECT_EQ(bible.VerseCount(), 31102);
    EXPECT_TRUE(bible.HasStrongs());
    EXPECT_TRUE(bible.HasFootnotes());
    EXPECT_TRUE(bible.HasSuppliedWords());
    EXPECT_FALSE(bible.IsUTF8());
    EXPECT_FALSE(bible.StrongsLinks());
    EXPECT_EQ(bible.InfoText(), "<p>A test module.</p>");
    EXPECT_EQ(bible.BookNames()[21], "Song of Solomon");
    EXPECT_EQ(bible.BookAbbreviations()[65], "Re");
    EXPECT_EQ(bible.FirstVerseOfBook(40), 23146);
    EXPECT_EQ(bible.FirstVerseOfBook(0), 1);
    EXPECT_EQ(bible.FirstVerseOfBook(67), 31102);
    EXPECT_EQ(bible.ChapterCount(19), 150);
    EXPECT_EQ(bible.ChapterCount(0), 0);
    EXPECT_EQ(bible.ChapterCount(67), 0);
    EXPECT_EQ(bible.StoredHash(), bible.HeaderHash(kBuilderSeed));
}

TEST_F(StandardBible, VerseNumberClampsIntoTheModule) {
    TZBBibleModule bible(*path_);
    struct Case {
        int book, chapter, verse, expected;
    } cases[] = {
        {1, 1, 1, 1},        {1, 1, 999, 31},      {1, 2, 1, 32},        {1, 51, 1, 1533},
        {1, 255, 255, 1533}, {1, 1, 0, 1},         {1, 2, 0, 32},        {39, 4, 6, 23145},
        {40, 1, 1, 23146},   {66, 22, 21, 31102},  {66, 23, 1, 31102},   {66, 22, 99, 31102},
        {0, 5, 5, 1},        {67, 1, 1, 31102},    {19, 119, 176, 16075}, {64, 1, 14, 30673},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bible.VerseNumber(c.book, c.chapter, c.verse), c.expected)
            << c.book << " " << c.chapter << ":" << c.verse;
}

TEST_F(StandardBible, DecodeAndReferenceRoundTripEveryVerse) {
    TZBBibleModule bible(*path_);
    for (int v = 1; v <= bible.VerseCount(); ++v) {
        int b, c, vc;
        bible.DecodeVerse(v, b, c, vc);
        ASSERT_EQ(bible.VerseNumber(b, c, vc), v);
    }
    int b = -1, c = -1, vc = -1;
    bible.DecodeVerse(31103, b, c, vc);
    EXPECT_EQ(b + c + vc, 0);
    EXPECT_EQ(bible.VerseReference(1), "Ge 1:1");
    EXPECT_EQ(bible.VerseReference(16075), "Ps 119:176");
    EXPECT_EQ(bible.VerseReference(0), "Verse index out of range.");
    EXPECT_EQ(bible.VerseReference(31103), "Verse index out of range.");
    EXPECT_EQ(bible.VerseReference(65536 + 1), "Ge 1:1");  // taken as a 16-bit value
}

TEST_F(StandardBible, FormatVerseRanges) {
    TZBBibleModule bible(*path_);
    int g22 = bible.VerseNumber(1, 2, 1), g34 = bible.VerseNumber(1, 3, 4);
    struct Case {
        TVerseRangeList ranges;
        const char* expected;
    } cases[] = {
        {{{1, 3}, {5, 5}, {g22, g34}}, "Ge 1:1-3,5; 2:1-3:4"},
        {{}, ""},
        {{{10, 2}}, "Ge 1:10"},
        {{{0, 5}, {31103, 31103}, {2, 99999}}, "Ge 1:2"},
        {{{23145, 23146}}, "Mal 4:6-Mt 1:1"},
        {{{1, 2}, {32, 33}, {31, 31}}, "Ge 1:1-2; 2:1-2; 1:31"},
        {{{1, 1}, {1534, 1534}}, "Ge 1:1; Ex 1:1"},
        // A piece continues from where the previous range ended, not where it began.
        {{{30, g22 + 2}, {5, 5}}, "Ge 1:30-2:3; 1:5"},
        {{{30, g22 + 2}, {g22 + 4, g22 + 4}}, "Ge 1:30-2:3,5"},
    };
    for (const Case& c : cases) EXPECT_EQ(bible.FormatVerseRanges(c.ranges), c.expected);
}

TEST_F(StandardBible, VerseTextMarkersAndFootnotes) {
    TZBBibleModule bible(*path_);
    EXPECT_EQ(bible.GetVerseText(1, false, false), "In the beginning God created the heaven.");
    EXPECT_EQ(bible.GetVerseText(1, true, false),
              "In the beginning\x02" "07225 God\x02" "00430 created\x02" "01254 the heaven.");
    EXPECT_EQ(bible.GetVerseText(2, false, false), "And the earth was [without] form.");
    EXPECT_EQ(bible.GetVerseText(2, false, true), "And the earth{Or, a waste} was [without] form{note two}.");
    // An unclosed brace does not swallow the rest of the verse.
    EXPECT_EQ(bible.GetVerseText(3, false, false), "Light  {open brace never closes");
    EXPECT_EQ(bible.GetVerseText(5, true, true), "-");
    EXPECT_EQ(bible.GetVerseText(31102, false, false), "Text of Re 22:21.");
    for (int bad : {0, 31103, -1}) {
        try {
            bible.GetVerseText(bad, false, false);
            FAIL();
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()), "GetVerseText verse number (" + std::to_string(bad) + ") out of range.");
        }
    }
    EXPECT_EQ(bible.GetVerseText(4, false, false), "Text of Ge 1:4.");  // still usable
}

TEST(BibleModuleText, PresenceByVerseChapterAndBook) {
    test::TempDir dir;
    TBibleModuleSource source = test::TinyBibleSource();
    // Fi 1:1-3, Fi 2:1-2, Se 1:1-3, Se 2:1-2; keep only Fi 1:2 and Se 2:2.
    for (size_t v = 0; v < source.Verses.size(); ++v)
        if (v != 1 && v != 9) source.Verses[v] = std::nullopt;
    TZBBibleModule bible(test::WriteBible(dir, source));
    EXPECT_FALSE(bible.VerseHasText(1));
    EXPECT_TRUE(bible.VerseHasText(2));
    EXPECT_TRUE(bible.ChapterHasText(1, 1));
    EXPECT_FALSE(bible.ChapterHasText(1, 2));
    EXPECT_FALSE(bible.ChapterHasText(2, 1));
    EXPECT_TRUE(bible.ChapterHasText(2, 2));
    EXPECT_TRUE(bible.BookHasText(1));
    EXPECT_TRUE(bible.BookHasText(2));
    EXPECT_EQ(bible.GetVerseText(1, false, false), "-");
}

TEST_F(StandardBible, WordIndexes) {
    TZBBibleModule bible(*path_);
    const TZBWordIndex* main = bible.MainWordList();
    ASSERT_NE(main, nullptr);
    auto find = [](const TZBWordIndex* index, const std::string& word) -> const TPostingList* {
        for (size_t i = 0; i < index->Size(); ++i)
            if (index->Words()[i] == word) return &index->Postings(i);
        return nullptr;
    };
    const TPostingList* god = find(main, "God");
    ASSERT_NE(god, nullptr);
    ASSERT_EQ(god->Count, 1u);
    EXPECT_EQ((*god)[0], 1);
    const TPostingList* text = find(main, "Text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Count, 31102u - 4u);  // verses 1, 2, 3 were replaced, 5 removed
    EXPECT_EQ(find(main, "waste"), nullptr);  // footnote words stay out of the main index

    const TZBWordIndex* strongs = bible.StrongsList();
    ASSERT_NE(strongs, nullptr);
    EXPECT_EQ(strongs->Words(), (std::vector<std::string>{"G5457", "H1254", "H430", "H7225"}));
    EXPECT_EQ(strongs->Postings(2)[0], 1);

    const TZBWordIndex* notes = bible.FootnoteWordList();
    ASSERT_NE(notes, nullptr);
    ASSERT_NE(find(notes, "waste"), nullptr);
    EXPECT_EQ((*find(notes, "two"))[0], 2);
}

// --- damaged files -------------------------------------------------------------

class DamagedBible : public ::testing::Test {
protected:
    void SetUp() override {
        TBibleModuleSource source = test::TinyBibleSource();
        path_ = test::WriteBible(dir_, source);
        bytes_ = test::ReadBytes(path_);
    }
    uint32_t U32(size_t at) const { return ReadU32(reinterpret_cast<const uint8_t*>(bytes_.data()) + at); }
    void PutU32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
    }
    // Damage that the hash does not cover would fail the hash test first; restamp it.
    void Rehash(uint32_t seed = kBuilderSeed) {
        PutU32(bf::kHash, SeededAdler32(seed, reinterpret_cast<const uint8_t*>(bytes_.data()), bf::kHashed));
    }
    std::string OpenError() {
        test::WriteBytes(path_, bytes_);
        try {
            TZBBibleModule bible(path_);
        } catch (const Exception& e) {
            return e.what();
        }
        return "opened";
    }
    test::TempDir dir_;
    std::string path_;
    std::string bytes_;
};

TEST_F(DamagedBible, MissingEmptyAndTruncatedFiles) {
    EXPECT_EQ(OpenError(), "opened");
    std::string missing = dir_.File("none.zb5bible");
    try {
        TZBBibleModule bible(missing);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), missing + " does not exist.");
    }
    bytes_.clear();
    EXPECT_EQ(OpenError(), "File mapping failed on " + path_ + " (22)");
    bytes_ = std::string(300, 'x');
    EXPECT_EQ(OpenError(), "Module file is corrupt: the header lies outside the file (" + path_ + ").");
}

TEST_F(DamagedBible, WrongMagic) {
    std::string good = bytes_;
    bytes_[bf::kMagic + 1] = 'X';
    EXPECT_EQ(OpenError(), "Invalid Bible module file header (XB5BIB).");
    bytes_ = good;
    bytes_[bf::kMagic] = 5;  // right characters, wrong length
    EXPECT_EQ(OpenError(), "Invalid Bible module file header (ZB5BI).");
}

TEST_F(DamagedBible, EveryHeaderByteIsCoveredByTheHash) {
    const std::string good = bytes_;
    for (size_t at = 0; at < bf::kHashed; ++at) {
        if (at >= bf::kMagic && at < bf::kMagic + 7) continue;  // the magic test comes first
        bytes_ = good;
        bytes_[at] = static_cast<char>(bytes_[at] ^ 0x01);
        std::string error = OpenError();
        // Damaged offsets may be caught before the hash is; either way the file is refused.
        ASSERT_NE(error, "opened") << "header byte " << at;
    }
    bytes_ = good;
    bytes_[U32(U32(bf::kVerseTableOffset)) + 2] ^= 0x01;  // verse text, outside the header
    EXPECT_EQ(OpenError(), "opened");
    bytes_ = good;
    bytes_[bf::kBanner + 3] ^= 0x20;
    EXPECT_EQ(OpenError(), "Module file has invalid or corrupt hash.");
    Rehash(kPublisherSeed);
    EXPECT_EQ(OpenError(), "opened");
}

TEST_F(DamagedBible, OffsetsOutsideTheFileAreCaught) {
    const std::string good = bytes_;
    const uint32_t size = static_cast<uint32_t>(bytes_.size());
    struct Case {
        size_t field;
        uint32_t value;
        const char* what;
    } cases[] = {
        {bf::kVerseTableOffset, size - 20, "verse table"},
        {bf::kBookFirstVerseOffset, 0xFFFFFFF0, "book table"},
        {bf::kChapterCountOffset, size, "chapter table"},
        {bf::kBookNamesBlock, size - 2, "book names"},
        {bf::kInfoTextBlock + 4, 0x7FFFFFFF, "information text"},
    };
    for (const Case& c : cases) {
        bytes_ = good;
        PutU32(c.field, c.value);
        Rehash();
        EXPECT_EQ(OpenError(), "Module file is corrupt: the " + std::string(c.what) + " lies outside the file (" +
                                   path_ + ").");
    }
    bytes_ = good;
    PutU32(bf::kVerseCount - 2, 0);  // no books, no verses
    Rehash();
    EXPECT_NE(OpenError().find("no books"), std::string::npos);
}

TEST_F(DamagedBible, DamageBehindTheHeaderSurfacesAtTheRead) {
    const uint32_t table = U32(bf::kVerseTableOffset);
    PutU32(table + 3 * bf::kVerseRecordSize, 0xFFFFFF00);  // verse 4 points away
    const uint32_t records = U32(bf::kMainRecordsOffset);
    PutU32(records, 0xFFFFFF00);  // first posting list points away
    test::WriteBytes(path_, bytes_);
    TZBBibleModule bible(path_);
    EXPECT_EQ(bible.GetVerseText(1, false, false), "Text of Fi 1:1.");
    EXPECT_THROW(bible.GetVerseText(4, false, false), Exception);
    EXPECT_THROW(bible.MainWordList(), Exception);
    EXPECT_THROW(bible.MainWordList(), Exception);  // and again, not a half-built list

    // A verse whose stream is garbage raises zlib's error and leaves the module usable.
    bytes_ = test::ReadBytes(path_);
    uint32_t first = U32(table);
    bytes_[first] = 0x12;
    bytes_[first + 1] = 0x34;
    test::WriteBytes(path_, bytes_);
    TZBBibleModule again(path_);
    EXPECT_THROW(again.GetVerseText(1, false, false), EZDecompressionError);
    EXPECT_EQ(again.GetVerseText(2, false, false), "Text of Fi 1:2.");
}

TEST_F(DamagedBible, ModuleWithoutIndexesHasNoLists) {
    PutU32(bf::kHasMainIndex, 0);
    Rehash();
    test::WriteBytes(path_, bytes_);
    TZBBibleModule bible(path_);
    EXPECT_EQ(bible.MainWordList(), nullptr);
    EXPECT_EQ(bible.StrongsList(), nullptr);
    EXPECT_EQ(bible.FootnoteWordList(), nullptr);
}

TEST(BibleModuleWithoutMarkers, LeavesBytesTwoAndThreeAlone) {
    test::TempDir dir;
    TBibleModuleSource source = test::TinyBibleSource();
    source.Verses[0] = "a\x02" "12345b\x03" "x{note}";
    TZBBibleModule bible(test::WriteBible(dir, source));
    EXPECT_EQ(bible.GetVerseText(1, false, false), "a\x02" "12345b\x03" "x{note}");
    EXPECT_EQ(bible.StrongsList(), nullptr);
}

TEST(BibleModuleWriter, RefusesSourcesTheFormatCannotHold) {
    TBibleModuleSource source = test::TinyBibleSource();
    source.Verses.pop_back();
    EXPECT_THROW(BuildBibleModule(source), Exception);
    source = test::TinyBibleSource();
    source.Versification.Books[0].VersesPerChapter[0] = 256;
    EXPECT_THROW(BuildBibleModule(source), Exception);
    EXPECT_EQ(StrongsIndexWord("\x02" "07225"), "H7225");
    EXPECT_EQ(StrongsIndexWord("\x03" "00000"), "G0");
}

}  // namespace
}  // namespace kvx

namespace kvx {
namespace {

TEST(ParagraphMap, AnyNonZeroByteStartsAParagraphAndShortFilesAreRefused) {
    test::TempDir dir;
    std::string bytes(kStandardVerseCount, '\0');
    bytes[5] = 1;
    bytes[8] = 7;
    test::WriteBytes(dir.File("pmap.dat"), bytes);
    TParagraphMap map;
    map.Load(dir.File("pmap.dat"));
    EXPECT_TRUE(map.IsParagraphStart(6));
    EXPECT_TRUE(map.IsParagraphStart(9));
    EXPECT_FALSE(map.IsParagraphStart(7));
    EXPECT_FALSE(map.IsParagraphStart(0));
    EXPECT_FALSE(map.IsParagraphStart(31103));
    test::WriteBytes(dir.File("short.dat"), bytes.substr(0, 100));
    EXPECT_THROW(map.Load(dir.File("short.dat")), Exception);
    EXPECT_THROW(map.Load(dir.File("missing.dat")), Exception);
}

}  // namespace
}  // namespace kvx
