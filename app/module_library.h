// The module library: every Bible, book and commentary the program opened, with the
// lists that find them by name, the reference Bible, the special books other features
// need, the paragraph map, the devotional index and the Strong's data. It is filled once at start-up; every view, search and menu
// iterates it, and the views ask it for modules rather than opening files themselves.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/module_names.h"
#include "app/settings_values.h"
#include "engine/bible_module.h"
#include "engine/paragraph_map.h"
#include "modules/resource_module.h"
#include "modules/strongs_data.h"

namespace kvx {

// File patterns of the module kinds (matched without regard to case).
inline constexpr const char* kBibleExtension = ".zb5bible";
inline constexpr const char* kBookExtension = ".zb5book";
inline constexpr const char* kCommentaryExtension = ".zb5cmty";

// The abbreviation of the reference Bible, and what a Strong's-links twin adds to its
// source's names.
inline constexpr const char* kReferenceBibleAbbreviation = "KJV";
inline constexpr const char* kStrongsTwinAbbreviationSuffix = "SL";
inline constexpr const char* kStrongsTwinTitleSuffix = " with Strong's Links";

// The module codes of the special books.
inline constexpr const char* kStrongsHebrewCode = "StrHeb";
inline constexpr const char* kStrongsGreekCode = "StrGrk";
inline constexpr const char* kKJBCCode = "KJBC";
inline constexpr const char* kDictionaryAJCode = "W-AJ";
inline constexpr const char* kDictionaryKZCode = "W-KZ";
// The commentary that holds the devotional readings.
inline constexpr const char* kDevotionalCommentary = "SME";

// Any module of the library, as the name-clash list holds it (books and commentaries
// alike as their common reader).
using TLibraryModule = std::variant<std::monostate, const TZBBibleModule*, const TZBDictionaryModule*>;

class TModuleLibrary {
public:
    TModuleLibrary();
    ~TModuleLibrary();
    TModuleLibrary(const TModuleLibrary&) = delete;
    TModuleLibrary& operator=(const TModuleLibrary&) = delete;

    // The paragraph map; raises when the file cannot be opened or is too short.
    void LoadParagraphMap(const std::string& fileName);
    // The lines of the devotional index; a missing file leaves it empty.
    void LoadDevotionIndex(const std::string& fileName);
    // Raises ESCreateError when the file is not Strong's data.
    void OpenStrongsData(const std::string& fileName);

    // Opens every Bible module in the folder (ending in '/') whose file name is not
    // open already and registers it; a file that fails to open is passed over
    // silently. A module with Strong's numbers gets a twin that shows them as links.
    // Files are taken in the order of their names, so that a start is repeatable.
    void LoadBibleFolder(const std::string& folder);

    // The first Bible, in load order, abbreviated exactly "KJV", with its suggestion list
    // built; false when none.
    bool ChooseKJVBible();
    // Display order: by abbreviation, byte by byte (equal ones keep their load
    // order), then the KJV first and its Strong's-links twin second.
    void OrderBibles();

    // The same for books and commentaries ("*.zb5book", "*.zb5cmty"), which Bible
    // folders may hold too.
    void LoadBookFolder(const std::string& folder);
    void LoadCommentaryFolder(const std::string& folder);
    // By abbreviation lowered, byte by byte; equal ones keep their load order.
    void OrderBooks();
    void OrderCommentaries();
    // The special books by their module codes, the last in order winning.
    void FindSpecialModules();
    // The writable commentaries (user modules), in commentary order.
    void CollectUserCommentaries();

    // The per-module flags from the settings lists: a tab shows unless "HiddenTabs"
    // names the module (the KJV always shows; when no book, or no commentary, would
    // show, the first one does), and a book or commentary takes part in verse linking
    // unless "ExcludeFromLinking" names it.
    void ApplyModuleFlags(const TSortedStringList& hiddenTabs, const TSortedStringList& excludeFromLinking);
    // The abbreviations whose tab is hidden, for "HiddenTabs" at exit.
    TSortedStringList HiddenTabNames() const;
    // Brings "ExcludeFromLinking" in line with the linked flags of the open books and
    // commentaries; names of modules not open stay as they are.
    void UpdateExcludeFromLinking(TSortedStringList& excludeFromLinking) const;

    const TZBBibleModuleArray& BibleModules() const { return bibleModules_; }
    const TZBDictionaryModuleArray& BookModules() const { return bookModules_; }
    const TZBCommentaryModuleArray& CommentaryModules() const { return commentaryModules_; }
    const std::vector<TZBCommentaryModule*>& UserCommentaryModules() const { return userCommentaryModules_; }
    // The array index of a module; -1 when it is not in the library.
    int IndexOfBible(const TZBBibleModule* bible) const;
    int IndexOfBook(const TZBDictionaryModule* book) const;
    int IndexOfCommentary(const TZBDictionaryModule* commentary) const;

    const TSortedStringList& LoadedModuleFiles() const { return loadedModuleFiles_; }
    const TNamedList<TLibraryModule>& ModuleNamesInUse() const { return moduleNamesInUse_; }
    const TNamedList<TZBBibleModule*>& BiblesByAbbreviation() const { return biblesByAbbreviation_; }
    const TNamedList<TZBDictionaryModule*>& BooksByTitle() const { return booksByTitle_; }
    const TNamedList<TZBDictionaryModule*>& BooksByAbbreviation() const { return booksByAbbreviation_; }
    const TNamedList<TZBCommentaryModule*>& CommentariesByTitle() const { return commentariesByTitle_; }
    const TNamedList<TZBCommentaryModule*>& CommentariesByAbbreviation() const { return commentariesByAbbreviation_; }

    const TSortedStringList& DevotionIndex() const { return devotionIndex_; }
    const TParagraphMap& ParagraphMap() const { return paragraphMap_; }
    const TZBStrongsDataModule* StrongsData() const { return strongsData_.get(); }

    TZBBibleModule* KJVBible() const { return kjvBible_; }
    TZBBibleModule* StrongsLinkBible() const { return strongsLinkBible_; }
    TZBDictionaryModule* StrHebModule() const { return strHebModule_; }
    TZBDictionaryModule* StrGrkModule() const { return strGrkModule_; }
    TZBDictionaryModule* KJBCModule() const { return kjbcModule_; }
    TZBDictionaryModule* WAJModule() const { return wajModule_; }
    TZBDictionaryModule* WKZModule() const { return wkzModule_; }

    // The devotional commands have what they need: the index and the "SME" commentary.
    bool DevotionsAvailable() const;

private:
    void RegisterBible(TZBBibleModule& bible);
    // Opens the module files of one kind in a folder, each file name once.
    template <typename TReader, typename TArray, typename TRegister>
    void LoadFolder(const std::string& folder, std::string_view extension, TArray& modules, TRegister registerModule);

    TZBBibleModuleArray bibleModules_;
    TZBDictionaryModuleArray bookModules_;
    TZBCommentaryModuleArray commentaryModules_;
    std::vector<TZBCommentaryModule*> userCommentaryModules_;
    TSortedStringList loadedModuleFiles_;
    TNamedList<TLibraryModule> moduleNamesInUse_;
    TNamedList<TZBBibleModule*> biblesByAbbreviation_;
    TNamedList<TZBDictionaryModule*> booksByTitle_;
    TNamedList<TZBDictionaryModule*> booksByAbbreviation_;
    TNamedList<TZBCommentaryModule*> commentariesByTitle_;
    TNamedList<TZBCommentaryModule*> commentariesByAbbreviation_;
    TSortedStringList devotionIndex_;
    TParagraphMap paragraphMap_;
    std::unique_ptr<TZBStrongsDataModule> strongsData_;
    TZBBibleModule* kjvBible_ = nullptr;
    TZBBibleModule* strongsLinkBible_ = nullptr;
    TZBDictionaryModule* strHebModule_ = nullptr;
    TZBDictionaryModule* strGrkModule_ = nullptr;
    TZBDictionaryModule* kjbcModule_ = nullptr;
    TZBDictionaryModule* wajModule_ = nullptr;
    TZBDictionaryModule* wkzModule_ = nullptr;
};

// The module files of one kind in a folder, in the order of their names; entries that
// are not regular files are left out. An unreadable folder gives none.
std::vector<std::string> ModuleFilesIn(const std::string& folder, std::string_view extension);

// The volume of the two-volume dictionary that holds a word given in lower case:
// words after "j" are in the K-Z volume.
inline TZBDictionaryModule* DictionaryVolumeFor(std::string_view loweredWord, TZBDictionaryModule* aToJ,
                                                TZBDictionaryModule* kToZ) {
    return !loweredWord.empty() && static_cast<unsigned char>(loweredWord[0]) > 'j' ? kToZ : aToJ;
}

// Stable exchange sort: neighbours change places only when strictly out of order.
template <typename T, typename TLess>
void ExchangeSort(std::vector<T>& items, TLess less) {
    for (size_t pass = 1; pass < items.size(); ++pass)
        for (size_t i = items.size() - 1; i >= pass; --i)
            if (less(items[i], items[i - 1])) std::swap(items[i], items[i - 1]);
}

}  // namespace kvx
