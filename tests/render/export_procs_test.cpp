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

#include "modules/resource_builder.h"
#include "modules/resource_module.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

// A three-number Greek lexicon in the shape the library's lexicons have.
class StrongsArticleTest : public ::testing::Test {
protected:
    void SetUp() override {
        bible_ = std::make_unique<TZBBibleModule>(test::WriteBible(dir_, test::TinyBibleSource()));
        TResourceEntryList entries = {
            {"00001", std::vector<std::string>{"<html><body>", "<p><zbgreek>&#913;</zbgreek> A</p><p>first letter. See Greek 2.</p></body></html>"}},
            {"00002", std::vector<std::string>{"<p>second</p><P>"}},
            {"00003", std::nullopt},
        };
        BuildResourceModule(nullptr, nullptr, false, nullptr, *bible_, dir_.Path(), kBuilderSeed, true, "", "StrGrk",
                            "StrGrk", "Strong's Greek", entries);
        greek_ = std::make_unique<TZBDictionaryModule>(dir_.File("StrGrk.zb5book"));
    }
    test::TempDir dir_;
    std::unique_ptr<TZBBibleModule> bible_;
    std::unique_ptr<TZBDictionaryModule> greek_;
};

TEST_F(StrongsArticleTest, KeysAndBodies) {
    const std::string heading = "<p><b>Strong's Greek Definition #1</b></font></p><br>";
    EXPECT_EQ(StrongsArticle("g1", nullptr, greek_.get()),
              heading + "\n<p><font face=\"" + GreekFontName + "\">&#913;</font> A</p><p>first letter.");
    // Only characters 2 to 5 count: "G00002" is number 0.
    EXPECT_EQ(StrongsArticle("G00002", nullptr, greek_.get()),
              "<p><b>Strong's Greek Definition #0</b></font></p><br><p>No entry for Greek number 0 in StrGrk.</p>");
    EXPECT_EQ(StrongsArticle("G2", nullptr, greek_.get()),
              "<p><b>Strong's Greek Definition #2</b></font></p><br><p>second</p>");
    for (const char* bad : {"H", "X12", "G1a", ""}) EXPECT_EQ(StrongsArticle(bad, nullptr, greek_.get()), std::string("Undefined ") + bad);
    EXPECT_EQ(StrongsArticle("g3056", nullptr, nullptr),
              "<p><b>Strong's Greek Definition #3056</b></font></p><br><p><b>Greek lexicon not loaded.</b></p>");
    EXPECT_EQ(StrongsArticle("H123456", nullptr, nullptr),
              "<p><b>Strong's Hebrew Definition #1234</b></font></p><br><p><b>Hebrew lexicon not loaded.</b></p>");
    // Numbers past the lexicon and empty entries give a short article, never an error.
    EXPECT_EQ(StrongsArticle("G9999", nullptr, greek_.get()),
              "<p><b>Strong's Greek Definition #9999</b></font></p><br><p>No entry for Greek number 9999 in StrGrk.</p>");
    EXPECT_EQ(StrongsArticle("G3", nullptr, greek_.get()), "<p><b>Strong's Greek Definition #3</b></font></p><br>");
}

}  // namespace
}  // namespace kvx
