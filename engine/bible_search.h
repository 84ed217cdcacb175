// The search flags of Bible searches, as the search dialog's options set them.
// The searches themselves are operations of TZBBibleModule.
#pragma once

#include <cstdint>

#include "engine/search_index.h"

namespace kvx {

constexpr uint32_t kSearchMatchCase = 0x01;  // "Match case"
constexpr uint32_t kSearchFootnotes = 0x02;  // footnotes searched too, and kept for phrase checks
constexpr uint32_t kSearchFuzzy = 0x04;      // close word matches
constexpr uint32_t kSearchSubstring = 0x08;  // every word matches inside longer words
constexpr uint32_t kSearchStem = 0x10;       // all word forms
constexpr uint32_t kSearchAnyWord = 0x20;    // juxtaposed words joined by "or"

// The per-word options that Bible flags switch on for every word.
TWordMatchOptions BibleWordOptions(uint32_t flags);

}  // namespace kvx
