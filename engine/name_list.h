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
// The stricter joining of resource module titles and word lists: an entry holding a
// blank, a control character, a double quote or a comma is quoted with its quotes
// doubled, and a list whose only entry is empty is written as two double quotes.
std::string JoinCommaText(const std::vector<std::string>& entries);

}  // namespace kvx
