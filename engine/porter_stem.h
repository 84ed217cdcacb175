// The English stemmer behind "Find all word forms": Porter's algorithm with the
// changes that suit the King James text (-eth, -est, -edst, -ingly endings).
#pragma once

#include <string>
#include <string_view>

namespace kvx {

// Stems the lowercase word in buffer[first..last] (0-based, inclusive) in place and
// returns the position of the stem's last character; callers keep the first
// result + 1 characters. Words of one or two letters come back unchanged.
int Stem(char* buffer, int first, int last);

// The stem of a word that is already lowered with AsciiLowerCase.
std::string StemWord(std::string_view lowercaseWord);

}  // namespace kvx
