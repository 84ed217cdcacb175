// SWORD key parsing against the standard versification.
#include "tools/library_builder/sword_keys.h"

#include <vector>

#include "engine/versification.h"

namespace kvx::library {
namespace {

const char* const kSwordBookNames[66] = {
    "Genesis", "Exodus", "Leviticus", "Numbers", "Deuteronomy", "Joshua", "Judges", "Ruth",
    "I Samuel", "II Samuel", "I Kings", "II Kings", "I Chronicles", "II Chronicles", "Ezra", "Nehemiah",
    "Esther", "Job", "Psalms", "Proverbs", "Ecclesiastes", "Song of Solomon", "Isaiah", "Jeremiah",
    "Lamentations", "Ezekiel", "Daniel", "Hosea", "Joel", "Amos", "Obadiah", "Jonah",
    "Micah", "Nahum", "Habakkuk", "Zephaniah", "Haggai", "Zechariah", "Malachi", "Matthew",
    "Mark", "Luke", "John", "Acts", "Romans", "I Corinthians", "II Corinthians", "Galatians",
    "Ephesians", "Philippians", "Colossians", "I Thessalonians", "II Thessalonians", "I Timothy", "II Timothy", "Titus",
    "Philemon", "Hebrews", "James", "I Peter", "II Peter", "I John", "II John", "III John",
    "Jude", "Revelation of John",
};

// For each book, the verse number before each chapter's first verse.
struct ChapterStarts {
    std::vector<std::vector<int>> before;  // [book-1][chapter-1]
    ChapterStarts() {
        int verse = 0;
        for (const auto& book : StandardVersification().Books) {
            before.emplace_back();
            for (int n : book.VersesPerChapter) {
                before.back().push_back(verse);
                verse += n;
            }
        }
    }
};

const ChapterStarts& Starts() {
    static const ChapterStarts starts;
    return starts;
}

bool ParseNumber(std::string_view s, int& value) {
    if (s.empty() || s.size() > 6) return false;
    value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

}  // namespace

int SwordBookNumber(std::string_view name) {
    for (int b = 0; b < 66; ++b)
        if (name == kSwordBookNames[b]) return b + 1;
    return 0;
}

std::string SwordBookName(int book) { return book >= 1 && book <= 66 ? kSwordBookNames[book - 1] : ""; }

bool ParseSwordVerseKey(std::string_view key, TSwordVerseKey& result) {
    size_t space = key.rfind(' ');
    if (space == std::string_view::npos || space == 0) return false;
    std::string_view reference = key.substr(space + 1);
    size_t colon = reference.find(':');
    if (colon == std::string_view::npos) return false;
    TSwordVerseKey parsed;
    if (!ParseNumber(reference.substr(0, colon), parsed.Chapter) || !ParseNumber(reference.substr(colon + 1), parsed.Verse))
        return false;
    parsed.Book = SwordBookNumber(key.substr(0, space));
    result = parsed;
    return true;
}

int StandardVerseNumber(const TSwordVerseKey& key) {
    // The length is 0 for a book or chapter outside the table, which no verse passes.
    if (key.Verse < 1 || key.Verse > StandardVersification().ChapterLength(key.Book, key.Chapter)) return 0;
    return Starts().before[static_cast<size_t>(key.Book - 1)][static_cast<size_t>(key.Chapter - 1)] + key.Verse;
}

}  // namespace kvx::library
