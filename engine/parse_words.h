// What a word is, for searching, phrase checks and hit marking alike: the delimiter
// sets, the word splitter, the Strong's-number word test, the wildcard matchers,
// the query tokenizer, phrase checks and hit marking.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "engine/search_keys.h"

namespace kvx {

// A set of byte values.
struct TCharSet {
    std::array<bool, 256> members{};

    constexpr bool Contains(unsigned char c) const { return members[c]; }
    constexpr bool Contains(char c) const { return members[static_cast<unsigned char>(c)]; }
    constexpr TCharSet& Add(int first, int last) {
        for (int c = first; c <= last; ++c) members[static_cast<size_t>(c)] = true;
        return *this;
    }
    constexpr TCharSet& Add(std::initializer_list<int> values) {
        for (int c : values) members[static_cast<size_t>(c)] = true;
        return *this;
    }
    constexpr TCharSet Without(const TCharSet& other) const {
        TCharSet result = *this;
        for (size_t c = 0; c < 256; ++c)
            if (other.members[c]) result.members[c] = false;
        return result;
    }
    constexpr int Size() const {
        int n = 0;
        for (bool b : members) n += b ? 1 : 0;
        return n;
    }
};

constexpr unsigned char kHebrewStrongsMarker = 2;
constexpr unsigned char kGreekStrongsMarker = 3;
// A marker is followed by this many characters holding the number.
constexpr size_t kStrongsMarkerDigits = 5;

inline constexpr TCharSet BibleWordDelimiters =
    TCharSet{}.Add({0, 1}).Add(4, 34).Add({'(', ')', ',', '.', ':', ';', '<', '>', '?', '[', ']', '`', '{', '}', 161, 191});

inline constexpr TCharSet ResourceWordDelimiters = TCharSet{}.Add(0, 47).Add(58, 64).Add(91, 96).Add(123, 126);

inline constexpr TCharSet SearchModifierChars = TCharSet{}.Add({'*', '=', '?', '_', '~'});
inline constexpr TCharSet SearchOperatorChars = TCharSet{}.Add({'!', '&', '^', '|'});

inline constexpr TCharSet BiblePhraseDelimiters = BibleWordDelimiters.Without(SearchModifierChars);
inline constexpr TCharSet ResourcePhraseDelimiters = ResourceWordDelimiters.Without(SearchModifierChars);

// Entry n: the 1-based character position where word n begins.
using TZBParsedStringLocations = std::vector<int32_t>;

// Splits text into words and their positions (outputs are cleared first). In
// htmlAware mode tags make no words and, when the text has a <body>, only its
// content counts. skipStrongs leaves out Strong's-number words.
void ParseWords(std::string_view text, const TCharSet& delimiters, std::vector<std::string>& words,
                TZBParsedStringLocations& locations, bool htmlAware, bool skipStrongs);

// True for a word such as G3056, h0430, H$1A2B or a marker byte followed by digits.
bool IsStrongsToken(std::string_view word);

// Equal-length match where "?" on either side stands for any one character.
bool QuestionMatch(std::string_view a, std::string_view b);

// Case-sensitive match of a word against a pattern with "*" and "?". Each "*"
// takes the first place where the rest of its segment occurs and never backtracks,
// so l*ve matches love and leave but not lovelive.
bool WildcardMatch(std::string_view word, std::string_view pattern);

// Splits a query into words, quoted phrases, whole parenthesised groups and
// single operator characters. Open groups and quotes are closed, stray ")" dropped,
// a lone group unwrapped, and operator runs cut to their first operator.
std::vector<std::string> TokenizeQuery(std::string_view query, const TCharSet& operators);

// Tests texts for the words of one key node standing next to each other in order.
// Built once per node, so checking many verses does not rebuild the word sets.
class TPhraseMatcher {
public:
    explicit TPhraseMatcher(const TZBSearchKeyNode& node);

    size_t PositionCount() const { return positions_.size(); }
    // Whether words[start..] match every position.
    bool MatchesAt(const std::vector<std::string>& words, size_t start) const;
    // The start of the last match in words, or -1.
    int64_t FindLast(const std::vector<std::string>& words) const;

private:
    struct Position {
        bool any = false;  // the position stands for any word
        std::unordered_set<std::string> words;
    };
    std::vector<Position> positions_;
};

// True when the text holds the node's words side by side in order; a position
// whose first word is "*" takes any word.
bool PhraseMatch(std::string_view text, const TCharSet& delimiters, const TZBSearchKeyNode& node, bool htmlAware,
                 bool skipStrongs);
bool PhraseMatch(std::string_view text, const TCharSet& delimiters, const TPhraseMatcher& matcher, bool htmlAware,
                 bool skipStrongs);

// Puts openTag before and closeTag after every word of the text that a node
// matches (a phrase's words each get their own pair).
void MarkHits(std::string& text, const TCharSet& delimiters, const std::vector<TZBSearchKeyNode>& nodes,
              bool htmlAware, bool skipStrongs, std::string_view closeTag, std::string_view openTag);

}  // namespace kvx
