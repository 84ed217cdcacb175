// Comma-separated name lists (book names, abbreviations, word lists) as stored in
// module files: split only at commas; an entry that starts with a double quote may
// hold commas and doubled quotes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvx {

std::vector<std::string> SplitNameList(std::string_view text);
std::string JoinNameList(const std::vector<std::string>& entries);

}  // namespace kvx
