// The page of a list of verses, built without a window: every display mode, the
// margin links, footnotes, supplied words, Strong's links, hits and paging.
#include <gtest/gtest.h>

#include "engine/bible_search.h"
#include "platform/exception.h"
#include "tests/views/view_fixtures.h"
#include "views/passage_page.h"

namespace kvx {
namespace {

using test::kGenesis;
using test::kJohn;
using test::kPsalms;
using test::kRevelation;
using test::LibraryBible;
using test::Verse;
using test::ViewLibrary;

constexpr TColor kWhite = RgbColor(255, 255, 255);

TVerseList Range(int first, int last) {
    TVerseList verses;
    for (int v = first; v <= last; ++v) verses.push_back(static_cast<uint16_t>(v));
    return verses;
}

TVerseList Chapter(const TZBBibleModule& bible, int book, int chapter) {
    return Range(bible.VerseNumber(book, chapter, 1), bible.VerseNumber(book, chapter, 255));
}

// The inputs the Bible view gives, colours already resolved.
struct TPage {
    TPage(const TZBBibleModule& bible, TVerseList list) : verses(std::move(list)) {
        const TModuleLibrary& library = ViewLibrary();
        in.Bible = &bible;
        in.Properties.BackgroundColor = in.Properties.NoteColumnColor = kWhite;
        in.Properties.TextColor = RgbColor(0, 0, 0);
        in.StrongsData = library.StrongsData();
        for (const auto& c : library.CommentaryModules()) in.MarginCommentaries.push_back(c.get());
        for (const auto& b : library.BookModules()) in.MarginBooks.push_back(b.get());
        for (const auto* c : library.UserCommentaryModules()) in.UserCommentaries.push_back(c);
        in.ParagraphMap = &library.ParagraphMap();
    }
    TPassagePage Build() {
        in.Verses = &verses;
        in.SearchKeys = &keys;
        return BuildPassagePage(in);
    }
    std::string Html() { return Build().Html; }

    TPassagePageInput in;
    TVerseList verses;
    TZBSearchKeysData keys;
};

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(PassagePage, ColumnModeWritesLabelsTextAndANoteColumnOfMarginLinks) {
    TPage page(LibraryBible("KJV"), Chapter(LibraryBible("KJV"), kGenesis, 1));
    const TPassagePage built = page.Build();
    const std::string& html = built.Html;
    EXPECT_NE(html.find("<table cellspacing=0 cellpadding=2><tr>"), std::string::npos);
    EXPECT_NE(html.find("</tr></table>"), std::string::npos);
    // Commentaries, books, then edit links; a paragraph start carries its mark.
    EXPECT_NE(html.find("<tr><td valign=top><a name=\"#1\"><b>Ge&nbsp;1:1</b></a></td><td valign=top>\xB6 In the "
                        "beginning God created the heaven and the earth. </td><td valign=top></td><td valign=top "
                        "bgcolor=><font size=-1><b>1.</b>  <a href=\"lc:1,0\"><font color=\"#008080\">TSK</font></a> "
                        "<a href=\"ld:0,1\"><font color=\"#808000\">Easton</font></a> <a href=\"ec:0,0\"><font "
                        "color=\"#008080\">Edit&nbsp;MINE</font></a></font></td></tr>"),
              std::string::npos)
        << html.substr(0, 1500);
    // The user commentary is a commentary too; a verse without comments still gets its edit link.
    EXPECT_NE(html.find("<b>2.</b>  <a href=\"lc:0,1\"><font color=\"#008080\">MINE</font></a> <a href=\"ec:0,1\">"),
              std::string::npos);
    EXPECT_NE(html.find("<b>4.</b>  <a href=\"ec:0,3\">"), std::string::npos);
    EXPECT_EQ(Count(html, "<a href=\"ec:"), 31u);
    EXPECT_EQ(built.Verses.size(), 31u);
    EXPECT_EQ(built.Verses[0].LabelLength, 6);   // "Ge 1:1"
    EXPECT_EQ(built.Verses[9].LabelLength, 7);   // "Ge 1:10"
    EXPECT_EQ(html.find("\xB6 And the earth"), std::string::npos);  // Ge 1:2 starts no paragraph

    // Without links a verse gets an empty note cell.
    page.in.Properties.LinkCommentaries = page.in.Properties.LinkDictionaries = page.in.Properties.ShowEditLinks = false;
    EXPECT_NE(page.Html().find("earth. </td><td valign=top></td><td bgcolor=></td></tr>"), std::string::npos);
    // A note column of its own colour.
    page.in.Properties.NoteColumnColor = RgbColor(0xF0, 0xE0, 0xD0);
    EXPECT_NE(page.Html().find("<td bgcolor=#F0E0D0></td></tr>"), std::string::npos);
}

TEST(PassagePage, MarginLinksFollowTheirSwitchesAndTheLinkedFlag) {
    TZBCommentaryModule& tsk = *ViewLibrary().CommentaryModules()[1];
    ASSERT_EQ(tsk.Abbreviation(), "TSK");
    TPage page(LibraryBible("KJV"), {static_cast<uint16_t>(Verse(kGenesis, 1, 1))});
    page.in.Properties.ShowEditLinks = false;
    EXPECT_NE(page.Html().find("<b>1.</b>  <a href=\"lc:1,0\">"), std::string::npos);
    tsk.SetLinked(false);
    const std::string unlinked = page.Html();
    tsk.SetLinked(true);
    EXPECT_EQ(unlinked.find("lc:"), std::string::npos);
    EXPECT_NE(unlinked.find("<b>1.</b>  <a href=\"ld:0,1\">"), std::string::npos);
    page.in.Properties.LinkDictionaries = false;
    page.in.Properties.LinkCommentaries = false;
    EXPECT_NE(page.Html().find("<td bgcolor=></td>"), std::string::npos);
}

TEST(PassagePage, ParagraphReadingFlowsTheChapterInParagraphsWithVerseNumbers) {
    const TZBBibleModule& kjv = LibraryBible("KJV");
    TPage page(kjv, Chapter(kjv, kPsalms, 119));
    page.in.Properties.ParaMode = true;  // the margin switches stay on: paragraphs have no margin
    page.in.Properties.ItalicsMode = 2;
    const TPassagePage built = page.Build();
    const std::string& html = built.Html;
    const int first = Verse(kPsalms, 119, 1);
    EXPECT_NE(html.find(Format("<p>&nbsp;&nbsp;&nbsp;<a name=\"#%d\"><sup>1</sup></a>&nbsp;Blessed are the "
                               "undefiled in the way.  <a name=\"#%d\"><sup>2</sup></a>&nbsp;",
                               first, first + 1)),
              std::string::npos)
        << html.substr(0, 800);
    EXPECT_NE(html.find(Format("<p>&nbsp;&nbsp;&nbsp;<a name=\"#%d\"><sup>9</sup></a>", first + 8)), std::string::npos);
    EXPECT_EQ(Count(html, "<p>&nbsp;&nbsp;&nbsp;"), 2u);
    for (const char* absent : {"<table", "\xB6", "lc:", "ld:", "ec:", "<br>", "{note"})
        EXPECT_EQ(html.find(absent), std::string::npos) << absent;
    ASSERT_EQ(built.Verses.size(), 176u);
    EXPECT_EQ(built.Verses[8].LabelLength, 1);
    EXPECT_EQ(built.Verses[99].LabelLength, 3);
}

TEST(PassagePage, AComparisonBibleShowsOnlyWhenItDiffersAndParagraphsAreOff) {
    const TZBBibleModule& kjv = LibraryBible("KJV");
    const TZBBibleModule& abc = LibraryBible("ABC");
    const uint16_t ge1v2 = static_cast<uint16_t>(Verse(kGenesis, 1, 2));
    struct Case {
        const TZBBibleModule* compare;
        bool columns, paragraphs;
        std::string expected;  // empty: no comparison at all
    };
    const Case cases[] = {
        {&abc, true, false,
         "<td valign=top>And the earth was without form; and darkness <I>was</I> upon the face of the deep.  (KJV)</td>"
         "<td valign=top>Text of Ge 1:2.  (ABC)</td>"},
        {&abc, false, false,
         "<a name=\"#2\"><b>Ge&nbsp;1:2</b></a>&nbsp;And the earth was without form; and darkness <I>was</I> upon the "
         "face of the deep.  (KJV)<br><b>Ge&nbsp;1:2</b></a>&nbsp;Text of Ge 1:2.  (ABC)<br>"},
        {&kjv, true, false, ""},
        {&abc, true, true, ""},
    };
    for (const Case& c : cases) {
        TPage page(kjv, {ge1v2});
        page.in.CompareBible = c.compare;
        page.in.Properties.ColumnMode = c.columns;
        page.in.Properties.ParaMode = c.paragraphs;
        page.in.Properties.ShowEditLinks = false;
        const std::string html = page.Html();
        if (c.expected.empty()) {
            EXPECT_EQ(html.find("(KJV)"), std::string::npos) << html;
            EXPECT_EQ(html.find("(ABC)"), std::string::npos) << html;
        } else {
            EXPECT_NE(html.find(c.expected), std::string::npos) << html;
        }
    }
}

TEST(PassagePage, OnePageHasOneEncodingWhateverTheComparisonBibleUses) {
    const uint16_t john1v1 = static_cast<uint16_t>(Verse(kJohn, 1, 1));
    TPage ansi(LibraryBible("KJV"), {john1v1});
    ansi.in.CompareBible = &LibraryBible("UTF");
    const TPassagePage ansiPage = ansi.Build();
    EXPECT_FALSE(ansiPage.Utf8);
    EXPECT_NE(ansiPage.Html.find("<td valign=top>&#7952;&#957; &#7936;&#961;&#967;&#8135;  (UTF)</td>"),
              std::string::npos)
        << ansiPage.Html;

    TPage utf(LibraryBible("UTF"), {john1v1});
    utf.in.CompareBible = &LibraryBible("ABC");
    const TPassagePage utfPage = utf.Build();
    EXPECT_TRUE(utfPage.Utf8);
    EXPECT_NE(utfPage.Html.find("<meta http-equiv=\"Content-type\" content=\"text/html;charset=UTF-8\" />"),
              std::string::npos);
    EXPECT_NE(utfPage.Html.find("\xe1\xbc\x90\xce\xbd"), std::string::npos);
}

TEST(PassagePage, FootnotesAreLetteredInTheNoteColumnOrShownInline) {
    const TZBBibleModule& kjv = LibraryBible("KJV");
    TPage psalm(kjv, Chapter(kjv, kPsalms, 119));
    psalm.in.Properties.ShowFootnotes = true;
    psalm.in.Properties.LinkCommentaries = psalm.in.Properties.LinkDictionaries = psalm.in.Properties.ShowEditLinks = false;
    const std::string html = psalm.Html();
    // Twenty-seven notes: "a" to "z", then "a" again.
    EXPECT_NE(html.find("undefiled<font color=\"#800080\"><sup>z </sup></font> in the way."), std::string::npos);
    EXPECT_NE(html.find("<b>26.</b> <font color=\"#800080\"><b>z.</b> note 26<br></font></td></tr>"), std::string::npos);
    EXPECT_NE(html.find("<b>27.</b> <font color=\"#800080\"><b>a.</b> note 27<br></font></td></tr>"), std::string::npos);
    EXPECT_EQ(Count(html, "<sup>a </sup>"), 2u);

    // A note after a space: the letter follows the word directly.
    TPage genesis(kjv, {static_cast<uint16_t>(Verse(kGenesis, 1, 6))});
    genesis.in.Properties.ShowFootnotes = true;
    EXPECT_NE(genesis.Html().find("firmament<font color=\"#800080\"><sup>a </sup></font> in the midst"),
              std::string::npos);
    genesis.in.Properties.ColumnMode = false;
    EXPECT_NE(genesis.Html().find("firmament <font color=\"#800080\">{Heb. expansion}</font> in the midst"),
              std::string::npos);
    genesis.in.Properties.ShowFootnotes = false;
    EXPECT_NE(genesis.Html().find("firmament  in the midst"), std::string::npos);
}

TEST(PassagePage, SuppliedWordsFollowTheItalicsMode) {
    const std::pair<int, const char*> cases[] = {
        {0, "darkness <I>was</I> upon"}, {1, "darkness [was] upon"}, {2, "darkness was upon"}};
    for (const auto& [mode, expected] : cases) {
        TPage page(LibraryBible("KJV"), {static_cast<uint16_t>(Verse(kGenesis, 1, 2))});
        page.in.Properties.ItalicsMode = mode;
        EXPECT_NE(page.Html().find(expected), std::string::npos) << mode;
    }
}

TEST(PassagePage, SmallPrintAndTheDivineNameArePrintedSmaller) {
    const TZBBibleModule& kjv = LibraryBible("KJV");
    TPage page(kjv, {static_cast<uint16_t>(Verse(kPsalms, 3, 1)), static_cast<uint16_t>(Verse(kGenesis, 2, 4))});
    const std::string html = page.Html();
    EXPECT_NE(html.find("<font size=-1>A Psalm of David.</font> L<font size=-1>ORD</font>, how are"), std::string::npos);
    EXPECT_NE(html.find("the L<font size=-1>ORD</font> God made"), std::string::npos);
    // A hit on the name is still found and marked whole.
    TVerseList found;
    LibraryBible("KJV").SearchQuery("LORD", kSearchMatchCase, found, -1, -1, page.keys);
    EXPECT_NE(page.Html().find("<span style=\"background-color:#FFFF00;font-weight:bold\">L<font size=-1>ORD</font></span>"),
              std::string::npos);
}

TEST(PassagePage, StrongsLinksNameTheWordsOfTheStrongsData) {
    const TZBBibleModule& twin = LibraryBible("KJVSL");
    TPage page(twin, {static_cast<uint16_t>(Verse(kGenesis, 1, 1)), static_cast<uint16_t>(Verse(kJohn, 3, 16)),
                      static_cast<uint16_t>(Verse(kJohn, 3, 17))});
    std::string html = page.Html();
    EXPECT_NE(html.find("In the beginning <a href=\"h:1\"><font face=\"Ezra SIL\" color=\"#008000\">&#1488;&#1489;"
                        "</font></a> God <a href=\"h:2\">"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("For God <a href=\"g:1\"><font face=\"Gentium Plus\" color=\"#008000\">&#945;</font></a> so "
                        "loved <a href=\"g:2\">"),
              std::string::npos);
    // Digits that are no number lose their marker; a number the tables lack names itself.
    EXPECT_NE(html.find("For God sent1x345 not his Son <a href=\"h:9999\"><font face=\"Ezra SIL\" "
                        "color=\"#008000\">9999</font></a> into the world."),
              std::string::npos);
    EXPECT_EQ(LibraryBible("KJV").StrongsLinks(), false);
    TPage plain(LibraryBible("KJV"), {static_cast<uint16_t>(Verse(kGenesis, 1, 1))});
    EXPECT_EQ(plain.Html().find("h:1"), std::string::npos);

    // Searched for, the number's links are highlighted; the others are not.
    TVerseList found;
    LibraryBible("KJVSL").SearchQuery("H1", 0, found, -1, -1, page.keys);
    ASSERT_EQ(found.size(), 1u);
    html = page.Html();
    EXPECT_NE(html.find("<a href=\"h:1\" style=\"background-color:#FFFF00;font-weight:bold;font-family:Ezra SIL;\">"
                        "&#1488;&#1489;</a>"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<a href=\"h:2\"><font face=\"Ezra SIL\""), std::string::npos);
}

TEST(PassagePage, SearchHitsAreHighlightedAndNumberedThroughThePage) {
    const TZBBibleModule& twin = LibraryBible("KJVSL");
    TPage page(twin, Range(Verse(kGenesis, 1, 1), Verse(kGenesis, 1, 2)));
    TVerseList found;
    LibraryBible("KJVSL").SearchQuery("earth", 0, found, -1, -1, page.keys);
    const TPassagePage built = page.Build();
    EXPECT_EQ(built.SearchKeyCount, 2);
    const std::string mark = "<span style=\"background-color:#FFFF00;font-weight:bold\">earth</span></a>";
    EXPECT_NE(built.Html.find("created the heaven and the <a name=\"skey0\">" + mark), std::string::npos) << built.Html;
    EXPECT_NE(built.Html.find("And the <a name=\"skey1\">" + mark), std::string::npos);
    // The Strong's links of the verse are left whole.
    EXPECT_NE(built.Html.find("<a href=\"h:1\"><font face=\"Ezra SIL\""), std::string::npos);
}

TEST(PassagePage, LongListsAreShownAHundredItemsAtATime) {
    const TZBBibleModule& kjv = LibraryBible("KJV");
    struct Case {
        int items, start;
        std::string line;  // empty: no navigation line
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {250, 0, "Showing 1 to 100 of 250. | <a href=\"pn:100\">Next&nbsp;100</a>", {"Previous&nbsp;"}},
        {250, 100, "Showing 101 to 200 of 250. | <a href=\"pn:0\">Previous&nbsp;100</a> | <a href=\"pn:200\">Next&nbsp;50</a>", {}},
        {250, 200, "Showing 201 to 250 of 250. | <a href=\"pn:100\">Previous&nbsp;100</a>", {"Next&nbsp;"}},
        {100, 0, "", {"Showing"}},
    };
    for (const Case& c : cases) {
        TPage page(kjv, Range(1, c.items));
        page.in.Paged = true;
        page.in.PageStart = c.start;
        page.in.Properties.ShowEditLinks = false;
        const TPassagePage built = page.Build();
        const std::string name = std::to_string(c.items) + "@" + std::to_string(c.start);
        if (!c.line.empty()) {
            const std::string line = "<font size=-1>" + c.line + "</font>";
            EXPECT_NE(built.Html.find("<body><center>" + line + "</center><p>"), std::string::npos) << name;
            EXPECT_NE(built.Html.find("<p><center>" + line + "</center></body>"), std::string::npos) << name;
        }
        for (const std::string& text : c.absent) EXPECT_EQ(built.Html.find(text), std::string::npos) << name;
        EXPECT_EQ(built.PageStart, c.start) << name;
        EXPECT_EQ(static_cast<int>(built.Verses.size()), std::min(100, c.items - c.start)) << name;
        EXPECT_EQ(built.PageSelectorItems.size(), c.items == 250 ? 3u : 1u) << name;
        EXPECT_EQ(built.PageSelectorIndex, c.start / 100) << name;
    }
    TPage page(kjv, Range(1, 250));
    page.in.Paged = true;
    EXPECT_EQ(page.Build().PageSelectorItems[2], kjv.VerseReference(201) + " - " + kjv.VerseReference(250));

    // A separator line inside the list.
    TPage separated(kjv, {1, kVerseListSeparator, 2});
    const TPassagePage built = separated.Build();
    EXPECT_NE(built.Html.find("</tr><tr><td>&nbsp;</td></tr><tr>"), std::string::npos);
    EXPECT_EQ(built.Verses.size(), 2u);
}

TEST(PassagePage, ChapterLinksStopAtTheEndsOfTheBible) {
    const TZBBibleModule& kjv = LibraryBible("KJV");
    TPage genesis(kjv, Chapter(kjv, kGenesis, 1));
    genesis.in.PreviousChapterLink = genesis.in.NextChapterLink = true;
    std::string html = genesis.Html();
    EXPECT_EQ(html.find("Previous Chapter"), std::string::npos);
    EXPECT_NE(html.find(Format("<p align=\"right\"><font size=-1><a href=\"lp:%d\">Next Chapter</a></font></p>",
                               Verse(kGenesis, 2, 1))),
              std::string::npos);

    TPage revelation(kjv, Chapter(kjv, kRevelation, 22));
    revelation.in.PreviousChapterLink = revelation.in.NextChapterLink = true;
    html = revelation.Html();
    EXPECT_NE(html.find(Format("<div align=\"right\"><font size=-1><a href=\"lp:%d\">Previous Chapter</a></font></div><br>",
                               Verse(kRevelation, 22, 1) - 1)),
              std::string::npos);
    EXPECT_EQ(html.find("Next Chapter"), std::string::npos);
}

TEST(PassagePage, VerseListsLinkTheirReferenceLabels) {
    TPage page(LibraryBible("KJV"), {3});
    page.in.ReferencesAsLinks = true;
    page.in.Properties.ShowEditLinks = false;
    EXPECT_NE(page.Html().find("<tr><td valign=top><a name=\"#3\"><a href=\"lp:3\"><b>Ge&nbsp;1:3</b></a></td>"),
              std::string::npos);
    page.in.Properties.ColumnMode = false;
    EXPECT_NE(page.Html().find("<a name=\"#3\"><a href=\"lp:3\"><b>Ge&nbsp;1:3</b></a>&nbsp;\xB6 Text of Ge 1:3. </a>"
                               "<br><font size=-1> <a href=\"ld:0,3\">"),
              std::string::npos);
    // Paragraph reading keeps the linked labels.
    page.in.Properties.ParaMode = true;
    EXPECT_NE(page.Html().find("<a href=\"lp:3\"><b>Ge&nbsp;1:3</b></a>"), std::string::npos);
}

TEST(PassagePage, AVerseTheBibleLacksStopsTheBuildWithTheReadersError) {
    TPage page(LibraryBible("KJV"), {1, 31103});
    try {
        page.Build();
        FAIL() << "built";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "GetVerseText verse number (31103) out of range.");
    }
    TPage none(LibraryBible("KJV"), {});
    const TPassagePage empty = none.Build();
    EXPECT_TRUE(empty.Verses.empty());
    EXPECT_EQ(empty.PageEnd, -1);
}

}  // namespace
}  // namespace kvx
