// The Bible panel's pane for now: one tab per Bible and the whole chapter of the
// current verse as read-only text, each verse with its reference.
#pragma once

#include <vector>

#include "engine/bible_module.h"
#include "views/tabbed_text_pane.h"

namespace kvx {

class TSimpleBibleView : public TTabbedTextPane {
    Q_OBJECT
public:
    explicit TSimpleBibleView(QWidget* parent = nullptr) : TTabbedTextPane(parent) {}

    // One tab per Bible, in array order; the array must outlive the view's use of it.
    void SetBibles(const TZBBibleModuleArray& bibles);
    int BibleCount() const { return static_cast<int>(bibles_.size()); }
    // The Bible of the selected tab; nullptr when there is none.
    TZBBibleModule* CurrentBible() const;
    int CurrentIndex() const;
    // Makes the Bible's tab visible and selected and shows the current verse in it.
    void SelectBibleTab(int index);

    // Shows the chapter of the verse and scrolls to the verse (a chapter's first verse
    // shows the chapter from its top). A verse outside the Bible goes to its nearest end.
    void GoToVerse(int verse);
    // The chapter of Proverbs numbered like the day of the month.
    void ShowTodaysProverb(int dayOfMonth);
    int CurrentVerse() const { return currentVerse_; }

    // Tabs follow the Bibles' tab-shown flags.
    void ApplyTabVisibility();

protected:
    void TabSelected(int index) override;

private:
    void ShowChapter(int verse);

    std::vector<TZBBibleModule*> bibles_;
    int currentVerse_ = 0;
};

}  // namespace kvx
