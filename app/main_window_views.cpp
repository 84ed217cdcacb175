// The main window's side of the panes: moving the panels to the verse or entry a
// link or command names, the double-click actions, module information, messages and
// the status bar.
#include <QCursor>
#include <QDockWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTextBrowser>

#include "app/main_window.h"
#include "app/settings.h"
#include "app/startup_state.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "platform/qt/message_service.h"
#include "views/bible_view.h"
#include "views/simple_resource_view.h"
#include "views/view_display.h"

namespace kvx {

namespace {

constexpr const char* kNoDetails = "<br>No additional details available.";


}  // namespace

TMessageService& TMain::Messages() { return *context_.Messages; }

void TMain::ShowStatus(const std::string& text) {
    if (text.empty()) statusBar()->clearMessage();
    else statusBar()->showMessage(QString::fromStdString(text));
}

void TMain::ShowBiblePanel() {
    // While the window is being built the saved layout decides what shows.
    if (!StartupState().StartingUp) biblePanel_->show();
}

void TMain::ShowBibleVerse(int verse, bool selectLabel) {
    bibleView_->GoToVerse(verse);
    if (selectLabel) bibleView_->SelectVerseLabel(verse);
    biblePanel_->show();
    bibleView_->Text()->setFocus();
}

void TMain::ShowModuleInformation(const TZBBibleModule& bible) {
    const std::string caption = Format("[%s] %s", bible.Abbreviation().c_str(), bible.ModuleName().c_str());
    const std::string& info = bible.InfoText().empty() ? std::string(kNoDetails) : bible.InfoText();
    Messages().Show(TMessageKind::Information, AnsiToUtf8(caption), AnsiToUtf8(info));
}

void TMain::ShowCommentaryEntry(int index, int entry) {
    const auto& commentaries = library_.CommentaryModules();
    if (commentaries.empty()) return;
    if (index < 0) index = std::max(commentaryView_->CurrentIndex(), 0);
    if (static_cast<size_t>(index) >= commentaries.size()) return;
    commentaryView_->ShowEntry(index, entry);
    commentaryPanel_->show();
    commentaryView_->Text()->setFocus();
}

void TMain::ShowBookEntry(TZBDictionaryModule& book, int entry, int /*highlightVerse*/) {
    const int index = library_.IndexOfBook(&book);
    if (index < 0) return;
    bookView_->ShowEntry(index, entry);
    bookPanel_->show();
    bookView_->Text()->setFocus();
}

void TMain::ShowBookReferences(const TBookReferences& references) {
    if (!references.Book) return;
    // One list at a time, beside the pointer, gone once an entry is chosen.
    delete findChild<QMenu*>(QStringLiteral("BookReferenceLinks"), Qt::FindDirectChildrenOnly);
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("BookReferenceLinks"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setTitle(AnsiText(references.Caption));
    QAction* heading = menu->addAction(AnsiText(references.Title + " - " + references.Reference));
    heading->setEnabled(false);
    menu->addSeparator();
    TZBDictionaryModule* book = references.Book;
    const auto& titles = book->EntryTitles();
    for (uint16_t entry : references.Entries) {
        const QString title = entry < titles.size() ? AnsiText(titles[entry]) : QString::number(entry);
        connect(menu->addAction(title), &QAction::triggered, this,
                [this, book, entry, verse = references.Verse] { ShowBookEntry(*book, entry, verse); });
    }
    menu->popup(QCursor::pos());
}

void TMain::EditUserCommentary(int index, int entry) {
    // Until the editor exists the user commentary opens at the verse in its panel,
    // where the editor would open it.
    const auto& users = library_.UserCommentaryModules();
    if (index < 0 || static_cast<size_t>(index) >= users.size()) return;
    ShowCommentaryEntry(library_.IndexOfCommentary(users[static_cast<size_t>(index)]), entry);
}

void TMain::VerseTagDoubleClicked(int verse) {
    const TSettings& s = Settings();
    if (!s.DblClickBibleTagGTV || !s.SyncGTVCommentary) return;
    const auto& commentaries = library_.CommentaryModules();
    if (commentaries.empty()) return;
    int index = commentaryView_->CurrentIndex();
    if (s.GTVCmtyAction == 1) {
        index = static_cast<int>(commentaries.size()) - 1;
        for (size_t i = 0; i < commentaries.size(); ++i)
            if (commentaries[i]->Abbreviation() == s.GTVCmtyFavoriteModule) index = static_cast<int>(i);
    }
    commentaryView_->ShowEntry(std::max(index, 0), verse - 1);
}

void TMain::BibleWordDoubleClicked(const std::string& text) {
    const std::string word(TrimBlanks(text));
    if (word.empty() || library_.BookModules().empty()) return;
    auto isDictionary = [](const TZBDictionaryModule& book) {
        return book.ModuleCode() == kDictionaryAJCode || book.ModuleCode() == kDictionaryKZCode;
    };
    auto closestEntry = [this](TZBDictionaryModule& book, const std::string& w) {
        const int entry = book.FindEntry(w);
        if (entry >= 0) ShowBookEntry(book, entry, 0);
    };
    auto dictionaryLookUp = [&] {
        const std::string lower = AnsiLowerCase(word);
        TZBDictionaryModule* volume = DictionaryVolumeFor(lower, library_.WAJModule(), library_.WKZModule());
        if (volume) closestEntry(*volume, lower);
    };
    switch (Settings().DblClickBibleWordAction) {
        case 0:
            if (TZBDictionaryModule* shown = bookView_->CurrentModule()) {
                if (isDictionary(*shown)) dictionaryLookUp();
                else closestEntry(*shown, word);
            }
            break;
        case 1: dictionaryLookUp(); break;
        case 2:
            for (const auto& book : library_.BookModules())
                if (book->Abbreviation() == Settings().DblClickBibleWordSelectedBook) {
                    if (isDictionary(*book)) dictionaryLookUp();
                    else closestEntry(*book, word);
                    break;
                }
            break;
        default:
            // 3 does nothing; 4 is the Topic Guide, which this program does not have yet.
            break;
    }
}

}  // namespace kvx
