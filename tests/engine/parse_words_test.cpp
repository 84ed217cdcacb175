#include "engine/parse_words.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

using Words = std::vector<std::string>;

struct Split {
    Words words;
    TZBParsedStringLocations at;
};

Split Parse(std::string_view text, const TCharSet& delimiters, bool html = false, bool skipStrongs = false) {
    Split s;
    ParseWords(text, delimiters, s.words, s.at, html, skipStrongs);
    return s;
}

TEST(ParseWords, WordsAndOneBasedPositions) {
    Split s = Parse("in the beginning,", BibleWordDelimiters);
    EXPECT_EQ(s.words, (Words{"in", "the", "beginning"}));
    EXPECT_EQ(s.at, (TZBParsedStringLocations{1, 4, 8}));
    EXPECT_TRUE(Parse("", BibleWordDelimiters).words.empty());
    EXPECT_TRUE(Parse(" ,.;: ", BibleWordDelimiters).words.empty());
}

TEST(ParseWords, ApostrophesAndHyphensDependOnTheSet) {
    EXPECT_EQ(Parse("the Lord's burnt-offering", BibleWordDelimiters).words,
              (Words{"the", "Lord's", "burnt-offering"}));
    EXPECT_EQ(Parse("the Lord's burnt-offering", ResourceWordDelimiters).words,
              (Words{"the", "Lord", "s", "burnt", "offering"}));
    // "?" splits Bible words but not phrase words, where it is a wildcard.
    EXPECT_EQ(Parse("l?ve", BibleWordDelimiters).words, (Words{"l", "ve"}));
    EXPECT_EQ(Parse("l?ve", BiblePhraseDelimiters).words, (Words{"l?ve"}));
}

TEST(ParseWords, HtmlAwareSkipsTagsAndKeepsToTheBody) {
    Split s = Parse("<b>Jesus</b> wept", BibleWordDelimiters, true);
    EXPECT_EQ(s.words, (Words{"Jesus", "wept"}));
    EXPECT_EQ(s.at, (TZBParsedStringLocations{4, 14}));
    EXPECT_EQ(Parse("<html><title>x y</title><BODY>a <i>b</i></body> z", BibleWordDelimiters, true).words,
              (Words{"a", "b"}));
    // A tag left open runs to the end of the text without looping.
    EXPECT_EQ(Parse("word <span class=", BibleWordDelimiters, true).words, (Words{"word"}));
    // Without HTML handling the tag names are words.
    EXPECT_EQ(Parse("<b>Jesus</b>", BibleWordDelimiters).words, (Words{"b", "Jesus", "/b"}));
}

TEST(ParseWords, StrongsMarkersStartWordsOfTheirOwn) {
    Split s = Parse("Word\x03" "03056 more", BibleWordDelimiters);
    EXPECT_EQ(s.words, (Words{"Word", "\x03" "03056", "more"}));
    EXPECT_EQ(s.at, (TZBParsedStringLocations{1, 5, 12}));
    EXPECT_EQ(Parse("Word\x03" "03056 more", BibleWordDelimiters, false, true).words, (Words{"Word", "more"}));
    EXPECT_EQ(Parse("God\x02" "00430\x02" "01254", BibleWordDelimiters, false, true).words, (Words{"God"}));
}

TEST(IsStrongsToken, Cases) {
    struct Case {
        const char* word;
        bool expected;
    } cases[] = {
        {"G3056", true}, {"h0430", true}, {"H$1A2B", true}, {"\x02" "07225", true}, {"g1", true},
        {"G", false},    {"GX12", false}, {"3056", false},  {"H$12G", false},       {"Hope", false},
        {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsStrongsToken(c.word), c.expected) << c.word;
}

TEST(CharSets, Membership) {
    for (int c : std::initializer_list<int>{0, 1, 4, ' ', '!', '"', '(', ')', ',', '.', ':', ';', '<', '>', '?', '[', ']', '`', '{', '}', 161, 191})
        EXPECT_TRUE(BibleWordDelimiters.Contains(static_cast<unsigned char>(c))) << c;
    for (int c : std::initializer_list<int>{2, 3, '\'', '-', '0', 'a', '#', '*', '=', '_', '|', '~', 127, 200})
        EXPECT_FALSE(BibleWordDelimiters.Contains(static_cast<unsigned char>(c))) << c;
    EXPECT_TRUE(ResourceWordDelimiters.Contains('\''));
    EXPECT_FALSE(ResourceWordDelimiters.Contains(static_cast<unsigned char>(127)));
    EXPECT_FALSE(ResourcePhraseDelimiters.Contains('*'));
    EXPECT_TRUE(ResourcePhraseDelimiters.Contains('-'));
}

}  // namespace
}  // namespace kvx
