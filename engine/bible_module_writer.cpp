// Laying out a Bible module: texts, verse table, book tables, name blocks and the
// three word indexes, then the header with its hash.
#include "engine/bible_module_writer.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "engine/bible_format.h"
#include "engine/module_output.h"
#include "engine/name_list.h"
#include "engine/parse_words.h"
#include "engine/zb_zlib.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "platform/file_util.h"

namespace kvx {

namespace bf = bible_format;

namespace {

// An empty text gets no block at all.
TBlockDescriptor StoreBlock(TModuleOutput& out, std::string_view text) {
    return text.empty() ? TBlockDescriptor{} : out.StoreBlock(text);
}

// Word -> ascending verse numbers.
using Postings = std::map<std::string, std::vector<uint16_t>, std::less<>>;

void AddPosting(Postings& index, std::string word, uint16_t verse) {
    auto& list = index[std::move(word)];
    if (list.empty() || list.back() != verse) list.push_back(verse);
}

struct StoredIndex {
    TBlockDescriptor list;
    uint32_t records = 0;
};

// Writes posting lists and records in the order of `words`.
StoredIndex StoreIndex(TModuleOutput& out, const std::vector<std::string>& words, const Postings& index) {
    std::string records;
    std::string postings;
    std::vector<uint32_t> postingOffsets;
    // Posting lists first, then the record array that points at them.
    for (const std::string& w : words) {
        const auto& list = index.find(w)->second;
        if (list.size() > UINT16_MAX) throw Exception(Format("Too many postings for word %s.", w.c_str()));
        std::string bytes;
        for (uint16_t v : list) PutU16(bytes, v);
        postingOffsets.push_back(out.Append(bytes));
    }
    for (size_t i = 0; i < words.size(); ++i) {
        PutU32(records, postingOffsets[i]);
        PutU16(records, static_cast<uint16_t>(index.find(words[i])->second.size()));
    }
    StoredIndex stored;
    // Even an empty index gets a (zero-length) record array inside the file.
    stored.records = out.Append(records);
    stored.list = StoreBlock(out, JoinNameList(words));
    return stored;
}

}  // namespace

std::string StrongsIndexWord(std::string_view markerWord) {
    std::string word(1, static_cast<unsigned char>(markerWord[0]) == kGreekStrongsMarker ? 'G' : 'H');
    size_t i = 1;
    while (i + 1 < markerWord.size() && markerWord[i] == '0') ++i;
    word.append(markerWord.substr(i));
    return word;
}

std::string BuildBibleModule(const TBibleModuleSource& source) {
    const auto& books = source.Versification.Books;
    const int verseCount = source.Versification.VerseCount();
    if (books.empty() || books.size() > 255) throw Exception("A Bible module needs 1 to 255 books.");
    if (verseCount < 1 || verseCount > UINT16_MAX) throw Exception("A Bible module needs 1 to 65535 verses.");
    if (static_cast<int>(source.Verses.size()) != verseCount)
        throw Exception(Format("The verse texts (%zu) do not match the versification (%d verses).",
                               source.Verses.size(), verseCount));

    TModuleOutput out(bf::kHeaderSize, "Bible module would exceed 4 GB.");
    Postings mainIndex, strongsIndex, footnoteIndex;
    std::string verseTable;
    std::vector<std::string> words;
    TZBParsedStringLocations locations;

    int verse = 0;
    for (size_t b = 0; b < books.size(); ++b) {
        const auto& chapters = books[b].VersesPerChapter;
        if (chapters.empty() || chapters.size() > 255)
            throw Exception(Format("Book %zu needs 1 to 255 chapters.", b + 1));
        for (size_t c = 0; c < chapters.size(); ++c) {
            if (chapters[c] < 1 || chapters[c] > 255)
                throw Exception(Format("Chapter %zu of book %zu needs 1 to 255 verses.", c + 1, b + 1));
            for (int v = 1; v <= chapters[c]; ++v) {
                const auto& text = source.Verses[static_cast<size_t>(verse)];
                ++verse;
                uint32_t offset = 0;
                uint16_t length = 0, stored = 0;
                if (text) {
                    if (text->size() > UINT16_MAX) throw Exception(Format("Verse %d is too long.", verse));
                    std::string packed = CompressBlock(*text, TCompressionLevel::Max);
                    if (packed.size() > UINT16_MAX) throw Exception(Format("Verse %d is too long.", verse));
                    offset = out.Append(packed);
                    length = static_cast<uint16_t>(text->size());
                    stored = static_cast<uint16_t>(packed.size());

                    // Words outside footnotes go to the main index (Strong's words to
                    // theirs); words inside braces to the footnote index.
                    std::string mainText;
                    std::string notes;
                    if (source.HasFootnotes) {
                        bool inNote = false;
                        for (char ch : *text) {
                            if (!inNote && ch == '{') { inNote = true; mainText += ' '; continue; }
                            if (inNote && ch == '}') { inNote = false; notes += ' '; continue; }
                            (inNote ? notes : mainText) += ch;
                        }
                    } else {
                        mainText = *text;
                    }
                    ParseWords(mainText, BibleWordDelimiters, words, locations, false, false);
                    for (std::string& w : words) {
                        unsigned char first = static_cast<unsigned char>(w[0]);
                        bool marker = first == kHebrewStrongsMarker || first == kGreekStrongsMarker;
                        if (marker) {
                            if (source.HasStrongs && w.size() > 1) AddPosting(strongsIndex, StrongsIndexWord(w), static_cast<uint16_t>(verse));
                        } else {
                            AddPosting(mainIndex, std::move(w), static_cast<uint16_t>(verse));
                        }
                    }
                    if (!notes.empty()) {
                        ParseWords(notes, BibleWordDelimiters, words, locations, false, true);
                        for (std::string& w : words) AddPosting(footnoteIndex, std::move(w), static_cast<uint16_t>(verse));
                    }
                }
                PutU32(verseTable, offset);
                PutU16(verseTable, length);
                PutU16(verseTable, stored);
                verseTable += static_cast<char>(b + 1);
                verseTable += static_cast<char>(c + 1);
                verseTable += static_cast<char>(v);
            }
        }
    }

    uint8_t* h = out.At(0);
    const uint32_t verseTableAt = out.Append(verseTable);
    std::string firsts, chapterCounts;
    int first = 1;
    std::vector<std::string> names, abbreviations;
    for (const auto& book : books) {
        PutU16(firsts, static_cast<uint16_t>(first));
        chapterCounts += static_cast<char>(book.VersesPerChapter.size());
        for (int n : book.VersesPerChapter) first += n;
        names.push_back(book.Name);
        abbreviations.push_back(book.Abbreviation);
    }
    const uint32_t firstsAt = out.Append(firsts);
    const uint32_t chaptersAt = out.Append(chapterCounts);

    auto keys = [](const Postings& index) {
        std::vector<std::string> list;
        for (const auto& [word, postings] : index) list.push_back(word);
        return list;
    };
    std::vector<std::string> mainWords = keys(mainIndex);
    std::vector<std::string> strongsWords = keys(strongsIndex);
    // The reader expects the Strong's list in case-insensitive order, which byte
    // order gives only while every letter is upper case.
    std::stable_sort(strongsWords.begin(), strongsWords.end(),
                     [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    std::vector<std::string> footnoteWords = keys(footnoteIndex);

    StoredIndex mainStored = StoreIndex(out, mainWords, mainIndex);
    StoredIndex strongsStored, footnoteStored;
    if (source.HasStrongs) strongsStored = StoreIndex(out, strongsWords, strongsIndex);
    if (source.HasFootnotes) footnoteStored = StoreIndex(out, footnoteWords, footnoteIndex);

    TBlockDescriptor namesBlock = StoreBlock(out, JoinNameList(names));
    TBlockDescriptor abbreviationsBlock = StoreBlock(out, JoinNameList(abbreviations));
    TBlockDescriptor infoBlock = StoreBlock(out, source.InfoText);

    h = out.At(0);  // the buffer may have moved
    static const char kBanner[] = "Karvelindorax Bible module\r\n";
    std::memcpy(h + bf::kBanner, kBanner, sizeof kBanner - 1);
    SetShortString(h + bf::kModuleName, source.ModuleName, bf::kModuleNameMax);
    SetShortString(h + bf::kAbbreviation, source.Abbreviation, bf::kAbbreviationMax);
    SetU16(h + bf::kBookCount, static_cast<uint16_t>(books.size()));
    SetU16(h + bf::kVerseCount, static_cast<uint16_t>(verseCount));
    SetU32(h + bf::kHasMainIndex, 1);
    SetU32(h + bf::kHasFootnoteIndex, source.HasFootnotes ? 1 : 0);
    SetU32(h + bf::kHasStrongsIndex, source.HasStrongs ? 1 : 0);
    h[bf::kFlagStrongs] = source.HasStrongs;
    h[bf::kFlagSupplied] = source.HasSuppliedWords;
    h[bf::kFlagUseFont] = source.UseModuleFont;
    h[bf::kFlagFootnotes] = source.HasFootnotes;
    SetShortString(h + bf::kFontName, source.FontName, bf::kFontNameMax);
    SetU32(h + bf::kVerseTableOffset, verseTableAt);
    SetU32(h + bf::kBookFirstVerseOffset, firstsAt);
    SetU32(h + bf::kChapterCountOffset, chaptersAt);
    SetU32(h + bf::kMainRecordsOffset, mainStored.records);
    SetU32(h + bf::kStrongsRecordsOffset, strongsStored.records);
    SetU32(h + bf::kFootnoteRecordsOffset, footnoteStored.records);
    mainStored.list.EncodeTo(h + bf::kMainWordListBlock);
    strongsStored.list.EncodeTo(h + bf::kStrongsListBlock);
    footnoteStored.list.EncodeTo(h + bf::kFootnoteListBlock);
    namesBlock.EncodeTo(h + bf::kBookNamesBlock);
    abbreviationsBlock.EncodeTo(h + bf::kAbbreviationsBlock);
    infoBlock.EncodeTo(h + bf::kInfoTextBlock);
    h[bf::kFlagUtf8] = source.IsUTF8;
    SetShortString(h + bf::kMagic, bf::kMagicText, 6);
    SetU32(h + bf::kHash, SeededAdler32(source.Seed, h, bf::kHashed));
    return std::move(out.Data());
}

void WriteBibleModule(const TBibleModuleSource& source, const std::string& fileName) {
    WriteFileAtomically(fileName, BuildBibleModule(source));
}

}  // namespace kvx
