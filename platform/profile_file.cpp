// Profile (INI) files held in memory, read forgivingly and written atomically.
#include "platform/profile_file.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "platform/file_util.h"

namespace kvx {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A value, key or section name on one line of the file.
std::string OneLine(std::string_view ansi) {
    std::string utf8 = AnsiToUtf8(ansi);
    for (char& c : utf8)
        if (c == '\r' || c == '\n') c = ' ';
    return utf8;
}

bool ParseDecimal(std::string_view s, int32_t& out) {
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return false;
    int64_t value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > int64_t{INT32_MAX} + 1) return false;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return false;
    out = static_cast<int32_t>(value);
    return true;
}

bool ParseHex(std::string_view s, int32_t& out) {
    if (s.empty() || s.size() > 8) return false;
    uint32_t value = 0;
    for (char c : s) {
        int digit = c >= '0' && c <= '9' ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (digit < 0) return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    out = static_cast<int32_t>(value);
    return true;
}

}  // namespace

std::string TProfileFile::Fold(std::string_view ansi) { return AnsiLowerCase(ansi); }

TProfileFile TProfileFile::Load(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) return TProfileFile();
    return Parse(ReadWholeFile(path));
}

TProfileFile TProfileFile::Parse(std::string_view text) {
    TProfileFile profile;
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
    Section* current = nullptr;
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        std::string_view line = Trim(text.substr(0, end));
        if (end == std::string_view::npos) {
            text = {};
        } else {
            text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
        }
        if (!line.empty() && line.front() == '[') {
            line.remove_prefix(1);
            std::string_view name = Trim(line.substr(0, line.find(']')));
            auto found = profile.index_.find(Fold(Utf8ToAnsi(name)));
            current = found != profile.index_.end() ? &profile.sections_[found->second]
                                                    : &profile.AddRawSection(std::string(name));
            continue;
        }
        size_t eq = line.find('=');
        if (current == nullptr || eq == std::string_view::npos) continue;
        AddRawEntry(*current, std::string(Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1))));
    }
    return profile;
}

TProfileFile::Section& TProfileFile::AddRawSection(std::string name) {
    std::string folded = Fold(Utf8ToAnsi(name));
    index_[folded] = sections_.size();
    Section& section = sections_.emplace_back();
    section.name = std::move(name);
    return section;
}

void TProfileFile::AddRawEntry(Section& section, std::string key, std::string value) {
    auto [it, added] = section.index.try_emplace(Fold(Utf8ToAnsi(key)), section.entries.size());
    if (!added) return;  // the first of two equal keys is the one that counts
    section.entries.push_back(Entry{std::move(key), std::move(value)});
}

std::string TProfileFile::Text() const {
    std::string out;
    for (const Section& section : sections_) {
        if (section.erased) continue;
        if (!out.empty()) out += '\n';
        out += '[';
        out += section.name;
        out += "]\n";
        for (const Entry& entry : section.entries) {
            if (entry.erased) continue;
            out += entry.key;
            out += '=';
            out += entry.value;
            out += '\n';
        }
    }
    return out;
}

void TProfileFile::Save(const std::string& path) const { WriteFileAtomically(path, Text()); }

const TProfileFile::Section* TProfileFile::FindSection(std::string_view section) const {
    auto it = index_.find(Fold(section));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

TProfileFile::Section* TProfileFile::FindSection(std::string_view section) {
    auto it = index_.find(Fold(section));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

const TProfileFile::Entry* TProfileFile::FindEntry(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return nullptr;
    auto it = s->index.find(Fold(key));
    return it == s->index.end() ? nullptr : &s->entries[it->second];
}

TProfileFile::Section& TProfileFile::SectionFor(std::string_view section) {
    if (Section* s = FindSection(section)) return *s;
    return AddRawSection(OneLine(section));
}

bool TProfileFile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TProfileFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindEntry(section, key) != nullptr;
}

std::vector<std::string> TProfileFile::Sections() const {
    std::vector<std::string> names;
    for (const Section& s : sections_)
        if (!s.erased) names.push_back(Utf8ToAnsi(s.name));
    return names;
}

std::vector<std::string> TProfileFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section))
        for (const Entry& e : s->entries)
            if (!e.erased) keys.push_back(Utf8ToAnsi(e.key));
    return keys;
}

std::string TProfileFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
    const Entry* e = FindEntry(section, key);
    return e ? Utf8ToAnsi(e->value) : std::string(defaultValue);
}

int32_t TProfileFile::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const {
    const Entry* e = FindEntry(section, key);
    if (e == nullptr) return defaultValue;
    std::string_view text = e->value;
    int32_t value = 0;
    bool ok = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') ? ParseHex(text.substr(2), value)
              : !text.empty() && text[0] == '$'                                     ? ParseHex(text.substr(1), value)
                                                                                    : ParseDecimal(text, value);
    return ok ? value : defaultValue;
}

bool TProfileFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Section& s = SectionFor(section);
    std::string line = OneLine(value);
    auto it = s.index.find(Fold(key));
    if (it != s.index.end()) {
        s.entries[it->second].value = std::move(line);
        return;
    }
    AddRawEntry(s, OneLine(key), std::move(line));
}

void TProfileFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TProfileFile::DeleteKey(std::string_view section, std::string_view key) {
    Section* s = FindSection(section);
    if (s == nullptr) return;
    auto it = s->index.find(Fold(key));
    if (it == s->index.end()) return;
    s->entries[it->second].erased = true;
    s->index.erase(it);
}

void TProfileFile::EraseSection(std::string_view section) {
    auto it = index_.find(Fold(section));
    if (it == index_.end()) return;
    sections_[it->second].erased = true;
    index_.erase(it);
}

}  // namespace kvx
