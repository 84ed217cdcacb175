// Strong's Hebrew and Greek dictionaries of SWORD turned into the lexicon articles
// that the pop-ups and the lexicon books show, and into the words and
// transliterations of the Strong's data file.
#pragma once

#include <string>
#include <vector>

#include "modules/strongs_data_writer.h"
#include "tools/library_builder/sword_export.h"

namespace kvx::library {

enum class TStrongsLanguage { Hebrew, Greek };

struct TLexiconConversion {
    // Entry n-1 for number n, every number of the language.
    std::vector<TStrongsEntry> Words;                 // UTF-8
    std::vector<std::vector<std::string>> Articles;   // lines of HTML in Windows-1252
    std::vector<std::string> Titles;                  // "H07225", "G00026": in number order
    int NotUsed = 0;     // numbers the dictionary leaves unused, or has no entry for
    int Duplicates = 0;  // keys given more than once; the first is kept
    int Ignored = 0;     // keys that name no number of the language
};

// The article of number n:
//   <p><zbhebrew>WORD</zbhebrew> <b>TRANSLITERATION</b> <i>PRONUNCIATION</i></p>
//   <p>DEFINITION</p> ...
//   <p>See Hebrew <a href="h:N">HN</a>, ...</p>
//   <p>See Greek <a href="g:N">GN</a>, ...</p>
// The cross-references stay in the definition as text and are linked in the tails,
// which the pop-up and the plain text cut. A reference is Hebrew or Greek by the
// number it shows ("H0175"), whatever dictionary its link names. Keys are five-digit
// numbers; the entry's text is read as UTF-8 whatever the module says.
TLexiconConversion ConvertStrongsDictionary(const std::vector<TImpEntry>& entries, TStrongsLanguage language);

// "H" or "G" and the number in five digits.
std::string StrongsTitle(TStrongsLanguage language, int number);

}  // namespace kvx::library
