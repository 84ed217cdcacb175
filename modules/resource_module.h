// ZB5ResourceModules: the readers of resource module files. TZBDictionaryModule
// reads books and dictionaries (entries sorted by title), TZBCommentaryModule
// commentaries (entry e is the comment on verse e + 1). Both map the file, check
// its header, hash and every table they address, and answer from the mapping,
// inflating only the entry or list asked for.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/boolean_array.h"
#include "engine/file_mapper.h"
#include "engine/search_index.h"
#include "engine/search_keys.h"
#include "engine/str_comp.h"
#include "engine/verse_types.h"
#include "engine/word_index.h"
#include "engine/zb_zlib.h"
#include "modules/resource_format.h"

namespace kvx {

// Who made a module, told by the seed of its header hash.
enum class TModuleOrigin { Publisher, User, Builder };

class TZBDictionaryModule {
public:
    // Opens and checks the file; raises with the reason when it cannot be used.
    explicit TZBDictionaryModule(const std::string& fileName);
    virtual ~TZBDictionaryModule();
    TZBDictionaryModule(const TZBDictionaryModule&) = delete;
    TZBDictionaryModule& operator=(const TZBDictionaryModule&) = delete;

    // The stored text of entry e (0-based), empty for an entry without text. Raises
    // "GetEntryText entry number (%d) out of range." outside the module.
    virtual std::string GetEntryText(int entry) const;

    const std::string& FileName() const { return fileName_; }
    const std::string& ModuleName() const { return moduleName_; }
    const std::string& Abbreviation() const { return abbreviation_; }
    const std::string& ModuleCode() const { return moduleCode_; }
    bool IsCommentary() const { return header_[resource_format::kIsCommentary] != 0; }
    bool HasVerseIndex() const { return header_[resource_format::kHasVerseIndex] != 0; }
    int EntryCount() const { return entryCount_; }
    uint32_t WordCount() const { return wordCount_; }
    const std::string& InfoText() const { return infoText_; }
    // A book's titles line up with its entries; a commentary's name only the
    // entries that have text, in entry order.
    const std::vector<std::string>& EntryTitles() const { return entryTitles_; }
    bool ReadOnly() const { return origin_ != TModuleOrigin::User; }
    TModuleOrigin Origin() const { return origin_; }
    // The hash of header bytes 0..510 from a seed, and the one the file carries.
    uint32_t HeaderHash(uint32_t seed) const;
    uint32_t StoredHash() const;

    // Flags of the library.
    bool Linked() const { return linked_; }
    void SetLinked(bool value) { linked_ = value; }
    bool TabShown() const { return tabShown_; }
    void SetTabShown(bool value) { tabShown_ = value; }

    // The entry whose title best matches typed text: equal, a plural of it, or the
    // nearest title that begins with it; -1 for a module without titles.
    int FindEntry(std::string_view text) const;

    // Verse index look-ups; verseIndex is the verse number minus 1. A module
    // without a verse index, or a verseIndex outside 0..31101, has no entries.
    bool VerseHasEntries(int verseIndex) const;
    TEntryIndexArray GetVerseEntries(int verseIndex) const;
    // Sets the bit of every entry citing the verse; a set of fewer than EntryCount
    // bits is left alone.
    void MarkVerseEntries(int verseIndex, TBooleanArray& entries) const;

    // The word list, loaded on first use; raises when the file's index is damaged.
    const TZBWordIndex& WordList();

    // Searches (flag bits in modules/resource_search.h) over entries first..last;
    // -1 stands for the first or the last entry. Entries come out ascending; keys
    // receive a node per searched word or phrase.
    void SearchEntries(std::string_view query, uint32_t options, TEntryIndexArray& entries, int last, int first,
                       TZBSearchKeysData& keys);
    void PhraseSearch(std::string_view phrase, uint32_t options, TEntryIndexArray& entries, int last, int first,
                      TZBSearchKeysData& keys);
    // The steps of a search, each giving a set of EntryCount items (item e for entry e).
    TBooleanArray Evaluate(std::string_view query, uint32_t options, TZBSearchKeysData& keys, int first, int last);
    TBooleanArray SearchPhrase(std::string_view phrase, uint32_t options, TZBSearchKeyNode& node, int first,
                               int last);
    TBooleanArray SearchWord(const std::string& word, uint32_t options, TZBSearchKeyMatchingWords& position,
                             int first, int last);
    TBooleanArray MatchIndex(std::string_view word, TZBSearchKeyMatchingWords& position, int first, int last,
                             uint32_t options);

    long double ApproximateMatchThreshold() const { return kApproximateMatchThreshold; }

    // Releases the mapping so that the file can be replaced; Reopen maps it (or its
    // new name) again and checks it as on opening. While closed, and after a failed
    // Reopen, entry texts and searches raise and the verse index is empty.
    void CloseFile();
    void Reopen(const std::string& fileName);
    bool IsOpen() const { return file_ != nullptr; }

protected:
    // What a reader of this class demands of the file beyond the format.
    virtual void CheckKind() const {}
    // The stored text of an entry, also for a commentary's entry without text.
    std::string StoredEntryText(int entry) const;
    TBlockDescriptor EntryDescriptor(int entry) const;

private:
    void Open(const std::string& fileName);
    const TMappedFile& File() const;
    void NormalizeRange(int& first, int& last) const;
    friend class TResourceSearchTarget;

    std::string fileName_;
    std::unique_ptr<TMappedFile> file_;
    std::array<uint8_t, resource_format::kHeaderSize> header_{};
    std::string moduleName_;
    std::string abbreviation_;
    std::string moduleCode_;
    int entryCount_ = 0;
    uint32_t wordCount_ = 0;
    const uint8_t* entryArray_ = nullptr;
    uint32_t wordRecordsOffset_ = 0;
    const uint8_t* verseIndex_ = nullptr;  // null without a verse index
    std::string infoText_;
    std::vector<std::string> entryTitles_;
    TModuleOrigin origin_ = TModuleOrigin::Builder;

    std::unique_ptr<TZBWordIndex> wordList_;
    TLazySearchIndex wordSearch_;

    std::unique_ptr<TkvcStrComp2k> comparer_;
    bool linked_ = true;
    bool tabShown_ = true;
};

class TZBCommentaryModule : public TZBDictionaryModule {
public:
    // Raises "Module %s initialized as commentary does not have commentary flag set."
    // for a file that is not a commentary.
    explicit TZBCommentaryModule(const std::string& fileName);

    // An entry without text (or outside the module) reads "No <abbreviation> text
    // for this verse.".
    std::string GetEntryText(int entry) const override;

    bool EntryHasText(int entry) const;
    // Whether any entry from first to last, within the module, has text.
    bool RangeHasText(int first, int last) const;
    bool AnyEntryHasText() const;

protected:
    void CheckKind() const override;
};

using TZBDictionaryModuleArray = std::vector<std::unique_ptr<TZBDictionaryModule>>;
using TZBCommentaryModuleArray = std::vector<std::unique_ptr<TZBCommentaryModule>>;

// True when the file has a resource module's extension or, failing that, its magic.
bool IsResourceModuleFile(const std::string& fileName);

// Opens a resource module as the library does: a .zb5cmty file with the commentary
// reader, anything else with the book reader unless its header says commentary.
std::unique_ptr<TZBDictionaryModule> OpenResourceModule(const std::string& fileName);

}  // namespace kvx
