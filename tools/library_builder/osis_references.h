// Bible references as the SWORD sources write them, read into ranges of the shared
// verse numbering: OSIS references ("Gen.8.13-Gen.8.19", "Ps.23") and the loose
// lists of the Scofield notes ("ge 1:5 ge 1:14", "joe 2:1-joe 3:21", "Is 10:21").
#pragma once

#include <string_view>

#include "engine/bible_module.h"
#include "engine/verse_types.h"

namespace kvx::library {

// The book 1-66 of an OSIS book name ("Gen", "1John"); 0 for any other ("PrAzar").
int OsisBookNumber(std::string_view id);

// An OSIS reference, or several separated by spaces. Each side of a range is
// "Book.chapter" or "Book.chapter.verse"; a chapter alone names all its verses, and
// the end of a range may leave out its book. Empty when any part names no verse of
// the 66 books in the standard versification.
TVerseRangeList OsisReferenceRanges(std::string_view osisRef);

// A loose reference list: book words, by any name or abbreviation the reference
// parser knows for the Bible's books, each followed by chapter or chapter:verse
// items with "-" ranges ("2:1-3:22", and "2:1-joe 3:21" with the book said again).
// An item without a book continues the previous one's. Empty when any part names
// no verse: a wrong chapter is refused, never moved into the book.
TVerseRangeList LooseReferenceRanges(std::string_view text, const TZBBibleModule& bible);

}  // namespace kvx::library
