// Entry text on its way out of the program: HTML for printing, copying and export,
// or plain text for the clipboard; and the Strong's lexicon articles.
#pragma once

#include <string>
#include <string_view>

namespace kvx {

class TZBDictionaryModule;

// Fonts for Greek and Hebrew wherever they are shown. Greek and Hebrew are Unicode
// here (numeric character references inside entry text), so these are ordinary fonts
// that cover the scripts: Gentium Plus for polytonic Greek, Ezra SIL for pointed Hebrew.
extern const char* const GreekFontName;
extern const char* const HebrewFontName;

std::string ConvertEntryText(std::string_view text, bool paragraphBreaks, bool convertLinks, bool plainText);

// The lexicon article of a Strong's key such as "H7225" or "g26", as the pop-ups show
// it: entry n-1 of the Hebrew or Greek lexicon (either may be absent) under a heading.
std::string StrongsArticle(std::string_view key, TZBDictionaryModule* hebrewLexicon,
                           TZBDictionaryModule* greekLexicon);

// The plain text of one lexicon entry, without its headword and cross-reference tail.
std::string LexiconPlainText(std::string_view article);

// Case-insensitive replacement of every occurrence, left to right.
std::string ReplaceText(std::string_view text, std::string_view from, std::string_view to);

// Decodes HTML numeric character references (&#945; &#x3B1;) to UTF-8 after turning
// the rest of the text from Windows-1252 into UTF-8: how plain text leaves the program.
std::string PlainTextToUtf8(std::string_view ansi);

}  // namespace kvx
