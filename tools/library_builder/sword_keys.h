// SWORD verse keys ("I Samuel 3:4", "Revelation of John 22:21") and where they fall
// in the shared 31102-verse numbering.
#pragma once

#include <string>
#include <string_view>

namespace kvx::library {

struct TSwordVerseKey {
    int Book = 0;     // 1-66 in canonical order; 0 for a book outside them (Tobit)
    int Chapter = 0;  // 0 for a book's introduction
    int Verse = 0;    // 0 for a chapter's introduction
};

// Splits a key into book, chapter and verse; false for keys that are no verse
// reference at all ("[ Module Heading ]").
bool ParseSwordVerseKey(std::string_view key, TSwordVerseKey& result);

// The English book names SWORD prints, 1-66; 0 for any other name.
int SwordBookNumber(std::string_view name);
// The name SWORD prints for book 1-66; empty outside.
std::string SwordBookName(int book);

// The verse number of a key in the standard versification; 0 when the book,
// chapter or verse lies outside it.
int StandardVerseNumber(const TSwordVerseKey& key);

}  // namespace kvx::library
