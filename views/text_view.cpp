// The text view: the page shown in the viewer, its anchors found again in the
// displayed text, link dispatch and pop-ups, and the pane commands.
#include "views/text_view.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QVBoxLayout>

#include "app/startup_state.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "platform/qt/message_service.h"
#include "platform/qt/system_colors.h"
#include "render/export_procs.h"
#include "views/find_window.h"
#include "views/hover_popup.h"
#include "views/view_display.h"
#include "views/view_host.h"

namespace kvx {

namespace {

constexpr const char* kLoadingPage = "Loading...";
constexpr int kDocumentMargin = 6;
// Printing keeps 2 cm around the text.
constexpr double kPrintMarginMm = 20.0;
// A link under the pointer turns this colour.
const QColor kHoverLinkColor(0, 128, 0);
// A label closer than this to the bottom of the view counts as out of sight.
constexpr int kLabelBottomSlack = 20;

std::string ToAnsi(const QString& text) { return Utf8ToAnsi(text.toStdString(), false); }

// Two decimal numbers "i,v" of a margin link.
bool ReadPair(const std::string& data, int& first, int& second) {
    const size_t comma = data.find(',');
    if (comma == std::string::npos) return false;
    try {
        size_t used = 0;
        first = std::stoi(data.substr(0, comma), &used);
        if (used != comma) return false;
        const std::string rest = data.substr(comma + 1);
        second = std::stoi(rest, &used);
        return used == rest.size();
    } catch (const std::exception&) {
        return false;
    }
}

bool ReadNumber(const std::string& data, int& n) {
    try {
        size_t used = 0;
        n = std::stoi(data, &used);
        return used == data.size();
    } catch (const std::exception&) {
        return false;
    }
}

// Keys the panes bind to their own commands, which a read-only text must not take.
bool IsPaneShortcut(const QKeyEvent& key) {
    if (!(key.modifiers() & Qt::ControlModifier)) return false;
    switch (key.key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Up:
        case Qt::Key_Down: return true;
        default: return false;
    }
}

// The number part of a bookmark caption: "&1" ... "&9", and "1&0" for slot 0.
std::string BookmarkNumber(int slot) { return slot == 0 ? "1&0" : "&" + std::to_string(slot); }

}  // namespace

// The "Set Bookmark" caption of a slot, as every pane shows it.
std::string SetBookmarkCaption(int slot) {
    const TSettings& s = Settings();
    const TBookmark& mark = s.Bookmarks[static_cast<size_t>(slot)];
    const std::string& title = s.BookmarkTitles[static_cast<size_t>(slot)];
    const std::string number = BookmarkNumber(slot);
    const std::string titlePart = title.empty() ? std::string() : " (" + title + ")";
    if (mark.ModuleType == kBookmarkUnused) return number + titlePart + ", not currently used";
    if (mark.ModuleType == kBookmarkPassage)
        return Format("%s%s: currently \"%s\"", number.c_str(), titlePart.c_str(), mark.EntryTitle.c_str());
    return Format("%s%s: currently \"%s: %s\"", number.c_str(), titlePart.c_str(), mark.ModuleName.c_str(),
                  mark.EntryTitle.c_str());
}

// --- THtmlView ---------------------------------------------------------------------

THtmlView::THtmlView(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("HTMLView"));
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A scroll bar that comes and goes changes the width and makes every new page be
    // laid out twice; a reading pane scrolls almost always anyway.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    document()->setDocumentMargin(kDocumentMargin);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int) { emit UserScrolled(); });
}

bool THtmlView::event(QEvent* event) {
    // The chapter and verse keys belong to the pane's commands, not to the caret.
    if (event->type() == QEvent::ShortcutOverride && IsPaneShortcut(*static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return false;
    }
    return QTextBrowser::event(event);
}

void THtmlView::keyPressEvent(QKeyEvent* event) {
    if (event->text() == QLatin1String("+") || event->text() == QLatin1String("-")) {
        emit SearchKeyStep(event->text() == QLatin1String("+"));
        event->accept();
        return;
    }
    emit UserScrolled();
    QTextBrowser::keyPressEvent(event);
}

void THtmlView::wheelEvent(QWheelEvent* event) {
    emit UserScrolled();
    QTextBrowser::wheelEvent(event);
}

void THtmlView::contextMenuEvent(QContextMenuEvent* event) {
    emit RightClicked(event->pos());
    event->accept();
}

void THtmlView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTextBrowser::mouseDoubleClickEvent(event);
    emit DoubleClicked(event->position().toPoint());
}

void THtmlView::mouseMoveEvent(QMouseEvent* event) {
    pointerPos_ = event->position().toPoint();
    QTextBrowser::mouseMoveEvent(event);
}

void THtmlView::resizeEvent(QResizeEvent* event) {
    QTextBrowser::resizeEvent(event);
    emit Resized();
}

QMimeData* THtmlView::createMimeDataFromSelection() const {
    if (!Settings().ForcePlainTextCopy) return QTextBrowser::createMimeDataFromSelection();
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
}

// --- TFrameTextView -----------------------------------------------------------------

TFrameTextView::TFrameTextView(QWidget* parent) : QWidget(parent) {
    view_ = new THtmlView(this);
    popup_ = new THoverPopup(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);

    connect(view_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { FollowLink(url.toString()); });
    connect(view_, qOverload<const QUrl&>(&QTextBrowser::highlighted), this, &TFrameTextView::OnLinkHovered);
    connect(view_, &THtmlView::SearchKeyStep, this, &TFrameTextView::GotoSearchKey);
    connect(view_, &THtmlView::RightClicked, this, &TFrameTextView::OnRightClicked);
    connect(view_, &THtmlView::DoubleClicked, this, &TFrameTextView::OnDoubleClicked);
    connect(view_, &THtmlView::Resized, this, &TFrameTextView::ApplyPin);
    connect(view_, &THtmlView::UserScrolled, this, [this] { pinnedVerse_ = 0; });
}

TFrameTextView::~TFrameTextView() = default;

void TFrameTextView::SetLexicons(TZBDictionaryModule* hebrew, TZBDictionaryModule* greek) {
    hebrewLexicon_ = hebrew;
    greekLexicon_ = greek;
}

void TFrameTextView::SetMarginModules(std::vector<const TZBCommentaryModule*> commentaries,
                                      std::vector<TZBDictionaryModule*> books,
                                      std::vector<const TZBCommentaryModule*> userCommentaries) {
    marginCommentaries_ = std::move(commentaries);
    marginBooks_ = std::move(books);
    userCommentaries_ = std::move(userCommentaries);
}

void TFrameTextView::SetChapterLinks(bool previous, bool next) {
    previousChapterLink_ = previous;
    nextChapterLink_ = next;
}

void TFrameTextView::SetFindCaption(const QString& caption, std::function<void()> revealPanel) {
    findCaption_ = caption;
    revealPanel_ = std::move(revealPanel);
}

TPropertiesBibleView TFrameTextView::ResolvedProperties() const {
    TPropertiesBibleView p = properties_;
    const QPalette& palette = view_->palette();
    for (TColor* color : {&p.BackgroundColor, &p.TextColor, &p.NoteColumnColor, &p.FootnotesColor,
                          &p.StrongsLinkColor, &p.CommentLinkColor, &p.DictLinkColor})
        *color = ResolveSystemColor(*color, palette);
    return p;
}

int TFrameTextView::ShowVerses(const TVerseList& verses, bool referencesAsLinks, const TZBSearchKeysData& searchKeys) {
    searchKeys_ = searchKeys;
    referencesAsLinks_ = referencesAsLinks;
    verses_ = verses;
    if (!primary_) return 0;
    ApplyViewDisplay(*view_, {properties_.MainFont, properties_.MainSize, properties_.BackgroundColor,
                              properties_.TextColor});
    Rebuild();
    return static_cast<int>(page_.Verses.size());
}

void TFrameTextView::Rebuild() {
    searchKeyIndex_ = -1;
    pinnedVerse_ = 0;
    popup_->Cancel();
    TPassagePageInput input;
    input.Bible = primary_;
    input.CompareBible = compare_;
    input.Verses = &verses_;
    input.ReferencesAsLinks = referencesAsLinks_;
    input.SearchKeys = &searchKeys_;
    input.Properties = ResolvedProperties();
    input.HighlightColor = ResolveSystemColor(Settings().KeyHilightColor, view_->palette());
    input.StrongsData = strongs_;
    input.MarginCommentaries = marginCommentaries_;
    input.MarginBooks.assign(marginBooks_.begin(), marginBooks_.end());
    input.UserCommentaries = userCommentaries_;
    input.ParagraphMap = paragraphMap_;
    input.PreviousChapterLink = previousChapterLink_;
    input.NextChapterLink = nextChapterLink_;
    input.Paged = paged_;
    input.PageStart = pageStart_;
    try {
        page_ = BuildPassagePage(input);
    } catch (...) {
        // The page cannot be built: the user sees that nothing came, not an old page.
        page_ = TPassagePage{};
        source_ = QString::fromLatin1(kLoadingPage);
        view_->setHtml(source_);
        anchors_.clear();
        pageVerseIndex_.clear();
        throw;
    }
    pageStart_ = page_.PageStart;
    if (pageSelector_) {
        const QSignalBlocker quiet(pageSelector_);
        pageSelector_->clear();
        for (const std::string& item : page_.PageSelectorItems) pageSelector_->addItem(AnsiText(item));
        pageSelector_->setCurrentIndex(page_.PageSelectorIndex);
    }
    LoadPage();
}

void TFrameTextView::LoadPage() {
    view_->setExtraSelections({});
    hoveredLink_.clear();
    source_ = ModuleText(page_.Html, page_.Utf8);
    view_->setHtml(source_);
    IndexAnchors();
    emit PageShown();
}

void TFrameTextView::IndexAnchors() {
    anchors_.clear();
    pageVerseIndex_.clear();
    for (QTextBlock block = view_->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor()) continue;
            for (const QString& name : format.anchorNames())
                anchors_.try_emplace(name.toStdString(), fragment.position());
        }
    for (size_t i = 0; i < page_.Verses.size(); ++i) pageVerseIndex_.try_emplace(page_.Verses[i].Verse, i);
}

void TFrameTextView::AttachPageSelector(QComboBox* selector) {
    pageSelector_ = selector;
    if (!selector) return;
    connect(selector, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (index < 0 || !primary_) return;
        pageStart_ = index * kPageSize;
        Rebuild();
    });
}

int TFrameTextView::VersePosition(int verse) const {
    auto it = anchors_.find(VerseAnchorName(verse));
    return it == anchors_.end() ? -1 : it->second;
}

int TFrameTextView::LabelLength(int verse) const {
    auto it = pageVerseIndex_.find(verse);
    return it == pageVerseIndex_.end() ? 0 : page_.Verses[it->second].LabelLength;
}

int TFrameTextView::DocumentY(int position) const {
    QTextCursor cursor(view_->document());
    cursor.setPosition(std::clamp(position, 0, view_->document()->characterCount() - 1));
    return view_->cursorRect(cursor).top() + view_->verticalScrollBar()->value();
}

void TFrameTextView::ScrollToPosition(int position) {
    view_->verticalScrollBar()->setValue(DocumentY(position));
}

void TFrameTextView::ScrollToVerse(int verse) {
    if (VersePosition(verse) < 0) return;
    pinnedVerse_ = verse;
    ApplyPin();
}

void TFrameTextView::ApplyPin() {
    if (pinnedVerse_ <= 0) return;
    const int position = VersePosition(pinnedVerse_);
    if (position >= 0) ScrollToPosition(position);
}

int TFrameTextView::TopVisibleVerse() const {
    const int top = view_->verticalScrollBar()->value();
    for (const TPageVerse& verse : page_.Verses) {
        const int position = VersePosition(verse.Verse);
        if (position >= 0 && DocumentY(position) >= top) return verse.Verse;
    }
    return -1;
}

void TFrameTextView::SelectVerseLabel(int verse) {
    const int position = VersePosition(verse);
    if (position < 0) return;
    QTextCursor cursor(view_->document());
    cursor.setPosition(position);
    cursor.setPosition(std::min(position + LabelLength(verse), view_->document()->characterCount() - 1),
                       QTextCursor::KeepAnchor);
    view_->setTextCursor(cursor);
    const int y = DocumentY(position);
    QScrollBar* bar = view_->verticalScrollBar();
    const int height = view_->viewport()->height();
    if (y < bar->value() || y > bar->value() + height - kLabelBottomSlack) bar->setValue(y - height / 2);
}

int TFrameTextView::VerseAtPosition(int position) const {
    int found = -1;
    for (const TPageVerse& verse : page_.Verses) {
        const int start = VersePosition(verse.Verse);
        if (start < 0) continue;
        if (start > position) break;
        found = verse.Verse;
    }
    // Before the first label (a navigation line) the first verse is meant.
    if (found < 0 && !page_.Verses.empty()) found = page_.Verses.front().Verse;
    return found;
}

void TFrameTextView::GotoSearchKey(bool forward) {
    const int count = page_.SearchKeyCount;
    if (count == 0) return;
    searchKeyIndex_ += forward ? 1 : -1;
    if (searchKeyIndex_ < 0) searchKeyIndex_ = count - 1;
    if (searchKeyIndex_ >= count) searchKeyIndex_ = 0;
    auto it = anchors_.find(Format("skey%d", searchKeyIndex_));
    if (it == anchors_.end()) return;
    const int start = it->second;
    pinnedVerse_ = 0;
    ScrollToPosition(start);
    // The hit runs as far as its highlight does.
    QTextDocument* document = view_->document();
    QTextCursor probe(document);
    probe.setPosition(start + 1);
    const QBrush highlight = probe.charFormat().background();
    int end = start + 1;
    for (; end < document->characterCount() - 1; ++end) {
        probe.setPosition(end + 1);
        if (probe.charFormat().background() != highlight) break;
    }
    QTextCursor selection(document);
    selection.setPosition(start);
    selection.setPosition(end, QTextCursor::KeepAnchor);
    view_->setTextCursor(selection);
}

void TFrameTextView::FollowLink(const QString& link) {
    const std::string text = ToAnsi(link);
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return;
    const std::string scheme = text.substr(0, colon);
    const std::string data = text.substr(colon + 1);
    int a = 0, b = 0;
    if (scheme == "h" || scheme == "g") {
        TZBDictionaryModule* lexicon = scheme == "h" ? hebrewLexicon_ : greekLexicon_;
        if (lexicon && host_ && ReadNumber(data, a) && a >= 1 && a <= lexicon->EntryCount())
            host_->ShowBookEntry(*lexicon, a - 1, 0);
    } else if (scheme == "lp") {
        if (host_ && ReadNumber(data, a)) host_->ShowBibleVerse(a, !previousChapterLink_ && !nextChapterLink_);
    } else if (scheme == "lc") {
        if (host_ && ReadPair(data, a, b) && a >= 0 && static_cast<size_t>(a) < marginCommentaries_.size())
            host_->ShowCommentaryEntry(a, b);
    } else if (scheme == "ec") {
        if (host_ && ReadPair(data, a, b) && a >= 0 && static_cast<size_t>(a) < userCommentaries_.size())
            host_->EditUserCommentary(a, b);
    } else if (scheme == "pn") {
        if (ReadNumber(data, a) && primary_) {
            pageStart_ = a;
            Rebuild();
        }
    } else if (scheme == "ld") {
        if (!host_ || !ReadPair(data, a, b) || a < 0 || static_cast<size_t>(a) >= marginBooks_.size()) return;
        TZBDictionaryModule& book = *marginBooks_[static_cast<size_t>(a)];
        const TEntryIndexArray entries = book.GetVerseEntries(b - 1);
        if (entries.empty()) return;
        if (entries.size() < 2) {
            host_->ShowBookEntry(book, entries.front(), b);
            return;
        }
        TBookReferences refs;
        refs.Book = &book;
        refs.Verse = b;
        refs.Entries = entries;
        if (primary_) {
            int bk = 0, c = 0, v = 0;
            primary_->DecodeVerse(b, bk, c, v);
            refs.Caption = Format("%s: %s %d:%d", book.Abbreviation().c_str(), primary_->BookAbbreviation(bk).c_str(), c, v);
            refs.Reference = Format("%s %d:%d", primary_->BookName(bk).c_str(), c, v);
        }
        refs.Title = book.ModuleName();
        host_->ShowBookReferences(refs);
    }
}

QString TFrameTextView::PopupText(const QString& link) const {
    const std::string text = ToAnsi(link);
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return {};
    const std::string scheme = text.substr(0, colon);
    const std::string data = text.substr(colon + 1);
    auto reference = [this](int verse) { return primary_ ? primary_->VerseReference(verse) : std::string(); };
    int a = 0, b = 0;
    std::string hint;
    if (scheme == "h" || scheme == "g") {
        hint = StrongsArticle(scheme + data, hebrewLexicon_, greekLexicon_);
    } else if (scheme == "lc") {
        if (ReadPair(data, a, b) && a >= 0 && static_cast<size_t>(a) < marginCommentaries_.size())
            hint = "<b>" + marginCommentaries_[static_cast<size_t>(a)]->ModuleName() + "</b><br>Comment on " +
                   reference(b + 1) + ".";
    } else if (scheme == "ld") {
        if (ReadPair(data, a, b) && a >= 0 && static_cast<size_t>(a) < marginBooks_.size()) {
            const TZBDictionaryModule& book = *marginBooks_[static_cast<size_t>(a)];
            hint = "<b>" + book.ModuleName() + "</b><br>references " + reference(b) + " in:<ul>";
            for (uint16_t entry : book.GetVerseEntries(b - 1))
                if (entry < book.EntryTitles().size()) hint += "<br><li>" + book.EntryTitles()[entry];
            hint += "</ul>";
        }
    } else if (scheme == "ec") {
        if (ReadPair(data, a, b) && a >= 0 && static_cast<size_t>(a) < userCommentaries_.size())
            hint = "Edit " + userCommentaries_[static_cast<size_t>(a)]->ModuleName() + " on " + reference(b + 1) + ".";
    }
    return AnsiText(hint);
}

void TFrameTextView::OnLinkHovered(const QUrl& url) {
    hoveredLink_ = url.toString();
    MarkHoveredLink(view_->anchorAt(view_->PointerPos()));
    if (hoveredLink_.isEmpty()) {
        popup_->Cancel();
        return;
    }
    popup_->ShowLater(PopupText(hoveredLink_), QCursor::pos());
}

void TFrameTextView::MarkHoveredLink(const QString& href) {
    QList<QTextEdit::ExtraSelection> marks;
    if (!href.isEmpty()) {
        // The run of characters that carry this link around the pointer.
        QTextDocument* document = view_->document();
        const int at = view_->cursorForPosition(view_->PointerPos()).position();
        const int last = document->characterCount() - 1;
        auto hrefOf = [document](int character) {
            QTextCursor probe(document);
            probe.setPosition(character + 1);  // a cursor reports the character before it
            return probe.charFormat().anchorHref();
        };
        int start = at < last && hrefOf(at) == href ? at : (at > 0 && hrefOf(at - 1) == href ? at - 1 : -1);
        int end = start + 1;
        if (start >= 0) {
            while (start > 0 && hrefOf(start - 1) == href) --start;
            while (end < last && hrefOf(end) == href) ++end;
        }
        if (start >= 0) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(document);
            mark.cursor.setPosition(start);
            mark.cursor.setPosition(end, QTextCursor::KeepAnchor);
            mark.format.setForeground(kHoverLinkColor);
            marks.append(mark);
        }
    }
    view_->setExtraSelections(marks);
}

void TFrameTextView::OnRightClicked(const QPoint& pos) {
    if (!onVerseRightClick_ || page_.Verses.empty()) return;
    const QTextCursor at = view_->cursorForPosition(pos);
    const int verse = VerseAtPosition(at.position());
    QTextCursor word = at;
    word.select(QTextCursor::WordUnderCursor);
    onVerseRightClick_(ToAnsi(view_->anchorAt(pos)), std::string(), verse, ToAnsi(SelectedText()),
                       ToAnsi(word.selectedText()));
}

void TFrameTextView::OnDoubleClicked(const QPoint& pos) {
    const int caret = view_->cursorForPosition(pos).position();
    const int verse = VerseAtPosition(caret);
    const int label = VersePosition(verse);
    if (label >= 0 && caret >= label && caret <= label + LabelLength(verse)) {
        SelectVerseLabel(verse);
        if (host_) host_->VerseTagDoubleClicked(verse);
        return;
    }
    const QString word = SelectedText().trimmed();
    if (!word.isEmpty() && host_) host_->BibleWordDoubleClicked(ToAnsi(word));
}

bool TFrameTextView::HasSelection() const { return view_->textCursor().hasSelection(); }

QString TFrameTextView::SelectedText() const {
    // The selection's own text keeps paragraph separators; the clipboard wants lines.
    return view_->textCursor().selection().toPlainText();
}

void TFrameTextView::CopySelection() {
    if (!HasSelection()) return;
    if (Settings().ForcePlainTextCopy) QApplication::clipboard()->setText(SelectedText());
    else view_->copy();
}

void TFrameTextView::AppendSelection() {
    if (!HasSelection()) return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(clipboard->text() + QStringLiteral("\r\n") + SelectedText());
}

void TFrameTextView::CopyAll() {
    view_->selectAll();
    CopySelection();
    QTextCursor cursor = view_->textCursor();
    cursor.clearSelection();
    view_->setTextCursor(cursor);
}

void TFrameTextView::CopyHtmlSource() { QApplication::clipboard()->setText(source_); }

bool TFrameTextView::FindInText(const QString& text, bool forward, bool matchCase) {
    QTextDocument::FindFlags flags;
    if (!forward) flags |= QTextDocument::FindBackward;
    if (matchCase) flags |= QTextDocument::FindCaseSensitively;
    pinnedVerse_ = 0;
    if (!text.isEmpty() && view_->find(text, flags)) return true;
    QApplication::beep();
    return false;
}

void TFrameTextView::OpenFind() {
    if (!findWindow_) findWindow_ = new TDlgFindInDisplayedText(this);
    const QString selected = SelectedText().trimmed();
    if (!selected.isEmpty()) {
        findWindow_->SetFindText(selected);
    } else {
        QTextCursor cursor = view_->textCursor();
        cursor.movePosition(QTextCursor::Start);
        view_->setTextCursor(cursor);
    }
    findWindow_->OpenFind(findCaption_, [this](const QString& text, bool forward, bool matchCase) {
        if (revealPanel_) revealPanel_();
        FindInText(text, forward, matchCase);
    });
}

void TFrameTextView::Print() {
    if (!host_) return;
    if (StartupState().NoPrinter) {
        host_->Messages().Show(TMessageKind::Warning, "", "No printers installed.");
        return;
    }
    // Screen resolution: at printer resolution small capitals and pixel margins are lost.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                           QPageLayout::Millimeter);
    std::unique_ptr<QTextDocument> copy(view_->document()->clone());
    copy->setPageSize(printer.pageRect(QPrinter::DevicePixel).size());
    const int pages = std::max(1, copy->pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    host_->ShowStatus("Printing...");
    if (host_->Messages().Exec(dialog) == QDialog::Accepted) copy->print(&printer);
    host_->ShowStatus("");
}

int TFrameTextView::ScrollPosition() const { return kvx::ScrollPosition(*view_); }

void TFrameTextView::SetScrollPosition(int position) {
    pinnedVerse_ = 0;
    kvx::SetScrollPosition(*view_, position);
}

}  // namespace kvx
