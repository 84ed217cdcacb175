// Splitting and joining of stored name lists.
#include "engine/name_list.h"

namespace kvx {

std::vector<std::string> SplitNameList(std::string_view text) {
    std::vector<std::string> entries;
    if (text.empty()) return entries;
    size_t i = 0;
    const size_t n = text.size();
    for (;;) {
        std::string entry;
        if (i < n && text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        entry += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                entry += text[i++];
            }
        }
        // Text after a closing quote, or an unquoted entry, runs to the next comma.
        while (i < n && text[i] != ',') entry += text[i++];
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

std::string JoinNameList(const std::vector<std::string>& entries) {
    std::string out;
    for (size_t k = 0; k < entries.size(); ++k) {
        if (k) out += ',';
        const std::string& e = entries[k];
        if (e.find_first_of(",\"") == std::string::npos) {
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

std::string JoinCommaText(const std::vector<std::string>& entries) {
    if (entries.size() == 1 && entries[0].empty()) return "\"\"";
    std::string out;
    for (size_t k = 0; k < entries.size(); ++k) {
        if (k) out += ',';
        const std::string& e = entries[k];
        bool quote = false;
        for (char c : e) quote = quote || static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',';
        if (!quote) {
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

}  // namespace kvx
