// What the Search Bible command and the quick search box do with what was typed.
#include "engine/search_commands.h"

#include <gtest/gtest.h>

#include "engine/bible_search.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

class SearchCommands : public ::testing::Test {
protected:
    void SetUp() override {
        TBibleModuleSource s = test::TinyBibleSource();
        s.HasFootnotes = true;
        s.Verses[0] = "In the beginning God created the heaven and the earth.";
        s.Verses[1] = "The LORD is my shepherd; I shall not want.";
        s.Verses[2] = "Faith, hope, charity{Or, love}.";
        s.Verses[3] = "Now faith is the substance of things hoped for.";
        s.Verses[4] = "He leadeth me beside the still waters; he is my shepherd.";
        bible_ = std::make_unique<TZBBibleModule>(test::WriteBible(dir_, s));
    }
    test::TempDir dir_;
    std::unique_ptr<TZBBibleModule> bible_;
};

TEST(PlanBibleSearch, OperatorsAndQuotesOverruleTheMethod) {
    struct Case {
        const char* text;
        TSearchMethod method;
        TSearchPlan expected;
    } cases[] = {
        {"faith hope", TSearchMethod::All, {TSearchCall::Query, kSearchStem}},
        {"faith hope", TSearchMethod::Any, {TSearchCall::Query, kSearchStem | kSearchAnyWord}},
        {"faith hope", TSearchMethod::Phrase, {TSearchCall::PhraseQuery, kSearchStem}},
        {"faith hope", TSearchMethod::Boolean, {TSearchCall::Query, kSearchStem}},
        {"faith | hope", TSearchMethod::Any, {TSearchCall::Query, kSearchStem}},
        {"faith hope!", TSearchMethod::Phrase, {TSearchCall::Query, kSearchStem}},
        {"\"faith hope\"", TSearchMethod::Phrase, {TSearchCall::Query, kSearchStem}},
        {"faith^hope", TSearchMethod::Any, {TSearchCall::Query, kSearchStem}},
        {"faith&hope", TSearchMethod::Any, {TSearchCall::Query, kSearchStem}},
    };
    for (const Case& c : cases) EXPECT_EQ(PlanBibleSearch(c.text, c.method, kSearchStem), c.expected) << c.text;
}

TEST_F(SearchCommands, SearchBibleCommandOutcomes) {
    TSearchBibleOutcome empty = SearchBibleCommand(*bible_, {" \t ", TSearchMethod::All, 0});
    EXPECT_FALSE(empty.Found);
    EXPECT_EQ(empty.Message,
              "You did not enter any search words.\nIf you are having difficulty performing a search,\n"
              "please click help for search instructions.");

    TSearchBibleOutcome none = SearchBibleCommand(*bible_, {"faith shepherd", TSearchMethod::All, 0});
    EXPECT_FALSE(none.Found);
    EXPECT_EQ(none.Message,
              "No verses found matching search parameters.\nIf you are having difficulty performing a search,\n"
              "please click help for search instructions.");

    TSearchBibleOutcome any = SearchBibleCommand(*bible_, {"  faith shepherd ", TSearchMethod::Any, 0});
    ASSERT_TRUE(any.Found);
    EXPECT_EQ(any.Results.Verses, (TVerseList{2, 3, 4, 5}));
    EXPECT_EQ(any.Results.Caption, "TNY Search: faith shepherd");
    EXPECT_EQ(any.Results.Keys.Nodes.size(), 2u);
    EXPECT_FALSE(any.ShowFootnotes);

    TSearchBibleOutcome phrase = SearchBibleCommand(*bible_, {"my shepherd", TSearchMethod::Phrase, 0});
    EXPECT_EQ(phrase.Results.Verses, (TVerseList{2, 5}));
    EXPECT_EQ(phrase.Results.Keys.Nodes.size(), 1u);
    EXPECT_EQ(SearchBibleCommand(*bible_, {"shepherd my", TSearchMethod::Phrase, 0}).Results.Verses, TVerseList{});
    EXPECT_EQ(SearchBibleCommand(*bible_, {"shepherd my", TSearchMethod::All, 0}).Results.Verses, (TVerseList{2, 5}));

    TSearchBibleOutcome notes = SearchBibleCommand(*bible_, {"love", TSearchMethod::All, kSearchFootnotes});
    EXPECT_EQ(notes.Results.Verses, (TVerseList{3}));
    EXPECT_TRUE(notes.ShowFootnotes);

    TSearchBibleOutcome ranged = SearchBibleCommand(*bible_, {"shepherd", TSearchMethod::All, 0, 3, 10});
    EXPECT_EQ(ranged.Results.Verses, (TVerseList{5}));
}

TEST_F(SearchCommands, QuickSearchFindsOrSuggestsOnce) {
    using K = TQuickSearchOutcome::TKind;
    int asked = 0;
    std::string explanation;
    std::vector<std::string> offered;
    auto choose = [&](std::string answer) {
        return [&, answer](const std::string& text, const std::vector<std::string>& words) {
            ++asked;
            explanation = text;
            offered = words;
            return answer;
        };
    };

    EXPECT_EQ(QuickBibleSearch(*bible_, "   ", choose("x")).Kind, K::Ignored);

    TQuickSearchOutcome found = QuickBibleSearch(*bible_, " shepherd ", choose("x"));
    EXPECT_EQ(found.Kind, K::Found);
    EXPECT_EQ(found.Results.Verses, (TVerseList{2, 5}));
    EXPECT_EQ(found.Results.Caption, "TNY Search: shepherd");
    EXPECT_EQ(asked, 0);

    TQuickSearchOutcome suggested = QuickBibleSearch(*bible_, "Shepard", choose("shepherd faith"));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(explanation,
              "The word <b>shepard</b> was not found in the <b>TNY</b>.<br><br>However, the following word(s) may be "
              "what you are looking for. Select a word and then click Search to perform a new search, or click Cancel "
              "to end your search now.");
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(offered[0], "shepherd");
    EXPECT_LE(offered.size(), 10u);
    EXPECT_EQ(suggested.Kind, K::Found);
    EXPECT_EQ(suggested.BoxText, "shepherd|faith");
    EXPECT_EQ(suggested.Results.Verses, (TVerseList{2, 3, 4, 5}));
    EXPECT_EQ(suggested.Results.Caption, "TNY Search: shepherd|faith");

    EXPECT_EQ(QuickBibleSearch(*bible_, "Shepard", choose("")).Kind, K::Cancelled);

    // A chosen word that finds nothing either: no second round of suggestions.
    asked = 0;
    TQuickSearchOutcome again = QuickBibleSearch(*bible_, "Shepard", choose("shepherdx"));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(again.Kind, K::NotFound);
    EXPECT_EQ(again.Message,
              "Sorry, no matching verses found (TNY).\nYou can perform a more advanced search with F2 (or the Search "
              "Bible function on the Search menu).");

    // Not a plain word, or nothing like it in the module: straight to the message.
    asked = 0;
    EXPECT_EQ(QuickBibleSearch(*bible_, "shepard faith", choose("x")).Kind, K::NotFound);
    EXPECT_EQ(QuickBibleSearch(*bible_, "shepar*", choose("x")).Kind, K::NotFound);
    EXPECT_EQ(QuickBibleSearch(*bible_, "qqqqqqqq", choose("x")).Kind, K::NotFound);
    EXPECT_EQ(asked, 0);
}

TEST(IsPlainSearchWord, Cases) {
    EXPECT_TRUE(IsPlainSearchWord("shepherd"));
    EXPECT_TRUE(IsPlainSearchWord("Lord's"));
    EXPECT_TRUE(IsPlainSearchWord("burnt-offering"));
    for (const char* s : {"a b", "a&b", "a|b", "!a", "a^b", "a*", "a?", "~a", "=a", "a_", "a.", "\"a\"", "(a)"})
        EXPECT_FALSE(IsPlainSearchWord(s)) << s;
}

}  // namespace
}  // namespace kvx
