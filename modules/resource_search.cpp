// The searches of a resource module: the shared query evaluator over the module's
// one word index, with entries as items (numbered from 0), phrase checks against
// the entry text and, for books, against the title.
#include "modules/resource_search.h"

#include "engine/parse_words.h"
#include "engine/search_query.h"
#include "modules/resource_module.h"

namespace kvx {

TWordMatchOptions ResourceWordOptions(uint32_t flags) {
    TWordMatchOptions o;
    o.MatchCase = (flags & kResourceSearchMatchCase) != 0;
    o.Fuzzy = (flags & kResourceSearchFuzzy) != 0;
    o.Substring = (flags & kResourceSearchSubstring) != 0;
    o.Stem = (flags & kResourceSearchStem) != 0;
    return o;
}

TEntryIndexArray EntriesToIndexArray(const TBooleanArray& entries) { return entries.ItemList(0); }

class TResourceSearchTarget : public TSearchTarget {
public:
    explicit TResourceSearchTarget(TZBDictionaryModule& module) : module_(module) {}

    int32_t ItemCount() const override { return module_.EntryCount(); }
    int32_t FirstNumber() const override { return 0; }
    const TCharSet& PhraseDelimiters() const override { return ResourcePhraseDelimiters; }
    uint32_t AnyWordFlag() const override { return kResourceSearchAnyWord; }

    TBooleanArray SearchWord(const std::string& word, uint32_t flags, TZBSearchKeyMatchingWords& position,
                             int32_t first, int32_t last) override {
        return module_.SearchWord(word, flags, position, first, last);
    }

    void VerifyPhrase(TBooleanArray& set, const TZBSearchKeyNode& node, uint32_t, int32_t first,
                      int32_t last) override {
        const TPhraseMatcher matcher(node);
        // A book entry is also found by its title: look-ups by topic name are common.
        const bool titles = !module_.IsCommentary();
        for (int32_t e = first; e <= last; ++e) {
            if (!set.Test(e)) continue;
            bool keep = PhraseMatch(module_.StoredEntryText(e), ResourceWordDelimiters, matcher, true, false);
            if (!keep && titles)
                keep = PhraseMatch(module_.EntryTitles()[static_cast<size_t>(e)], ResourceWordDelimiters, matcher,
                                   false, false);
            set.SetItemValue(e, keep);
        }
    }

private:
    TZBDictionaryModule& module_;
};

void TZBDictionaryModule::NormalizeRange(int& first, int& last) const {
    if (first < 0) first = 0;
    if (last < 0 || last >= entryCount_) last = entryCount_ - 1;
}

TBooleanArray TZBDictionaryModule::MatchIndex(std::string_view word, TZBSearchKeyMatchingWords& position, int first,
                                              int last, uint32_t options) {
    NormalizeRange(first, last);
    const TZBWordIndex& list = WordList();
    TMatchIndexContext context;
    context.ModuleName = moduleName_;
    context.Universe = {entryCount_, 0};
    context.Comparer = comparer_.get();
    return kvx::MatchIndex(word, &list, wordSearch_.For(list), position, first, last, ResourceWordOptions(options),
                           context);
}

TBooleanArray TZBDictionaryModule::SearchWord(const std::string& word, uint32_t options,
                                              TZBSearchKeyMatchingWords& position, int first, int last) {
    return MatchIndex(word, position, first, last, options);
}

TBooleanArray TZBDictionaryModule::SearchPhrase(std::string_view phrase, uint32_t options, TZBSearchKeyNode& node,
                                                int first, int last) {
    NormalizeRange(first, last);
    TResourceSearchTarget target(*this);
    return kvx::SearchPhrase(target, phrase, options, node, first, last);
}

TBooleanArray TZBDictionaryModule::Evaluate(std::string_view query, uint32_t options, TZBSearchKeysData& keys,
                                            int first, int last) {
    NormalizeRange(first, last);
    TResourceSearchTarget target(*this);
    return kvx::Evaluate(target, query, options, keys, first, last);
}

void TZBDictionaryModule::SearchEntries(std::string_view query, uint32_t options, TEntryIndexArray& entries,
                                        int last, int first, TZBSearchKeysData& keys) {
    entries.clear();
    const std::string wrapped = "(" + std::string(query) + ")";
    entries = EntriesToIndexArray(Evaluate(wrapped, options, keys, first, last));
}

void TZBDictionaryModule::PhraseSearch(std::string_view phrase, uint32_t options, TEntryIndexArray& entries,
                                       int last, int first, TZBSearchKeysData& keys) {
    entries.clear();
    keys.Nodes.emplace_back();
    entries = EntriesToIndexArray(SearchPhrase(phrase, options, keys.Nodes.back(), first, last));
}

}  // namespace kvx
