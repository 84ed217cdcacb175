// Evaluating a query: split at the loosest operator, combine the sides, intersect
// (or unite) juxtaposed terms, and look phrases up word by word.
#include "engine/search_query.h"

#include <vector>

#include "platform/exception.h"

namespace kvx {
namespace {

std::string Join(const std::vector<std::string>& tokens, size_t begin, size_t end) {
    std::string s;
    for (size_t i = begin; i < end; ++i) {
        if (i > begin) s += ' ';
        s += tokens[i];
    }
    return s;
}

// A query that is one quoted phrase: it opens with a quote that closes only at its end.
bool IsOneQuotedPhrase(std::string_view query) {
    return query.size() >= 2 && query.front() == '"' && query.find('"', 1) == query.size() - 1;
}

class Evaluator {
public:
    Evaluator(TSearchTarget& target, uint32_t flags, int32_t first, int32_t last)
        : target_(target), flags_(flags), first_(first), last_(last) {}

    TBooleanArray Eval(std::string_view query, TZBSearchKeysData& keys, int depth) {
        if (depth > kMaxQueryNesting)
            throw Exception(Format("The search query is nested too deeply (more than %d levels).", kMaxQueryNesting));
        if (IsOneQuotedPhrase(query)) {
            keys.Nodes.emplace_back();
            return SearchPhrase(target_, query.substr(1, query.size() - 2), flags_, keys.Nodes.back(), first_, last_);
        }
        const std::vector<std::string> tokens = TokenizeQuery(query, SearchOperatorChars);
        if (tokens.empty()) return Empty();
        if (tokens.size() == 1) {
            if (SearchOperatorChars.Contains(tokens[0][0])) return Empty();
            keys.Nodes.emplace_back();
            return SearchPhrase(target_, tokens[0], flags_, keys.Nodes.back(), first_, last_);
        }
        for (const char* op : {"^", "|", "&", "!"}) {
            std::vector<size_t> at;
            for (size_t i = 0; i < tokens.size(); ++i)
                if (tokens[i] == op) at.push_back(i);
            if (at.empty()) continue;
            // The pieces between every occurrence: a ^ b ^ c is a ^ (b ^ c), and so on.
            std::vector<std::string> pieces;
            size_t begin = 0;
            for (size_t i : at) {
                pieces.push_back(Join(tokens, begin, i));
                begin = i + 1;
            }
            pieces.push_back(Join(tokens, begin, tokens.size()));
            return *op == '!' ? AndNot(pieces, keys, depth) : Combine(*op, pieces, keys, depth);
        }
        TBooleanArray result = Eval(tokens[0], keys, depth + 1);
        const bool any = (flags_ & target_.AnyWordFlag()) != 0;
        for (size_t i = 1; i < tokens.size(); ++i) {
            TBooleanArray next = Eval(tokens[i], keys, depth + 1);
            if (any)
                result.OrWith(next);
            else
                result.AndWith(next);
        }
        return result;
    }

private:
    TBooleanArray Empty() const { return TBooleanArray(target_.ItemCount()); }

    // A missing side (an operator at either end) contributes nothing.
    TBooleanArray Combine(char op, const std::vector<std::string>& pieces, TZBSearchKeysData& keys, int depth) {
        TBooleanArray result = Empty();
        bool have = false;
        for (const std::string& piece : pieces) {
            if (piece.empty()) continue;
            TBooleanArray next = Eval(piece, keys, depth + 1);
            if (!have)
                result = std::move(next);
            else if (op == '^')
                result.XorWith(next);
            else if (op == '|')
                result.OrWith(next);
            else
                result.AndWith(next);
            have = true;
        }
        return result;
    }

    // a ! b ! c is a and not (b and not c). Only the leftmost side's words are hits;
    // the excluded words go to keys that are thrown away.
    TBooleanArray AndNot(const std::vector<std::string>& pieces, TZBSearchKeysData& keys, int depth) {
        std::vector<TBooleanArray> sets;
        sets.reserve(pieces.size());
        TZBSearchKeysData excluded;
        for (size_t i = 0; i < pieces.size(); ++i)
            sets.push_back(pieces[i].empty() ? Empty() : Eval(pieces[i], i == 0 ? keys : excluded, depth + 1));
        TBooleanArray right = std::move(sets.back());
        for (size_t i = pieces.size() - 1; i-- > 0;) {
            TBooleanArray left = std::move(sets[i]);
            right.Invert();
            if (!pieces[i].empty()) {
                left.AndWith(right);
                right = std::move(left);
            }
            ClearOutsideRange(right);
        }
        return right;
    }

    // The complement covers the whole module; the search covers only the range.
    void ClearOutsideRange(TBooleanArray& set) const {
        const int32_t base = target_.FirstNumber();
        for (int32_t i = 0; i < set.Count(); ++i)
            if (i + base < first_ || i + base > last_) set.SetItemValue(i, false);
    }

    TSearchTarget& target_;
    uint32_t flags_;
    int32_t first_, last_;
};

}  // namespace

TBooleanArray Evaluate(TSearchTarget& target, std::string_view query, uint32_t flags, TZBSearchKeysData& keys,
                       int32_t first, int32_t last) {
    return Evaluator(target, flags, first, last).Eval(query, keys, 0);
}

TBooleanArray SearchPhrase(TSearchTarget& target, std::string_view text, uint32_t flags, TZBSearchKeyNode& node,
                           int32_t first, int32_t last) {
    std::vector<std::string> words;
    TZBParsedStringLocations locations;
    ParseWords(text, target.PhraseDelimiters(), words, locations, false, false);
    if (words.empty()) return TBooleanArray(target.ItemCount());
    node.Positions.reserve(node.Positions.size() + words.size());
    node.Positions.emplace_back();
    TBooleanArray result = target.SearchWord(words[0], flags, node.Positions.back(), first, last);
    if (words.size() == 1) return result;
    for (size_t i = 1; i < words.size(); ++i) {
        node.Positions.emplace_back();
        result.AndWith(target.SearchWord(words[i], flags, node.Positions.back(), first, last));
    }
    target.VerifyPhrase(result, node, flags, first, last);
    return result;
}

}  // namespace kvx
