// The search flags of resource module searches, as the resource search dialog and
// the full library search set them. The searches are operations of
// TZBDictionaryModule; they share the query evaluator with the Bible search.
#pragma once

#include <cstdint>

#include "engine/boolean_array.h"
#include "engine/search_index.h"
#include "engine/verse_types.h"

namespace kvx {

constexpr uint32_t kResourceSearchMatchCase = 0x01;  // "Match case", as the "_" marker
constexpr uint32_t kResourceSearchFuzzy = 0x02;      // close word matches, as "~"
constexpr uint32_t kResourceSearchSubstring = 0x04;  // every word matches inside longer words
constexpr uint32_t kResourceSearchStem = 0x08;       // all word forms, as "="
constexpr uint32_t kResourceSearchAnyWord = 0x10;    // juxtaposed words joined by "or"

// The per-word options that resource flags switch on for every word.
TWordMatchOptions ResourceWordOptions(uint32_t flags);

// The entry numbers of the set items, ascending.
TEntryIndexArray EntriesToIndexArray(const TBooleanArray& entries);

}  // namespace kvx
