// The kinds of values the settings hold and how each is written in the settings
// file: colours (RGB or system colours), comma-separated lists, sorted name lists and
// dates.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

// A colour as the settings file stores it: 0x00BBGGRR for an RGB colour (red in the
// low byte), 0xFF0000nn for the system colour nn. System colours stay in this form;
// the user interface maps them to its palette when it draws.
using TColor = int32_t;

constexpr TColor RgbColor(int red, int green, int blue) { return red | green << 8 | blue << 16; }

constexpr TColor kSystemColorFlag = static_cast<TColor>(0xFF000000);
constexpr TColor SystemColor(int index) { return kSystemColorFlag | index; }
constexpr bool IsSystemColor(TColor c) { return (static_cast<uint32_t>(c) & 0xFF000000u) == 0xFF000000u; }
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(static_cast<uint32_t>(c) & 0xFFu); }

constexpr TColor kColorWindow = SystemColor(5);          // window background
constexpr TColor kColorWindowText = SystemColor(8);      // window text
constexpr TColor kColorBtnFace = SystemColor(15);        // button face
constexpr TColor kColorBtnText = SystemColor(18);        // button text
constexpr TColor kColorBtnHighlight = SystemColor(20);   // button highlight
constexpr TColor kColorInfoText = SystemColor(23);       // tooltip text
constexpr TColor kColorInfoBk = SystemColor(24);         // tooltip background

constexpr TColor kColorYellow = RgbColor(0xFF, 0xFF, 0x00);
constexpr TColor kColorPurple = RgbColor(0x80, 0x00, 0x80);
constexpr TColor kColorGreen = RgbColor(0x00, 0x80, 0x00);
constexpr TColor kColorTeal = RgbColor(0x00, 0x80, 0x80);
constexpr TColor kColorOlive = RgbColor(0x80, 0x80, 0x00);
constexpr TColor kColorBlue = RgbColor(0x00, 0x00, 0xFF);

// Six upper-case hexadecimal digits, red first, from the colour's low three bytes. A
// system colour is not resolved here: callers pass RGB colours.
std::string ColorToHtml(TColor color);

// A list as one line: items separated by commas; an item holding a space, a control
// character, a comma or a double quote is quoted with inner quotes doubled. A list of
// one empty item is written as "" so that it reads back as one item.
std::string CommaText(const std::vector<std::string>& items);
// Only commas separate items; quoted items are unquoted. Empty text is no items.
std::vector<std::string> SplitCommaText(std::string_view text);

// Strings kept sorted without regard to case (the code page's case rules), each at
// most once; adding a string that is there already keeps the first spelling.
class TSortedStringList {
public:
    TSortedStringList() = default;
    explicit TSortedStringList(const std::vector<std::string>& items) { Assign(items); }

    bool Add(std::string_view s);  // false when it was there already
    bool Remove(std::string_view s);
    bool Contains(std::string_view s) const;
    void Assign(const std::vector<std::string>& items);
    void Clear() { items_.clear(); }

    const std::vector<std::string>& Items() const { return items_; }
    size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    bool operator==(const TSortedStringList&) const = default;

private:
    std::vector<std::string>::const_iterator Find(std::string_view s) const;
    std::vector<std::string> items_;
};

// Dates are written in the user's short date format: the date pattern of the LC_TIME
// locale, in strftime notation, limited to day, month and year fields between plain
// separators. The year is always written with four digits (a two-digit year would
// read back in the wrong century one day). A locale whose pattern uses anything else
// gets the ISO form "%Y-%m-%d".
using TDate = std::chrono::year_month_day;

std::string UserShortDatePattern();
// A locale's date pattern in the form above.
std::string NormaliseDatePattern(std::string_view localePattern);
TDate Today();
std::string FormatDate(TDate date, std::string_view pattern);
// The pattern first, the ISO form second; nothing when neither reads a valid date.
std::optional<TDate> ParseDate(std::string_view text, std::string_view pattern);

}  // namespace kvx
