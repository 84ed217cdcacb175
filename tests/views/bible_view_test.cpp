// The Bible view offscreen: going to verses, history, the chapter and book commands,
// tabs, the display switches, comparison, the context menus and the keys.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "platform/exception.h"
#include "tests/views/view_fixtures.h"
#include "views/bible_view.h"

namespace kvx {
namespace {

using test::kGenesis;
using test::kJohn;
using test::kProverbs;
using test::kRevelation;
using test::LibraryBible;
using test::Verse;
using test::ViewLibrary;

class BibleViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetSettings();
        view_ = std::make_unique<TFrameBibleView>(&host_);
        view_->SetLibrary(ViewLibrary());
        view_->resize(800, 500);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
        ASSERT_EQ(view_->CurrentBible()->Abbreviation(), "KJV");
    }

    int Top() const { return view_->TextView()->TopVisibleVerse(); }
    std::string Page() const { return view_->TextView()->Source().toStdString(); }
    QAction* Item(QMenu* menu, const char* name) {
        for (QAction* action : menu->actions())
            if (action->objectName() == QLatin1String(name)) return action;
        ADD_FAILURE() << "no item " << name;
        static QAction missing;
        static QMenu nothing;
        missing.setMenu(&nothing);
        return &missing;
    }
    int TabOf(const std::string& abbreviation) {
        for (int i = 0; i < view_->BibleCount(); ++i)
            if (ViewLibrary().BibleModules()[static_cast<size_t>(i)]->Abbreviation() == abbreviation) return i;
        return -1;
    }

    test::TRecordingHost host_;
    std::unique_ptr<TFrameBibleView> view_;
};

TEST_F(BibleViewTest, GoToVerseShowsTheWholeChapterWithTheVerseAtTheTop) {
    view_->GoToVerse(Verse(kJohn, 3, 16));
    EXPECT_EQ(view_->CurrentVerse(), Verse(kJohn, 3, 16));
    EXPECT_EQ(view_->ChapterVerses().front(), Verse(kJohn, 3, 1));
    EXPECT_EQ(view_->ChapterVerses().back(), Verse(kJohn, 3, 36));
    EXPECT_EQ(view_->BookBox()->currentText(), QStringLiteral("John"));
    EXPECT_EQ(view_->ChapterBox()->count(), 21);
    EXPECT_EQ(view_->ChapterBox()->currentText(), QStringLiteral("3"));
    EXPECT_EQ(Top(), Verse(kJohn, 3, 16));
    EXPECT_EQ(host_.Calls.front(), "panel");
    // Verse 1 of another chapter: the chapter from its top.
    view_->GoToVerse(Verse(kGenesis, 2, 1));
    EXPECT_EQ(view_->TextView()->ScrollPosition(), 0);
    EXPECT_EQ(view_->BookBox()->currentText(), QStringLiteral("Genesis"));
    EXPECT_EQ(view_->ChapterBox()->count(), 50);
    // A verse the Bible does not number: its last verse.
    view_->GoToVerse(40000);
    EXPECT_EQ(view_->CurrentVerse(), kStandardVerseCount);
    EXPECT_EQ(view_->BookBox()->currentText(), QStringLiteral("Revelation"));
}

TEST_F(BibleViewTest, AVerseOfTheChapterShownOnlyScrollsButIsRemembered) {
    view_->GoToVerse(Verse(kGenesis, 1, 1));
    QSignalSpy rebuilt(view_->TextView(), &TFrameTextView::PageShown);
    view_->GoToVerse(Verse(kGenesis, 1, 12));
    EXPECT_EQ(rebuilt.count(), 0);
    EXPECT_EQ(Top(), Verse(kGenesis, 1, 12));
    EXPECT_EQ(view_->BackList(), std::vector<int>{Verse(kGenesis, 1, 1)});
    // The top verse is not written twice.
    view_->TextView()->ScrollToVerse(Verse(kGenesis, 1, 1));
    view_->GoToVerse(Verse(kGenesis, 1, 25));
    EXPECT_EQ(view_->BackList(), std::vector<int>{Verse(kGenesis, 1, 1)});
}

TEST_F(BibleViewTest, HistoryKeepsFifteenPlacesAndStepsBackAndForward) {
    for (int chapter = 1; chapter <= 17; ++chapter) view_->GoToVerse(Verse(kGenesis, chapter, 1));
    ASSERT_EQ(view_->BackList().size(), 15u);
    EXPECT_EQ(view_->BackList().front(), Verse(kGenesis, 16, 1));
    EXPECT_EQ(view_->BackList().back(), Verse(kGenesis, 2, 1));
    EXPECT_TRUE(view_->Action("ActionBack")->isEnabled());
    EXPECT_FALSE(view_->Action("ActionForward")->isEnabled());

    view_->GoBack();
    EXPECT_EQ(view_->CurrentVerse(), Verse(kGenesis, 16, 1));
    EXPECT_EQ(view_->ForwardList(), std::vector<int>{Verse(kGenesis, 17, 1)});
    view_->GoForward();
    EXPECT_EQ(view_->CurrentVerse(), Verse(kGenesis, 17, 1));
    EXPECT_TRUE(view_->ForwardList().empty());

    // Three back at once: the places passed over go forward, nearest first.
    view_->GoBack(2);
    EXPECT_EQ(view_->CurrentVerse(), Verse(kGenesis, 14, 1));
    EXPECT_EQ(view_->ForwardList(),
              (std::vector<int>{Verse(kGenesis, 15, 1), Verse(kGenesis, 16, 1), Verse(kGenesis, 17, 1)}));
    EXPECT_EQ(view_->BackList().front(), Verse(kGenesis, 13, 1));

    // The drop-down names chapters, or verses when not at a chapter's start.
    view_->GoToVerse(Verse(kGenesis, 14, 5));
    emit view_->BackMenu()->aboutToShow();
    const QList<QAction*> items = view_->BackMenu()->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("Genesis 14"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("Genesis 13"));
    EXPECT_TRUE(view_->ForwardList().empty());
    items[1]->trigger();
    EXPECT_EQ(view_->CurrentVerse(), Verse(kGenesis, 13, 1));
    emit view_->ForwardMenu()->aboutToShow();
    EXPECT_EQ(view_->ForwardMenu()->actions()[0]->text(), QStringLiteral("Genesis 14"));
    EXPECT_EQ(view_->ForwardMenu()->actions()[1]->text(), QStringLiteral("Genesis 14:5"));
}

TEST_F(BibleViewTest, ChapterCommandsGoRoundTheEndsOfTheBible) {
    struct Case {
        int from;
        void (TFrameBibleView::*command)();
        int current;
    };
    const Case cases[] = {
        {Verse(kRevelation, 22, 1), &TFrameBibleView::NextChapter, 1},
        {Verse(kGenesis, 1, 10), &TFrameBibleView::PreviousChapter, kStandardVerseCount},
        {Verse(kGenesis, 2, 10), &TFrameBibleView::PreviousChapter, Verse(kGenesis, 1, 31)},
        {Verse(kGenesis, 2, 10), &TFrameBibleView::NextChapter, Verse(kGenesis, 3, 1)},
        {Verse(kRevelation, 3, 2), &TFrameBibleView::NextBook, 1},
        {Verse(kGenesis, 3, 2), &TFrameBibleView::PreviousBook, Verse(kRevelation, 1, 1)},
        {Verse(kGenesis, 3, 2), &TFrameBibleView::NextBook, Verse(2, 1, 1)},
    };
    for (const Case& c : cases) {
        view_->GoToVerse(c.from);
        (view_.get()->*c.command)();
        EXPECT_EQ(view_->CurrentVerse(), c.current) << c.from;
    }
    // The previous chapter is shown at its last verse.
    view_->GoToVerse(Verse(kGenesis, 2, 10));
    view_->PreviousChapter();
    EXPECT_GT(view_->TextView()->ScrollPosition(), 0);
}

TEST_F(BibleViewTest, ScrollingByVersesStopsAtTheChapterStartAndTheBiblesEnd) {
    view_->GoToVerse(Verse(kGenesis, 1, 5));
    view_->ScrollDownOneVerse();
    EXPECT_EQ(Top(), Verse(kGenesis, 1, 6));
    view_->ScrollUpOneVerse();
    view_->ScrollUpOneVerse();
    EXPECT_EQ(Top(), Verse(kGenesis, 1, 4));
    view_->GoToVerse(Verse(kGenesis, 2, 1));
    view_->ScrollUpOneVerse();
    EXPECT_EQ(view_->CurrentVerse(), Verse(kGenesis, 2, 1));
    EXPECT_EQ(Top(), Verse(kGenesis, 2, 1));
}

TEST_F(BibleViewTest, TodaysProverbIsTheChapterOfTheDay) {
    view_->ShowTodaysProverb(31);
    EXPECT_EQ(view_->CurrentVerse(), Verse(kProverbs, 31, 1));
    EXPECT_EQ(view_->BookBox()->currentText(), QStringLiteral("Proverbs"));
    EXPECT_EQ(view_->ChapterBox()->currentText(), QStringLiteral("31"));
}

TEST_F(BibleViewTest, TheDropDownsGoToTheChosenBookAndChapter) {
    view_->GoToVerse(Verse(kJohn, 3, 16));
    emit view_->BookBox()->activated(0);
    EXPECT_EQ(view_->CurrentVerse(), 1);
    emit view_->ChapterBox()->activated(2);
    EXPECT_EQ(view_->CurrentVerse(), Verse(kGenesis, 3, 1));
}

TEST_F(BibleViewTest, ParagraphReadingPutsTheFourSwitchesAsideAndBack) {
    TPropertiesBibleView& p = Settings().BibleText;
    p.ShowFootnotes = true;
    p.LinkCommentaries = true;
    p.LinkDictionaries = false;
    p.ShowEditLinks = true;
    view_->GoToVerse(Verse(kGenesis, 1, 1));
    view_->Action("ActionToggleParaMode")->trigger();
    EXPECT_TRUE(p.ParaMode);
    EXPECT_FALSE(p.ShowFootnotes || p.LinkCommentaries || p.LinkDictionaries || p.ShowEditLinks);
    EXPECT_NE(Page().find("<sup>1</sup>"), std::string::npos);
    EXPECT_EQ(Page().find("lc:"), std::string::npos);
    view_->Action("ActionToggleParaMode")->trigger();
    EXPECT_FALSE(p.ParaMode);
    EXPECT_TRUE(p.ShowFootnotes && p.LinkCommentaries && !p.LinkDictionaries && p.ShowEditLinks);
    EXPECT_NE(Page().find("lc:1,0"), std::string::npos);

    // A switch turned on in paragraph reading ends it and restores nothing else.
    view_->Action("ActionToggleParaMode")->trigger();
    view_->Action("ActionToggleCommentaryLinks")->trigger();
    EXPECT_FALSE(p.ParaMode);
    EXPECT_TRUE(p.LinkCommentaries);
    EXPECT_FALSE(p.ShowFootnotes || p.ShowEditLinks);
    EXPECT_TRUE(view_->Action("ActionToggleCommentaryLinks")->isChecked());
    EXPECT_FALSE(view_->Action("ActionToggleParaMode")->isChecked());

    view_->Action("ActionToggleParaMode")->trigger();
    view_->Action("ActionToggleColumnMode")->trigger();
    EXPECT_FALSE(p.ParaMode);
    EXPECT_FALSE(p.ColumnMode);
    EXPECT_EQ(Page().find("<table"), std::string::npos);
}

TEST_F(BibleViewTest, SwitchesAreOnlyOfferedWhereTheyCanShowSomething) {
    EXPECT_TRUE(view_->Action("ActionToggleFootnotes")->isEnabled());
    EXPECT_TRUE(view_->Action("ActionToggleCommentaryLinks")->isEnabled());
    EXPECT_TRUE(view_->Action("ActionToggleDictionaryLinks")->isEnabled());
    EXPECT_TRUE(view_->Action("ActionToggleEditLinks")->isEnabled());
    view_->SelectBibleTab(TabOf("ABC"));
    EXPECT_FALSE(view_->Action("ActionToggleFootnotes")->isEnabled());
    EXPECT_FALSE(view_->Action("ActionSearchSelected")->isEnabled());
}

TEST_F(BibleViewTest, RefreshKeepsThePlaceAndTheForwardHistory) {
    view_->GoToVerse(Verse(kGenesis, 1, 1));
    view_->GoToVerse(Verse(kGenesis, 2, 1));
    view_->GoToVerse(Verse(kGenesis, 3, 7));
    view_->GoBack();
    ASSERT_EQ(view_->ForwardList().size(), 1u);
    view_->TextView()->ScrollToVerse(Verse(kGenesis, 2, 9));
    view_->Action("ActionToggleFootnotes")->trigger();
    EXPECT_EQ(Top(), Verse(kGenesis, 2, 9));
    EXPECT_EQ(view_->ForwardList().size(), 1u);
    EXPECT_EQ(view_->BackList(), std::vector<int>{Verse(kGenesis, 1, 1)});
}

TEST_F(BibleViewTest, AnotherTabShowsTheSamePlaceWithoutAStepOfHistory) {
    view_->GoToVerse(Verse(kGenesis, 1, 1));
    view_->GoToVerse(Verse(kGenesis, 1, 12));
    const std::vector<int> back = view_->BackList();
    view_->SelectBibleTab(TabOf("ABC"));
    EXPECT_EQ(view_->CurrentBible()->Abbreviation(), "ABC");
    EXPECT_NE(Page().find("Text of Ge 1:12."), std::string::npos);
    EXPECT_EQ(Top(), Verse(kGenesis, 1, 12));
    EXPECT_EQ(view_->BackList(), back);
    EXPECT_TRUE(view_->ForwardList().empty());
    view_->NextTab();
    EXPECT_EQ(view_->CurrentBible()->Abbreviation(), "UTF");
    view_->NextTab();
    EXPECT_EQ(view_->CurrentBible()->Abbreviation(), "KJV");
}

TEST_F(BibleViewTest, AComparisonBibleIsChosenFromTheMenusAndNeverTheTabsOwn) {
    view_->GoToVerse(Verse(kGenesis, 1, 2));
    QMenu* menu = view_->PrepareContextMenu("", Verse(kGenesis, 1, 2), "", "");
    QMenu* compare = Item(menu, "PUCompareVersion")->menu();
    ASSERT_NE(compare, nullptr);
    EXPECT_TRUE(compare->isEnabled());
    const QList<QAction*> choices = compare->actions();
    ASSERT_EQ(choices.size(), 1 + view_->BibleCount());
    EXPECT_EQ(choices[0]->text(), QStringLiteral("None"));
    EXPECT_EQ(choices[1 + TabOf("ABC")]->text(), QStringLiteral("ABC\tABC Test Bible"));
    choices[1 + TabOf("ABC")]->trigger();
    EXPECT_NE(Page().find("Text of Ge 1:2.  (ABC)"), std::string::npos);

    QMenu* tabMenu = view_->PrepareTabMenu(TabOf("ABC"));
    QAction* tabCompare = Item(tabMenu, "CompareVersionTabMenuItem");
    EXPECT_EQ(tabCompare->text(), QStringLiteral("Show ABC as Compare Version"));
    EXPECT_TRUE(tabCompare->isChecked());
    // The tab of the comparison Bible shows no comparison with itself.
    view_->SelectBibleTab(TabOf("ABC"));
    EXPECT_EQ(Page().find("(ABC)"), std::string::npos);
    view_->SelectBibleTab(TabOf("KJV"));
    EXPECT_NE(Page().find("(ABC)"), std::string::npos);
    tabCompare->trigger();  // the same Bible again: off
    EXPECT_EQ(Page().find("(ABC)"), std::string::npos);
    EXPECT_EQ(view_->TextView()->CompareBible(), nullptr);

    Settings().BibleText.ParaMode = true;
    menu = view_->PrepareContextMenu("", Verse(kGenesis, 1, 2), "", "");
    EXPECT_FALSE(Item(menu, "PUCompareVersion")->isEnabled());
}

TEST_F(BibleViewTest, TheContextMenuIsWrittenForTheVerseTheLinkAndTheWord) {
    const int ge1v1 = Verse(kGenesis, 1, 1);
    view_->GoToVerse(ge1v1);
    QMenu* menu = view_->PrepareContextMenu("h:1", ge1v1, "", "firmament");
    EXPECT_EQ(Item(menu, "PUCopyVerse")->text(), QStringLiteral("Copy Ge 1:1"));
    QMenu* copyFrom = Item(menu, "PUCopyFrom")->menu();
    EXPECT_EQ(copyFrom->title(), QStringLiteral("Copy from Ge 1:1 through verse"));
    EXPECT_EQ(copyFrom->actions().size(), 30);
    EXPECT_EQ(copyFrom->actions().front()->text(), QStringLiteral("2"));
    QAction* hebrew = Item(menu, "PUSearchStrongsH");
    EXPECT_TRUE(hebrew->isVisible());
    EXPECT_EQ(hebrew->text(), QStringLiteral("Search Bible for H1"));
    EXPECT_FALSE(Item(menu, "PUSearchStrongsG")->isVisible());
    EXPECT_TRUE(Item(menu, "PUEngStrIndexer")->isVisible());
    EXPECT_EQ(Item(menu, "PUEngStrIndexer")->text(), QStringLiteral("Open English-Strong's Indexer for \"firmament\""));
    EXPECT_FALSE(Item(menu, "PUWebstersLookup")->isVisible());
    EXPECT_FALSE(Item(menu, "PUTopicVerse")->isVisible());
    EXPECT_FALSE(Item(menu, "PUSendLinkToEditor")->isEnabled());
    EXPECT_EQ(Item(menu, "PUGoComment")->text(), QStringLiteral("Go to Ge 1:1 in Active Commentary"));
    QMenu* commentaries = Item(menu, "PUCommentaries")->menu();
    EXPECT_EQ(commentaries->title(), QStringLiteral("Commentaries on Ge 1:1"));
    ASSERT_EQ(commentaries->actions().size(), 2);
    EXPECT_FALSE(commentaries->actions()[0]->isChecked());  // MINE: nothing on Ge 1:1
    EXPECT_TRUE(commentaries->actions()[1]->isChecked());   // TSK
    QMenu* books = Item(menu, "PUDictionaries")->menu();
    EXPECT_EQ(books->title(), QStringLiteral("Book References to Ge 1:1"));
    ASSERT_EQ(books->actions().size(), 1);
    EXPECT_TRUE(books->isEnabled());
    EXPECT_EQ(Item(menu, "ActionShowAuthorDetail")->text(), QStringLiteral("KJV module information..."));

    host_.Calls.clear();
    Item(menu, "PUGoComment")->trigger();
    commentaries->actions()[1]->trigger();
    books->actions()[0]->trigger();
    Item(menu, "ActionShowAuthorDetail")->trigger();
    EXPECT_EQ(host_.Requests(), (std::vector<std::string>{"commentary -1 0", "commentary 1 0",
                                                          "references Easton 1 0,1", "info KJV"}));

    // The last verse of a chapter has nothing to copy on to; a dictionary word looks itself up.
    const int ge1v31 = Verse(kGenesis, 1, 31);
    menu = view_->PrepareContextMenu("g:7", ge1v31, "some text", "light");
    EXPECT_FALSE(Item(menu, "PUCopyFrom")->isEnabled());
    EXPECT_FALSE(Item(menu, "PUSearchStrongsH")->isVisible());
    EXPECT_EQ(Item(menu, "PUSearchStrongsG")->text(), QStringLiteral("Search Bible for G7"));
    EXPECT_FALSE(Item(menu, "PUEngStrIndexer")->isVisible());
    QAction* webster = Item(menu, "PUWebstersLookup");
    EXPECT_TRUE(webster->isVisible());
    EXPECT_EQ(webster->text(), QStringLiteral("Webster's Definition for \"light\""));
    EXPECT_FALSE(Item(menu, "PUDictionaries")->isEnabled());
    host_.Calls.clear();
    webster->trigger();
    EXPECT_EQ(host_.Requests(), std::vector<std::string>{"book WebKZ 0 0"});
}

TEST_F(BibleViewTest, BookmarksAndCopiesComeFromTheContextMenu) {
    const int ge1v2 = Verse(kGenesis, 1, 2);
    view_->GoToVerse(ge1v2);
    QMenu* menu = view_->PrepareContextMenu("", ge1v2, "", "");
    QMenu* bookmarks = Item(menu, "PUSetBookmark")->menu();
    EXPECT_EQ(bookmarks->title(), QStringLiteral("Set &Bookmark to Ge 1:2"));
    ASSERT_EQ(bookmarks->actions().size(), 10);
    EXPECT_EQ(bookmarks->actions()[0]->text(), QStringLiteral("&1, not currently used"));
    EXPECT_EQ(bookmarks->actions()[9]->text(), QStringLiteral("1&0, not currently used"));
    bookmarks->actions()[2]->trigger();
    const TBookmark& mark = Settings().Bookmarks[3];
    EXPECT_EQ(mark, (TBookmark{kBookmarkPassage, "KJV", ge1v2, "Genesis 1:2", 0}));
    Settings().BookmarkTitles[3] = "Start";
    Settings().Bookmarks[4] = {kBookmarkCommentary, "TSK", 0, "Ge 1:1", 0};
    view_->UpdateActions();
    EXPECT_EQ(view_->Action("ActionSetBookmark3")->text(), QStringLiteral("&3 (Start): currently \"Genesis 1:2\""));
    EXPECT_EQ(view_->Action("ActionSetBookmark4")->text(), QStringLiteral("&4: currently \"TSK: Ge 1:1\""));

    QClipboard* clipboard = QApplication::clipboard();
    Item(menu, "PUCopyVerse")->trigger();
    EXPECT_EQ(clipboard->text(), QStringLiteral("Genesis 1:2  And the earth was without form; and darkness was upon the face of the deep."));
    Item(menu, "PUCopyFrom")->menu()->actions()[1]->trigger();  // through verse 4
    EXPECT_EQ(clipboard->text(), QStringLiteral("Genesis 1:2-4  And the earth was without form; and darkness was upon "
                                                "the face of the deep. Text of Ge 1:3. Text of Ge 1:4."));
    view_->CopyAllVerses();
    const QString all = clipboard->text();
    EXPECT_TRUE(all.startsWith(QStringLiteral("Genesis 1:1 In the beginning God created the heaven and the earth.\r\n\r\n"
                                              "2 And the earth")))
        << all.left(200).toStdString();
    EXPECT_TRUE(all.endsWith(QStringLiteral("\r\n\r\n31 Text of Ge 1:31.")));
}

TEST_F(BibleViewTest, TheTabMenuListsTheBiblesAndTheirInformation) {
    QMenu* menu = view_->PrepareTabMenu(TabOf("ABC"));
    EXPECT_EQ(Item(menu, "PopupMenuItemModuleinformation")->text(), QStringLiteral("ABC Module Information..."));
    EXPECT_FALSE(Item(menu, "ActionTabsConfigure")->isEnabled());
    QMenu* all = Item(menu, "PopupSubmenuAllTabs")->menu();
    ASSERT_EQ(all->actions().size(), view_->BibleCount());
    EXPECT_EQ(all->actions()[0]->text(), QStringLiteral("[KJV] King James Version"));
    EXPECT_TRUE(all->actions()[0]->isChecked());
    host_.Calls.clear();
    all->actions()[2]->trigger();
    Item(menu, "PopupMenuItemModuleinformation")->trigger();
    EXPECT_EQ(host_.Requests(), (std::vector<std::string>{"bible 2", "info ABC"}));
}

TEST_F(BibleViewTest, KeysMoveThroughTheBibleFromTheText) {
    view_->GoToVerse(Verse(kGenesis, 2, 5));
    view_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view_.get()));
    view_->Text()->setFocus();
    struct Case {
        Qt::Key key;
        int current;
    };
    const Case cases[] = {
        {Qt::Key_PageDown, Verse(kGenesis, 3, 1)}, {Qt::Key_PageUp, Verse(kGenesis, 2, 25)},
        {Qt::Key_End, Verse(2, 1, 1)},             {Qt::Key_Home, 1},
        {Qt::Key_Down, 2},
    };
    for (const Case& c : cases) {
        QTest::keyClick(view_->Text(), c.key, Qt::ControlModifier);
        EXPECT_EQ(view_->CurrentVerse(), c.current) << c.key;
    }
    QTest::keyClick(view_->Text(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Top(), 1);
}

TEST_F(BibleViewTest, TheChapterLinksOfThePageGoOn) {
    Settings().IncChPrev = true;
    view_->Refresh();
    view_->GoToVerse(Verse(kGenesis, 2, 1));
    EXPECT_NE(Page().find(Format("<a href=\"lp:%d\">Previous Chapter</a>", Verse(kGenesis, 1, 31))), std::string::npos);
    EXPECT_NE(Page().find(Format("<a href=\"lp:%d\">Next Chapter</a>", Verse(kGenesis, 3, 1))), std::string::npos);
    host_.Calls.clear();
    view_->TextView()->FollowLink(QStringLiteral("lp:%1").arg(Verse(kGenesis, 3, 1)));
    EXPECT_EQ(host_.Requests(), std::vector<std::string>{Format("verse %d -", Verse(kGenesis, 3, 1))});
}

}  // namespace
}  // namespace kvx
