// What the library panes have in common: a strip of module tabs above a read-only
// text, tabs that can be hidden by the user's choice, the text's font, colours and
// scroll position.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "views/view_display.h"

class QTabBar;
class QTextBrowser;

namespace kvx {

class TTabbedTextPane : public QWidget {
    Q_OBJECT
public:
    explicit TTabbedTextPane(QWidget* parent = nullptr);

    int TabCount() const;
    bool TabVisible(int index) const;
    // Every tab visible.
    void RevealAllTabs();

    int ScrollPosition() const;
    // A position the text cannot reach yet is applied once it has been laid out.
    void SetScrollPosition(int position);
    void SetDisplay(const TViewDisplay& display);
    QTextBrowser* Text() const { return text_; }

protected:
    struct TTab {
        std::string Caption;  // Windows-1252
        std::string Hint;
    };
    // Replaces the tabs without reporting a change of tab.
    void SetTabs(const std::vector<TTab>& tabs);
    // Each tab shown as the flag says; when none would show, the first one does.
    void SetTabVisibility(const std::vector<bool>& shown);
    // Selects a tab (making it visible) without reporting the change.
    void SelectTab(int index);
    int SelectedTab() const;
    // The user picked another tab.
    virtual void TabSelected(int index) = 0;

private:
    QTabBar* tabs_;
    QTextBrowser* text_;
    bool quiet_ = false;
};

}  // namespace kvx
