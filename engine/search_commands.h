// What the two Bible search commands decide, apart from their windows: the Search
// Bible command behind the search dialog and the quick search box. The windows
// show what these functions return and ask the user what they are told to ask.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/bible_module.h"
#include "engine/search_keys.h"
#include "engine/verse_types.h"

namespace kvx {

// The search methods of the search dialog.
enum class TSearchMethod { All, Any, Phrase, Boolean };

// Which search a text leads to, and with which flags.
enum class TSearchCall { Query, PhraseQuery };
struct TSearchPlan {
    TSearchCall Call = TSearchCall::Query;
    uint32_t Flags = 0;
    bool operator==(const TSearchPlan&) const = default;
};
// Operators or quotes always mean the query language; otherwise the method decides.
TSearchPlan PlanBibleSearch(std::string_view text, TSearchMethod method, uint32_t flags);

// Help topic of the search instructions, offered with the messages below.
constexpr int kSearchHelpContext = 1270;
extern const char* const kNoSearchWordsMessage;
extern const char* const kNoVersesFoundMessage;

// The text without control characters and spaces at either end.
std::string TrimSearchText(std::string_view text);

// Results ready for the results panel.
struct TSearchResults {
    TVerseList Verses;
    TZBSearchKeysData Keys;
    std::string Caption;  // "<abbreviation> Search: <text>"
};

struct TSearchBibleRequest {
    std::string Text;
    TSearchMethod Method = TSearchMethod::All;
    uint32_t Flags = 0;
    int First = -1;  // verse numbers; -1: first or last verse of the module
    int Last = -1;
};

struct TSearchBibleOutcome {
    // Found: show Results (switching the footnote display on first when asked).
    // Otherwise: show Message as information with OK and Help (kSearchHelpContext)
    // and then the search dialog again.
    bool Found = false;
    TSearchResults Results;
    bool ShowFootnotes = false;
    std::string Message;
};
// The Search Bible command once the dialog was confirmed.
TSearchBibleOutcome SearchBibleCommand(TZBBibleModule& bible, const TSearchBibleRequest& request);

// The "Word not found" dialog: gets its explanation (HTML) and the suggested words;
// returns the chosen words joined by single spaces, empty when cancelled.
using TChooseSuggestedWords =
    std::function<std::string(const std::string& explanation, const std::vector<std::string>& words)>;

struct TQuickSearchOutcome {
    enum class TKind {
        Ignored,    // nothing typed: the key is not consumed
        Found,      // show Results
        Cancelled,  // the user closed the suggestions without choosing
        NotFound,   // show Message
    };
    TKind Kind = TKind::Ignored;
    std::string BoxText;  // the text of the box afterwards (chosen suggestions replace it)
    TSearchResults Results;
    std::string Message;
};
// True for a text that suggestions may stand in for: no operator, delimiter or
// search modifier in it.
bool IsPlainSearchWord(std::string_view text);
// The quick Bible search box on Enter.
TQuickSearchOutcome QuickBibleSearch(TZBBibleModule& bible, std::string_view boxText,
                                     const TChooseSuggestedWords& chooseWords);

}  // namespace kvx
