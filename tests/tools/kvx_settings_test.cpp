// kvx settings: the file the store would write at exit, from the user's file or another.
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/settings.h"
#include "tests/support/fixtures.h"
#include "tests/tools/run_kvx.h"

namespace kvx {
namespace {

TEST(KvxSettings, PrintsWhatTheStoreWouldWrite) {
    test::TempDir dir;
    const std::string path = dir.File("settings");
    test::WriteBytes(path,
                     "[MainForm]\nLeft=5\nSaved=1\n[Misc]\nHiddenTabs=WEB,\"A,B\"\n[Bookmarks0]\nTitle=caf\xC3\xA9\n"
                     "[MRUs]\nSearchBible_Count=1\nSearchBible_Item0=\xCE\xB1\xCE\xB3\xCE\xAC\xCF\x80\xCE\xB7\n");
    test::KvxResult shown = test::RunKvx({"settings", "--file", path});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.err, "");

    // The same as the program's own save at exit, byte for byte.
    TSettings settings;
    InitSettingsDefaults(settings, nullptr);
    LoadSettings(settings, path);
    SaveSettings(settings, path);
    EXPECT_EQ(shown.out, test::ReadBytes(path));
    EXPECT_EQ(shown.out.substr(0, 30), "[MainForm]\nLeft=5\nSaved=1\n\n[Mi");
    EXPECT_NE(shown.out.find("HiddenTabs=\"A,B\",WEB\n"), std::string::npos);
    EXPECT_NE(shown.out.find("Title=caf\xC3\xA9\n"), std::string::npos);
    EXPECT_NE(shown.out.find("SearchBible_Item0=\xCE\xB1\xCE\xB3\xCE\xAC\xCF\x80\xCE\xB7\n"), std::string::npos);
}

TEST(KvxSettings, AHostileFileShowsTheDefaultsForWhatCannotBeRead) {
    test::TempDir dir;
    const std::string hostile = dir.File("hostile");
    using namespace std::string_literals;
    const std::string bytes = "[Misc]\n\x01\x02\xFF\xFE no equals sign\nClearMRUs=maybe\n\0\0\0\n"s +
                              "[Layout]\nLastSetLayout=9\nLayoutLocked=" + std::string(100000, '9') +
                              "\n[Bible Text]\nMainSize=-1\nLastBibleVerse=1\n"
                              "\xC0\x80\r\r\n[Layout]\nLayoutLocked=0\n";
    test::WriteBytes(hostile, bytes);
    test::KvxResult shown = test::RunKvx({"settings", "--file", hostile});
    ASSERT_EQ(shown.status, 0) << shown.err;

    TProfileFile out = TProfileFile::Parse(shown.out);
    EXPECT_EQ(out.ReadString("Misc", "ClearMRUs", ""), "0");
    EXPECT_EQ(out.ReadString("Layout", "LastSetLayout", ""), "1");
    EXPECT_EQ(out.ReadString("Layout", "LayoutLocked", ""), "1");
    EXPECT_EQ(out.ReadString("Bible Text", "MainSize", ""), "10");
    EXPECT_EQ(out.ReadString("Bible Text", "LastBibleVerse", ""), "1");
    EXPECT_EQ(shown.out.find("no equals sign"), std::string::npos);

    // Every key of the store is there, as it is for a missing file.
    test::KvxResult fresh = test::RunKvx({"settings", "--file", dir.File("missing")});
    EXPECT_EQ(fresh.status, 0);
    EXPECT_EQ(fresh.err, "kvx settings: " + dir.File("missing") + " does not exist; showing the defaults\n");
    const TProfileFile defaults = TProfileFile::Parse(fresh.out);
    EXPECT_EQ(defaults.ReadString("Bible Text", "LastBibleVerse", ""), "26046");
    for (const std::string& section : defaults.Sections())
        for (const std::string& key : defaults.Keys(section))
            EXPECT_TRUE(out.ValueExists(section, key)) << section << "/" << key;
}

TEST(KvxSettings, ReadsTheUsersFileFromTheConfigurationFolder) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.File("Karvelindorax 5"));
    test::WriteBytes(dir.File("Karvelindorax 5/settings"), "[Sync]\nGTVCmtyFavoriteModule=MHC\n");
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
    test::KvxResult shown = test::RunKvx({"settings"});
    if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("GTVCmtyFavoriteModule=MHC\n"), std::string::npos);

    // A file that exists but cannot be read is an error, not the defaults.
    test::KvxResult unreadable = test::RunKvx({"settings", "--file", dir.Path()});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_EQ(unreadable.err, "Failed to read " + dir.Path() + "\n");
    EXPECT_EQ(test::RunKvx({"settings", "extra"}).status, 2);
}

}  // namespace
}  // namespace kvx
