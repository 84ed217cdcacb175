// Opening a Bible module, the verse-number conversions and verse text. The
// searches live in bible_search.cpp.
#include "engine/bible_module.h"

#include <algorithm>
#include <cstring>

#include "engine/module_hash.h"
#include "engine/name_list.h"
#include "engine/parse_words.h"
#include "engine/search_index.h"
#include "engine/zb_zlib.h"
#include "platform/exception.h"
#include "platform/file_util.h"

namespace kvx {

namespace bf = bible_format;

std::string ReadShortString(const uint8_t* field, size_t maxLength) {
    size_t length = std::min<size_t>(field[0], maxLength);
    return std::string(reinterpret_cast<const char*>(field + 1), length);
}

namespace {

TBlockDescriptor HeaderBlock(const std::array<uint8_t, bf::kHeaderSize>& header, size_t at) {
    return TBlockDescriptor::DecodeFrom(header.data() + at);
}

}  // namespace

TZBBibleModule::TZBBibleModule(const std::string& fileName)
    : fileName_(fileName), comparer_(std::make_unique<TkvcStrComp2k>()) {
    if (!FileExists(fileName)) throw Exception(Format("%s does not exist.", fileName.c_str()));
    file_ = std::make_unique<TMappedFile>(fileName);
    std::memcpy(header_.data(), file_->Region(0, bf::kHeaderSize, "header"), bf::kHeaderSize);

    const uint8_t* magic = header_.data() + bf::kMagic;
    std::string found = ReadShortString(magic, 6);
    if (magic[0] != 6 || found != bf::kMagicText)
        throw Exception(Format("Invalid Bible module file header (%s).", found.c_str()));

    moduleName_ = ReadShortString(header_.data() + bf::kModuleName, bf::kModuleNameMax);
    abbreviation_ = ReadShortString(header_.data() + bf::kAbbreviation, bf::kAbbreviationMax);
    fontName_ = ReadShortString(header_.data() + bf::kFontName, bf::kFontNameMax);
    bookCount_ = ReadU16(header_.data() + bf::kBookCount);
    verseCount_ = ReadU16(header_.data() + bf::kVerseCount);
    if (bookCount_ == 0 || verseCount_ == 0)
        throw Exception(Format("Module file is corrupt: it has no books or no verses (%s).", fileName.c_str()));

    verseTable_ = file_->Region(ReadU32(header_.data() + bf::kVerseTableOffset),
                                static_cast<uint64_t>(verseCount_) * bf::kVerseRecordSize, "verse table");
    const uint8_t* firsts =
        file_->Region(ReadU32(header_.data() + bf::kBookFirstVerseOffset), 2ull * bookCount_, "book table");
    const uint8_t* chapters =
        file_->Region(ReadU32(header_.data() + bf::kChapterCountOffset), bookCount_, "chapter table");
    firstVerses_.resize(static_cast<size_t>(bookCount_));
    chapterCounts_.assign(chapters, chapters + bookCount_);
    for (int b = 0; b < bookCount_; ++b) {
        firstVerses_[static_cast<size_t>(b)] = ReadU16(firsts + 2 * b);
        // Every conversion starts its walk of the verse records here.
        if (firstVerses_[static_cast<size_t>(b)] < 1 || firstVerses_[static_cast<size_t>(b)] > verseCount_)
            throw Exception(Format("Module file is corrupt: the book table names a verse outside the module (%s).",
                                   fileName.c_str()));
    }

    bookNames_ = SplitNameList(ReadBlockText(*file_, HeaderBlock(header_, bf::kBookNamesBlock), "book names"));
    bookAbbreviations_ =
        SplitNameList(ReadBlockText(*file_, HeaderBlock(header_, bf::kAbbreviationsBlock), "book abbreviations"));
    infoText_ = ReadBlockText(*file_, HeaderBlock(header_, bf::kInfoTextBlock), "information text");

    const uint32_t stored = StoredHash();
    if (HeaderHash(kPublisherSeed) != stored && HeaderHash(kBuilderSeed) != stored)
        throw Exception("Module file has invalid or corrupt hash.");
}

TZBBibleModule::~TZBBibleModule() = default;

uint32_t TZBBibleModule::HeaderHash(uint32_t seed) const { return SeededAdler32(seed, header_.data(), bf::kHashed); }

uint32_t TZBBibleModule::StoredHash() const { return ReadU32(header_.data() + bf::kHash); }

TZBBibleModule::VerseRecord TZBBibleModule::Record(int verse) const {
    verse = std::clamp(verse, 1, verseCount_);
    const uint8_t* r = verseTable_ + static_cast<size_t>(verse - 1) * bf::kVerseRecordSize;
    return {ReadU32(r), ReadU16(r + 4), ReadU16(r + 6), r[8], r[9], r[10]};
}

std::string TZBBibleModule::BookName(int book) const {
    return book >= 1 && static_cast<size_t>(book) <= bookNames_.size() ? bookNames_[static_cast<size_t>(book - 1)]
                                                                         : std::string();
}

std::string TZBBibleModule::BookAbbreviation(int book) const {
    return book >= 1 && static_cast<size_t>(book) <= bookAbbreviations_.size()
               ? bookAbbreviations_[static_cast<size_t>(book - 1)]
               : std::string();
}

int TZBBibleModule::FirstVerseOfBook(int book) const {
    if (book < 1) return 1;
    if (book > bookCount_) return verseCount_;
    return firstVerses_[static_cast<size_t>(book - 1)];
}

int TZBBibleModule::ChapterCount(int book) const {
    if (book < 1 || book > bookCount_) return 0;
    return chapterCounts_[static_cast<size_t>(book - 1)];
}

void TZBBibleModule::DecodeVerse(int verse, int& book, int& chapter, int& verseInChapter) const {
    if (verse < 1 || verse > verseCount_) {
        book = chapter = verseInChapter = 0;
        return;
    }
    VerseRecord r = Record(verse);
    book = r.book;
    chapter = r.chapter;
    verseInChapter = r.verse;
}

int TZBBibleModule::VerseNumber(int book, int chapter, int verse) const {
    if (book < 1) return 1;
    if (book > bookCount_) return verseCount_;
    const int first = FirstVerseOfBook(book);
    if (chapter == 1 && verse == 1) return first;
    // The records run in book, chapter, verse order, so the answer -- the last verse
    // of the book at or before chapter:verse, or the book's first verse when none is --
    // is found by halving the book instead of walking it: a walk to the end of the
    // Psalms reads thousands of records.
    const int last = book < bookCount_ ? std::max(first, FirstVerseOfBook(book + 1) - 1) : verseCount_;
    auto atOrBefore = [&](int e) {
        VerseRecord r = Record(e);
        return r.chapter < chapter || (r.chapter == chapter && r.verse <= std::max(verse, 1));
    };
    if (atOrBefore(last)) return last;
    int low = first, high = last - 1;
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (atOrBefore(mid))
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

bool TZBBibleModule::VerseHasText(int verse) const {
    return verse >= 1 && verse <= verseCount_ && Record(verse).offset != 0;
}

bool TZBBibleModule::ChapterHasText(int book, int chapter) const {
    const int first = VerseNumber(book, chapter, 1);
    const int lastVerse = Record(VerseNumber(book, chapter, 255)).verse;
    const int last = VerseNumber(book, chapter, lastVerse);
    for (int v = first; v <= last; ++v)
        if (Record(v).offset != 0) return true;
    return false;
}

bool TZBBibleModule::BookHasText(int book) const {
    const int chapters = ChapterCount(book);
    for (int c = 1; c <= chapters; ++c)
        if (ChapterHasText(book, c)) return true;
    return false;
}

std::string TZBBibleModule::VerseReference(int verse) const {
    const uint16_t v = static_cast<uint16_t>(verse);
    if (v == 0 || v > verseCount_) return "Verse index out of range.";
    int b, c, vc;
    DecodeVerse(v, b, c, vc);
    return Format("%s %d:%d", BookAbbreviation(b).c_str(), c, vc);
}

std::string TZBBibleModule::FormatVerseRanges(const TVerseRangeList& ranges) const {
    std::string result;
    int lastBook = -1, lastChapter = -1;
    for (const TVerseRange& range : ranges) {
        if (range.First < 1 || range.First > verseCount_) continue;
        int last = range.Last;
        if (last < range.First || last > verseCount_) last = range.First;
        int b, c, v;
        DecodeVerse(range.First, b, c, v);
        std::string piece;
        if (b != lastBook) {
            if (!result.empty()) result += "; ";
            piece = Format("%s %d:%d", BookAbbreviation(b).c_str(), c, v);
        } else if (c == lastChapter) {
            if (!result.empty()) result += ",";
            piece = std::to_string(v);
        } else {
            if (!result.empty()) result += "; ";
            piece = Format("%d:%d", c, v);
        }
        if (last != range.First) {
            int lb, lc, lv;
            DecodeVerse(last, lb, lc, lv);
            piece += "-";
            if (lb != b)
                piece += Format("%s %d:%d", BookAbbreviation(lb).c_str(), lc, lv);
            else if (lc == c)
                piece += std::to_string(lv);
            else
                piece += Format("%d:%d", lc, lv);
        }
        // The next piece continues from where this one ended: remembering the start
        // would write a following verse of the first chapter as if it were in the last.
        DecodeVerse(last, lastBook, lastChapter, v);
        result += piece;
    }
    return result;
}

namespace {

void RemoveStrongsMarkers(std::string& text, char marker) {
    size_t out = 0;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == marker) {
            i = std::min(text.size(), i + 1 + kStrongsMarkerDigits);
            continue;
        }
        text[out++] = text[i++];
    }
    text.resize(out);
}

void RemoveFootnotes(std::string& text) {
    size_t open = text.find('{');
    if (open == std::string::npos) return;
    std::string result(text, 0, open);
    size_t pos = open;
    while (pos != std::string::npos) {
        size_t close = text.find('}', pos);
        if (close == std::string::npos) {
            // A brace that never closes is kept with the rest of the verse: dropping it
            // would hide text from the reader.
            result.append(text, pos, std::string::npos);
            break;
        }
        size_t next = text.find('{', close + 1);
        result.append(text, close + 1, next == std::string::npos ? std::string::npos : next - close - 1);
        pos = next;
    }
    text = std::move(result);
}

}  // namespace

std::string TZBBibleModule::GetVerseText(int verse, bool keepStrongs, bool keepFootnotes) const {
    if (verse < 1 || verse > verseCount_) throw Exception(Format("GetVerseText verse number (%d) out of range.", verse));
    VerseRecord r = Record(verse);
    if (r.offset == 0) return "-";
    const uint8_t* data = file_->Region(r.offset, r.stored, "verse text");
    std::string text = DecompressBlock(data, r.stored, r.length);
    if (!keepStrongs && HasStrongs()) {
        RemoveStrongsMarkers(text, static_cast<char>(kHebrewStrongsMarker));
        RemoveStrongsMarkers(text, static_cast<char>(kGreekStrongsMarker));
    }
    if (!keepFootnotes && HasFootnotes()) RemoveFootnotes(text);
    return text;
}

std::unique_ptr<TZBWordIndex> TZBBibleModule::LoadWordList(size_t presentFlag, size_t listBlock, size_t recordsOffset,
                                                           const char* what) const {
    if (ReadU32(header_.data() + presentFlag) == 0) return nullptr;
    std::vector<std::string> words = SplitNameList(ReadBlockText(*file_, HeaderBlock(header_, listBlock), what));
    return std::make_unique<TZBWordIndex>(std::move(words), *file_, ReadU32(header_.data() + recordsOffset), what);
}

const TZBWordIndex* TZBBibleModule::MainWordList() {
    if (!mainLoaded_) {
        mainWords_ = LoadWordList(bf::kHasMainIndex, bf::kMainWordListBlock, bf::kMainRecordsOffset, "word index");
        mainLoaded_ = true;
    }
    return mainWords_.get();
}

const TZBWordIndex* TZBBibleModule::StrongsList() {
    if (!strongsLoaded_) {
        strongsWords_ =
            LoadWordList(bf::kHasStrongsIndex, bf::kStrongsListBlock, bf::kStrongsRecordsOffset, "Strong's index");
        strongsLoaded_ = true;
    }
    return strongsWords_.get();
}

const TZBWordIndex* TZBBibleModule::FootnoteWordList() {
    if (!footnotesLoaded_) {
        footnoteWords_ =
            LoadWordList(bf::kHasFootnoteIndex, bf::kFootnoteListBlock, bf::kFootnoteRecordsOffset, "footnote index");
        footnotesLoaded_ = true;
    }
    return footnoteWords_.get();
}

}  // namespace kvx
