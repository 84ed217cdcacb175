// kvx on resource modules as a user runs it: building from an export file, then
// info, entry, find, cites and search on the module built.
#include <filesystem>

#include <gtest/gtest.h>

#include "modules/resource_format.h"
#include "tests/support/fixtures.h"
#include "tests/tools/run_kvx.h"

namespace kvx {
namespace {

// A library folder holding the standard Bible as Modules/KJV.zb5bible.
class KvxResource : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library_ = new test::TempDir;
        std::filesystem::create_directories(library_->File("Modules"));
        TBibleModuleSource source = test::StandardBibleSource("KJV");
        WriteBibleModule(source, library_->File("Modules/KJV.zb5bible"));
    }
    static void TearDownTestSuite() { delete library_; }

    static test::KvxResult Run(std::vector<std::string> args) {
        args.push_back("--library=" + library_->Path());
        return test::RunKvx(args);
    }
    // Writes an export file and builds it into dir; returns the build's result.
    test::KvxResult Build(const std::string& text, std::vector<std::string> flags = {}) {
        test::WriteBytes(dir_.File("export.txt"), text);
        std::vector<std::string> args = {"build"};
        args.insert(args.end(), flags.begin(), flags.end());
        args.push_back(dir_.File("export.txt"));
        args.push_back(dir_.File("out"));
        return Run(args);
    }

    static test::TempDir* library_;
    test::TempDir dir_;
};
test::TempDir* KvxResource::library_ = nullptr;

const char kBookExport[] =
    "; User book module export from Karvelindorax 5.0.0\r\n"
    "; TITLE: Bible Names\r\n"
    "; ABBREVIATION: BN\r\n"
    "\r\n"
    "$$ Moses\r\n"
    "<p>Moses led the people; see <scripref>Ex 3:14</scripref>.</p>\r\n"
    "$$ Aaron\r\n"
    "<p>Aaron, brother of Moses (<scripref>Ex 4:14; Ex 3:14</scripref>).</p>\r\n"
    "$$ Caf\xE9, \"Zion\"\r\n"
    "na\xEFve text\r\n";

TEST_F(KvxResource, BookFromExportFile) {
    test::KvxResult build = Build(kBookExport);
    ASSERT_EQ(build.status, 0) << build.err;
    const std::string path = dir_.File("out/BN.zb5book");
    EXPECT_EQ(build.out.substr(0, build.out.find('\n')), "Building Resource Module: Bible Names (BN)");
    EXPECT_NE(build.out.find("Creating target module file: " + path + "\n"), std::string::npos);
    EXPECT_EQ(build.out.substr(build.out.size() - 13), "Done with BN\n");
    EXPECT_NE(build.err.find("Compiling module file..."), std::string::npos);

    EXPECT_EQ(Run({"info", path}).out,
              "name: Bible Names\nabbreviation: BN\ncode: USERMOD\nkind: book\nentries: 3\nwords: 16\n"
              "verse-index: yes\norigin: user\nread-only: no\n");

    EXPECT_EQ(Run({"entry", path, "Moses"}).out, "<p>Moses led the people; see <vrl:63A>Ex 3:14</vrl>.</p>\n");
    EXPECT_EQ(Run({"entry", path, "aaron"}).out,
              "<p>Aaron, brother of Moses (<vrl:650,63A>Ex 4:14; 3:14</vrl>).</p>\n");
    EXPECT_EQ(Run({"entry", path, "#1"}).out, "na\u00EFve text\n");
    EXPECT_EQ(Run({"entry", path, "Caf\u00E9, \"Zion\""}).out, "na\u00EFve text\n");
    test::KvxResult missing = Run({"entry", path, "Joshua"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "No entry titled \"Joshua\" in BN.\n");
    EXPECT_EQ(Run({"entry", path, "#3"}).err, "GetEntryText entry number (3) out of range.\n");

    EXPECT_EQ(Run({"find", path, "mos"}).out, "2\tMoses\n");
    EXPECT_EQ(Run({"find", path, "aarons"}).out, "0\tAaron\n");
    EXPECT_EQ(Run({"find", path, "cafeteria"}).out, "1\tCaf\u00E9, \"Zion\"\n");

    EXPECT_EQ(Run({"cites", path, "Ex 3:13-14"}).out, "Ex 3:13\nEx 3:14\tAaron\tMoses\n");
    EXPECT_EQ(Run({"cites", path, "Ex 4:14"}).out, "Ex 4:14\tAaron\n");

    struct Case {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"moses"}, "Aaron\nMoses\n2 entries\n"},
        {{"moses", "brother"}, "Aaron\n1 entries\n"},
        {{"--any", "people", "brother"}, "Aaron\nMoses\n2 entries\n"},
        {{"--phrase", "led the people"}, "Moses\n1 entries\n"},
        {{"moses ! aaron"}, "Moses\n1 entries\n"},
        {{"--case", "MOSES"}, "0 entries\n"},
        {{"--stem", "peoples"}, "Moses\n1 entries\n"},
        {{"--substring", "roth"}, "Aaron\n1 entries\n"},
        {{"--fuzzy", "brothr"}, "Aaron\n1 entries\n"},
        {{"--range", "1-2", "moses"}, "Moses\n1 entries\n"},
        {{"na\u00EFve"}, "Caf\u00E9, \"Zion\"\n1 entries\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"search", path};
        args.insert(args.end(), c.args.begin(), c.args.end());
        test::KvxResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << testing::PrintToString(c.args);
    }
    EXPECT_EQ(Run({"search", path, "--footnotes", "moses"}).status, 2);
    EXPECT_EQ(Run({"search", path, "--range", "x-y", "moses"}).err, "Unrecognized search range: x-y\n");
}

TEST_F(KvxResource, CommentaryFromExportFile) {
    test::KvxResult build = Build(
        "; User commentary module export from Karvelindorax 5.0.0\r\n"
        "; TITLE: Notes\r\n"
        "; ABBREVIATION: NT\r\n"
        "\r\n"
        "$$ Ge 1:1\r\n"
        "In the beginning; compare <scripref>Joh 1:1</scripref>.\r\n"
        "$$ Joh 1:1\r\n"
        "The Word.\r\n"
        "$$ Nowhere 9:9\r\n"
        "lost\r\n",
        {"--seed", "builder"});
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_NE(build.out.find("ERROR: Entry \"Nowhere 9:9\" cannot be parsed as a verse reference. Text for this "
                             "entry ignored.\n"),
              std::string::npos);
    const std::string path = dir_.File("out/NT.zb5cmty");
    EXPECT_EQ(Run({"info", path}).out,
              "name: Notes\nabbreviation: NT\ncode: \nkind: commentary\nentries: 31102\nwords: 8\n"
              "verse-index: yes\norigin: builder\nread-only: yes\n");
    EXPECT_EQ(Run({"entry", path, "Joh 1:1"}).out, "The Word.\n");
    EXPECT_EQ(Run({"entry", path, "john 1:1"}).out, "The Word.\n");  // a reference, not a title
    EXPECT_EQ(Run({"entry", path, "#0"}).out, "In the beginning; compare <vrl:65BE>Joh 1:1</vrl>.\n");
    EXPECT_EQ(Run({"entry", path, "Ge 1:2"}).out, "No NT text for this verse.\n");
    EXPECT_EQ(Run({"find", path, "Joh 1:1"}).out, "26045\tJoh 1:1\n");
    EXPECT_EQ(Run({"cites", path, "Joh 1:1-2"}).out, "Joh 1:1\tGe 1:1\nJoh 1:2\n");
    EXPECT_EQ(Run({"search", path, "the"}).out, "Ge 1:1\nJoh 1:1\n2 entries\n");
    EXPECT_EQ(Run({"search", path, "--range", "nt", "the"}).out, "Joh 1:1\n1 entries\n");
    EXPECT_EQ(Run({"search", path, "--range", "Ge 1", "the"}).out, "Ge 1:1\n1 entries\n");
}

TEST_F(KvxResource, Failures) {
    // Neither the file nor the command line says what to build.
    test::KvxResult unknown = Build("; TITLE: T\n; ABBREVIATION: T\n$$ a\nb\n");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(Build("; TITLE: T\n; ABBREVIATION: T\n$$ a\nb\n", {"--book"}).status, 0);
    EXPECT_EQ(Build(kBookExport, {"--seed", "publisher"}).status, 2);
    EXPECT_EQ(Build(kBookExport, {"--book", "--commentary"}).status, 2);
    test::KvxResult notExport = Build("hello\n", {"--book"});
    EXPECT_EQ(notExport.status, 1);
    EXPECT_EQ(notExport.err, dir_.File("export.txt") +
                                 " is not a module export file: text stands before the first \"$$ \" heading "
                                 "(line 1).\n");
    test::KvxResult noFile = Run({"build", dir_.File("none.txt"), dir_.File("out")});
    EXPECT_EQ(noFile.err, dir_.File("none.txt") + " does not exist.\n");

    // A module whose header was changed after it was built.
    ASSERT_EQ(Build(kBookExport).status, 0);
    const std::string path = dir_.File("out/BN.zb5book");
    std::string bytes = test::ReadBytes(path);
    bytes[resource_format::kModuleName + 1] ^= 0x20;
    test::WriteBytes(path, bytes);
    test::KvxResult damaged = Run({"info", path});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(damaged.out, "");
    EXPECT_EQ(damaged.err, "Module file has invalid or corrupt hash.\n");
    const std::string renamed = dir_.File("bn.dat");
    bytes[resource_format::kModuleName + 1] ^= 0x20;
    test::WriteBytes(renamed, bytes);
    EXPECT_EQ(Run({"info", renamed}).out.substr(0, 18), "name: Bible Names\n");
}

}  // namespace
}  // namespace kvx
