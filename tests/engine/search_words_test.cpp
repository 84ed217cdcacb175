// The word-level pieces of searching: wildcard matching, query tokens, phrase
// checks and hit marking.
#include <gtest/gtest.h>

#include "engine/parse_words.h"

namespace kvx {
namespace {

using Words = std::vector<std::string>;

TZBSearchKeyNode Node(std::initializer_list<Words> positions) {
    TZBSearchKeyNode node;
    for (const Words& p : positions) node.Positions.push_back({p});
    return node;
}

TEST(QuestionMatch, QuestionMarksOnEitherSide) {
    EXPECT_TRUE(QuestionMatch("l?ve", "love"));
    EXPECT_TRUE(QuestionMatch("love", "l?ve"));
    EXPECT_TRUE(QuestionMatch("", ""));
    EXPECT_FALSE(QuestionMatch("lov", "love"));
    EXPECT_FALSE(QuestionMatch("Love", "love"));
}

TEST(WildcardMatch, Cases) {
    struct Case {
        const char* word;
        const char* pattern;
        bool expected;
    } cases[] = {
        {"love", "l?ve", true},      {"loved", "l?ve", false},   {"beloved", "*love*", true},
        {"love", "l*ve", true},      {"leave", "l*ve", true},    {"lovelive", "l*ve", false},
        {"anything", "*", true},     {"", "*", true},            {"abc", "a**c", true},
        {"ab", "a?c", false},        {"shepherd", "sh*p*d", true}, {"shepherds", "sh*p*d", false},
        {"love", "love*", true},     {"lo", "love*", false},     {"l?ve", "love", true},
    };
    for (const Case& c : cases) EXPECT_EQ(WildcardMatch(c.word, c.pattern), c.expected) << c.word << " " << c.pattern;
}

TEST(TokenizeQuery, Cases) {
    struct Case {
        const char* query;
        Words tokens;
    } cases[] = {
        {"faith hope", {"faith", "hope"}},
        {"faith&hope", {"faith", "&", "hope"}},
        {"\"in the beginning\" God", {"\"in the beginning\"", "God"}},
        {"(faith | hope) & love", {"(faith | hope)", "&", "love"}},
        // Open groups and quotes are closed, a lone group unwrapped, stray ")" dropped.
        {"(faith | hope", {"faith", "|", "hope"}},
        {"((((faith))))", {"faith"}},
        {"faith)", {"faith"}},
        {"a ) b", {"a", "b"}},
        {"\"open phrase", {"\"open phrase\""}},
        // Operator runs keep their first operator; a lone operator is nothing.
        {"a && b", {"a", "&", "b"}},
        {"a & | ! b", {"a", "&", "b"}},
        {"| love", {"|", "love"}},
        {"love |", {"love", "|"}},
        {"|", {}},
        {"& &", {}},
        {"\"\" () ( )", {}},
        {"  ", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(TokenizeQuery(c.query, SearchOperatorChars), c.tokens) << c.query;
}

TEST(TokenizeQuery, DeepNestingIsUnwrappedWithoutRecursion) {
    const std::string query = std::string(100000, '(') + "faith";
    EXPECT_EQ(TokenizeQuery(query, SearchOperatorChars), (Words{"faith"}));
}

TEST(PhraseMatch, WordsSideBySideInOrder) {
    const TZBSearchKeyNode phrase = Node({{"in", "In"}, {"the"}, {"beginning"}});
    EXPECT_TRUE(PhraseMatch("In the beginning God", BibleWordDelimiters, phrase, false, false));
    EXPECT_TRUE(PhraseMatch("and in the beginning.", BibleWordDelimiters, phrase, false, false));
    EXPECT_FALSE(PhraseMatch("the beginning in", BibleWordDelimiters, phrase, false, false));
    EXPECT_FALSE(PhraseMatch("in the very beginning", BibleWordDelimiters, phrase, false, false));
    // Exact comparison: THE is not one of the position's words.
    EXPECT_FALSE(PhraseMatch("in THE beginning", BibleWordDelimiters, phrase, false, false));
    EXPECT_TRUE(PhraseMatch("in any beginning", BibleWordDelimiters, Node({{"in"}, {"*"}, {"beginning"}}), false,
                            false));
    EXPECT_FALSE(PhraseMatch("in the beginning", BibleWordDelimiters, TZBSearchKeyNode{}, false, false));
    EXPECT_FALSE(PhraseMatch("", BibleWordDelimiters, phrase, false, false));
    EXPECT_FALSE(PhraseMatch("in the", BibleWordDelimiters, phrase, false, false));
}

TEST(MarkHits, EveryMatchedWordGetsItsOwnMarks) {
    struct Case {
        std::string text;
        std::vector<TZBSearchKeyNode> nodes;
        bool html;
        std::string expected;
    } cases[] = {
        {"In the beginning, the heaven", {Node({{"the"}}), Node({{"heaven"}})}, false,
         "In [[the]] beginning, [[the]] [[heaven]]"},
        {"In the beginning", {Node({{"In"}, {"the"}})}, false, "[[In]] [[the]] beginning"},
        // Scanning from the end, a match skips the words it took.
        {"the the the", {Node({{"the"}, {"the"}})}, false, "the [[the]] [[the]]"},
        // Where one mark ends and another starts, the closing mark comes first.
        {"God\x02" "00430 said", {Node({{"God"}}), Node({{"\x02" "00430"}})}, false,
         "[[God]][[\x02" "00430]] said"},
        {"<b>Jesus</b> wept", {Node({{"Jesus"}}), Node({{"wept"}})}, true, "<b>[[Jesus]]</b> [[wept]]"},
        {"nothing here", {Node({{"absent"}}), Node({{}}), TZBSearchKeyNode{}}, false, "nothing here"},
        {"anything", {}, false, "anything"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        MarkHits(text, BibleWordDelimiters, c.nodes, c.html, false, "]]", "[[");
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(MarkHits, SkipsStrongsWordsWhenAsked) {
    std::string text = "God\x02" "00430 said";
    MarkHits(text, BibleWordDelimiters, {Node({{"God"}, {"said"}})}, false, true, "\x02", "\x01");
    EXPECT_EQ(text, "\x01" "God\x02\x02" "00430 \x01said\x02");
}

}  // namespace
}  // namespace kvx
