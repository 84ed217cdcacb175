// Bible searches on a ten-verse module whose words are chosen so that each rule of
// the query language gives a different answer from its near misses.
#include <algorithm>
#include <memory>
#include <random>

#include <gtest/gtest.h>

#include "engine/bible_format.h"
#include "engine/bible_module.h"
#include "engine/bible_search.h"
#include "engine/module_hash.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

namespace bf = bible_format;

enum Variant { kPlain, kStrongs, kFootnotes };

TBibleModuleSource SearchSource(Variant variant) {
    TBibleModuleSource s = test::TinyBibleSource();
    s.HasStrongs = variant == kStrongs;
    s.HasFootnotes = variant == kFootnotes;
    s.Verses[0] = "In the beginning God created the heaven and the earth.";
    s.Verses[1] = "And God said, Let there be light: and there was light; he created it.";
    s.Verses[2] = std::string("For God so loved the world, that he gave his only begotten Son") +
                  (variant == kStrongs ? "\x03" "05207." : ".");
    s.Verses[3] = "Love is patient; LOVE never faileth. Beloved, let us love one another.";
    s.Verses[4] = std::string("Faith, hope, charity") + (variant == kFootnotes ? "{Or, love}" : "") +
                  "; but the greatest of these is charity.";
    s.Verses[5] = "Now faith is the substance of things hoped for. 7th 'tis -dash +plus &amp \"quoted\" *star \\back";
    s.Verses[6] = "And now abideth faith, hope, Love.";
    s.Verses[7] = "The LORD is my shepherd; I shall not want. G5207";
    s.Verses[8] = "He put a glove on his hand; leave it in the beginning.";
    s.Verses[9] = "By faith Abel offered; the just shall live by faith, not by works.";
    return s;
}

class BibleSearch : public ::testing::Test {
public:
    static void SetUpTestSuite() {
        dir_ = new test::TempDir;
        for (Variant v : {kPlain, kStrongs, kFootnotes}) {
            TBibleModuleSource s = SearchSource(v);
            s.Abbreviation = v == kPlain ? "TNY" : v == kStrongs ? "TNS" : "TNF";
            paths_[v] = new std::string(test::WriteBible(*dir_, s));
            bibles_[v] = std::make_unique<TZBBibleModule>(*paths_[v]);
        }
    }
    static void TearDownTestSuite() {
        for (auto& b : bibles_) b.reset();
        for (auto*& p : paths_) delete p;
        delete dir_;
    }
    static TZBBibleModule& Bible(Variant v = kPlain) { return *bibles_[v]; }
    static TVerseList Find(std::string_view query, uint32_t flags = 0, int first = -1, int last = -1,
                           Variant v = kPlain, TZBSearchKeysData* keysOut = nullptr) {
        TZBSearchKeysData keys;
        TVerseList verses{999};
        Bible(v).SearchQuery(query, flags, verses, last, first, keys);
        if (keysOut) *keysOut = keys;
        return verses;
    }
    static test::TempDir* dir_;
    static std::string* paths_[3];
    static std::unique_ptr<TZBBibleModule> bibles_[3];
};
test::TempDir* BibleSearch::dir_ = nullptr;
std::string* BibleSearch::paths_[3] = {};
std::unique_ptr<TZBBibleModule> BibleSearch::bibles_[3];

using V = TVerseList;

struct QueryCase {
    const char* query;
    uint32_t flags;
    V expected;
};

void ExpectQueries(const std::vector<QueryCase>& cases, int first = -1, int last = -1) {
    for (const QueryCase& c : cases) {
        for (bool accelerate : {true, false}) {
            TZBBibleModule& bible = BibleSearch::Bible();
            bible.SetSearchAcceleration(accelerate);
            TZBSearchKeysData keys;
            TVerseList verses;
            bible.SearchQuery(c.query, c.flags, verses, last, first, keys);
            EXPECT_EQ(verses, c.expected) << c.query << " flags " << c.flags << (accelerate ? "" : " (plain)");
        }
        BibleSearch::Bible().SetSearchAcceleration(true);
    }
}

TEST_F(BibleSearch, WordKindsMarkersAndFlags) {
    ExpectQueries({
        {"love", 0, {4, 7}},          // every capitalisation
        {"love_", 0, {4}},            // only the lowercase entry
        {"Love_", 0, {4, 7}},
        {"LOVE", kSearchMatchCase, {4}},
        {"love*", 0, {3, 4, 7}},      // love, Love, LOVE, loved
        {"*love", 0, {4, 7, 9}},      // ... Beloved, glove
        {"*love*", 0, {3, 4, 7, 9}},
        {"l?ve", 0, {4, 7, 10}},      // love, live
        {"l*ve", 0, {4, 7, 9, 10}},   // love, leave, live
        {"L?VE_", 0, {4}},
        {"=love", 0, {3, 4, 7}},      // loved; not Beloved, live or leave
        {"loving", kSearchStem, {3, 4, 7}},
        {"~shepard", 0, {8}},
        {"shepard", kSearchFuzzy, {8}},
        {"shepard", 0, {}},
        {"ove", kSearchSubstring, {3, 4, 7, 9}},
        {"lov*", kSearchSubstring, {3, 4, 7, 9}},  // the "*" was read as starts-with and dropped
        {"l?ve", kSearchSubstring, {}},            // taken literally
        {"Lord's", 0, {}},
        {"*", 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"~", 0, {}},
    });
}

TEST_F(BibleSearch, OperatorsPrecedenceAndRepairs) {
    ExpectQueries({
        {"faith & hope", 0, {5, 7}},
        {"faith hope", 0, {5, 7}},
        {"faith hope", kSearchAnyWord, {5, 6, 7, 10}},
        {"faith | hope", 0, {5, 6, 7, 10}},
        {"faith ^ hope", 0, {6, 10}},
        {"faith^hope", 0, {6, 10}},
        {"! works", 0, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"light | faith & hope", 0, {2, 5, 7}},       // light or (faith and hope)
        {"faith ! hope ! charity", 0, {5, 6, 10}},    // faith and not (hope and not charity)
        {"faith & hope ^ works", 0, {5, 7, 10}},      // ^ is loosest
        {"faith & (hope | works)", 0, {5, 7, 10}},
        {"(faith | hope", 0, {5, 6, 7, 10}},
        {"faith)", 0, {5, 6, 7, 10}},
        {"| love", 0, {4, 7}},
        {"love |", 0, {4, 7}},
        {"love & ", 0, {4, 7}},
        {"love !", 0, {4, 7}},
        {"love .", 0, {}},
        {"love .", kSearchAnyWord, {4, 7}},
        {"", 0, {}},
        {"& | !", 0, {}},
        {"()", 0, {}},
        {"\"\"", 0, {}},
    });
}

TEST_F(BibleSearch, PhrasesNeedTheirWordsSideBySide) {
    ExpectQueries({
        {"God created", 0, {1, 2}},
        {"\"God created\"", 0, {1}},
        {"\"in the beginning\"", 0, {1, 9}},
        {"\"the beginning in\"", 0, {}},
        {"\"in * beginning\"", 0, {1, 9}},
        {"\"God * the\"", 0, {1}},
        {"\"begin* God\"", 0, {1}},
        {"\"in the beginning\" & God", 0, {1}},
        {"\"in the beginning\" ! God", 0, {9}},
        // Two quoted phrases side by side: both phrases, not one phrase across them.
        {"\"in the\" \"the earth\"", 0, {1}},
        {"\"in the beginning", 0, {1, 9}},
        {"\"the LORD's\"", 0, {}},
    });
}

TEST_F(BibleSearch, TheRangeBoundsEveryResultComplementsIncluded) {
    ExpectQueries({{"! works", 0, {5, 6, 7, 8}}, {"faith", 0, {5, 6, 7}}, {"*", 0, {5, 6, 7, 8}}}, 5, 8);
    ExpectQueries({{"faith", 0, {7}}, {"! works", 0, {7}}, {"! faith", 0, {}}}, 7, 7);
    ExpectQueries({{"\"in the beginning\"", 0, {9}}}, 2, 10);
    // Ranges reaching outside the module are cut to it; an empty range finds nothing.
    ExpectQueries({{"faith", 0, {5, 6, 7, 10}}, {"! works", 0, {1, 2, 3, 4, 5, 6, 7, 8, 9}}}, 0, 99);
    ExpectQueries({{"faith", 0, {}}, {"! works", 0, {}}, {"*", 0, {}}}, 8, 6);
}

TEST_F(BibleSearch, KeysRecordTheMatchedWordsInEvaluationOrder) {
    using W = std::vector<std::string>;
    auto node = [](std::initializer_list<W> positions) {
        TZBSearchKeyNode n;
        for (const W& p : positions) n.Positions.push_back({p});
        return n;
    };
    TZBSearchKeysData keys;
    Find("love* & faith | works", 0, -1, -1, kPlain, &keys);
    EXPECT_EQ(keys.Nodes, (std::vector<TZBSearchKeyNode>{node({{"LOVE", "Love", "love", "loved"}}),
                                                           node({{"Faith", "faith"}}), node({{"works"}})}));
    // Excluded words are never hits.
    Find("faith ! hope ! charity", 0, -1, -1, kPlain, &keys);
    EXPECT_EQ(keys.Nodes, (std::vector<TZBSearchKeyNode>{node({{"Faith", "faith"}})}));
    Find("\"in * beginning\"", 0, -1, -1, kPlain, &keys);
    EXPECT_EQ(keys.Nodes, (std::vector<TZBSearchKeyNode>{node({{"In", "in"}, {"*"}, {"beginning"}})}));
    // With footnotes searched too, a footnote word already found in the text is not repeated.
    Find("love", kSearchFootnotes, -1, -1, kFootnotes, &keys);
    EXPECT_EQ(keys.Nodes, (std::vector<TZBSearchKeyNode>{node({{"LOVE", "Love", "love"}})}));

    // The other entry points each add one node.
    TZBSearchKeysData more;
    TVerseList verses;
    Bible().SearchPhraseQuery("God created", 0, verses, -1, -1, more);
    EXPECT_EQ(verses, (V{1}));
    Bible().SearchSingleWord("love*", 0, verses, -1, -1, more);
    EXPECT_EQ(verses, (V{3, 4, 7}));
    Bible().SearchSingleWord("in the", 0, verses, -1, -1, more);  // not split: no such index word
    EXPECT_EQ(verses, V{});
    ASSERT_EQ(more.Nodes.size(), 3u);
    EXPECT_EQ(more.Nodes[0], node({{"God"}, {"created"}}));
    EXPECT_EQ(more.Nodes[1], node({{"LOVE", "Love", "love", "loved"}}));
    EXPECT_EQ(more.Nodes[2], node({{}}));
}

TEST_F(BibleSearch, StrongsWordsSearchTheStrongsIndexOnlyWhereThereIsOne) {
    TZBSearchKeysData keys;
    EXPECT_EQ(Find("G5207", 0, -1, -1, kStrongs, &keys), (V{3}));
    EXPECT_EQ(keys.Nodes[0].Positions[0].Words, (std::vector<std::string>{"G5207"}));
    EXPECT_EQ(Find("g5207", kSearchMatchCase, -1, -1, kStrongs), (V{3}));  // Strong's look-ups ignore the flags
    EXPECT_EQ(Find("G5207 | shepherd", 0, -1, -1, kStrongs), (V{3, 8}));
    // Without Strong's markers it is an ordinary word of the text.
    EXPECT_EQ(Find("G5207", 0, -1, -1, kPlain), (V{8}));
}

TEST_F(BibleSearch, FootnotesAreSearchedOnlyWhenAskedAndPresent) {
    EXPECT_EQ(Find("love", 0, -1, -1, kFootnotes), (V{4, 7}));
    EXPECT_EQ(Find("love", kSearchFootnotes, -1, -1, kFootnotes), (V{4, 5, 7}));
    EXPECT_EQ(Find("\"or love\"", kSearchFootnotes, -1, -1, kFootnotes), (V{5}));
    EXPECT_EQ(Find("\"charity or\"", kSearchFootnotes, -1, -1, kFootnotes), (V{5}));
    EXPECT_EQ(Find("\"or love\"", 0, -1, -1, kFootnotes), V{});
    EXPECT_EQ(Find("love", kSearchFootnotes, -1, -1, kPlain), Find("love", 0, -1, -1, kPlain));
}

TEST_F(BibleSearch, MissingIndexesRaiseAndKeepTheKeysSoFar) {
    // The same module with the main (or Strong's) index marked absent.
    auto withoutIndex = [&](Variant v, size_t flagAt, const std::string& name) {
        std::string bytes = test::ReadBytes(*paths_[v]);
        for (int i = 0; i < 4; ++i) bytes[flagAt + static_cast<size_t>(i)] = 0;
        const uint32_t hash = SeededAdler32(kBuilderSeed, reinterpret_cast<const uint8_t*>(bytes.data()), bf::kHashed);
        for (int i = 0; i < 4; ++i) bytes[bf::kHash + static_cast<size_t>(i)] = static_cast<char>(hash >> (8 * i));
        const std::string path = dir_->File(name);
        test::WriteBytes(path, bytes);
        return path;
    };
    TZBBibleModule noMain(withoutIndex(kPlain, bf::kHasMainIndex, "nomain.zb5bible"));
    TZBSearchKeysData keys;
    TVerseList verses;
    try {
        noMain.SearchQuery("faith | love", 0, verses, -1, -1, keys);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "IndexList nil (TNY Test Bible, faith)");
    }
    EXPECT_EQ(keys.Nodes.size(), 1u);
    EXPECT_THROW(noMain.SearchQuery("*", 0, verses, -1, -1, keys), Exception);
    EXPECT_TRUE(noMain.SuggestionWordList().empty());

    TZBBibleModule noStrongs(withoutIndex(kStrongs, bf::kHasStrongsIndex, "nostrongs.zb5bible"));
    noStrongs.SearchQuery("faith", 0, verses, -1, -1, keys);
    EXPECT_EQ(verses, (V{5, 6, 7, 10}));
    try {
        noStrongs.SearchQuery("love | G5207", 0, verses, -1, -1, keys);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "IndexList nil (TNY Test Bible, G5207)");
    }
}

TEST_F(BibleSearch, DeeplyNestedQueriesAreRefusedNotOverflowed) {
    std::string query;
    for (int i = 0; i < 1000; ++i) query += "faith & (";
    query += "hope";
    TZBSearchKeysData keys;
    TVerseList verses;
    EXPECT_THROW(Bible().SearchQuery(query, 0, verses, -1, -1, keys), Exception);
    // Nesting that a person writes is fine, and a lone deep group is just unwrapped.
    EXPECT_EQ(Find("faith & (hope & (faith | (hope & (charity))))"), (V{5, 7}));
    EXPECT_EQ(Find(std::string(5000, '(') + "charity" + std::string(5000, ')')), (V{5}));
}

// Random queries made of words, wildcards, markers, operators, quotes and
// parentheses: nothing crashes, and the lookup tables agree with the plain walk.
TEST_F(BibleSearch, RandomQueriesGiveTheSameAnswerWithAndWithoutLookupTables) {
    const char* pieces[] = {"love", "faith", "hope", "the", "in", "beginning", "l", "o", "ve", "*", "?", "~", "=",
                            "_",    "!",     "&",    "|",   "^",  "(",         ")", "\"", " ", " ", ".", "'",  "-",
                            "G5207", "LORD", "shepard", "live", "glove"};
    std::mt19937 random(20240601);
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1), length(1, 12), flagPick(0, 63);
    for (int round = 0; round < 400; ++round) {
        std::string query;
        for (size_t n = length(random); n > 0; --n) query += pieces[pick(random)];
        const uint32_t flags = static_cast<uint32_t>(flagPick(random));
        for (Variant v : {kPlain, kStrongs, kFootnotes}) {
            TZBSearchKeysData fastKeys, plainKeys;
            TVerseList fast, plain;
            Bible(v).SetSearchAcceleration(true);
            Bible(v).SearchQuery(query, flags, fast, -1, -1, fastKeys);
            Bible(v).SetSearchAcceleration(false);
            Bible(v).SearchQuery(query, flags, plain, -1, -1, plainKeys);
            Bible(v).SetSearchAcceleration(true);
            EXPECT_EQ(fast, plain) << query << " flags " << flags;
            EXPECT_EQ(fastKeys, plainKeys) << query << " flags " << flags;
        }
    }
}

TEST_F(BibleSearch, SuggestionListAndSuggestions) {
    const std::vector<std::string>& list = Bible().SuggestionWordList();
    auto has = [&](const std::string& w) { return std::find(list.begin(), list.end(), w) != list.end(); };
    EXPECT_TRUE(has("love"));
    EXPECT_EQ(std::count(list.begin(), list.end(), "love"), 1);  // Love and LOVE are the same entry
    EXPECT_TRUE(has("g5207"));
    EXPECT_TRUE(has("quoted"));
    for (const char* left : {"7th", "'tis", "-dash", "+plus", "&amp", "*star", "\\back"}) EXPECT_FALSE(has(left)) << left;
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end(),
                               [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; }));

    std::string word = "Shepard";
    std::vector<std::string> suggestions = Bible().Suggestions(word, 10);
    EXPECT_EQ(word, "shepard");
    ASSERT_FALSE(suggestions.empty());
    EXPECT_EQ(suggestions[0], "shepherd");
    word = "Faith";
    suggestions = Bible().Suggestions(word, 10);
    ASSERT_FALSE(suggestions.empty());
    EXPECT_EQ(suggestions[0], "faith");  // the word itself comes first
    word = "faith";
    EXPECT_EQ(Bible().Suggestions(word, 1).size(), 1u);
    word = "";
    EXPECT_TRUE(Bible().Suggestions(word, 10).empty());
    word = "qqqqqqq";
    EXPECT_TRUE(Bible().Suggestions(word, 10).empty());
}

}  // namespace
}  // namespace kvx
