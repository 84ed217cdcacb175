// TFrameTextView: the pane that shows Bible verses. Given a list of verses, a Bible (and
// perhaps a second one for comparison), the owner's display options and a search
// query, it builds one page, shows it, and then answers for that page: which verse
// lies under a click or at the top of the view, where a verse's label is, which
// highlighted word comes next. It follows the links it wrote, shows their pop-ups,
// and offers the commands every pane has on its text (copy, append, copy all, find,
// print). The Bible view and the verse lists each embed one.
#pragma once

#include <QPointer>
#include <QTextBrowser>
#include <QWidget>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/settings.h"
#include "engine/bible_module.h"
#include "engine/paragraph_map.h"
#include "engine/search_keys.h"
#include "modules/resource_module.h"
#include "modules/strongs_data.h"
#include "views/passage_page.h"

class QComboBox;

namespace kvx {

class TDlgFindInDisplayedText;
class THoverPopup;
class TViewHost;

// The caption of a pane's "Set Bookmark" command for slot 0 to 9 (Windows-1252):
// "&3 (title): currently \"John 3:16\"", or ", not currently used".
std::string SetBookmarkCaption(int slot);

// The HTML viewer of a text view: a browser that never follows a link itself and
// reports the clicks, keys and menus the pane handles.
class THtmlView : public QTextBrowser {
    Q_OBJECT
public:
    explicit THtmlView(QWidget* parent = nullptr);
    // Where the pointer last moved over the text, in the viewport.
    QPoint PointerPos() const { return pointerPos_; }

signals:
    void SearchKeyStep(bool forward);
    void RightClicked(const QPoint& pos);
    void DoubleClicked(const QPoint& pos);
    void Resized();
    // The user moved the text (keys, wheel or scroll bar) rather than the program.
    void UserScrolled();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    QPoint pointerPos_;
};

class TFrameTextView : public QWidget {
    Q_OBJECT
public:
    // Link, link target, verse, selected text and clicked word (Windows-1252).
    using TVerseRightClick = std::function<void(const std::string& link, const std::string& target, int verse,
                                                const std::string& selectedText, const std::string& word)>;

    explicit TFrameTextView(QWidget* parent = nullptr);
    ~TFrameTextView() override;

    // Where links, messages and the status bar go; nothing happens without one.
    void SetHost(TViewHost* host) { host_ = host; }

    void SetBible(const TZBBibleModule* bible) { primary_ = bible; }
    void SetCompareBible(const TZBBibleModule* bible) { compare_ = bible; }
    const TZBBibleModule* PrimaryBible() const { return primary_; }
    const TZBBibleModule* CompareBible() const { return compare_; }
    void SetStrongsData(const TZBStrongsDataModule* data) { strongs_ = data; }
    void SetLexicons(TZBDictionaryModule* hebrew, TZBDictionaryModule* greek);
    // The candidates of the margin links: every commentary and book of the library,
    // and the user commentaries for the edit links. The link numbers index them.
    void SetMarginModules(std::vector<const TZBCommentaryModule*> commentaries,
                          std::vector<TZBDictionaryModule*> books,
                          std::vector<const TZBCommentaryModule*> userCommentaries);
    void SetParagraphMap(const TParagraphMap* map) { paragraphMap_ = map; }
    void SetProperties(const TPropertiesBibleView& properties) { properties_ = properties; }
    const TPropertiesBibleView& Properties() const { return properties_; }
    void SetChapterLinks(bool previous, bool next);
    bool PreviousChapterLink() const { return previousChapterLink_; }
    bool NextChapterLink() const { return nextChapterLink_; }
    void SetPaged(bool paged) { paged_ = paged; }
    void SetOnVerseRightClick(TVerseRightClick callback) { onVerseRightClick_ = std::move(callback); }
    // Find in displayed text makes the pane's panel visible first through this.
    void SetFindCaption(const QString& caption, std::function<void()> revealPanel);

    // Builds and shows the page; returns the number of verses written. A verse the
    // Bible does not have raises the reader's error and leaves "Loading..." shown.
    int ShowVerses(const TVerseList& verses, bool referencesAsLinks, const TZBSearchKeysData& searchKeys);
    // The list's page drop-down: choosing an item shows that page.
    void AttachPageSelector(QComboBox* selector);

    // The verse's label at the top of the view; it stays there while the view is laid
    // out again, until the user moves the text.
    void ScrollToVerse(int verse);
    // The first verse whose label is at or below the top of the view; -1 when none.
    int TopVisibleVerse() const;
    // Selects the verse's reference label, scrolling only when it is out of sight.
    void SelectVerseLabel(int verse);
    // The verse whose text holds a position of the displayed text.
    int VerseAtPosition(int position) const;
    // The displayed position of a verse's label; -1 when the page does not show it.
    int VersePosition(int verse) const;
    int LabelLength(int verse) const;
    // Steps to the next or previous highlighted word, round from the last to the first.
    void GotoSearchKey(bool forward);
    int SearchKeyIndex() const { return searchKeyIndex_; }
    int SearchKeyCount() const { return page_.SearchKeyCount; }

    const TVerseList& Verses() const { return verses_; }
    const TPassagePage& Page() const { return page_; }
    // The loaded page as the viewer got it.
    const QString& Source() const { return source_; }
    THtmlView* Viewer() const { return view_; }

    // The link schemes of the page: following one, and its pop-up text (empty for none).
    void FollowLink(const QString& link);
    QString PopupText(const QString& link) const;
    THoverPopup* Popup() const { return popup_; }

    // The commands of every pane on its text.
    bool HasSelection() const;
    QString SelectedText() const;
    void CopySelection();
    void AppendSelection();
    void CopyAll();
    void CopyHtmlSource();
    // Searches the displayed text from the caret; beeps and returns false when absent.
    bool FindInText(const QString& text, bool forward, bool matchCase);
    // Opens the find window on this view.
    void OpenFind();
    TDlgFindInDisplayedText* FindWindow() const { return findWindow_; }
    void Print();

    int ScrollPosition() const;
    void SetScrollPosition(int position);

signals:
    // A new page is shown.
    void PageShown();

private:
    void Rebuild();
    void LoadPage();
    void IndexAnchors();
    int DocumentY(int position) const;
    void ScrollToPosition(int position);
    void ApplyPin();
    void OnLinkHovered(const QUrl& url);
    // The link under the pointer drawn in the hover colour, or none.
    void MarkHoveredLink(const QString& href);
    void OnRightClicked(const QPoint& pos);
    void OnDoubleClicked(const QPoint& pos);
    TPropertiesBibleView ResolvedProperties() const;

    THtmlView* view_;
    THoverPopup* popup_;
    TDlgFindInDisplayedText* findWindow_ = nullptr;
    TViewHost* host_ = nullptr;

    const TZBBibleModule* primary_ = nullptr;
    const TZBBibleModule* compare_ = nullptr;
    const TZBStrongsDataModule* strongs_ = nullptr;
    TZBDictionaryModule* hebrewLexicon_ = nullptr;
    TZBDictionaryModule* greekLexicon_ = nullptr;
    std::vector<const TZBCommentaryModule*> marginCommentaries_;
    std::vector<TZBDictionaryModule*> marginBooks_;
    std::vector<const TZBCommentaryModule*> userCommentaries_;
    const TParagraphMap* paragraphMap_ = nullptr;
    TPropertiesBibleView properties_;
    bool previousChapterLink_ = false;
    bool nextChapterLink_ = false;
    bool paged_ = false;
    int pageStart_ = 0;
    TVerseRightClick onVerseRightClick_;
    QPointer<QComboBox> pageSelector_;
    QString findCaption_ = QStringLiteral("Find...");
    std::function<void()> revealPanel_;

    TVerseList verses_;
    bool referencesAsLinks_ = false;
    TZBSearchKeysData searchKeys_;
    TPassagePage page_;
    QString source_;
    // Displayed positions of the page's anchors (verse labels and highlighted words).
    std::unordered_map<std::string, int> anchors_;
    std::unordered_map<int, size_t> pageVerseIndex_;  // verse number -> index in page_.Verses
    int searchKeyIndex_ = -1;
    int pinnedVerse_ = 0;
    QString hoveredLink_;
};

}  // namespace kvx
