// Sections of the settings file that belong to windows rather than to the settings
// store: the toolbar positions ("ControlBar"), the welcome flag ("_Welcome"), window
// placements and the history lists of the search and export boxes ("MRUs"). Their
// owners read and write them directly, each at its own time.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_file.h"

namespace kvx {

// Loads the settings file, lets change alter it and writes it back in one piece:
// the owners' way of writing their sections at once. Raises an Exception when the file
// exists but cannot be read, or cannot be replaced; the old file then stays as it was.
void UpdateSettingsFile(const std::string& fileName, const std::function<void(TProfileFile&)>& change);

// Toolbars, in the order of their key prefixes "gtv", "qbs", "tbl", "tbs", "tbc".
enum class TToolbar { GoToVerse, QuickBibleSearch, LayoutAndTabs, SearchButtons, CopyButtons };
inline constexpr size_t kToolbarCount = 5;

struct TToolbarPlace {
    int32_t Left = 0;
    int32_t Top = 0;
    bool Visible = true;
    bool operator==(const TToolbarPlace&) const = default;
};
using TControlBar = std::array<TToolbarPlace, kToolbarCount>;  // indexed by TToolbar

// Nothing when the file has no "ControlBar" section; otherwise the stored places read
// over the designed ones.
std::optional<TControlBar> ReadControlBar(const TProfileFile& file, const TControlBar& designed);
void WriteControlBar(TProfileFile& file, const TControlBar& bar);
// "Exit without saving layout": the toolbars return to their designed places next time.
void EraseControlBar(TProfileFile& file);

// "ShowWelcome" of section "_Welcome"; true until the welcome window has been shown.
bool ReadShowWelcome(const TProfileFile& file);
void WriteShowWelcome(TProfileFile& file, bool show);

// The windows whose placement is kept, each in a section of its own name.
inline constexpr std::array<const char*, 10> kWindowPlacementSections = {
    "MainForm", "DlgBookmark", "DlgDevotionalPick", "FindTextFormState", "EditorForm",
    "FormESI",  "InfoForm",    "TOCForm",           "ImageViewForm",     "TopicGuideForm"};

// The normal (not maximised) window rectangle and whether the window was maximised.
struct TWindowPlacement {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    bool Maximized = false;
    bool operator==(const TWindowPlacement&) const = default;
};

// Nothing when no placement was saved, or when the stored rectangle is empty or
// inside out (a window of no size could not be found again by the user).
std::optional<TWindowPlacement> ReadWindowPlacement(const TProfileFile& file, std::string_view section);
void WriteWindowPlacement(TProfileFile& file, std::string_view section, const TWindowPlacement& placement);

// History lists of the search and export boxes, most recent first, all in one section.
inline constexpr const char* kHistorySection = "MRUs";
inline constexpr size_t kHistoryLimit = 25;
inline constexpr const char* kHistoryExport = "Export";
inline constexpr const char* kHistorySearchResource = "SearchResource";
inline constexpr const char* kHistoryBigSearch = "BigSearch";
inline constexpr const char* kHistoryEnglishStrongs = "ESI";
inline constexpr const char* kHistorySearchBible = "SearchBible";

// At most 25 items; empty items are passed over.
std::vector<std::string> ReadHistoryList(const TProfileFile& file, std::string_view id);
// Writes id + "_Count" and id + "_Item0", …; item keys beyond the count up to the
// limit are deleted. Items past the limit are not written.
void WriteHistoryList(TProfileFile& file, std::string_view id, const std::vector<std::string>& items);
// Puts text at the top of the list, removing an equal older item and the oldest items
// past the limit. Empty text leaves the list alone.
void AddToHistoryList(std::vector<std::string>& items, const std::string& text);

}  // namespace kvx
