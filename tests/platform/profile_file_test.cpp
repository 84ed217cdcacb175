// The profile (INI) file: forgiving reading, writing that keeps the file's order,
// Windows-1252 inside and UTF-8 on disk.
#include "platform/profile_file.h"

#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "platform/exception.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

TEST(ProfileFile, ReadsSectionsAndKeysWithoutRegardToCase) {
    TProfileFile f = TProfileFile::Parse(
        "\xEF\xBB\xBF"
        "orphan=before any section\r\n"
        "[Misc]\r\n"
        "  ClearMRUs = 1  \r\n"
        "a line without an equals sign\n"
        "Empty=\n"
        "Twice=first\r"
        "twice=second\n"
        "; a comment\n"
        "[ Bible Text ]trailing\n"
        "MainFont=Verdana = Bold\n"
        "[misc]\n"
        "Later=merged\n"
        "[Open\n"
        "k=v\n");
    EXPECT_EQ(f.Sections(), (std::vector<std::string>{"Misc", "Bible Text", "Open"}));
    EXPECT_EQ(f.Keys("MISC"), (std::vector<std::string>{"ClearMRUs", "Empty", "Twice", "Later"}));
    EXPECT_EQ(f.ReadString("misc", "clearmrus", "x"), "1");
    EXPECT_EQ(f.ReadString("Misc", "Empty", "x"), "");
    EXPECT_EQ(f.ReadString("Misc", "Twice", "x"), "first");
    EXPECT_EQ(f.ReadString("Misc", "Later", "x"), "merged");
    EXPECT_EQ(f.ReadString("Misc", "orphan", "x"), "x");
    EXPECT_EQ(f.ReadString("Bible Text", "MainFont", "x"), "Verdana = Bold");
    EXPECT_EQ(f.ReadString("Open", "k", "x"), "v");
    EXPECT_EQ(f.ReadString("Nowhere", "k", "dflt"), "dflt");
    EXPECT_TRUE(f.ValueExists("MISC", "EMPTY"));
    EXPECT_FALSE(f.ValueExists("Misc", "a line without an equals sign"));
    EXPECT_EQ(f.Text(),
              "[Misc]\nClearMRUs=1\nEmpty=\nTwice=first\nLater=merged\n\n"
              "[Bible Text]\nMainFont=Verdana = Bold\n\n"
              "[Open]\nk=v\n");
}

TEST(ProfileFile, IntegersAndBooleans) {
    struct Case {
        const char* text;
        int32_t expected;  // 77 is the default
    } cases[] = {
        {"12", 12},           {"-16777211", -16777211}, {"+5", 5},          {" 7 ", 7},
        {"0x00FFFF", 0xFFFF}, {"$ff", 255},             {"0xFF000005", -16777211},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
        {"2147483648", 77},   {"99999999999999999999", 77}, {"12abc", 77}, {"1.5", 77},
        {"", 77},             {"-", 77},                {"0x", 77},         {"0x123456789", 77},
        {"true", 77},
    };
    for (const Case& c : cases) {
        TProfileFile f = TProfileFile::Parse(std::string("[S]\nK=") + c.text + "\n");
        EXPECT_EQ(f.ReadInteger("S", "K", 77), c.expected) << c.text;
    }
    TProfileFile f = TProfileFile::Parse("[S]\nTwo=2\nZero=0\nWord=yes\n");
    EXPECT_TRUE(f.ReadBool("S", "Two", false));
    EXPECT_FALSE(f.ReadBool("S", "Zero", true));
    EXPECT_TRUE(f.ReadBool("S", "Word", true));
    EXPECT_FALSE(f.ReadBool("S", "Word", false));
    EXPECT_FALSE(f.ReadBool("S", "Missing", false));
}

TEST(ProfileFile, WritingKeepsTheFileOrderAndAppendsWhatIsNew) {
    TProfileFile f = TProfileFile::Parse("[First]\nA=1\nB=2\n[Second]\nC=3\n");
    f.WriteString("first", "a", "one");  // an existing key keeps its place and spelling
    f.WriteInteger("First", "New", -4);
    f.WriteBool("Third", "Flag", true);
    f.DeleteKey("First", "B");
    f.DeleteKey("First", "Absent");
    f.DeleteKey("Absent", "A");
    EXPECT_EQ(f.Text(), "[First]\nA=one\nNew=-4\n\n[Second]\nC=3\n\n[Third]\nFlag=1\n");

    f.EraseSection("SECOND");
    EXPECT_FALSE(f.SectionExists("Second"));
    EXPECT_EQ(f.ReadString("Second", "C", "gone"), "gone");
    f.WriteString("Second", "C", "back");  // a section written again comes last
    f.WriteString("First", "B", "again");
    EXPECT_EQ(f.Text(), "[First]\nA=one\nNew=-4\nB=again\n\n[Third]\nFlag=1\n\n[Second]\nC=back\n");

    // A section whose keys are all gone still exists, as an empty section.
    f.DeleteKey("Third", "Flag");
    EXPECT_TRUE(f.SectionExists("Third"));
}

TEST(ProfileFile, AValueCannotBreakOutOfItsLine) {
    // Entry titles and search texts come from modules and users; a line break in one
    // must not plant keys or sections in the file.
    TProfileFile f;
    f.WriteString("Bookmarks0", "EntryTitle", "Title\r\n[Misc]\nClearMRUs=1");
    TProfileFile again = TProfileFile::Parse(f.Text());
    EXPECT_EQ(again.Sections(), std::vector<std::string>{"Bookmarks0"});
    EXPECT_EQ(again.ReadString("Bookmarks0", "EntryTitle", ""), "Title  [Misc] ClearMRUs=1");
}

TEST(ProfileFile, AnsiInsideUtf8OnDisk) {
    TProfileFile f = TProfileFile::Parse("[Greek]\nWord=\xE1\xBC\x80\xCE\xB3\xCE\xAC\xCF\x80\xCE\xB7\n");
    f.WriteString("Caf\xE9", "Quote", "\x93q\x94 \x80");
    EXPECT_EQ(f.Text(),
              "[Greek]\nWord=\xE1\xBC\x80\xCE\xB3\xCE\xAC\xCF\x80\xCE\xB7\n\n"
              "[Caf\xC3\xA9]\nQuote=\xE2\x80\x9Cq\xE2\x80\x9D \xE2\x82\xAC\n");
    EXPECT_EQ(f.ReadString("CAF\xC9", "quote", ""), "\x93q\x94 \x80");  // case rules of the code page
    // What the code page lacks reaches the program as character references.
    EXPECT_EQ(f.ReadString("Greek", "Word", ""), "&#7936;&#947;&#940;&#960;&#951;");
}

TEST(ProfileFile, LoadAndSave) {
    test::TempDir dir;
    const std::string path = dir.File("settings");
    EXPECT_TRUE(TProfileFile::Load(path).Sections().empty());
    EXPECT_TRUE(TProfileFile::Load(dir.File("no/such/folder/settings")).Sections().empty());

    TProfileFile f;
    f.WriteString("S", "K", "v");
    f.Save(path);
    EXPECT_EQ(test::ReadBytes(path), "[S]\nK=v\n");
    EXPECT_EQ(TProfileFile::Load(path).ReadString("S", "K", ""), "v");

    // Something that exists but cannot be read is not taken for an empty file.
    EXPECT_THROW(TProfileFile::Load(dir.Path()), Exception);
}

TEST(ProfileFile, HostileTextNeitherCrashesNorGrowsOnRewriting) {
    std::mt19937 random(4);
    std::string garbage(200000, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    const std::string longLine = "[Long]\nKey=" + std::string(1 << 20, 'x') + "\n" + std::string(1 << 20, '[') + "\n";
    for (const std::string& text : {garbage, longLine, std::string("[\n=\n[]\n]=[\n==\n")}) {
        TProfileFile once = TProfileFile::Parse(text);
        const std::string written = once.Text();
        EXPECT_EQ(TProfileFile::Parse(written).Text(), written);
    }
    EXPECT_EQ(TProfileFile::Parse(longLine).ReadString("long", "key", "").size(), size_t{1} << 20);
}

}  // namespace
}  // namespace kvx
