// ZBParseRefs: typed references ("Ge 1:1", "2Ti 3:16-17; Ro 1", "jn 3:16,18") to verse
// ranges, and lists of single verses back to compact reference text.
#pragma once

#include <cstdint>
#include <string>

#include "engine/bible_module.h"
#include "engine/verse_types.h"

namespace kvx {

// Reads as much of `text` (Windows-1252, or UTF-8 for a UTF-8 Bible) as names verses
// of `bible`. `ranges` is emptied and then filled in the order the references were
// written (neither sorted nor merged, except that two adjacent single verses of one
// book are joined). Never raises: an empty list means the text named nothing.
//
// stopPosition tells where reading stopped, counted from 1 in the text without its
// leading blanks: the text's length after a book name and one more after a number at
// the normal end; the position just before a word that names no book; the position of
// a ":", ".", "-" or "," that ends the text; one before a missing number after "-" or
// ","; ten less than the position of a character that has no place in a reference
// (so callers that compare it with the text's length see the reference as doubtful);
// and -1 when the text ends in a single letter.
void ParseRefs(const std::string& text, const TZBBibleModule& bible, int32_t& stopPosition,
               TVerseRangeList& ranges);

// Compact text of an ascending verse list: runs of verses become "a-b", further verses
// of the same chapter follow after ",", other chapters and books after "; ", as in
// "Ge 1:1-3,5; 2:1; Ex 1:1". Runs never cross a chapter. Numbers that name no verse of
// the Bible (such as the separator lines of a verse list) are left out.
std::string FormatVerseList(const TZBBibleModule& bible, const TVerseList& verses);

}  // namespace kvx
