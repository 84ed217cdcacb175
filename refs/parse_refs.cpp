// The reference parser: a forgiving scanner that reads book words, chapters, verses,
// ranges and lists, with a preparation pass in front and a clean-up pass behind.
#include "refs/parse_refs.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string_view>
#include <utility>

#include "platform/ansi_text.h"
#include "platform/exception.h"

namespace kvx {
namespace {

// Spellings that people type but the book lists do not hold. The rows are tried in
// order and at most one applies.
struct BookAlias {
    std::string_view typed;
    std::string_view book;
};
constexpr BookAlias kBookAliases[] = {
    {"mk", "mr"},   {"dt", "de"},     {"jn", "joh"},    {"jdg", "jg"},   {"ca", "so"},
    {"1jn", "1jo"}, {"2jn", "2jo"},   {"3jn", "3jo"},   {"sos", "so"},   {"phlm", "phm"},
    {"1kgs", "1ki"}, {"2kgs", "2ki"}, {"mtt", "mt"},
};

// A slot opened by a separator that a following book or chapter fills in.
constexpr int32_t kPending = -1;
// As a chapter or verse: the last one of the book or chapter.
constexpr int kLastOne = 255;

bool IsLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsReferencePunctuation(unsigned char c) {
    return c == '.' || c == ':' || c == '-' || c == ' ' || c == ';' || c == ',';
}

// Book words are compared in the Bible's code page: with the Windows-1252 case rules,
// or for a UTF-8 Bible by ASCII letters only (its other bytes are parts of characters).
using LowerCaseTable = std::array<unsigned char, 256>;
const LowerCaseTable& LowerTable(bool utf8) {
    static const LowerCaseTable ansi = [] {
        LowerCaseTable t;
        for (int c = 0; c < 256; ++c) t[static_cast<size_t>(c)] = AnsiLowerChar(static_cast<unsigned char>(c));
        return t;
    }();
    static const LowerCaseTable ascii = [] {
        LowerCaseTable t;
        for (int c = 0; c < 256; ++c)
            t[static_cast<size_t>(c)] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return t;
    }();
    return utf8 ? ascii : ansi;
}

class Scanner {
public:
    Scanner(std::string_view text, const TZBBibleModule& bible, TVerseRangeList& ranges)
        : bible_(bible), lower_(LowerTable(bible.IsUTF8())), ranges_(ranges) {
        size_t start = 0;
        while (start < text.size() && static_cast<unsigned char>(text[start]) <= ' ') ++start;
        w_.reserve(text.size() - start + 1);
        for (size_t k = start; k < text.size(); ++k) {
            char ch = text[k];
            w_ += ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
        }
        w_ += ' ';
        // Positions are 32-bit; no reference is anywhere near this long, so a longer
        // text is simply read no further.
        length_ = static_cast<int>(std::min<size_t>(w_.size(), INT_MAX / 4));
    }

    // Runs the scanner and returns the stop position.
    int32_t Run() {
        int32_t stop = -1;
        bool wantBook = true;
        // Each pass moves the cursor on, or hands over to the book step, which moves it
        // on or stops; the bound only guards that reasoning against a mistake.
        const long long passes = 4LL * length_ + 16;
        for (long long pass = 0; pass < passes; ++pass) {
            if (wantBook) {
                if (!BookStep(stop)) return stop;
                wantBook = false;
            } else if (nextIsBook_ || i_ >= length_) {
                wantBook = true;
            } else if (!NumberStep(stop)) {
                return stop;
            }
        }
        return i_ - 1;
    }

private:
    // Positions count from 1; outside the text there is no character.
    unsigned char At(int p) const {
        return p >= 1 && p <= length_ ? static_cast<unsigned char>(w_[static_cast<size_t>(p - 1)]) : 0;
    }

    // The run of digits at the cursor as a number; more digits than an int holds
    // saturate, which names the last chapter or verse all the same.
    int ReadNumber(bool& empty) {
        const int start = i_;
        long long value = 0;
        while (IsDigit(At(i_))) {
            value = std::min<long long>(value * 10 + (At(i_) - '0'), INT_MAX);
            ++i_;
        }
        empty = i_ == start;
        return static_cast<int>(value);
    }

    // The verse number of chapter:verse in the current book, clamped into the book.
    // There is no chapter 0: it is read as chapter 1, as verse 0 is read as verse 1;
    // otherwise the clamp would step back into the previous book.
    int Lookup(int chapter, int verse) const {
        return bible_.VerseNumber(book_, std::max(chapter, 1), std::max(verse, 1));
    }

    unsigned char Lower(unsigned char c) const { return lower_[c]; }

    bool SameWord(std::string_view listed, std::string_view word) const {
        if (listed.size() != word.size()) return false;
        for (size_t k = 0; k < word.size(); ++k)
            if (Lower(static_cast<unsigned char>(listed[k])) != Lower(static_cast<unsigned char>(word[k])))
                return false;
        return true;
    }

    // The name, lowered and without its first space, begins with the word: "1 Kings"
    // is found by "1kings" and by "1ki".
    bool NameBeginsWith(std::string_view name, std::string_view word) const {
        size_t at = 0;
        bool spaceDropped = false;
        for (unsigned char wc : word) {
            if (at < name.size() && name[at] == ' ' && !spaceDropped) {
                spaceDropped = true;
                ++at;
            }
            if (at >= name.size() || Lower(static_cast<unsigned char>(name[at])) != Lower(wc)) return false;
            ++at;
        }
        return true;
    }

    // The book number the word names, abbreviations first; 0 for none.
    int FindBook(std::string_view word) const {
        for (const BookAlias& alias : kBookAliases)
            if (word == alias.typed) {
                word = alias.book;
                break;
            }
        const std::vector<std::string>& abbreviations = bible_.BookAbbreviations();
        for (size_t b = 0; b < abbreviations.size(); ++b)
            if (SameWord(abbreviations[b], word)) return static_cast<int>(b + 1);
        const std::vector<std::string>& names = bible_.BookNames();
        for (size_t b = 0; b < names.size(); ++b)
            if (NameBeginsWith(names[b], word)) return static_cast<int>(b + 1);
        return 0;
    }

    bool BookStep(int32_t& stop) {
        if (i_ >= length_) {
            stop = i_ - 1;
            return false;
        }
        const int start = i_;
        while (i_ < length_ && At(i_) != ' ') ++i_;
        std::string_view word(w_.data() + start - 1, static_cast<size_t>(i_ - start));
        if (!word.empty() && word.back() == '.') word.remove_suffix(1);
        const int book = word.size() < 2 ? 0 : FindBook(word);
        if (book == 0 || book > bible_.BookCount()) {
            stop = start - 1;  // just before the word
            return false;
        }
        book_ = book;
        if (ranges_.empty() || ranges_.back().First != kPending) ranges_.emplace_back();
        ranges_.back() = {Lookup(1, 1), Lookup(kLastOne, kLastOne)};
        chapter_ = 1;
        while (i_ < length_ && At(i_) == ' ') ++i_;
        if (i_ == length_) {
            stop = i_ - 1;
            return false;
        }
        nextIsBook_ = i_ + 1 < length_ && IsLetter(At(i_ + 1));
        return true;
    }

    bool NumberStep(int32_t& stop) {
        const unsigned char ch = At(i_);
        if (!IsLetter(ch) && !IsDigit(ch) && !IsReferencePunctuation(ch)) {
            // Ten before the character, not one: callers that compare the stop position
            // with the text's length then take the reference as doubtful.
            stop = i_ - 10;
            return false;
        }
        // In a slot that a separator opened, "1 Co" is a book as it is at the start.
        if (ranges_.back().First == kPending && StartsSpacedBookNumber()) return true;
        bool empty = false;
        if (IsDigit(ch)) {
            chapter_ = ReadNumber(empty);
            ranges_.back() = {Lookup(chapter_, 1), Lookup(chapter_, kLastOne)};
            chapterOnly_ = true;
        }
        if (At(i_) == ':' || At(i_) == '.') {
            chapterOnly_ = false;
            if (i_ + 1 == length_) {
                stop = i_;
                return false;
            }
            ++i_;
            int verse = ReadNumber(empty);
            if (empty) verse = 1;
            const int v = Lookup(chapter_, verse);
            ranges_.back() = {v, v};
        }
        if (At(i_) == '-') {
            if (i_ + 1 == length_) {
                stop = i_;
                return false;
            }
            ++i_;
            const int n = ReadNumber(empty);
            if (empty) {
                stop = i_ - 1;
                return false;
            }
            int endVerse = n;
            if (At(i_) == ':' || At(i_) == '.' || chapterOnly_) {
                chapter_ = n;
                endVerse = kLastOne;
            }
            chapterOnly_ = false;
            ranges_.back().Last = Lookup(chapter_, endVerse);
            if (At(i_) == ':' || At(i_) == '.') {
                if (i_ + 1 == length_) {
                    stop = i_;
                    return false;
                }
                ++i_;
                endVerse = ReadNumber(empty);
                if (empty) endVerse = 1;
                ranges_.back().Last = Lookup(chapter_, endVerse);
            }
        }
        if (At(i_) == ',') {
            if (i_ + 1 == length_) {
                stop = i_;
                return false;
            }
            ++i_;
            SkipSpaces();
            if (IsLetter(At(i_ + 1)) || StartsSpacedBookNumber()) {
                nextIsBook_ = true;  // another book follows, such as "ex" or "2ti"
                return true;
            }
            const int verse = ReadNumber(empty);
            if (empty) {
                stop = i_ - 1;
                return false;
            }
            // After a comma a number is a verse of the current chapter, even after a
            // reference to a whole chapter.
            const int v = Lookup(chapter_, verse);
            ranges_.push_back({v, v});
            if (i_ < length_ - 1) SkipSpaces();
        }
        if (At(i_) == ';' || At(i_) == ' ') {
            ++i_;
            if (i_ < length_) ranges_.push_back({kPending, 0});
        }
        while (i_ <= length_ && At(i_) == ' ') ++i_;
        nextIsBook_ = i_ + 1 < length_ && (IsLetter(At(i_)) || IsLetter(At(i_ + 1)));
        if (!nextIsBook_ && i_ <= length_ && IsLetter(At(i_))) return false;  // a lone letter ends it
        return true;
    }

    // A book number written apart from its book ("Ro 8:28; 1 Co 13") is read as one word,
    // as the preparation does at the start of the text; otherwise the "1" would be taken
    // as a chapter and "Co" as another book. Only when the joined word names a book: in
    // "ge 1:1 2 ex" the 2 stays a chapter.
    bool StartsSpacedBookNumber() {
        if (!IsDigit(At(i_)) || IsDigit(At(i_ - 1)) || At(i_ + 1) != ' ' || !IsLetter(At(i_ + 2))) return false;
        int end = i_ + 2;
        while (end < length_ && At(end) != ' ') ++end;
        std::string word(1, static_cast<char>(At(i_)));
        word.append(w_, static_cast<size_t>(i_ + 1), static_cast<size_t>(end - i_ - 2));
        if (word.back() == '.') word.pop_back();
        if (FindBook(word) == 0) return false;
        std::swap(w_[static_cast<size_t>(i_ - 1)], w_[static_cast<size_t>(i_)]);
        ++i_;
        nextIsBook_ = true;
        return true;
    }

    void SkipSpaces() {
        while (i_ < length_ && At(i_) == ' ') ++i_;
    }

    const TZBBibleModule& bible_;
    const LowerCaseTable& lower_;
    TVerseRangeList& ranges_;
    std::string w_;
    int length_ = 0;
    int i_ = 1;
    int book_ = 0;
    int chapter_ = 1;
    bool chapterOnly_ = false;
    bool nextIsBook_ = false;
};

int BookOf(const TZBBibleModule& bible, int verse) {
    int book, chapter, verseInChapter;
    bible.DecodeVerse(verse, book, chapter, verseInChapter);
    return book;
}

void CleanUp(const TZBBibleModule& bible, TVerseRangeList& ranges) {
    std::erase_if(ranges, [](const TVerseRange& r) { return r.First == kPending; });
    const int count = bible.VerseCount();
    for (TVerseRange& r : ranges) {
        if (r.First > r.Last) std::swap(r.First, r.Last);
        r.First = std::clamp(r.First, 1, count);
        r.Last = std::clamp(r.Last, 1, count);
    }
    if (ranges.size() < 2) return;
    // Two adjacent single verses become one range (only pairs: 1, 2, 3 give 1-2 and 3).
    // Not across books: "Ge 50:26-Ex 1:1" could not be read back.
    size_t out = 0;
    int prev = -2;
    for (const TVerseRange& r : ranges) {
        const bool single = r.First == r.Last;
        if (out > 0 && single && r.First == prev + 1 && BookOf(bible, prev) == BookOf(bible, r.First)) {
            ranges[out - 1].Last = r.First;
            prev = -2;
            continue;
        }
        prev = single ? r.First : -2;
        ranges[out++] = r;
    }
    ranges.resize(out);
}

}  // namespace

void ParseRefs(const std::string& text, const TZBBibleModule& bible, int32_t& stopPosition,
               TVerseRangeList& ranges) {
    ranges.clear();
    std::string_view source = text;
    std::string swapped;
    // "1 jn 2:3" is read as "1jn 2:3": a leading book number may stand apart.
    if (text.size() >= 3 && IsDigit(static_cast<unsigned char>(text[0])) && text[1] == ' ') {
        swapped = text;
        std::swap(swapped[0], swapped[1]);
        source = swapped;
    }
    Scanner scanner(source, bible, ranges);
    stopPosition = scanner.Run();
    CleanUp(bible, ranges);
}

std::string FormatVerseList(const TZBBibleModule& bible, const TVerseList& verses) {
    std::string out;
    int prevBook = -1, prevChapter = -1, runStart = -1, last = -1;
    auto closeRun = [&] {
        if (last != runStart) out += Format("-%d", last);
    };
    for (uint16_t number : verses) {
        if (number < 1 || number > bible.VerseCount()) continue;
        int book, chapter, verse;
        bible.DecodeVerse(number, book, chapter, verse);
        if (book != prevBook) {
            closeRun();
            if (!out.empty()) out += "; ";
            out += Format("%s %d:%d", bible.BookAbbreviation(book).c_str(), chapter, verse);
            prevBook = book;
            prevChapter = chapter;
        } else if (chapter == prevChapter) {
            if (verse == last) continue;
            if (verse == last + 1) {
                last = verse;
                continue;
            }
            closeRun();
            out += Format(",%d", verse);
        } else {
            closeRun();
            out += Format("; %d:%d", chapter, verse);
            prevChapter = chapter;
        }
        runStart = last = verse;
    }
    closeRun();
    return out;
}

}  // namespace kvx
