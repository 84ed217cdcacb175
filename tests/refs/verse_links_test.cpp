// Verse links: the item syntax, the build-time conversion and indexing of an entry, and
// the way back to the authored form.
#include <gtest/gtest.h>

#include <random>

#include "engine/versification.h"
#include "platform/exception.h"
#include "refs/verse_links.h"
#include "tests/refs/standard_bible.h"

namespace kvx {
namespace {

int V(int book, int chapter, int verse) { return test::StandardBible().VerseNumber(book, chapter, verse); }

struct Converted {
    std::string text;
    std::string messages;
    TVerseIndexLists index;
};

Converted Convert(const std::string& text, uint16_t entry = 4, const TZBBibleModule& bible = test::StandardBible()) {
    Converted c;
    c.text = text;
    c.messages = "left over";
    ParseVerseLinks(c.text, bible, entry, c.messages, c.index);
    return c;
}

// The verses whose lists hold anything, and the lists themselves.
std::vector<int> IndexedVerses(const TVerseIndexLists& index) {
    std::vector<int> verses;
    for (size_t v = 0; v < index.size(); ++v)
        if (!index[v].empty()) verses.push_back(static_cast<int>(v + 1));
    return verses;
}

std::vector<int> Span(int first, int last) {
    std::vector<int> verses;
    for (int v = first; v <= last; ++v) verses.push_back(v);
    return verses;
}

TEST(VerseLinkItems, HexadecimalVersesAndCounts) {
    EXPECT_EQ(VerseLinkItems({}), "");
    EXPECT_EQ(VerseLinkItems({{1000, 1002}, {1010, 1010}}), "3E8+2,3F2");
    EXPECT_EQ(VerseLinkItems({{1, 1}, {31000, 31102}, {9, 3}}), "1,7918+66,9");
    EXPECT_EQ(VerseLinkItems({{0, 5}, {-3, 2}, {26, 26}}), "1A");
    EXPECT_EQ(MakeVerseLink({{1, 3}, {V(2, 3, 14), V(2, 3, 14)}}, test::StandardBible()),
              Format("<vrl:1+2,%X>Ge 1:1-3; Ex 3:14</vrl>", V(2, 3, 14)));
}

TEST(ParseVerseLinks, ConvertsAuthoredReferencesAndIndexesThem) {
    Converted c = Convert("<p>As <scripref>Ge 1:1</scripref> says.</p>");
    EXPECT_EQ(c.text, "<p>As <vrl:1>Ge 1:1</vrl> says.</p>");
    EXPECT_EQ(c.messages, "");
    ASSERT_EQ(c.index.size(), static_cast<size_t>(kStandardVerseCount));
    EXPECT_EQ(c.index[0], TEntryIndexArray{4});
    EXPECT_EQ(IndexedVerses(c.index), std::vector<int>{1});

    const int j16 = V(43, 3, 16), j18 = V(43, 3, 18);
    c = Convert("<SCRIPREF>jn 3:16,18</ScripRef> and <scripref> Ge 1:\r\n1-3\n</scripref>");
    EXPECT_EQ(c.text, Format("<vrl:%X,%X>Joh 3:16,18</vrl> and <vrl:1+2>Ge 1:1-3</vrl>", j16, j18));
    EXPECT_EQ(c.messages, "");
    EXPECT_EQ(IndexedVerses(c.index), (std::vector<int>{1, 2, 3, j16, j18}));
}

TEST(ParseVerseLinks, LongRangesAreIndexedOnTheirFirstVerseOnly) {
    const int first = V(19, 119, 1);
    // 76 verses (last - first = 75): indexed whole, no message.
    Converted c = Convert("<scripref>Ps 119:1-76</scripref>");
    EXPECT_EQ(c.text, Format("<vrl:%X+4B>Ps 119:1-76</vrl>", first));
    EXPECT_EQ(c.messages, "");
    EXPECT_EQ(IndexedVerses(c.index), Span(first, first + 75));
    // 77 verses: the link keeps the whole range, the index only its start.
    c = Convert("<scripref>Ps 119:1-77; Ge 1:1</scripref>");
    EXPECT_EQ(c.text, Format("<vrl:%X+4C,1>Ps 119:1-77; Ge 1:1</vrl>", first));
    EXPECT_EQ(c.messages, "\"Ps 119:1-77; Ge 1:1\" contains a reference spanning over 75 verses.");
    EXPECT_EQ(IndexedVerses(c.index), (std::vector<int>{1, first}));
    // The same rule for links already stored.
    c = Convert(Format("<vrl:%X+4C>x</vrl><vrl:%X+4B>y</vrl>", first, V(1, 2, 1)));
    EXPECT_EQ(IndexedVerses(c.index).size(), 1u + 76u);
}

TEST(ParseVerseLinks, ReportsWhatItCannotConvert) {
    Converted c = Convert("a <scripref>foo</scripref> b");
    EXPECT_EQ(c.text, "a foo b");
    EXPECT_EQ(c.messages, "\"foo\" is not a valid verse reference string.");
    EXPECT_TRUE(IndexedVerses(c.index).empty());

    c = Convert("<scripref>Ge 1:1 foo</scripref>");
    EXPECT_EQ(c.text, "<vrl:1>Ge 1:1</vrl>");
    EXPECT_EQ(c.messages, "\"Ge 1:1 foo\" may be ambiguous or contain invalid/spurious items.");

    // A missing closing tag stops the conversion there and leaves the rest alone.
    c = Convert("<scripref>Ge 1:2</scripref>, <scripref>Ge 1:1 and <scripref>Ex 1:1");
    EXPECT_EQ(c.text, "<vrl:2>Ge 1:2</vrl>, <scripref>Ge 1:1 and <scripref>Ex 1:1");
    EXPECT_EQ(c.messages, "Unbalanced <scripref> </scripref> tags. Verse link parsing aborted for this entry.");
    EXPECT_EQ(IndexedVerses(c.index), std::vector<int>{2});

    // Several messages run together in one line.
    c = Convert("<scripref>x</scripref><scripref>Ge 1:1!</scripref><scripref>Ps 1:1");
    EXPECT_EQ(c.text, "x<vrl:1>Ge 1:1</vrl><scripref>Ps 1:1");
    EXPECT_EQ(c.messages,
              "\"x\" is not a valid verse reference string. \"Ge 1:1!\" may be ambiguous or contain "
              "invalid/spurious items. Unbalanced <scripref> </scripref> tags. Verse link parsing aborted for this "
              "entry.");

    c = Convert("");
    EXPECT_EQ(c.text, "");
    EXPECT_EQ(c.messages, "");
}

TEST(ParseVerseLinks, IndexesStoredLinks) {
    Converted c = Convert("<vrl:3E8+2>x</vrl> <vrl:3e8+FFFF,7918+FF,1,>y</vrl> <vrl:0,7980>z</vrl>");
    // 3E8+FFFF and 7918+FF end beyond the last verse: only their first verse counts.
    EXPECT_EQ(IndexedVerses(c.index), (std::vector<int>{1, 1000, 1001, 1002, 31000}));
    EXPECT_EQ(c.text, "<vrl:3E8+2>x</vrl> <vrl:3e8+FFFF,7918+FF,1,>y</vrl> <vrl:0,7980>z</vrl>");
    // Only the first four digits of a count are read.
    c = Convert("<vrl:1+00021>x</vrl>");
    EXPECT_EQ(IndexedVerses(c.index), Span(1, 3));
    // A link without its ">" ends the scan for stored links.
    c = Convert("<vrl:5 and no end");
    EXPECT_TRUE(IndexedVerses(c.index).empty());

    for (const char* bad : {"<vrl:xyz>a</vrl>", "<vrl:1,,2>a</vrl>", "<vrl:5+>a</vrl>", "<vrl:+5>a</vrl>",
                            "<vrl:1 >a</vrl>", "<vrl:3E8+2G>a</vrl>"})
        EXPECT_THROW(Convert(bad), Exception) << bad;
}

TEST(ParseVerseLinks, AnEntryIsListedOnceUnderAVerse) {
    TVerseIndexLists index;
    std::string messages;
    std::string first = "<scripref>Ge 1:1</scripref> <scripref>Ge 1:1-2</scripref> <vrl:1>Ge 1:1</vrl>";
    std::string second = "<scripref>Ge 1:2</scripref>";
    ParseVerseLinks(first, test::StandardBible(), 0, messages, index);
    ParseVerseLinks(second, test::StandardBible(), 1, messages, index);
    EXPECT_EQ(index[0], TEntryIndexArray{0});
    EXPECT_EQ(index[1], (TEntryIndexArray{0, 1}));
    EXPECT_EQ(IndexedVerses(index), (std::vector<int>{1, 2}));
}

// A Bible whose abbreviation is itself a reference in tags must not make the conversion
// feed on its own output.
TEST(ParseVerseLinks, LinksAreNotReadAgain) {
    test::TempDir dir;
    TBibleModuleSource source = test::TinyBibleSource();
    source.Versification.Books[0].Abbreviation = "<scripref>Fi 1:1</scripref>";
    TZBBibleModule bible(test::WriteBible(dir, source));
    Converted c = Convert("<scripref>First 1:2</scripref>", 0, bible);
    EXPECT_EQ(c.text, "<vrl:2><scripref>Fi 1:1</scripref> 1:2</vrl>");
    EXPECT_EQ(IndexedVerses(c.index), std::vector<int>{2});
}

// Some translations write a book number apart from the book ("1 Co"); such display
// texts must read back too, also after the first reference.
TEST(VerseLinks, RoundTripWithSpacedAbbreviations) {
    test::TempDir dir;
    TBibleModuleSource source = test::TinyBibleSource();
    source.Versification.Books[1].Name = "1 Second";
    source.Versification.Books[1].Abbreviation = "1 Se";
    TZBBibleModule bible(test::WriteBible(dir, source));
    Converted stored = Convert("<scripref>fi 2:1; 1 second 1:2-3</scripref>", 0, bible);
    EXPECT_EQ(stored.text, "<vrl:4,7+1>Fi 2:1; 1 Se 1:2-3</vrl>");
    Converted again = Convert(VerseLinksToScriprefs(stored.text), 0, bible);
    EXPECT_EQ(again.text, stored.text);
    EXPECT_EQ(again.messages, "");
}

TEST(VerseLinksToScriprefs, GivesTheAuthoredForm) {
    EXPECT_EQ(VerseLinksToScriprefs("<p>No links &lt;vrl here.</p>"), "<p>No links &lt;vrl here.</p>");
    EXPECT_EQ(VerseLinksToScriprefs("See <vrl:1+2,5DE>Ge 1:1-3; Ex 3:14</vrl> and <vrl:1>Ge 1:1</VRL>."),
              "See <scripref>Ge 1:1-3; Ex 3:14</scripref> and <scripref>Ge 1:1</scripref>.");
    EXPECT_EQ(VerseLinksToScriprefs("<VRL:1>a</vrl> <vrl:2 no end"), "<VRL:1>a</scripref> <vrl:2 no end");
}

// Authored, stored, authored and stored again: the second build makes the same links.
TEST(VerseLinks, RoundTripKeepsTheReferences) {
    std::vector<std::string> references = {
        "Ge 1:1",         "ge 1:1-3,5; 2:4; Ex 1:1", "1 jn 3:16",     "jn 3:16,18",      "Ps 23",
        "ps 119:1-2:3",   "ge 1:30-2:3",             "Ge 1-3",        "Ge 3-1",          "Ob",
        "ge 50:26; ex 1:1", "ge 1:31; 2:1",          "Jude 1:3-25",   "2Ti 3:16-17; Ro 1", "re 22:21",
        "ge 1:1,2,3",     "Ge 1,3",                  "mt 5:3-7:29; lu 6:20",
    };
    // And many more of the kinds commentaries cite, over every book.
    const TVersification& versification = StandardVersification();
    std::mt19937 random(11);
    for (int n = 0; n < 600; ++n) {
        const auto& book = versification.Books[random() % versification.Books.size()];
        const int chapters = static_cast<int>(book.VersesPerChapter.size());
        const int c = static_cast<int>(random() % static_cast<unsigned>(chapters)) + 1;
        const int v = static_cast<int>(random() % 40) + 1;
        const std::string cv = std::to_string(c) + ":" + std::to_string(v);
        const std::string other = std::to_string(static_cast<int>(random() % static_cast<unsigned>(chapters)) + 1);
        const std::string& a = book.Abbreviation;
        switch (n % 4) {
            case 0: references.push_back(book.Name + " " + cv + "-" + std::to_string(v + 4)); break;
            case 1: references.push_back(a + " " + cv + "," + std::to_string(v + 1) + "; " + other); break;
            case 2: references.push_back(a + " " + cv + "-" + other + ":2, Ge 1:1"); break;
            default: references.push_back(a + " " + other + "; Re 1:" + std::to_string(v % 20 + 1)); break;
        }
    }
    for (const std::string& reference : references) {
        Converted stored = Convert("<p><scripref>" + reference + "</scripref></p>");
        ASSERT_EQ(stored.text.rfind("<p><vrl:", 0), 0u) << reference << ": " << stored.messages;
        const std::string authored = VerseLinksToScriprefs(stored.text);
        Converted again = Convert(authored);
        EXPECT_EQ(again.text, stored.text) << reference << " -> " << authored;
        // Long ranges are still reported; nothing else may be.
        EXPECT_EQ(again.messages.find("ambiguous"), std::string::npos) << authored << ": " << again.messages;
        EXPECT_EQ(again.messages.find("not a valid"), std::string::npos) << authored << ": " << again.messages;
        EXPECT_EQ(again.index, stored.index) << reference;
        EXPECT_EQ(VerseLinksToScriprefs(again.text), authored) << reference;
    }
}

}  // namespace
}  // namespace kvx
