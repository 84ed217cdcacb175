// Module tabs above a read-only text.
#include "views/tabbed_text_pane.h"

#include <QTabBar>
#include <QTextBrowser>
#include <QVBoxLayout>


namespace kvx {

TTabbedTextPane::TTabbedTextPane(QWidget* parent) : QWidget(parent) {
    tabs_ = new QTabBar(this);
    tabs_->setExpanding(false);
    tabs_->setDocumentMode(true);
    text_ = new QTextBrowser(this);
    text_->setOpenLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(text_, 1);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (!quiet_) TabSelected(index);
    });
}

int TTabbedTextPane::TabCount() const { return tabs_->count(); }

bool TTabbedTextPane::TabVisible(int index) const { return tabs_->isTabVisible(index); }

void TTabbedTextPane::SetTabs(const std::vector<TTab>& tabs) {
    quiet_ = true;
    while (tabs_->count() > 0) tabs_->removeTab(0);
    for (const TTab& tab : tabs) {
        const int index = tabs_->addTab(AnsiText(tab.Caption));
        tabs_->setTabToolTip(index, AnsiText(tab.Hint));
    }
    quiet_ = false;
    // A tab bar that is not shown yet does not tell its layout that it has grown.
    tabs_->updateGeometry();
    text_->clear();
}

void TTabbedTextPane::SetTabVisibility(const std::vector<bool>& shown) {
    bool any = false;
    for (int i = 0; i < tabs_->count() && static_cast<size_t>(i) < shown.size(); ++i) {
        tabs_->setTabVisible(i, shown[static_cast<size_t>(i)]);
        any = any || shown[static_cast<size_t>(i)];
    }
    if (!any && tabs_->count() > 0) tabs_->setTabVisible(0, true);
    tabs_->updateGeometry();
}

void TTabbedTextPane::RevealAllTabs() { SetTabVisibility(std::vector<bool>(static_cast<size_t>(tabs_->count()), true)); }

void TTabbedTextPane::SelectTab(int index) {
    quiet_ = true;
    tabs_->setTabVisible(index, true);
    tabs_->setCurrentIndex(index);
    quiet_ = false;
    tabs_->updateGeometry();
}

int TTabbedTextPane::SelectedTab() const { return tabs_->currentIndex(); }

int TTabbedTextPane::ScrollPosition() const { return kvx::ScrollPosition(*text_); }

void TTabbedTextPane::SetScrollPosition(int position) { kvx::SetScrollPosition(*text_, position); }

void TTabbedTextPane::SetDisplay(const TViewDisplay& display) { ApplyViewDisplay(*text_, display); }

}  // namespace kvx
