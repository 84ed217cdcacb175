// The module library: which files it opens, the order it gives them, the names it
// finds them by, the special books and the per-module flags; and the start-up rules
// that need no window.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/module_library.h"
#include "app/startup_files.h"
#include "app/update_check.h"
#include "tests/app/app_fixtures.h"

namespace kvx {
namespace {

using test::TInstallation;

std::vector<std::string> Abbreviations(const auto& modules) {
    std::vector<std::string> names;
    for (const auto& module : modules) names.push_back(module->Abbreviation());
    return names;
}

// Loads an installation as start-up does.
void LoadAll(TModuleLibrary& library, const TInstallation& install) {
    const std::string folders[] = {install.ProgramFolder() + "Modules/", install.ProgramFolder() + "User/",
                                   install.UserModuleFolder()};
    library.LoadBibleFolder(folders[0]);
    library.LoadBibleFolder(folders[2]);
    library.ChooseKJVBible();
    library.OrderBibles();
    for (const auto& folder : folders) library.LoadBookFolder(folder);
    library.OrderBooks();
    library.FindSpecialModules();
    for (const auto& folder : folders) library.LoadCommentaryFolder(folder);
    library.OrderCommentaries();
    library.CollectUserCommentaries();
}

TEST(ModuleLibrary, BiblesEndInOrderKJVAndTwinFirstWhateverTheFoldersHold) {
    // The folder a module sits in decides its load order; the display order must not
    // depend on it.
    const std::vector<std::vector<std::string>> placements = {
        {"Modules/", "Modules/", "Modules/"}, {"documents", "Modules/", "documents"}, {"Modules/", "documents", "documents"}};
    for (const auto& where : placements) {
        TInstallation install;
        install.Complete();
        install.Add("XYZ.zb5bible", where[0]).Add("ABC.zb5bible", where[1]).Add("lowkjv.zb5bible", where[2]);
        TModuleLibrary library;
        LoadAll(library, install);
        EXPECT_EQ(Abbreviations(library.BibleModules()), (std::vector<std::string>{"KJV", "KJVSL", "ABC", "XYZ", "kjv"}))
            << where[0] << where[1] << where[2];
        const auto& twin = *library.BibleModules()[1];
        EXPECT_EQ(library.KJVBible(), library.BibleModules()[0].get());
        EXPECT_EQ(library.StrongsLinkBible(), &twin);
        EXPECT_TRUE(twin.StrongsLinks());
        EXPECT_FALSE(library.KJVBible()->StrongsLinks());
        EXPECT_EQ(twin.ModuleName(), "King James Version with Strong's Links");
        // The twin is a second reader of the same file, under no name of its own.
        EXPECT_EQ(library.LoadedModuleFiles().Count(), 4u);
        EXPECT_FALSE(library.BiblesByAbbreviation().Contains("KJVSL"));
        EXPECT_FALSE(library.ModuleNamesInUse().Contains("KJVSL"));
        EXPECT_TRUE(library.ModuleNamesInUse().Contains("xylophone & zither version"));
    }
}

TEST(ModuleLibrary, ALowerCaseKjvIsNotTheReferenceBible) {
    TInstallation install;
    install.Add("lowkjv.zb5bible").Add("ABC.zb5bible");
    TModuleLibrary library;
    library.LoadBibleFolder(install.ProgramFolder() + "Modules/");
    EXPECT_FALSE(library.ChooseKJVBible());
    library.OrderBibles();
    EXPECT_EQ(Abbreviations(library.BibleModules()), (std::vector<std::string>{"ABC", "kjv"}));
}

TEST(ModuleLibrary, AFileNameIsOpenedOnceAndADamagedCopyGivesWayToTheNextFolder) {
    {
        TInstallation install;
        install.Complete().Add("TSK.zb5cmty").Add("TSK.zb5cmty", "documents");
        TModuleLibrary library;
        LoadAll(library, install);
        ASSERT_EQ(library.CommentaryModules().size(), 1u);
        EXPECT_EQ(library.CommentaryModules()[0]->FileName(), install.ProgramFolder() + "Modules/TSK.zb5cmty");
    }
    {
        TInstallation install;
        install.Complete().Add("TSK.zb5cmty", "documents");
        install.AddDamaged("TSK.zb5cmty");
        TModuleLibrary library;
        LoadAll(library, install);
        ASSERT_EQ(library.CommentaryModules().size(), 1u);
        EXPECT_EQ(library.CommentaryModules()[0]->FileName(), install.UserModuleFolder() + "TSK.zb5cmty");
    }
}

TEST(ModuleLibrary, DamagedAndForeignFilesArePassedOverSilently) {
    TInstallation install;
    install.Full();
    install.AddDamaged("ABC.zb5bible", "User/");  // Bibles are not looked for in User/
    install.AddDamaged("XYZ.zb5bible", "documents");
    install.Write("Modules/empty.zb5book", "");
    install.Write("Modules/text.zb5cmty", "not a module at all");
    install.Write("Modules/Easton.zb5cmty", test::ReadBytes(test::SharedModule("Easton.zb5book").Path));
    TModuleLibrary library;
    LoadAll(library, install);
    EXPECT_EQ(Abbreviations(library.BibleModules()), (std::vector<std::string>{"KJV", "KJVSL", "ABC", "XYZ"}));
    EXPECT_EQ(Abbreviations(library.BookModules()),
              (std::vector<std::string>{"dup", "dup", "Easton", "Greek", "hebrew", "WebAJ"}));
    EXPECT_EQ(Abbreviations(library.CommentaryModules()), (std::vector<std::string>{"MINE", "SME", "TSK"}));
}

TEST(ModuleLibrary, BooksAndCommentariesAreOrderedAndRegistered) {
    TInstallation install;
    install.Full();
    TModuleLibrary library;
    LoadAll(library, install);
    // Lowered abbreviations, equal ones in load order: Modules/dup before User/dup2.
    const auto& books = library.BookModules();
    ASSERT_EQ(Abbreviations(books), (std::vector<std::string>{"dup", "dup", "Easton", "Greek", "hebrew", "WebAJ"}));
    EXPECT_EQ(books[0]->ModuleName(), "Dup One");
    EXPECT_EQ(books[1]->ModuleName(), "Dup Two");
    // Both books of one abbreviation are in the library; the name finds the first.
    EXPECT_EQ(library.BooksByAbbreviation().Lookup("DUP"), books[0].get());
    EXPECT_EQ(library.BooksByTitle().Lookup("dup two"), books[1].get());
    EXPECT_EQ(library.CommentariesByAbbreviation().Lookup("tsk"), library.CommentaryModules()[2].get());
    EXPECT_EQ(library.CommentariesByTitle().Lookup("My Notes"), library.CommentaryModules()[0].get());

    EXPECT_EQ(library.StrHebModule(), books[4].get());
    EXPECT_EQ(library.StrGrkModule(), books[3].get());
    EXPECT_EQ(library.WAJModule(), books[5].get());
    EXPECT_EQ(library.WKZModule(), nullptr);
    EXPECT_EQ(library.KJBCModule(), nullptr);

    ASSERT_EQ(library.UserCommentaryModules().size(), 1u);
    EXPECT_EQ(library.UserCommentaryModules()[0]->Abbreviation(), "MINE");
    EXPECT_EQ(library.LoadedModuleFiles().Count(), 12u);
}

TEST(ModuleLibrary, TheLastBookOfASpecialCodeWins) {
    TInstallation install;
    install.Complete().Add("hebrew.zb5book");
    // A second Hebrew lexicon under another file name, loaded after the first; equal
    // abbreviations keep their load order.
    install.Write("User/zz.zb5book", test::ReadBytes(test::SharedModule("hebrew.zb5book").Path));
    TModuleLibrary library;
    LoadAll(library, install);
    ASSERT_EQ(library.BookModules().size(), 2u);
    EXPECT_EQ(library.StrHebModule(), library.BookModules()[1].get());
    EXPECT_EQ(library.StrHebModule()->FileName(), install.ProgramFolder() + "User/zz.zb5book");
}

TEST(ModuleLibrary, FlagsComeFromTheSettingsListsAndGoBack) {
    TInstallation install;
    install.Full();
    TModuleLibrary library;
    LoadAll(library, install);
    TSortedStringList hidden({"KJV", "XYZ", "dup", "Easton", "Greek", "hebrew", "WebAJ", "tsk"});
    TSortedStringList excluded({"TSK", "Easton", "Gone"});
    library.ApplyModuleFlags(hidden, excluded);

    std::vector<bool> bibleTabs, bookTabs, commentaryTabs;
    for (const auto& b : library.BibleModules()) bibleTabs.push_back(b->TabShown());
    for (const auto& b : library.BookModules()) bookTabs.push_back(b->TabShown());
    for (const auto& c : library.CommentaryModules()) commentaryTabs.push_back(c->TabShown());
    EXPECT_EQ(bibleTabs, (std::vector<bool>{true, true, true, false}));  // the KJV always shows
    // Every book hidden: the first one shows anyway.
    EXPECT_EQ(bookTabs, (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(commentaryTabs, (std::vector<bool>{true, true, false}));
    EXPECT_FALSE(library.BooksByAbbreviation().Lookup("Easton")->Linked());
    EXPECT_FALSE(library.CommentariesByAbbreviation().Lookup("TSK")->Linked());
    EXPECT_TRUE(library.CommentariesByAbbreviation().Lookup("SME")->Linked());

    // Back into the lists at exit: a shown book leaves "HiddenTabs", a linked module
    // leaves "ExcludeFromLinking", and a name of no open module stays.
    library.CommentariesByAbbreviation().Lookup("TSK")->SetLinked(true);
    library.CommentariesByAbbreviation().Lookup("SME")->SetLinked(false);
    library.UpdateExcludeFromLinking(excluded);
    EXPECT_EQ(excluded.Items(), (std::vector<std::string>{"Easton", "Gone", "SME"}));
    EXPECT_EQ(library.HiddenTabNames().Items(),
              (std::vector<std::string>{"dup", "Easton", "Greek", "hebrew", "TSK", "WebAJ", "XYZ"}));
}

TEST(ModuleLibrary, DevotionIndexAndTheDevotionalCommands) {
    TInstallation install;
    install.Full();
    install.Write("devotion.dys", "01/02/PM/0005\r\n01/01/AM/0002 ignored\r\n\r\n01/01/PM/0003\r\n");
    TModuleLibrary library;
    library.LoadDevotionIndex(install.ProgramFolder() + "devotion.dys");
    EXPECT_EQ(library.DevotionIndex().Items(),
              (std::vector<std::string>{"01/01/AM/0002 ignored", "01/01/PM/0003", "01/02/PM/0005"}));
    EXPECT_FALSE(library.DevotionsAvailable());  // no "SME" commentary yet
    LoadAll(library, install);
    EXPECT_TRUE(library.DevotionsAvailable());
    library.LoadDevotionIndex(install.ProgramFolder() + "missing.dys");
    EXPECT_TRUE(library.DevotionIndex().Empty());
    EXPECT_FALSE(library.DevotionsAvailable());
}

TEST(StartupFiles, EveryMissingRequiredFileIsListedInOrder) {
    TInstallation install;
    install.Add("KJV.zb5bible");
    const std::string p = install.ProgramFolder();
    EXPECT_EQ(MissingFilesMessage(MissingRequiredFiles(p)),
              "Karvelindorax cannot load because the following file(s) were not found:\n\n" + p + "pmap.dat\n" + p +
                  "stgdat.zb4\n\nIt may be necessary to re-install Karvelindorax.");
    install.Write("pmap.dat", test::ParagraphMapBytes());
    install.Write("stgdat.zb4", "");
    EXPECT_TRUE(MissingRequiredFiles(p).empty());
    EXPECT_EQ(MissingFilesMessage({}), "");
}

TEST(UpdateCheck, PageAddressAndWhenTheReminderIsDue) {
    EXPECT_EQ(UpdatePageAddress("5.1.2.345"),
              std::string(kUpdateServiceAddress) +
                  "?major=5&minor=1&release=2&build=345&cp=5.1.2.345&site=ProgramUpdateCheck");
    EXPECT_EQ(UpdatePageAddress(ProgramVersion()).find("major=5&"), std::string(kUpdateServiceAddress).size() + 1);

    using namespace std::chrono;
    const TDate today = year{2024} / March / 1;
    struct Case {
        bool on;
        TDate last;
        int interval;
        bool due;
    };
    const Case cases[] = {
        {true, today, 30, false},
        {true, year{2024} / January / 31, 30, true},   // 30 days, leap February included
        {true, year{2024} / February / 1, 30, false},  // 29 days
        {false, year{2020} / January / 1, 30, false},
        {true, year{2030} / January / 1, 30, true},  // a date in the future cannot silence it
        {true, today, 0, true},
    };
    for (const Case& c : cases) EXPECT_EQ(UpdateReminderDue(c.on, today, c.last, c.interval), c.due);
}

}  // namespace
}  // namespace kvx
