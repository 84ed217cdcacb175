// Value encodings of the settings file: colours, comma text, sorted lists, dates.
#include "app/settings_values.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace kvx {
namespace {

using namespace std::chrono;

TEST(SettingsValues, ColorToHtmlReadsTheLowBytesRedFirst) {
    struct Case {
        TColor color;
        const char* html;
    } cases[] = {
        {kColorYellow, "FFFF00"}, {kColorPurple, "800080"}, {kColorTeal, "008080"}, {kColorOlive, "808000"},
        {kColorBlue, "0000FF"},   {RgbColor(0x12, 0xAB, 0xEF), "12ABEF"}, {0, "000000"},
        {kColorWindow, "050000"},  // not resolved: its low bytes
    };
    for (const Case& c : cases) EXPECT_EQ(ColorToHtml(c.color), c.html) << c.color;
    EXPECT_EQ(kColorWindow, -16777211);
    EXPECT_TRUE(IsSystemColor(kColorInfoBk));
    EXPECT_EQ(SystemColorIndex(kColorInfoBk), 24);
    EXPECT_FALSE(IsSystemColor(RgbColor(255, 255, 255)));
}

TEST(SettingsValues, CommaTextQuotesWhatWouldNotReadBack) {
    struct Case {
        std::vector<std::string> items;
        const char* text;
    } cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"KJV", "TSK"}, "KJV,TSK"},
        {{"A,B"}, "\"A,B\""},
        {{"My Module", "say \"hi\"", "tab\there", "caf\xE9"}, "\"My Module\",\"say \"\"hi\"\"\",\"tab\there\",caf\xE9"},
        {{"KJV", "", "", "KJV"}, "KJV,,,KJV"},
        {{"a", ""}, "a,"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommaText(c.items), c.text);
        EXPECT_EQ(SplitCommaText(c.text), c.items) << c.text;
    }
    // Only commas separate items when reading; stray text after a quote stays with its item.
    EXPECT_EQ(SplitCommaText("a b,\"c\"d,\"unclosed"), (std::vector<std::string>{"a b", "cd", "unclosed"}));
}

TEST(SettingsValues, SortedListIgnoresCaseAndKeepsTheFirstSpelling) {
    TSortedStringList list({"zeta", "Alpha", "beta", "ALPHA", "\xC9tude"});
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"Alpha", "beta", "zeta", "\xC9tude"}));
    EXPECT_TRUE(list.Contains("ZETA"));
    EXPECT_TRUE(list.Contains("\xE9TUDE"));
    EXPECT_FALSE(list.Add("BETA"));
    EXPECT_TRUE(list.Add("Gamma"));
    EXPECT_TRUE(list.Remove("alpha"));
    EXPECT_FALSE(list.Remove("alpha"));
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"beta", "Gamma", "zeta", "\xC9tude"}));
}

TEST(SettingsValues, DatePatternsOfLocales) {
    struct Case {
        const char* locale;
        const char* pattern;
    } cases[] = {
        {"%m/%d/%y", "%m/%d/%Y"},  // a two-digit year would come back in the wrong century
        {"%d.%m.%Y", "%d.%m.%Y"},
        {"%e/%m/%Y", "%d/%m/%Y"},
        {"%D", "%m/%d/%Y"},
        {"%F", "%Y-%m-%d"},
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", "%Y-%m-%d"},  // not plain separators
        {"%b %d %Y", "%Y-%m-%d"},
        {"%d/%m", "%Y-%m-%d"},
        {"%d%m%Y%d", "%Y-%m-%d"},
    };
    for (const Case& c : cases) EXPECT_EQ(NormaliseDatePattern(c.locale), c.pattern) << c.locale;

    const char* saved = std::getenv("LC_ALL");
    std::string keep = saved ? saved : "";
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(UserShortDatePattern(), "%m/%d/%Y");
    if (saved) setenv("LC_ALL", keep.c_str(), 1); else unsetenv("LC_ALL");
}

TEST(SettingsValues, DatesReadBackInTheirPatternOrAsIso) {
    const TDate date = 2024y / February / 9d;
    struct Case {
        const char* pattern;
        const char* text;
    } cases[] = {{"%m/%d/%Y", "02/09/2024"}, {"%d.%m.%Y", "09.02.2024"}, {"%Y-%m-%d", "2024-02-09"}, {"%d%m%Y", "09022024"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDate(date, c.pattern), c.text);
        EXPECT_EQ(ParseDate(c.text, c.pattern), date) << c.pattern;
        EXPECT_EQ(ParseDate("2024-02-09", c.pattern), date) << c.pattern;
    }
    EXPECT_EQ(ParseDate("2/9/2024", "%m/%d/%Y"), date);
    for (const char* bad : {"", "02/30/2024", "13/01/2024", "02/09/24", "02/09/2024x", "02-09-2024", "yesterday"})
        EXPECT_FALSE(ParseDate(bad, "%m/%d/%Y").has_value()) << bad;
    EXPECT_TRUE(Today().ok());
}

}  // namespace
}  // namespace kvx
