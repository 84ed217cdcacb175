// The standard versification with the book names and abbreviations of the default
// library. Module writers and test fixtures build their verse tables from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvx {

struct TVersification {
    struct Book {
        std::string Name;
        std::string Abbreviation;
        std::vector<int> VersesPerChapter;
    };
    std::vector<Book> Books;

    int VerseCount() const;
    // The verses of chapter `chapter` of book `book` (both from 1); 0 outside the table.
    int ChapterLength(int book, int chapter) const;
};

// 66 books, 31102 verses: Genesis to Revelation in canonical order.
const TVersification& StandardVersification();

}  // namespace kvx
