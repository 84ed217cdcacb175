// User-module export files: reading them, and building them into modules again.
#include "modules/module_export_file.h"

#include <gtest/gtest.h>

#include "modules/resource_module.h"
#include "platform/exception.h"
#include "refs/verse_links.h"
#include "tests/modules/resource_fixtures.h"

namespace kvx {
namespace {

using test::Entry;

std::string ParseError(const std::string& text) {
    try {
        ParseModuleExportText(text, "notes.txt");
    } catch (const Exception& e) {
        return e.what();
    }
    return "parsed";
}

// An export file as the program writes one: headings and the stored text with its
// verse links turned back into authored references.
std::string ExportText(const TZBDictionaryModule& module) {
    const TZBBibleModule& bible = test::ReferenceBible();
    std::string text = module.IsCommentary() ? "; User commentary module export from Karvelindorax 5.0.0\r\n"
                                             : "; User book module export from Karvelindorax 5.0.0\r\n";
    text += "; TITLE: " + module.ModuleName() + "\r\n; ABBREVIATION: " + module.Abbreviation() + "\r\n\r\n";
    for (int e = 0; e < module.EntryCount(); ++e) {
        const std::string stored = module.TZBDictionaryModule::GetEntryText(e);
        if (stored.empty()) continue;
        if (module.IsCommentary()) {
            int b, c, v;
            bible.DecodeVerse(e + 1, b, c, v);
            text += Format("$$ %s %d:%d\r\n", bible.BookAbbreviation(b).c_str(), c, v);
        } else {
            text += "$$ " + module.EntryTitles()[static_cast<size_t>(e)] + "\r\n";
        }
        text += VerseLinksToScriprefs(stored);
    }
    return text;
}

std::string BuildFromExport(const test::TempDir& dir, const TModuleExportFile& file, bool commentary) {
    BuildResourceModule(nullptr, nullptr, commentary, nullptr, test::ReferenceBible(), dir.Path(), kUserModuleSeed,
                        true, "", "USERMOD", file.Abbreviation, file.Title, file.Entries);
    return ResourceModuleFileName(dir.Path(), file.Abbreviation, commentary);
}

TEST(ModuleExportFile, ReadsHeaderAndEntries) {
    const TModuleExportFile file = ParseModuleExportText(
        "; User book module export from Karvelindorax 5.0.0\r\n"
        "; TITLE:  My Notes \r\n"
        "; ABBREVIATION: MN\r\n"
        "; any other comment\r\n"
        "\r\n"
        "$$ First\r\n"
        "line one\r\n"
        "\r\n"
        "; not a comment inside an entry\r\n"
        "$$Second\n"
        "unix line\r"
        "old mac line\n"
        "$$ \r\n"
        "$$ Last\r\n"
        "no line end at the end",
        "notes.txt");
    EXPECT_EQ(file.Kind, TExportFileKind::Book);
    EXPECT_EQ(file.Title, "My Notes");
    EXPECT_EQ(file.Abbreviation, "MN");
    ASSERT_EQ(file.Entries.size(), 4u);
    EXPECT_EQ(file.Entries[0].Title, "First");
    EXPECT_EQ(*file.Entries[0].Lines,
              (std::vector<std::string>{"line one", "", "; not a comment inside an entry"}));
    EXPECT_EQ(file.Entries[1].Title, "Second");
    EXPECT_EQ(*file.Entries[1].Lines, (std::vector<std::string>{"unix line", "old mac line"}));
    EXPECT_EQ(file.Entries[2].Title, "");
    EXPECT_TRUE(file.Entries[2].Lines->empty());
    EXPECT_EQ(*file.Entries[3].Lines, std::vector<std::string>{"no line end at the end"});

    const TModuleExportFile commentary =
        ParseModuleExportText("; User commentary module export from Karvelindorax 5\n; TITLE: C\n; ABBREVIATION: C\n",
                              "c.txt");
    EXPECT_EQ(commentary.Kind, TExportFileKind::Commentary);
    EXPECT_TRUE(commentary.Entries.empty());
    EXPECT_EQ(ParseModuleExportText("; TITLE: T\n; ABBREVIATION: A\n", "x").Kind, TExportFileKind::Unknown);
}

TEST(ModuleExportFile, Utf8FileWithByteOrderMarkIsConverted) {
    const TModuleExportFile file = ParseModuleExportText(
        "\xEF\xBB\xBF; TITLE: Caf\xC3\xA9\n; ABBREVIATION: CF\n$$ \xE2\x80\x9CQuoted\xE2\x80\x9D\nna\xC3\xAFve\n", "x");
    EXPECT_EQ(file.Title, "Caf\xE9");
    EXPECT_EQ(file.Entries[0].Title, "\x93Quoted\x94");
    EXPECT_EQ(*file.Entries[0].Lines, std::vector<std::string>{"na\xEFve"});
}

TEST(ModuleExportFile, RefusesFilesThatAreNoExport) {
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"; ABBREVIATION: A\n$$ x\n", "notes.txt is not a module export file: the \"; TITLE: \" line is missing."},
        {"; TITLE: T\n", "notes.txt is not a module export file: the \"; ABBREVIATION: \" line is missing."},
        {"; TITLE: T\n; ABBREVIATION: A\n\nstray text\n$$ x\n",
         "notes.txt is not a module export file: text stands before the first \"$$ \" heading (line 4)."},
        {"\x7F" "ELF\x02\x01\x01", "notes.txt is not a module export file: text stands before the first \"$$ \" "
                                   "heading (line 1)."},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseError(c.text), c.error);
    test::TempDir dir;
    EXPECT_THROW(ReadModuleExportFile(dir.File("none.txt")), Exception);
}

TEST(ModuleExportFile, ExportedFileBuildsIntoTheSameEntries) {
    const TModuleExportFile file = ParseModuleExportText(
        "; User commentary module export from Karvelindorax 5.0.0\r\n"
        "; TITLE: Genesis Notes\r\n"
        "; ABBREVIATION: GN\r\n"
        "\r\n"
        "$$ Ge 1:1\r\n"
        "<p>In the beginning; compare <scripref>Joh 1:1-3</scripref>.</p>\r\n"
        "$$ Ex 3:14\r\n"
        "I AM.\r\n"
        "second line\r\n",
        "gn.txt");
    test::TempDir dir;
    TZBCommentaryModule cmty(BuildFromExport(dir, file, true));
    const TZBBibleModule& bible = test::ReferenceBible();
    const int ex314 = bible.VerseNumber(2, 3, 14);
    EXPECT_EQ(cmty.ModuleName(), "Genesis Notes");
    EXPECT_EQ(cmty.Abbreviation(), "GN");
    EXPECT_FALSE(cmty.ReadOnly());
    EXPECT_EQ(cmty.EntryTitles(), (std::vector<std::string>{"Ge 1:1", "Ex 3:14"}));
    EXPECT_EQ(cmty.GetEntryText(0), Format("<p>In the beginning; compare <vrl:%X+2>Joh 1:1-3</vrl>.</p>\r\n",
                                           bible.VerseNumber(43, 1, 1)));
    EXPECT_EQ(cmty.GetEntryText(ex314 - 1), "I AM.\r\nsecond line\r\n");
    EXPECT_EQ(cmty.GetVerseEntries(bible.VerseNumber(43, 1, 2) - 1), TEntryIndexArray{0});
}

// Export, read back, build again: the same module apart from the build stamp.
TEST(ModuleExportFile, ModulesSurviveExportAndRebuild) {
    test::TempDir first, second;
    const TResourceEntryList bookEntries = {
        Entry("Smith, John", {"A <b>title</b> with a comma; see <scripref>Ro 8:28; 1Co 13:4-7</scripref>."}),
        Entry("He said \"go\"", {"Quotes, and a link to <scripref>Ps 23</scripref>."}),
        Entry("Zion", {"last", "", "lines"}),
        test::NoText("Zz no text is not exported"),
    };
    const TResourceEntryList commentaryEntries = {
        Entry("Ge 1:1", {"<scripref>Joh 1:1</scripref>"}),
        Entry("Re 22:21", {"Amen."}),
    };
    for (bool commentary : {false, true}) {
        test::TBuildOptions options;
        options.Seed = kUserModuleSeed;
        const std::string path = commentary ? test::BuildCommentary(first, commentaryEntries, options)
                                            : test::BuildBook(first, bookEntries, options);
        TZBDictionaryModule original(path);
        const TModuleExportFile file = ParseModuleExportText(ExportText(original), "export.txt");
        EXPECT_EQ(file.Kind, commentary ? TExportFileKind::Commentary : TExportFileKind::Book);
        TZBDictionaryModule rebuilt(BuildFromExport(second, file, commentary));

        // The entry without text is not exported, so it is the one entry less.
        const int dropped = commentary ? 0 : 1;
        ASSERT_EQ(rebuilt.EntryCount(), original.EntryCount() - dropped);
        EXPECT_EQ(rebuilt.ModuleName(), original.ModuleName());
        for (int e = 0; e < rebuilt.EntryCount(); ++e)
            EXPECT_EQ(rebuilt.GetEntryText(e), original.GetEntryText(e)) << e;
        std::vector<std::string> titles = original.EntryTitles();
        if (!commentary) titles.erase(std::find(titles.begin(), titles.end(), "Zz no text is not exported"));
        EXPECT_EQ(rebuilt.EntryTitles(), titles);
        for (int v = 0; v < resource_format::kVerseRecordCount; ++v)
            ASSERT_EQ(rebuilt.GetVerseEntries(v), original.GetVerseEntries(v)) << v;
    }
}

}  // namespace
}  // namespace kvx
