// TFrameBibleView: the Bibles panel's pane, where the Bible is read a chapter at a
// time. One tab per Bible picks the translation; a toolbar offers back and forward,
// the book and chapter drop-downs, previous and next chapter and the display
// switches; the chapter itself is a TFrameTextView. Everything in the program that
// moves the Bible to a verse ends in GoToVerse.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "engine/bible_module.h"
#include "engine/search_keys.h"
#include "views/text_view.h"

class QAction;
class QComboBox;
class QMenu;
class QTabBar;
class QToolBar;
class QToolButton;

namespace kvx {

class TModuleLibrary;
class TViewHost;

class TFrameBibleView : public QWidget {
    Q_OBJECT
public:
    // At most this many places are kept to go back to.
    static constexpr size_t kMaxBackList = 15;

    explicit TFrameBibleView(TViewHost* host, QWidget* parent = nullptr);

    // Everything the pane takes from the library: the Bibles, the lexicons, the
    // dictionary volumes, the Strong's data, the margin-link modules, the paragraph
    // map and the KJV (its book names, its word list). The library must outlive the use.
    void SetLibrary(const TModuleLibrary& library);
    void SetBibles(const TZBBibleModuleArray& bibles);
    void SetLexicons(TZBDictionaryModule* hebrew, TZBDictionaryModule* greek);
    void SetDictionaryVolumes(TZBDictionaryModule* aToJ, TZBDictionaryModule* kToZ);
    void SetStrongsData(const TZBStrongsDataModule* data);

    int BibleCount() const { return static_cast<int>(bibles_.size()); }
    // The Bible of the selected tab; nullptr when there is none.
    TZBBibleModule* CurrentBible() const;
    int CurrentIndex() const;
    // Makes the Bible's tab visible and selected, as if the user had picked it.
    void SelectBibleTab(int index);
    void SelectBibleTab(const TZBBibleModule* bible);
    int TabCount() const;
    bool TabVisible(int index) const;
    // Every tab visible (with two or more).
    void RevealAllTabs();
    // Tabs follow the Bibles' tab-shown flags; when none would show, the first does.
    void ApplyTabVisibility();
    // The next visible tab after the selected one, round to the first.
    void NextTab();

    // Shows the chapter of the verse and puts the verse at the top (a chapter's first
    // verse leaves the chapter at its top). A verse outside the Bible goes to its
    // nearest end.
    void GoToVerse(int verse);
    int CurrentVerse() const { return currentVerse_; }
    const TVerseList& ChapterVerses() const { return chapterVerses_; }
    // The display switches or chapter links changed: the chapter is built again at
    // the same place.
    void Refresh();
    void SelectVerseLabel(int verse) { textView_->SelectVerseLabel(verse); }
    // Words to highlight in the chapter; normally none.

    // History, most recent first.
    const std::vector<int>& BackList() const { return backList_; }
    const std::vector<int>& ForwardList() const { return forwardList_; }
    // Back (or forward) to entry k of the list.
    void GoBack(size_t k = 0);
    void GoForward(size_t k = 0);

    // Commands.
    void NextChapter();
    void PreviousChapter();
    void NextBook();
    void PreviousBook();
    void ScrollDownOneVerse();
    void ScrollUpOneVerse();
    // The chapter of Proverbs numbered like the day of the month.
    void ShowTodaysProverb(int dayOfMonth);
    void CopyAllVerses();
    // The comparison Bible; choosing the current one again, or none, clears it.
    void ChooseCompareBible(const TZBBibleModule* bible);

    // The context menu for a verse, as the right click opens it (captions, states and
    // items rewritten for that verse, link and word).
    QMenu* PrepareContextMenu(const std::string& link, int verse, const std::string& selectedText,
                              const std::string& word);
    QMenu* ContextMenu() const { return popupRightClick_; }
    // The menu of a tab.
    QMenu* PrepareTabMenu(int tab);
    QMenu* BackMenu() const { return popupBackList_; }
    QMenu* ForwardMenu() const { return popupForwardList_; }
    // Enables, checks and names the actions as the state asks.
    void UpdateActions();
    QAction* Action(const char* name) const;

    QComboBox* BookBox() const { return comboBoxBook_; }
    QComboBox* ChapterBox() const { return comboBoxChapter_; }
    TFrameTextView* TextView() const { return textView_; }
    QTextBrowser* Text() const { return textView_->Viewer(); }
    int ScrollPosition() const { return textView_->ScrollPosition(); }
    void SetScrollPosition(int position) { textView_->SetScrollPosition(position); }

signals:
    // The Bible moved to a verse (the commentary and book panels may follow).
    void VerseShown(int verse);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QAction* AddAction(const char* name, const char* caption, const char* hint = nullptr, const char* keys = nullptr);
    void CreateActions();
    void CreateToolBar();
    void CreateMenus();
    void OnTabSelected();
    void OnBookChosen(int index);
    void OnChapterChosen(int index);
    void FillBooks(const TZBBibleModule& bible);
    void FillChapters(const TZBBibleModule& bible, int book);
    void ToggleSwitch(bool TPropertiesBibleView::*field);
    void ToggleParaMode();
    void ToggleColumnMode();
    void OnVerseRightClick(const std::string& link, int verse, const std::string& selectedText, const std::string& word);
    // Moves to entry k of one history list, the places passed over to the other.
    void StepHistory(std::vector<int>& from, std::vector<int>& to, size_t k);
    void FillHistoryMenu(QMenu* menu, bool back);
    void CopyVerses(int first, int last);
    void FillBookmarkMenu(QMenu* menu, int verse);
    std::string Reference(int verse) const;
    bool IsDictionaryWord(const std::string& word, TZBDictionaryModule*& volume, int& entry) const;
    bool IsKJVWord(const std::string& word) const;

    TViewHost* host_;
    const TModuleLibrary* library_ = nullptr;
    std::vector<TZBBibleModule*> bibles_;
    TZBBibleModule* referenceBible_ = nullptr;
    TZBDictionaryModule* dictionaryAJ_ = nullptr;
    TZBDictionaryModule* dictionaryKZ_ = nullptr;
    std::vector<const TZBCommentaryModule*> commentaries_;
    std::vector<TZBDictionaryModule*> books_;

    QTabBar* tabs_;
    QToolBar* toolBar_;
    QComboBox* comboBoxBook_;
    QComboBox* comboBoxChapter_;
    TFrameTextView* textView_;
    QMenu* popupRightClick_;
    QMenu* popupMenuTab_;
    QMenu* popupBackList_;
    QMenu* popupForwardList_;

    int currentVerse_ = 0;
    TVerseList chapterVerses_;
    std::vector<int> backList_;
    std::vector<int> forwardList_;
    bool recordHistory_ = true;
    bool quietTabs_ = false;
    struct TSavedSwitches {
        bool CommentaryLinks = true, BookLinks = true, Footnotes = false, EditLinks = false;
    } saved_;
};

}  // namespace kvx
