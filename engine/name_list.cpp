// Splitting and joining of stored name lists.
#include "engine/name_list.h"

#include <algorithm>

namespace kvx {

std::vector<std::string> SplitNameList(std::string_view text) {
    std::vector<std::string> entries;
    if (text.empty()) return entries;
    // Opening a dictionary splits tens of thousands of titles: runs are copied whole.
    entries.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), ',')) + 1);
    constexpr size_t npos = std::string_view::npos;
    size_t i = 0;
    const size_t n = text.size();
    for (;;) {
        std::string entry;
        if (i < n && text[i] == '"') {
            ++i;
            for (;;) {
                const size_t quote = text.find('"', i);
                if (quote == npos) {
                    entry.append(text.substr(i));
                    i = n;
                    break;
                }
                entry.append(text.substr(i, quote - i));
                if (quote + 1 < n && text[quote + 1] == '"') {
                    entry += '"';
                    i = quote + 2;
                    continue;
                }
                i = quote + 1;
                break;
            }
        }
        // Text after a closing quote, or an unquoted entry, runs to the next comma.
        const size_t comma = std::min(text.find(',', i), n);
        entry.append(text.substr(i, comma - i));
        i = comma;
        entries.push_back(std::move(entry));
        if (i >= n) break;
        ++i;  // the comma; a trailing comma leaves one empty entry
        if (i >= n) {
            entries.emplace_back();
            break;
        }
    }
    return entries;
}

namespace {

// Joins the entries with commas, quoting those that needsQuotes picks (their own
// quotes doubled).
template <typename NeedsQuotes>
std::string Join(const std::vector<std::string>& entries, NeedsQuotes needsQuotes) {
    std::string out;
    for (size_t k = 0; k < entries.size(); ++k) {
        if (k) out += ',';
        const std::string& e = entries[k];
        if (!needsQuotes(e)) {
            out += e;
            continue;
        }
        out += '"';
        for (char c : e) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

}  // namespace

std::string JoinNameList(const std::vector<std::string>& entries) {
    return Join(entries, [](const std::string& e) { return e.find_first_of(",\"") != std::string::npos; });
}

std::string JoinCommaText(const std::vector<std::string>& entries) {
    if (entries.size() == 1 && entries[0].empty()) return "\"\"";
    return Join(entries, [](const std::string& e) {
        return std::any_of(e.begin(), e.end(),
                           [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ','; });
    });
}

}  // namespace kvx
