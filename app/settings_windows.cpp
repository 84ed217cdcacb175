// The window-owned sections of the settings file.
#include "app/settings_windows.h"

#include <algorithm>

namespace kvx {

void UpdateSettingsFile(const std::string& fileName, const std::function<void(TProfileFile&)>& change) {
    TProfileFile file = TProfileFile::Load(fileName);
    change(file);
    file.Save(fileName);
}

namespace {

constexpr const char* kControlBarSection = "ControlBar";
constexpr const char* kWelcomeSection = "_Welcome";

// The key prefix of each toolbar and the suffix of the key that holds its top: the
// last three keep it under "Right".
struct TToolbarKeys {
    const char* prefix;
    const char* top;
};
constexpr std::array<TToolbarKeys, kToolbarCount> kToolbarKeys = {
    {{"gtv", "Top"}, {"qbs", "Top"}, {"tbl", "Right"}, {"tbs", "Right"}, {"tbc", "Right"}}};

std::string Key(const char* prefix, const char* suffix) { return std::string(prefix) + suffix; }

std::string HistoryCountKey(std::string_view id) { return std::string(id) + "_Count"; }
std::string HistoryItemKey(std::string_view id, size_t n) { return std::string(id) + "_Item" + std::to_string(n); }

}  // namespace

std::optional<TControlBar> ReadControlBar(const TProfileFile& file, const TControlBar& designed) {
    if (!file.SectionExists(kControlBarSection)) return std::nullopt;
    TControlBar bar = designed;
    for (size_t i = 0; i < kToolbarCount; ++i) {
        const TToolbarKeys& k = kToolbarKeys[i];
        bar[i].Left = file.ReadInteger(kControlBarSection, Key(k.prefix, "Left"), bar[i].Left);
        bar[i].Top = file.ReadInteger(kControlBarSection, Key(k.prefix, k.top), bar[i].Top);
        bar[i].Visible = file.ReadBool(kControlBarSection, Key(k.prefix, "Visible"), bar[i].Visible);
    }
    return bar;
}

void WriteControlBar(TProfileFile& file, const TControlBar& bar) {
    for (size_t i = 0; i < kToolbarCount; ++i) {
        file.WriteInteger(kControlBarSection, Key(kToolbarKeys[i].prefix, "Left"), bar[i].Left);
        file.WriteInteger(kControlBarSection, Key(kToolbarKeys[i].prefix, kToolbarKeys[i].top), bar[i].Top);
    }
    for (size_t i = 0; i < kToolbarCount; ++i)
        file.WriteBool(kControlBarSection, Key(kToolbarKeys[i].prefix, "Visible"), bar[i].Visible);
}

void EraseControlBar(TProfileFile& file) { file.EraseSection(kControlBarSection); }

bool ReadShowWelcome(const TProfileFile& file) { return file.ReadBool(kWelcomeSection, "ShowWelcome", true); }

void WriteShowWelcome(TProfileFile& file, bool show) { file.WriteBool(kWelcomeSection, "ShowWelcome", show); }

std::optional<TWindowPlacement> ReadWindowPlacement(const TProfileFile& file, std::string_view section) {
    if (!file.ReadBool(section, "Saved", false)) return std::nullopt;
    TWindowPlacement p;
    p.Left = file.ReadInteger(section, "Left", 0);
    p.Top = file.ReadInteger(section, "Top", 0);
    p.Right = file.ReadInteger(section, "Right", 0);
    p.Bottom = file.ReadInteger(section, "Bottom", 0);
    p.Maximized = file.ReadBool(section, "Maximized", false);
    if (p.Right <= p.Left || p.Bottom <= p.Top) return std::nullopt;
    return p;
}

void WriteWindowPlacement(TProfileFile& file, std::string_view section, const TWindowPlacement& p) {
    file.WriteInteger(section, "Left", p.Left);
    file.WriteInteger(section, "Top", p.Top);
    file.WriteInteger(section, "Right", p.Right);
    file.WriteInteger(section, "Bottom", p.Bottom);
    file.WriteBool(section, "Maximized", p.Maximized);
    file.WriteBool(section, "Saved", true);
}

std::vector<std::string> ReadHistoryList(const TProfileFile& file, std::string_view id) {
    const int32_t count = file.ReadInteger(kHistorySection, HistoryCountKey(id), 0);
    std::vector<std::string> items;
    for (size_t n = 0; n < std::min<size_t>(static_cast<size_t>(std::max(count, 0)), kHistoryLimit); ++n) {
        std::string item = file.ReadString(kHistorySection, HistoryItemKey(id, n), "");
        if (!item.empty()) items.push_back(std::move(item));
    }
    return items;
}

void WriteHistoryList(TProfileFile& file, std::string_view id, const std::vector<std::string>& items) {
    const size_t count = std::min(items.size(), kHistoryLimit);
    file.WriteInteger(kHistorySection, HistoryCountKey(id), static_cast<int32_t>(count));
    for (size_t n = 0; n < count; ++n) file.WriteString(kHistorySection, HistoryItemKey(id, n), items[n]);
    for (size_t n = count; n < kHistoryLimit; ++n) file.DeleteKey(kHistorySection, HistoryItemKey(id, n));
}

void AddToHistoryList(std::vector<std::string>& items, const std::string& text) {
    if (text.empty()) return;
    items.erase(std::remove(items.begin(), items.end(), text), items.end());
    items.insert(items.begin(), text);
    if (items.size() > kHistoryLimit) items.resize(kHistoryLimit);
}

}  // namespace kvx
