// The reference parser against a full-size Bible with the default library's book names.
#include <gtest/gtest.h>

#include <random>

#include "engine/versification.h"
#include "refs/parse_refs.h"
#include "tests/refs/standard_bible.h"

namespace kvx {
namespace {

struct Parsed {
    TVerseRangeList ranges;
    int32_t stop = 0;
};

Parsed Parse(const std::string& text, const TZBBibleModule& bible = test::StandardBible()) {
    Parsed p;
    p.ranges.push_back({7, 7});  // the parser empties the list first
    ParseRefs(text, bible, p.stop, p.ranges);
    return p;
}

int V(int book, int chapter, int verse) { return test::StandardBible().VerseNumber(book, chapter, verse); }

TEST(ParseRefs, ReadsTheFormsPeopleType) {
    const TZBBibleModule& bible = test::StandardBible();
    struct Case {
        const char* text;
        const char* ranges;  // as the Bible formats them
        int32_t stop;
    } cases[] = {
        {"ge", "Ge 1:1-50:26", 2},
        {"Ge 1:1", "Ge 1:1", 7},
        {"ge 1.1", "Ge 1:1", 7},
        {"Ge. 1:1", "Ge 1:1", 8},
        {"GE 1:1", "Ge 1:1", 7},
        {"1 jn 3:16", "1Jo 3:16", 9},
        {"1jn 3:16", "1Jo 3:16", 9},
        {"1 john 3:16", "1Jo 3:16", 11},
        {"1kings 2:3", "1Ki 2:3", 11},
        {"song 2:1", "So 2:1", 9},
        {"ju 1", "Jg 1:1-36", 5},  // Judges comes before Jude
        {"jude 3", "Jude 1:25", 7},  // a lone number is a chapter, even in a one-chapter book
        {"ge 1-3", "Ge 1:1-3:24", 7},
        {"ge 1:1-5", "Ge 1:1-5", 9},
        {"ge 1:30-2:3", "Ge 1:30-2:3", 12},
        {"ge 3-1", "Ge 1:31-3:1", 7},
        {"ge 1:1,3, ex 2", "Ge 1:1,3; Ex 2:1-25", 15},
        {"ge 1,3", "Ge 1:1-31,3", 7},
        {"ge 1:1; 3:4", "Ge 1:1; 3:4", 12},
        {"ge 1:1 3:4", "Ge 1:1; 3:4", 11},
        {"ge 1 ; ex 2", "Ge 1:1-31; Ex 2:1-25", 12},
        {"ge 1:1,2,3", "Ge 1:1-2,3", 11},
        {"ge 1:31; 2:1", "Ge 1:31-2:1", 13},
        {"ge 1:1-2:3, 5", "Ge 1:1-2:3,5", 14},
        {"ps 119:176, 2ti 3:16", "Ps 119:176; 2Ti 3:16", 21},
        {"jn 3:16,18", "Joh 3:16,18", 11},
        {"2Ti 3:16-17; Ro 1", "2Ti 3:16-17; Ro 1:1-32", 18},
        // A book number apart from its book, after a separator.
        {"Ro 8:28; 1 Co 13", "Ro 8:28; 1Co 13:1-13", 17},
        {"Ro 8:28, 1 Co 13", "Ro 8:28; 1Co 13:1-13", 17},
        {"ge 1:1 2 kings 3", "Ge 1:1; 2Ki 3:1-27", 17},
        {"ge 1:1; 2 ex 3", "Ge 1:1; 2:1-25; Ex 3:1-22", 15},
        {"Ro 1 Co 13", "Ro 1:1-32; Col 4:18", 11},
        {"ge 99", "Ge 50:26", 6},
        {"ge 1:99", "Ge 1:31", 8},
        {"re 22:21-25", "Re 22:21", 12},
        {"  \t\n ge 1:1", "Ge 1:1", 7},  // positions count in the text without leading blanks
        // Where reading stops early, what was read is kept.
        {"ge 1:1!", "Ge 1:1", 7 - 10},
        {"ge 1:1 foo", "Ge 1:1", 7},
        {"ge 1:1 x", "Ge 1:1", -1},
        {"ge 1:", "Ge 1:1-31", 5},
        {"ge 1-", "Ge 1:1-31", 5},
        {"ge 1:1,", "Ge 1:1", 7},
        {"ge 1:1-x", "Ge 1:1", 7},
        {"ge 1:1,x", "Ge 1:1", 7},
        // Texts that name nothing.
        {"", "", 0},
        {"    ", "", 0},
        {"foo 1:1", "", 0},
        {"ge1:1", "", 0},
        {"j 1:1", "", 0},
        {".", "", 0},
    };
    for (const Case& c : cases) {
        Parsed p = Parse(c.text);
        EXPECT_EQ(bible.FormatVerseRanges(p.ranges), c.ranges) << c.text;
        EXPECT_EQ(p.stop, c.stop) << c.text;
    }
}

TEST(ParseRefs, ListsAndSeparatorsGiveExactlyTheRangesWritten) {
    EXPECT_EQ(Parse("ge 1 ; ex 2").ranges, (TVerseRangeList{{V(1, 1, 1), V(1, 1, 31)}, {V(2, 2, 1), V(2, 2, 25)}}));
    // Only pairs of adjacent verses are joined.
    EXPECT_EQ(Parse("ge 1:1,2,3").ranges, (TVerseRangeList{{1, 2}, {3, 3}}));
    EXPECT_EQ(Parse("ge 1:1,2,3,4").ranges, (TVerseRangeList{{1, 2}, {3, 4}}));
    EXPECT_EQ(Parse("ge 1:3,2").ranges, (TVerseRangeList{{3, 3}, {2, 2}}));
    // Not across a book: the joined range could not be written so that it reads back.
    EXPECT_EQ(Parse("ge 50:26; ex 1:1").ranges,
              (TVerseRangeList{{V(1, 50, 26), V(1, 50, 26)}, {V(2, 1, 1), V(2, 1, 1)}}));
    // "ge 1,3-5": the comma's verse takes the chapter, and the chapter-only reading goes on.
    EXPECT_EQ(Parse("ge 1,3-5").ranges, (TVerseRangeList{{V(1, 1, 1), V(1, 1, 31)}, {V(1, 1, 3), V(1, 5, 32)}}));
}

TEST(ParseRefs, EveryAliasNamesItsBook) {
    const TZBBibleModule& bible = test::StandardBible();
    const char* aliases[][2] = {{"mk", "Mr"},   {"dt", "De"},   {"jn", "Joh"},    {"jdg", "Jg"},    {"ca", "So"},
                                {"1jn", "1Jo"}, {"2jn", "2Jo"}, {"3jn", "3Jo"},   {"sos", "So"},    {"phlm", "Phm"},
                                {"1kgs", "1Ki"}, {"2kgs", "2Ki"}, {"mtt", "Mt"}};
    for (const auto& alias : aliases) {
        Parsed p = Parse(std::string(alias[0]) + " 1:1");
        EXPECT_EQ(bible.FormatVerseRanges(p.ranges), std::string(alias[1]) + " 1:1") << alias[0];
        Parsed dotted = Parse(std::string(alias[0]) + ". 1:1");
        EXPECT_EQ(dotted.ranges, p.ranges) << alias[0];
    }
}

TEST(ParseRefs, EveryAbbreviationAndNameReadsBackItsBook) {
    const TZBBibleModule& bible = test::StandardBible();
    for (int b = 1; b <= bible.BookCount(); ++b) {
        const TVerseRange whole{V(b, 1, 1), V(b, 255, 255)};
        EXPECT_EQ(Parse(bible.BookAbbreviation(b)).ranges, TVerseRangeList{whole}) << b;
        EXPECT_EQ(Parse(bible.BookName(b)).ranges.front(), whole) << bible.BookName(b);
    }
}

// The parser finds chapter and verse numbers by halving a book; the Bible's own
// conversion walks it. Both must agree on every chapter and on every clamp.
TEST(ParseRefs, VerseNumbersAgreeWithTheBibleOnEveryChapter) {
    const TZBBibleModule& bible = test::StandardBible();
    for (int b = 1; b <= bible.BookCount(); ++b) {
        const std::string book = bible.BookAbbreviation(b);
        for (int c = 1; c <= bible.ChapterCount(b) + 1; ++c) {
            const std::string chapter = book + " " + std::to_string(c);
            EXPECT_EQ(Parse(chapter).ranges, (TVerseRangeList{{V(b, c, 1), V(b, c, 255)}})) << chapter;
            for (int verse : {2, 7, 176, 999}) {
                const std::string ref = chapter + ":" + std::to_string(verse);
                const int n = V(b, c, verse);
                ASSERT_EQ(Parse(ref).ranges, (TVerseRangeList{{n, n}})) << ref;
            }
        }
    }
}

TEST(ParseRefs, ZeroAndHugeNumbersStayInsideTheBook) {
    // Chapter 0 is chapter 1, not the end of the book before.
    EXPECT_EQ(Parse("ex 0").ranges, (TVerseRangeList{{V(2, 1, 1), V(2, 1, 22)}}));
    EXPECT_EQ(Parse("ex 0:0").ranges, (TVerseRangeList{{V(2, 1, 1), V(2, 1, 1)}}));
    EXPECT_EQ(Parse("ex 1:1-0").ranges, (TVerseRangeList{{V(2, 1, 1), V(2, 1, 1)}}));
    const int lastOfExodus = V(2, 255, 255);
    for (const char* text : {"ex 99999999999999999999999999999999", "ex 4294967297:4294967297",
                             "ex 2147483648:1", "ex 1:1-99999999999999999999:99999999999999999999"}) {
        Parsed p = Parse(text);
        ASSERT_EQ(p.ranges.size(), 1u) << text;
        EXPECT_EQ(p.ranges[0].Last, lastOfExodus) << text;
        EXPECT_EQ(p.stop, static_cast<int32_t>(std::string(text).size()) + 1) << text;
    }
}

TEST(ParseRefs, BookNamesAreComparedInTheCodePage) {
    test::TempDir dir;
    TBibleModuleSource source = test::TinyBibleSource();
    source.Versification.Books[0].Name = "\xC9vangile";  // Évangile
    source.Versification.Books[1].Abbreviation = "\xC9p";  // Ép
    TZBBibleModule bible(test::WriteBible(dir, source));
    EXPECT_EQ(Parse("\xE9vang 1:2", bible).ranges, (TVerseRangeList{{2, 2}}));
    EXPECT_EQ(Parse("\xE9P 2:1", bible).ranges, (TVerseRangeList{{9, 9}}));
}

// Whatever the bytes, the parser returns, and what it returns names verses of the Bible.
TEST(ParseRefs, MalformedInputNeverEscapesTheBible) {
    const TZBBibleModule& bible = test::StandardBible();
    std::mt19937 random(7);
    const std::string pieces[] = {"ge", "ex ", "1", "99999999999", " ", ":", ".", "-", ",", ";", "1 ", "jn",
                                  "2ti", "a",  std::string(1, '\0'), "\xFF", "\x01", "!", "0", "  ", "ps 119", "Re."};
    auto check = [&](const std::string& text) {
        Parsed p = Parse(text);
        for (const TVerseRange& r : p.ranges) {
            ASSERT_GE(r.First, 1) << text;
            ASSERT_LE(r.First, r.Last) << text;
            ASSERT_LE(r.Last, bible.VerseCount()) << text;
        }
        ASSERT_GE(p.stop, -10) << text;
        ASSERT_LE(p.stop, static_cast<int32_t>(text.size()) + 1) << text;
    };
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        const int count = static_cast<int>(random() % 12);
        for (int k = 0; k < count; ++k) {
            if (random() % 4 == 0)
                text += static_cast<char>(random() % 256);
            else
                text += pieces[random() % std::size(pieces)];
        }
        check(text);
    }
    // Long texts are read in one pass.
    std::string list = "ps 119:1";
    for (int k = 2; k <= 200000; ++k) list += "," + std::to_string(k % 176 + 1);
    Parsed p = Parse(list);
    EXPECT_GT(p.ranges.size(), 50000u);
    EXPECT_EQ(p.stop, static_cast<int32_t>(list.size()) + 1);
    check(std::string(1 << 20, '\xFF'));
    check("ge " + std::string(1 << 20, '9'));
    check("ge 1" + std::string(1 << 20, ' ') + "x");
}

TEST(FormatVerseList, WritesRunsListsChaptersAndBooks) {
    const TZBBibleModule& bible = test::StandardBible();
    auto format = [&](std::initializer_list<int> verses) {
        TVerseList list;
        for (int v : verses) list.push_back(static_cast<uint16_t>(v));
        return FormatVerseList(bible, list);
    };
    EXPECT_EQ(format({}), "");
    EXPECT_EQ(format({V(1, 1, 1), V(1, 1, 2), V(1, 1, 3), V(1, 1, 5), V(1, 2, 1), V(2, 1, 1)}),
              "Ge 1:1-3,5; 2:1; Ex 1:1");
    EXPECT_EQ(format({5, 5}), "Ge 1:5");
    EXPECT_EQ(format({1, 2, 2, 3}), "Ge 1:1-3");
    // Runs stop at a chapter's and a book's end.
    EXPECT_EQ(format({V(1, 1, 30), V(1, 1, 31), V(1, 2, 1), V(1, 2, 2)}), "Ge 1:30-31; 2:1-2");
    EXPECT_EQ(format({V(1, 50, 25), V(1, 50, 26), V(2, 1, 1), V(2, 1, 2)}), "Ge 50:25-26; Ex 1:1-2");
    EXPECT_EQ(format({V(1, 1, 1), V(1, 1, 3), V(1, 1, 4), V(1, 1, 6)}), "Ge 1:1,3-4,6");
    // Separator lines of a verse list and numbers outside the Bible are not verses.
    EXPECT_EQ(format({0, 1, kVerseListSeparator, 2, 31103}), "Ge 1:1-2");
    EXPECT_EQ(format({31102}), "Re 22:21");
}

}  // namespace
}  // namespace kvx
