// The main window's start-up, first idle moment and orderly close, on fixture
// installations and on the real default library.
#include <gtest/gtest.h>

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <climits>
#include <filesystem>

#include "app/settings_windows.h"
#include "app/startup_files.h"
#include "app/startup_forms.h"
#include "app/startup_state.h"
#include "app/update_check.h"
#include "modules/strongs_data_writer.h"
#include "platform/file_util.h"
#include "tests/app/main_window_harness.h"
#include "views/bible_view.h"
#include "views/simple_resource_view.h"

namespace kvx {
namespace {

namespace fs = std::filesystem;
using test::TInstallation;
using test::TProgramRun;

std::vector<std::string> Abbreviations(const auto& modules) {
    std::vector<std::string> names;
    for (const auto& module : modules) names.push_back(module->Abbreviation());
    return names;
}

// The items after the menu's last separator.
std::vector<QAction*> LibraryItems(QMenu* menu) {
    std::vector<QAction*> items;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) items.clear();
        else items.push_back(action);
    }
    return items;
}

std::vector<std::string> Texts(const std::vector<QAction*>& actions) {
    std::vector<std::string> texts;
    for (const QAction* action : actions) texts.push_back(action->text().toStdString());
    return texts;
}

TSettings SavedSettings(const TInstallation& install) {
    TSettings settings;
    InitSettingsDefaults(settings, nullptr);
    LoadSettings(settings, install.SettingsFile());
    return settings;
}

std::string Shown(const std::vector<TShownMessage>& messages) {
    std::string all;
    for (const auto& m : messages) all += m.Text + "\n";
    return all;
}

TEST(MainWindow, StartsOnAFixtureLibraryAndWritesTheSettingsOnceAtAnOrderlyExit) {
    TInstallation install;
    install.Full();
    TProgramRun run(install);
    ASSERT_TRUE(run.Main().StartupSucceeded()) << Shown(run.Messages.Messages());
    TMain& main = run.Main();
    const TModuleLibrary& library = main.Library();

    EXPECT_EQ(Abbreviations(library.BibleModules()), (std::vector<std::string>{"KJV", "KJVSL", "ABC", "XYZ"}));
    EXPECT_EQ(Abbreviations(library.BookModules()),
              (std::vector<std::string>{"dup", "dup", "Easton", "Greek", "hebrew", "WebAJ"}));
    EXPECT_EQ(Abbreviations(library.CommentaryModules()), (std::vector<std::string>{"MINE", "SME", "TSK"}));
    ASSERT_NE(library.StrHebModule(), nullptr);
    ASSERT_NE(library.StrGrkModule(), nullptr);
    EXPECT_EQ(library.StrHebModule()->Abbreviation(), "hebrew");
    EXPECT_EQ(library.StrGrkModule()->Abbreviation(), "Greek");
    EXPECT_EQ(library.KJVBible(), library.BibleModules()[0].get());
    EXPECT_EQ(library.ParagraphMap().IsParagraphStart(11), true);
    EXPECT_NE(library.StrongsData(), nullptr);

    const TStartupState& state = StartupState();
    EXPECT_TRUE(state.StartupComplete);
    EXPECT_FALSE(state.StartingUp);
    EXPECT_TRUE(state.DefaultLayoutPending);
    EXPECT_TRUE(fs::is_directory(install.UserModuleFolder()));

    EXPECT_EQ(main.BiblePanel()->objectName(), "Bibles");
    EXPECT_EQ(main.BookPanel()->objectName(), "Books and Dictionaries");
    EXPECT_EQ(main.CommentaryPanel()->objectName(), "Commentaries");
    EXPECT_EQ(main.ResultsPanel()->objectName(), "Search Results");
    EXPECT_EQ(main.windowTitle(), "Karvelindorax 5");

    EXPECT_EQ(Texts(LibraryItems(main.BibleMenu())),
              (std::vector<std::string>{"KJV\tKing James Version", "KJVSL\tKing James Version with Strong's Links",
                                        "ABC\tABC Test Bible", "XYZ\tXylophone && Zither Version"}));
    EXPECT_EQ(Texts(LibraryItems(main.BookMenu())),
              (std::vector<std::string>{"dup - Dup One", "dup - Dup Two", "Easton - Easton's Bible Dictionary",
                                        "Greek - Strong's Greek Lexicon", "hebrew - Strong's Hebrew Lexicon",
                                        "WebAJ - Webster A-J"}));
    EXPECT_EQ(Texts(LibraryItems(main.CommentaryMenu())),
              (std::vector<std::string>{"MINE - My Notes", "SME - Morning and Evening",
                                        "TSK - Treasury of Scripture Knowledge"}));

    // A first start: the KJV at John 1:1, the first book, the first commentary on that verse.
    EXPECT_EQ(main.BibleView()->CurrentIndex(), 0);
    EXPECT_EQ(main.BibleView()->CurrentVerse(), kJohn1v1);
    EXPECT_TRUE(main.BibleView()->Text()->toPlainText().contains("Text of Joh 1:1."));
    EXPECT_EQ(main.BookView()->CurrentIndex(), 0);
    EXPECT_EQ(main.BookView()->CurrentEntry(), 0);
    EXPECT_EQ(main.CommentaryView()->CurrentIndex(), 0);
    EXPECT_EQ(main.CommentaryView()->CurrentEntry(), kJohn1v1 - 1);

    ASSERT_TRUE(run.ShowAndWaitForIdle());
    EXPECT_FALSE(state.DefaultLayoutPending);
    EXPECT_EQ(run.Messages.Dialogs(), std::vector<std::string>{"FormQuickStart"});
    // Only the welcome flag is written during the run.
    const TProfileFile during = TProfileFile::Load(install.SettingsFile());
    EXPECT_FALSE(ReadShowWelcome(during));
    EXPECT_FALSE(during.SectionExists("Bible Text"));

    test::WriteBytes(install.SettingsFolder() + "dcontent", "x");
    run.Close();
    EXPECT_TRUE(FileExists(main.LayoutFile()));
    EXPECT_FALSE(FileExists(install.SettingsFolder() + "dcontent"));
    const TSettings saved = SavedSettings(install);
    EXPECT_EQ(saved.ActiveResources,
              (std::vector<std::string>{"KJV", "MINE", std::to_string(kJohn1v1 - 1), "dup", "0", "KJV"}));
    EXPECT_EQ(saved.LastBibleVerse, kJohn1v1);
    EXPECT_TRUE(saved.HiddenTabs.Empty());

    // Once: closing again writes nothing.
    fs::remove(install.SettingsFile());
    main.close();
    run.Close();
    EXPECT_FALSE(FileExists(install.SettingsFile()));
    EXPECT_TRUE(run.Messages.Messages().empty()) << Shown(run.Messages.Messages());
}

TEST(MainWindow, TheNextStartReturnsWhereTheUserLeft) {
    TInstallation install;
    install.Full();
    test::SkipWelcome(install);
    {
        TProgramRun run(install);
        ASSERT_TRUE(run.ShowAndWaitForIdle());
        run.Main().ShowBible(3);
        run.Main().CommentaryView()->ShowEntry(2, 0);
        run.Main().BookView()->ShowEntry(2, 1);
        run.Main().ResultsPanel()->hide();
        run.Close();
    }
    TProgramRun run(install);
    ASSERT_TRUE(run.Main().StartupSucceeded()) << Shown(run.Messages.Messages());
    EXPECT_FALSE(StartupState().DefaultLayoutPending);
    EXPECT_FALSE(FileExists(run.Main().LayoutFile()));  // used once
    EXPECT_EQ(run.Main().BibleView()->CurrentIndex(), 3);
    EXPECT_EQ(run.Main().BibleView()->CurrentVerse(), 10);  // the tiny XYZ ends at verse 10
    EXPECT_EQ(run.Main().CommentaryView()->CurrentIndex(), 2);
    EXPECT_EQ(run.Main().CommentaryView()->CurrentEntry(), 0);
    EXPECT_EQ(run.Main().BookView()->CurrentIndex(), 2);
    EXPECT_EQ(run.Main().BookView()->CurrentEntry(), 1);
    ASSERT_TRUE(run.ShowAndWaitForIdle());
    EXPECT_FALSE(run.Main().ResultsPanel()->isVisible());
    EXPECT_TRUE(run.Main().BiblePanel()->isVisible());
    EXPECT_TRUE(run.Messages.Dialogs().empty());
}

TEST(MainWindow, SavedPositionsAreCheckedBeforeTheyAreUsed) {
    struct Case {
        std::vector<std::string> active;
        int lastVerse;
        int bible, verse, book, bookEntry, commentary, commentaryEntry;
    };
    const Case cases[] = {
        // Four items or fewer: the KJV, the first book and commentary 0 on the verse.
        {{"XYZ", "TSK", "1", "Easton"}, kJohn1v1, 0, kJohn1v1, 0, 0, 0, kJohn1v1 - 1},
        // Verse 0 opens verse 1; an entry past the commentary follows the verse; an
        // entry that is no number is the first.
        {{"XYZ", "TSK", "40000", "Easton", "abc", "KJV"}, 0, 3, 1, 2, 0, 2, 0},
        // Names of modules that are gone.
        {{"nope", "NOPE", "5", "NOPE", "2", "KJV"}, kJohn1v1, 0, kJohn1v1, 0, 0, 0, kJohn1v1 - 1},
        // A verse past the Bible; a negative entry; of two books named alike the last
        // one (down to index 1) is taken, and its entry must fit it.
        {{"ABC", "SME", "-3", "dup", "1", "KJV"}, 99999, 2, 1, 1, 0, 1, 0},
    };
    for (const Case& c : cases) {
        TInstallation install;
        install.Full();
        test::WriteSettings(install, [&](TSettings& s) {
            s.ActiveResources = c.active;
            s.LastBibleVerse = c.lastVerse;
            s.DocPosBible = 500;
        });
        TProgramRun run(install);
        ASSERT_TRUE(run.Main().StartupSucceeded()) << Shown(run.Messages.Messages());
        const std::string name = c.active[0] + "," + c.active[1];
        EXPECT_EQ(run.Main().BibleView()->CurrentIndex(), c.bible) << name;
        EXPECT_EQ(run.Main().BibleView()->CurrentVerse(), c.verse) << name;
        EXPECT_EQ(run.Main().BookView()->CurrentIndex(), c.book) << name;
        EXPECT_EQ(run.Main().BookView()->CurrentEntry(), c.bookEntry) << name;
        EXPECT_EQ(run.Main().CommentaryView()->CurrentIndex(), c.commentary) << name;
        EXPECT_EQ(run.Main().CommentaryView()->CurrentEntry(), c.commentaryEntry) << name;
        if (c.verse == 1) {
            EXPECT_EQ(Settings().DocPosBible, 0) << name;
        }
    }
}

TEST(MainWindow, TabsFollowTheHiddenTabsSetting) {
    TInstallation install;
    install.Full();
    test::WriteSettings(install, [](TSettings& s) {
        s.HiddenTabs.Assign({"KJV", "ABC", "dup", "Easton", "Greek", "hebrew", "WebAJ"});
    });
    TProgramRun run(install);
    ASSERT_TRUE(run.Main().StartupSucceeded());
    const TFrameBibleView& bibles = *run.Main().BibleView();
    EXPECT_TRUE(bibles.TabVisible(0));  // the KJV cannot be hidden
    EXPECT_TRUE(bibles.TabVisible(1));
    EXPECT_FALSE(bibles.TabVisible(2));
    const TSimpleResourceView& books = *run.Main().BookView();
    EXPECT_TRUE(books.TabVisible(0));  // every book hidden: the first shows
    for (int i = 1; i < books.TabCount(); ++i) EXPECT_FALSE(books.TabVisible(i)) << i;
    run.Main().ShowAllTabs();
    for (int i = 0; i < books.TabCount(); ++i) EXPECT_TRUE(books.TabVisible(i)) << i;
    EXPECT_TRUE(bibles.TabVisible(2));
    run.Close();
    EXPECT_EQ(SavedSettings(install).HiddenTabs.Items(),
              (std::vector<std::string>{"ABC", "dup", "Easton", "Greek", "hebrew", "WebAJ"}));
}

TEST(MainWindow, HostileSettingsAreKeptWithinReason) {
    struct Case {
        TWindowPlacement placement;
        bool placed;
    };
    const Case cases[] = {
        {{-100000, -100000, -99000, -99000, false}, false},  // on no screen there is
        {{0, 0, 10000000, 10000000, false}, true},           // larger than any screen
    };
    for (const Case& c : cases) {
        TInstallation install;
        install.Full();
        test::SkipWelcome(install);
        test::WriteSettings(install, [](TSettings& s) {
            s.LastSetLayout = 99;
            s.DocPosBible = INT32_MAX;
            s.ActiveResources = {"", "", "x", "", "y", ""};
        });
        UpdateSettingsFile(install.SettingsFile(),
                           [&](TProfileFile& f) { WriteWindowPlacement(f, "MainForm", c.placement); });
        TProgramRun run(install);
        ASSERT_TRUE(run.Main().StartupSucceeded());
        TMain& main = run.Main();
        EXPECT_GT(main.geometry().x(), -1000);
        const QRect screen = main.screen()->availableGeometry();
        EXPECT_LE(main.geometry().width(), std::max(screen.width(), 1100));
        if (c.placed) {
            EXPECT_EQ(main.geometry().width(), screen.width());
        }
        ASSERT_TRUE(run.ShowAndWaitForIdle());
        EXPECT_EQ(Settings().LastSetLayout, LayoutBibleLeft);
        EXPECT_EQ(main.BibleView()->CurrentIndex(), 0);
    }
}

TEST(MainWindow, AnIncompleteInstallationEndsTheStartWithItsMessage) {
    struct Case {
        const char* name;
        std::function<void(TInstallation&)> damage;
        std::function<std::string(const TInstallation&)> message;
    };
    const Case cases[] = {
        {"short paragraph map", [](TInstallation& i) { i.Write("pmap.dat", "short"); },
         [](const TInstallation&) { return std::string(kParagraphMapMessage); }},
        {"no Strong's data", [](TInstallation& i) { fs::remove(i.ProgramFolder() + "stgdat.zb4"); },
         [](const TInstallation& i) { return i.ProgramFolder() + "stgdat.zb4 not found. Can not continue loading."; }},
        {"damaged Strong's data", [](TInstallation& i) { i.Write("stgdat.zb4", "not Strong's data"); },
         [](const TInstallation& i) {
             try {
                 TZBStrongsDataModule data(i.ProgramFolder() + "stgdat.zb4");
             } catch (const std::exception& e) {
                 return std::string(e.what());
             }
             return std::string("opened");
         }},
        {"no KJV",
         [](TInstallation& i) {
             fs::remove(i.ProgramFolder() + kReferenceBibleFile);
             i.AddDamaged("KJV.zb5bible");
             i.Add("lowkjv.zb5bible");
         },
         [](const TInstallation&) { return std::string(kNoKJVMessage); }},
    };
    for (const Case& c : cases) {
        TInstallation install;
        install.Full();
        c.damage(install);
        TProgramRun run(install);
        EXPECT_FALSE(run.Main().StartupSucceeded()) << c.name;
        ASSERT_EQ(run.Messages.Messages().size(), 1u) << c.name;
        EXPECT_EQ(run.Messages.Messages()[0].Kind, TMessageKind::Error) << c.name;
        EXPECT_EQ(run.Messages.Messages()[0].Text, c.message(install)) << c.name;
        run.Close();
        EXPECT_FALSE(FileExists(install.SettingsFile())) << c.name;
        EXPECT_FALSE(FileExists(run.Main().LayoutFile())) << c.name;
    }
}

TEST(MainWindow, ADamagedLastLayoutEndsTheStartAndIsNotUsedAgain) {
    TInstallation install;
    install.Full();
    test::SkipWelcome(install);
    test::WriteBytes(install.SettingsFolder() + "LastLayout", "not a layout");
    {
        TProgramRun run(install);
        EXPECT_FALSE(run.Main().StartupSucceeded());
        ASSERT_EQ(run.Messages.Messages().size(), 1u);
        EXPECT_EQ(run.Messages.Messages()[0].Text,
                  "Sorry, a layout operation has resulted in an error in Karvelindorax initialization.\n"
                  "Please click OK and then restart Karvelindorax.");
        EXPECT_TRUE(StartupState().StartupFailed);
        EXPECT_FALSE(FileExists(install.SettingsFolder() + "LastLayout"));
        // Errors after the failure are swallowed.
        run.Errors.Report("Something else went wrong");
        EXPECT_EQ(run.Messages.Messages().size(), 1u);
        const std::string before = test::ReadBytes(install.SettingsFile());
        run.Close();
        EXPECT_EQ(test::ReadBytes(install.SettingsFile()), before);
    }
    TProgramRun again(install);
    EXPECT_TRUE(again.Main().StartupSucceeded());
    EXPECT_TRUE(StartupState().DefaultLayoutPending);
}

TEST(MainWindow, ExitWithoutSavingLayoutLeavesTheNamedLayoutForTheNextStart) {
    TInstallation install;
    install.Full();
    test::WriteSettings(install, [](TSettings& s) { s.LastSetLayout = LayoutClassic; });
    test::SkipWelcome(install);
    UpdateSettingsFile(install.SettingsFile(), [](TProfileFile& f) { WriteControlBar(f, TControlBar{}); });
    {
        TProgramRun run(install);
        ASSERT_TRUE(run.ShowAndWaitForIdle());
        // The classic layout: results on the left, the Bible on the right.
        EXPECT_LT(run.Main().ResultsPanel()->geometry().x(), run.Main().BiblePanel()->geometry().x());
        run.Main().ExitWithoutLayoutSaveAction()->trigger();
        EXPECT_FALSE(run.Main().isVisible());
    }
    EXPECT_FALSE(FileExists(install.SettingsFolder() + "LastLayout"));
    EXPECT_FALSE(TProfileFile::Load(install.SettingsFile()).SectionExists("ControlBar"));
    EXPECT_EQ(SavedSettings(install).LastSetLayout, LayoutClassic);

    TProgramRun run(install);
    EXPECT_TRUE(StartupState().DefaultLayoutPending);
    ASSERT_TRUE(run.ShowAndWaitForIdle());
    EXPECT_FALSE(StartupState().DefaultLayoutPending);
    EXPECT_LT(run.Main().ResultsPanel()->geometry().x(), run.Main().BiblePanel()->geometry().x());
}

TEST(MainWindow, TheUpdateReminderAndTheWelcomeWindowAnswerTheirButtons) {
    using namespace std::chrono;
    {
        TInstallation install;
        install.Full();
        test::WriteSettings(install, [](TSettings& s) { s.LastUpdateCheckDate = year{2000} / 1 / 1; });
        TProgramRun run(install);
        std::string middle;
        run.Messages.DialogAnswer = [&](QDialog& dialog) {
            if (auto* reminder = qobject_cast<TFormCheckUpdateReminder*>(&dialog)) {
                middle = reminder->RemindLaterButton()->text().toStdString();
                return int(TFormCheckUpdateReminder::CheckNow);
            }
            return int(QDialog::Accepted);
        };
        ASSERT_TRUE(run.ShowAndWaitForIdle());
        EXPECT_EQ(run.Messages.Dialogs(), (std::vector<std::string>{"FormCheckUpdateReminder", "FormQuickStart"}));
        EXPECT_EQ(middle, "No, remind me again in 30 days.");
        ASSERT_EQ(run.Desktop.Opened.size(), 1u);
        EXPECT_EQ(run.Desktop.Opened[0], UpdatePageAddress(ProgramVersion()));
        EXPECT_EQ(Settings().LastUpdateCheckDate, Today());
        // No help is installed: the user is told which topic was asked for.
        ASSERT_EQ(run.Messages.Messages().size(), 1u);
        EXPECT_EQ(run.Messages.Messages()[0].Text.rfind("Help topic 1020 cannot be shown", 0), 0u);
    }
    {
        TInstallation install;
        install.Full();
        install.Write("help/1020.html", "<p>Quick start</p>");
        test::WriteSettings(install, [](TSettings& s) {
            s.LastUpdateCheckDate = year{2000} / 1 / 1;
            s.UpdateReminderInterval = 7;
        });
        TProgramRun run(install);
        run.Messages.DialogAnswer = [](QDialog& dialog) {
            if (auto* reminder = qobject_cast<TFormCheckUpdateReminder*>(&dialog)) {
                EXPECT_EQ(reminder->RemindLaterButton()->text(), "No, remind me again in 7 days.");
                return int(TFormCheckUpdateReminder::NeverRemind);
            }
            return int(QDialog::Accepted);
        };
        ASSERT_TRUE(run.ShowAndWaitForIdle());
        ASSERT_EQ(run.Desktop.Opened.size(), 1u);
        EXPECT_EQ(run.Desktop.Opened[0], "file://" + install.ProgramFolder() + "help/1020.html");
        run.Close();
        EXPECT_FALSE(SavedSettings(install).UpdateReminder);
    }
}

TEST(MainWindow, LibraryMenusShowAndMarkTheModules) {
    TInstallation install;
    install.Full();
    TProgramRun run(install);
    ASSERT_TRUE(run.Main().StartupSucceeded());
    TMain& main = run.Main();
    LibraryItems(main.BibleMenu())[3]->trigger();
    EXPECT_EQ(main.BibleView()->CurrentIndex(), 3);
    emit main.BibleMenu()->aboutToShow();
    std::vector<bool> checked;
    for (QAction* item : LibraryItems(main.BibleMenu())) checked.push_back(item->isChecked());
    EXPECT_EQ(checked, (std::vector<bool>{false, false, false, true}));

    LibraryItems(main.BookMenu())[2]->trigger();
    EXPECT_EQ(main.BookView()->CurrentModule()->Abbreviation(), "Easton");

    // Commentaries with text on the verse shown get the other picture.
    main.CommentaryView()->ShowEntry(2, 0);
    emit main.CommentaryMenu()->aboutToShow();
    const auto items = LibraryItems(main.CommentaryMenu());
    EXPECT_TRUE(items[2]->isChecked());
    EXPECT_EQ(items[0]->icon().cacheKey(), items[2]->icon().cacheKey());  // MINE and TSK on Ge 1:1
    EXPECT_NE(items[1]->icon().cacheKey(), items[2]->icon().cacheKey());  // SME has nothing there
}

TEST(MainWindow, WithoutBooksTheirCommandsAreOffAndTheirPanelHidden) {
    TInstallation install;
    install.Complete();
    install.Write("devotion.dys", "01/01/AM/0001\r\n");
    TProgramRun run(install);
    ASSERT_TRUE(run.Main().StartupSucceeded());
    ASSERT_TRUE(run.ShowAndWaitForIdle());
    for (QMenu* menu : {run.Main().BookMenu(), run.Main().CommentaryMenu()})
        for (QAction* action : menu->actions())
            if (!action->isSeparator()) {
                EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
            }
    EXPECT_FALSE(run.Main().BookPanel()->isVisible());
    EXPECT_FALSE(run.Main().CommentaryPanel()->isVisible());
    EXPECT_FALSE(run.Main().Library().DevotionsAvailable());  // no "SME"
    for (QAction* action : run.Main().DevotionalMenu()->actions())
        EXPECT_EQ(action->isEnabled(), action->text() == "Today's Proverb") << action->text().toStdString();
    run.Main().ApplyNamedLayout(LayoutBibleLeftResultsRight);
    EXPECT_FALSE(run.Main().BookPanel()->isVisible());
    run.Close();
    const TSettings saved = SavedSettings(install);
    EXPECT_EQ(saved.ActiveResources, (std::vector<std::string>{"KJV", "", "", "", "", "KJV"}));
    EXPECT_EQ(saved.LastSetLayout, LayoutBibleLeftResultsRight);
}

TEST(MainWindow, ALaterStartBringsTheWindowBackFromTheTaskBar) {
    TInstallation install;
    install.Full();
    test::SkipWelcome(install);
    TProgramRun run(install);
    ASSERT_TRUE(run.ShowAndWaitForIdle());
    run.Main().showMinimized();
    TProgramRun::Spin();
    run.Main().BringToFront();
    TProgramRun::Spin();
    EXPECT_FALSE(run.Main().isMinimized());
    EXPECT_TRUE(run.Main().isVisible());
    // A request that comes in after the close leaves the window closed.
    run.Close();
    run.Main().BringToFront();
    EXPECT_FALSE(run.Main().isVisible());
}

TEST(MainWindow, StartsOnTheDefaultLibrary) {
    const std::string library = test::DefaultLibraryFolder({"Modules/KJV.zb5bible", "pmap.dat"});
    if (library.empty()) GTEST_SKIP() << "no default library; build it with kvx build-library";
    // The real modules, with a Strong's data file of no words until the library has one.
    TInstallation install;
    for (const std::string& name : ModuleFilesIn(library + "Modules/", ".zb5bible"))
        fs::create_symlink(library + "Modules/" + name, install.ProgramFolder() + "Modules/" + name);
    for (const char* ext : {".zb5book", ".zb5cmty"})
        for (const std::string& name : ModuleFilesIn(library + "Modules/", ext))
            fs::create_symlink(library + "Modules/" + name, install.ProgramFolder() + "Modules/" + name);
    fs::create_symlink(library + "pmap.dat", install.ProgramFolder() + "pmap.dat");
    if (FileExists(library + "stgdat.zb4")) fs::create_symlink(library + "stgdat.zb4", install.ProgramFolder() + "stgdat.zb4");
    else WriteStrongsData(install.ProgramFolder() + "stgdat.zb4", {}, {});
    test::SkipWelcome(install);

    TProgramRun run(install);
    ASSERT_TRUE(run.Main().StartupSucceeded()) << Shown(run.Messages.Messages());
    const TModuleLibrary& lib = run.Main().Library();
    const auto names = Abbreviations(lib.BibleModules());
    ASSERT_GE(names.size(), 2u);
    EXPECT_EQ(names[0], "KJV");
    EXPECT_EQ(names[1], "KJVSL");
    EXPECT_EQ(lib.StrongsLinkBible(), lib.BibleModules()[1].get());
    EXPECT_TRUE(std::is_sorted(names.begin() + 2, names.end()));
    EXPECT_EQ(names.size(), ModuleFilesIn(library + "Modules/", ".zb5bible").size() + 1);
    // The special books are whatever the library holds under their codes.
    const TZBDictionaryModule* hebrew = nullptr;
    const TZBDictionaryModule* greek = nullptr;
    for (const auto& book : lib.BookModules()) {
        if (book->ModuleCode() == "StrHeb") hebrew = book.get();
        if (book->ModuleCode() == "StrGrk") greek = book.get();
    }
    EXPECT_EQ(lib.StrHebModule(), hebrew);
    EXPECT_EQ(lib.StrGrkModule(), greek);
    EXPECT_TRUE(run.Main().BibleView()->Text()->toPlainText().contains("In the beginning was the Word"));
    ASSERT_TRUE(run.ShowAndWaitForIdle());
    run.Close();
    EXPECT_EQ(SavedSettings(install).ActiveResources.front(), "KJV");
}

}  // namespace
}  // namespace kvx
