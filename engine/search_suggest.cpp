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
    // Of words equal without regard to case, the first one met stays.
    std::stable_sort(list.begin(), list.end(),
                     [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; });
    list.erase(std::unique(list.begin(), list.end(),
                           [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) == 0; }),
               list.end());
    return list;
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
