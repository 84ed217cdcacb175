// Verses copied in the ten styles, as the panes' copy commands write them.
#include <gtest/gtest.h>

#include "tests/views/view_fixtures.h"
#include "views/passage_format.h"

namespace kvx {
namespace {

using test::kGenesis;
using test::kJohn;
using test::kPsalms;
using test::LibraryBible;
using test::Verse;
using test::ViewLibrary;

std::string Copy(const std::string& bible, int first, int last, bool html, TVerseExportFormat format,
                 TPropertiesBibleView bibleText = {}) {
    return FormatPassage(first, last, LibraryBible(bible), html, format, ViewLibrary().StrongsData(), bibleText);
}

TEST(PassageFormat, TheStylesPlaceReferencesAndVersesAsTheyName) {
    const int ge1v1 = Verse(kGenesis, 1, 1), john316 = Verse(kJohn, 3, 16);
    struct Case {
        const char* name;
        int first, last;
        TVerseExportFormat format;
        bool html;
        std::string expected;
    };
    const Case cases[] = {
        {"A with tag", john316, john316, {0, false, false, true}, false, "John 3:16 (KJV)  For God so loved the world."},
        {"D in HTML", john316, john316 + 1, {3, false, false, false}, true,
         "For God so loved the world. For God sent not his Son into the world. <b>(Joh 3:16-17)</b>"},
        {"E across chapters", Verse(kGenesis, 1, 31), Verse(kGenesis, 2, 2), {4, false, false, false}, false,
         "Genesis 1:31 Text of Ge 1:31.\r\n\r\nGenesis 2:1 Text of Ge 2:1.\r\n\r\n2 Text of Ge 2:2."},
        {"I", ge1v1, ge1v1 + 2, {8, false, false, false}, false,
         "Genesis 1:1-3   1 In the beginning God created the heaven and the earth.  2 And the earth was without "
         "form; and darkness was upon the face of the deep.  3 Text of Ge 1:3."},
        {"H with tag", ge1v1, ge1v1 + 1, {7, true, false, true}, false,
         "Ge 1:1 (KJV) In the beginning God created the heaven and the earth.\r\nGe 1:2 (KJV) And the earth was "
         "without form; and darkness [was] upon the face of the deep."},
        {"B across books", Verse(kGenesis, 50, 26), Verse(2, 1, 1), {1, false, false, false}, false,
         "Ge 50:26 - Ex 1:1  Text of Ge 50:26. Text of Ex 1:1."},
    };
    for (const Case& c : cases) EXPECT_EQ(Copy("KJV", c.first, c.last, c.html, c.format), c.expected) << c.name;
}

TEST(PassageFormat, StrongsNumbersSmallPrintAndFootnotesInEachForm) {
    const int ge1v1 = Verse(kGenesis, 1, 1);
    // Only the Strong's-links twin shows the numbers: transliterated in plain text.
    EXPECT_EQ(Copy("KJVSL", ge1v1, ge1v1, false, {1}),
              "Ge 1:1  In the beginning <'ab> God <'ab> created the heaven and the earth.");
    EXPECT_NE(Copy("KJVSL", ge1v1, ge1v1, true, {1}).find(
                  " <font face=\"Ezra SIL\" color=\"008000\">&#1488;&#1489;</font> God"),
              std::string::npos);
    // Small print is a way of printing: plain text keeps the words without the marks.
    const int psalm3 = Verse(kPsalms, 3, 1);
    EXPECT_EQ(Copy("KJV", psalm3, psalm3, false, {1}), "Ps 3:1  A Psalm of David. LORD, how are they increased that trouble me!");
    EXPECT_NE(Copy("KJV", psalm3, psalm3, true, {1}).find("<font size=-1>A Psalm of David.</font>"), std::string::npos);
    // ItalicsMode 1 keeps the brackets in HTML; plain text keeps them only when asked.
    TPropertiesBibleView keep;
    keep.ItalicsMode = 1;
    const int ge1v2 = ge1v1 + 1;
    EXPECT_NE(Copy("KJV", ge1v2, ge1v2, true, {1}, keep).find("darkness [was] upon"), std::string::npos);
    EXPECT_NE(Copy("KJV", ge1v2, ge1v2, true, {1}).find("darkness <i>was</i> upon"), std::string::npos);
    const int ge1v6 = Verse(kGenesis, 1, 6);
    EXPECT_EQ(Copy("KJV", ge1v6, ge1v6, false, {1, false, true, false}),
              "Ge 1:6  Let there be a firmament {Heb. expansion} in the midst of the waters.");
    EXPECT_NE(Copy("KJV", ge1v6, ge1v6, true, {1, false, true, false}).find("<font color=800080>{Heb. expansion}</font>"),
              std::string::npos);
}

}  // namespace
}  // namespace kvx
