// kvx lexicon and kvx entry --plain against a small library of the project's own making.
#include <filesystem>

#include <gtest/gtest.h>

#include "modules/resource_builder.h"
#include "modules/strongs_data_writer.h"
#include "tests/support/fixtures.h"
#include "tests/tools/run_kvx.h"

namespace kvx {
namespace {

class KvxLexicon : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_.File("Modules"));
        std::vector<TStrongsEntry> hebrew(8674), greek(26);
        hebrew[7224] = {"\u05E8\u05D0\u05E9\u05C1\u05D9\u05EA", "r\u00EA'sh\u00EEyth"};
        greek[25] = {"\u1F00\u03B3\u03AC\u03C0\u03B7", "agap\u0113"};
        WriteStrongsData(dir_.File("stgdat.zb4"), hebrew, greek);
        TZBBibleModule bible(test::WriteBible(dir_, test::TinyBibleSource()));
        TResourceEntryList entries;
        for (int n = 1; n <= 26; ++n) entries.push_back({Format("%05d", n), std::vector<std::string>{"<p>number</p>"}});
        entries[25].Lines = std::vector<std::string>{
            "<p><zbgreek>&#7936;&#947;&#940;&#960;&#951;</zbgreek> <b>agap&#275;</b></p><p>love, i.e. affection "
            "&amp; benevolence. See Greek 25.</p>"};
        BuildResourceModule(nullptr, nullptr, false, nullptr, bible, dir_.File("Modules"), kBuilderSeed, true, "",
                            "StrGrk", "StrGrk", "Strong's Greek", entries);
    }
    test::TempDir dir_;
};

TEST_F(KvxLexicon, WordTransliterationAndArticle) {
    test::KvxResult greek = test::RunKvx({"lexicon", "G26", "--library", dir_.Path()});
    EXPECT_EQ(greek.status, 0) << greek.err;
    EXPECT_EQ(greek.out, "\u1F00\u03B3\u03AC\u03C0\u03B7\tagap\u0113\nagap\u0113\nlove, i.e. affection & benevolence.\n");
    // No Hebrew lexicon in this library: the Strong's data alone.
    test::KvxResult hebrew = test::RunKvx({"lexicon", "h7225", "--library", dir_.Path()});
    EXPECT_EQ(hebrew.out, "\u05E8\u05D0\u05E9\u05C1\u05D9\u05EA\tr\u00EA'sh\u00EEyth\n");
    EXPECT_EQ(test::RunKvx({"lexicon", "X1", "--library", dir_.Path()}).status, 2);
    EXPECT_EQ(test::RunKvx({"lexicon", "G26", "--library", dir_.File("nowhere")}).status, 1);
}

TEST_F(KvxLexicon, EntryAsPlainText) {
    test::KvxResult plain = test::RunKvx({"entry", dir_.File("Modules/StrGrk.zb5book"), "00026", "--plain"});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, "\r\n\r\n\u1F00\u03B3\u03AC\u03C0\u03B7 agap\u0113\r\n\r\nlove, i.e. affection & benevolence. See Greek 25.\r\n");
}

}  // namespace
}  // namespace kvx
