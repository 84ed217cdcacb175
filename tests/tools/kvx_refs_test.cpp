// kvx refs, read and links as a user runs them.
#include <gtest/gtest.h>

#include "tests/support/fixtures.h"
#include "tests/tools/run_kvx.h"

namespace kvx {
namespace {

// A full-size Bible whose second verse carries a Strong's marker and a footnote.
const std::string& BiblePath() {
    static test::TempDir dir;
    static const std::string path = [] {
        TBibleModuleSource source = test::StandardBibleSource();
        source.HasStrongs = source.HasFootnotes = true;
        source.Verses[1] = "And the earth\x02" "00776 was \x93without form\x94{Or, waste}.";
        return test::WriteBible(dir, source);
    }();
    return path;
}

TEST(KvxRefs, RefsPrintsTheRangesAndTheStopPosition) {
    test::KvxResult r = test::RunKvx({"refs", "--bible", BiblePath(), "1 jn 3:16,18; ge 1-2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1Jo 3:16,18; Ge 1:1-2:25\nstop: 20\n");
    // The words of the reference may come as separate arguments.
    EXPECT_EQ(test::RunKvx({"refs", "Ge", "1:1!", "--bible", BiblePath()}).out, "Ge 1:1\nstop: -3\n");
    r = test::RunKvx({"refs", "--bible", BiblePath(), "nothing here"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "\nstop: 0\n");
}

TEST(KvxRefs, ReadPrintsEveryVerseWithoutMarkersOrNotes) {
    test::KvxResult r = test::RunKvx({"read", "--bible", BiblePath(), "Ge", "1:1-2;", "jude 25"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Ge 1:1\tText of Ge 1:1.\n"
              "Ge 1:2\tAnd the earth was \u201Cwithout form\u201D.\n"
              "Jude 1:25\tText of Jude 1:25.\n");

    r = test::RunKvx({"read", "--bible", BiblePath(), "Hezekiah 1:1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Unrecognized verse reference.\n");
}

TEST(KvxRefs, LinksConvertsReferencesAndListsTheVerses) {
    const std::string entry =
        "<p>\u201CIn the beginning\u201D: <scripref>Ge 1:1-3</scripref>, <vrl:63A>Ex 3:14</vrl> and "
        "<scripref>foo</scripref>.</p>";
    test::KvxResult r = test::RunKvx({"links", "--bible", BiblePath()}, entry);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "<p>\u201CIn the beginning\u201D: <vrl:1+2>Ge 1:1-3</vrl>, <vrl:63A>Ex 3:14</vrl> and foo.</p>\n"
              "verses: Ge 1:1-3; Ex 3:14\n");
    EXPECT_EQ(r.err, "\"foo\" is not a valid verse reference string.\n");

    r = test::RunKvx({"links", "--bible", BiblePath()}, "<vrl:zz>bad</vrl>");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
}

TEST(KvxRefs, CommandsNeedABible) {
    for (const char* command : {"refs", "read", "links"}) {
        test::KvxResult r = test::RunKvx({command, "ge 1:1"});
        EXPECT_EQ(r.status, 2) << command;
    }
    test::KvxResult r = test::RunKvx({"read", "--bible", std::string("/nonexistent/none.zb5bible"), "ge 1:1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, std::string("/nonexistent/none.zb5bible") + " does not exist.\n");
}

}  // namespace
}  // namespace kvx
