// The HTML page of a list of verses as the Bible and verse-list panes show it: one
// function of its inputs, without a window, so that every display mode can be built
// and checked on its own. The page carries the program's link schemes:
//   "lp:V"    a verse (the Bible view shows its chapter)
//   "pn:I"    another page of a long list, starting at list index I
//   "lc:I,E"  commentary I of the library at entry E (verse number minus 1)
//   "ld:I,V"  the entries of book I that refer to verse V
//   "ec:I,E"  user commentary I at entry E, for editing
//   "h:N"     Hebrew Strong's number N;  "g:N" Greek
#pragma once

#include <string>
#include <vector>

#include "app/settings.h"
#include "engine/bible_module.h"
#include "engine/paragraph_map.h"
#include "engine/search_keys.h"
#include "modules/resource_module.h"
#include "modules/strongs_data.h"

namespace kvx {

// A long list is shown this many items (separators included) at a time.
inline constexpr int kPageSize = 100;

struct TPassagePageInput {
    const TZBBibleModule* Bible = nullptr;         // nothing is built without one
    const TZBBibleModule* CompareBible = nullptr;  // shown with each verse unless equal to Bible
    const TVerseList* Verses = nullptr;            // kVerseListSeparator items are separator lines
    // Verse-list style: each verse's reference label is a link to the verse.
    bool ReferencesAsLinks = false;
    const TZBSearchKeysData* SearchKeys = nullptr;  // the words to highlight; may be null
    // The display options, every colour an RGB colour (system colours resolved).
    TPropertiesBibleView Properties;
    TColor HighlightColor = kColorYellow;
    const TZBStrongsDataModule* StrongsData = nullptr;
    // Candidates for the margin links: the library's commentaries and books, and the
    // user commentaries for the edit links. Link numbers index these lists.
    std::vector<const TZBCommentaryModule*> MarginCommentaries;
    std::vector<const TZBDictionaryModule*> MarginBooks;
    std::vector<const TZBCommentaryModule*> UserCommentaries;
    const TParagraphMap* ParagraphMap = nullptr;
    bool PreviousChapterLink = false;
    bool NextChapterLink = false;
    bool Paged = false;
    int PageStart = 0;  // list index of the page's first item when Paged
};

// A verse written on the page and the length of its reference label as displayed.
struct TPageVerse {
    int Index = 0;  // in the list
    int Verse = 0;
    int LabelLength = 0;
};

struct TPassagePage {
    std::string Html;  // the primary Bible's encoding: Windows-1252, or UTF-8 when Utf8
    bool Utf8 = false;
    int PageStart = 0;
    int PageEnd = -1;  // list index of the last item shown; -1 for an empty list
    std::vector<TPageVerse> Verses;
    // Highlighted words carry the anchors "skey0" ... "skey<count-1>", in page order.
    int SearchKeyCount = 0;
    // The items of a page drop-down ("Ge 1:1 - Ge 4:5", Windows-1252) and the one shown.
    std::vector<std::string> PageSelectorItems;
    int PageSelectorIndex = -1;
};

// Raises the reader's error for a verse the primary Bible does not have.
TPassagePage BuildPassagePage(const TPassagePageInput& input);

// The name of the anchor a verse's label carries.
std::string VerseAnchorName(int verse);

}  // namespace kvx
