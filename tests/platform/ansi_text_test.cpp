#include "platform/ansi_text.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

TEST(AnsiText, Windows1252RoundTripsThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
    EXPECT_EQ(AnsiToUtf8("\x93quoted\x94 \x80"), "\u201Cquoted\u201D \u20AC");
}

TEST(AnsiText, CharactersOutsideTheCodePageBecomeNumericReferences) {
    EXPECT_EQ(Utf8ToAnsi("\u1F00\u03B3\u03AC\u03C0\u03B7"), "&#7936;&#947;&#940;&#960;&#951;");
    EXPECT_EQ(Utf8ToAnsi("\u05D0", false), "?");
    // Bytes that are not UTF-8 are kept as they are rather than lost.
    EXPECT_EQ(Utf8ToAnsi("caf\xE9!"), "caf\xE9!");
    EXPECT_EQ(Utf8ToAnsi("\xE2\x82"), "\xE2\x82");
}

TEST(AnsiText, CaseRulesCoverAccentedLetters) {
    EXPECT_EQ(AnsiLowerCase("AB\xC9\x8A\x9F\xD7"), "ab\xE9\x9A\xFF\xD7");
    EXPECT_EQ(AnsiUpperCase("ab\xE9\xFF"), "AB\xC9\x9F");
    EXPECT_EQ(AsciiLowerCase("LOVE\xC9"), "love\xC9");
    EXPECT_TRUE(AnsiSameText("Lord's", "LORD'S"));
    EXPECT_LT(AnsiCompareText("abc", "ABD"), 0);
    EXPECT_GT(AnsiCompareText("abcd", "ABC"), 0);
    EXPECT_TRUE(AnsiStartsText("LO", "love"));
    EXPECT_TRUE(AnsiEndsText("VE", "love"));
    EXPECT_EQ(AnsiFindText("BODY", "<html><body>"), 7u);
    EXPECT_EQ(AnsiFindText("x", "abc"), std::string::npos);
}

TEST(AnsiText, ReplaceAllNeverRescansWhatItInserted) {
    EXPECT_EQ(ReplaceAll("{a}{b}", "}", "}</font>"), "{a}</font>{b}</font>");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("<<<<", "<<", "<"), "<<");
    EXPECT_EQ(ReplaceAll("Ps 1:\r\n2", "\r\n", " "), "Ps 1: 2");
    EXPECT_EQ(ReplaceAll("LORD", "lord", "x"), "LORD");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

}  // namespace
}  // namespace kvx
