// Windows-1252 conversions and case rules.
#include "platform/ansi_text.h"

#include <array>

namespace kvx {
namespace {

// Code points of bytes 0x80-0x9F; the five undefined bytes keep their C1 value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct CaseTables {
    std::array<unsigned char, 256> lower{};
    std::array<unsigned char, 256> upper{};
    CaseTables() {
        for (int i = 0; i < 256; ++i) lower[i] = upper[i] = static_cast<unsigned char>(i);
        auto pair = [this](int up, int low) {
            lower[up] = static_cast<unsigned char>(low);
            upper[low] = static_cast<unsigned char>(up);
        };
        for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7) pair(c, c + 32);
        pair(0x8A, 0x9A);  // S caron
        pair(0x8C, 0x9C);  // OE
        pair(0x8E, 0x9E);  // Z caron
        pair(0x9F, 0xFF);  // Y diaeresis
    }
};

const CaseTables& Tables() {
    static const CaseTables tables;
    return tables;
}

int CodePointToAnsi(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == cp) return 0x80 + i;
    return -1;
}

}  // namespace

char32_t AnsiToCodePoint(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) return kHighControls[c - 0x80];
    return c;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 8);
    for (unsigned char c : ansi) {
        if (c < 0x80)
            out += static_cast<char>(c);
        else
            AppendUtf8(out, AnsiToCodePoint(c));
    }
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8, bool numericReferences) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    const size_t n = utf8.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        char32_t cp = extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool valid = extra > 0;
        if (valid) {
            for (int k = 1; k <= extra; ++k) {
                if (i + static_cast<size_t>(k) >= n) { valid = false; break; }
                unsigned char cc = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
                if ((cc & 0xC0) != 0x80) { valid = false; break; }
                cp = (cp << 6) | (cc & 0x3F);
            }
        }
        if (valid && (cp < 0x80 || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF))
            valid = false;
        if (!valid) {
            // Not UTF-8: keep the byte as it stands.
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        i += static_cast<size_t>(extra) + 1;
        int a = CodePointToAnsi(cp);
        if (a >= 0) {
            out += static_cast<char>(a);
        } else if (numericReferences) {
            out += "&#";
            out += std::to_string(static_cast<unsigned long>(cp));
            out += ';';
        } else {
            out += '?';
        }
    }
    return out;
}

unsigned char AnsiLowerChar(unsigned char c) { return Tables().lower[c]; }
unsigned char AnsiUpperChar(unsigned char c) { return Tables().upper[c]; }

std::string AnsiLowerCase(std::string_view s) {
    const auto& t = Tables().lower;
    std::string out(s);
    for (char& c : out) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
    return out;
}

std::string AnsiUpperCase(std::string_view s) {
    const auto& t = Tables().upper;
    std::string out(s);
    for (char& c : out) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
    return out;
}

std::string AsciiLowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
    const auto& t = Tables().lower;
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        int ca = t[static_cast<unsigned char>(a[i])];
        int cb = t[static_cast<unsigned char>(b[i])];
        if (ca != cb) return ca - cb;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

bool AnsiStartsText(std::string_view prefix, std::string_view s) {
    return s.size() >= prefix.size() && AnsiSameText(prefix, s.substr(0, prefix.size()));
}

bool AnsiEndsText(std::string_view suffix, std::string_view s) {
    return s.size() >= suffix.size() && AnsiSameText(suffix, s.substr(s.size() - suffix.size()));
}

size_t AnsiFindText(std::string_view needle, std::string_view haystack) {
    if (needle.empty()) return 0;
    if (needle.size() > haystack.size()) return std::string_view::npos;
    const auto& t = Tables().lower;
    const size_t last = haystack.size() - needle.size();
    for (size_t i = 0; i <= last; ++i) {
        size_t k = 0;
        while (k < needle.size() &&
               t[static_cast<unsigned char>(haystack[i + k])] == t[static_cast<unsigned char>(needle[k])])
            ++k;
        if (k == needle.size()) return i;
    }
    return std::string_view::npos;
}

std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    size_t at = 0;
    for (size_t found = s.find(from); found != std::string_view::npos; found = s.find(from, at)) {
        out.append(s, at, found - at);
        out.append(to);
        at = found + from.size();
    }
    out.append(s, at, std::string_view::npos);
    return out;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

}  // namespace kvx
