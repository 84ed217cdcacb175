// Writes .zb5bible files. The program's readers never write modules; the library
// builder and the test fixtures make theirs with this.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/module_hash.h"
#include "engine/versification.h"

namespace kvx {

struct TBibleModuleSource {
    std::string ModuleName;    // up to 60 characters
    std::string Abbreviation;  // up to 10
    // Book names, abbreviations and chapter lengths, in canonical order.
    TVersification Versification;
    // One slot per verse number (index v-1); no value: the translation lacks the verse.
    // Text in the module's code page, with Strong's markers (byte 2 or 3 and five
    // digits), footnotes in braces and supplied words in square brackets as flagged.
    std::vector<std::optional<std::string>> Verses;
    bool HasStrongs = false;
    bool HasSuppliedWords = false;
    bool HasFootnotes = false;
    bool UseModuleFont = false;
    bool IsUTF8 = false;
    std::string FontName;
    std::string InfoText;  // HTML
    uint32_t Seed = kBuilderSeed;
};

// Builds the file in memory; raises when the source does not fit the format.
std::string BuildBibleModule(const TBibleModuleSource& source);

// Builds and writes it through a new file renamed into place.
void WriteBibleModule(const TBibleModuleSource& source, const std::string& fileName);

// The Strong's index word of a marker and its five characters: "H" or "G" and the
// number without leading zeros (H430, G3056).
std::string StrongsIndexWord(std::string_view markerWord);

}  // namespace kvx
