// The program with its Bible panel: where it opens, and every link of the chapter
// page reaching the panel it names.
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "app/startup_files.h"
#include "tests/app/main_window_harness.h"
#include "tests/views/view_fixtures.h"
#include "views/bible_view.h"
#include "views/simple_resource_view.h"

namespace kvx {
namespace {

namespace fs = std::filesystem;
using test::kGenesis;
using test::Verse;

// An installation holding the view tests' library.
void Install(const test::TInstallation& install) {
    const std::string from = test::ViewLibraryFolder();
    for (const auto& file : fs::directory_iterator(from)) {
        const std::string name = file.path().filename().string();
        const bool data = name == "pmap.dat" || name == "stgdat.zb4";
        fs::create_symlink(file.path(), install.ProgramFolder() + (data ? "" : "Modules/") + name);
    }
    test::SkipWelcome(install);
}

std::string Module(const TSimpleResourceView& view) {
    return view.CurrentModule() ? view.CurrentModule()->Abbreviation() : std::string();
}

TEST(MainWindowLinks, TheProgramOpensAtJohn1v1InTheConfiguredMode) {
    for (const bool paragraphs : {false, true}) {
        test::TInstallation install;
        Install(install);
        test::WriteSettings(install, [&](TSettings& s) { s.BibleText.ParaMode = paragraphs; });
        test::TProgramRun run(install);
        ASSERT_TRUE(run.Main().StartupSucceeded());
        ASSERT_TRUE(run.ShowAndWaitForIdle());
        TFrameBibleView& bible = *run.Main().BibleView();
        EXPECT_EQ(bible.CurrentVerse(), kJohn1v1);
        EXPECT_EQ(bible.TextView()->TopVisibleVerse(), kJohn1v1);
        const QString page = bible.TextView()->Source();
        EXPECT_EQ(page.contains(QStringLiteral("<table")), !paragraphs);
        EXPECT_EQ(page.contains(QStringLiteral("<sup>1</sup>")), paragraphs);
        run.Close();
    }
}

TEST(MainWindowLinks, EveryLinkOfTheChapterReachesItsPanel) {
    test::TInstallation install;
    Install(install);
    test::TProgramRun run(install);
    ASSERT_TRUE(run.Main().StartupSucceeded());
    ASSERT_TRUE(run.ShowAndWaitForIdle());
    TMain& main = run.Main();
    TFrameBibleView& bible = *main.BibleView();
    const TSimpleResourceView& books = *main.BookView();
    const TSimpleResourceView& commentaries = *main.CommentaryView();
    main.ShowBible(1);  // the Strong's-links twin
    ASSERT_EQ(bible.CurrentBible()->Abbreviation(), "KJVSL");
    bible.GoToVerse(Verse(kGenesis, 1, 1));
    TFrameTextView& text = *bible.TextView();

    // A real click on the commentary link of Genesis 1:1.
    const QTextCursor tsk = text.Viewer()->document()->find(QStringLiteral("TSK"));
    ASSERT_FALSE(tsk.isNull());
    QTextCursor inside(text.Viewer()->document());
    inside.setPosition(tsk.selectionStart() + 1);
    const QRect r = text.Viewer()->cursorRect(inside);
    QTest::mouseClick(text.Viewer()->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 2, r.center().y()));
    EXPECT_EQ(Module(commentaries), "TSK");
    EXPECT_EQ(commentaries.CurrentEntry(), 0);

    struct Case {
        std::string link, module;
        int entry;
        const TSimpleResourceView* view;
    };
    const Case cases[] = {
        {"h:2", "hebrew", 1, &books},
        {"g:1", "Greek", 0, &books},
        {"ld:0,3", "Easton", 2, &books},
        {"ec:0,5", "MINE", 5, &commentaries},
        {"lc:1,30", "TSK", 30, &commentaries},
    };
    for (const Case& c : cases) {
        text.FollowLink(QString::fromStdString(c.link));
        EXPECT_EQ(Module(*c.view), c.module) << c.link;
        EXPECT_EQ(c.view->CurrentEntry(), c.entry) << c.link;
    }
    EXPECT_TRUE(main.BookPanel()->isVisible());

    // Two entries refer to the verse: a list of them beside the pointer.
    text.FollowLink(QStringLiteral("ld:0,1"));
    QMenu* list = main.findChild<QMenu*>(QStringLiteral("BookReferenceLinks"));
    ASSERT_NE(list, nullptr);
    QStringList titles;
    for (QAction* action : list->actions())
        if (action->isEnabled() && !action->isSeparator()) titles << action->text();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Creation"), QStringLiteral("Heaven")}));
    list->actions().last()->trigger();
    EXPECT_EQ(Module(books), "Easton");
    EXPECT_EQ(books.CurrentEntry(), 1);

    // The chapter links move the Bible itself.
    text.FollowLink(QStringLiteral("lp:%1").arg(Verse(kGenesis, 2, 1)));
    EXPECT_EQ(bible.CurrentVerse(), Verse(kGenesis, 2, 1));
    EXPECT_TRUE(bible.Text()->hasFocus() || !main.isActiveWindow());

    // Double clicks: the verse tag follows the commentary; a word opens the dictionary.
    main.VerseTagDoubleClicked(Verse(kGenesis, 1, 3));
    EXPECT_EQ(commentaries.CurrentEntry(), Verse(kGenesis, 1, 3) - 1);
    Settings().DblClickBibleWordAction = 1;
    main.BibleWordDoubleClicked(" Light ");
    EXPECT_EQ(Module(books), "WebKZ");
    EXPECT_EQ(books.CurrentEntry(), 0);

    main.ShowModuleInformation(*bible.CurrentBible());
    ASSERT_FALSE(run.Messages.Messages().empty());
    EXPECT_EQ(run.Messages.Messages().back().Caption, "[KJVSL] King James Version with Strong's Links");
    EXPECT_EQ(run.Messages.Messages().back().Text, "<p>A test module.</p>");
    run.Close();
}

}  // namespace
}  // namespace kvx
