// The word splitter, the Strong's-number word test, wildcard matching, the query
// tokenizer, phrase checks and hit marking.
#include "engine/parse_words.h"

#include "platform/ansi_text.h"

namespace kvx {

static_assert(BibleWordDelimiters.Size() == 49);
static_assert(ResourceWordDelimiters.Size() == 65);

void ParseWords(std::string_view text, const TCharSet& delimiters, std::vector<std::string>& words,
                TZBParsedStringLocations& locations, bool htmlAware, bool skipStrongs) {
    words.clear();
    locations.clear();
    if (text.empty()) return;

    // 0-based [begin, end) internally; locations are reported 1-based.
    size_t begin = 0;
    size_t end = text.size();
    if (htmlAware) {
        size_t body = AnsiFindText("<body>", text);
        if (body != std::string_view::npos) {
            begin = body + 6;
            size_t close = AnsiFindText("</body>", text.substr(begin));
            end = close == std::string_view::npos ? text.size() : begin + close;
        }
    }

    size_t pos = begin;
    auto skipDelimiters = [&] {
        while (pos < end && delimiters.Contains(text[pos])) {
            if (htmlAware && text[pos] == '<') break;
            ++pos;
        }
    };

    skipDelimiters();
    while (pos < end) {
        if (htmlAware && text[pos] == '<') {
            size_t close = text.find('>', pos);
            pos = close == std::string_view::npos || close >= end ? end : close;
            if (pos >= end) break;
        }
        const size_t start = pos;
        unsigned char c = static_cast<unsigned char>(text[pos]);
        if (c == kHebrewStrongsMarker || c == kGreekStrongsMarker) ++pos;
        while (pos < end) {
            c = static_cast<unsigned char>(text[pos]);
            if (delimiters.Contains(c) || c == kHebrewStrongsMarker || c == kGreekStrongsMarker ||
                (htmlAware && c == '<'))
                break;
            ++pos;
        }
        if (pos > start) {
            std::string_view word = text.substr(start, pos - start);
            if (!skipStrongs || !IsStrongsToken(word)) {
                words.emplace_back(word);
                locations.push_back(static_cast<int32_t>(start + 1));
            }
        }
        skipDelimiters();
    }
}

bool IsStrongsToken(std::string_view word) {
    if (word.size() < 2) return false;
    unsigned char first = static_cast<unsigned char>(word[0]);
    if (!(first == kHebrewStrongsMarker || first == kGreekStrongsMarker || first == 'G' || first == 'H' ||
          first == 'g' || first == 'h'))
        return false;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    auto isHex = [&](char c) { return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); };
    if (word[1] == '$') {
        // "every character from the third on" of an empty tail holds vacuously.
        for (size_t i = 2; i < word.size(); ++i)
            if (!isHex(word[i])) return false;
        return true;
    }
    for (size_t i = 1; i < word.size(); ++i)
        if (!isDigit(word[i])) return false;
    return true;
}

bool QuestionMatch(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && a[i] != '?' && b[i] != '?') return false;
    return true;
}

bool WildcardMatch(std::string_view word, std::string_view pattern) {
    // Every round consumes one "*" of the pattern, so this ends.
    while (true) {
        const size_t star = pattern.find('*');
        if (star == std::string_view::npos) return QuestionMatch(word, pattern);
        if (word.size() < star || !QuestionMatch(word.substr(0, star), pattern.substr(0, star))) return false;
        word.remove_prefix(star);
        pattern.remove_prefix(star + 1);
        const std::string_view segment = pattern.substr(0, pattern.find('*'));
        if (!segment.empty()) {
            const size_t at = word.find(segment);
            if (at == std::string_view::npos) return false;
            word.remove_prefix(at);
        }
        if (pattern.empty()) return true;
    }
}

namespace {

bool IsBlank(const std::string& token) {
    for (char c : token)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

// The tokens of one level, before a lone group is unwrapped.
std::vector<std::string> SplitQueryLevel(std::string_view query, const TCharSet& operators) {
    std::vector<std::string> tokens;
    std::string current;
    int depth = 0;
    bool inQuote = false;
    auto flush = [&] {
        if (!current.empty()) tokens.push_back(std::move(current));
        current.clear();
    };
    for (char c : query) {
        if (c == '(' && !inQuote) {
            if (depth == 0) flush();
            current += c;
            ++depth;
        } else if (c == ')' && !inQuote) {
            if (--depth < 0) {
                flush();
                depth = 0;
            } else {
                current += c;
                if (depth == 0) flush();
            }
        } else if (depth > 0) {
            current += c;
        } else if (c == '"') {
            if (inQuote) {
                current += c;
                flush();
                inQuote = false;
            } else {
                flush();
                current = c;
                inQuote = true;
            }
        } else if (inQuote) {
            current += c;
        } else if (c == ' ') {
            flush();
        } else if (operators.Contains(c)) {
            flush();
            tokens.emplace_back(1, c);
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        if (depth > 0)
            current.append(static_cast<size_t>(depth), ')');
        else if (inQuote)
            current += '"';
        tokens.push_back(std::move(current));
    }
    std::erase_if(tokens, [](const std::string& t) { return t == "()" || t == "\"\"" || IsBlank(t); });
    return tokens;
}

}  // namespace

std::vector<std::string> TokenizeQuery(std::string_view query, const TCharSet& operators) {
    std::vector<std::string> tokens = SplitQueryLevel(query, operators);
    // A lone group is the query inside it. Unwrapping in a loop keeps deep nesting
    // off the call stack, and groups that directly hold one group are unwrapped
    // together, so that ((((a)))) costs one pass rather than one per level.
    while (tokens.size() == 1 && tokens[0][0] == '(') {
        const std::string group = std::move(tokens[0]);
        const size_t n = group.size();
        // Inside a group only parentheses count, and a group token is balanced.
        std::vector<size_t> match(n, 0), open;
        for (size_t i = 0; i < n; ++i) {
            if (group[i] == '(') {
                open.push_back(i);
            } else if (group[i] == ')' && !open.empty()) {
                match[open.back()] = i;
                open.pop_back();
            }
        }
        size_t level = 1;
        while (n > 2 * level + 2 && group[level] == '(' && match[level] == n - 1 - level) ++level;
        tokens = SplitQueryLevel(std::string_view(group).substr(level, n - 2 * level), operators);
    }
    auto isOperator = [&](const std::string& t) { return operators.Contains(t[0]); };
    std::vector<std::string> reduced;
    for (std::string& t : tokens) {
        if (isOperator(t) && !reduced.empty() && isOperator(reduced.back())) continue;
        reduced.push_back(std::move(t));
    }
    if (reduced.size() == 1 && isOperator(reduced[0])) reduced.clear();
    return reduced;
}

TPhraseMatcher::TPhraseMatcher(const TZBSearchKeyNode& node) : positions_(node.Positions.size()) {
    for (size_t j = 0; j < node.Positions.size(); ++j) {
        const auto& words = node.Positions[j].Words;
        positions_[j].any = !words.empty() && words[0] == "*";
        positions_[j].words.insert(words.begin(), words.end());
    }
}

bool TPhraseMatcher::MatchesAt(const std::vector<std::string>& words, size_t start) const {
    if (start + positions_.size() > words.size()) return false;
    for (size_t j = 0; j < positions_.size(); ++j) {
        const Position& p = positions_[j];
        if (!p.any && !p.words.contains(words[start + j])) return false;
    }
    return true;
}

int64_t TPhraseMatcher::FindLast(const std::vector<std::string>& words) const {
    const size_t p = positions_.size();
    if (p == 0 || words.size() < p) return -1;
    for (int64_t s = static_cast<int64_t>(words.size() - p); s >= 0; --s)
        if (MatchesAt(words, static_cast<size_t>(s))) return s;
    return -1;
}

bool PhraseMatch(std::string_view text, const TCharSet& delimiters, const TPhraseMatcher& matcher, bool htmlAware,
                 bool skipStrongs) {
    if (matcher.PositionCount() == 0) return false;
    std::vector<std::string> words;
    TZBParsedStringLocations locations;
    ParseWords(text, delimiters, words, locations, htmlAware, skipStrongs);
    return matcher.FindLast(words) >= 0;
}

bool PhraseMatch(std::string_view text, const TCharSet& delimiters, const TZBSearchKeyNode& node, bool htmlAware,
                 bool skipStrongs) {
    return PhraseMatch(text, delimiters, TPhraseMatcher(node), htmlAware, skipStrongs);
}

void MarkHits(std::string& text, const TCharSet& delimiters, const std::vector<TZBSearchKeyNode>& nodes,
              bool htmlAware, bool skipStrongs, std::string_view closeTag, std::string_view openTag) {
    if (nodes.empty()) return;
    std::vector<std::string> words;
    TZBParsedStringLocations locations;
    ParseWords(text, delimiters, words, locations, htmlAware, skipStrongs);

    std::vector<bool> starts(text.size() + 1), ends(text.size() + 1);
    bool any = false;
    for (const TZBSearchKeyNode& node : nodes) {
        if (node.Positions.empty() || node.Positions[0].Words.empty()) continue;
        const TPhraseMatcher matcher(node);
        const int64_t p = static_cast<int64_t>(node.Positions.size());
        for (int64_t s = static_cast<int64_t>(words.size()) - p; s >= 0;) {
            if (!matcher.MatchesAt(words, static_cast<size_t>(s))) {
                --s;
                continue;
            }
            for (int64_t j = 0; j < p; ++j) {
                const size_t w = static_cast<size_t>(s + j);
                const size_t at = static_cast<size_t>(locations[w] - 1);
                starts[at] = true;
                ends[at + words[w].size()] = true;
            }
            any = true;
            s -= p;
        }
    }
    if (!any) return;

    std::string marked;
    marked.reserve(text.size() + 64);
    for (size_t i = 0; i <= text.size(); ++i) {
        // Where one hit ends and the next begins, the closing mark comes first.
        if (ends[i]) marked += closeTag;
        if (starts[i]) marked += openTag;
        if (i < text.size()) marked += text[i];
    }
    text = std::move(marked);
}

}  // namespace kvx
