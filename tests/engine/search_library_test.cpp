// Searches on the real King James text of the default library: the rules of the
// query language on a full-size index, and the lookup tables giving exactly the
// verses and keys of the plain walk over the word list. Skipped when the library
// has not been built ($KVX_LIBRARY, or Modules/ beside this program).
#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

#include "engine/bible_module.h"
#include "engine/bible_search.h"
#include "engine/parse_words.h"
#include "platform/ansi_text.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

std::string LibraryModule(const std::string& file) {
    const std::string folder = test::DefaultLibraryFolder({"Modules/" + file});
    return folder.empty() ? folder : folder + "Modules/" + file;
}

class RealKjv : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string path = LibraryModule("KJV.zb5bible");
        if (!path.empty()) kjv_ = std::make_unique<TZBBibleModule>(path);
    }
    static void TearDownTestSuite() { kjv_.reset(); }
    void SetUp() override {
        if (!kjv_) GTEST_SKIP() << "no default library: run kvx build-library into the build's bin folder";
    }

    static TVerseList Find(std::string_view query, uint32_t flags = 0, int first = -1, int last = -1,
                           TZBSearchKeysData* keysOut = nullptr) {
        TZBSearchKeysData keys;
        TVerseList verses;
        kjv_->SearchQuery(query, flags, verses, last, first, keys);
        if (keysOut) *keysOut = std::move(keys);
        return verses;
    }
    static int V(int book, int chapter, int verse) { return kjv_->VerseNumber(book, chapter, verse); }
    static bool Has(const TVerseList& list, int verse) {
        return std::binary_search(list.begin(), list.end(), static_cast<uint16_t>(verse));
    }

    static std::unique_ptr<TZBBibleModule> kjv_;
};
std::unique_ptr<TZBBibleModule> RealKjv::kjv_;

TVerseList Union(const TVerseList& a, const TVerseList& b) {
    TVerseList r;
    std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(r));
    return r;
}
TVerseList Intersection(const TVerseList& a, const TVerseList& b) {
    TVerseList r;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(r));
    return r;
}
TVerseList Difference(const TVerseList& a, const TVerseList& b) {
    TVerseList r;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(r));
    return r;
}
TVerseList Range(int first, int last) {
    TVerseList r;
    for (int v = first; v <= last; ++v) r.push_back(static_cast<uint16_t>(v));
    return r;
}

TEST_F(RealKjv, WordKindsFindTheirIndexWords) {
    TZBSearchKeysData keys;
    const TVerseList love = Find("love", 0, -1, -1, &keys);
    const std::vector<std::string> loveWords = keys.Nodes[0].Positions[0].Words;
    for (const std::string& w : loveWords) EXPECT_TRUE(AnsiSameText(w, "love")) << w;
    EXPECT_GT(loveWords.size(), 1u);  // Love at the start of verses, love inside them
    const TVerseList lower = Find("love_", 0, -1, -1, &keys);
    EXPECT_EQ(keys.Nodes[0].Positions[0].Words, std::vector<std::string>{"love"});
    EXPECT_LT(lower.size(), love.size());
    EXPECT_EQ(Intersection(lower, love), lower);

    struct Kind {
        const char* query;
        bool (*test)(const std::string&);
        bool findsLove;
    } kinds[] = {
        {"love*", [](const std::string& w) { return AnsiStartsText("love", w); }, true},
        {"*loved", [](const std::string& w) { return AnsiEndsText("loved", w); }, false},  // loved, beloved
        {"*love*", [](const std::string& w) { return AnsiFindText("love", w) != std::string::npos; }, true},
        {"l?ve", [](const std::string& w) { return w.size() == 4 && WildcardMatch(AsciiLowerCase(w), "l?ve"); }, true},
        {"l*ve", [](const std::string& w) { return WildcardMatch(AsciiLowerCase(w), "l*ve"); }, true},
    };
    for (const Kind& k : kinds) {
        const TVerseList found = Find(k.query, 0, -1, -1, &keys);
        const auto& words = keys.Nodes[0].Positions[0].Words;
        EXPECT_GT(words.size(), 2u) << k.query;
        for (const std::string& w : words) EXPECT_TRUE(k.test(w)) << k.query << " " << w;
        if (k.findsLove) {
            EXPECT_EQ(found, Union(found, love)) << k.query << " should find every verse of love";
        }
    }
    // The word forms of love: loved, loveth, lovest, ... but not beloved.
    Find("=love", 0, -1, -1, &keys);
    const auto& forms = keys.Nodes[0].Positions[0].Words;
    for (const char* w : {"love", "loved", "loveth", "lovest", "loving"})
        EXPECT_NE(std::find(forms.begin(), forms.end(), w), forms.end()) << w;
    EXPECT_EQ(std::find(forms.begin(), forms.end(), "beloved"), forms.end());
    Find("~shepard", 0, -1, -1, &keys);
    const auto& close = keys.Nodes[0].Positions[0].Words;
    EXPECT_NE(std::find(close.begin(), close.end(), "shepherd"), close.end());
}

TEST_F(RealKjv, OperatorsCombineAsTheirPrecedenceSays) {
    const TVerseList faith = Find("faith"), hope = Find("hope"), charity = Find("charity"), light = Find("light");
    ASSERT_FALSE(faith.empty());
    EXPECT_EQ(Find("faith & hope"), Intersection(faith, hope));
    EXPECT_EQ(Find("faith hope"), Intersection(faith, hope));
    EXPECT_EQ(Find("faith hope", kSearchAnyWord), Union(faith, hope));
    EXPECT_EQ(Find("faith | hope"), Union(faith, hope));
    EXPECT_EQ(Find("faith ^ hope"), Difference(Union(faith, hope), Intersection(faith, hope)));
    EXPECT_EQ(Find("light | faith & hope"), Union(light, Intersection(faith, hope)));
    EXPECT_EQ(Find("faith ! hope ! charity"), Difference(faith, Difference(hope, charity)));
    EXPECT_EQ(Find("(faith | hope"), Union(faith, hope));
    EXPECT_EQ(Find("faith)"), faith);
    EXPECT_EQ(Find("| faith"), faith);
    EXPECT_EQ(Find("faith |"), faith);
    EXPECT_EQ(Find("faith ."), TVerseList{});

    // The complement stays inside the range: Romans without "works".
    const int romans = kjv_->FirstVerseOfBook(45), corinthians = kjv_->FirstVerseOfBook(46);
    const TVerseList notWorks = Find("! works", 0, romans, corinthians - 1);
    EXPECT_EQ(notWorks, Difference(Range(romans, corinthians - 1), Find("works")));
    EXPECT_EQ(Find("faith", 0, V(45, 1, 17), V(45, 1, 17)), (TVerseList{static_cast<uint16_t>(V(45, 1, 17))}));
    EXPECT_EQ(Find("works", 0, V(45, 1, 17), V(45, 1, 17)), TVerseList{});
}

TEST_F(RealKjv, PhrasesStrongsNumbersAndFootnotes) {
    const TVerseList phrase = Find("\"in the beginning\""), loose = Find("in the beginning");
    EXPECT_TRUE(Has(phrase, V(1, 1, 1)));
    EXPECT_TRUE(Has(phrase, V(43, 1, 1)));
    EXPECT_EQ(Intersection(phrase, loose), phrase);
    EXPECT_GT(loose.size(), phrase.size());
    EXPECT_EQ(Intersection(Find("\"in * beginning\""), phrase), phrase);
    EXPECT_TRUE(Has(Find("\"my shepherd\""), V(19, 23, 1)));
    EXPECT_TRUE(Has(Find("\"the LORD [is] my shepherd\""), V(19, 23, 1)));

    // Strong's numbers: logos in John 1:1, Elohim in Genesis 1:1.
    TZBSearchKeysData keys;
    EXPECT_TRUE(Has(Find("G3056", 0, -1, -1, &keys), V(43, 1, 1)));
    EXPECT_EQ(keys.Nodes[0].Positions[0].Words, std::vector<std::string>{"G3056"});
    EXPECT_TRUE(Has(Find("h430"), V(1, 1, 1)));
    EXPECT_EQ(Find("G3056 & Word"), Intersection(Find("G3056"), Find("Word")));

    // Footnote words are found only when asked for, and never lose a text verse.
    ASSERT_NE(kjv_->FootnoteWordList(), nullptr);
    const TVerseList inText = Find("Or"), withNotes = Find("Or", kSearchFootnotes);
    EXPECT_EQ(Intersection(withNotes, inText), inText);
    EXPECT_GT(withNotes.size(), inText.size());
}

TEST_F(RealKjv, WithoutStrongsMarkersAStrongsNumberIsAWord) {
    const std::string path = LibraryModule("WEB.zb5bible");
    if (path.empty()) GTEST_SKIP() << "no WEB module";
    TZBBibleModule web(path);
    TZBSearchKeysData keys;
    TVerseList verses;
    web.SearchQuery("G3056", 0, verses, -1, -1, keys);
    EXPECT_TRUE(verses.empty());
    web.SearchQuery("shepherd", 0, verses, -1, -1, keys);
    EXPECT_FALSE(verses.empty());
}

// Every kind of query, under every option: the lookup tables must give the verses
// and the keys of the plain walk, word for word and in the same order.
TEST_F(RealKjv, LookupTablesAgreeWithThePlainWalk) {
    const char* queries[] = {
        "shepherd", "Shepherd_", "LORD_", "the", "God", "love", "love_", "love*", "*love", "*love*", "l?ve", "l*ve",
        "proph*", "*eth", "*ness*", "=love", "=walketh", "=Lord", "~shepard", "~begining", "~LORD_", "G3056", "h430",
        "g26", "*", "a*", "?", "*'s", "Lord's", "o", "i?", "???", "*a*e*i*", "z*z", "", "faith & hope & charity",
        "faith | hope", "faith ^ hope", "! works", "light | faith & hope", "faith ! hope ! charity", "(faith | hope",
        "faith)", "| love", "love .", "love & (God | LORD) ! hate", "\"in the beginning\"", "\"in * beginning\"",
        "\"the LORD thy God\"", "\"my shepherd\"", "\"begin* God\"", "\"l?ve one another\"", "\"=love thy neighbour\"",
        "\"~shepard\"", "\"G3056 was\"", "\"Verily, verily\" | \"amen\"",
    };
    const uint32_t flagSets[] = {0,
                                 kSearchMatchCase,
                                 kSearchSubstring,
                                 kSearchStem,
                                 kSearchFuzzy,
                                 kSearchFootnotes | kSearchAnyWord,
                                 kSearchStem | kSearchFuzzy | kSearchMatchCase};
    const int ranges[][2] = {{-1, -1}, {V(19, 1, 1), V(19, 150, 6)}};
    for (const char* query : queries) {
        for (uint32_t flags : flagSets) {
            for (const auto& range : ranges) {
                TZBSearchKeysData fastKeys, plainKeys;
                TVerseList fast, plain;
                kjv_->SetSearchAcceleration(true);
                kjv_->SearchQuery(query, flags, fast, range[1], range[0], fastKeys);
                kjv_->SetSearchAcceleration(false);
                kjv_->SearchQuery(query, flags, plain, range[1], range[0], plainKeys);
                kjv_->SetSearchAcceleration(true);
                EXPECT_EQ(fast, plain) << query << " flags " << flags << " from " << range[0];
                EXPECT_EQ(fastKeys, plainKeys) << query << " flags " << flags << " from " << range[0];
            }
        }
    }
}

TEST_F(RealKjv, SuggestionsComeFromTheWordList) {
    const auto& list = kjv_->SuggestionWordList();
    EXPECT_GT(list.size(), 10000u);
    for (const std::string& w : list) {
        ASSERT_FALSE(w.empty());
        EXPECT_FALSE((w[0] >= '0' && w[0] <= '9') || w[0] == '*' || w[0] == '-') << w;
    }
    std::string word = "Shepherd";
    const std::vector<std::string> s = kjv_->Suggestions(word, 10);
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s[0], "shepherd");
    EXPECT_LE(s.size(), 10u);
}

}  // namespace
}  // namespace kvx
