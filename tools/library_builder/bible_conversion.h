// A SWORD Bible, as exported by mod2imp, laid onto the shared 31102-verse numbering:
// the verse texts of a module and the verses where the source begins a paragraph.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/library_builder/osis_verse_converter.h"
#include "tools/library_builder/sword_export.h"

namespace kvx::library {

struct TBibleConversion {
    // One slot per verse number (index v-1); no value where the source has no text.
    std::vector<std::optional<std::string>> Verses;
    // One byte per verse number: 1 where the verse carries the paragraph sign.
    std::vector<uint8_t> ParagraphStarts;

    int VersesWithText = 0;
    int KeysOfOtherBooks = 0;  // books outside the 66 (the deuterocanon), left out
    int KeysMerged = 0;        // verses the numbering lacks, added to the verse before
};

// Converts every key of the export. Book and chapter introductions give no verse,
// but titles in a chapter's introduction go before its first verse as small print.
// A key beyond a chapter's end in the shared numbering keeps its text by joining
// the chapter's last verse. `progress` is told (done, total) now and then.
TBibleConversion ConvertSwordBible(const std::vector<TImpEntry>& entries, const TOsisVerseOptions& options,
                                   const std::function<void(size_t, size_t)>& progress = {});

// The paragraph map file: one byte per verse, 1 where a paragraph begins.
std::string ParagraphMapBytes(const TBibleConversion& conversion);

}  // namespace kvx::library
