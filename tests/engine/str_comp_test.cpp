#include "engine/str_comp.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

long double Compare(const std::string& a, const std::string& b, bool upper = true) {
    TkvcStrComp2k c;
    c.SetTarget(a);
    c.SetCandidate(b);
    c.SetUpperCaseBoth(upper);
    const long double result = c.Compare();
    EXPECT_EQ(result, c.Similarity());
    return result;
}

TEST(StrComp, EqualUnrelatedAndEmpty) {
    EXPECT_DOUBLE_EQ(static_cast<double>(Compare("shepherd", "shepherd")), 1.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(Compare("abc", "xyz")), 0.0);
    EXPECT_EQ(Compare("", "word"), 0);
    EXPECT_EQ(Compare("word", "   "), 0);
    // Control characters are stripped, and what is left may be nothing at all.
    EXPECT_EQ(Compare("\t\t", "word"), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(Compare(" love\t", "love")), 1.0);
}

TEST(StrComp, TranspositionCountedOnceAtItsAlignedPosition) {
    // 6 common characters, 1 transposition, a common prefix of 3 and the long-string
    // boost: ((1 + 1 + 5/6) / 3, then + 3 * 0.1 * (1 - w), then + (1 - w) * 2 / 8.
    long double w = (2.0L + 5.0L / 6.0L) / 3.0L;
    w += 0.3L * (1 - w);
    w += (1 - w) * 2.0L / 8.0L;
    EXPECT_NEAR(static_cast<double>(Compare("MARTHA", "MARHTA")), static_cast<double>(w), 1e-12);
    EXPECT_EQ(Compare("MARTHA", "MARHTA"), Compare("martha", "marhta"));
}

TEST(StrComp, OnlyTheFirstSixtyCharactersCount) {
    const std::string stem(60, 'q');
    EXPECT_DOUBLE_EQ(static_cast<double>(Compare(stem + "abc", stem + "xyz")), 1.0);
    EXPECT_LT(Compare(stem.substr(1) + "abc", stem.substr(1) + "xyz"), 1.0);
}

TEST(StrComp, SimilarCharactersEarnCreditOnlyInUpperCase) {
    TkvcStrComp2k c;
    EXPECT_EQ(c.Weight('A', 'E'), 3);
    EXPECT_EQ(c.Weight('E', 'A'), 3);
    EXPECT_EQ(c.Weight('Y', 'I'), 4);
    EXPECT_EQ(c.Weight('K', 'C'), 4);
    EXPECT_EQ(c.Weight('a', 'e'), 0);
    EXPECT_EQ(c.Weight('A', 'A'), 0);
    EXPECT_EQ(c.Weight(200, 'A'), 0);
    // DAVID against DEVID: A and E are not common but similar.
    const long double upper = Compare("david", "devid", true);
    const long double lower = Compare("david", "devid", false);
    EXPECT_GT(upper, lower);
    EXPECT_EQ(lower, Compare("dxvid", "dyvid", false));
}

TEST(StrComp, TheTargetStaysForManyCandidates) {
    TkvcStrComp2k c;
    c.SetTarget("SHEPARD");
    c.SetUpperCaseBoth(true);
    const long double close = c.CompareWith("shepherd");
    EXPECT_GT(close, 0.9L);
    EXPECT_LT(close, 1.0L);
    EXPECT_LT(c.CompareWith("sheep"), close);
    EXPECT_EQ(c.Target(), "SHEPARD");
    EXPECT_TRUE(c.LongStringAdjust());
}

}  // namespace
}  // namespace kvx
