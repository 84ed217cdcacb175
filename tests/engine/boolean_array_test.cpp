#include "engine/boolean_array.h"

#include <gtest/gtest.h>

#include "platform/exception.h"

namespace kvx {
namespace {

TEST(BooleanArray, WordCountLeavesASpareWord) {
    TBooleanArray empty(0);
    EXPECT_EQ(empty.Bits().size(), 2u);
    empty.Invert();
    EXPECT_TRUE(empty.ToVerseList().empty());
    EXPECT_EQ(empty.CountSet(), 0);

    TBooleanArray set(32);
    EXPECT_EQ(set.Bits().size(), 3u);
    set.SetItemValue(31, true);
    EXPECT_EQ(set.Bits()[0], 0x80000000u);
    EXPECT_EQ(set.Bits()[1], 0u);
    EXPECT_EQ(TBooleanArray(31102).Bits().size(), 973u);
}

TEST(BooleanArray, ReadsOutsideTheSetRaise) {
    TBooleanArray set(10);
    for (int bad : {-1, 10, 11}) {
        try {
            set.GetItemValue(bad);
            FAIL() << bad;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "TBooleanArray.GetItemValue Item index out of bounds.");
        }
    }
}

TEST(BooleanArray, SetOperationsAndVerseLists) {
    TBooleanArray a(100), b(100);
    for (int i : {0, 5, 63, 99}) a.SetItemValue(i, true);
    for (int i : {5, 64, 99}) b.SetItemValue(i, true);

    TBooleanArray both = a;
    both.AndWith(b);
    EXPECT_EQ(both.ToVerseList(), (TVerseList{6, 100}));
    TBooleanArray either = a;
    either.OrWith(b);
    EXPECT_EQ(either.ToVerseList(), (TVerseList{1, 6, 64, 65, 100}));
    TBooleanArray one = a;
    one.XorWith(b);
    EXPECT_EQ(one.ToVerseList(), (TVerseList{1, 64, 65}));
    // The complement sets bits past Count, but they never reach a verse list.
    TBooleanArray none = a;
    none.Invert();
    EXPECT_EQ(none.CountSet(), 96);
    EXPECT_EQ(none.ToVerseList().size(), 96u);
    EXPECT_EQ(none.ToVerseList().back(), 99);
    a.SetItemValue(5, false);
    EXPECT_FALSE(a.GetItemValue(5));
}

}  // namespace
}  // namespace kvx
