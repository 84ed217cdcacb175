// The main window's menus: the fixed commands that exist so far and the library
// items that RebuildLibraryMenus fills from the module library.
#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDockWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>

#include "app/settings.h"
#include "app/startup_forms.h"
#include "app/startup_state.h"
#include "app/update_check.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "platform/qt/desktop_services.h"
#include "views/bible_view.h"
#include "views/simple_resource_view.h"
#include "views/view_display.h"

namespace kvx {

namespace {

// The array index a library item carries.
constexpr const char* kModuleIndexProperty = "moduleIndex";
constexpr const char* kProverbActionName = "ActionProverb";

// Removes the items after the menu's last separator.
void ClearLibraryItems(QMenu* menu) {
    const QList<QAction*> actions = menu->actions();
    qsizetype last = -1;
    for (qsizetype i = 0; i < actions.size(); ++i)
        if (actions[i]->isSeparator()) last = i;
    for (qsizetype i = last + 1; i < actions.size(); ++i) {
        menu->removeAction(actions[i]);
        delete actions[i];
    }
}

void CheckModuleItem(QMenu* menu, int shownIndex) {
    for (QAction* action : menu->actions()) {
        const QVariant index = action->property(kModuleIndexProperty);
        if (index.isValid()) action->setChecked(index.toInt() == shownIndex);
    }
}

QAction* AddAction(QMenu* menu, const char* caption, const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

}  // namespace

void TMain::CreateMenus() {
    statusBar();
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    actionExitNoLayoutSave_ = AddAction(file, "Exit without saving layout", QKeySequence(QStringLiteral("Ctrl+Alt+F4")));
    connect(actionExitNoLayoutSave_, &QAction::triggered, this, [this] {
        StartupState().ExitWithoutLayoutSave = true;
        close();
    });
    file->addSeparator();
    connect(AddAction(file, "Exit"), &QAction::triggered, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    struct TPanelCommand {
        QDockWidget* panel;
        const char* caption;
        const char* key;
    };
    for (const TPanelCommand& command : {TPanelCommand{resultsPanel_, "Results Panel", "F9"},
                                         TPanelCommand{biblePanel_, "Bible Panel", "F10"},
                                         TPanelCommand{bookPanel_, "Books and Dictionaries Panel", "F11"},
                                         TPanelCommand{commentaryPanel_, "Commentaries Panel", "F12"}}) {
        QAction* toggle = command.panel->toggleViewAction();
        toggle->setText(QString::fromUtf8(command.caption));
        toggle->setShortcut(QKeySequence(QString::fromUtf8(command.key)));
        view->addAction(toggle);
    }
    actionViewDict_ = bookPanel_->toggleViewAction();
    actionViewComment_ = commentaryPanel_->toggleViewAction();
    view->addSeparator();
    connect(AddAction(view, "Restore Layout", QKeySequence(QStringLiteral("Alt+A"))), &QAction::triggered, this,
            [this] { ApplyNamedLayout(Settings().LastSetLayout); });
    connect(AddAction(view, "Karvelindorax Classic"), &QAction::triggered, this,
            [this] { ApplyNamedLayout(LayoutClassic); });
    connect(AddAction(view, "Bible on Left"), &QAction::triggered, this, [this] { ApplyNamedLayout(LayoutBibleLeft); });
    connect(AddAction(view, "Bible on Left; Results on Right; Books and Commentaries below Results"),
            &QAction::triggered, this, [this] { ApplyNamedLayout(LayoutBibleLeftResultsRight); });
    view->addSeparator();
    connect(AddAction(view, "Show All Tabs", QKeySequence(QStringLiteral("Alt+F11"))), &QAction::triggered, this,
            &TMain::ShowAllTabs);
    connect(AddAction(view, "Show Only Selected Tabs", QKeySequence(QStringLiteral("Alt+F12"))), &QAction::triggered,
            this, &TMain::ShowSelectedTabs);

    auto todaysProverb = [this] {
        bibleView_->ShowTodaysProverb(QDate::currentDate().day());
        biblePanel_->show();
        bibleView_->Text()->setFocus();
    };
    bibleMenu_ = menuBar()->addMenu(QStringLiteral("&Bible"));
    connect(AddAction(bibleMenu_, "Today's Proverb"), &QAction::triggered, this, todaysProverb);
    bibleMenu_->addSeparator();
    connect(bibleMenu_, &QMenu::aboutToShow, this, &TMain::OnBibleMenuAboutToShow);

    bookMenu_ = menuBar()->addMenu(QStringLiteral("B&ooks"));
    bookMenu_->addAction(actionViewDict_);
    bookMenu_->addSeparator();
    connect(bookMenu_, &QMenu::aboutToShow, this, &TMain::OnBookMenuAboutToShow);

    commentaryMenu_ = menuBar()->addMenu(QStringLiteral("&Commentaries"));
    commentaryMenu_->addAction(actionViewComment_);
    commentaryMenu_->addSeparator();
    connect(commentaryMenu_, &QMenu::aboutToShow, this, &TMain::OnCommentaryMenuAboutToShow);

    devotionalMenu_ = menuBar()->addMenu(QStringLiteral("&Devotional"));
    QAction* proverb = AddAction(devotionalMenu_, "Today's Proverb");
    proverb->setObjectName(QString::fromUtf8(kProverbActionName));
    connect(proverb, &QAction::triggered, this, todaysProverb);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(AddAction(help, "Open Help", QKeySequence(QStringLiteral("F1"))), &QAction::triggered, this, [this] {
        if (context_.Help) context_.Help->ShowContents();
    });
    connect(AddAction(help, "Quick Start Guide", QKeySequence(QStringLiteral("Ctrl+F1"))), &QAction::triggered, this,
            [this] {
                if (context_.Help) context_.Help->ShowTopic(kQuickStartHelpTopic);
            });
    help->addSeparator();
    connect(AddAction(help, "Check for Updates"), &QAction::triggered, this, [this] {
        if (context_.Desktop) context_.Desktop->OpenUrl(UpdatePageAddress(ProgramVersion()));
    });
}

void TMain::RebuildLibraryMenus() {
    // Only "Today's Proverb" needs neither the devotional index nor the "SME" commentary;
    // the other devotional commands join the menu with the navigation commands.
    const bool devotions = library_.DevotionsAvailable();
    for (QAction* action : devotionalMenu_->actions())
        if (action->objectName() != QString::fromUtf8(kProverbActionName)) action->setEnabled(devotions);

    ClearLibraryItems(bibleMenu_);
    const auto& bibles = library_.BibleModules();
    for (size_t i = 0; i < bibles.size(); ++i) {
        QAction* item = bibleMenu_->addAction(MenuText(bibles[i]->Abbreviation()) + QLatin1Char('\t') +
                                              MenuText(bibles[i]->ModuleName()));
        item->setCheckable(true);
        item->setProperty(kModuleIndexProperty, static_cast<int>(i));
        connect(item, &QAction::triggered, this, [this, i] { ShowBible(static_cast<int>(i)); });
    }

    struct TResourceMenu {
        QMenu* menu;
        std::vector<TZBDictionaryModule*> modules;
        QAction* panelAction;
        QDockWidget* panel;
        void (TMain::*show)(int);
    };
    std::vector<TZBDictionaryModule*> books, commentaries;
    for (const auto& book : library_.BookModules()) books.push_back(book.get());
    for (const auto& commentary : library_.CommentaryModules()) commentaries.push_back(commentary.get());
    for (const TResourceMenu& kind : {TResourceMenu{bookMenu_, books, actionViewDict_, bookPanel_, &TMain::ShowBook},
                                      TResourceMenu{commentaryMenu_, commentaries, actionViewComment_,
                                                    commentaryPanel_, &TMain::ShowCommentary}}) {
        ClearLibraryItems(kind.menu);
        for (size_t i = 0; i < kind.modules.size(); ++i) {
            QAction* item = kind.menu->addAction(
                MenuText(Format("%s - %s", kind.modules[i]->Abbreviation().c_str(), kind.modules[i]->ModuleName().c_str())));
            item->setCheckable(true);
            item->setProperty(kModuleIndexProperty, static_cast<int>(i));
            connect(item, &QAction::triggered, this, [this, i, show = kind.show] { (this->*show)(static_cast<int>(i)); });
        }
        const bool any = !kind.modules.empty();
        for (QAction* action : kind.menu->actions()) action->setEnabled(any);
        kind.panelAction->setEnabled(any);
        if (!any) kind.panel->hide();
    }
}

void TMain::ShowBible(int index) {
    if (index != bibleView_->CurrentIndex()) bibleView_->SelectBibleTab(index);
    biblePanel_->show();
    bibleView_->Text()->setFocus();
}

void TMain::ShowBook(int index) {
    bookView_->ShowEntry(index, bookView_->CurrentEntry());
    bookPanel_->show();
}

void TMain::ShowCommentary(int index) {
    commentaryView_->ShowEntry(index, commentaryView_->CurrentEntry());
    commentaryPanel_->show();
}

void TMain::OnBibleMenuAboutToShow() { CheckModuleItem(bibleMenu_, bibleView_->CurrentIndex()); }

void TMain::OnBookMenuAboutToShow() {
    if (library_.BookModules().empty()) return;
    CheckModuleItem(bookMenu_, bookView_->CurrentIndex());
}

void TMain::OnCommentaryMenuAboutToShow() {
    const auto& commentaries = library_.CommentaryModules();
    if (commentaries.empty()) return;
    CheckModuleItem(commentaryMenu_, commentaryView_->CurrentIndex());
    // Which commentaries have something to say on the verse shown.
    const QIcon hasText = style()->standardIcon(QStyle::SP_FileIcon);
    const QIcon noText = QIcon(hasText.pixmap(16, QIcon::Disabled));
    const int entry = commentaryView_->CurrentEntry();
    for (QAction* action : commentaryMenu_->actions()) {
        const QVariant index = action->property(kModuleIndexProperty);
        if (!index.isValid() || index.toInt() >= static_cast<int>(commentaries.size())) continue;
        action->setIcon(commentaries[static_cast<size_t>(index.toInt())]->EntryHasText(entry) ? hasText : noText);
    }
}

void TMain::ShowAllTabs() {
    bibleView_->RevealAllTabs();
    bookView_->RevealAllTabs();
    commentaryView_->RevealAllTabs();
}

void TMain::ShowSelectedTabs() {
    bibleView_->ApplyTabVisibility();
    bookView_->ApplyTabVisibility();
    commentaryView_->ApplyTabVisibility();
}

}  // namespace kvx
