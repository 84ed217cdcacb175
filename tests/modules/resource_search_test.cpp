// Searching resource modules: the query language over entries, the option bits,
// ranges, phrase checks against entry text and, for books, titles.
#include "modules/resource_search.h"

#include <gtest/gtest.h>

#include "modules/resource_module.h"
#include "tests/modules/resource_fixtures.h"

namespace kvx {
namespace {

using test::Entry;

class ResourceSearch : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new test::TempDir;
        book_ = new TZBDictionaryModule(test::BuildBook(
            *dir_, {
                       Entry("Aaron", {"<p>Aaron the <i>priest</i> spoke to Moses.</p>"}),
                       Entry("Faith", {"Faith is the substance of things hoped for."}),
                       Entry("Grace", {"By grace are ye saved through faith."}),
                       Entry("Moses", {"Moses the servant of the LORD."}),
                       Entry("Priest", {"<a href=\"faith\">link</a> A priest offers."}),
                       Entry("Things hoped for", {"Nothing here."}),
                   }));
    }
    static void TearDownTestSuite() {
        delete book_;
        delete dir_;
    }
    static TEntryIndexArray Search(const std::string& query, uint32_t options = 0, int first = -1, int last = -1) {
        TEntryIndexArray found{999};
        TZBSearchKeysData keys;
        book_->SearchEntries(query, options, found, last, first, keys);
        return found;
    }
    static test::TempDir* dir_;
    static TZBDictionaryModule* book_;
};
test::TempDir* ResourceSearch::dir_ = nullptr;
TZBDictionaryModule* ResourceSearch::book_ = nullptr;

TEST_F(ResourceSearch, QueriesAndOptions) {
    struct Case {
        const char* query;
        uint32_t options;
        TEntryIndexArray entries;
    } cases[] = {
        {"faith", 0, {1, 2}},  // not entry 4: words inside tags are no text
        {"Faith", kResourceSearchMatchCase, {1}},
        {"_faith", 0, {2}},
        {"moses aaron", 0, {0}},
        {"moses aaron", kResourceSearchAnyWord, {0, 3}},
        {"priest ! aaron", 0, {4}},
        {"grace | lord", 0, {2, 3}},
        {"\"the substance\"", 0, {1}},
        {"\"priest spoke\"", 0, {0}},  // a phrase runs across mark-up
        {"\"spoke priest\"", 0, {}},
        {"hope", kResourceSearchStem, {1, 5}},
        {"=hope", 0, {1, 5}},
        {"ace", kResourceSearchSubstring, {2}},
        {"sav*", 0, {2}},
        {"~substanse", 0, {1}},
        {"substanse", kResourceSearchFuzzy, {1}},
        {"substanse", 0, {}},
        {"nowhere", 0, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Search(c.query, c.options), c.entries) << c.query;
}

TEST_F(ResourceSearch, BookPhrasesAlsoMatchTitles) {
    TEntryIndexArray found;
    TZBSearchKeysData keys;
    book_->PhraseSearch("things hoped for", 0, found, -1, -1, keys);
    EXPECT_EQ(found, (TEntryIndexArray{1, 5}));
    ASSERT_EQ(keys.Nodes.size(), 1u);
    ASSERT_EQ(keys.Nodes[0].Positions.size(), 3u);
    EXPECT_EQ(keys.Nodes[0].Positions[1].Words, std::vector<std::string>{"hoped"});
    // A commentary has no titles to fall back on.
    test::TempDir dir;
    TZBCommentaryModule cmty(test::BuildCommentary(dir, {Entry("Ge 1:1", {"words of Genesis"})}));
    cmty.PhraseSearch("Ge 1", 0, found, -1, -1, keys);
    EXPECT_TRUE(found.empty());
    cmty.PhraseSearch("of genesis", 0, found, -1, -1, keys);
    EXPECT_EQ(found, TEntryIndexArray{0});
}

TEST_F(ResourceSearch, RangesBoundEveryTerm) {
    EXPECT_EQ(Search("faith", 0, 2, 2), TEntryIndexArray{2});
    EXPECT_EQ(Search("faith", 0, 3, -1), TEntryIndexArray{});
    // A NOT term complements over the whole module, then keeps to the range.
    EXPECT_EQ(Search("! faith", 0, 0, 3), (TEntryIndexArray{0, 3}));
    EXPECT_EQ(Search("* ! moses", 0, 1, 4), (TEntryIndexArray{1, 2, 4}));
    EXPECT_EQ(Search("*", 0, 4, 100), (TEntryIndexArray{4, 5}));
    TEntryIndexArray found;
    TZBSearchKeysData keys;
    book_->PhraseSearch("the", 0, found, 2, 1, keys);
    EXPECT_EQ(found, (TEntryIndexArray{1}));
}

TEST_F(ResourceSearch, KeysCollectTheMatchedWords) {
    TEntryIndexArray found;
    TZBSearchKeysData keys;
    book_->SearchEntries("faith ! grace", 0, found, -1, -1, keys);
    EXPECT_EQ(found, TEntryIndexArray{1});
    ASSERT_EQ(keys.Nodes.size(), 1u);  // the excluded words are no hits
    EXPECT_EQ(keys.Nodes[0].Positions[0].Words, (std::vector<std::string>{"Faith", "faith"}));
}

TEST(ResourceSearchHelpers, EntriesToIndexArray) {
    TBooleanArray set(70);
    for (int e : {0, 31, 32, 69}) set.SetItemValue(e, true);
    EXPECT_EQ(EntriesToIndexArray(set), (TEntryIndexArray{0, 31, 32, 69}));
    set.Invert();  // the spare bits beyond 69 are set now and must not show
    EXPECT_EQ(EntriesToIndexArray(set).size(), 66u);
    EXPECT_TRUE(EntriesToIndexArray(TBooleanArray(0)).empty());
}

}  // namespace
}  // namespace kvx
