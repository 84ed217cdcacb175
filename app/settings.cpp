// Defaults, reading and writing of the settings store. One walk over the store names
// every stored value with its section, key and kind, in the order the file is written;
// reading and writing both follow it, so they cannot drift apart.
#include "app/settings.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

#include "app/settings_windows.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"

namespace kvx {

TReferenceSet* TReferenceSets::Find(std::string_view name) {
    return const_cast<TReferenceSet*>(static_cast<const TReferenceSets*>(this)->Find(name));
}

const TReferenceSet* TReferenceSets::Find(std::string_view name) const {
    auto it = std::lower_bound(sets_.begin(), sets_.end(), name, [](const TReferenceSet& s, std::string_view n) {
        return AnsiCompareText(s.Name, n) < 0;
    });
    return it != sets_.end() && AnsiCompareText(it->Name, name) == 0 ? &*it : nullptr;
}

TReferenceSet& TReferenceSets::Add(std::string_view name) {
    if (TReferenceSet* found = Find(name)) return *found;
    auto it = std::lower_bound(sets_.begin(), sets_.end(), name, [](const TReferenceSet& s, std::string_view n) {
        return AnsiCompareText(s.Name, n) < 0;
    });
    return *sets_.insert(it, TReferenceSet{std::string(name), {}});
}

bool TReferenceSets::Remove(std::string_view name) {
    const TReferenceSet* found = Find(name);
    if (found == nullptr) return false;
    sets_.erase(sets_.begin() + (found - sets_.data()));
    return true;
}

void TReferenceSets::Assign(std::vector<TReferenceSet> sets) {
    auto less = [](const TReferenceSet& a, const TReferenceSet& b) { return AnsiCompareText(a.Name, b.Name) < 0; };
    std::stable_sort(sets.begin(), sets.end(), less);
    // Of two sets with one name, the first given is kept.
    auto same = [](const TReferenceSet& a, const TReferenceSet& b) { return AnsiCompareText(a.Name, b.Name) == 0; };
    sets.erase(std::unique(sets.begin(), sets.end(), same), sets.end());
    sets_ = std::move(sets);
}

TPropertiesBibleView VerseListTextDefaults() {
    TPropertiesBibleView p;
    p.ParagraphMarks = false;
    p.LinkCommentaries = false;
    p.LinkDictionaries = false;
    p.ShowEditLinks = false;
    return p;
}

TSettings& Settings() {
    static TSettings settings;
    return settings;
}

void InitSettingsDefaults(TSettings& settings, const TFontInstalled& fontInstalled) {
    settings = TSettings{};
    const std::string font = fontInstalled && fontInstalled("Verdana") ? "Verdana" : "Arial";
    settings.DefaultFont.MainFont = font;
    settings.BibleText.MainFont = font;
    settings.VerseListText.MainFont = font;
    settings.BookText.MainFont = font;
    settings.CmtText.MainFont = font;
}

namespace {

constexpr const char* kReferenceSetsSection = "Reference Sets";
constexpr const char* kRefSetsKey = "RefSets";

// The values a stored integer may take; anything else is not read. Font sizes and
// choices are limited so that no later use can index past a table or draw with a size
// of zero.
struct TRange {
    int32_t Min = std::numeric_limits<int32_t>::min();
    int32_t Max = std::numeric_limits<int32_t>::max();
};
constexpr TRange kFontSizes{1, 200};
constexpr TRange Choices(int32_t count) { return {0, count - 1}; }

template <class Props, class Visitor>
void VisitBibleView(Props& p, std::string_view section, Visitor& v) {
    v.Bool(section, "UseDefaultFont", p.UseDefaultFont);
    v.Bool(section, "ShowEditLinks", p.ShowEditLinks);
    v.Bool(section, "ColumnMode", p.ColumnMode);
    v.Bool(section, "ParaMode", p.ParaMode);
    v.Bool(section, "LinkCommentaries", p.LinkCommentaries);
    v.Bool(section, "LinkDictionaries", p.LinkDictionaries);
    v.Bool(section, "ShowFootnotes", p.ShowFootnotes);
    v.Color(section, "BackgroundColor", p.BackgroundColor);
    v.Color(section, "TextColor", p.TextColor);
    v.Color(section, "FootnotesColor", p.FootnotesColor);
    v.Color(section, "StrongsLinkColor", p.StrongsLinkColor);
    v.Color(section, "CommentLinkColor", p.CommentLinkColor);
    v.Color(section, "DictLinkColor", p.DictLinkColor);
    v.Integer(section, "ItalicsMode", p.ItalicsMode);
    v.Integer(section, "MainSize", p.MainSize, kFontSizes);
    v.String(section, "MainFont", p.MainFont);
    v.Color(section, "NoteColumnColor", p.NoteColumnColor);
}

template <class Props, class Visitor>
void VisitResourceView(Props& p, std::string_view section, Visitor& v) {
    v.Bool(section, "UseDefaultFont", p.UseDefaultFont);
    v.Color(section, "BackgroundColor", p.BackgroundColor);
    v.Color(section, "TextColor", p.TextColor);
    v.Color(section, "LinkColor", p.LinkColor);
    v.Integer(section, "MainSize", p.MainSize, kFontSizes);
    v.String(section, "MainFont", p.MainFont);
}

// Every stored value in the order the file is written. S is TSettings or const TSettings.
template <class S, class Visitor>
void VisitSettings(S& s, Visitor& v) {
    for (int i = 0; i < kBookmarkCount; ++i) {
        const std::string section = "Bookmarks" + std::to_string(i);
        auto& bookmark = s.Bookmarks[static_cast<size_t>(i)];
        v.String(section, "Title", s.BookmarkTitles[static_cast<size_t>(i)]);
        v.Integer(section, "ModuleType", bookmark.ModuleType, TRange{kBookmarkUnused, kBookmarkBook});
        v.String(section, "ModuleName", bookmark.ModuleName, kBookmarkModuleNameLength);
        v.Integer(section, "Entry", bookmark.Entry);
        v.String(section, "EntryTitle", bookmark.EntryTitle, kBookmarkEntryTitleLength);
        v.Integer(section, "ScrollPoint", bookmark.ScrollPoint);
    }

    v.Bool("Misc", "ClearMRUs", s.ClearMRUs);
    v.Bool("Misc", "HookVersePasteHotKey", s.HookVersePasteHotKey);

    const char* tabs = "Tab Appearance";
    v.String(tabs, "RzTabsFont", s.RzTabsFont);
    v.Integer(tabs, "RzTabsFontSize", s.RzTabsFontSize, kFontSizes);
    v.Color(tabs, "RzTabsTextColor", s.RzTabsTextColor);
    v.Bool(tabs, "RzTabsTextBold", s.RzTabsTextBold);
    v.Integer(tabs, "RzTabsStyle", s.RzTabsStyle, Choices(4));
    v.Bool(tabs, "RzTabsAlign", s.RzTabsAlign);
    v.Color(tabs, "RzTabsActiveColor", s.RzTabsActiveColor);
    v.Color(tabs, "RzTabsInactiveColor", s.RzTabsInactiveColor);
    v.Color(tabs, "RzTabsCorrespondingColor", s.RzTabsCorrespondingColor);

    v.Color("Misc", "KeyHilightColor", s.KeyHilightColor);

    const char* font = "Default Font";
    v.Color(font, "BackgroundColor", s.DefaultFont.BackgroundColor);
    v.Color(font, "TextColor", s.DefaultFont.TextColor);
    v.Integer(font, "MainSize", s.DefaultFont.MainSize, kFontSizes);
    v.String(font, "MainFont", s.DefaultFont.MainFont);

    VisitBibleView(s.BibleText, "Bible Text", v);
    VisitBibleView(s.VerseListText, "VerseList Text", v);
    VisitResourceView(s.BookText, "Book Text", v);
    VisitResourceView(s.CmtText, "Cmt Text", v);

    const char* exportFormat = "Export Format";
    v.Integer(exportFormat, "VerseExportStyle", s.VerseExportStyle, Choices(10));
    v.Bool(exportFormat, "IncludeBrackets", s.IncludeBrackets);
    v.Bool(exportFormat, "IncludeFootnotes", s.IncludeFootnotes);
    v.Bool(exportFormat, "IncludeVersionTag", s.IncludeVersionTag);

    v.Integer("Bible Text", "LastBibleVerse", s.LastBibleVerse);

    v.Integer("Misc", "SearchBibleDefault", s.SearchBibleDefault, Choices(2));
    v.Integer("Misc", "StartupVerse", s.StartupVerse, Choices(2));
    v.Integer("Misc", "EngStrBooks", s.EngStrBooks, Choices(3));
    v.Bool("Misc", "LinkMultipleVerses", s.LinkMultipleVerses);
    v.Bool("Misc", "StartupFavTabs", s.StartupFavTabs);
    v.NameList("Misc", "ExcludeFromLinking", s.ExcludeFromLinking);
    v.NameList("Misc", "HiddenTabs", s.HiddenTabs);
    v.List("Misc", "ActiveResources", s.ActiveResources);
    v.String("Misc", "LastSearchedVersion", s.LastSearchedVersion);
    v.Bool("Misc", "EditorStayOnTop", s.EditorStayOnTop);
    v.Bool("Misc", "EditorRawHTML", s.EditorRawHTML);
    v.Bool("Misc", "ForcePlainTextCopy", s.ForcePlainTextCopy);
    v.Bool("Misc", "ImageShrinkToFit", s.ImageShrinkToFit);

    v.Bool("Bible Text", "IncChPrev", s.IncChPrev);
    v.Bool("Bible Text", "IncChNext", s.IncChNext);
    v.Integer("Bible Text", "DocPosBible", s.DocPosBible);
    v.Integer("Book Text", "DocPosBook", s.DocPosBook);
    v.Integer("Cmt Text", "DocPosCommentary", s.DocPosCommentary);

    v.ReferenceSets(s.ReferenceSets);

    const char* popups = "Popups";
    v.String(popups, "ToolTipFontName", s.ToolTipFontName);
    v.Color(popups, "ToolTipTextColor", s.ToolTipTextColor);
    v.Color(popups, "ToolTipBGColor", s.ToolTipBGColor);
    v.Integer(popups, "ToolTipFontSize", s.ToolTipFontSize, kFontSizes);

    const char* update = "Update Check";
    v.Bool(update, "UpdateReminder", s.UpdateReminder);
    v.Integer(update, "UpdateReminderInterval", s.UpdateReminderInterval);
    v.Date(update, "LastUpdateCheckDate", s.LastUpdateCheckDate);

    const char* layout = "Layout";
    v.Bool(layout, "LayoutLocked", s.LayoutLocked);
    v.Bool(layout, "AllowAutoHide", s.AllowAutoHide);
    v.Bool(layout, "ReuseVerseLists", s.ReuseVerseLists);
    v.Bool(layout, "ReuseResultTrees", s.ReuseResultTrees);
    v.Integer(layout, "LastSetLayout", s.LastSetLayout, Choices(3));

    const char* sync = "Sync";
    v.Bool(sync, "SyncGTVCommentary", s.SyncGTVCommentary);
    v.Bool(sync, "SyncGTVVerseGuide", s.SyncGTVVerseGuide);
    v.Integer(sync, "DblClickBibleWordAction", s.DblClickBibleWordAction, Choices(5));
    v.String(sync, "DblClickBibleWordSelectedBook", s.DblClickBibleWordSelectedBook);
    v.Bool(sync, "DblClickBibleTagGTV", s.DblClickBibleTagGTV);
    v.Bool(sync, "DblClickResourceTopicGuide", s.DblClickResourceTopicGuide);
    v.Integer(sync, "GTVCmtyAction", s.GTVCmtyAction, Choices(2));
    v.String(sync, "GTVCmtyFavoriteModule", s.GTVCmtyFavoriteModule);

    const char* warnings = "Warnings";
    v.Bool(warnings, "WarnLayoutCustom", s.WarnLayoutCustom);
    v.Bool(warnings, "WarnImport3x", s.WarnImport3x);
    v.Bool(warnings, "WarnImport4x", s.WarnImport4x);
    v.Bool(warnings, "WarnAutoHide", s.WarnAutoHide);
}

// Module abbreviations and set members are never empty; an empty item is a stray comma.
std::vector<std::string> NonEmpty(std::vector<std::string> items) {
    items.erase(std::remove(items.begin(), items.end(), std::string()), items.end());
    return items;
}

std::vector<std::string> SetNames(const TReferenceSets& sets) {
    std::vector<std::string> names;
    for (const TReferenceSet& set : sets.Sets()) names.push_back(set.Name);
    return names;
}

// Reads each value over the current one; a value that is missing or cannot be read
// leaves it as it is.
class TReader {
public:
    explicit TReader(const TProfileFile& file) : file_(file), datePattern_(UserShortDatePattern()) {}

    void Bool(std::string_view section, std::string_view key, bool& value) {
        value = file_.ReadBool(section, key, value);
    }
    void Integer(std::string_view section, std::string_view key, int32_t& value, TRange range = {}) {
        const int32_t read = file_.ReadInteger(section, key, value);
        if (read >= range.Min && read <= range.Max) value = read;
    }
    void Color(std::string_view section, std::string_view key, TColor& value) { Integer(section, key, value); }
    void String(std::string_view section, std::string_view key, std::string& value,
                size_t maxLength = std::string::npos) {
        value = file_.ReadString(section, key, value).substr(0, maxLength);
    }
    void NameList(std::string_view section, std::string_view key, TSortedStringList& value) {
        if (file_.ValueExists(section, key)) value.Assign(NonEmpty(SplitCommaText(file_.ReadString(section, key, ""))));
    }
    void List(std::string_view section, std::string_view key, std::vector<std::string>& value) {
        if (file_.ValueExists(section, key)) value = SplitCommaText(file_.ReadString(section, key, ""));
    }
    void Date(std::string_view section, std::string_view key, TDate& value) {
        if (!file_.ValueExists(section, key)) return;
        if (auto date = ParseDate(file_.ReadString(section, key, ""), datePattern_)) value = *date;
    }
    // The sets are read only when their section exists. Key "0", "1", … holds the
    // members of the set named at that position of "RefSets".
    void ReferenceSets(TReferenceSets& value) {
        if (!file_.SectionExists(kReferenceSetsSection)) return;
        const std::vector<std::string> names =
            SplitCommaText(file_.ReadString(kReferenceSetsSection, kRefSetsKey, CommaText(SetNames(value))));
        std::vector<TReferenceSet> sets;
        for (size_t i = 0; i < names.size(); ++i) {
            if (names[i].empty()) continue;
            const TReferenceSet* current = value.Find(names[i]);
            const std::string members = file_.ReadString(kReferenceSetsSection, std::to_string(i),
                                                         current ? CommaText(current->Members.Items()) : "");
            sets.push_back(TReferenceSet{names[i], TSortedStringList(NonEmpty(SplitCommaText(members)))});
        }
        value.Assign(std::move(sets));
    }

private:
    const TProfileFile& file_;
    std::string datePattern_;
};

class TWriter {
public:
    explicit TWriter(TProfileFile& file) : file_(file), datePattern_(UserShortDatePattern()) {}

    void Bool(std::string_view section, std::string_view key, bool value) { file_.WriteBool(section, key, value); }
    void Integer(std::string_view section, std::string_view key, int32_t value, TRange = {}) {
        file_.WriteInteger(section, key, value);
    }
    void Color(std::string_view section, std::string_view key, TColor value) { file_.WriteInteger(section, key, value); }
    void String(std::string_view section, std::string_view key, const std::string& value, size_t = 0) {
        file_.WriteString(section, key, value);
    }
    void NameList(std::string_view section, std::string_view key, const TSortedStringList& value) {
        file_.WriteString(section, key, CommaText(value.Items()));
    }
    void List(std::string_view section, std::string_view key, const std::vector<std::string>& value) {
        file_.WriteString(section, key, CommaText(value));
    }
    void Date(std::string_view section, std::string_view key, TDate value) {
        file_.WriteString(section, key, FormatDate(value, datePattern_));
    }
    // With no sets the section goes; otherwise it holds exactly the keys written now,
    // so the members of deleted sets do not linger under unused numbers.
    void ReferenceSets(const TReferenceSets& value) {
        if (value.Empty()) {
            file_.EraseSection(kReferenceSetsSection);
            return;
        }
        std::unordered_set<std::string> written{AnsiLowerCase(kRefSetsKey)};
        file_.WriteString(kReferenceSetsSection, kRefSetsKey, CommaText(SetNames(value)));
        for (size_t i = 0; i < value.Count(); ++i) {
            const std::string key = std::to_string(i);
            file_.WriteString(kReferenceSetsSection, key, CommaText(value.Sets()[i].Members.Items()));
            written.insert(key);
        }
        for (const std::string& key : file_.Keys(kReferenceSetsSection))
            if (written.count(AnsiLowerCase(key)) == 0) file_.DeleteKey(kReferenceSetsSection, key);
    }

private:
    TProfileFile& file_;
    std::string datePattern_;
};

}  // namespace

void LoadSettings(TSettings& settings, const TProfileFile& file) {
    // The layout number is read over a fixed default, not over the value in memory.
    settings.LastSetLayout = 1;
    TReader reader(file);
    VisitSettings(settings, reader);
}

void LoadSettings(TSettings& settings, const std::string& fileName) {
    TProfileFile file;
    try {
        file = TProfileFile::Load(fileName);
    } catch (const std::exception&) {
        // An unreadable file is treated like a missing one: the program starts with
        // the defaults. Writing at exit refuses to replace it (SaveSettings).
    }
    LoadSettings(settings, file);
}

void StoreSettings(const TSettings& settings, TProfileFile& file) {
    TWriter writer(file);
    VisitSettings(settings, writer);
    if (settings.ClearMRUs) file.EraseSection(kHistorySection);
}

void SaveSettings(const TSettings& settings, const std::string& fileName) {
    TProfileFile file = TProfileFile::Load(fileName);
    StoreSettings(settings, file);
    file.Save(fileName);
}

void ApplyDefaultTextSettings(TSettings& settings, const TDefaultTextSettings& text) {
    settings.DefaultFont.MainFont = text.FontName;
    settings.DefaultFont.MainSize = text.FontSize;
    settings.DefaultFont.BackgroundColor = text.Background;
    settings.DefaultFont.TextColor = text.Text;
    for (TPropertiesBibleView* p : {&settings.BibleText, &settings.VerseListText}) {
        if (p->UseDefaultFont) {
            p->MainFont = text.FontName;
            p->MainSize = text.FontSize;
            p->BackgroundColor = text.Background;
            p->TextColor = text.Text;
            p->NoteColumnColor = text.Background;
        }
        p->FootnotesColor = text.Footnote;
        p->StrongsLinkColor = text.StrongsLink;
        p->CommentLinkColor = text.CommentaryLink;
        p->DictLinkColor = text.BookRefLink;
    }
    for (TPropertiesResourceView* p : {&settings.BookText, &settings.CmtText}) {
        if (p->UseDefaultFont) {
            p->MainFont = text.FontName;
            p->MainSize = text.FontSize;
            p->BackgroundColor = text.Background;
            p->TextColor = text.Text;
        }
        p->LinkColor = text.ResourceLink;
    }
    settings.KeyHilightColor = text.Highlight;
}

}  // namespace kvx
