// A SWORD commentary, as exported by mod2imp, turned into commentary entries: one
// per verse where a comment begins, each knowing the verses it covers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/library_builder/osis_html.h"
#include "tools/library_builder/sword_export.h"
#include "tools/library_builder/sword_verse_index.h"

namespace kvx::library {

// How far a comment reaches.
enum class TCommentRanges {
    // As far as the verse index links it; without an index, its own verse.
    AsIndexed,
    // As far as the verse index links it, except that a comment that stands alone
    // at a chapter's first verse is on the whole chapter; without an index, until
    // the next comment in the chapter or the chapter's end.
    ChapterComments,
};

struct TCommentaryEntry {
    int First = 0;  // verse numbers
    int Last = 0;
    std::vector<std::string> Lines;  // HTML, Windows-1252
};

struct TCommentaryConversion {
    std::vector<TCommentaryEntry> Entries;  // in verse order
    int Introductions = 0;      // book and chapter introductions put before a chapter's first comment
    int KeysOutside = 0;        // keys of books or verses outside the standard versification, left out
    int References = 0;         // verse ranges written as references
    int UnreadReferences = 0;   // references that named no verse, left as text
};

// Converts every key. A book's introduction and a chapter's introduction that hold
// more than mark-up go before the comment at the chapter's first verse, which they
// make when there is none. Each entry begins with a line naming its verses as a
// reference ("<p><b><scripref>Ge 1:3-5</scripref></b></p>"), so that the module's
// verse index lists the entry beside every verse it covers. `html` writes the
// text; `progress` is told (done, total) now and then.
TCommentaryConversion ConvertSwordCommentary(const std::vector<TImpEntry>& entries, const TSwordVerseIndex& index,
                                             TCommentRanges ranges, const TOsisHtmlOptions& html,
                                             const std::function<void(size_t, size_t)>& progress = {});

// What an OSIS reference of a commentary names: its osisRef read as OSIS, or, for a
// source that writes them loosely (the Scofield notes: "ge 1:5 ge 1:14"), as the
// reference parser reads book names. A reference to another note of the same
// commentary ("Scofield:Ro 9:9") becomes a link to that commentary's comment on the
// verse, when `abbreviation` names the module built from it.
TOsisReferenceResult CommentaryReference(const TOsisToken& tag, const std::string& contentHtml,
                                         const std::string& sourceModule,
                                         const std::string& abbreviation, bool looseReferences,
                                         const TZBBibleModule& bible);

}  // namespace kvx::library
