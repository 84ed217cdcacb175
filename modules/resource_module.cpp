// Opening a resource module, entry texts, title look-up and the verse index. The
// searches live in resource_search.cpp.
#include "modules/resource_module.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "engine/bible_module.h"
#include "engine/name_list.h"
#include "engine/search_index.h"
#include "engine/zb_zlib.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "platform/file_util.h"

namespace kvx {

namespace rf = resource_format;

TZBDictionaryModule::TZBDictionaryModule(const std::string& fileName)
    : fileName_(fileName), comparer_(std::make_unique<TkvcStrComp2k>()) {
    Open(fileName);
}

TZBDictionaryModule::~TZBDictionaryModule() = default;

void TZBDictionaryModule::Open(const std::string& fileName) {
    fileName_ = fileName;
    if (!FileExists(fileName)) throw Exception(Format("%s does not exist.", fileName.c_str()));
    file_ = std::make_unique<TMappedFile>(fileName);
    const TMappedFile& file = *file_;
    std::memcpy(header_.data(), file.Region(0, rf::kHeaderSize, "header"), rf::kHeaderSize);
    const uint8_t* h = header_.data();

    const std::string magic = ReadShortString(h + rf::kMagic, rf::kMagicLength);
    if (h[rf::kMagic] != rf::kMagicLength || magic != rf::kMagicText)
        throw Exception(Format("Invalid resource module file header (%s).", magic.c_str()));

    moduleName_ = ReadShortString(h + rf::kModuleName, rf::kModuleNameMax);
    abbreviation_ = ReadShortString(h + rf::kAbbreviation, rf::kAbbreviationMax);
    moduleCode_ = ReadShortString(h + rf::kModuleCode, rf::kModuleCodeMax);
    entryCount_ = ReadU16(h + rf::kEntryCount);
    wordCount_ = ReadU32(h + rf::kWordCount);

    // Every table the reader walks later is checked against the file now, so that
    // look-ups need no test of their own and a damaged file is refused at once.
    entryArray_ = file.Region(ReadU32(h + rf::kEntryArrayOffset),
                              static_cast<uint64_t>(entryCount_) * rf::kEntryRecordSize, "entry data array");
    wordRecordsOffset_ = ReadU32(h + rf::kWordRecordsOffset);
    file.Region(wordRecordsOffset_, static_cast<uint64_t>(wordCount_) * rf::kWordRecordSize, "word index records");
    verseIndex_ = nullptr;
    if (HasVerseIndex()) {
        const uint8_t* records = file.Region(ReadU32(h + rf::kVerseRecordsOffset),
                                             static_cast<uint64_t>(rf::kVerseRecordCount) * rf::kVerseRecordSize,
                                             "verse index records");
        for (int v = 0; v < rf::kVerseRecordCount; ++v) {
            const uint8_t* r = records + static_cast<size_t>(v) * rf::kVerseRecordSize;
            if (ReadU32(r) != 0) file.Region(ReadU32(r), 2ull * ReadU16(r + 4), "verse index posting list");
        }
        verseIndex_ = records;
    }

    infoText_ = ReadBlockText(file, TBlockDescriptor::DecodeFrom(h + rf::kInfoTextBlock), "information text");
    entryTitles_ = SplitNameList(ReadBlockText(file, TBlockDescriptor::DecodeFrom(h + rf::kTitlesBlock), "titles"));

    const uint32_t stored = StoredHash();
    if (HeaderHash(kPublisherSeed) == stored)
        origin_ = TModuleOrigin::Publisher;
    else if (HeaderHash(kUserModuleSeed) == stored)
        origin_ = TModuleOrigin::User;
    else if (HeaderHash(kBuilderSeed) == stored)
        origin_ = TModuleOrigin::Builder;
    else
        throw Exception("Module file has invalid or corrupt hash.");

    // A book's title look-ups and phrase checks take title e for entry e.
    if (!IsCommentary() && entryTitles_.size() != static_cast<size_t>(entryCount_))
        throw Exception(Format("Module file is corrupt: it has %d entries but %zu titles (%s).", entryCount_,
                               entryTitles_.size(), fileName.c_str()));
}

void TZBDictionaryModule::CloseFile() {
    wordSearch_.Reset();
    wordList_.reset();
    entryArray_ = nullptr;
    verseIndex_ = nullptr;
    file_.reset();
}

void TZBDictionaryModule::Reopen(const std::string& fileName) {
    CloseFile();
    try {
        Open(fileName);
        CheckKind();
    } catch (...) {
        // Nothing may point into a mapping that was refused.
        CloseFile();
        throw;
    }
}

const TMappedFile& TZBDictionaryModule::File() const {
    if (!file_) throw Exception(Format("Module file %s is closed.", fileName_.c_str()));
    return *file_;
}

uint32_t TZBDictionaryModule::HeaderHash(uint32_t seed) const {
    return SeededAdler32(seed, header_.data(), rf::kHashed);
}

uint32_t TZBDictionaryModule::StoredHash() const { return ReadU32(header_.data() + rf::kHash); }

TBlockDescriptor TZBDictionaryModule::EntryDescriptor(int entry) const {
    if (!entryArray_ || entry < 0 || entry >= entryCount_) return {};
    return TBlockDescriptor::DecodeFrom(entryArray_ + static_cast<size_t>(entry) * rf::kEntryRecordSize);
}

std::string TZBDictionaryModule::StoredEntryText(int entry) const {
    if (entry < 0 || entry >= entryCount_)
        throw Exception(Format("GetEntryText entry number (%d) out of range.", entry));
    const TMappedFile& file = File();
    return ReadBlockText(file, EntryDescriptor(entry), "entry text");
}

std::string TZBDictionaryModule::GetEntryText(int entry) const { return StoredEntryText(entry); }

int TZBDictionaryModule::FindEntry(std::string_view text) const {
    const std::vector<std::string>& titles = entryTitles_;
    if (titles.empty()) return -1;
    auto insertionPoint = [&](std::string_view key) {
        return static_cast<size_t>(
            std::lower_bound(titles.begin(), titles.end(), key,
                             [](const std::string& title, std::string_view k) { return AnsiCompareText(title, k) < 0; }) -
            titles.begin());
    };
    const size_t at = insertionPoint(text);
    if (at < titles.size() && AnsiCompareText(titles[at], text) == 0) return static_cast<int>(at);

    // A typed plural finds its singular.
    if (text.size() >= 2 && (text.back() == 's' || text.back() == 'S')) {
        const std::string_view singular = text.substr(0, text.size() - 1);
        const size_t s = insertionPoint(singular);
        if (s < titles.size() && AnsiCompareText(titles[s], singular) == 0) return static_cast<int>(s);
    }

    size_t i = std::min(at, titles.size() - 1);
    if (!AnsiStartsText(text, titles[i]) && i > 0) {
        if (AnsiStartsText(text, titles[i - 1]))
            --i;
        else if (!AnsiStartsText(titles[i], text) && AnsiStartsText(titles[i - 1], text))
            --i;
    }
    return static_cast<int>(i);
}

bool TZBDictionaryModule::VerseHasEntries(int verseIndex) const {
    if (!verseIndex_ || verseIndex < 0 || verseIndex >= rf::kVerseRecordCount) return false;
    const uint8_t* r = verseIndex_ + static_cast<size_t>(verseIndex) * rf::kVerseRecordSize;
    return ReadU32(r) != 0 && ReadU16(r + 4) != 0;
}

TEntryIndexArray TZBDictionaryModule::GetVerseEntries(int verseIndex) const {
    TEntryIndexArray entries;
    if (!VerseHasEntries(verseIndex)) return entries;
    const uint8_t* r = verseIndex_ + static_cast<size_t>(verseIndex) * rf::kVerseRecordSize;
    const uint8_t* postings = file_->Memory() + ReadU32(r);
    const uint16_t count = ReadU16(r + 4);
    entries.reserve(count);
    for (uint16_t i = 0; i < count; ++i) {
        const uint16_t e = ReadU16(postings + 2 * i);
        // An entry number beyond the module names nothing a caller could show.
        if (e < entryCount_) entries.push_back(e);
    }
    return entries;
}

void TZBDictionaryModule::MarkVerseEntries(int verseIndex, TBooleanArray& entries) const {
    if (entries.Count() < entryCount_) return;
    for (uint16_t e : GetVerseEntries(verseIndex)) entries.SetItemValue(e, true);
}

const TZBWordIndex& TZBDictionaryModule::WordList() {
    if (!wordList_) {
        const TMappedFile& file = File();
        std::vector<std::string> words =
            SplitNameList(ReadBlockText(file, TBlockDescriptor::DecodeFrom(header_.data() + rf::kWordListBlock),
                                        "word list"));
        // Records are one per word; an empty word would shift every record after it.
        if (words.size() != wordCount_ ||
            std::any_of(words.begin(), words.end(), [](const std::string& w) { return w.empty(); }))
            throw Exception(
                Format("Module file is corrupt: the word list does not match its index (%s).", fileName_.c_str()));
        wordList_ = std::make_unique<TZBWordIndex>(std::move(words), file, wordRecordsOffset_, "word index");
    }
    return *wordList_;
}

TZBCommentaryModule::TZBCommentaryModule(const std::string& fileName) : TZBDictionaryModule(fileName) {
    CheckKind();
}

void TZBCommentaryModule::CheckKind() const {
    if (!IsCommentary())
        throw Exception(Format("Module %s initialized as commentary does not have commentary flag set.",
                               Abbreviation().c_str()));
}

std::string TZBCommentaryModule::GetEntryText(int entry) const {
    if (IsOpen() && !EntryHasText(entry)) return "No " + Abbreviation() + " text for this verse.";
    return StoredEntryText(entry);
}

bool TZBCommentaryModule::EntryHasText(int entry) const { return EntryDescriptor(entry).Offset != 0; }

bool TZBCommentaryModule::RangeHasText(int first, int last) const {
    first = std::max(first, 0);
    last = std::min(last, EntryCount() - 1);
    for (int e = first; e <= last; ++e)
        if (EntryHasText(e)) return true;
    return false;
}

bool TZBCommentaryModule::AnyEntryHasText() const { return RangeHasText(0, EntryCount() - 1); }

bool IsResourceModuleFile(const std::string& fileName) {
    if (AnsiEndsText(rf::kCommentaryExtension, fileName) || AnsiEndsText(rf::kBookExtension, fileName)) return true;
    std::ifstream in(fileName, std::ios::binary);
    char magic[rf::kMagicLength + 1] = {};
    if (!in.seekg(rf::kMagic) || !in.read(magic, sizeof magic)) return false;
    return magic[0] == rf::kMagicLength && std::memcmp(magic + 1, rf::kMagicText, rf::kMagicLength) == 0;
}

std::unique_ptr<TZBDictionaryModule> OpenResourceModule(const std::string& fileName) {
    if (AnsiEndsText(rf::kCommentaryExtension, fileName)) return std::make_unique<TZBCommentaryModule>(fileName);
    auto module = std::make_unique<TZBDictionaryModule>(fileName);
    // A file named by neither extension is taken for what its header says.
    if (module->IsCommentary() && !AnsiEndsText(rf::kBookExtension, fileName))
        return std::make_unique<TZBCommentaryModule>(fileName);
    return module;
}

}  // namespace kvx
