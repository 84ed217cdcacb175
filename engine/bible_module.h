// A Bible translation: one read-only .zb5bible file, mapped, checked and asked for
// names, verse-number conversions, verse text, word indexes, searches and
// suggestions for words it lacks.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <string_view>

#include "engine/bible_format.h"
#include "engine/boolean_array.h"
#include "engine/file_mapper.h"
#include "engine/search_index.h"
#include "engine/search_keys.h"
#include "engine/str_comp.h"
#include "engine/verse_types.h"
#include "engine/word_index.h"

namespace kvx {

class TZBBibleModule {
public:
    // Opens and checks the file; raises with the reason when it cannot be used.
    explicit TZBBibleModule(const std::string& fileName);
    ~TZBBibleModule();
    TZBBibleModule(const TZBBibleModule&) = delete;
    TZBBibleModule& operator=(const TZBBibleModule&) = delete;

    const std::string& FileName() const { return fileName_; }
    const std::string& ModuleName() const { return moduleName_; }
    const std::string& Abbreviation() const { return abbreviation_; }
    // The library loader renames the Strong's-links twin of a module.
    void SetModuleName(const std::string& name) { moduleName_ = name; }
    void SetAbbreviation(const std::string& abbreviation) { abbreviation_ = abbreviation; }
    const std::string& InfoText() const { return infoText_; }
    const std::string& FontName() const { return fontName_; }
    bool UseModuleFont() const { return header_[bible_format::kFlagUseFont] != 0; }
    bool HasStrongs() const { return header_[bible_format::kFlagStrongs] != 0; }
    bool HasSuppliedWords() const { return header_[bible_format::kFlagSupplied] != 0; }
    bool HasFootnotes() const { return header_[bible_format::kFlagFootnotes] != 0; }
    bool IsUTF8() const { return header_[bible_format::kFlagUtf8] != 0; }
    bool StrongsLinks() const { return strongsLinks_; }
    void SetStrongsLinks(bool value) { strongsLinks_ = value; }
    // The library's flag: whether the module has a tab when only selected tabs show.
    bool TabShown() const { return tabShown_; }
    void SetTabShown(bool value) { tabShown_ = value; }

    // Verse numbering.
    int BookCount() const { return bookCount_; }
    int VerseCount() const { return verseCount_; }
    const std::vector<std::string>& BookNames() const { return bookNames_; }
    const std::vector<std::string>& BookAbbreviations() const { return bookAbbreviations_; }
    // The name or abbreviation of book b (1-based); empty outside the list.
    std::string BookName(int book) const;
    std::string BookAbbreviation(int book) const;
    int FirstVerseOfBook(int book) const;
    int ChapterCount(int book) const;
    void DecodeVerse(int verse, int& book, int& chapter, int& verseInChapter) const;
    int VerseNumber(int book, int chapter, int verse) const;
    bool VerseHasText(int verse) const;
    bool ChapterHasText(int book, int chapter) const;
    bool BookHasText(int book) const;
    std::string VerseReference(int verse) const;
    std::string FormatVerseRanges(const TVerseRangeList& ranges) const;

    uint32_t HeaderHash(uint32_t seed) const;
    // The hash stored in the file, for telling which seed made it.
    uint32_t StoredHash() const;

    // Raises "GetVerseText verse number (%d) out of range."; "-" for a verse without text.
    std::string GetVerseText(int verse, bool keepStrongs, bool keepFootnotes) const;

    // Word indexes, built on first use; nullptr when the module has none.
    const TZBWordIndex* MainWordList();
    const TZBWordIndex* StrongsList();
    const TZBWordIndex* FootnoteWordList();

    // Searches (flag bits in engine/bible_search.h). The range is first..last in verse
    // numbers; -1 stands for the first or the last verse of the module. Found verses
    // come out in ascending order; keys receive a node per searched word or phrase.
    // The full query language:
    void SearchQuery(std::string_view query, uint32_t flags, TVerseList& verses, int last, int first,
                     TZBSearchKeysData& keys);
    // The whole text as one phrase, no operators:
    void SearchPhraseQuery(std::string_view text, uint32_t flags, TVerseList& verses, int last, int first,
                           TZBSearchKeysData& keys);
    // One word as it stands, not split:
    void SearchSingleWord(std::string_view word, uint32_t flags, TVerseList& verses, int last, int first,
                          TZBSearchKeysData& keys);
    // The steps of a search, each giving a set of VerseCount items (item v-1 for verse v).
    TBooleanArray Evaluate(std::string_view query, uint32_t flags, TZBSearchKeysData& keys, int first, int last);
    TBooleanArray SearchPhrase(std::string_view text, uint32_t flags, TZBSearchKeyNode& node, int first, int last);
    TBooleanArray SearchWord(const std::string& word, uint32_t flags, TZBSearchKeyMatchingWords& position, int first,
                             int last);
    // Raises "IndexList nil (%s, %s)" when list is null (the module lacks that index).
    TBooleanArray MatchIndex(std::string_view word, const TZBWordIndex* list, TZBSearchKeyMatchingWords& position,
                             int first, int last, uint32_t flags);
    // With the lookup tables off every word search walks the whole word list; the
    // results are the same, only slower once a module is searched more than a few
    // times. On by default; an index gets its tables at its third look-up, so a
    // program that searches once does not pay for them.
    void SetSearchAcceleration(bool on) { accelerate_ = on; }

    // Close matches and suggestions.
    // The main words lowered, sorted without regard to case, without duplicates and
    // without entries that start with a digit or punctuation; built on first use.
    const std::vector<std::string>& SuggestionWordList();
    // Up to max words of the list most like word, best first; word is lowered.
    std::vector<std::string> Suggestions(std::string& word, int max);

private:
    // -1 and values beyond the module become its first or last verse.
    void NormalizeRange(int& first, int& last) const;
    TSearchWordIndex* SearchIndexFor(const TZBWordIndex* list);

    struct VerseRecord {
        uint32_t offset;
        uint16_t length;
        uint16_t stored;
        uint8_t book, chapter, verse;
    };
    VerseRecord Record(int verse) const;  // verse clamped into 1..VerseCount
    std::unique_ptr<TZBWordIndex> LoadWordList(size_t presentFlag, size_t listBlock, size_t recordsOffset,
                                               const char* what) const;

    std::string fileName_;
    std::unique_ptr<TMappedFile> file_;
    std::array<uint8_t, bible_format::kHeaderSize> header_{};
    std::string moduleName_;
    std::string abbreviation_;
    std::string fontName_;
    std::string infoText_;
    int bookCount_ = 0;
    int verseCount_ = 0;
    std::vector<std::string> bookNames_;
    std::vector<std::string> bookAbbreviations_;
    TBookVerseIndexTable firstVerses_;
    TMaxChapterTable chapterCounts_;
    const uint8_t* verseTable_ = nullptr;
    bool strongsLinks_ = false;
    bool tabShown_ = true;

    std::unique_ptr<TZBWordIndex> mainWords_;
    std::unique_ptr<TZBWordIndex> strongsWords_;
    std::unique_ptr<TZBWordIndex> footnoteWords_;
    bool mainLoaded_ = false, strongsLoaded_ = false, footnotesLoaded_ = false;

    std::unique_ptr<TkvcStrComp2k> comparer_;
    TLazySearchIndex mainSearch_, strongsSearch_, footnoteSearch_;
    bool accelerate_ = true;
    std::vector<std::string> suggestionWords_;
    bool suggestionsBuilt_ = false;
};

using TZBBibleModuleArray = std::vector<std::unique_ptr<TZBBibleModule>>;

// Reads a ShortString field: a length byte and up to maxLength characters.
std::string ReadShortString(const uint8_t* field, size_t maxLength);

}  // namespace kvx
