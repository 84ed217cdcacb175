// The query language evaluated over any searchable module: operators, grouping,
// juxtaposed words and quoted phrases, each word looked up by the module itself.
// Bible modules number their items by verse (1-based), resource modules by entry
// (0-based); both give a bit set over their items.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/boolean_array.h"
#include "engine/parse_words.h"
#include "engine/search_keys.h"

namespace kvx {

// What the evaluator needs from a module.
class TSearchTarget {
public:
    virtual ~TSearchTarget() = default;

    // Every set has one bit per item; bit i stands for item number i + FirstNumber.
    virtual int32_t ItemCount() const = 0;
    virtual int32_t FirstNumber() const = 0;
    // Splits the words of a phrase query.
    virtual const TCharSet& PhraseDelimiters() const = 0;
    // The flag bit that joins juxtaposed words by "or" instead of "and".
    virtual uint32_t AnyWordFlag() const = 0;
    // The items first..last that hold the word; matched index words go to position.
    virtual TBooleanArray SearchWord(const std::string& word, uint32_t flags, TZBSearchKeyMatchingWords& position,
                                     int32_t first, int32_t last) = 0;
    // Clears the items first..last of set whose text does not hold the phrase.
    virtual void VerifyPhrase(TBooleanArray& set, const TZBSearchKeyNode& node, uint32_t flags, int32_t first,
                              int32_t last) = 0;
};

// Groups nested deeper than this are refused rather than risking the stack.
constexpr int kMaxQueryNesting = 200;

// Evaluates a query over items first..last (item numbers, inside the module),
// appending a key node for every word or phrase reached.
TBooleanArray Evaluate(TSearchTarget& target, std::string_view query, uint32_t flags, TZBSearchKeysData& keys,
                       int32_t first, int32_t last);

// The whole text as one phrase: its words in order, side by side.
TBooleanArray SearchPhrase(TSearchTarget& target, std::string_view text, uint32_t flags, TZBSearchKeyNode& node,
                           int32_t first, int32_t last);

}  // namespace kvx
