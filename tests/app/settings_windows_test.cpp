// The sections the windows own: toolbars, the welcome flag, window placements and
// history lists, and where the settings file lives.
#include "app/settings_windows.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/exception.h"
#include "platform/user_folders.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

TEST(SettingsWindows, ControlBarKeepsTopsOfTheLastThreeUnderRight) {
    TControlBar designed;
    for (size_t i = 0; i < kToolbarCount; ++i) designed[i] = {static_cast<int32_t>(i), 100, true};
    TProfileFile file;
    EXPECT_FALSE(ReadControlBar(file, designed).has_value());

    TControlBar bar = designed;
    bar[static_cast<size_t>(TToolbar::GoToVerse)] = {10, 20, false};
    bar[static_cast<size_t>(TToolbar::CopyButtons)] = {30, 40, true};
    WriteControlBar(file, bar);
    EXPECT_EQ(file.Keys("ControlBar"),
              (std::vector<std::string>{"gtvLeft", "gtvTop", "qbsLeft", "qbsTop", "tblLeft", "tblRight", "tbsLeft",
                                        "tbsRight", "tbcLeft", "tbcRight", "gtvVisible", "qbsVisible", "tblVisible",
                                        "tbsVisible", "tbcVisible"}));
    EXPECT_EQ(file.ReadInteger("ControlBar", "tbcRight", 0), 40);
    EXPECT_EQ(file.ReadBool("ControlBar", "gtvVisible", true), false);
    EXPECT_EQ(ReadControlBar(file, designed), bar);

    // Keys missing from a stored section keep the designed places.
    file.DeleteKey("ControlBar", "qbsLeft");
    EXPECT_EQ(ReadControlBar(file, designed)->at(static_cast<size_t>(TToolbar::QuickBibleSearch)).Left, 1);
    EraseControlBar(file);
    EXPECT_FALSE(ReadControlBar(file, designed).has_value());
}

TEST(SettingsWindows, WelcomeAndWindowPlacements) {
    TProfileFile file;
    EXPECT_TRUE(ReadShowWelcome(file));
    WriteShowWelcome(file, false);
    EXPECT_FALSE(ReadShowWelcome(file));
    EXPECT_EQ(file.ReadString("_Welcome", "ShowWelcome", ""), "0");

    for (const char* section : kWindowPlacementSections) EXPECT_FALSE(ReadWindowPlacement(file, section).has_value());
    const TWindowPlacement placement{-8, 10, 1200, 900, true};
    WriteWindowPlacement(file, "MainForm", placement);
    EXPECT_EQ(file.Keys("MainForm"), (std::vector<std::string>{"Left", "Top", "Right", "Bottom", "Maximized", "Saved"}));
    EXPECT_EQ(ReadWindowPlacement(file, "mainform"), placement);

    // A stored rectangle of no size, or one without "Saved", is not restored.
    for (const char* text : {"[W]\nLeft=10\nTop=10\nRight=10\nBottom=50\nSaved=1\n",
                             "[W]\nLeft=10\nTop=60\nRight=50\nBottom=50\nSaved=1\n",
                             "[W]\nLeft=10\nTop=10\nRight=50\nBottom=50\nSaved=0\n"})
        EXPECT_FALSE(ReadWindowPlacement(TProfileFile::Parse(text), "W").has_value()) << text;
}

TEST(SettingsWindows, HistoryListsHoldTwentyFiveItems) {
    std::vector<std::string> items;
    for (int i = 0; i < 30; ++i) AddToHistoryList(items, "query " + std::to_string(i));
    AddToHistoryList(items, "query 20");
    AddToHistoryList(items, "");
    ASSERT_EQ(items.size(), kHistoryLimit);
    EXPECT_EQ(items[0], "query 20");
    EXPECT_EQ(items[1], "query 29");
    EXPECT_EQ(items.back(), "query 5");

    TProfileFile file;
    WriteHistoryList(file, kHistorySearchBible, items);
    EXPECT_EQ(file.ReadInteger("MRUs", "SearchBible_Count", 0), 25);
    EXPECT_EQ(file.ReadString("MRUs", "SearchBible_Item0", ""), "query 20");
    EXPECT_EQ(ReadHistoryList(file, "SearchBible"), items);

    WriteHistoryList(file, kHistorySearchBible, {"love", "faith hope"});
    EXPECT_EQ(file.Keys("MRUs"), (std::vector<std::string>{"SearchBible_Count", "SearchBible_Item0", "SearchBible_Item1"}));
    EXPECT_EQ(ReadHistoryList(file, kHistorySearchBible), (std::vector<std::string>{"love", "faith hope"}));
    EXPECT_TRUE(ReadHistoryList(file, kHistoryExport).empty());

    // Stored counts are not trusted beyond what can be there.
    EXPECT_EQ(ReadHistoryList(TProfileFile::Parse("[MRUs]\nESI_Count=1000\nESI_Item0=a\nESI_Item2=c\nESI_Item30=x\n"), "ESI"),
              (std::vector<std::string>{"a", "c"}));
    EXPECT_TRUE(ReadHistoryList(TProfileFile::Parse("[MRUs]\nESI_Count=-4\nESI_Item0=a\n"), "ESI").empty());
}

TEST(SettingsWindows, UpdateSettingsFileChangesOnlyWhatItIsAsked) {
    test::TempDir dir;
    const std::string path = dir.File("settings");
    test::WriteBytes(path, "[Misc]\nClearMRUs=1\n[MainForm]\nLeft=5\n");
    UpdateSettingsFile(path, [](TProfileFile& f) { WriteShowWelcome(f, false); });
    EXPECT_EQ(test::ReadBytes(path), "[Misc]\nClearMRUs=1\n\n[MainForm]\nLeft=5\n\n[_Welcome]\nShowWelcome=0\n");
    EXPECT_THROW(UpdateSettingsFile(dir.Path(), [](TProfileFile&) {}), Exception);
}

class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        if (value) setenv(name, value, 1); else unsetenv(name);
    }
    ~EnvironmentVariable() {
        if (had_) setenv(name_, old_.c_str(), 1); else unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(SettingsLocation, ConfigurationFolderFollowsXdg) {
    {
        EnvironmentVariable xdg("XDG_CONFIG_HOME", "/tmp/xdg-config");
        EnvironmentVariable home("HOME", "/home/reader");
        EXPECT_EQ(UserConfigFolder(), "/tmp/xdg-config/");
    }
    {
        EnvironmentVariable xdg("XDG_CONFIG_HOME", "relative/config");
        EnvironmentVariable home("HOME", "/home/reader/");
        EXPECT_EQ(UserConfigFolder(), "/home/reader/.config/");
    }
    {
        EnvironmentVariable xdg("XDG_CONFIG_HOME", "");
        EnvironmentVariable home("HOME", nullptr);
        const std::string folder = UserConfigFolder();  // from the account's entry
        EXPECT_TRUE(folder.empty() || (folder.front() == '/' && folder.ends_with("/.config/"))) << folder;
    }
}

TEST(SettingsLocation, SettingsFileAndItsFallback) {
    struct Case {
        const char* config;
        const char* program;
        const char* folder;
        const char* file;
        bool perUser;
    } cases[] = {
        {"/home/u/.config/", "/opt/k/karvelindorax", "/home/u/.config/Karvelindorax 5/",
         "/home/u/.config/Karvelindorax 5/settings", true},
        {"/cfg", "/opt/k/karvelindorax", "/cfg/Karvelindorax 5/", "/cfg/Karvelindorax 5/settings", true},
        {"", "/opt/k/karvelindorax", "/opt/k/", "/opt/k/karvelindorax.ini", false},
        {"", "/opt/k.5/karvelindorax.bin", "/opt/k.5/", "/opt/k.5/karvelindorax.ini", false},
    };
    for (const Case& c : cases) {
        TSettingsLocation location = ResolveSettingsLocation(c.config, c.program);
        EXPECT_EQ(location.Folder, c.folder);
        EXPECT_EQ(location.SettingsFile, c.file);
        EXPECT_EQ(location.PerUser, c.perUser);
    }

    test::TempDir dir;
    const std::string folder = ResolveSettingsLocation(dir.Path(), "/opt/k/karvelindorax").Folder;
    EXPECT_TRUE(ForceFolders(folder));
    EXPECT_TRUE(ForceFolders(folder));
    test::WriteBytes(dir.File("file"), "");
    EXPECT_FALSE(ForceFolders(dir.File("file/below")));
}

}  // namespace
}  // namespace kvx
