// Profile (INI) files: "[Section]" lines followed by "Key=Value" lines. The settings
// file is one. Sections and keys are found without regard to case, values are text,
// and the whole file is held in memory and written back in one piece, so a crash can
// never leave it half written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kvx {

// The caller's text is Windows-1252, like all text inside the program; the file on
// disk is UTF-8. Values the program never touches keep their bytes exactly.
class TProfileFile {
public:
    TProfileFile() = default;

    // The file at path; an absent file gives an empty profile. A file that exists but
    // cannot be read raises an Exception, so that nobody writes over it unread.
    static TProfileFile Load(const std::string& path);
    // Reading is forgiving: lines without "=", keys before the first section and
    // later duplicates of a key are passed over; a section that appears twice is one.
    static TProfileFile Parse(std::string_view utf8);

    // The file as it would be written (UTF-8, one blank line between sections).
    std::string Text() const;
    // Writes Text() to a new file beside path and renames it over path; raises an
    // Exception (and leaves the old file as it was) when that fails.
    void Save(const std::string& path) const;

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    // Section names and the key names of one section, in file order.
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

    // A missing key gives the default. Spaces and tabs around a value are not part of it.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // Decimal with an optional sign, or hexadecimal as "0x…" or "$…" (a 32-bit pattern);
    // anything else, or a number outside 32 bits, gives the default.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
    // An integer; any non-zero one is true.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Writing a key creates its section at the end of the file and the key at the end
    // of the section; a key that exists keeps its place. Line breaks in a value would
    // start a new line of the file and are written as spaces.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

private:
    struct Entry {
        std::string key;    // UTF-8 as in the file
        std::string value;  // UTF-8 as in the file
        bool erased = false;
    };
    struct Section {
        std::string name;  // UTF-8 as in the file
        std::vector<Entry> entries;
        std::unordered_map<std::string, size_t> index;  // folded key -> entry
        bool erased = false;
    };

    static std::string Fold(std::string_view ansi);
    const Section* FindSection(std::string_view section) const;
    Section* FindSection(std::string_view section);
    const Entry* FindEntry(std::string_view section, std::string_view key) const;
    Section& SectionFor(std::string_view section);
    // Adds a section from the file; raw names are UTF-8.
    Section& AddRawSection(std::string name);
    static void AddRawEntry(Section& section, std::string key, std::string value);

    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> index_;  // folded section name -> section
};

}  // namespace kvx
