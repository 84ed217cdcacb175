// The Bible view: tabs, toolbar, history, chapter navigation, display switches and
// the context menus around the chapter's text view.
#include "views/bible_view.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QDate>
#include <QHBoxLayout>
#include <QMenu>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "app/module_library.h"
#include "app/settings.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "render/export_procs.h"
#include "views/passage_format.h"
#include "views/view_display.h"
#include "views/view_host.h"

namespace kvx {

namespace {

constexpr int kProverbsBook = 20;
constexpr int kLastVerseOfAnyChapter = 255;
constexpr int kCopyStyleParagraphs = 4;  // style E: one paragraph per verse
constexpr const char* kBookmarkSlotProperty = "bookmarkSlot";

// A module name in a menu: an ampersand is shown, not taken as an accelerator.

}  // namespace

TFrameBibleView::TFrameBibleView(TViewHost* host, QWidget* parent) : QWidget(parent), host_(host) {
    setObjectName(QStringLiteral("FrameBibleView"));
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("RzTabControl1"));
    tabs_->setExpanding(false);
    tabs_->setDocumentMode(true);
    tabs_->setUsesScrollButtons(true);
    tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
    textView_ = new TFrameTextView(this);
    textView_->setObjectName(QStringLiteral("FrameTextView1"));
    textView_->SetHost(host_);
    textView_->SetFindCaption(QStringLiteral("Find in Bible panel"), [this] {
        if (host_) host_->ShowBiblePanel();
    });
    textView_->SetOnVerseRightClick(
        [this](const std::string& link, const std::string&, int verse, const std::string& selected,
               const std::string& word) { OnVerseRightClick(link, verse, selected, word); });

    CreateActions();
    CreateToolBar();
    CreateMenus();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(toolBar_);
    layout->addWidget(textView_, 1);
    setFocusProxy(textView_);

    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (!quietTabs_ && index >= 0) OnTabSelected();
    });
    connect(tabs_, &QTabBar::customContextMenuRequested, this, [this](const QPoint& pos) {
        const int tab = tabs_->tabAt(pos);
        if (tab >= 0) PrepareTabMenu(tab)->popup(tabs_->mapToGlobal(pos));
    });
    // The copy commands follow the selection.
    connect(textView_->Viewer(), &QTextEdit::copyAvailable, this, [this](bool available) {
        Action("ActionCopySelection")->setEnabled(available);
        Action("ActionAppendSelection")->setEnabled(available);
    });
    UpdateActions();
}

QAction* TFrameBibleView::AddAction(const char* name, const char* caption, const char* hint, const char* keys) {
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(QString::fromUtf8(name));
    if (hint) {
        action->setToolTip(QString::fromUtf8(hint));
        action->setStatusTip(QString::fromUtf8(hint));
    }
    if (keys) {
        action->setShortcut(QKeySequence(QString::fromUtf8(keys)));
        // The keys work wherever the focus is inside the pane, and only there.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    addAction(action);
    return action;
}

QAction* TFrameBibleView::Action(const char* name) const {
    return findChild<QAction*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

void TFrameBibleView::CreateActions() {
    connect(AddAction("ActionBack", "ActionBack", "Back"), &QAction::triggered, this, [this] { GoBack(0); });
    connect(AddAction("ActionForward", "ActionForward", "Forward"), &QAction::triggered, this, [this] { GoForward(0); });
    Action("ActionBack")->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    Action("ActionForward")->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));

    struct TSwitch {
        const char* name;
        const char* caption;
        const char* hint;
        const char* iconText;
    };
    const TSwitch switches[] = {
        {"ActionToggleFootnotes", "Show Footnotes", "Toggle Show Footnotes", "Footnotes"},
        {"ActionToggleCommentaryLinks", "Show Commentary Links", "Toggle Show Commentary Links", "Commentaries"},
        {"ActionToggleDictionaryLinks", "Show Book Reference Links", "Toggle Show Book Reference Links", "Books"},
        {"ActionToggleEditLinks", "Show Edit Commentary Links", "Toggle Show Edit Links (for user commentaries)",
         "Edit"},
        {"ActionToggleParaMode", "Paragraph Reading Mode", "Toggle Paragraph Reading Mode", "Paragraphs"},
        {"ActionToggleColumnMode", "Column Mode", "Toggle Column Mode", "Columns"},
    };
    for (const TSwitch& s : switches) {
        QAction* action = AddAction(s.name, s.caption, s.hint);
        action->setCheckable(true);
        action->setIconText(QString::fromUtf8(s.iconText));
    }
    connect(Action("ActionToggleFootnotes"), &QAction::triggered, this,
            [this] { ToggleSwitch(&TPropertiesBibleView::ShowFootnotes); });
    connect(Action("ActionToggleCommentaryLinks"), &QAction::triggered, this,
            [this] { ToggleSwitch(&TPropertiesBibleView::LinkCommentaries); });
    connect(Action("ActionToggleDictionaryLinks"), &QAction::triggered, this,
            [this] { ToggleSwitch(&TPropertiesBibleView::LinkDictionaries); });
    connect(Action("ActionToggleEditLinks"), &QAction::triggered, this,
            [this] { ToggleSwitch(&TPropertiesBibleView::ShowEditLinks); });
    connect(Action("ActionToggleParaMode"), &QAction::triggered, this, &TFrameBibleView::ToggleParaMode);
    connect(Action("ActionToggleColumnMode"), &QAction::triggered, this, &TFrameBibleView::ToggleColumnMode);

    connect(AddAction("ActionCopySelection", "Copy Selected Text", "Copy selected text to clipboard"),
            &QAction::triggered, textView_, &TFrameTextView::CopySelection);
    connect(AddAction("ActionAppendSelection", "Append Selected Text", "Append selected text to clipboard",
                      "Ctrl+Shift+C"),
            &QAction::triggered, textView_, &TFrameTextView::AppendSelection);
    // Ctrl+C is the viewer's own copy, which follows "ForcePlainTextCopy" too.
    Action("ActionCopySelection")->setShortcut(QKeySequence(QKeySequence::Copy));
    Action("ActionCopySelection")->setShortcutContext(Qt::WidgetShortcut);
    connect(AddAction("ActionCopyAllVerses", "Copy All Verses", "Copy all verses from Bible view to the clipboard", "F8"),
            &QAction::triggered, this, &TFrameBibleView::CopyAllVerses);
    // Bible searches show their verses in the verse lists, which this program does not have yet.
    AddAction("ActionSearchSelected", "Search Bible for Selected Text", "Search Bible for selected text");
    connect(AddAction("ActionNextChapter", "Next Chapter", "Next Chapter", "Ctrl+PgDown"), &QAction::triggered, this,
            &TFrameBibleView::NextChapter);
    connect(AddAction("ActionPrevChapter", "Previous Chapter", "Previous Chapter", "Ctrl+PgUp"), &QAction::triggered,
            this, &TFrameBibleView::PreviousChapter);
    connect(AddAction("ActionNextBook", "Next Book", "Next book", "Ctrl+End"), &QAction::triggered, this,
            &TFrameBibleView::NextBook);
    connect(AddAction("ActionPrevBook", "Previous Book", "Previous book", "Ctrl+Home"), &QAction::triggered, this,
            &TFrameBibleView::PreviousBook);
    connect(AddAction("ActionNextVerse", "Scroll Down One Verse", "Next verse", "Ctrl+Down"), &QAction::triggered, this,
            &TFrameBibleView::ScrollDownOneVerse);
    connect(AddAction("ActionPrevVerse", "Scroll Up One Verse", "Previous verse", "Ctrl+Up"), &QAction::triggered, this,
            &TFrameBibleView::ScrollUpOneVerse);
    connect(AddAction("ActionProverb", "Today's Proverb", "Read Today's Chapter in Proverbs"), &QAction::triggered, this,
            [this] { ShowTodaysProverb(QDate::currentDate().day()); });
    connect(AddAction("ActionShowAuthorDetail", "Module Information..."), &QAction::triggered, this, [this] {
        if (host_ && CurrentBible()) host_->ShowModuleInformation(*CurrentBible());
    });
    connect(AddAction("ActionFindInText", "Find in displayed text..."), &QAction::triggered, textView_,
            &TFrameTextView::OpenFind);
    connect(AddAction("ActionPrint", "Print this window"), &QAction::triggered, textView_, &TFrameTextView::Print);
    connect(AddAction("ActionCopyHTMLSource", "Copy HTML Source"), &QAction::triggered, textView_,
            &TFrameTextView::CopyHtmlSource);
    Action("ActionCopyHTMLSource")->setVisible(false);
    for (int slot = 0; slot < kBookmarkCount; ++slot) {
        QAction* action = AddAction(Format("ActionSetBookmark%d", slot).c_str(), "");
        action->setProperty(kBookmarkSlotProperty, slot);
    }
}

void TFrameBibleView::CreateToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("ToolBar4"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolBar_->setAutoFillBackground(true);
    toolBar_->setBackgroundRole(QPalette::Button);

    popupBackList_ = new QMenu(this);
    popupBackList_->setObjectName(QStringLiteral("PopupBackList"));
    popupForwardList_ = new QMenu(this);
    popupForwardList_->setObjectName(QStringLiteral("PopupForwardList"));
    connect(popupBackList_, &QMenu::aboutToShow, this, [this] { FillHistoryMenu(popupBackList_, true); });
    connect(popupForwardList_, &QMenu::aboutToShow, this, [this] { FillHistoryMenu(popupForwardList_, false); });
    auto historyButton = [this](const char* name, QAction* action, QMenu* menu) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromUtf8(name));
        button->setDefaultAction(action);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        toolBar_->addWidget(button);
        return button;
    };
    historyButton("ToolButton9", Action("ActionBack"), popupBackList_);
    historyButton("ToolButton10", Action("ActionForward"), popupForwardList_);

    comboBoxBook_ = new QComboBox(this);
    comboBoxBook_->setObjectName(QStringLiteral("ComboBoxBook"));
    comboBoxBook_->setToolTip(QStringLiteral("Current Book"));
    comboBoxBook_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    comboBoxChapter_ = new QComboBox(this);
    comboBoxChapter_->setObjectName(QStringLiteral("ComboBoxChapter"));
    comboBoxChapter_->setToolTip(QStringLiteral("Current Chapter"));
    comboBoxChapter_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    toolBar_->addWidget(comboBoxBook_);
    toolBar_->addWidget(comboBoxChapter_);
    connect(comboBoxBook_, qOverload<int>(&QComboBox::activated), this, &TFrameBibleView::OnBookChosen);
    connect(comboBoxChapter_, qOverload<int>(&QComboBox::activated), this, &TFrameBibleView::OnChapterChosen);

    // The spin buttons: up is the previous chapter, down the next.
    auto* spin = new QWidget(this);
    spin->setObjectName(QStringLiteral("RzSpinButtons1"));
    spin->setToolTip(QStringLiteral("Previous/Next chapter|Go to the previous or next Bible chapter."));
    auto* spinLayout = new QVBoxLayout(spin);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    for (const auto& [name, arrow, action] :
         {std::tuple{"SpinUp", Qt::UpArrow, "ActionPrevChapter"}, std::tuple{"SpinDown", Qt::DownArrow, "ActionNextChapter"}}) {
        auto* button = new QToolButton(spin);
        button->setObjectName(QString::fromUtf8(name));
        button->setArrowType(arrow);
        button->setAutoRaise(true);
        button->setFixedSize(18, 11);
        button->setToolTip(spin->toolTip());
        connect(button, &QToolButton::clicked, Action(action), &QAction::trigger);
        spinLayout->addWidget(button);
    }
    toolBar_->addWidget(spin);
    toolBar_->addSeparator();
    for (const char* name : {"ActionToggleFootnotes", "ActionToggleCommentaryLinks", "ActionToggleDictionaryLinks",
                             "ActionToggleEditLinks", "ActionToggleParaMode", "ActionToggleColumnMode"})
        toolBar_->addAction(Action(name));
}

void TFrameBibleView::CreateMenus() {
    popupRightClick_ = new QMenu(this);
    popupRightClick_->setObjectName(QStringLiteral("PopupRightClick"));
    popupMenuTab_ = new QMenu(this);
    popupMenuTab_->setObjectName(QStringLiteral("PopupMenuTab"));
}

void TFrameBibleView::SetLibrary(const TModuleLibrary& library) {
    library_ = &library;
    referenceBible_ = library.KJVBible();
    commentaries_.clear();
    for (const auto& c : library.CommentaryModules()) commentaries_.push_back(c.get());
    books_.clear();
    for (const auto& b : library.BookModules()) books_.push_back(b.get());
    std::vector<const TZBCommentaryModule*> users(library.UserCommentaryModules().begin(),
                                                  library.UserCommentaryModules().end());
    textView_->SetMarginModules(commentaries_, books_, users);
    textView_->SetParagraphMap(&library.ParagraphMap());
    SetStrongsData(library.StrongsData());
    SetLexicons(library.StrHebModule(), library.StrGrkModule());
    SetDictionaryVolumes(library.WAJModule(), library.WKZModule());
    SetBibles(library.BibleModules());
}

void TFrameBibleView::SetBibles(const TZBBibleModuleArray& bibles) {
    bibles_.clear();
    for (const auto& bible : bibles) bibles_.push_back(bible.get());
    quietTabs_ = true;
    while (tabs_->count() > 0) tabs_->removeTab(0);
    for (const TZBBibleModule* bible : bibles_) {
        const int index = tabs_->addTab(AnsiText(bible->Abbreviation()));
        tabs_->setTabToolTip(index, AnsiText(bible->ModuleName()));
        tabs_->setTabVisible(index, bible->TabShown());
    }
    quietTabs_ = false;
    tabs_->updateGeometry();
    backList_.clear();
    forwardList_.clear();
    currentVerse_ = 0;
    chapterVerses_.clear();
    const TZBBibleModule* shown = CurrentBible() ? CurrentBible() : referenceBible_;
    if (!shown && !bibles_.empty()) shown = bibles_.front();
    if (shown) FillBooks(*shown);
    const TSettings& s = Settings();
    textView_->SetPaged(false);
    textView_->SetChapterLinks(s.IncChPrev, s.IncChNext);
    textView_->SetCompareBible(nullptr);
    textView_->SetProperties(s.BibleText);
    saved_.CommentaryLinks = s.BibleText.LinkCommentaries;
    saved_.BookLinks = s.BibleText.LinkDictionaries;
    saved_.Footnotes = s.BibleText.ShowFootnotes;
    saved_.EditLinks = false;
    UpdateActions();
}

void TFrameBibleView::SetLexicons(TZBDictionaryModule* hebrew, TZBDictionaryModule* greek) {
    textView_->SetLexicons(hebrew, greek);
}

void TFrameBibleView::SetDictionaryVolumes(TZBDictionaryModule* aToJ, TZBDictionaryModule* kToZ) {
    dictionaryAJ_ = aToJ;
    dictionaryKZ_ = kToZ;
}

void TFrameBibleView::SetStrongsData(const TZBStrongsDataModule* data) { textView_->SetStrongsData(data); }

TZBBibleModule* TFrameBibleView::CurrentBible() const {
    const int index = tabs_->currentIndex();
    return index >= 0 && index < BibleCount() ? bibles_[static_cast<size_t>(index)] : nullptr;
}

int TFrameBibleView::CurrentIndex() const { return CurrentBible() ? tabs_->currentIndex() : -1; }

int TFrameBibleView::TabCount() const { return tabs_->count(); }

bool TFrameBibleView::TabVisible(int index) const { return tabs_->isTabVisible(index); }

void TFrameBibleView::SelectBibleTab(int index) {
    if (index < 0 || index >= BibleCount()) return;
    tabs_->setTabVisible(index, true);
    if (tabs_->currentIndex() == index) return;
    // The change of tab is reported to OnTabSelected as a user's choice would be.
    tabs_->setCurrentIndex(index);
}

void TFrameBibleView::SelectBibleTab(const TZBBibleModule* bible) {
    auto it = std::find(bibles_.begin(), bibles_.end(), bible);
    if (it != bibles_.end()) SelectBibleTab(static_cast<int>(it - bibles_.begin()));
}

void TFrameBibleView::RevealAllTabs() {
    if (tabs_->count() < 2) return;
    for (int i = 0; i < tabs_->count(); ++i) tabs_->setTabVisible(i, true);
    tabs_->updateGeometry();
}

void TFrameBibleView::ApplyTabVisibility() {
    bool any = false;
    for (int i = 0; i < BibleCount(); ++i) {
        const bool shown = bibles_[static_cast<size_t>(i)]->TabShown();
        tabs_->setTabVisible(i, shown);
        any = any || shown;
    }
    if (!any && tabs_->count() > 0) tabs_->setTabVisible(0, true);
    tabs_->updateGeometry();
}

void TFrameBibleView::NextTab() {
    const int count = tabs_->count();
    for (int step = 1; step < count; ++step) {
        const int index = (tabs_->currentIndex() + step) % count;
        if (tabs_->isTabVisible(index)) {
            SelectBibleTab(index);
            return;
        }
    }
}

void TFrameBibleView::OnTabSelected() {
    TZBBibleModule* bible = CurrentBible();
    if (!bible) return;
    const int book = comboBoxBook_->currentIndex();
    FillBooks(*bible);
    if (book >= 0 && book < comboBoxBook_->count()) comboBoxBook_->setCurrentIndex(book);
    if (currentVerse_ != 0) {
        int top = textView_->TopVisibleVerse();
        if (top < 0) top = currentVerse_;
        // Not a step of the history: the place stays, only the translation changes.
        currentVerse_ = 0;
        GoToVerse(top);
    }
    UpdateActions();
}

void TFrameBibleView::FillBooks(const TZBBibleModule& bible) {
    comboBoxBook_->clear();
    for (const std::string& name : bible.BookNames()) comboBoxBook_->addItem(AnsiText(name));
}

void TFrameBibleView::FillChapters(const TZBBibleModule& bible, int book) {
    comboBoxChapter_->clear();
    const int chapters = bible.ChapterCount(book);
    for (int c = 1; c <= chapters; ++c) comboBoxChapter_->addItem(QString::number(c));
}

void TFrameBibleView::GoToVerse(int verse) {
    if (host_) host_->ShowBiblePanel();
    TZBBibleModule* bible = CurrentBible();
    if (!bible || bible->VerseCount() < 1) return;
    // A verse the Bible does not number: its nearest end, rather than a broken page.
    verse = std::clamp(verse, 1, bible->VerseCount());

    if (recordHistory_) {
        if (currentVerse_ <= 0) {
            forwardList_.clear();
        } else {
            int top = textView_->TopVisibleVerse();
            if (top < 0) top = currentVerse_;
            if (backList_.empty() || backList_.front() != top) {
                backList_.insert(backList_.begin(), top);
                if (backList_.size() > kMaxBackList) backList_.resize(kMaxBackList);
            }
            forwardList_.clear();
        }
    }

    int oldBook = 0, oldChapter = 0, oldNumber = 0;
    if (currentVerse_ > 0) bible->DecodeVerse(currentVerse_, oldBook, oldChapter, oldNumber);
    int book = 0, chapter = 0, number = 0;
    bible->DecodeVerse(verse, book, chapter, number);
    if (book != oldBook) {
        comboBoxBook_->setCurrentIndex(book - 1);
        FillChapters(*bible, book);
        comboBoxChapter_->setCurrentIndex(chapter - 1);
    }
    if (comboBoxChapter_->currentIndex() != chapter - 1) comboBoxChapter_->setCurrentIndex(chapter - 1);

    currentVerse_ = verse;
    if (book == oldBook && chapter == oldChapter) {
        textView_->ScrollToVerse(verse);
    } else {
        chapterVerses_.clear();
        const int first = bible->VerseNumber(book, chapter, 1);
        const int last = bible->VerseNumber(book, chapter, kLastVerseOfAnyChapter);
        for (int v = first; v <= last; ++v) chapterVerses_.push_back(static_cast<uint16_t>(v));
        textView_->SetBible(bible);
        textView_->ShowVerses(chapterVerses_, false, {});
        if (number != 1) textView_->ScrollToVerse(verse);
    }
    UpdateActions();
    emit VerseShown(verse);
}

void TFrameBibleView::Refresh() {
    const TSettings& s = Settings();
    textView_->SetChapterLinks(s.IncChPrev, s.IncChNext);
    textView_->SetProperties(s.BibleText);
    if (currentVerse_ != 0) {
        int top = textView_->TopVisibleVerse();
        if (top < 0) top = currentVerse_;
        currentVerse_ = -1;
        // A new look of the same place is no step of the history.
        recordHistory_ = false;
        GoToVerse(top);
        recordHistory_ = true;
    }
    UpdateActions();
}

void TFrameBibleView::GoBack(size_t k) { StepHistory(backList_, forwardList_, k); }

void TFrameBibleView::GoForward(size_t k) { StepHistory(forwardList_, backList_, k); }

void TFrameBibleView::StepHistory(std::vector<int>& from, std::vector<int>& to, size_t k) {
    if (k >= from.size()) return;
    const int target = from[k];
    int top = textView_->TopVisibleVerse();
    if (top < 0) top = currentVerse_;
    if (top > 0) to.insert(to.begin(), top);
    // The places passed over go the other way, nearest first.
    for (size_t i = 0; i < k; ++i) to.insert(to.begin(), from[i]);
    from.erase(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(k + 1));
    recordHistory_ = false;
    GoToVerse(target);
    recordHistory_ = true;
    UpdateActions();
}

void TFrameBibleView::FillHistoryMenu(QMenu* menu, bool back) {
    menu->clear();
    const TZBBibleModule* bible = CurrentBible();
    if (!bible) return;
    const std::vector<int>& list = back ? backList_ : forwardList_;
    for (size_t k = 0; k < list.size(); ++k) {
        int b = 0, c = 0, n = 0;
        bible->DecodeVerse(list[k], b, c, n);
        const std::string caption = n == 1 ? Format("%s %d", bible->BookName(b).c_str(), c)
                                           : Format("%s %d:%d", bible->BookName(b).c_str(), c, n);
        connect(menu->addAction(MenuText(caption)), &QAction::triggered, this, [this, k, back] {
            if (back) GoBack(k);
            else GoForward(k);
        });
    }
}

void TFrameBibleView::OnBookChosen(int index) {
    const TZBBibleModule* bible = CurrentBible();
    if (bible && index >= 0) GoToVerse(bible->VerseNumber(index + 1, 1, 1));
}

void TFrameBibleView::OnChapterChosen(int index) {
    const TZBBibleModule* bible = CurrentBible();
    if (bible && index >= 0) GoToVerse(bible->VerseNumber(comboBoxBook_->currentIndex() + 1, index + 1, 1));
}

void TFrameBibleView::NextChapter() {
    const TZBBibleModule* bible = CurrentBible();
    if (!bible || chapterVerses_.empty()) return;
    const int last = chapterVerses_.back();
    GoToVerse(last >= bible->VerseCount() ? 1 : last + 1);
}

void TFrameBibleView::PreviousChapter() {
    const TZBBibleModule* bible = CurrentBible();
    if (!bible || chapterVerses_.empty()) return;
    const int first = chapterVerses_.front();
    GoToVerse(first < 2 ? bible->VerseCount() : first - 1);
}

void TFrameBibleView::NextBook() {
    const int count = comboBoxBook_->count();
    if (count == 0) return;
    const int index = (comboBoxBook_->currentIndex() + 1) % count;
    comboBoxBook_->setCurrentIndex(index);
    OnBookChosen(index);
}

void TFrameBibleView::PreviousBook() {
    const int count = comboBoxBook_->count();
    if (count == 0) return;
    const int index = comboBoxBook_->currentIndex() <= 0 ? count - 1 : comboBoxBook_->currentIndex() - 1;
    comboBoxBook_->setCurrentIndex(index);
    OnBookChosen(index);
}

void TFrameBibleView::ScrollDownOneVerse() {
    const TZBBibleModule* bible = CurrentBible();
    if (!bible) return;
    int top = textView_->TopVisibleVerse();
    if (top < 0) top = currentVerse_;
    // At the Bible's last verse there is nothing further down.
    if (top >= 1 && top < bible->VerseCount()) GoToVerse(top + 1);
}

void TFrameBibleView::ScrollUpOneVerse() {
    const TZBBibleModule* bible = CurrentBible();
    if (!bible) return;
    int top = textView_->TopVisibleVerse();
    if (top < 0) top = currentVerse_;
    int b = 0, c = 0, n = 0;
    bible->DecodeVerse(top, b, c, n);
    if (top > 1 && n != 1) GoToVerse(top - 1);
}

void TFrameBibleView::ShowTodaysProverb(int dayOfMonth) {
    const TZBBibleModule* bible = CurrentBible();
    if (bible) GoToVerse(bible->VerseNumber(kProverbsBook, dayOfMonth, 1));
}

void TFrameBibleView::ToggleSwitch(bool TPropertiesBibleView::*field) {
    TPropertiesBibleView& p = Settings().BibleText;
    p.*field = !(p.*field);
    p.ParaMode = false;
    Refresh();
}

void TFrameBibleView::ToggleParaMode() {
    TPropertiesBibleView& p = Settings().BibleText;
    p.ParaMode = !p.ParaMode;
    if (p.ParaMode) {
        saved_ = {p.LinkCommentaries, p.LinkDictionaries, p.ShowFootnotes, p.ShowEditLinks};
        p.LinkCommentaries = p.LinkDictionaries = p.ShowFootnotes = p.ShowEditLinks = false;
    } else {
        p.LinkCommentaries = saved_.CommentaryLinks;
        p.LinkDictionaries = saved_.BookLinks;
        p.ShowFootnotes = saved_.Footnotes;
        p.ShowEditLinks = saved_.EditLinks;
    }
    Refresh();
}

void TFrameBibleView::ToggleColumnMode() {
    TPropertiesBibleView& p = Settings().BibleText;
    p.ColumnMode = !p.ColumnMode;
    p.ParaMode = false;
    Refresh();
}

void TFrameBibleView::ChooseCompareBible(const TZBBibleModule* bible) {
    textView_->SetCompareBible(bible == nullptr || bible == textView_->CompareBible() ? nullptr : bible);
    Refresh();
}

void TFrameBibleView::UpdateActions() {
    const TPropertiesBibleView& p = Settings().BibleText;
    const TZBBibleModule* bible = CurrentBible();
    const TZBBibleModule* compare = textView_->CompareBible();
    auto set = [this](const char* name, bool enabled, bool checked) {
        QAction* action = Action(name);
        action->setEnabled(enabled);
        action->setChecked(checked);
    };
    set("ActionToggleFootnotes", (bible && bible->HasFootnotes()) || (compare && compare->HasFootnotes()),
        p.ShowFootnotes);
    set("ActionToggleCommentaryLinks", !commentaries_.empty(), p.LinkCommentaries);
    set("ActionToggleDictionaryLinks", !books_.empty(), p.LinkDictionaries);
    set("ActionToggleEditLinks", library_ && !library_->UserCommentaryModules().empty(), p.ShowEditLinks);
    set("ActionToggleParaMode", bible != nullptr, p.ParaMode);
    set("ActionToggleColumnMode", bible != nullptr, p.ColumnMode);
    Action("ActionBack")->setEnabled(!backList_.empty());
    Action("ActionForward")->setEnabled(!forwardList_.empty());
    const bool shown = bible && !chapterVerses_.empty();
    for (const char* name : {"ActionNextChapter", "ActionPrevChapter", "ActionNextBook", "ActionPrevBook",
                             "ActionNextVerse", "ActionPrevVerse", "ActionCopyAllVerses", "ActionFindInText",
                             "ActionPrint", "ActionCopyHTMLSource"})
        Action(name)->setEnabled(shown);
    Action("ActionProverb")->setEnabled(bible != nullptr);
    const bool selection = textView_->HasSelection();
    Action("ActionCopySelection")->setEnabled(selection);
    Action("ActionAppendSelection")->setEnabled(selection);
    // Its results would go to a verse list, which does not exist yet.
    Action("ActionSearchSelected")->setEnabled(false);
    QAction* info = Action("ActionShowAuthorDetail");
    info->setEnabled(bible != nullptr);
    info->setText(bible ? MenuText(bible->Abbreviation()) + QStringLiteral(" module information...")
                        : QStringLiteral("Module Information..."));
    for (int slot = 0; slot < kBookmarkCount; ++slot)
        Action(Format("ActionSetBookmark%d", slot).c_str())->setText(AnsiText(SetBookmarkCaption(slot)));
}

std::string TFrameBibleView::Reference(int verse) const {
    const TZBBibleModule* bible = CurrentBible();
    return bible ? bible->VerseReference(verse) : std::string();
}

void TFrameBibleView::CopyVerses(int first, int last) {
    const TZBBibleModule* bible = CurrentBible();
    if (!bible) return;
    std::string text = FormatPassage(first, last, *bible, false, VerseExportFormat(Settings()),
                                     library_ ? library_->StrongsData() : nullptr, Settings().BibleText);
    QApplication::clipboard()->setText(
        QString::fromStdString(bible->IsUTF8() ? text : PlainTextToUtf8(text)));
}

void TFrameBibleView::CopyAllVerses() {
    const TZBBibleModule* bible = CurrentBible();
    if (!bible || chapterVerses_.empty()) return;
    const TSettings& s = Settings();
    TVerseExportFormat format;
    format.Style = kCopyStyleParagraphs;
    format.IncludeBrackets = s.IncludeBrackets;
    format.IncludeFootnotes = s.BibleText.ShowFootnotes;
    format.IncludeVersionTag = false;
    std::string text = FormatPassage(chapterVerses_.front(), chapterVerses_.back(), *bible, false, format,
                                     library_ ? library_->StrongsData() : nullptr, s.BibleText);
    QApplication::clipboard()->setText(QString::fromStdString(bible->IsUTF8() ? text : PlainTextToUtf8(text)));
}

void TFrameBibleView::OnVerseRightClick(const std::string& link, int verse, const std::string& selectedText,
                                        const std::string& word) {
    PrepareContextMenu(link, verse, selectedText, word)->popup(QCursor::pos());
}

bool TFrameBibleView::IsKJVWord(const std::string& word) const {
    if (word.empty() || !referenceBible_) return false;
    const std::vector<std::string>& words = referenceBible_->SuggestionWordList();
    return std::binary_search(words.begin(), words.end(), word,
                              [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
}

bool TFrameBibleView::IsDictionaryWord(const std::string& word, TZBDictionaryModule*& volume, int& entry) const {
    if (!dictionaryAJ_ || !dictionaryKZ_ || word.empty()) return false;
    const std::string lower = AnsiLowerCase(word);
    volume = DictionaryVolumeFor(lower, dictionaryAJ_, dictionaryKZ_);
    entry = volume->FindEntry(lower);
    const auto& titles = volume->EntryTitles();
    return entry >= 0 && static_cast<size_t>(entry) < titles.size() && AnsiSameText(titles[static_cast<size_t>(entry)], lower);
}

void TFrameBibleView::FillBookmarkMenu(QMenu* menu, int verse) {
    const TZBBibleModule* bible = CurrentBible();
    for (int slot : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) {
        QAction* item = menu->addAction(AnsiText(SetBookmarkCaption(slot)));
        item->setObjectName(QStringLiteral("PUSetBookmark%1").arg(slot));
        connect(item, &QAction::triggered, this, [bible, verse, slot] {
            if (!bible) return;
            int b = 0, c = 0, n = 0;
            bible->DecodeVerse(verse, b, c, n);
            TBookmark& mark = Settings().Bookmarks[static_cast<size_t>(slot)];
            mark.ModuleType = kBookmarkPassage;
            mark.ModuleName = bible->Abbreviation().substr(0, kBookmarkModuleNameLength);
            mark.Entry = verse;
            mark.EntryTitle = Format("%s %d:%d", bible->BookName(b).c_str(), c, n).substr(0, kBookmarkEntryTitleLength);
        });
    }
}

QMenu* TFrameBibleView::PrepareContextMenu(const std::string& link, int verse, const std::string& selectedText,
                                           const std::string& word) {
    QMenu* menu = popupRightClick_;
    menu->clear();
    for (QMenu* sub : menu->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) delete sub;
    UpdateActions();
    const TZBBibleModule* bible = CurrentBible();
    const std::string r = Reference(verse);
    const size_t colon = link.find(':');
    const std::string scheme = colon == std::string::npos ? std::string() : link.substr(0, colon);
    const std::string number = colon == std::string::npos ? std::string() : link.substr(colon + 1);
    auto item = [&](QMenu* parent, const char* name, const QString& caption) {
        QAction* action = parent->addAction(caption);
        action->setObjectName(QString::fromUtf8(name));
        return action;
    };
    auto submenu = [&](const char* name, const QString& caption) {
        QMenu* sub = new QMenu(caption, menu);
        sub->setObjectName(QString::fromUtf8(name));
        sub->menuAction()->setObjectName(QString::fromUtf8(name));
        menu->addMenu(sub);
        return sub;
    };

    menu->addAction(Action("ActionCopySelection"));
    menu->addAction(Action("ActionAppendSelection"));
    connect(item(menu, "PUCopyVerse", QStringLiteral("Copy %1").arg(AnsiText(r))), &QAction::triggered, this,
            [this, verse] { CopyVerses(verse, verse); });
    QMenu* copyFrom = submenu("PUCopyFrom", QStringLiteral("Copy from %1 through verse").arg(AnsiText(r)));
    if (bible) {
        int b = 0, c = 0, n = 0;
        bible->DecodeVerse(verse, b, c, n);
        const int lastVerse = bible->VerseNumber(b, c, kLastVerseOfAnyChapter);
        int lb = 0, lc = 0, ln = 0;
        bible->DecodeVerse(lastVerse, lb, lc, ln);
        for (int k = n + 1; k <= ln; ++k)
            connect(copyFrom->addAction(QString::number(k)), &QAction::triggered, this,
                    [this, verse, to = verse + (k - n)] { CopyVerses(verse, to); });
        copyFrom->setEnabled(n < ln);
    } else {
        copyFrom->setEnabled(false);
    }
    menu->addAction(Action("ActionCopyAllVerses"));
    // The user-module editor is not part of this program yet.
    item(menu, "PUSendLinkToEditor", QStringLiteral("Send Verse Link to Editor"))->setEnabled(false);
    menu->addSeparator();

    menu->addAction(Action("ActionSearchSelected"));
    // The Topic Guide is not part of this program yet: its items stay out of sight.
    QAction* topicText = item(menu, "PUTopicText", QStringLiteral("Topic Guide for Selected Text"));
    topicText->setVisible(false);
    topicText->setEnabled(!selectedText.empty());
    QAction* strongsH = item(menu, "PUSearchStrongsH", QStringLiteral("Search Bible for H%1").arg(AnsiText(number)));
    strongsH->setVisible(scheme == "h");
    strongsH->setEnabled(false);
    QAction* strongsG = item(menu, "PUSearchStrongsG", QStringLiteral("Search Bible for G%1").arg(AnsiText(number)));
    strongsG->setVisible(scheme == "g");
    strongsG->setEnabled(false);
    QAction* esi = item(menu, "PUEngStrIndexer", QStringLiteral("Open English-Strong's Indexer for \"%1\"").arg(AnsiText(word)));
    esi->setVisible(IsKJVWord(word));
    esi->setEnabled(false);  // the indexer's window is not part of this program yet
    TZBDictionaryModule* volume = nullptr;
    int entry = -1;
    QAction* webster = item(menu, "PUWebstersLookup", QStringLiteral("Webster's Definition for \"%1\"").arg(AnsiText(word)));
    webster->setVisible(IsDictionaryWord(word, volume, entry));
    if (webster->isVisible())
        connect(webster, &QAction::triggered, this, [this, volume, entry] {
            if (host_) host_->ShowBookEntry(*volume, entry, 0);
        });
    menu->addSeparator();

    QMenu* compare = submenu("PUCompareVersion", QStringLiteral("Compare Version"));
    compare->setEnabled(BibleCount() >= 2 && !Settings().BibleText.ParaMode);
    QAction* none = compare->addAction(QStringLiteral("None"));
    connect(none, &QAction::triggered, this, [this] { ChooseCompareBible(nullptr); });
    for (const TZBBibleModule* other : bibles_) {
        QAction* choice = compare->addAction(MenuText(other->Abbreviation()) + QLatin1Char('\t') + MenuText(other->ModuleName()));
        choice->setCheckable(true);
        choice->setChecked(other == textView_->CompareBible());
        connect(choice, &QAction::triggered, this, [this, other] { ChooseCompareBible(other); });
    }
    menu->addSeparator();

    QMenu* bookmarks = submenu("PUSetBookmark", QStringLiteral("Set &Bookmark to %1").arg(AnsiText(r)));
    FillBookmarkMenu(bookmarks, verse);
    menu->addSeparator();

    item(menu, "PUTopicVerse", QStringLiteral("Verse Guide for %1").arg(AnsiText(r)))->setVisible(false);
    QAction* goComment = item(menu, "PUGoComment", QStringLiteral("Go to %1 in Active Commentary").arg(AnsiText(r)));
    goComment->setVisible(!commentaries_.empty());
    connect(goComment, &QAction::triggered, this, [this, verse] {
        if (host_) host_->ShowCommentaryEntry(-1, verse - 1);
    });
    QMenu* commentaryMenu = submenu("PUCommentaries", QStringLiteral("Commentaries on %1").arg(AnsiText(r)));
    commentaryMenu->setEnabled(!commentaries_.empty());
    for (size_t i = 0; i < commentaries_.size(); ++i) {
        const TZBCommentaryModule* c = commentaries_[i];
        QAction* choice = commentaryMenu->addAction(MenuText(c->Abbreviation()) + QLatin1Char('\t') + MenuText(c->ModuleName()));
        choice->setCheckable(true);
        choice->setChecked(c->EntryHasText(verse - 1));
        connect(choice, &QAction::triggered, this, [this, i, verse] {
            if (host_) host_->ShowCommentaryEntry(static_cast<int>(i), verse - 1);
        });
    }
    QMenu* bookMenu = submenu("PUDictionaries", QStringLiteral("Book References to %1").arg(AnsiText(r)));
    for (size_t i = 0; i < books_.size(); ++i) {
        TZBDictionaryModule* b = books_[i];
        if (!b->VerseHasEntries(verse - 1)) continue;
        connect(bookMenu->addAction(MenuText(b->Abbreviation()) + QLatin1Char('\t') + MenuText(b->ModuleName())),
                &QAction::triggered, this, [this, i, verse] { textView_->FollowLink(QStringLiteral("ld:%1,%2").arg(i).arg(verse)); });
    }
    bookMenu->setEnabled(!bookMenu->isEmpty());
    menu->addSeparator();

    for (const char* name : {"ActionNextChapter", "ActionPrevChapter", "ActionNextVerse", "ActionPrevVerse"})
        menu->addAction(Action(name));
    menu->addSeparator();
    menu->addAction(Action("ActionPrint"));
    menu->addAction(Action("ActionFindInText"));
    menu->addAction(Action("ActionCopyHTMLSource"));
    menu->addSeparator();
    menu->addAction(Action("ActionShowAuthorDetail"));
    return menu;
}

QMenu* TFrameBibleView::PrepareTabMenu(int tab) {
    QMenu* menu = popupMenuTab_;
    menu->clear();
    for (QMenu* sub : menu->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly)) delete sub;
    if (tab < 0 || tab >= BibleCount()) return menu;
    const TZBBibleModule* bible = bibles_[static_cast<size_t>(tab)];
    const QString caption = tabs_->tabText(tab);
    const bool several = BibleCount() > 1;

    QAction* compare = menu->addAction(QStringLiteral("Show %1 as Compare Version").arg(caption));
    compare->setObjectName(QStringLiteral("CompareVersionTabMenuItem"));
    compare->setCheckable(true);
    compare->setEnabled(several && !Settings().BibleText.ParaMode);
    compare->setChecked(bible == textView_->CompareBible());
    connect(compare, &QAction::triggered, this, [this, bible] { ChooseCompareBible(bible); });

    QAction* info = menu->addAction(caption + QStringLiteral(" Module Information..."));
    info->setObjectName(QStringLiteral("PopupMenuItemModuleinformation"));
    info->setEnabled(several);
    connect(info, &QAction::triggered, this, [this, bible] {
        if (host_) host_->ShowModuleInformation(*bible);
    });
    menu->addSeparator();

    auto* all = new QMenu(QStringLiteral("All Bibles"), menu);
    all->setObjectName(QStringLiteral("PopupSubmenuAllTabs"));
    all->menuAction()->setObjectName(all->objectName());
    menu->addMenu(all);
    for (int i = 0; i < BibleCount(); ++i) {
        const TZBBibleModule* each = bibles_[static_cast<size_t>(i)];
        QAction* choice = all->addAction(MenuText(Format("[%s] %s", each->Abbreviation().c_str(), each->ModuleName().c_str())));
        choice->setCheckable(true);
        choice->setChecked(i == CurrentIndex());
        connect(choice, &QAction::triggered, this, [this, i] {
            if (host_) host_->ShowBible(i);
            else SelectBibleTab(i);
        });
    }
    // Choosing tabs is a page of the preferences, which do not exist yet.
    QAction* configure = menu->addAction(QStringLiteral("Select Tabs to Show..."));
    configure->setObjectName(QStringLiteral("ActionTabsConfigure"));
    configure->setEnabled(false);
    return menu;
}

void TFrameBibleView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The drop-downs open with as many rows as the text is high.
    const int rows = std::max(8, textView_->height() / (fontMetrics().height() + 2));
    comboBoxBook_->setMaxVisibleItems(rows);
    comboBoxChapter_->setMaxVisibleItems(rows);
}

}  // namespace kvx
