// Reading the references of the SWORD sources.
#include "tools/library_builder/osis_references.h"

#include <cstdint>
#include <string>
#include <vector>

#include "engine/versification.h"
#include "refs/parse_refs.h"
#include "tools/library_builder/sword_keys.h"

namespace kvx::library {
namespace {

const char* const kOsisBooks[66] = {
    "Gen",   "Exod",  "Lev",   "Num",  "Deut", "Josh",  "Judg",   "Ruth",   "1Sam",   "2Sam",  "1Kgs",
    "2Kgs",  "1Chr",  "2Chr",  "Ezra", "Neh",  "Esth",  "Job",    "Ps",     "Prov",   "Eccl",  "Song",
    "Isa",   "Jer",   "Lam",   "Ezek", "Dan",  "Hos",   "Joel",   "Amos",   "Obad",   "Jonah", "Mic",
    "Nah",   "Hab",   "Zeph",  "Hag",  "Zech", "Mal",   "Matt",   "Mark",   "Luke",   "John",  "Acts",
    "Rom",   "1Cor",  "2Cor",  "Gal",  "Eph",  "Phil",  "Col",    "1Thess", "2Thess", "1Tim",  "2Tim",
    "Titus", "Phlm",  "Heb",   "Jas",  "1Pet", "2Pet",  "1John",  "2John",  "3John",  "Jude",  "Rev",
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool ParseNumber(std::string_view s, int& value) {
    if (s.empty() || s.size() > 4) return false;
    value = 0;
    for (char c : s) {
        if (!IsDigit(c)) return false;
        value = value * 10 + (c - '0');
    }
    return value > 0;
}

std::vector<std::string_view> Split(std::string_view s, char separator) {
    std::vector<std::string_view> parts;
    size_t pos = 0;
    while (true) {
        size_t end = s.find(separator, pos);
        parts.push_back(s.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        if (end == std::string_view::npos) return parts;
        pos = end + 1;
    }
}

// A point of a reference: a verse, or a whole chapter when verse is 0.
struct Point {
    int book = 0, chapter = 0, verse = 0;
};

int ChapterLength(int book, int chapter) { return StandardVersification().ChapterLength(book, chapter); }

// The first or the last verse a point names; 0 when it names none.
int FirstVerse(const Point& p) {
    return StandardVerseNumber({p.book, p.chapter, p.verse == 0 ? 1 : p.verse});
}
int LastVerse(const Point& p) {
    return StandardVerseNumber({p.book, p.chapter, p.verse == 0 ? ChapterLength(p.book, p.chapter) : p.verse});
}

bool AddRange(const Point& from, const Point& to, TVerseRangeList& ranges) {
    const int first = FirstVerse(from), last = LastVerse(to);
    if (first == 0 || last == 0 || last < first) return false;
    ranges.push_back({first, last});
    return true;
}

// "Gen.1.2", "Gen.1" or, continuing `book`, "1.2".
bool ParseOsisPoint(std::string_view s, int book, Point& p) {
    std::vector<std::string_view> parts = Split(s, '.');
    size_t at = 0;
    if (!parts.empty() && parts[0].find_first_not_of("0123456789") != std::string_view::npos) {
        book = OsisBookNumber(parts[0]);
        at = 1;
    }
    if (book == 0) return false;
    p = {book, 0, 0};
    const size_t numbers = parts.size() - at;
    if (numbers < 1 || numbers > 2 || !ParseNumber(parts[at], p.chapter)) return false;
    return numbers == 1 || ParseNumber(parts[at + 1], p.verse);
}

// The book a word names, by asking the reference parser for the whole book.
int BookOfWord(std::string_view word, const TZBBibleModule& bible) {
    TVerseRangeList ranges;
    int32_t stop = 0;
    ParseRefs(std::string(word), bible, stop, ranges);
    if (ranges.size() != 1) return 0;
    int book, chapter, verse;
    bible.DecodeVerse(ranges[0].First, book, chapter, verse);
    if (chapter != 1 || verse != 1 || ranges[0].First != bible.FirstVerseOfBook(book)) return 0;
    const int next = book < bible.BookCount() ? bible.FirstVerseOfBook(book + 1) : bible.VerseCount() + 1;
    return ranges[0].Last == next - 1 ? book : 0;
}

bool IsBookWord(std::string_view token) {
    size_t i = 0;
    while (i < token.size() && IsDigit(token[i])) ++i;
    return i < token.size() && IsLetter(token[i]);
}

// "3", "3:4" in book.
bool ParseLoosePoint(std::string_view s, int book, Point& p) {
    p = {book, 0, 0};
    size_t colon = s.find(':');
    if (colon == std::string_view::npos) return ParseNumber(s, p.chapter);
    return ParseNumber(s.substr(0, colon), p.chapter) && ParseNumber(s.substr(colon + 1), p.verse);
}

}  // namespace

int OsisBookNumber(std::string_view id) {
    for (int b = 0; b < 66; ++b)
        if (id == kOsisBooks[b]) return b + 1;
    return 0;
}

TVerseRangeList OsisReferenceRanges(std::string_view osisRef) {
    TVerseRangeList ranges;
    for (std::string_view item : Split(osisRef, ' ')) {
        if (item.empty()) continue;
        size_t dash = item.find('-');
        Point from, to;
        if (!ParseOsisPoint(item.substr(0, dash), 0, from)) return {};
        if (dash == std::string_view::npos) {
            to = from;
        } else if (!ParseOsisPoint(item.substr(dash + 1), from.book, to)) {
            return {};
        }
        // "Ps.88.15-Ps.17.10", written for "Ps 88:15-17. 10": an end before the start
        // whose chapter is a later verse of the start's chapter is that verse.
        if (to.book == from.book && from.verse != 0 && to.chapter < from.chapter && to.chapter > from.verse &&
            to.chapter <= ChapterLength(from.book, from.chapter))
            to = {from.book, from.chapter, to.chapter};
        if (!AddRange(from, to, ranges)) return {};
    }
    return ranges;
}

TVerseRangeList LooseReferenceRanges(std::string_view text, const TZBBibleModule& bible) {
    // Tokens at blanks; the punctuation that ends a list item goes.
    std::vector<std::string_view> tokens;
    for (std::string_view token : Split(text, ' ')) {
        while (!token.empty() && (token.back() == ',' || token.back() == ';' || token.back() == '.'))
            token.remove_suffix(1);
        if (!token.empty()) tokens.push_back(token);
    }
    TVerseRangeList ranges;
    int book = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        std::string_view token = tokens[i];
        if (IsBookWord(token)) {
            book = BookOfWord(token, bible);
            if (book == 0) return {};
            continue;
        }
        if (book == 0) return {};
        size_t dash = token.find('-');
        Point from, to;
        if (!ParseLoosePoint(token.substr(0, dash), book, from)) return {};
        if (dash == std::string_view::npos) {
            to = from;
        } else {
            std::string_view end = token.substr(dash + 1);
            int endBook = book;
            // "2:1-joe 3:21": the end says its book again, and its place is the next token.
            if (IsBookWord(end)) {
                endBook = BookOfWord(end, bible);
                if (endBook == 0 || i + 1 >= tokens.size()) return {};
                end = tokens[++i];
                book = endBook;
            }
            if (!ParseLoosePoint(end, endBook, to)) return {};
            // "4:1-6" ends at a verse of the same chapter.
            if (end.find(':') == std::string_view::npos && from.verse != 0 && endBook == from.book) {
                to.verse = to.chapter;
                to.chapter = from.chapter;
            }
        }
        if (!AddRange(from, to, ranges)) return {};
    }
    return ranges;
}

}  // namespace kvx::library
