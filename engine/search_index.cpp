// Matching a query word against a word index, by the plain walk that defines the
// result and by lookup tables that find the same words without testing them all.
#include "engine/search_index.h"

#include <algorithm>
#include <unordered_set>

#include "engine/parse_words.h"
#include "engine/porter_stem.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"

namespace kvx {

TWordQuery ParseWordQuery(std::string_view word, const TWordMatchOptions& options) {
    TWordQuery q;
    if (word == "*") {
        q.Everything = true;
        return q;
    }
    std::string w;
    bool fuzzy = false, stem = false, matchCase = false;
    for (char c : word) {
        if (c == '~')
            fuzzy = true;
        else if (c == '=')
            stem = true;
        else if (c == '_')
            matchCase = true;
        else
            w += c;
    }
    q.Fuzzy = options.Fuzzy || fuzzy;
    q.Stem = options.Stem || stem;
    q.MatchCase = options.MatchCase || matchCase;

    const bool innerStar = w.size() >= 3 && w.find('*', 1) < w.size() - 1;
    if (w.find('?') != std::string::npos || innerStar) {
        q.Kind = TWordMatchKind::Pattern;
        q.Text = w;
    } else if (!w.empty() && w.front() == '*' && w.back() == '*') {
        q.Kind = TWordMatchKind::Contains;
        q.Text = w.size() >= 2 ? w.substr(1, w.size() - 2) : std::string();
    } else if (!w.empty() && w.front() == '*') {
        q.Kind = TWordMatchKind::EndsWith;
        q.Text = w.substr(1);
    } else if (!w.empty() && w.back() == '*') {
        q.Kind = TWordMatchKind::StartsWith;
        q.Text = w.substr(0, w.size() - 1);
    } else {
        q.Kind = TWordMatchKind::Exact;
        q.Text = w;
    }
    if (options.Substring) q.Kind = TWordMatchKind::Contains;
    if (q.Stem) q.StemText = StemWord(AsciiLowerCase(q.Text));
    if (q.Kind == TWordMatchKind::Pattern) q.Pattern = q.MatchCase ? q.Text : AsciiLowerCase(q.Text);
    return q;
}

namespace {

char AsciiLowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool KindMatches(const TWordQuery& q, std::string_view w) {
    if (!q.MatchCase) {
        switch (q.Kind) {
            case TWordMatchKind::Exact: return AnsiSameText(q.Text, w);
            case TWordMatchKind::StartsWith: return AnsiStartsText(q.Text, w);
            case TWordMatchKind::EndsWith: return AnsiEndsText(q.Text, w);
            case TWordMatchKind::Contains: return AnsiFindText(q.Text, w) != std::string_view::npos;
            case TWordMatchKind::Pattern: return WildcardMatch(AsciiLowerCase(w), q.Pattern);
        }
    }
    switch (q.Kind) {
        case TWordMatchKind::Exact: return w == q.Text;
        case TWordMatchKind::StartsWith: return w.starts_with(q.Text);
        case TWordMatchKind::EndsWith: return w.ends_with(q.Text);
        case TWordMatchKind::Contains: return w.find(q.Text) != std::string_view::npos;
        case TWordMatchKind::Pattern: return WildcardMatch(w, q.Pattern);
    }
    return false;
}

// A word form of the query word: same first letter, and the word is the stem or
// has the same stem.
bool StemMatches(const TWordQuery& q, std::string_view w) {
    if (q.StemText.empty() || w.empty()) return false;
    const char first = q.MatchCase ? w[0] : AsciiLowerChar(w[0]);
    if (first != q.StemText[0]) return false;
    return AnsiSameText(w, q.StemText) || StemWord(AsciiLowerCase(w)) == q.StemText;
}

bool Close(std::string_view w, TkvcStrComp2k& comparer, long double threshold) {
    return comparer.CompareWith(w) >= threshold;
}

void SortUnique(std::vector<uint32_t>& v) {
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
}

}  // namespace

void PrepareComparer(const TWordQuery& query, TkvcStrComp2k& comparer) {
    comparer.SetTarget(query.Text);
    comparer.SetUpperCaseBoth(!query.MatchCase);
}

bool WordMatches(const TWordQuery& query, std::string_view w, TkvcStrComp2k& comparer, long double threshold) {
    if (KindMatches(query, w)) return true;
    if (query.Stem && StemMatches(query, w)) return true;
    return query.Fuzzy && Close(w, comparer, threshold);
}

TSearchWordIndex::TSearchWordIndex(const TZBWordIndex& index) : index_(index) {
    const auto& words = index_.Words();
    size_t total = 0;
    for (const std::string& w : words) total += w.size() + 1;
    rawBlob_.reserve(total);
    starts_.reserve(words.size());
    for (uint32_t i = 0; i < words.size(); ++i) {
        rawBlob_ += '\0';
        starts_.push_back(static_cast<uint32_t>(rawBlob_.size()));
        rawBlob_ += words[i];
        if (words[i].empty()) continue;
        sortedWords_.push_back(i);
        if (words[i].find('?') != std::string::npos) wordsWithQuestionMark_.push_back(i);
    }
    foldedBlob_ = AnsiLowerCase(rawBlob_);
    std::sort(sortedWords_.begin(), sortedWords_.end(),
              [&](uint32_t a, uint32_t b) { return Key(foldedBlob_, a) < Key(foldedBlob_, b); });
}

void TSearchWordIndex::BuildSuffixes() {
    if (!suffixOrder_.empty() || sortedWords_.empty()) return;
    reversedBlob_ = foldedBlob_;
    const auto& words = index_.Words();
    for (uint32_t i = 0; i < words.size(); ++i)
        std::reverse(reversedBlob_.begin() + starts_[i], reversedBlob_.begin() + starts_[i] + words[i].size());
    suffixOrder_ = sortedWords_;
    std::sort(suffixOrder_.begin(), suffixOrder_.end(),
              [&](uint32_t a, uint32_t b) { return Key(reversedBlob_, a) < Key(reversedBlob_, b); });
}

void TSearchWordIndex::BuildStems() {
    if (stemsBuilt_) return;
    const auto& words = index_.Words();
    for (uint32_t i : sortedWords_) byStem_[StemWord(AsciiLowerCase(words[i]))].push_back(i);
    // Lists in word-list order, as the plain walk meets them.
    for (auto& [stem, list] : byStem_) std::sort(list.begin(), list.end());
    stemsBuilt_ = true;
}

void TSearchWordIndex::AddSortedRange(const std::vector<uint32_t>& order, const std::string& blob,
                                      std::string_view prefix, bool whole, std::vector<uint32_t>& out) const {
    auto it = std::lower_bound(order.begin(), order.end(), prefix,
                               [&](uint32_t i, std::string_view p) { return Key(blob, i) < p; });
    for (; it != order.end(); ++it) {
        const std::string_view key = Key(blob, *it);
        if (whole ? key != prefix : !key.starts_with(prefix)) break;
        out.push_back(*it);
    }
}

void TSearchWordIndex::AddContains(std::string_view needle, bool matchCase, std::vector<uint32_t>& out) const {
    if (needle.empty()) {
        out.insert(out.end(), sortedWords_.begin(), sortedWords_.end());
        return;
    }
    const std::string folded = matchCase ? std::string() : AnsiLowerCase(needle);
    const std::string_view n = matchCase ? needle : std::string_view(folded);
    const std::string& blob = matchCase ? rawBlob_ : foldedBlob_;
    // The needle holds no 0 byte, so a hit never takes in a separator: it lies
    // inside the word that begins last before it.
    for (size_t at = blob.find(n); at != std::string::npos;) {
        const uint32_t k =
            static_cast<uint32_t>(std::upper_bound(starts_.begin(), starts_.end(), at) - starts_.begin() - 1);
        out.push_back(k);
        at = blob.find(n, starts_[k] + index_.Words()[k].size());
    }
}

void TSearchWordIndex::AddKindMatches(const TWordQuery& q, std::vector<uint32_t>& out) {
    std::vector<uint32_t> candidates;
    switch (q.Kind) {
        case TWordMatchKind::Exact:
            AddSortedRange(sortedWords_, foldedBlob_, AnsiLowerCase(q.Text), true, candidates);
            break;
        case TWordMatchKind::StartsWith:
            AddSortedRange(sortedWords_, foldedBlob_, AnsiLowerCase(q.Text), false, candidates);
            break;
        case TWordMatchKind::EndsWith: {
            BuildSuffixes();
            std::string reversed = AnsiLowerCase(q.Text);
            std::reverse(reversed.begin(), reversed.end());
            AddSortedRange(suffixOrder_, reversedBlob_, reversed, false, candidates);
            break;
        }
        case TWordMatchKind::Contains:
            if (q.Text.find('\0') == std::string::npos)
                AddContains(q.Text, q.MatchCase, candidates);
            else
                candidates = sortedWords_;
            break;
        case TWordMatchKind::Pattern: {
            // Up to its first wildcard a pattern is literal, so a match must begin
            // with that text (in either case) unless the word itself holds a "?".
            const std::string_view literal = std::string_view(q.Pattern).substr(0, q.Pattern.find_first_of("*?"));
            AddSortedRange(sortedWords_, foldedBlob_, AnsiLowerCase(literal), false, candidates);
            candidates.insert(candidates.end(), wordsWithQuestionMark_.begin(), wordsWithQuestionMark_.end());
            break;
        }
    }
    const auto& words = index_.Words();
    for (uint32_t i : candidates)
        if (KindMatches(q, words[i])) out.push_back(i);
}

void TSearchWordIndex::AddStemMatches(const TWordQuery& q, std::vector<uint32_t>& out) {
    BuildStems();
    std::vector<uint32_t> candidates;
    if (auto it = byStem_.find(q.StemText); it != byStem_.end()) candidates = it->second;
    AddSortedRange(sortedWords_, foldedBlob_, AnsiLowerCase(q.StemText), true, candidates);
    const auto& words = index_.Words();
    for (uint32_t i : candidates)
        if (StemMatches(q, words[i])) out.push_back(i);
}

std::vector<uint32_t> TSearchWordIndex::Matches(const TWordQuery& query, TkvcStrComp2k& comparer,
                                                long double threshold) {
    std::vector<uint32_t> out;
    AddKindMatches(query, out);
    if (query.Stem && !query.StemText.empty()) AddStemMatches(query, out);
    SortUnique(out);
    if (query.Fuzzy) {
        // Only the words no other test took need the comparison.
        const auto& words = index_.Words();
        std::vector<uint32_t> close;
        size_t next = 0;
        for (uint32_t i = 0; i < words.size(); ++i) {
            if (next < out.size() && out[next] == i) {
                ++next;
                continue;
            }
            if (!words[i].empty() && Close(words[i], comparer, threshold)) close.push_back(i);
        }
        std::vector<uint32_t> merged;
        merged.reserve(out.size() + close.size());
        std::merge(out.begin(), out.end(), close.begin(), close.end(), std::back_inserter(merged));
        out = std::move(merged);
    }
    return out;
}

TBooleanArray MatchIndex(std::string_view word, const TZBWordIndex* list, TSearchWordIndex* accel,
                         TZBSearchKeyMatchingWords& position, int32_t first, int32_t last,
                         const TWordMatchOptions& options, const TMatchIndexContext& context) {
    if (!list)
        throw Exception(Format("IndexList nil (%s, %s)", context.ModuleName.c_str(), std::string(word).c_str()));
    const TSearchUniverse& u = context.Universe;
    TBooleanArray set(u.ItemCount);
    // Item numbers outside the universe never reach the set.
    first = std::max(first, u.FirstNumber);
    last = std::min(last, u.FirstNumber + u.ItemCount - 1);

    std::unordered_set<std::string> have(position.Words.begin(), position.Words.end());
    auto addWord = [&](const std::string& w) {
        if (have.insert(w).second) position.Words.push_back(w);
    };

    const TWordQuery q = ParseWordQuery(word, options);
    if (q.Everything) {
        for (int32_t n = first; n <= last; ++n) set.SetItemValue(n - u.FirstNumber, true);
        addWord("*");
        return set;
    }

    TkvcStrComp2k& comparer = *context.Comparer;
    if (q.Fuzzy) PrepareComparer(q, comparer);

    const auto& words = list->Words();
    std::vector<uint32_t> matches;
    if (accel && &accel->Index() == list) {
        matches = accel->Matches(q, comparer, context.Threshold);
    } else {
        for (uint32_t i = 0; i < words.size(); ++i)
            if (!words[i].empty() && WordMatches(q, words[i], comparer, context.Threshold)) matches.push_back(i);
    }

    for (uint32_t i : matches) {
        const TPostingList& postings = list->Postings(i);
        for (uint32_t p = 0; p < postings.Count; ++p) {
            const int32_t n = postings[p];
            if (n >= first && n <= last) set.SetItemValue(n - u.FirstNumber, true);
        }
        addWord(words[i]);
    }
    return set;
}

}  // namespace kvx
