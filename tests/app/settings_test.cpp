// The settings store: defaults, the stored form of every key, forgiving reading,
// reference sets, history clearing, and writing that never loses the old file.
#include "app/settings.h"

#include <csignal>
#include <filesystem>
#include <map>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/settings_windows.h"
#include "platform/exception.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

using namespace std::chrono;

TSettings Defaults() {
    TSettings s;
    InitSettingsDefaults(s, nullptr);
    return s;
}

TProfileFile Stored(const TSettings& s) {
    TProfileFile file;
    StoreSettings(s, file);
    return file;
}

TSettings LoadedFrom(const std::string& text) {
    TSettings s = Defaults();
    LoadSettings(s, TProfileFile::Parse(text));
    return s;
}

struct KeyCase {
    std::string section, key, stored, sample;  // the default as stored, and another valid value
};

// Every key the store writes, in the order it writes them.
std::vector<KeyCase> EveryKey() {
    std::vector<KeyCase> keys;
    for (int i = 0; i < kBookmarkCount; ++i) {
        const std::string s = "Bookmarks" + std::to_string(i), n = std::to_string(i);
        keys.insert(keys.end(), {{s, "Title", "", "Sermon " + n},
                                 {s, "ModuleType", "-1", std::to_string(i % 3)},
                                 {s, "ModuleName", "", "Mod" + n},
                                 {s, "Entry", "-1", "12" + n},
                                 {s, "EntryTitle", "", "John 3:1" + n},
                                 {s, "ScrollPoint", "0", "25" + n}});
    }
    const std::string today = FormatDate(Today(), UserShortDatePattern());
    const std::string aDate = FormatDate(2001y / March / 4d, UserShortDatePattern());
    std::vector<KeyCase> rest = {
        {"Misc", "ClearMRUs", "0", "1"},
        {"Misc", "HookVersePasteHotKey", "1", "0"},
        {"Tab Appearance", "RzTabsFont", "Tahoma", "Segoe UI"},
        {"Tab Appearance", "RzTabsFontSize", "8", "12"},
        {"Tab Appearance", "RzTabsTextColor", "-16777198", "255"},
        {"Tab Appearance", "RzTabsTextBold", "0", "1"},
        {"Tab Appearance", "RzTabsStyle", "0", "3"},
        {"Tab Appearance", "RzTabsAlign", "0", "1"},
        {"Tab Appearance", "RzTabsActiveColor", "-16777201", "16777215"},
        {"Tab Appearance", "RzTabsInactiveColor", "-16777196", "8421504"},
        {"Tab Appearance", "RzTabsCorrespondingColor", "65535", "12345"},
        {"Misc", "KeyHilightColor", "65535", "65280"},
        {"Default Font", "BackgroundColor", "-16777211", "16777215"},
        {"Default Font", "TextColor", "-16777208", "0"},
        {"Default Font", "MainSize", "10", "14"},
        {"Default Font", "MainFont", "Arial", "Georgia"},
    };
    keys.insert(keys.end(), rest.begin(), rest.end());
    for (const char* section : {"Bible Text", "VerseList Text"}) {
        const bool bible = std::string(section) == "Bible Text";
        const char* on = bible ? "1" : "0";
        const char* off = bible ? "0" : "1";
        keys.insert(keys.end(), {{section, "UseDefaultFont", "1", "0"},
                                 {section, "ShowEditLinks", on, off},
                                 {section, "ColumnMode", "1", "0"},
                                 {section, "ParaMode", "0", "1"},
                                 {section, "LinkCommentaries", on, off},
                                 {section, "LinkDictionaries", on, off},
                                 {section, "ShowFootnotes", "0", "1"},
                                 {section, "BackgroundColor", "-16777211", "15790320"},
                                 {section, "TextColor", "-16777208", "1"},
                                 {section, "FootnotesColor", "8388736", "2"},
                                 {section, "StrongsLinkColor", "32768", "3"},
                                 {section, "CommentLinkColor", "8421376", "4"},
                                 {section, "DictLinkColor", "32896", "5"},
                                 {section, "ItalicsMode", "0", "2"},
                                 {section, "MainSize", "10", bible ? "11" : "12"},
                                 {section, "MainFont", "Arial", "Times New Roman"},
                                 {section, "NoteColumnColor", "-16777211", "6"}});
    }
    for (const char* section : {"Book Text", "Cmt Text"}) {
        keys.insert(keys.end(), {{section, "UseDefaultFont", "1", "0"},
                                 {section, "BackgroundColor", "-16777211", "7"},
                                 {section, "TextColor", "-16777208", "8"},
                                 {section, "LinkColor", "16711680", "9"},
                                 {section, "MainSize", "10", "16"},
                                 {section, "MainFont", "Arial", "Gentium"}});
    }
    rest = {
        {"Export Format", "VerseExportStyle", "0", "9"},
        {"Export Format", "IncludeBrackets", "0", "1"},
        {"Export Format", "IncludeFootnotes", "0", "1"},
        {"Export Format", "IncludeVersionTag", "0", "1"},
        {"Bible Text", "LastBibleVerse", "26046", "1"},
        {"Misc", "SearchBibleDefault", "0", "1"},
        {"Misc", "StartupVerse", "0", "1"},
        {"Misc", "EngStrBooks", "0", "2"},
        {"Misc", "LinkMultipleVerses", "0", "1"},
        {"Misc", "StartupFavTabs", "1", "0"},
        {"Misc", "ExcludeFromLinking", "", "Easton,TSK"},
        {"Misc", "HiddenTabs", "", "\"A,B\",\"My Bible\",WEB"},
        {"Misc", "ActiveResources", "", "KJV,TSK,120,,,KJV"},
        {"Misc", "LastSearchedVersion", "KJV", "WEB"},
        {"Misc", "EditorStayOnTop", "1", "0"},
        {"Misc", "EditorRawHTML", "0", "1"},
        {"Misc", "ForcePlainTextCopy", "0", "1"},
        {"Misc", "ImageShrinkToFit", "0", "1"},
        {"Bible Text", "IncChPrev", "0", "1"},
        {"Bible Text", "IncChNext", "1", "0"},
        {"Bible Text", "DocPosBible", "0", "300"},
        {"Book Text", "DocPosBook", "0", "40"},
        {"Cmt Text", "DocPosCommentary", "0", "-50"},
        {"Popups", "ToolTipFontName", "Verdana", "Tahoma"},
        {"Popups", "ToolTipTextColor", "-16777193", "0"},
        {"Popups", "ToolTipBGColor", "-16777192", "16777215"},
        {"Popups", "ToolTipFontSize", "8", "9"},
        {"Update Check", "UpdateReminder", "1", "0"},
        {"Update Check", "UpdateReminderInterval", "30", "7"},
        {"Update Check", "LastUpdateCheckDate", today, aDate},
        {"Layout", "LayoutLocked", "1", "0"},
        {"Layout", "AllowAutoHide", "0", "1"},
        {"Layout", "ReuseVerseLists", "0", "1"},
        {"Layout", "ReuseResultTrees", "0", "1"},
        {"Layout", "LastSetLayout", "1", "2"},
        {"Sync", "SyncGTVCommentary", "1", "0"},
        {"Sync", "SyncGTVVerseGuide", "1", "0"},
        {"Sync", "DblClickBibleWordAction", "0", "4"},
        {"Sync", "DblClickBibleWordSelectedBook", "Easton", "Smith"},
        {"Sync", "DblClickBibleTagGTV", "1", "0"},
        {"Sync", "DblClickResourceTopicGuide", "1", "0"},
        {"Sync", "GTVCmtyAction", "0", "1"},
        {"Sync", "GTVCmtyFavoriteModule", "TSK", "MHC"},
        {"Warnings", "WarnLayoutCustom", "1", "0"},
        {"Warnings", "WarnImport3x", "1", "0"},
        {"Warnings", "WarnImport4x", "1", "0"},
        {"Warnings", "WarnAutoHide", "1", "0"},
    };
    keys.insert(keys.end(), rest.begin(), rest.end());
    return keys;
}

std::string DefaultOf(const std::string& section, const std::string& key) {
    for (const KeyCase& k : EveryKey())
        if (k.section == section && k.key == key) return k.stored;
    ADD_FAILURE() << "no key " << section << "/" << key;
    return {};
}

TEST(Settings, DefaultsDependOnTheInstalledFonts) {
    TSettings s;
    InitSettingsDefaults(s, [](std::string_view name) { return name == "Verdana"; });
    for (const std::string* font : {&s.DefaultFont.MainFont, &s.BibleText.MainFont, &s.VerseListText.MainFont,
                                    &s.BookText.MainFont, &s.CmtText.MainFont})
        EXPECT_EQ(*font, "Verdana");
    EXPECT_EQ(Defaults().DefaultFont.MainFont, "Arial");

    // A first start: the KJV at John 1:1, the layout locked, only selected tabs.
    EXPECT_EQ(s.LastBibleVerse, 26046);
    EXPECT_TRUE(s.LayoutLocked);
    EXPECT_TRUE(s.StartupFavTabs);
    EXPECT_TRUE(s.BibleText.ParagraphMarks);
    EXPECT_FALSE(s.VerseListText.ParagraphMarks);
    EXPECT_EQ(s.LastUpdateCheckDate, Today());
}

TEST(Settings, EveryKeyIsWrittenInOrderWithItsDefault) {
    const TProfileFile file = Stored(Defaults());
    // Sections come in the order of their first key; keys keep their order inside them.
    std::vector<std::string> sections;
    std::map<std::string, std::vector<std::string>> keys;
    for (const KeyCase& k : EveryKey()) {
        if (keys.count(k.section) == 0) sections.push_back(k.section);
        keys[k.section].push_back(k.key);
        EXPECT_EQ(file.ReadString(k.section, k.key, "<missing>"), k.stored) << k.section << "/" << k.key;
    }
    EXPECT_EQ(file.Sections(), sections);
    for (const std::string& section : sections) EXPECT_EQ(file.Keys(section), keys[section]) << section;
}

TEST(Settings, EveryKeyRoundTripsThroughWriteAndRead) {
    const TSettings defaults = Defaults();
    std::string all;
    for (const KeyCase& k : EveryKey()) {
        ASSERT_NE(k.sample, k.stored) << k.key;
        const TSettings read = LoadedFrom("[" + k.section + "]\n" + k.key + "=" + k.sample + "\n");
        EXPECT_NE(read, defaults) << k.section << "/" << k.key << " was not read";
        EXPECT_EQ(Stored(read).ReadString(k.section, k.key, "<missing>"), k.sample) << k.section << "/" << k.key;
        all += "[" + k.section + "]\n" + k.key + "=" + k.sample + "\n";
    }

    // All at once, through a file on disk and back.
    test::TempDir dir;
    const std::string path = dir.File("settings");
    const TSettings changed = LoadedFrom(all);
    SaveSettings(changed, path);
    TSettings again = Defaults();
    LoadSettings(again, path);
    EXPECT_EQ(again, changed);
    EXPECT_EQ(Stored(again).Text(), test::ReadBytes(path));
}

TEST(Settings, UnreadableValuesKeepTheDefaults) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Misc", "ClearMRUs", "yes"},
        {"Misc", "StartupVerse", "2"},
        {"Bookmarks3", "Entry", "12.5"},
        {"Bookmarks3", "ModuleType", "5"},
        {"Default Font", "MainSize", "0"},
        {"Bible Text", "MainSize", "-3"},
        {"Bible Text", "BackgroundColor", "clWindow"},
        {"Bible Text", "LastBibleVerse", "99999999999"},
        {"Tab Appearance", "RzTabsStyle", "4"},
        {"Export Format", "VerseExportStyle", "10"},
        {"Layout", "LastSetLayout", "3"},
        {"Sync", "DblClickBibleWordAction", "-1"},
        {"Update Check", "LastUpdateCheckDate", "yesterday"},
        {"Update Check", "LastUpdateCheckDate", "2024-02-30"},
    };
    for (const Case& c : cases) {
        const TSettings read = LoadedFrom(std::string("[") + c.section + "]\n" + c.key + "=" + c.value + "\n");
        EXPECT_EQ(Stored(read).ReadString(c.section, c.key, "<missing>"), DefaultOf(c.section, c.key))
            << c.section << "/" << c.key << "=" << c.value;
    }
}

TEST(Settings, HostileFilesLeaveTheDefaults) {
    std::mt19937 random(7);
    std::string garbage(100000, '\0');
    for (char& c : garbage) c = static_cast<char>(random() % 256);
    const std::string texts[] = {
        garbage,
        "[Misc]\nno equals sign here\nClearMRUs\n=1\n[Misc]\nClearMRUs=oops\nClearMRUs=1\n"
        "[Layout]\nLayoutLocked=" + std::string(1 << 20, '7') + "\n",
        std::string(1 << 20, '[') + "\n[Bible Text\n" + std::string(1 << 20, '=') + "\n",
    };
    const TSettings defaults = Defaults();
    for (const std::string& text : texts) EXPECT_EQ(LoadedFrom(text), defaults);

    // Huge lists are read in reasonable time: sorting is not done one insertion at a time.
    std::string names, members;
    for (int i = 200000; i > 0; --i) names += "Set" + std::to_string(i) + ",";
    const TSettings big = LoadedFrom("[Misc]\nHiddenTabs=" + names + "\n[Reference Sets]\nRefSets=" + names + "\n");
    EXPECT_EQ(big.HiddenTabs.Count(), 200000u);
    EXPECT_EQ(big.ReferenceSets.Count(), 200000u);
    EXPECT_EQ(big.ReferenceSets.Sets().front().Name, "Set1");
}

TEST(Settings, BookmarkNamesAreCutOnReading) {
    const TSettings s = LoadedFrom("[Bookmarks7]\nModuleName=" + std::string(30, 'M') +
                                   "\nEntryTitle=" + std::string(100, 'T') + "\n");
    EXPECT_EQ(s.Bookmarks[7].ModuleName, std::string(20, 'M'));
    EXPECT_EQ(s.Bookmarks[7].EntryTitle, std::string(70, 'T'));
}

TEST(Settings, SystemColoursStayInTheirStoredForm) {
    for (const char* stored : {"-16777211", "0xFF000005"}) {
        const TSettings s = LoadedFrom(std::string("[Bible Text]\nTextColor=") + stored + "\n");
        EXPECT_EQ(s.BibleText.TextColor, kColorWindow) << stored;
        EXPECT_TRUE(IsSystemColor(s.BibleText.TextColor));
        EXPECT_EQ(Stored(s).ReadString("Bible Text", "TextColor", ""), "-16777211");
    }
}

TEST(Settings, NameListsAreSortedWithoutRegardToCase) {
    const TSettings s = LoadedFrom("[Misc]\nHiddenTabs=web,\"A,B\",,KJV,Web\nActiveResources=KJV,,,,,KJV\n");
    EXPECT_EQ(s.HiddenTabs.Items(), (std::vector<std::string>{"A,B", "KJV", "web"}));
    EXPECT_EQ(s.ActiveResources, (std::vector<std::string>{"KJV", "", "", "", "", "KJV"}));
    const TProfileFile file = Stored(s);
    EXPECT_EQ(file.ReadString("Misc", "HiddenTabs", ""), "\"A,B\",KJV,web");
    EXPECT_EQ(file.ReadString("Misc", "ActiveResources", ""), "KJV,,,,,KJV");
    EXPECT_EQ(LoadedFrom("[Misc]\nHiddenTabs=\n").HiddenTabs.Count(), 0u);
}

TEST(Settings, ReferenceSets) {
    TSettings s = Defaults();
    s.ReferenceSets.Add("Prophets").Members.Assign({"Isaiah Notes", "?BIBLES"});
    s.ReferenceSets.Add("apostles").Members.Assign({"Gill"});
    s.ReferenceSets.Add("Zeal");
    EXPECT_EQ(&s.ReferenceSets.Add("PROPHETS"), s.ReferenceSets.Find("prophets"));

    TProfileFile file = Stored(s);
    EXPECT_EQ(file.Keys("Reference Sets"), (std::vector<std::string>{"RefSets", "0", "1", "2"}));
    EXPECT_EQ(file.ReadString("Reference Sets", "RefSets", ""), "apostles,Prophets,Zeal");
    EXPECT_EQ(file.ReadString("Reference Sets", "1", ""), "?BIBLES,\"Isaiah Notes\"");
    EXPECT_EQ(file.ReadString("Reference Sets", "2", ""), "");
    TSettings read = Defaults();
    LoadSettings(read, file);
    EXPECT_EQ(read.ReferenceSets, s.ReferenceSets);

    // Fewer sets leave no members of the old ones behind; none removes the section.
    s.ReferenceSets.Remove("apostles");
    StoreSettings(s, file);
    EXPECT_EQ(file.Keys("Reference Sets"), (std::vector<std::string>{"RefSets", "0", "1"}));
    EXPECT_EQ(file.ReadString("Reference Sets", "0", ""), "?BIBLES,\"Isaiah Notes\"");
    s.ReferenceSets.Clear();
    StoreSettings(s, file);
    EXPECT_FALSE(file.SectionExists("Reference Sets"));

    // Keys pair with the names as the file gives them; the first of two equal names
    // counts; exactly as many keys are read as there are names.
    read = LoadedFrom("[Reference Sets]\nRefSets=Zeal,Alpha,zeal,Beta\n0=Z1\n1=A1,A2\n2=ignored\n4=Stray\n");
    ASSERT_EQ(read.ReferenceSets.Count(), 3u);
    EXPECT_EQ(read.ReferenceSets.Find("alpha")->Members.Items(), (std::vector<std::string>{"A1", "A2"}));
    EXPECT_EQ(read.ReferenceSets.Find("ZEAL")->Members.Items(), std::vector<std::string>{"Z1"});
    EXPECT_TRUE(read.ReferenceSets.Find("Beta")->Members.Empty());

    // Without the section the sets in memory stay.
    read = Defaults();
    read.ReferenceSets.Add("Kept");
    LoadSettings(read, TProfileFile::Parse("[Misc]\n"));
    EXPECT_NE(read.ReferenceSets.Find("Kept"), nullptr);
}

TEST(Settings, ClearMRUsErasesTheHistoryListsAfterWriting) {
    TProfileFile file = TProfileFile::Parse("[MRUs]\nSearchBible_Count=1\nSearchBible_Item0=love\n[ControlBar]\ngtvLeft=3\n");
    TSettings s = Defaults();
    StoreSettings(s, file);
    EXPECT_TRUE(file.SectionExists("MRUs"));
    s.ClearMRUs = true;
    StoreSettings(s, file);
    EXPECT_FALSE(file.SectionExists("MRUs"));
    EXPECT_EQ(file.ReadInteger("ControlBar", "gtvLeft", 0), 3);  // what the windows own stays
}

TEST(Settings, LastSetLayoutIsReadOverAFixedDefault) {
    TSettings s = Defaults();
    s.LastSetLayout = 2;
    LoadSettings(s, TProfileFile::Parse("[Layout]\nLayoutLocked=0\n"));
    EXPECT_EQ(s.LastSetLayout, 1);
    s.LayoutLocked = true;  // other values are read over the values in memory
    s.AllowAutoHide = true;
    LoadSettings(s, TProfileFile::Parse(""));
    EXPECT_TRUE(s.AllowAutoHide);
}

TEST(Settings, ApplyDefaultTextSettings) {
    TSettings s = Defaults();
    s.VerseListText.UseDefaultFont = false;
    s.CmtText.UseDefaultFont = false;
    const TSettings before = s;
    TDefaultTextSettings text{"Georgia", 14, 1, 2, 3, 4, 5, 6, 7, 8};
    ApplyDefaultTextSettings(s, text);

    EXPECT_EQ(s.DefaultFont, (TDefaultFont{1, 8, "Georgia", 14}));
    EXPECT_EQ(s.KeyHilightColor, 2);
    // Following the default text: font, size, colours, and the note column as the background.
    EXPECT_EQ(s.BibleText.MainFont, "Georgia");
    EXPECT_EQ(s.BibleText.MainSize, 14);
    EXPECT_EQ(s.BibleText.BackgroundColor, 1);
    EXPECT_EQ(s.BibleText.TextColor, 8);
    EXPECT_EQ(s.BibleText.NoteColumnColor, 1);
    EXPECT_EQ(s.BookText.MainFont, "Georgia");
    EXPECT_EQ(s.BookText.BackgroundColor, 1);
    // Not following it: only the link colours change.
    TPropertiesBibleView verseList = before.VerseListText;
    verseList.FootnotesColor = 7;
    verseList.StrongsLinkColor = 6;
    verseList.CommentLinkColor = 5;
    verseList.DictLinkColor = 4;
    EXPECT_EQ(s.VerseListText, verseList);
    TPropertiesResourceView commentaries = before.CmtText;
    commentaries.LinkColor = 3;
    EXPECT_EQ(s.CmtText, commentaries);
    EXPECT_EQ(s.BibleText.DictLinkColor, 4);
    EXPECT_EQ(s.BookText.LinkColor, 3);
}

// A write that dies part-way must leave the old file whole. The kernel stops the real
// write at a chosen size (RLIMIT_FSIZE): the process is killed by SIGXFSZ there, as
// if it had crashed, or, with the signal ignored, the write fails and is reported.
class InterruptedSave : public testing::Test {
protected:
    void SetUp() override {
        path_ = dir_.File("settings");
        TSettings old = Defaults();
        old.LastBibleVerse = 1;
        SaveSettings(old, path_);
        UpdateSettingsFile(path_, [](TProfileFile& f) { WriteShowWelcome(f, false); });
        oldBytes_ = test::ReadBytes(path_);
        changed_ = Defaults();
        changed_.LastBibleVerse = 2;
        changed_.HiddenTabs.Add("WEB");
        TProfileFile expected = TProfileFile::Parse(oldBytes_);
        StoreSettings(changed_, expected);
        newBytes_ = expected.Text();
    }

    static void SaveWithin(const TSettings& settings, const std::string& path, rlim_t bytes) {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        SaveSettings(settings, path);
    }

    test::TempDir dir_;
    std::string path_, oldBytes_, newBytes_;
    TSettings changed_;
};

TEST_F(InterruptedSave, LeavesTheOldFileOrTheNewOneComplete) {
    // "fast" forks at the statement, so the child writes this test's file.
    GTEST_FLAG_SET(death_test_style, "fast");
    const size_t size = newBytes_.size();
    for (size_t cut : {size_t{0}, size_t{1}, size / 3, size / 2, size - 1, size}) {
        if (cut < size) {
            EXPECT_EXIT(SaveWithin(changed_, path_, cut), testing::KilledBySignal(SIGXFSZ), "") << cut;
            EXPECT_EQ(test::ReadBytes(path_), oldBytes_) << "killed after " << cut << " bytes";
        } else {
            EXPECT_EXIT((SaveWithin(changed_, path_, cut), _exit(0)), testing::ExitedWithCode(0), "");
            EXPECT_EQ(test::ReadBytes(path_), newBytes_);
        }
    }
}

TEST_F(InterruptedSave, AFailedWriteIsReportedAndKeepsTheOldFile) {
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    std::string message;
    try {
        SaveWithin(changed_, path_, newBytes_.size() / 2);
    } catch (const Exception& e) {
        message = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_NE(message.find("Cannot write " + path_), std::string::npos) << message;
    EXPECT_EQ(test::ReadBytes(path_), oldBytes_);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1);  // no temporary left
}

TEST(Settings, AMissingFileIsAFirstStartAndAFolderInTheWayIsReported) {
    test::TempDir dir;
    TSettings s = Defaults();
    LoadSettings(s, dir.File("absent"));
    EXPECT_EQ(s, Defaults());
    LoadSettings(s, dir.Path());  // unreadable: the defaults stay
    EXPECT_EQ(s, Defaults());
    EXPECT_THROW(SaveSettings(s, dir.Path()), Exception);
    EXPECT_THROW(SaveSettings(s, dir.File("no/such/folder/settings")), Exception);
}

}  // namespace
}  // namespace kvx
