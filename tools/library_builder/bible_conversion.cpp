// Laying the converted verses of a SWORD Bible onto the verse numbers.
#include "tools/library_builder/bible_conversion.h"

#include <algorithm>
#include <map>
#include <utility>

#include "engine/verse_types.h"
#include "engine/versification.h"
#include "tools/library_builder/sword_keys.h"

namespace kvx::library {
namespace {

void Join(std::optional<std::string>& slot, const std::string& text) {
    if (text.empty()) return;
    if (!slot || slot->empty()) {
        slot = text;
        return;
    }
    *slot += ' ';
    *slot += text;
}

// The number of the last verse of a chapter in the standard numbering; 0 if none.
int LastVerseOfChapter(int book, int chapter) {
    const auto& books = StandardVersification().Books;
    if (book < 1 || book > static_cast<int>(books.size()) || chapter < 1) return 0;
    chapter = std::min(chapter, static_cast<int>(books[static_cast<size_t>(book - 1)].VersesPerChapter.size()));
    return StandardVerseNumber({book, chapter, StandardVersification().ChapterLength(book, chapter)});
}

}  // namespace

TBibleConversion ConvertSwordBible(const std::vector<TImpEntry>& entries, const TOsisVerseOptions& options,
                                   const std::function<void(size_t, size_t)>& progress) {
    TBibleConversion result;
    result.Verses.resize(kStandardVerseCount);
    result.ParagraphStarts.assign(kStandardVerseCount, 0);
    const TOsisVerseConverter converter(options);
    std::map<std::pair<int, int>, std::string> headings;  // (book, chapter) -> small print for verse 1

    const size_t step = entries.size() / 100 + 1;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (progress && i % step == 0) progress(i, entries.size());
        const TImpEntry& entry = entries[i];
        TSwordVerseKey key;
        if (!ParseSwordVerseKey(entry.Key, key)) continue;
        if (key.Book == 0) {
            ++result.KeysOfOtherBooks;
            continue;
        }
        if (key.Chapter == 0) continue;  // the book's introduction
        if (key.Verse == 0) {
            std::string small = converter.Headings(entry.Text);
            if (!small.empty()) headings[{key.Book, key.Chapter}] = std::move(small);
            continue;
        }
        TOsisVerse verse = converter.Convert(entry.Text);
        if (key.Verse == 1) {
            auto it = headings.find({key.Book, key.Chapter});
            if (it != headings.end()) {
                verse.Text = verse.Text.empty() ? it->second : it->second + " " + verse.Text;
                headings.erase(it);
            }
        }
        int number = StandardVerseNumber(key);
        if (number == 0) {
            // The source's versification has a verse here that the shared one lacks.
            number = LastVerseOfChapter(key.Book, key.Chapter);
            if (number == 0) continue;
            if (!verse.Text.empty()) ++result.KeysMerged;
        }
        Join(result.Verses[static_cast<size_t>(number - 1)], verse.Text);
        if (verse.ParagraphSign) result.ParagraphStarts[static_cast<size_t>(number - 1)] = 1;
    }
    for (const auto& v : result.Verses)
        if (v) ++result.VersesWithText;
    if (progress) progress(entries.size(), entries.size());
    return result;
}

std::string ParagraphMapBytes(const TBibleConversion& conversion) {
    return std::string(conversion.ParagraphStarts.begin(), conversion.ParagraphStarts.end());
}

}  // namespace kvx::library
