// kvx search, suggest and hits as a user runs them.
#include <gtest/gtest.h>

#include "tests/support/fixtures.h"
#include "tests/tools/run_kvx.h"

namespace kvx {
namespace {

// A full-size Bible with a few verses worth searching.
const std::string& BiblePath() {
    static test::TempDir dir;
    static const std::string path = [] {
        TBibleModuleSource source = test::StandardBibleSource("TST");
        source.HasStrongs = source.HasFootnotes = true;
        source.Verses[0] = "In the beginning God\x02" "00430 created the heaven and the earth.";
        source.Verses[1] = "And the earth was without form{Or, a waste}; and God said.";
        source.Verses[23145] = "The book of the generation of Jesus Christ, the son of David.";
        source.Verses[26045] = "In the beginning was the Word, and the Word was with God\x03" "02316.";
        source.Verses[26136] = "For God so loved the world, \x93that he gave\x94 his only begotten Son.";
        source.Verses[31101] = "The grace of our Lord Jesus Christ be with you all. Amen.";
        return test::WriteBible(dir, source);
    }();
    return path;
}

test::KvxResult RunSearch(std::vector<std::string> args) {
    args.insert(args.begin() + 1, {"--bible", BiblePath()});
    return test::RunKvx(args);
}

TEST(KvxSearch, PrintsTheReferencesAndTheCount) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"search", "beginning"}, "Ge 1:1\nJoh 1:1\n2 verses\n"},
        {{"search", "God", "earth"}, "Ge 1:1\nGe 1:2\n2 verses\n"},
        {{"search", "--any", "heaven", "Word"}, "Ge 1:1\nJoh 1:1\n2 verses\n"},
        {{"search", "--phrase", "in the beginning"}, "Ge 1:1\nJoh 1:1\n2 verses\n"},
        {{"search", "--phrase", "the beginning in"}, "0 verses\n"},
        {{"search", "\"the Word\" ! God"}, "0 verses\n"},
        {{"search", "--range", "nt", "beginning"}, "Joh 1:1\n1 verses\n"},
        {{"search", "--range", "Ge 1", "God"}, "Ge 1:1\nGe 1:2\n2 verses\n"},
        {{"search", "--range", "Joh 1:2-3:16", "God"}, "Joh 3:16\n1 verses\n"},
        {{"search", "--case", "word"}, "0 verses\n"},
        {{"search", "--stem", "love"}, "Joh 3:16\n1 verses\n"},
        {{"search", "--fuzzy", "begining"}, "Ge 1:1\nJoh 1:1\n2 verses\n"},
        {{"search", "--substring", "ginn"}, "Ge 1:1\nJoh 1:1\n2 verses\n"},
        {{"search", "waste"}, "0 verses\n"},
        {{"search", "--footnotes", "waste"}, "Ge 1:2\n1 verses\n"},
        {{"search", "G2316 | H430"}, "Ge 1:1\nJoh 1:1\n2 verses\n"},
        {{"search", "--range", "Re 22:21", "!", "Jesus"}, "0 verses\n"},
    };
    for (const Case& c : cases) {
        test::KvxResult r = RunSearch(c.args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << testing::PrintToString(c.args);
    }
}

TEST(KvxSearch, SuggestAndHits) {
    test::KvxResult r = RunSearch({"suggest", "Begining"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "beginning");

    r = RunSearch({"hits", "the beginning | God", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "In [[the]] [[beginning]] [[God]] created [[the]] heaven and [[the]] earth.\n");
    r = RunSearch({"hits", "\"the Word\"", "Joh 1:1"});
    EXPECT_EQ(r.out, "In the beginning was [[the]] [[Word]], and [[the]] [[Word]] was with God.\n");
    // Text outside Windows-1252's ASCII part comes out as UTF-8.
    r = RunSearch({"hits", "loved", "Joh 3:16"});
    EXPECT_EQ(r.out, "For God so [[loved]] the world, \u201Cthat he gave\u201D his only begotten Son.\n");
    r = RunSearch({"hits", "--footnotes", "waste", "2"});
    EXPECT_EQ(r.out, "And the earth was without form{Or, a [[waste]]}; and God said.\n");
}

TEST(KvxSearch, ErrorsAndUsage) {
    test::KvxResult r = RunSearch({"search", "--range", "Hezekiah 9", "God"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Unrecognized search range: Hezekiah 9\n");
    EXPECT_EQ(RunSearch({"search"}).status, 2);
    EXPECT_EQ(RunSearch({"search", "--any", "--phrase", "God"}).status, 2);
    EXPECT_EQ(test::RunKvx({"search", "God"}).status, 2);
    EXPECT_EQ(RunSearch({"hits", "God"}).status, 2);
    r = RunSearch({"hits", "God", "99999"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "GetVerseText verse number (99999) out of range.\n");
    // Malformed queries are answered, not refused.
    r = RunSearch({"search", "((God | ) & \"in the"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Ge 1:1\nJoh 1:1\n2 verses\n");
}

}  // namespace
}  // namespace kvx
