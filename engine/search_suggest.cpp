// Building the suggestion list and ranking suggestions.
#include "engine/search_suggest.h"

#include <algorithm>
#include <cmath>

#include "platform/ansi_text.h"
#include "platform/exception.h"

namespace kvx {

std::vector<std::string> BuildSuggestionWordList(const std::vector<std::string>& words) {
    std::vector<std::string> list;
    list.reserve(words.size());
    for (const std::string& w : words) {
        if (w.empty()) continue;
        const char c = w[0];
        if (c == '"' || c == '&' || c == '\'' || c == '*' || c == '+' || c == '-' || c == '\\' || (c >= '0' && c <= '9'))
            continue;
        list.push_back(AsciiLowerCase(w));
    }
    // The words are lowered already, so between two plain ASCII words the
    // case-insensitive order is the byte order; only words with other letters need
    // the code page's rules. Of words equal without regard to case, the first stays.
    std::vector<char> ascii(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        ascii[i] = std::all_of(list[i].begin(), list[i].end(), [](char c) { return static_cast<unsigned char>(c) < 128; });
    auto compare = [&](uint32_t a, uint32_t b) {
        return ascii[a] && ascii[b] ? list[a].compare(list[b]) : AnsiCompareText(list[a], list[b]);
    };
    std::vector<uint32_t> order(list.size());
    for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return compare(a, b) < 0; });
    std::vector<char> keep(order.size());
    for (size_t i = 0; i < order.size(); ++i) keep[i] = i == 0 || compare(order[i - 1], order[i]) != 0;
    std::vector<std::string> sorted;
    sorted.reserve(list.size());
    for (size_t i = 0; i < order.size(); ++i)
        if (keep[i]) sorted.push_back(std::move(list[order[i]]));
    return sorted;
}

std::vector<std::string> Suggestions(const std::vector<std::string>& list, TkvcStrComp2k& comparer, std::string& word,
                                     int max) {
    std::vector<std::string> result;
    if (word.empty()) return result;
    word = AsciiLowerCase(word);
    comparer.SetTarget(word);
    comparer.SetUpperCaseBoth(false);

    constexpr long double kScale = 1e15L;
    constexpr long long kKeep = 800000000000000LL;  // similarity above 0.8
    // Score and word in one string, so that sorting them sorts by score, then word.
    std::vector<std::string> kept;
    for (const std::string& w : list) {
        const long long score = w == word ? 2 * 1000000000000000LL : std::llrint(comparer.CompareWith(w) * kScale);
        if (score > kKeep) kept.push_back(Format("%.16lld", score) + w);
    }
    std::sort(kept.begin(), kept.end());
    for (auto it = kept.rbegin(); it != kept.rend() && static_cast<int>(result.size()) < max; ++it)
        result.push_back(it->substr(16, 100));
    return result;
}

}  // namespace kvx
