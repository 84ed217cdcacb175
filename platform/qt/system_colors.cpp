// System colour indices mapped to palette roles.
#include "platform/qt/system_colors.h"

#include <array>

namespace kvx {

namespace {

constexpr uint32_t kSystemFlagMask = 0xFF000000u;

struct TRole {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// Index nn of the system colour 0xFF0000nn and the palette colour that plays its part.
constexpr std::array<TRole, 31> kRoles = {{
    {QPalette::Active, QPalette::Mid},              // 0 scroll bar
    {QPalette::Active, QPalette::Dark},             // 1 desktop
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Mid},            // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window background
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Window},           // 10 active border
    {QPalette::Inactive, QPalette::Window},         // 11 inactive border
    {QPalette::Active, QPalette::Dark},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlighted text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Inactive, QPalette::WindowText},     // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 tooltip background
    {QPalette::Active, QPalette::Window},           // 25 unused
    {QPalette::Active, QPalette::Link},             // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},        // 27 active caption gradient
    {QPalette::Inactive, QPalette::Mid},            // 28 inactive caption gradient
    {QPalette::Active, QPalette::Highlight},        // 29 menu highlight
    {QPalette::Active, QPalette::Window},           // 30 menu bar
}};

}  // namespace

QColor ToQColor(int32_t storedColor, const QPalette& palette) {
    const auto value = static_cast<uint32_t>(storedColor);
    if ((value & kSystemFlagMask) == kSystemFlagMask) {
        const uint32_t index = value & 0xFFu;
        if (index < kRoles.size()) return palette.color(kRoles[index].Group, kRoles[index].Role);
        return palette.color(QPalette::Active, QPalette::Window);
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF),
                  static_cast<int>(value >> 16 & 0xFF));
}

int32_t ResolveSystemColor(int32_t storedColor, const QPalette& palette) {
    const QColor c = ToQColor(storedColor, palette);
    return c.red() | c.green() << 8 | c.blue() << 16;
}

}  // namespace kvx
