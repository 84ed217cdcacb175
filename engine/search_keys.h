// What a search found, kept for marking the hits wherever its results are shown:
// one node per searched word or phrase, one position per word of a phrase, and the
// index words that matched at that position.
#pragma once

#include <string>
#include <vector>

namespace kvx {

// The index words that matched one query word, each once (case-sensitive). The
// single word "*" stands for any word.
struct TZBSearchKeyMatchingWords {
    std::vector<std::string> Words;
    bool operator==(const TZBSearchKeyMatchingWords&) const = default;
};

// One searched word (one position) or phrase (a position per word).
struct TZBSearchKeyNode {
    std::vector<TZBSearchKeyMatchingWords> Positions;
    bool operator==(const TZBSearchKeyNode&) const = default;
};

// Nodes in the order the evaluation reached them.
struct TZBSearchKeysData {
    std::vector<TZBSearchKeyNode> Nodes;
    bool operator==(const TZBSearchKeysData&) const = default;
};

}  // namespace kvx
