// Turns the OSIS mark-up of one SWORD verse into the verse text of a Bible module:
// Windows-1252 text with Strong's markers after their words, supplied words in
// square brackets, notes in braces and titles as small print between "<<" and ">>".
#pragma once

#include <string>
#include <string_view>

namespace kvx::library {

struct TOsisVerseOptions {
    // <w lemma="strong:H0430">God</w> becomes the word, byte 2 (Hebrew) or 3 (Greek)
    // and the number in five digits.
    bool Strongs = false;
    // <transChange type="added"> words in square brackets.
    bool SuppliedWords = false;
    // Footnotes (and cross-reference notes) in braces; otherwise notes are dropped.
    bool Footnotes = true;
};

struct TOsisVerse {
    std::string Text;             // Windows-1252; empty when the verse has nothing to show
    bool ParagraphSign = false;   // the verse text carried a paragraph sign
    bool EndOfBook = false;       // the book ended inside this verse; what followed was left out
};

class TOsisVerseConverter {
public:
    explicit TOsisVerseConverter(const TOsisVerseOptions& options) : options_(options) {}

    // The text of one verse key.
    TOsisVerse Convert(std::string_view osis) const;

    // The titles of a chapter's introduction key (a psalm heading that sits before
    // verse 1, say) as small print; everything else there is left out.
    std::string Headings(std::string_view osis) const;

private:
    TOsisVerse Run(std::string_view osis, bool headingsOnly) const;
    TOsisVerseOptions options_;
};

// The module's verse text is HTML in Windows-1252: characters the code page lacks
// become numeric character references, and &, < and > are escaped. Braces would
// read as footnote marks and become parentheses; control characters become spaces.
std::string VerseTextFromUtf8(std::string_view utf8);

// Moves every Strong's marker that a word continues after (the source closed the
// word's element in mid-word: "tear</w>s") to the end of that word, so the marker
// is always followed by a word delimiter, another marker, a character reference or
// the end of the text.
std::string SettleStrongsMarkers(std::string_view text);

}  // namespace kvx::library
