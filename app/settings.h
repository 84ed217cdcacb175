// The settings store: every user setting of the program in one process-wide record,
// filled with the built-in defaults, read once at start-up from the settings file and
// written back once at an orderly exit. Between the two, every part of the program
// reads and changes the values in memory.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_values.h"
#include "platform/profile_file.h"

namespace kvx {

inline constexpr int kDefaultFontSize = 10;
inline constexpr int kBookmarkCount = 10;
inline constexpr size_t kBookmarkModuleNameLength = 20;
inline constexpr size_t kBookmarkEntryTitleLength = 70;
inline constexpr int32_t kJohn1v1 = 26046;

// Bookmark kinds; a stored value outside them is not read.
inline constexpr int32_t kBookmarkUnused = -1;
inline constexpr int32_t kBookmarkPassage = 0;
inline constexpr int32_t kBookmarkCommentary = 1;
inline constexpr int32_t kBookmarkBook = 2;

// Section "Default Font".
struct TDefaultFont {
    TColor BackgroundColor = kColorWindow;
    TColor TextColor = kColorWindowText;
    std::string MainFont;
    int32_t MainSize = kDefaultFontSize;
    bool operator==(const TDefaultFont&) const = default;
};

// Sections "Bible Text" and "VerseList Text". ParagraphMarks is not stored.
struct TPropertiesBibleView {
    bool ColumnMode = true;
    bool ParaMode = false;
    bool ParagraphMarks = true;
    bool LinkCommentaries = true;
    bool LinkDictionaries = true;
    bool ShowEditLinks = true;
    bool ShowFootnotes = false;
    TColor BackgroundColor = kColorWindow;
    TColor TextColor = kColorWindowText;
    TColor NoteColumnColor = kColorWindow;  // equal to BackgroundColor: no note column colour
    TColor FootnotesColor = kColorPurple;
    TColor StrongsLinkColor = kColorGreen;
    TColor CommentLinkColor = kColorTeal;
    TColor DictLinkColor = kColorOlive;
    int32_t ItalicsMode = 0;
    std::string MainFont;
    int32_t MainSize = kDefaultFontSize;
    bool UseDefaultFont = true;
    bool operator==(const TPropertiesBibleView&) const = default;
};

// Sections "Book Text" and "Cmt Text".
struct TPropertiesResourceView {
    TColor BackgroundColor = kColorWindow;
    TColor TextColor = kColorWindowText;
    TColor LinkColor = kColorBlue;
    std::string MainFont;
    int32_t MainSize = kDefaultFontSize;
    bool UseDefaultFont = true;
    bool operator==(const TPropertiesResourceView&) const = default;
};

// Sections "Bookmarks0" to "Bookmarks9"; the title is kept apart in BookmarkTitles.
struct TBookmark {
    int32_t ModuleType = kBookmarkUnused;
    std::string ModuleName;  // at most 20 characters
    int32_t Entry = -1;
    std::string EntryTitle;  // at most 70 characters
    int32_t ScrollPoint = 0;
    bool operator==(const TBookmark&) const = default;
};

// A named set of modules that the full library search can search: module names and
// the markers "?BIBLES", "?BOOKS" and "?COMMENTARIES".
struct TReferenceSet {
    std::string Name;
    TSortedStringList Members;
    bool operator==(const TReferenceSet&) const = default;
};

// The reference sets, sorted by name without regard to case; a name is used once.
class TReferenceSets {
public:
    TReferenceSet* Find(std::string_view name);
    const TReferenceSet* Find(std::string_view name) const;
    // The set of that name, created empty when there is none.
    TReferenceSet& Add(std::string_view name);
    bool Remove(std::string_view name);
    // Sorts the sets; of two with one name the first is kept.
    void Assign(std::vector<TReferenceSet> sets);
    void Clear() { sets_.clear(); }

    const std::vector<TReferenceSet>& Sets() const { return sets_; }
    size_t Count() const { return sets_.size(); }
    bool Empty() const { return sets_.empty(); }
    bool operator==(const TReferenceSets&) const = default;

private:
    std::vector<TReferenceSet> sets_;
};

// The verse lists' record differs from the Bible panel's: no margin links, no
// paragraph marks.
TPropertiesBibleView VerseListTextDefaults();

// The whole store. A default-constructed TSettings holds the built-in defaults except
// the default font name, which InitSettingsDefaults chooses from the installed fonts.
// Members are named after their keys.
struct TSettings {
    std::array<TBookmark, kBookmarkCount> Bookmarks{};
    std::array<std::string, kBookmarkCount> BookmarkTitles{};

    // "Misc"
    bool ClearMRUs = false;
    bool HookVersePasteHotKey = true;

    // "Tab Appearance"
    std::string RzTabsFont = "Tahoma";
    int32_t RzTabsFontSize = 8;
    TColor RzTabsTextColor = kColorBtnText;
    bool RzTabsTextBold = false;
    int32_t RzTabsStyle = 0;  // 0 single slant, 1 double slant, 2 cut corner, 3 round corners
    bool RzTabsAlign = false;
    TColor RzTabsActiveColor = kColorBtnFace;
    TColor RzTabsInactiveColor = kColorBtnHighlight;
    TColor RzTabsCorrespondingColor = kColorYellow;

    // "Misc"
    TColor KeyHilightColor = kColorYellow;

    TDefaultFont DefaultFont;
    TPropertiesBibleView BibleText;
    TPropertiesBibleView VerseListText = VerseListTextDefaults();  // the defaults of new verse lists
    TPropertiesResourceView BookText;
    TPropertiesResourceView CmtText;

    // "Export Format"
    int32_t VerseExportStyle = 0;  // copy style A (0) to J (9)
    bool IncludeBrackets = false;
    bool IncludeFootnotes = false;
    bool IncludeVersionTag = false;

    // "Bible Text"
    int32_t LastBibleVerse = kJohn1v1;

    // "Misc"
    int32_t SearchBibleDefault = 0;  // 0 the last searched version, 1 the active Bible
    int32_t StartupVerse = 0;        // 0 "LastBibleVerse", 1 the Proverbs chapter of the day
    int32_t EngStrBooks = 0;         // 0 both testaments, 1 Old, 2 New
    bool LinkMultipleVerses = false;
    bool StartupFavTabs = true;
    TSortedStringList ExcludeFromLinking;
    TSortedStringList HiddenTabs;
    std::vector<std::string> ActiveResources;
    std::string LastSearchedVersion = "KJV";
    bool EditorStayOnTop = true;
    bool EditorRawHTML = false;
    bool ForcePlainTextCopy = false;
    bool ImageShrinkToFit = false;

    // "Bible Text", "Book Text", "Cmt Text"
    bool IncChPrev = false;
    bool IncChNext = true;
    int32_t DocPosBible = 0;
    int32_t DocPosBook = 0;
    int32_t DocPosCommentary = 0;

    // "Reference Sets"
    TReferenceSets ReferenceSets;

    // "Popups"
    std::string ToolTipFontName = "Verdana";
    TColor ToolTipTextColor = kColorInfoText;
    TColor ToolTipBGColor = kColorInfoBk;
    int32_t ToolTipFontSize = 8;

    // "Update Check"
    bool UpdateReminder = true;
    int32_t UpdateReminderInterval = 30;  // days
    TDate LastUpdateCheckDate = Today();

    // "Layout"
    bool LayoutLocked = true;
    bool AllowAutoHide = false;
    bool ReuseVerseLists = false;
    bool ReuseResultTrees = false;
    int32_t LastSetLayout = 1;  // 0 Classic, 1 Bible on Left, 2 Bible on Left with results on the right

    // "Sync"
    bool SyncGTVCommentary = true;
    bool SyncGTVVerseGuide = true;
    int32_t DblClickBibleWordAction = 0;  // 0 to 4
    std::string DblClickBibleWordSelectedBook = "Easton";
    bool DblClickBibleTagGTV = true;
    bool DblClickResourceTopicGuide = true;
    int32_t GTVCmtyAction = 0;  // 0 the active commentary, 1 GTVCmtyFavoriteModule
    std::string GTVCmtyFavoriteModule = "TSK";

    // "Warnings"
    bool WarnLayoutCustom = true;
    bool WarnImport3x = true;
    bool WarnImport4x = true;
    bool WarnAutoHide = true;

    bool operator==(const TSettings&) const = default;
};

// The program's one store.
TSettings& Settings();

// Whether a font of that name is installed; the user interface answers it.
using TFontInstalled = std::function<bool(std::string_view name)>;

// The built-in defaults. The default font is "Verdana" when fontInstalled says it is
// installed and "Arial" otherwise (also without fontInstalled).
void InitSettingsDefaults(TSettings& settings, const TFontInstalled& fontInstalled);

// Reads every key the store writes over the current values. A missing file, section or
// key, or a value that cannot be read, leaves the current value; reading never fails.
void LoadSettings(TSettings& settings, const TProfileFile& file);
void LoadSettings(TSettings& settings, const std::string& fileName);

// Writes every key of the store into the file, in a fixed order, then erases the
// history lists ("MRUs") when ClearMRUs is set. Sections the store does not own stay.
void StoreSettings(const TSettings& settings, TProfileFile& file);
// StoreSettings on the file as it is on disk, written back in one piece. Raises an
// Exception when the file exists but cannot be read or cannot be replaced; the old
// file is then left as it was.
void SaveSettings(const TSettings& settings, const std::string& fileName);

// The preferences' default text: sets the default font record, and the font, size and
// colours of every panel that follows it; the link, footnote and highlight colours are
// set in every panel regardless.
struct TDefaultTextSettings {
    std::string FontName;
    int32_t FontSize = kDefaultFontSize;
    TColor Background = kColorWindow;
    TColor Highlight = kColorYellow;
    TColor ResourceLink = kColorBlue;
    TColor BookRefLink = kColorOlive;
    TColor CommentaryLink = kColorTeal;
    TColor StrongsLink = kColorGreen;
    TColor Footnote = kColorPurple;
    TColor Text = kColorWindowText;
};
void ApplyDefaultTextSettings(TSettings& settings, const TDefaultTextSettings& text);

}  // namespace kvx
