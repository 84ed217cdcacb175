// The chapter pane of the Bible panel.
#include "views/simple_bible_view.h"

#include <QTextBrowser>
#include <algorithm>

namespace kvx {

namespace {

constexpr int kProverbsBook = 20;
constexpr int kLastVerseOfAnyChapter = 255;

// Small print and supplied words as the engine marks them.
std::string VerseHtml(const TZBBibleModule& bible, int verse) {
    std::string text;
    try {
        text = bible.GetVerseText(verse, false, false);
    } catch (const std::exception& e) {
        return std::string("<i>(") + e.what() + ")</i>";
    }
    auto replaceAll = [&text](std::string_view from, std::string_view to) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    };
    replaceAll(">>", "</font>");
    replaceAll("<<", "<font size=-1>");
    if (bible.HasSuppliedWords()) {
        replaceAll("[", "<i>");
        replaceAll("]", "</i>");
    }
    return text;
}

}  // namespace

void TSimpleBibleView::SetBibles(const TZBBibleModuleArray& bibles) {
    bibles_.clear();
    std::vector<TTab> tabs;
    for (const auto& bible : bibles) {
        bibles_.push_back(bible.get());
        tabs.push_back({bible->Abbreviation(), bible->ModuleName()});
    }
    SetTabs(tabs);
    currentVerse_ = 0;
}

TZBBibleModule* TSimpleBibleView::CurrentBible() const {
    const int index = SelectedTab();
    return index >= 0 && index < BibleCount() ? bibles_[static_cast<size_t>(index)] : nullptr;
}

int TSimpleBibleView::CurrentIndex() const { return CurrentBible() ? SelectedTab() : -1; }

void TSimpleBibleView::SelectBibleTab(int index) {
    if (index < 0 || index >= BibleCount()) return;
    SelectTab(index);
    if (currentVerse_ > 0) ShowChapter(currentVerse_);
}

void TSimpleBibleView::TabSelected(int) {
    if (currentVerse_ > 0) ShowChapter(currentVerse_);
}

void TSimpleBibleView::GoToVerse(int verse) {
    const TZBBibleModule* bible = CurrentBible();
    if (!bible) return;
    ShowChapter(std::clamp(verse, 1, std::max(1, bible->VerseCount())));
}

void TSimpleBibleView::ShowTodaysProverb(int dayOfMonth) {
    const TZBBibleModule* bible = CurrentBible();
    if (!bible) return;
    GoToVerse(bible->VerseNumber(kProverbsBook, dayOfMonth, 1));
}

void TSimpleBibleView::ShowChapter(int verse) {
    const TZBBibleModule* bible = CurrentBible();
    if (!bible || bible->VerseCount() < 1) return;
    verse = std::clamp(verse, 1, bible->VerseCount());
    int book = 0, chapter = 0, number = 0;
    bible->DecodeVerse(verse, book, chapter, number);
    const int first = bible->VerseNumber(book, chapter, 1);
    const int last = bible->VerseNumber(book, chapter, kLastVerseOfAnyChapter);
    std::string page;
    if (bible->IsUTF8()) page = "<head><meta http-equiv=\"Content-type\" content=\"text/html;charset=UTF-8\" /></head>";
    const std::string abbreviation = bible->BookAbbreviation(book);
    for (int v = first; v <= last; ++v) {
        int b = 0, c = 0, n = 0;
        bible->DecodeVerse(v, b, c, n);
        page += "<p><a name=\"v" + std::to_string(v) + "\"></a><b>" + abbreviation + "&nbsp;" + std::to_string(c) +
                ":" + std::to_string(n) + "</b>&nbsp;" + VerseHtml(*bible, v) + "</p>";
    }
    Text()->setHtml(ModuleText(page, bible->IsUTF8()));
    currentVerse_ = verse;
    if (verse != first) Text()->scrollToAnchor(QStringLiteral("v%1").arg(verse));
}

void TSimpleBibleView::ApplyTabVisibility() {
    std::vector<bool> shown;
    for (const TZBBibleModule* bible : bibles_) shown.push_back(bible->TabShown());
    SetTabVisibility(shown);
}

}  // namespace kvx
