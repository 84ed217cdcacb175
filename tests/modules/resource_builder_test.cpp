// The resource module builder, checked through the reader and against the raw bytes
// of the file it writes.
#include "modules/resource_builder.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "engine/name_list.h"
#include "engine/parse_words.h"
#include "engine/zb_zlib.h"
#include "modules/resource_format.h"
#include "modules/resource_module.h"
#include "platform/ansi_text.h"
#include "refs/verse_links.h"
#include "tests/modules/resource_fixtures.h"

namespace kvx {
namespace {

namespace rf = resource_format;
using test::Entry;
using test::NoText;

uint32_t U32At(const std::string& bytes, size_t at) { return ReadU32(reinterpret_cast<const uint8_t*>(bytes.data()) + at); }
uint16_t U16At(const std::string& bytes, size_t at) { return ReadU16(reinterpret_cast<const uint8_t*>(bytes.data()) + at); }

std::vector<std::string> Files(const test::TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// What the word index of a module must hold, worked out from its stored texts and
// titles: word -> the entries that contain it.
std::map<std::string, std::set<uint16_t>> ExpectedPostings(const TZBDictionaryModule& module) {
    std::map<std::string, std::set<uint16_t>> expected;
    std::vector<std::string> words;
    TZBParsedStringLocations locations;
    for (int e = 0; e < module.EntryCount(); ++e) {
        const uint16_t entry = static_cast<uint16_t>(e);
        ParseWords(module.TZBDictionaryModule::GetEntryText(e), ResourceWordDelimiters, words, locations, true, false);
        for (const std::string& w : words) expected[w].insert(entry);
        if (module.IsCommentary()) continue;
        ParseWords(module.EntryTitles()[entry], ResourceWordDelimiters, words, locations, false, false);
        for (const std::string& w : words) expected[w].insert(entry);
    }
    return expected;
}

// The word index as the reader gives it; postings must be ascending and unique.
std::map<std::string, std::set<uint16_t>> StoredPostings(TZBDictionaryModule& module) {
    std::map<std::string, std::set<uint16_t>> stored;
    const TZBWordIndex& index = module.WordList();
    for (size_t i = 0; i < index.Size(); ++i) {
        const TPostingList& p = index.Postings(i);
        std::set<uint16_t>& entries = stored[index.Words()[i]];
        for (uint32_t k = 0; k < p.Count; ++k) {
            if (k > 0) {
                EXPECT_LT(p[k - 1], p[k]) << index.Words()[i];
            }
            entries.insert(p[k]);
        }
    }
    return stored;
}

// The verse index must be what indexing the stored links again gives.
void ExpectVerseIndexMatchesStoredLinks(const TZBDictionaryModule& module) {
    TVerseIndexLists expected(rf::kVerseRecordCount);
    std::string messages;
    for (int e = 0; e < module.EntryCount(); ++e) {
        std::string text = module.TZBDictionaryModule::GetEntryText(e);
        ParseVerseLinks(text, test::ReferenceBible(), static_cast<uint16_t>(e), messages, expected);
    }
    for (int v = 0; v < rf::kVerseRecordCount; ++v) {
        ASSERT_EQ(module.GetVerseEntries(v), expected[static_cast<size_t>(v)]) << "verse " << v + 1;
        ASSERT_EQ(module.VerseHasEntries(v), !expected[static_cast<size_t>(v)].empty()) << "verse " << v + 1;
    }
}

TEST(ResourceBuilder, BookRoundTrip) {
    test::TempDir dir;
    std::vector<std::string> log;
    test::TBuildOptions options;
    options.Log = &log;
    const std::string path = test::BuildBook(
        dir,
        {
            Entry("Zebra", {"<p>The zebra has stripes.</p>", "See <scripref>Ge 1:1</scripref>."}),
            Entry("abraham", {"<b>Abraham</b> the father"}),
            Entry("Abraham", {"Second Abraham entry"}),
            NoText("Empty"),
            Entry("Blank lines", {}),
            Entry("Smith, John", {"A title with a comma"}),
            Entry("He said \"go\"", {"A title with quotes"}),
            Entry(" Leading blank", {""}),
            Entry("Not a ref", {"<scripref>foo</scripref> and <scripref>Joh 3:16-18; Ro 8:28</scripref>"}),
            Entry("", {"The empty title"}),
            Entry("Repeat", {"word word word Word"}),
        },
        options);

    TZBDictionaryModule book(path);
    EXPECT_EQ(book.ModuleName(), "Test Book");
    EXPECT_EQ(book.Abbreviation(), "BK");
    EXPECT_EQ(book.ModuleCode(), "TEST");
    EXPECT_EQ(book.InfoText(), "<p>About this module.</p>");
    EXPECT_FALSE(book.IsCommentary());
    EXPECT_TRUE(book.HasVerseIndex());
    ASSERT_EQ(book.EntryCount(), 11);
    const std::vector<std::string> titles = book.EntryTitles();
    ASSERT_EQ(titles.size(), 11u);
    // Case-insensitive order; the two Abraham entries side by side.
    EXPECT_EQ(titles[0], "");
    EXPECT_EQ(titles[1], " Leading blank");
    EXPECT_TRUE(AnsiSameText(titles[2], "abraham") && AnsiSameText(titles[3], "abraham"));
    EXPECT_EQ(std::vector<std::string>(titles.begin() + 4, titles.end()),
              (std::vector<std::string>{"Blank lines", "Empty", "He said \"go\"", "Not a ref", "Repeat",
                                        "Smith, John", "Zebra"}));

    auto text = [&](const std::string& title) {
        auto it = std::find(titles.begin(), titles.end(), title);
        return book.GetEntryText(static_cast<int>(it - titles.begin()));
    };
    EXPECT_EQ(text("Zebra"), "<p>The zebra has stripes.</p>\r\nSee <vrl:1>Ge 1:1</vrl>.\r\n");
    EXPECT_EQ(text("Empty"), "");
    EXPECT_EQ(text("Blank lines"), "");
    EXPECT_EQ(text(" Leading blank"), "\r\n");
    EXPECT_EQ(text(""), "The empty title\r\n");
    EXPECT_EQ(text("Smith, John"), "A title with a comma\r\n");
    EXPECT_EQ(text("He said \"go\""), "A title with quotes\r\n");
    const TZBBibleModule& bible = test::ReferenceBible();
    EXPECT_EQ(text("Not a ref"), Format("foo and <vrl:%X+2,%X>Joh 3:16-18; Ro 8:28</vrl>\r\n",
                                        bible.VerseNumber(43, 3, 16), bible.VerseNumber(45, 8, 28)));
    std::set<std::string> abrahams{text("abraham"), text("Abraham")};
    EXPECT_EQ(abrahams, (std::set<std::string>{"<b>Abraham</b> the father\r\n", "Second Abraham entry\r\n"}));

    EXPECT_EQ(StoredPostings(book), ExpectedPostings(book));
    EXPECT_EQ(book.WordCount(), book.WordList().Size());
    const auto& words = book.WordList().Words();
    EXPECT_TRUE(std::is_sorted(words.begin(), words.end()));
    ExpectVerseIndexMatchesStoredLinks(book);
    const auto zebra = static_cast<uint16_t>(std::find(titles.begin(), titles.end(), "Zebra") - titles.begin());
    EXPECT_EQ(book.GetVerseEntries(0), TEntryIndexArray{zebra});

    EXPECT_EQ(std::count(log.begin(), log.end(), "Warning: There is more than one entry with title \"Abraham\""), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Not a ref: \"foo\" is not a valid verse reference string."), 1);

    // One empty title must not read back as no titles at all.
    test::TBuildOptions lone;
    lone.Abbreviation = "LONE";
    TZBDictionaryModule single(test::BuildBook(dir, {Entry("", {"text"})}, lone));
    EXPECT_EQ(single.EntryTitles(), std::vector<std::string>{""});
    EXPECT_EQ(single.GetEntryText(0), "text\r\n");
}

TEST(ResourceBuilder, CommentaryPlacesEntriesOnVersesAndLogsEveryStep) {
    test::TempDir dir;
    std::vector<std::string> log;
    test::TBuildOptions options;
    options.Log = &log;
    const TZBBibleModule& bible = test::ReferenceBible();
    const std::string path = test::BuildCommentary(
        dir,
        {
            Entry("Re 22:21", {"The last verse."}),
            Entry("Ex 2:1-3", {"A range, placed on its first verse: <scripref>foo</scripref>"}),
            Entry("Ex 2:1", {"A second comment on Ex 2:1."}),
            Entry("Preface", {"Not a verse."}),
            NoText("Joh 3:16"),
            Entry("Ro 1:1", {"   ", ""}),
            Entry("ge 1:1", {"In the beginning; see <scripref>Joh 1:1</scripref>."}),
        },
        options);
    const int ex21 = bible.VerseNumber(2, 2, 1);
    const int jn11 = bible.VerseNumber(43, 1, 1);

    TZBCommentaryModule cmty(path);
    ASSERT_EQ(cmty.EntryCount(), rf::kCommentaryEntryCount);
    EXPECT_TRUE(cmty.IsCommentary());
    EXPECT_EQ(cmty.EntryTitles(), (std::vector<std::string>{"Ge 1:1", "Ex 2:1", "Re 22:21"}));
    EXPECT_EQ(cmty.GetEntryText(0), Format("In the beginning; see <vrl:%X>Joh 1:1</vrl>.\r\n", jn11));
    EXPECT_EQ(cmty.GetEntryText(ex21 - 1), "A range, placed on its first verse: foo\r\n");
    EXPECT_EQ(cmty.GetEntryText(31101), "The last verse.\r\n");
    EXPECT_EQ(cmty.GetEntryText(1), "No CM text for this verse.");
    EXPECT_EQ(cmty.GetEntryText(31102), "No CM text for this verse.");
    EXPECT_EQ(cmty.GetEntryText(-1), "No CM text for this verse.");
    EXPECT_FALSE(cmty.EntryHasText(bible.VerseNumber(45, 1, 1) - 1));  // the blank Ro 1:1
    EXPECT_FALSE(cmty.EntryHasText(bible.VerseNumber(43, 3, 16) - 1));
    EXPECT_EQ(cmty.GetVerseEntries(jn11 - 1), TEntryIndexArray{0});
    EXPECT_EQ(StoredPostings(cmty), ExpectedPostings(cmty));

    const std::vector<std::string> expected = {
        "Building Resource Module: Test Book (CM)",
        "Sorting entries...",
        "Warning: Entry title \"Ex 2:1-3\" refers to more than one verse. Text for this entry will be placed on "
        "Ex 2:1.",
        "ERROR: Commentary text for Ex 2:1 already exists. Additional entry text ignored.",
        "ERROR: Entry \"Preface\" cannot be parsed as a verse reference. Text for this entry ignored.",
        "Processing verse references and indexing words...",
        "Ex 2:1: \"foo\" is not a valid verse reference string.",
        "Indexing complete.",
        std::to_string(cmty.WordCount()) + " unique (case sensitive) words indexed.",
        "1 of 31102 verses are referenced.",
        "1 verse references indexed across all entries.",
        "Creating target module file: " + path,
        "Writing verse indexing data...",
        "Writing entry text...",
        "Writing entry titles...",
        "Writing word list...",
        "Writing Word list index data...",
        "Writing Entry Data Array...",
        "Writing Header...",
        "Done with CM",
    };
    EXPECT_EQ(log, expected);
}

TEST(ResourceBuilder, CommentaryRangeHasTextStaysInsideTheModule) {
    test::TempDir dir;
    const std::string path = test::BuildCommentary(
        dir, {Entry("Ge 1:2", {"two"}), Entry("Ge 1:4", {"four"}), Entry("Ge 1:5", {"five"})});
    TZBCommentaryModule cmty(path);
    struct Case {
        int first, last;
        bool has;
    } cases[] = {{0, 0, false}, {0, 1, true}, {2, 2, false}, {2, 3, true}, {-5, 0, false},
                 {4, 40000, true}, {5, 40000, false}, {31101, 31101, false}, {3, 1, false}};
    for (const Case& c : cases) EXPECT_EQ(cmty.RangeHasText(c.first, c.last), c.has) << c.first << ".." << c.last;
    EXPECT_TRUE(cmty.AnyEntryHasText());
    EXPECT_FALSE(TZBCommentaryModule(test::BuildCommentary(dir, {}, {.Abbreviation = "EMPTY"})).AnyEntryHasText());
}

// The layout the reader relies on only through offsets is still fixed byte for byte:
// checked here straight from the file, without the reader.
TEST(ResourceBuilder, FileLayout) {
    test::TempDir dir;
    const auto before = std::chrono::system_clock::now();
    const std::string path = test::BuildBook(
        dir, {Entry("Beta", {"Cites <scripref>Ge 1:1-2</scripref>."}), NoText("Alpha"), Entry("Gamma", {"g"})});
    const std::string b = test::ReadBytes(path);
    const auto* p = reinterpret_cast<const uint8_t*>(b.data());

    EXPECT_EQ(b.substr(rf::kMagic, 7), "\x06ZB5RSC");
    const std::string prefix = "Karvelindorax Bible Software resource module file [www.karvelindorax.org] [";
    ASSERT_EQ(b.substr(0, prefix.size()), prefix);
    const size_t close = b.find(']', prefix.size());
    const long long stamp = std::stoll(b.substr(prefix.size(), close - prefix.size()));
    const long long utc = std::chrono::duration_cast<std::chrono::seconds>(before.time_since_epoch()).count();
    EXPECT_LE(std::llabs(stamp - utc), 14 * 3600 + 5);  // local time, within any zone's offset
    EXPECT_EQ(b.substr(close + 1, 40), " THIS MODULE WAS BUILT BY A THIRD PARTY.");
    EXPECT_EQ(b.substr(rf::kModuleName, 12), std::string("\x09Test Book\0\0", 12));
    EXPECT_EQ(b.substr(rf::kAbbreviation, 11), std::string("\x02" "BK\0\0\0\0\0\0\0\0", 11));
    EXPECT_EQ(b.substr(rf::kModuleCode, 8), std::string("\x04TEST\0\0\0", 8));
    EXPECT_EQ(b[rf::kIsCommentary], 0);
    EXPECT_EQ(b[rf::kHasVerseIndex], 1);
    EXPECT_EQ(U16At(b, rf::kEntryCount), 3);
    EXPECT_EQ(b.substr(rf::kReserved, 168), std::string(168, '\0'));
    EXPECT_EQ(U32At(b, rf::kHash), SeededAdler32(kBuilderSeed, p, rf::kHashed));

    // Header, entry data array, information text, verse postings, verse records,
    // entry texts, titles, word list, word postings, word records.
    EXPECT_EQ(U32At(b, rf::kEntryArrayOffset), rf::kHeaderSize);
    const TBlockDescriptor info = TBlockDescriptor::DecodeFrom(p + rf::kInfoTextBlock);
    EXPECT_EQ(info.Offset, rf::kHeaderSize + 3 * rf::kEntryRecordSize);
    EXPECT_EQ(DecompressBlock(p + info.Offset, info.StoredLength, 0), "<p>About this module.</p>");
    const uint32_t verseRecords = U32At(b, rf::kVerseRecordsOffset);
    EXPECT_EQ(verseRecords, info.Offset + info.StoredLength + 2 * 2);  // two verses, one posting each
    EXPECT_EQ(U32At(b, verseRecords), info.Offset + info.StoredLength);
    EXPECT_EQ(U16At(b, verseRecords + 4), 1);
    EXPECT_EQ(U16At(b, U32At(b, verseRecords)), 1);  // Beta is entry 1
    EXPECT_EQ(U32At(b, verseRecords + 12), 0u);       // verse 3: (0, 0)
    EXPECT_EQ(U16At(b, verseRecords + 16), 0);

    const TBlockDescriptor alpha = TBlockDescriptor::DecodeFrom(p + rf::kHeaderSize);
    const TBlockDescriptor beta = TBlockDescriptor::DecodeFrom(p + rf::kHeaderSize + 12);
    const TBlockDescriptor gamma = TBlockDescriptor::DecodeFrom(p + rf::kHeaderSize + 24);
    EXPECT_EQ(alpha.Offset | alpha.StoredLength | alpha.UncompressedLength, 0u);
    EXPECT_EQ(beta.Offset, verseRecords + rf::kVerseRecordCount * rf::kVerseRecordSize);
    EXPECT_EQ(gamma.Offset, beta.Offset + beta.StoredLength);
    EXPECT_EQ(DecompressBlock(p + gamma.Offset, gamma.StoredLength, 0), "g\r\n");
    EXPECT_EQ(gamma.UncompressedLength, 3u);

    const TBlockDescriptor titles = TBlockDescriptor::DecodeFrom(p + rf::kTitlesBlock);
    EXPECT_EQ(titles.Offset, gamma.Offset + gamma.StoredLength);
    EXPECT_EQ(DecompressBlock(p + titles.Offset, titles.StoredLength, 0), "Alpha,Beta,Gamma");
    const TBlockDescriptor words = TBlockDescriptor::DecodeFrom(p + rf::kWordListBlock);
    EXPECT_EQ(words.Offset, titles.Offset + titles.StoredLength);
    const std::string wordText = DecompressBlock(p + words.Offset, words.StoredLength, 0);
    EXPECT_EQ(wordText, "1,2,Alpha,Beta,Cites,Gamma,Ge,g");
    EXPECT_EQ(U32At(b, rf::kWordCount), 8u);
    const uint32_t wordRecords = U32At(b, rf::kWordRecordsOffset);
    EXPECT_EQ(wordRecords + 8 * rf::kWordRecordSize, b.size());
    EXPECT_EQ(U32At(b, wordRecords), words.Offset + words.StoredLength);  // "1" first
    EXPECT_EQ(U16At(b, wordRecords + 4), 1);
    EXPECT_EQ(U16At(b, U32At(b, wordRecords)), 1);
}

TEST(ResourceBuilder, EmptyModulesAreValid) {
    test::TempDir dir;
    for (bool commentary : {false, true}) {
        const std::string path = commentary ? test::BuildCommentary(dir, {}) : test::BuildBook(dir, {});
        const std::string b = test::ReadBytes(path);
        const auto* p = reinterpret_cast<const uint8_t*>(b.data());
        EXPECT_EQ(b[rf::kHasVerseIndex], 0);
        EXPECT_EQ(U32At(b, rf::kVerseRecordsOffset), 0u);
        for (size_t block : {rf::kTitlesBlock, rf::kWordListBlock}) {
            const TBlockDescriptor d = TBlockDescriptor::DecodeFrom(p + block);
            EXPECT_NE(d.Offset, 0u);
            EXPECT_EQ(d.UncompressedLength, 0u);
            EXPECT_EQ(DecompressBlock(p + d.Offset, d.StoredLength, 0), "");
        }
        auto module = OpenResourceModule(path);
        EXPECT_EQ(module->EntryCount(), commentary ? rf::kCommentaryEntryCount : 0);
        EXPECT_TRUE(module->EntryTitles().empty());
        EXPECT_EQ(module->FindEntry("anything"), -1);
        EXPECT_FALSE(module->HasVerseIndex());
        EXPECT_EQ(module->GetVerseEntries(0), TEntryIndexArray{});
        EXPECT_EQ(module->WordList().Size(), 0u);
        TEntryIndexArray found{7};
        TZBSearchKeysData keys;
        module->SearchEntries("anything", 0, found, -1, -1, keys);
        EXPECT_TRUE(found.empty());
    }
}

TEST(ResourceBuilder, NamesAreCutToTheirFields) {
    test::TempDir dir;
    test::TBuildOptions options;
    options.Name = std::string(59, 'n') + "XYZ";
    options.Abbreviation = "ABCDEFGHIJKL";
    options.Code = "USERMODX";
    const std::string path = test::BuildBook(dir, {Entry("a", {"b"})}, options);
    EXPECT_EQ(path, dir.File("ABCDEFGHIJ.zb5book"));
    TZBDictionaryModule book(path);
    EXPECT_EQ(book.ModuleName(), std::string(59, 'n') + "X");
    EXPECT_EQ(book.Abbreviation(), "ABCDEFGHIJ");
    EXPECT_EQ(book.ModuleCode(), "USERMOD");
}

TEST(ResourceBuilder, HoldsUpTo65535Entries) {
    test::TempDir dir;
    TResourceEntryList entries;
    for (int i = 0; i < rf::kMaxEntries; ++i) entries.push_back(NoText(Format("t%05d", i)));
    entries.back().Lines = std::vector<std::string>{"the last one"};
    entries.front().Lines = std::vector<std::string>{"the first one"};
    const std::string path = test::BuildBook(dir, entries);
    {
        TZBDictionaryModule book(path);
        ASSERT_EQ(book.EntryCount(), 65535);
        EXPECT_EQ(book.GetEntryText(65534), "the last one\r\n");
        EXPECT_EQ(book.FindEntry("t65534"), 65534);
        TEntryIndexArray found;
        TZBSearchKeysData keys;
        book.SearchEntries("one", 0, found, -1, -1, keys);
        EXPECT_EQ(found, (TEntryIndexArray{0, 65534}));
    }
    const std::string before = test::ReadBytes(path);
    entries.push_back(NoText("one too many"));
    try {
        test::BuildBook(dir, entries);
        FAIL() << "built 65536 entries";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "A resource module holds at most 65535 entries; 65536 were given.");
    }
    EXPECT_EQ(test::ReadBytes(path), before);
}

TEST(ResourceBuilder, FailedBuildLeavesTheOldFileAndNoOther) {
    test::TempDir dir;
    const std::string path = test::BuildBook(dir, {Entry("a", {"old"})});
    const std::string before = test::ReadBytes(path);
    try {
        test::BuildBook(dir, {Entry("a", {"new"}), Entry("b", {"<vrl:XYZ>bad link</vrl>"})});
        FAIL() << "a malformed stored link was accepted";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "'XYZ' is not a valid integer value");
    }
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(Files(dir), std::vector<std::string>{"BK.zb5book"});

    test::TempDir other;
    const std::string missing = other.File("no/such/folder");
    EXPECT_THROW(BuildResourceModule(nullptr, nullptr, false, nullptr, test::ReferenceBible(), missing, kBuilderSeed,
                                     true, "", "", "X", "X", {}),
                 Exception);
    EXPECT_TRUE(Files(other).empty());
}

TEST(ResourceBuilder, RefusesAbbreviationsThatAreNoFileName) {
    test::TempDir dir;
    for (const char* abbreviation : {"", "../up", "a/b", "a\\b", "tab\there"}) {
        test::TBuildOptions options;
        options.Abbreviation = abbreviation;
        try {
            test::BuildBook(dir, {}, options);
            ADD_FAILURE() << abbreviation;
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()),
                      "The abbreviation \"" + std::string(abbreviation) + "\" cannot be used as a module file name.");
        }
    }
    EXPECT_TRUE(Files(dir).empty());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(dir.Path()).parent_path() / "up.zb5book"));
}

TEST(ResourceBuilder, RebuildingDiffersOnlyInBuildTimeAndHash) {
    test::TempDir a, b;
    const TResourceEntryList entries = {Entry("x", {"one <scripref>Ge 1:1</scripref>"}), Entry("y", {"two"})};
    std::string first = test::ReadBytes(test::BuildBook(a, entries));
    std::string second = test::ReadBytes(test::BuildBook(b, entries));
    ASSERT_EQ(first.size(), second.size());
    for (std::string* bytes : {&first, &second}) {
        bytes->replace(0, rf::kBannerSize, rf::kBannerSize, '\0');
        bytes->replace(rf::kHash, 4, 4, '\0');
    }
    EXPECT_EQ(first, second);
}

TEST(ResourceBuilder, SeedDecidesOriginAndTheBannerNotice) {
    test::TempDir dir;
    struct Case {
        uint32_t seed;
        TModuleOrigin origin;
        bool readOnly, notice;
    } cases[] = {{kPublisherSeed, TModuleOrigin::Publisher, true, false},
                 {kUserModuleSeed, TModuleOrigin::User, false, true},
                 {kBuilderSeed, TModuleOrigin::Builder, true, true}};
    for (const Case& c : cases) {
        test::TBuildOptions options;
        options.Seed = c.seed;
        const std::string path = test::BuildBook(dir, {Entry("a", {"b"})}, options);
        TZBDictionaryModule book(path);
        EXPECT_EQ(book.Origin(), c.origin);
        EXPECT_EQ(book.ReadOnly(), c.readOnly);
        EXPECT_EQ(book.HeaderHash(c.seed), book.StoredHash());
        const std::string banner = test::ReadBytes(path).substr(0, rf::kBannerSize);
        EXPECT_EQ(banner.find("THIS MODULE WAS BUILT BY A THIRD PARTY") != std::string::npos, c.notice);
    }
}

class RecordingProgress : public TBuildProgress, public TBuildStatusLine {
public:
    void SetPassText(const std::string& text) override { calls.push_back("pass " + text); }
    void SetDetailText(const std::string& text) override { calls.push_back("detail " + text); }
    void SetRange(int min, int max) override { calls.push_back(Format("range %d %d", min, max)); }
    void SetPosition(int pos) override { calls.push_back(Format("pos %d", pos)); }
    void SetSimpleText(const std::string& text) override { calls.push_back("status " + text); }
    std::vector<std::string> calls;
};

TEST(ResourceBuilder, ReportsProgressAndTitles) {
    test::TempDir dir;
    RecordingProgress progress;
    BuildResourceModule(nullptr, &progress, false, &progress, test::ReferenceBible(), dir.Path(), kBuilderSeed, true,
                        "", "", "P", "P", {Entry("b", {"long text"}), Entry("a", {"x"}), NoText("c")});
    EXPECT_EQ(progress.calls, (std::vector<std::string>{
                                  "pass Reindexing...", "detail ", "range 0 2", "pos 0",
                                  // "a" (entry 0) is too short to move the bar
                                  "status a", "pos 1", "status b", "status c",
                                  "pass Compiling module file...", "detail ", "range 0 2", "pos 0",
                                  "pos 0", "pos 1"}));
}

}  // namespace
}  // namespace kvx
