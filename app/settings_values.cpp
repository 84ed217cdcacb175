// Value encodings of the settings file.
#include "app/settings_values.h"

#include <algorithm>
#include <ctime>
#include <langinfo.h>
#include <locale.h>

#include "engine/name_list.h"
#include "platform/ansi_text.h"

namespace kvx {

std::string ColorToHtml(TColor color) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const uint32_t c = static_cast<uint32_t>(color);
    std::string html;
    for (int shift : {0, 8, 16}) {  // red, green, blue
        const uint32_t byte = c >> shift & 0xFF;
        html += kHex[byte >> 4];
        html += kHex[byte & 0xF];
    }
    return html;
}

// The settings file quotes list items by the rules module files use.
std::string CommaText(const std::vector<std::string>& items) { return JoinCommaText(items); }

// Module files store their name lists with the same reading rules.
std::vector<std::string> SplitCommaText(std::string_view text) { return SplitNameList(text); }

std::vector<std::string>::const_iterator TSortedStringList::Find(std::string_view s) const {
    return std::lower_bound(items_.begin(), items_.end(), s,
                            [](const std::string& a, std::string_view b) { return AnsiCompareText(a, b) < 0; });
}

bool TSortedStringList::Contains(std::string_view s) const {
    auto it = Find(s);
    return it != items_.end() && AnsiCompareText(*it, s) == 0;
}

bool TSortedStringList::Add(std::string_view s) {
    auto it = Find(s);
    if (it != items_.end() && AnsiCompareText(*it, s) == 0) return false;
    items_.emplace(it, s);
    return true;
}

bool TSortedStringList::Remove(std::string_view s) {
    auto it = Find(s);
    if (it == items_.end() || AnsiCompareText(*it, s) != 0) return false;
    items_.erase(it);
    return true;
}

void TSortedStringList::Assign(const std::vector<std::string>& items) {
    // Sorting once keeps a long list from costing a quadratic number of moves.
    items_ = items;
    std::stable_sort(items_.begin(), items_.end(),
                     [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    auto same = [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) == 0; };
    items_.erase(std::unique(items_.begin(), items_.end(), same), items_.end());
}

namespace {
constexpr std::string_view kIsoDatePattern = "%Y-%m-%d";
}  // namespace

std::string NormaliseDatePattern(std::string_view pattern) {
    std::string out;
    int days = 0, months = 0, years = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%') {
            const bool plain = c >= 0x20 && c < 0x7F && !(c >= '0' && c <= '9');
            if (!plain) return std::string(kIsoDatePattern);
            out += c;
            continue;
        }
        if (++i == pattern.size()) return std::string(kIsoDatePattern);
        switch (pattern[i]) {
            case 'd': case 'e': out += "%d"; ++days; break;
            case 'm': out += "%m"; ++months; break;
            case 'y': case 'Y': out += "%Y"; ++years; break;
            case 'D': out += "%m/%d/%Y"; ++days, ++months, ++years; break;
            case 'F': out += "%Y-%m-%d"; ++days, ++months, ++years; break;
            case '%': out += "%%"; break;
            default: return std::string(kIsoDatePattern);
        }
    }
    if (days != 1 || months != 1 || years != 1) return std::string(kIsoDatePattern);
    return out;
}

namespace {

std::optional<TDate> ParseWith(std::string_view text, std::string_view pattern) {
    int day = 0, month = 0, year = 0;
    size_t t = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size() || pattern[i + 1] == '%') {
            if (t >= text.size() || text[t] != pattern[i]) return std::nullopt;
            ++t;
            if (pattern[i] == '%') ++i;
            continue;
        }
        const char field = pattern[++i];
        if (field != 'd' && field != 'm' && field != 'Y') return std::nullopt;
        const size_t maxDigits = field == 'Y' ? 4 : 2;
        size_t digits = 0;
        int value = 0;
        while (t < text.size() && digits < maxDigits && text[t] >= '0' && text[t] <= '9') {
            value = value * 10 + (text[t++] - '0');
            ++digits;
        }
        if (digits == 0 || (field == 'Y' && digits != 4)) return std::nullopt;
        (field == 'd' ? day : field == 'm' ? month : year) = value;
    }
    if (t != text.size()) return std::nullopt;
    TDate date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
               std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok()) return std::nullopt;
    return date;
}

}  // namespace

std::string UserShortDatePattern() {
    locale_t locale = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) return std::string(kIsoDatePattern);
    std::string pattern = NormaliseDatePattern(::nl_langinfo_l(D_FMT, locale));
    ::freelocale(locale);
    return pattern;
}

TDate Today() {
    std::time_t now = std::time(nullptr);
    std::tm local {};
    ::localtime_r(&now, &local);
    return TDate{std::chrono::year(local.tm_year + 1900), std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                 std::chrono::day(static_cast<unsigned>(local.tm_mday))};
}

std::string FormatDate(TDate date, std::string_view pattern) {
    auto two = [](unsigned v) { return std::string{static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)}; };
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        switch (pattern[++i]) {
            case 'd': out += two(static_cast<unsigned>(date.day())); break;
            case 'm': out += two(static_cast<unsigned>(date.month())); break;
            case 'Y': {
                int y = static_cast<int>(date.year());
                out += two(static_cast<unsigned>(y / 100 % 100)) + two(static_cast<unsigned>(y % 100));
                break;
            }
            default: out += pattern[i]; break;
        }
    }
    return out;
}

std::optional<TDate> ParseDate(std::string_view text, std::string_view pattern) {
    if (auto date = ParseWith(text, pattern)) return date;
    return ParseWith(text, kIsoDatePattern);
}

}  // namespace kvx
