// "Did you mean": the words of a module's word list most like a word that was not
// found, ranked by the word comparator.
#pragma once

#include <string>
#include <vector>

#include "engine/str_comp.h"

namespace kvx {

// The list suggestions are drawn from: every word lowered (ASCII), sorted without
// regard to case, each once, leaving out words that begin with a digit, a double
// quote, "&", an apostrophe, "*", "+", "-" or "\".
std::vector<std::string> BuildSuggestionWordList(const std::vector<std::string>& words);

// Up to max words of list with similarity above 0.8 to word, best first (equal
// scores: the later word in sort order first). The word itself scores highest.
// word is lowered (ASCII) in place; the comparer's target is set to it.
std::vector<std::string> Suggestions(const std::vector<std::string>& list, TkvcStrComp2k& comparer, std::string& word,
                                     int max);

}  // namespace kvx
