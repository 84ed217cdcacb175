// The text view offscreen: verse positions on the displayed page, scrolling, hits,
// link clicks and pop-ups, right and double clicks, and the pane commands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <filesystem>

#include "app/startup_state.h"
#include "platform/exception.h"
#include "tests/support/fixtures.h"
#include "tests/views/view_fixtures.h"
#include "views/find_window.h"
#include "views/hover_popup.h"
#include "views/text_view.h"

namespace kvx {
namespace {

using test::kGenesis;
using test::kJohn;
using test::LibraryBible;
using test::Verse;
using test::ViewLibrary;

TVerseList Range(int first, int last) {
    TVerseList verses;
    for (int v = first; v <= last; ++v) verses.push_back(static_cast<uint16_t>(v));
    return verses;
}

// The displayed text, with the non-breaking spaces of the labels as spaces.
QString Displayed(const QString& text) { return QString(text).replace(QChar(0xA0), QLatin1Char(' ')); }

class TextViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetSettings();
        view_ = std::make_unique<TFrameTextView>();
        view_->SetHost(&host_);
        view_->SetBible(&LibraryBible("KJV"));
        const TModuleLibrary& library = ViewLibrary();
        std::vector<const TZBCommentaryModule*> commentaries, users(library.UserCommentaryModules().begin(),
                                                                  library.UserCommentaryModules().end());
        std::vector<TZBDictionaryModule*> books;
        for (const auto& c : library.CommentaryModules()) commentaries.push_back(c.get());
        for (const auto& b : library.BookModules()) books.push_back(b.get());
        view_->SetMarginModules(commentaries, books, users);
        view_->SetParagraphMap(&library.ParagraphMap());
        view_->SetStrongsData(library.StrongsData());
        view_->SetLexicons(library.StrHebModule(), library.StrGrkModule());
        view_->SetProperties(Settings().BibleText);
        view_->resize(700, 400);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
    }

    THtmlView& Viewer() { return *view_->Viewer(); }
    int Find(const QString& text) {
        const QTextCursor found = Viewer().document()->find(text);
        return found.isNull() ? -1 : found.selectionStart();
    }
    // A point on the character at a displayed position, in the viewport.
    QPoint PointAt(int position) {
        QTextCursor cursor(Viewer().document());
        cursor.setPosition(position);
        const QRect r = Viewer().cursorRect(cursor);
        return QPoint(r.left() + 3, r.center().y());
    }
    void ShowGenesis1() { view_->ShowVerses(Range(Verse(kGenesis, 1, 1), Verse(kGenesis, 1, 31)), false, {}); }

    test::TRecordingHost host_;
    std::unique_ptr<TFrameTextView> view_;
};

TEST_F(TextViewTest, EveryVerseLabelIsFoundOnTheDisplayedPage) {
    view_->ShowVerses(Range(Verse(kGenesis, 1, 1), Verse(kGenesis, 1, 31)), false, {});
    EXPECT_EQ(view_->Page().Verses.size(), 31u);
    const QString text = Viewer().document()->toRawText();
    for (int n = 1; n <= 31; ++n) {
        const int verse = Verse(kGenesis, 1, n);
        const int at = view_->VersePosition(verse);
        ASSERT_GE(at, 0) << n;
        EXPECT_EQ(Displayed(text.mid(at, view_->LabelLength(verse))), QStringLiteral("Ge 1:%1").arg(n));
    }
    // In paragraph reading the label is the verse number.
    TPropertiesBibleView p = Settings().BibleText;
    p.ParaMode = true;
    view_->SetProperties(p);
    EXPECT_EQ(view_->ShowVerses(Range(Verse(kGenesis, 1, 1), Verse(kGenesis, 1, 31)), false, {}), 31);
    const int at = view_->VersePosition(Verse(kGenesis, 1, 12));
    EXPECT_EQ(Viewer().document()->toRawText().mid(at, view_->LabelLength(Verse(kGenesis, 1, 12))), QStringLiteral("12"));
}

TEST_F(TextViewTest, AVerseScrolledToStaysAtTheTopAndIsReadBack) {
    ShowGenesis1();
    EXPECT_EQ(view_->TopVisibleVerse(), Verse(kGenesis, 1, 1));
    view_->ScrollToVerse(Verse(kGenesis, 1, 12));
    EXPECT_GT(view_->ScrollPosition(), 0);
    EXPECT_EQ(view_->TopVisibleVerse(), Verse(kGenesis, 1, 12));
    // Laid out again at another width, the verse stays at the top...
    view_->resize(500, 400);
    QApplication::processEvents();
    EXPECT_EQ(view_->TopVisibleVerse(), Verse(kGenesis, 1, 12));
    // ... until the user moves the text.
    QTest::keyClick(&Viewer(), Qt::Key_PageUp);
    view_->resize(700, 400);
    QApplication::processEvents();
    EXPECT_LT(view_->TopVisibleVerse(), Verse(kGenesis, 1, 12));
}

TEST_F(TextViewTest, VersesAreFoundAroundAPositionAndTheirLabelsSelected) {
    ShowGenesis1();
    const int firmament = Find(QStringLiteral("firmament"));
    ASSERT_GE(firmament, 0);
    EXPECT_EQ(view_->VerseAtPosition(firmament), Verse(kGenesis, 1, 6));
    EXPECT_EQ(view_->VerseAtPosition(view_->VersePosition(Verse(kGenesis, 1, 7))), Verse(kGenesis, 1, 7));
    EXPECT_EQ(view_->VerseAtPosition(0), Verse(kGenesis, 1, 1));

    view_->SelectVerseLabel(Verse(kGenesis, 1, 25));
    EXPECT_EQ(Displayed(view_->SelectedText()), QStringLiteral("Ge 1:25"));
    // Out of sight, the label is brought to the middle of the view.
    const int y = Viewer().cursorRect().center().y();
    EXPECT_GT(y, 0);
    EXPECT_LT(y, Viewer().viewport()->height());
}

TEST_F(TextViewTest, PlusAndMinusStepRoundTheHighlightedWords) {
    TZBSearchKeysData keys;
    TVerseList found;
    LibraryBible("KJV").SearchQuery("earth", 0, found, -1, -1, keys);
    view_->ShowVerses(Range(Verse(kGenesis, 1, 1), Verse(kGenesis, 1, 2)), false, keys);
    ASSERT_EQ(view_->SearchKeyCount(), 2);
    EXPECT_EQ(view_->SearchKeyIndex(), -1);
    Viewer().setFocus();
    QTest::keyClick(&Viewer(), '+');
    EXPECT_EQ(view_->SearchKeyIndex(), 0);
    EXPECT_EQ(view_->SelectedText(), QStringLiteral("earth"));
    EXPECT_EQ(view_->VerseAtPosition(Viewer().textCursor().position()), Verse(kGenesis, 1, 1));
    QTest::keyClick(&Viewer(), '+');
    EXPECT_EQ(view_->VerseAtPosition(Viewer().textCursor().position()), Verse(kGenesis, 1, 2));
    QTest::keyClick(&Viewer(), '+');  // after the last, the first
    EXPECT_EQ(view_->SearchKeyIndex(), 0);
    QTest::keyClick(&Viewer(), '-');  // before the first, the last
    EXPECT_EQ(view_->SearchKeyIndex(), 1);
    EXPECT_EQ(view_->SelectedText(), QStringLiteral("earth"));
    // Every build starts again.
    ShowGenesis1();
    EXPECT_EQ(view_->SearchKeyIndex(), -1);
    EXPECT_EQ(view_->SearchKeyCount(), 0);
    QTest::keyClick(&Viewer(), '+');
    EXPECT_EQ(view_->SearchKeyIndex(), -1);
}

TEST_F(TextViewTest, EveryLinkSchemeReachesItsTarget) {
    ShowGenesis1();
    struct Case {
        const char* link;
        std::vector<std::string> requests;
    };
    const Case cases[] = {
        {"lp:5", {"verse 5 select"}},
        {"lc:1,0", {"commentary 1 0"}},
        {"lc:9,0", {}},
        {"ec:0,4", {"edit 0 4"}},
        {"h:2", {"book hebrew 1 0"}},
        {"g:1", {"book Greek 0 0"}},
        {"h:9999", {}},  // no such entry in the lexicon
        {"ld:0,3", {"book Easton 2 3"}},
        {"ld:0,1", {"references Easton 1 0,1"}},
        {"ld:0,2", {}},
        {"ld:0,x", {}},
        {"nocolon", {}},
        {"xx:1", {}},
        {"lp:abc", {}},
    };
    for (const Case& c : cases) {
        host_.Calls.clear();
        view_->FollowLink(QString::fromUtf8(c.link));
        EXPECT_EQ(host_.Requests(), c.requests) << c.link;
    }
    EXPECT_EQ(host_.LastReferences.Caption, "Easton: Ge 1:1");
    EXPECT_EQ(host_.LastReferences.Reference, "Genesis 1:1");
    EXPECT_EQ(host_.LastReferences.Title, "Easton's Bible Dictionary");
    // With chapter links, a verse link leaves the label alone.
    view_->SetChapterLinks(false, true);
    host_.Calls.clear();
    view_->FollowLink(QStringLiteral("lp:5"));
    EXPECT_EQ(host_.Requests(), std::vector<std::string>{"verse 5 -"});
}

TEST_F(TextViewTest, AClickedLinkIsFollowedWhileThePageStays) {
    ShowGenesis1();
    const QString before = Viewer().toHtml();
    const int tsk = Find(QStringLiteral("TSK"));
    ASSERT_GE(tsk, 0);
    QTest::mouseClick(Viewer().viewport(), Qt::LeftButton, {}, PointAt(tsk + 1));
    EXPECT_EQ(host_.Requests(), std::vector<std::string>{"commentary 1 0"});
    EXPECT_TRUE(Viewer().source().isEmpty());
    EXPECT_EQ(Viewer().toHtml(), before);
}

TEST_F(TextViewTest, PageLinksAndThePageDropDownShowTheOtherPages) {
    QComboBox selector;
    view_->AttachPageSelector(&selector);
    view_->SetPaged(true);
    view_->ShowVerses(Range(1, 250), false, {});
    EXPECT_EQ(selector.count(), 3);
    EXPECT_EQ(selector.currentIndex(), 0);
    EXPECT_EQ(view_->Page().Verses.front().Verse, 1);
    view_->FollowLink(QStringLiteral("pn:100"));
    EXPECT_EQ(view_->Page().PageStart, 100);
    EXPECT_EQ(view_->Page().Verses.front().Verse, 101);
    EXPECT_EQ(selector.currentIndex(), 1);
    emit selector.activated(2);
    EXPECT_EQ(view_->Page().Verses.front().Verse, 201);
    EXPECT_EQ(view_->Page().Verses.size(), 50u);
}

TEST_F(TextViewTest, PopUpTextsTellWhatALinkLeadsTo) {
    ShowGenesis1();
    const std::pair<const char*, const char*> cases[] = {
        {"lc:1,0", "<b>Treasury of Scripture Knowledge</b><br>Comment on Ge 1:1."},
        {"ld:0,1", "<b>Easton's Bible Dictionary</b><br>references Ge 1:1 in:<ul><br><li>Creation<br><li>Heaven</ul>"},
        {"ec:0,1", "Edit My Notes on Ge 1:2."},
        {"lp:5", ""},
        {"pn:100", ""},
        {"plain", ""},
    };
    for (const auto& [link, expected] : cases)
        EXPECT_EQ(view_->PopupText(QString::fromUtf8(link)).toStdString(), expected) << link;
    const QString article = view_->PopupText(QStringLiteral("h:1"));
    EXPECT_TRUE(article.contains(QStringLiteral("Strong's Hebrew Definition #1"))) << article.toStdString();
    EXPECT_TRUE(article.contains(QStringLiteral("father"))) << article.toStdString();
    EXPECT_TRUE(view_->PopupText(QStringLiteral("g:2")).contains(QStringLiteral("Aaron")));
}

TEST_F(TextViewTest, RestingOnALinkShowsItsPopUpUntilThePointerLeaves) {
    ShowGenesis1();
    const int tsk = Find(QStringLiteral("TSK"));
    ASSERT_GE(tsk, 0);
    THoverPopup& popup = *view_->Popup();
    QTest::mouseMove(Viewer().viewport(), PointAt(tsk + 1));
    QTRY_VERIFY_WITH_TIMEOUT(popup.isVisible(), 2000);
    EXPECT_EQ(popup.ShownText(), QStringLiteral("<b>Treasury of Scripture Knowledge</b><br>Comment on Ge 1:1."));
    // The link under the pointer takes the hover colour, the whole of it.
    ASSERT_EQ(Viewer().extraSelections().size(), 1);
    EXPECT_EQ(Viewer().extraSelections()[0].cursor.selectedText(), QStringLiteral("TSK"));
    QTest::mouseMove(Viewer().viewport(), PointAt(Find(QStringLiteral("firmament")) + 2));
    QTRY_VERIFY_WITH_TIMEOUT(!popup.isVisible(), 2000);
    EXPECT_FALSE(popup.Pending());
    EXPECT_TRUE(Viewer().extraSelections().isEmpty());
}

TEST_F(TextViewTest, ARightClickHandsTheVerseTheLinkAndTheWordToTheOwner) {
    view_->SetBible(&LibraryBible("KJVSL"));
    ShowGenesis1();
    struct Click {
        std::string link, selected, word;
        int verse = 0;
    } click;
    view_->SetOnVerseRightClick([&](const std::string& link, const std::string&, int verse, const std::string& selected,
                                    const std::string& word) { click = {link, selected, word, verse}; });
    const int firmament = Find(QStringLiteral("firmament"));
    QContextMenuEvent onWord(QContextMenuEvent::Mouse, PointAt(firmament + 2), Viewer().mapToGlobal(PointAt(firmament + 2)));
    QApplication::sendEvent(Viewer().viewport(), &onWord);
    EXPECT_EQ(click.verse, Verse(kGenesis, 1, 6));
    EXPECT_EQ(click.word, "firmament");
    EXPECT_EQ(click.link, "");
    // On a Strong's link (the Hebrew word after "beginning").
    const int hebrew = Find(QString::fromUtf8("\xd7\x90\xd7\x91"));
    ASSERT_GE(hebrew, 0);
    // The word runs right to left: the point after its first letter lies on that letter.
    QContextMenuEvent onLink(QContextMenuEvent::Mouse, PointAt(hebrew + 1), Viewer().mapToGlobal(PointAt(hebrew + 1)));
    QApplication::sendEvent(Viewer().viewport(), &onLink);
    EXPECT_EQ(click.link, "h:1");
    EXPECT_EQ(click.verse, Verse(kGenesis, 1, 1));
}

TEST_F(TextViewTest, DoubleClicksRunTheVerseActionOnALabelAndTheWordActionOnAWord) {
    ShowGenesis1();
    QTest::mouseDClick(Viewer().viewport(), Qt::LeftButton, {}, PointAt(view_->VersePosition(Verse(kGenesis, 1, 2)) + 1));
    EXPECT_EQ(host_.Requests(), std::vector<std::string>{Format("tag %d", Verse(kGenesis, 1, 2))});
    EXPECT_EQ(Displayed(view_->SelectedText()), QStringLiteral("Ge 1:2"));
    host_.Calls.clear();
    QTest::mouseDClick(Viewer().viewport(), Qt::LeftButton, {}, PointAt(Find(QStringLiteral("darkness")) + 2));
    EXPECT_EQ(host_.Requests(), std::vector<std::string>{"word darkness"});
}

TEST_F(TextViewTest, CopyAppendAndCopyAllGoToTheClipboard) {
    ShowGenesis1();
    QClipboard* clipboard = QApplication::clipboard();
    view_->SelectVerseLabel(Verse(kGenesis, 1, 3));
    view_->CopySelection();
    EXPECT_EQ(Displayed(clipboard->text()), QStringLiteral("Ge 1:3"));
    EXPECT_TRUE(clipboard->mimeData()->hasHtml());
    Settings().ForcePlainTextCopy = true;
    view_->CopySelection();
    EXPECT_FALSE(clipboard->mimeData()->hasHtml());
    // The viewer's own Ctrl+C obeys the setting too.
    QApplication::clipboard()->clear();
    Viewer().copy();
    EXPECT_FALSE(clipboard->mimeData()->hasHtml());
    EXPECT_EQ(Displayed(clipboard->text()), QStringLiteral("Ge 1:3"));
    view_->SelectVerseLabel(Verse(kGenesis, 1, 4));
    view_->AppendSelection();
    EXPECT_EQ(Displayed(clipboard->text()), QStringLiteral("Ge 1:3\r\nGe 1:4"));
    view_->CopyAll();
    EXPECT_TRUE(clipboard->text().contains(QStringLiteral("firmament")));
    EXPECT_TRUE(clipboard->text().contains(QStringLiteral("Text of Ge 1:31.")));
    EXPECT_FALSE(view_->HasSelection());
    view_->CopyHtmlSource();
    EXPECT_EQ(clipboard->text(), view_->Source());
}

TEST_F(TextViewTest, FindSearchesTheDisplayedTextFromTheFindWindow) {
    ShowGenesis1();
    EXPECT_TRUE(view_->FindInText(QStringLiteral("Text of Ge 1:2"), true, false));  // "Text of Ge 1:20" onwards
    EXPECT_EQ(view_->VerseAtPosition(Viewer().textCursor().position()), Verse(kGenesis, 1, 20));
    EXPECT_TRUE(view_->FindInText(QStringLiteral("firmament"), false, false));
    EXPECT_EQ(view_->VerseAtPosition(Viewer().textCursor().position()), Verse(kGenesis, 1, 6));
    EXPECT_FALSE(view_->FindInText(QStringLiteral("FIRMAMENT"), true, true));
    EXPECT_FALSE(view_->FindInText(QStringLiteral("zebra"), true, false));

    int revealed = 0;
    view_->SetFindCaption(QStringLiteral("Find in Bible panel"), [&] { ++revealed; });
    view_->SelectVerseLabel(Verse(kGenesis, 1, 2));
    view_->FindInText(QStringLiteral("darkness"), true, false);
    view_->OpenFind();
    TDlgFindInDisplayedText* window = view_->FindWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Find in Bible panel"));
    EXPECT_EQ(window->FindText(), QStringLiteral("darkness"));
    window->SetFindText(QStringLiteral("waters"));
    window->FindNext();
    EXPECT_EQ(revealed, 1);
    EXPECT_EQ(view_->SelectedText(), QStringLiteral("waters"));
    EXPECT_EQ(view_->VerseAtPosition(Viewer().textCursor().position()), Verse(kGenesis, 1, 6));
    window->close();
    window->FindNext();  // closed: no callback any more
    EXPECT_EQ(revealed, 1);
}

TEST_F(TextViewTest, PrintingAsksThePrintDialogOrSaysThereIsNoPrinter) {
    ShowGenesis1();
    StartupState().NoPrinter = true;
    view_->Print();
    ASSERT_EQ(host_.Scripted.Messages().size(), 1u);
    EXPECT_EQ(host_.Scripted.Messages()[0].Text, "No printers installed.");
    EXPECT_TRUE(host_.Scripted.Dialogs().empty());

    StartupState().NoPrinter = false;
    test::TempDir dir;
    const std::string pdf = dir.File("chapter.pdf");
    int lastPage = 0;
    host_.Scripted.DialogAnswer = [&](QDialog& dialog) {
        auto& print = dynamic_cast<QPrintDialog&>(dialog);
        lastPage = print.maxPage();
        print.printer()->setOutputFormat(QPrinter::PdfFormat);
        print.printer()->setOutputFileName(QString::fromStdString(pdf));
        return static_cast<int>(QDialog::Accepted);
    };
    host_.Calls.clear();
    view_->Print();
    EXPECT_GE(lastPage, 1);
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);
    EXPECT_EQ(host_.Calls, (std::vector<std::string>{"status Printing...", "status "}));
}

TEST_F(TextViewTest, ABuildThatFailsLeavesThePlaceholderAndTheErrorGoesOn) {
    ShowGenesis1();
    EXPECT_THROW(view_->ShowVerses({1, 31103}, false, {}), Exception);
    EXPECT_EQ(view_->Source(), QStringLiteral("Loading..."));
    EXPECT_EQ(view_->VersePosition(1), -1);
    EXPECT_EQ(view_->TopVisibleVerse(), -1);
}

}  // namespace
}  // namespace kvx
