// The decisions of the Search Bible command and the quick search box.
#include "engine/search_commands.h"

#include <algorithm>

#include "engine/bible_search.h"
#include "engine/parse_words.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"

namespace kvx {

const char* const kNoSearchWordsMessage =
    "You did not enter any search words.\nIf you are having difficulty performing a search,\n"
    "please click help for search instructions.";
const char* const kNoVersesFoundMessage =
    "No verses found matching search parameters.\nIf you are having difficulty performing a search,\n"
    "please click help for search instructions.";

namespace {

std::string Caption(const TZBBibleModule& bible, const std::string& text) {
    return Format("%s Search: %s", bible.Abbreviation().c_str(), text.c_str());
}

std::string NoMatchMessage(const TZBBibleModule& bible) {
    return "Sorry, no matching verses found (" + bible.Abbreviation() +
           ").\nYou can perform a more advanced search with F2 (or the Search Bible function on the Search menu).";
}

}  // namespace

std::string TrimSearchText(std::string_view text) { return std::string(TrimBlanks(text)); }

TSearchPlan PlanBibleSearch(std::string_view text, TSearchMethod method, uint32_t flags) {
    if (text.find_first_of("!&^|\"") != std::string_view::npos) return {TSearchCall::Query, flags};
    switch (method) {
        case TSearchMethod::Any: return {TSearchCall::Query, flags | kSearchAnyWord};
        case TSearchMethod::Phrase: return {TSearchCall::PhraseQuery, flags};
        case TSearchMethod::All:
        case TSearchMethod::Boolean: break;
    }
    return {TSearchCall::Query, flags};
}

TSearchBibleOutcome SearchBibleCommand(TZBBibleModule& bible, const TSearchBibleRequest& request) {
    TSearchBibleOutcome outcome;
    const std::string text = TrimSearchText(request.Text);
    if (text.empty()) {
        outcome.Message = kNoSearchWordsMessage;
        return outcome;
    }
    const TSearchPlan plan = PlanBibleSearch(text, request.Method, request.Flags);
    TSearchResults& r = outcome.Results;
    if (plan.Call == TSearchCall::PhraseQuery)
        bible.SearchPhraseQuery(text, plan.Flags, r.Verses, request.Last, request.First, r.Keys);
    else
        bible.SearchQuery(text, plan.Flags, r.Verses, request.Last, request.First, r.Keys);
    if (r.Verses.empty()) {
        outcome.Message = kNoVersesFoundMessage;
        return outcome;
    }
    outcome.Found = true;
    outcome.ShowFootnotes = (request.Flags & kSearchFootnotes) != 0;
    r.Caption = Caption(bible, text);
    return outcome;
}

bool IsPlainSearchWord(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        return SearchOperatorChars.Contains(c) || BibleWordDelimiters.Contains(c) || SearchModifierChars.Contains(c);
    });
}

TQuickSearchOutcome QuickBibleSearch(TZBBibleModule& bible, std::string_view boxText,
                                     const TChooseSuggestedWords& chooseWords) {
    using TKind = TQuickSearchOutcome::TKind;
    TQuickSearchOutcome outcome;
    outcome.BoxText = std::string(boxText);
    std::string text = TrimSearchText(boxText);
    if (text.empty()) return outcome;

    // Suggestions are offered once; a search for the chosen words that fails too
    // ends with the message.
    for (bool offered = false;; offered = true) {
        TSearchResults r;
        bible.SearchQuery(text, 0, r.Verses, -1, -1, r.Keys);
        if (!r.Verses.empty()) {
            r.Caption = Caption(bible, text);
            outcome.Kind = TKind::Found;
            outcome.Results = std::move(r);
            return outcome;
        }
        if (offered || !IsPlainSearchWord(text)) break;
        std::string word = text;
        const std::vector<std::string> words = bible.Suggestions(word, 10);
        if (words.empty()) break;
        const std::string explanation = Format(
            "The word <b>%s</b> was not found in the <b>%s</b>.<br><br>However, the following word(s) may be what you "
            "are looking for. Select a word and then click Search to perform a new search, or click Cancel to end your "
            "search now.",
            word.c_str(), bible.Abbreviation().c_str());
        const std::string chosen = TrimSearchText(chooseWords ? chooseWords(explanation, words) : std::string());
        if (chosen.empty()) {
            outcome.Kind = TKind::Cancelled;
            return outcome;
        }
        text = chosen;
        std::replace(text.begin(), text.end(), ' ', '|');
        outcome.BoxText = text;
    }
    outcome.Kind = TKind::NotFound;
    outcome.Message = NoMatchMessage(bible);
    return outcome;
}

}  // namespace kvx
