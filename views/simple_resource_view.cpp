// The entry pane of the book and commentary panels.
#include "views/simple_resource_view.h"

#include <QTextBrowser>

#include "views/view_display.h"

namespace kvx {

void TSimpleResourceView::SetModules(std::vector<TZBDictionaryModule*> modules, const TZBBibleModule* bible) {
    modules_ = std::move(modules);
    bible_ = bible;
    std::vector<TTab> tabs;
    for (const TZBDictionaryModule* module : modules_) tabs.push_back({module->Abbreviation(), module->ModuleName()});
    SetTabs(tabs);
    currentEntry_ = -1;
}

TZBDictionaryModule* TSimpleResourceView::CurrentModule() const {
    const int index = SelectedTab();
    return index >= 0 && index < ModuleCount() ? modules_[static_cast<size_t>(index)] : nullptr;
}

int TSimpleResourceView::CurrentIndex() const { return CurrentModule() ? SelectedTab() : -1; }

void TSimpleResourceView::ShowEntry(int moduleIndex, int entry) {
    if (moduleIndex < 0 || moduleIndex >= ModuleCount()) return;
    currentEntry_ = entry;
    SelectTab(moduleIndex);
    ShowCurrent();
}

void TSimpleResourceView::TabSelected(int) { ShowCurrent(); }

void TSimpleResourceView::ShowCurrent() {
    const TZBDictionaryModule* module = CurrentModule();
    if (!module) return;
    if (currentEntry_ < 0 || currentEntry_ >= module->EntryCount()) currentEntry_ = 0;
    std::string heading;
    if (module->IsCommentary()) {
        if (bible_) heading = bible_->VerseReference(currentEntry_ + 1);
    } else if (static_cast<size_t>(currentEntry_) < module->EntryTitles().size()) {
        heading = module->EntryTitles()[static_cast<size_t>(currentEntry_)];
    }
    std::string body;
    try {
        body = module->EntryCount() > 0 ? module->GetEntryText(currentEntry_) : std::string();
    } catch (const std::exception& e) {
        body = std::string("<i>(") + e.what() + ")</i>";
    }
    Text()->setHtml(AnsiText("<h3>" + heading + "</h3>" + body));
}

void TSimpleResourceView::ApplyTabVisibility() {
    std::vector<bool> shown;
    for (const TZBDictionaryModule* module : modules_) shown.push_back(module->TabShown());
    SetTabVisibility(shown);
}

}  // namespace kvx
