#include "engine/name_list.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

using Names = std::vector<std::string>;

TEST(NameList, SplitsOnlyAtCommasOutsideQuotes) {
    EXPECT_EQ(SplitNameList("Genesis,Song of Solomon,1 Kings"), (Names{"Genesis", "Song of Solomon", "1 Kings"}));
    EXPECT_EQ(SplitNameList("\"a,b\",\"say \"\"hi\"\"\",c"), (Names{"a,b", "say \"hi\"", "c"}));
    EXPECT_EQ(SplitNameList("a,,b,"), (Names{"a", "", "b", ""}));
    EXPECT_TRUE(SplitNameList("").empty());
    EXPECT_EQ(SplitNameList("\"unterminated, still one"), (Names{"unterminated, still one"}));
}

TEST(NameList, JoinAndSplitRoundTrip) {
    Names names{"plain", "with, comma", "\"quoted\"", "", "Lord's"};
    EXPECT_EQ(SplitNameList(JoinNameList(names)), names);
}

}  // namespace
}  // namespace kvx
