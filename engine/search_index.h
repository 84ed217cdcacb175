// Looking one query word up in a word index: which index words it matches (exact,
// prefix, suffix, substring, wildcard pattern, word forms, close matches) and the
// set of items their posting lists name. Bible and resource modules share it.
//
// The result is defined by a plain walk over the word list that tests every word.
// TSearchWordIndex answers the same question from lookup tables built once per
// index; MatchIndex takes either road and must give the same sets and keys.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/boolean_array.h"
#include "engine/search_keys.h"
#include "engine/str_comp.h"
#include "engine/word_index.h"

namespace kvx {

// Query-wide options of a word search; each module kind has its own flag bits.
struct TWordMatchOptions {
    bool MatchCase = false;
    bool Fuzzy = false;
    bool Substring = false;
    bool Stem = false;
};

enum class TWordMatchKind { Exact, StartsWith, EndsWith, Contains, Pattern };

// One query word, its markers ("~", "=", "_") and wildcards read.
struct TWordQuery {
    bool Everything = false;  // the word "*"
    TWordMatchKind Kind = TWordMatchKind::Exact;
    std::string Text;     // without markers and the wildcards the kind consumed
    std::string Pattern;  // Kind == Pattern: Text, lowered unless case matters
    bool MatchCase = false;
    bool Fuzzy = false;
    bool Stem = false;
    std::string StemText;  // Stem: the stem of Text
};

TWordQuery ParseWordQuery(std::string_view word, const TWordMatchOptions& options);

// The items a search covers: bit i stands for item number i + FirstNumber (verse
// numbers start at 1, entry numbers at 0).
struct TSearchUniverse {
    int32_t ItemCount = 0;
    int32_t FirstNumber = 1;
};

// Close matches: similarity to the query word of at least this much.
constexpr long double kApproximateMatchThreshold = 0.94L;

// The definition of a match of index word w. `comparer` must hold the query word
// as its target (see PrepareComparer); close matches need `threshold`.
bool WordMatches(const TWordQuery& query, std::string_view w, TkvcStrComp2k& comparer,
                 long double threshold = kApproximateMatchThreshold);
void PrepareComparer(const TWordQuery& query, TkvcStrComp2k& comparer);

// Lookup tables over one word index, answering WordMatches for the whole list at once.
class TSearchWordIndex {
public:
    explicit TSearchWordIndex(const TZBWordIndex& index);
    TSearchWordIndex(const TSearchWordIndex&) = delete;
    TSearchWordIndex& operator=(const TSearchWordIndex&) = delete;

    const TZBWordIndex& Index() const { return index_; }
    // The positions in the word list of every matching word, ascending.
    std::vector<uint32_t> Matches(const TWordQuery& query, TkvcStrComp2k& comparer,
                                  long double threshold = kApproximateMatchThreshold);

private:
    std::string_view Key(const std::string& blob, uint32_t word) const {
        return std::string_view(blob).substr(starts_[word], index_.Words()[word].size());
    }
    // Adds the words of order (sorted by their keys in blob) whose key begins with prefix.
    void AddSortedRange(const std::vector<uint32_t>& order, const std::string& blob, std::string_view prefix,
                        bool whole, std::vector<uint32_t>& out) const;
    void AddKindMatches(const TWordQuery& query, std::vector<uint32_t>& out);
    void AddContains(std::string_view needle, bool matchCase, std::vector<uint32_t>& out) const;
    void AddStemMatches(const TWordQuery& query, std::vector<uint32_t>& out);
    void BuildSuffixes();
    void BuildStems();

    const TZBWordIndex& index_;
    // Every word after a 0 byte, as stored and folded (AnsiLowerCase); word i begins
    // at starts_[i] in both.
    std::string rawBlob_, foldedBlob_;
    std::vector<uint32_t> starts_;
    std::vector<uint32_t> sortedWords_;  // the non-empty words by folded form
    std::vector<uint32_t> wordsWithQuestionMark_;
    // Built on first use: folded words reversed in place, and the stems.
    std::string reversedBlob_;
    std::vector<uint32_t> suffixOrder_;
    std::unordered_map<std::string, std::vector<uint32_t>> byStem_;
    bool stemsBuilt_ = false;
};

// The lookup tables of one word index, made at its third look-up: two plain walks
// cost less than building them; from the third look-up on they pay for themselves.
class TLazySearchIndex {
public:
    TSearchWordIndex* For(const TZBWordIndex& list) {
        if (!tables_ && ++lookups_ > kLookupsBeforeTables) tables_ = std::make_unique<TSearchWordIndex>(list);
        return tables_.get();
    }
    void Reset() {
        tables_.reset();
        lookups_ = 0;
    }

private:
    static constexpr int kLookupsBeforeTables = 2;
    std::unique_ptr<TSearchWordIndex> tables_;
    int lookups_ = 0;
};

// The common context of MatchIndex calls for one module.
struct TMatchIndexContext {
    std::string ModuleName;  // for "IndexList nil (%s, %s)"
    TSearchUniverse Universe;
    TkvcStrComp2k* Comparer = nullptr;  // the module's own; required
    long double Threshold = kApproximateMatchThreshold;
};

// The items first..last (item numbers) whose posting lists hold a word that
// matches `word`; matched words are added to position. `accel` may be null. Raises "IndexList nil (%s, %s)" when
// the module has no such list.
TBooleanArray MatchIndex(std::string_view word, const TZBWordIndex* list, TSearchWordIndex* accel,
                         TZBSearchKeyMatchingWords& position, int32_t first, int32_t last,
                         const TWordMatchOptions& options, const TMatchIndexContext& context);

}  // namespace kvx
