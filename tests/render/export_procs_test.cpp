#include "render/export_procs.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

TEST(ConvertEntryText, JoinsLinesLikeHtml) {
    EXPECT_EQ(ConvertEntryText("a\r\n\r\n  b\nc", false, false, false), "a b c\r\n");
    EXPECT_EQ(ConvertEntryText("a  b\r  \rc  ", false, false, false), "a  b c\r\n");
    EXPECT_EQ(ConvertEntryText("  lead", false, false, false), "  lead\r\n");
    EXPECT_EQ(ConvertEntryText("", false, false, false), "");
}

TEST(ConvertEntryText, HtmlExportConvertsLinksAndFonts) {
    const std::string text = "See <VRL:43.3.16>Joh 3:16</vrl> and <zbgreek>&#945;</ZBGREEK>";
    EXPECT_EQ(ConvertEntryText(text, true, true, false),
              std::string("See <a href=zbvrl:43.3.16>Joh 3:16</a> and <font face=\"") + GreekFontName +
                  "\">&#945;</font>\r\n");
    EXPECT_EQ(ConvertEntryText("<vrl:1>x</vrl> <zbhebrew>y</zbhebrew>", false, false, false),
              std::string("<vrl:1>x</vrl> <font face=\"") + HebrewFontName + "\">y</font>\r\n");
}

TEST(ConvertEntryText, PlainText) {
    struct Case {
        const char* text;
        bool paragraphBreaks;
        const char* expected;
    } cases[] = {
        {"<p>One</p><p>Two &amp; three</p>", false, "  One  Two & three  "},
        {"<p>One</p><P>Two<br>three", true, "\r\n\r\nOne\r\n\r\nTwo\r\nthree\r\n"},
        {"x &lt;y&gt;", false, "x <y>  "},
        {"keep < the rest goes", false, "keep "},
        {"a > b", false, "a  b  "},
        {"<html><head><title>T</title></head><body>Body &nbsp;&QUOT;q&quot;</body>", false, "Body  \"q\"  "},
        {"<vrl:1.1.1>Ge 1:1</vrl> \x02" "07225x\x08", false, "Ge 1:1 07225x  "},
        {"<blockquote>q</blockquote>", true, "\r\n\r\nq\r\n\r\n\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(ConvertEntryText(c.text, c.paragraphBreaks, true, true), c.expected) << c.text;
}

TEST(LexiconPlainText, StripsHeadwordTagsAndTail) {
    const std::string article =
        "<html><body>\n<p><zbgreek>&#945;&#947;&#940;&#960;&#951;</zbgreek> <b>agape</b></p><p>love, i.e. "
        "<i>affection</i> &amp; benevolence. See Greek 25.</p></body></html>";
    EXPECT_EQ(LexiconPlainText(article), "agape\nlove, i.e. affection & benevolence.");
    EXPECT_EQ(LexiconPlainText("<p><zbhebrew>open never closes  word "), "<zbhebrew>open never closes  word");
}

TEST(PlainTextToUtf8, DecodesNumericReferences) {
    EXPECT_EQ(PlainTextToUtf8("&#945;&#x3B2; \x93q\x94 &#;&#99999999999; &#65"), "\u03B1\u03B2 \u201Cq\u201D &#;&#99999999999; &#65");
}

}  // namespace
}  // namespace kvx
