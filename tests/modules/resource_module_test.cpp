// The resource module readers: title look-up, the verse index, closing and
// reopening, and every way a file can be wrong.
#include "modules/resource_module.h"

#include <random>

#include <gtest/gtest.h>

#include "engine/zb_zlib.h"
#include "modules/resource_format.h"
#include "platform/exception.h"
#include "tests/modules/resource_fixtures.h"

namespace kvx {
namespace {

namespace rf = resource_format;
using test::Entry;
using test::NoText;

std::string OpenError(const std::string& path, bool commentary = false) {
    try {
        if (commentary)
            TZBCommentaryModule module(path);
        else
            TZBDictionaryModule module(path);
    } catch (const Exception& e) {
        return e.what();
    }
    return "opened";
}

TEST(ResourceModule, FindEntry) {
    test::TempDir dir;
    TZBDictionaryModule book(test::BuildBook(
        dir, {NoText("Zion"), NoText("Aaron"), NoText("Babel"), NoText("abraham"), NoText("Adam")}));
    ASSERT_EQ(book.EntryTitles(), (std::vector<std::string>{"Aaron", "abraham", "Adam", "Babel", "Zion"}));
    struct Case {
        const char* text;
        int entry;
    } cases[] = {
        {"Abraham", 1},   // equal without regard to case
        {"ABRAHAMS", 1},  // a plural finds its singular
        {"Aarons", 0},
        {"Ab", 1},        // the first title that begins with it
        {"a", 0},
        {"b", 3},
        {"Adamant", 2},   // longer than a title that sorts just before it
        {"Babylon", 4},   // no title begins with it, nor it with Babel: the insertion point
        {"Ca", 4},
        {"zz", 4},        // beyond the last title
        {"", 0},
        {"s", 4},         // one character: no plural rule
    };
    for (const Case& c : cases) EXPECT_EQ(book.FindEntry(c.text), c.entry) << c.text;
}

TEST(ResourceModule, VerseIndexLookUps) {
    test::TempDir dir;
    TZBDictionaryModule book(test::BuildBook(
        dir, {Entry("a", {"<scripref>Ge 1:1-3</scripref>"}), Entry("b", {"<scripref>Ge 1:2; Re 22:21</scripref>"}),
              Entry("c", {"none"})}));
    EXPECT_EQ(book.GetVerseEntries(1), (TEntryIndexArray{0, 1}));
    EXPECT_EQ(book.GetVerseEntries(31101), TEntryIndexArray{1});
    EXPECT_EQ(book.GetVerseEntries(3), TEntryIndexArray{});
    for (int outside : {-1, 31102, 1 << 20}) {
        EXPECT_FALSE(book.VerseHasEntries(outside));
        EXPECT_TRUE(book.GetVerseEntries(outside).empty());
    }
    TBooleanArray set(3);
    book.MarkVerseEntries(1, set);
    book.MarkVerseEntries(31101, set);
    EXPECT_TRUE(set.GetItemValue(0) && set.GetItemValue(1) && !set.GetItemValue(2));
    TBooleanArray small(2);
    book.MarkVerseEntries(1, small);
    EXPECT_EQ(small.CountSet(), 0);

    TZBDictionaryModule plain(test::BuildBook(dir, {Entry("x", {"no links"})}, {.Abbreviation = "PLAIN"}));
    EXPECT_FALSE(plain.HasVerseIndex());
    EXPECT_FALSE(plain.VerseHasEntries(0));
    EXPECT_TRUE(plain.GetVerseEntries(0).empty());
}

TEST(ResourceModule, LibraryDefaultsAndKindDispatch) {
    test::TempDir dir;
    const std::string book = test::BuildBook(dir, {Entry("x", {"y"})});
    const std::string cmty = test::BuildCommentary(dir, {Entry("Ge 1:1", {"y"})});
    TZBDictionaryModule module(book);
    EXPECT_TRUE(module.Linked());
    EXPECT_TRUE(module.TabShown());
    EXPECT_EQ(module.ApproximateMatchThreshold(), 0.94L);

    // A file named by neither extension is known by its magic and opened as its header says.
    const std::string renamed = dir.File("commentary.dat");
    test::WriteBytes(renamed, test::ReadBytes(cmty));
    const std::string text = dir.File("notes.txt");
    test::WriteBytes(text, std::string(600, 'x'));
    EXPECT_TRUE(IsResourceModuleFile(book));
    EXPECT_TRUE(IsResourceModuleFile(renamed));
    EXPECT_FALSE(IsResourceModuleFile(text));
    EXPECT_FALSE(IsResourceModuleFile(dir.File("missing.dat")));
    EXPECT_NE(dynamic_cast<TZBCommentaryModule*>(OpenResourceModule(renamed).get()), nullptr);
    EXPECT_NE(dynamic_cast<TZBCommentaryModule*>(OpenResourceModule(cmty).get()), nullptr);
    EXPECT_EQ(dynamic_cast<TZBCommentaryModule*>(OpenResourceModule(book).get()), nullptr);
}

TEST(ResourceModule, CloseAndReopen) {
    test::TempDir dir;
    const std::string path = test::BuildBook(dir, {Entry("old", {"old text"})});
    TZBDictionaryModule book(path);
    book.WordList();
    book.CloseFile();
    EXPECT_FALSE(book.IsOpen());
    EXPECT_EQ(book.EntryTitles(), std::vector<std::string>{"old"});  // the views may still show its name
    try {
        book.GetEntryText(0);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "Module file " + path + " is closed.");
    }
    EXPECT_FALSE(book.VerseHasEntries(0));
    TEntryIndexArray found;
    TZBSearchKeysData keys;
    EXPECT_THROW(book.SearchEntries("old", 0, found, -1, -1, keys), Exception);

    // The file replaced while closed: the same object shows the new contents.
    test::BuildBook(dir, {Entry("new", {"<scripref>Ge 1:1</scripref>"}), Entry("newer", {"text"})});
    book.Reopen(path);
    EXPECT_TRUE(book.IsOpen());
    EXPECT_EQ(book.EntryTitles(), (std::vector<std::string>{"new", "newer"}));
    EXPECT_EQ(book.GetVerseEntries(0), TEntryIndexArray{0});
    book.SearchEntries("text", 0, found, -1, -1, keys);
    EXPECT_EQ(found, TEntryIndexArray{1});

    // A failed reopen leaves the module closed, never half open.
    EXPECT_THROW(book.Reopen(dir.File("gone.zb5book")), Exception);
    EXPECT_FALSE(book.IsOpen());
    EXPECT_THROW(book.GetEntryText(0), Exception);
    TZBCommentaryModule cmty(test::BuildCommentary(dir, {}));
    try {
        cmty.Reopen(path);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Module BK initialized as commentary does not have commentary flag set.");
    }
    EXPECT_FALSE(cmty.IsOpen());
    EXPECT_FALSE(cmty.EntryHasText(0));
}

// A built module and the means to damage it.
class DamagedModule : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = test::BuildBook(dir_, {Entry("Alpha", {"first text <scripref>Ge 1:1</scripref>"}),
                                       Entry("Beta", {"second text"}), NoText("Gamma")});
        good_ = bytes_ = test::ReadBytes(path_);
    }
    uint32_t U32(size_t at) const { return ReadU32(reinterpret_cast<const uint8_t*>(bytes_.data()) + at); }
    void PutU32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
    }
    void PutU16(size_t at, uint16_t v) {
        bytes_[at] = static_cast<char>(v);
        bytes_[at + 1] = static_cast<char>(v >> 8);
    }
    void Rehash(uint32_t seed = kBuilderSeed) {
        PutU32(rf::kHash, SeededAdler32(seed, reinterpret_cast<const uint8_t*>(bytes_.data()), rf::kHashed));
    }
    std::string Error(bool commentary = false) {
        test::WriteBytes(path_, bytes_);
        return OpenError(path_, commentary);
    }
    std::string Outside(const char* what) const {
        return "Module file is corrupt: the " + std::string(what) + " lies outside the file (" + path_ + ").";
    }
    test::TempDir dir_;
    std::string path_, good_, bytes_;
};

TEST_F(DamagedModule, EveryFailureOfOpeningHasItsMessage) {
    const std::string missing = dir_.File("none.zb5book");
    EXPECT_EQ(OpenError(missing), missing + " does not exist.");
    bytes_[rf::kMagic + 6] = 'X';
    EXPECT_EQ(Error(), "Invalid resource module file header (ZB5RSX).");
    bytes_ = good_;
    bytes_[rf::kMagic] = 5;
    EXPECT_EQ(Error(), "Invalid resource module file header (ZB5RS).");
    bytes_ = good_;
    Rehash(0x12345678);
    EXPECT_EQ(Error(), "Module file has invalid or corrupt hash.");
    bytes_ = good_;
    EXPECT_EQ(Error(true), "Module BK initialized as commentary does not have commentary flag set.");
    bytes_.clear();
    EXPECT_EQ(Error(), "File mapping failed on " + path_ + " (22)");
    bytes_ = good_.substr(0, 514);
    EXPECT_EQ(Error(), Outside("header"));
}

TEST_F(DamagedModule, EveryHeaderByteIsCoveredByTheHash) {
    for (size_t at = 0; at < rf::kHashed; ++at) {
        if (at >= rf::kMagic && at < rf::kMagic + 7) continue;  // the magic is tested first
        bytes_ = good_;
        bytes_[at] = static_cast<char>(bytes_[at] ^ 0x01);
        // A damaged offset may be caught before the hash is; either way the file is refused.
        ASSERT_NE(Error(), "opened") << "header byte " << at;
    }
    bytes_ = good_;
    bytes_[rf::kBanner + 5] ^= 0x20;
    EXPECT_EQ(Error(), "Module file has invalid or corrupt hash.");
    bytes_ = good_;
    bytes_[U32(U32(rf::kEntryArrayOffset) + rf::kEntryRecordSize) + 4] ^= 0x01;  // inside Beta's text
    EXPECT_EQ(Error(), "opened");
}

TEST_F(DamagedModule, OffsetsOutsideTheFileAreRefusedAtOpening) {
    const uint32_t size = static_cast<uint32_t>(good_.size());
    struct Case {
        size_t field;
        uint32_t value;
        const char* what;
    } cases[] = {
        {rf::kEntryArrayOffset, size - 20, "entry data array"},
        {rf::kWordRecordsOffset, 0xFFFFFFF0, "word index records"},
        {rf::kWordCount, 0x40000000, "word index records"},
        {rf::kVerseRecordsOffset, size - 100, "verse index records"},
        {rf::kTitlesBlock, size, "titles"},
        {rf::kInfoTextBlock + 4, 0x7FFFFFFF, "information text"},
    };
    for (const Case& c : cases) {
        bytes_ = good_;
        PutU32(c.field, c.value);
        Rehash();
        EXPECT_EQ(Error(), Outside(c.what)) << c.what;
    }
    // A posting list of the verse index pointing away.
    bytes_ = good_;
    PutU32(U32(rf::kVerseRecordsOffset), size - 1);
    EXPECT_EQ(Error(), Outside("verse index posting list"));
    // More entries than titles.
    bytes_ = good_;
    PutU16(rf::kEntryCount, 2);
    Rehash();
    EXPECT_EQ(Error(), "Module file is corrupt: it has 2 entries but 3 titles (" + path_ + ").");
}

TEST_F(DamagedModule, DamageBehindTheHeaderSurfacesAtTheRead) {
    const uint32_t entries = U32(rf::kEntryArrayOffset);
    PutU32(entries + rf::kEntryRecordSize, 0xFFFFFF00);  // Beta's text points away
    const uint32_t records = U32(rf::kWordRecordsOffset);
    PutU32(records, 0xFFFFFF00);  // the first word's postings point away
    test::WriteBytes(path_, bytes_);
    TZBDictionaryModule book(path_);
    EXPECT_EQ(book.GetEntryText(2), "");
    try {
        book.GetEntryText(1);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), Outside("entry text"));
    }
    for (int i = 0; i < 2; ++i) {  // and again: no half-built list is left behind
        try {
            book.WordList();
            FAIL();
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()), Outside("word index posting list"));
        }
    }
    for (int entry : {-1, 3}) {
        try {
            book.GetEntryText(entry);
            FAIL();
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()), Format("GetEntryText entry number (%d) out of range.", entry));
        }
    }

    // A garbage stream raises zlib's error and leaves the module usable.
    bytes_ = good_;
    const uint32_t alpha = U32(entries);
    bytes_[alpha] = 0x12;
    bytes_[alpha + 1] = 0x34;
    test::WriteBytes(path_, bytes_);
    TZBDictionaryModule again(path_);
    EXPECT_THROW(again.GetEntryText(0), EZDecompressionError);
    EXPECT_EQ(again.GetEntryText(1), "second text\r\n");
}

TEST_F(DamagedModule, WordListThatDisagreesWithItsIndexIsRefused) {
    PutU32(rf::kWordCount, U32(rf::kWordCount) - 1);
    Rehash();
    test::WriteBytes(path_, bytes_);
    TZBDictionaryModule book(path_);
    try {
        book.WordList();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Module file is corrupt: the word list does not match its index (" + path_ + ").");
    }
}

TEST_F(DamagedModule, PostingsNamingNoEntryAreIgnored) {
    // Verse 1's posting names entry 9 of a three-entry module.
    const uint32_t verseRecords = U32(rf::kVerseRecordsOffset);
    PutU16(U32(verseRecords), 9);
    const uint32_t wordRecords = U32(rf::kWordRecordsOffset);
    for (uint32_t w = 0; w < U32(rf::kWordCount); ++w) PutU16(U32(wordRecords + 6 * w), 0xFFFF);
    test::WriteBytes(path_, bytes_);
    TZBDictionaryModule book(path_);
    EXPECT_TRUE(book.GetVerseEntries(0).empty());
    TBooleanArray set(3);
    book.MarkVerseEntries(0, set);
    EXPECT_EQ(set.CountSet(), 0);
    TEntryIndexArray found;
    TZBSearchKeysData keys;
    book.SearchEntries("*", 0, found, -1, -1, keys);
    EXPECT_EQ(found, (TEntryIndexArray{0, 1, 2}));
    book.SearchEntries("text | first | ! Beta", 0, found, -1, -1, keys);
    for (uint16_t e : found) EXPECT_LT(e, 3);
}

// Whatever a damaged file holds, reading it gives answers or the reader's errors:
// never a crash or a read outside the mapping (the sanitizer build watches).
void ExerciseEverything(const std::string& path) {
    std::unique_ptr<TZBDictionaryModule> module;
    try {
        module = OpenResourceModule(path);
    } catch (const Exception&) {
        return;
    }
    auto attempt = [](auto&& f) {
        try {
            f();
        } catch (const Exception&) {
        }
    };
    for (int e = -1; e <= module->EntryCount(); ++e) attempt([&] { module->GetEntryText(e); });
    for (int v = 0; v < rf::kVerseRecordCount; v += 7) {
        TBooleanArray set(module->EntryCount());
        module->MarkVerseEntries(v, set);
    }
    module->FindEntry("b");
    TEntryIndexArray found;
    TZBSearchKeysData keys;
    for (const char* query : {"text", "\"second text\"", "t*", "! first", "~texts", "=text"})
        attempt([&] { module->SearchEntries(query, 0, found, -1, -1, keys); });
    attempt([&] { module->PhraseSearch("first text", 0, found, 1, 0, keys); });
}

TEST_F(DamagedModule, HostileBytesNeverCrashTheReader) {
    // Most of the file is the verse index records; cuts and flips go everywhere, but
    // the small tables around it get their share.
    const size_t recordsAt = U32(rf::kVerseRecordsOffset);
    const size_t recordsEnd = recordsAt + rf::kVerseRecordCount * rf::kVerseRecordSize;
    std::vector<size_t> lengths;
    for (size_t length = 0; length < recordsAt + 64; length += 5) lengths.push_back(length);
    for (size_t length = recordsAt + 64; length < recordsEnd; length += 9973) lengths.push_back(length);
    for (size_t length = recordsEnd - 8; length < good_.size(); length += 3) lengths.push_back(length);
    for (size_t length : lengths) {
        test::WriteBytes(path_, good_.substr(0, length));
        ExerciseEverything(path_);
    }
    std::mt19937 random(20240607);
    const std::pair<size_t, size_t> regions[] = {
        {0, recordsAt}, {recordsAt, recordsEnd}, {recordsEnd, good_.size()}};
    for (int round = 0; round < 300; ++round) {
        bytes_ = good_;
        for (int flips = 0; flips < 4; ++flips) {
            const auto [from, to] = regions[random() % 3];
            bytes_[from + random() % (to - from)] = static_cast<char>(random());
        }
        // Rehashed, so that the damage reaches the tables behind the header.
        Rehash();
        test::WriteBytes(path_, bytes_);
        ExerciseEverything(path_);
    }
}

}  // namespace
}  // namespace kvx
