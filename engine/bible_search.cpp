// The searches of a Bible module: the query evaluator over its three word indexes
// (main words, Strong's numbers, footnote words), phrase checks against the verse
// text, and the suggestion list.
#include "engine/bible_search.h"

#include <algorithm>

#include "engine/bible_module.h"
#include "engine/parse_words.h"
#include "engine/search_query.h"
#include "engine/search_suggest.h"

namespace kvx {

TWordMatchOptions BibleWordOptions(uint32_t flags) {
    TWordMatchOptions o;
    o.MatchCase = (flags & kSearchMatchCase) != 0;
    o.Fuzzy = (flags & kSearchFuzzy) != 0;
    o.Substring = (flags & kSearchSubstring) != 0;
    o.Stem = (flags & kSearchStem) != 0;
    return o;
}

namespace {

class BibleTarget : public TSearchTarget {
public:
    explicit BibleTarget(TZBBibleModule& bible) : bible_(bible) {}

    int32_t ItemCount() const override { return bible_.VerseCount(); }
    int32_t FirstNumber() const override { return 1; }
    const TCharSet& PhraseDelimiters() const override { return BiblePhraseDelimiters; }
    uint32_t AnyWordFlag() const override { return kSearchAnyWord; }

    TBooleanArray SearchWord(const std::string& word, uint32_t flags, TZBSearchKeyMatchingWords& position,
                             int32_t first, int32_t last) override {
        return bible_.SearchWord(word, flags, position, first, last);
    }

    void VerifyPhrase(TBooleanArray& set, const TZBSearchKeyNode& node, uint32_t flags, int32_t first,
                      int32_t last) override {
        const TPhraseMatcher matcher(node);
        const bool footnotes = (flags & kSearchFootnotes) != 0;
        for (int32_t v = first; v <= last; ++v) {
            if (!set.Test(v - 1)) continue;
            const std::string text = bible_.GetVerseText(v, false, footnotes);
            set.SetItemValue(v - 1, PhraseMatch(text, BibleWordDelimiters, matcher, false, false));
        }
    }

private:
    TZBBibleModule& bible_;
};

}  // namespace

void TZBBibleModule::NormalizeRange(int& first, int& last) const {
    if (first < 1) first = 1;
    if (last == -1 || last > verseCount_) last = verseCount_;
}

TSearchWordIndex* TZBBibleModule::SearchIndexFor(const TZBWordIndex* list) {
    if (!list || !accelerate_) return nullptr;
    TLazySearchIndex* slot = list == mainWords_.get()       ? &mainSearch_
                             : list == strongsWords_.get()  ? &strongsSearch_
                             : list == footnoteWords_.get() ? &footnoteSearch_
                                                            : nullptr;
    return slot ? slot->For(*list) : nullptr;
}

TBooleanArray TZBBibleModule::MatchIndex(std::string_view word, const TZBWordIndex* list,
                                         TZBSearchKeyMatchingWords& position, int first, int last, uint32_t flags) {
    NormalizeRange(first, last);
    TMatchIndexContext context;
    context.ModuleName = moduleName_;
    context.Universe = {verseCount_, 1};
    context.Comparer = comparer_.get();
    return kvx::MatchIndex(word, list, SearchIndexFor(list), position, first, last, BibleWordOptions(flags), context);
}

TBooleanArray TZBBibleModule::SearchWord(const std::string& word, uint32_t flags,
                                         TZBSearchKeyMatchingWords& position, int first, int last) {
    if (HasStrongs() && IsStrongsToken(word)) return MatchIndex(word, StrongsList(), position, first, last, 0);
    TBooleanArray set = MatchIndex(word, MainWordList(), position, first, last, flags);
    if (HasFootnotes() && (flags & kSearchFootnotes) && FootnoteWordList())
        set.OrWith(MatchIndex(word, FootnoteWordList(), position, first, last, flags));
    return set;
}

TBooleanArray TZBBibleModule::SearchPhrase(std::string_view text, uint32_t flags, TZBSearchKeyNode& node, int first,
                                           int last) {
    NormalizeRange(first, last);
    BibleTarget target(*this);
    return kvx::SearchPhrase(target, text, flags, node, first, last);
}

TBooleanArray TZBBibleModule::Evaluate(std::string_view query, uint32_t flags, TZBSearchKeysData& keys, int first,
                                       int last) {
    NormalizeRange(first, last);
    BibleTarget target(*this);
    return kvx::Evaluate(target, query, flags, keys, first, last);
}

void TZBBibleModule::SearchQuery(std::string_view query, uint32_t flags, TVerseList& verses, int last, int first,
                                 TZBSearchKeysData& keys) {
    verses.clear();
    const std::string wrapped = "(" + std::string(query) + ")";
    verses = Evaluate(wrapped, flags, keys, first, last).ToVerseList();
}

void TZBBibleModule::SearchPhraseQuery(std::string_view text, uint32_t flags, TVerseList& verses, int last, int first,
                                       TZBSearchKeysData& keys) {
    verses.clear();
    keys.Nodes.emplace_back();
    verses = SearchPhrase(text, flags, keys.Nodes.back(), first, last).ToVerseList();
}

void TZBBibleModule::SearchSingleWord(std::string_view word, uint32_t flags, TVerseList& verses, int last, int first,
                                      TZBSearchKeysData& keys) {
    verses.clear();
    keys.Nodes.emplace_back();
    keys.Nodes.back().Positions.emplace_back();
    verses = SearchWord(std::string(word), flags, keys.Nodes.back().Positions.back(), first, last).ToVerseList();
}

const std::vector<std::string>& TZBBibleModule::SuggestionWordList() {
    if (!suggestionsBuilt_) {
        if (const TZBWordIndex* main = MainWordList()) suggestionWords_ = BuildSuggestionWordList(main->Words());
        suggestionsBuilt_ = true;
    }
    return suggestionWords_;
}

std::vector<std::string> TZBBibleModule::Suggestions(std::string& word, int max) {
    return kvx::Suggestions(SuggestionWordList(), *comparer_, word, max);
}

}  // namespace kvx
