// The word comparator: common characters within a window, neighbouring swaps,
// credit for characters that are easily mistaken for each other, and the
// Winkler boosts for a shared beginning and for long strings.
#include "engine/str_comp.h"

#include <algorithm>

namespace kvx {
namespace {

struct SimilarPair {
    char a, b;
    int32_t weight;
};

constexpr SimilarPair kSimilarPairs[] = {
    {'A', 'E', 3}, {'A', 'I', 3}, {'A', 'O', 3}, {'A', 'U', 3}, {'B', 'V', 3}, {'E', 'I', 3},
    {'E', 'O', 3}, {'E', 'U', 3}, {'I', 'O', 3}, {'I', 'U', 3}, {'O', 'U', 3}, {'I', 'Y', 4},
    {'E', 'Y', 3}, {'C', 'G', 3}, {'E', 'F', 3}, {'W', 'U', 3}, {'W', 'V', 3}, {'X', 'K', 3},
    {'S', 'Z', 3}, {'X', 'S', 3}, {'Q', 'C', 3}, {'U', 'V', 3}, {'M', 'N', 3}, {'L', 'I', 3},
    {'Q', 'O', 3}, {'P', 'R', 3}, {'I', 'J', 3}, {'2', 'Z', 3}, {'5', 'S', 3}, {'8', 'B', 3},
    {'1', 'I', 3}, {'1', 'L', 3}, {'0', 'O', 3}, {'0', 'Q', 3}, {'C', 'K', 4}, {'G', 'J', 3},
};
static_assert(sizeof kSimilarPairs / sizeof kSimilarPairs[0] == 36);

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool InTable(unsigned char c) { return c >= 1 && c <= 90; }

bool Blank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// At most kMaxLength characters, without control characters and spaces around them.
size_t Prepare(std::string_view s, bool upper, unsigned char* out) {
    s = s.substr(0, TkvcStrComp2k::kMaxLength);
    size_t begin = 0, end = s.size();
    while (begin < end && static_cast<unsigned char>(s[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(s[end - 1]) <= 32) --end;
    size_t n = 0;
    for (size_t i = begin; i < end; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (upper && c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 32);
        out[n++] = c;
    }
    return n;
}

// The weight of each pair of characters below kCodes, both ways round; the same for
// every comparer, so it is made once, at compile time.
constexpr int kCodes = 91;
using TWeightTable = std::array<std::array<int32_t, kCodes>, kCodes>;

constexpr TWeightTable MakeWeights() {
    TWeightTable weights{};
    for (const SimilarPair& p : kSimilarPairs) {
        weights[static_cast<size_t>(p.a)][static_cast<size_t>(p.b)] = p.weight;
        weights[static_cast<size_t>(p.b)][static_cast<size_t>(p.a)] = p.weight;
    }
    return weights;
}

constexpr TWeightTable kWeights = MakeWeights();

}  // namespace

TkvcStrComp2k::TkvcStrComp2k() = default;

int32_t TkvcStrComp2k::Weight(unsigned char a, unsigned char b) const {
    return a < kCodes && b < kCodes ? kWeights[a][b] : 0;
}

long double TkvcStrComp2k::Compare() { return CompareWith(candidate_); }

long double TkvcStrComp2k::CompareWith(std::string_view candidate) {
    similarity_ = 0;
    if (Blank(target_) || Blank(candidate)) return similarity_;

    unsigned char t[kMaxLength + 2], c[kMaxLength + 2];
    const size_t l1 = Prepare(target_, upperCaseBoth_, t);
    const size_t l2 = Prepare(candidate, upperCaseBoth_, c);
    const size_t minv = std::min(l1, l2);
    const size_t longer = std::max(l1, l2);
    const size_t range = longer / 2 >= 1 ? longer / 2 - 1 : 0;

    bool takenT[kMaxLength] = {}, takenC[kMaxLength] = {};
    int common = 0;
    for (size_t i = 0; i < l1; ++i) {
        const size_t low = i > range ? i - range : 0;
        const size_t high = std::min(i + range + 1, l2);
        for (size_t k = low; k < high; ++k) {
            if (!takenC[k] && c[k] == t[i]) {
                takenC[k] = takenT[i] = true;
                ++common;
                break;
            }
        }
    }
    if (common == 0) return similarity_;

    // Swapped neighbours, counted on the two strings padded to an even length.
    size_t padded = longer + (longer % 2);
    for (size_t i = l1; i < padded; ++i) t[i] = ' ';
    for (size_t i = l2; i < padded; ++i) c[i] = ' ';
    int transpositions = 0;
    for (size_t q = 0; q + 2 < padded; ++q)
        if (t[q] != t[q + 1] && c[q] == t[q + 1] && c[q + 1] == t[q]) ++transpositions;

    int similar = 0;
    if (minv > static_cast<size_t>(common)) {
        bool usedC[kMaxLength] = {};
        for (size_t i = 0; i < l1; ++i) {
            if (takenT[i] || !InTable(t[i])) continue;
            for (size_t k = 0; k < l2; ++k) {
                if (takenC[k] || usedC[k] || !InTable(c[k])) continue;
                const int32_t w = kWeights[t[i]][c[k]];
                if (w > 0) {
                    similar += w;
                    usedC[k] = true;
                    break;
                }
            }
        }
    }

    const long double m = static_cast<long double>(similar) / 10.0L + common;
    long double weight = (m / static_cast<long double>(l1) + m / static_cast<long double>(l2) +
                          static_cast<long double>(common - transpositions) / common) /
                         3.0L;

    if (weight > 0.7L) {
        const size_t limit = std::min<size_t>(4, minv);
        size_t i = 0;
        while (i < limit && t[i] == c[i] && !IsDigit(t[i])) ++i;
        weight += static_cast<long double>(i) * 0.1L * (1.0L - weight);
        const long double ci = static_cast<long double>(common);
        if (minv > 4 && ci > static_cast<long double>(i + 1) && 2 * ci > static_cast<long double>(minv + 1) &&
            !IsDigit(t[i]))
            weight += (1.0L - weight) * (ci - static_cast<long double>(i) - 1.0L) /
                      (static_cast<long double>(l1 + l2) - 2.0L * static_cast<long double>(i) + 2.0L);
    }
    // Many swaps among few common characters could push the raw weight below zero;
    // callers only ever compare it against thresholds well above that.
    similarity_ = std::max(weight, 0.0L);
    return similarity_;
}

}  // namespace kvx
