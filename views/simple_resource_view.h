// The book and commentary panels' pane for now: one tab per module and the current
// entry as read-only text under its title (a book's entry title, or the verse a
// comment belongs to).
#pragma once

#include <vector>

#include "engine/bible_module.h"
#include "modules/resource_module.h"
#include "views/tabbed_text_pane.h"

namespace kvx {

class TSimpleResourceView : public TTabbedTextPane {
    Q_OBJECT
public:
    explicit TSimpleResourceView(QWidget* parent = nullptr) : TTabbedTextPane(parent) {}

    // One tab per module, in order; the modules must outlive the view's use of them.
    // Commentary entries are headed by the verse they belong to, named by bible.
    void SetModules(std::vector<TZBDictionaryModule*> modules, const TZBBibleModule* bible);
    int ModuleCount() const { return static_cast<int>(modules_.size()); }
    TZBDictionaryModule* CurrentModule() const;
    int CurrentIndex() const;
    int CurrentEntry() const { return currentEntry_; }

    // Selects the module's tab and shows the entry; an entry outside the module shows
    // its first one.
    void ShowEntry(int moduleIndex, int entry);

    // Tabs follow the modules' tab-shown flags.
    void ApplyTabVisibility();

protected:
    void TabSelected(int index) override;

private:
    void ShowCurrent();

    std::vector<TZBDictionaryModule*> modules_;
    const TZBBibleModule* bible_ = nullptr;
    int currentEntry_ = -1;
};

}  // namespace kvx
