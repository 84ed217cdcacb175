// A SWORD topical dictionary (Nave's Topical Bible), as exported by mod2imp, turned
// into book entries: one per topic, its verse references as references for the
// builder and its see-also references as links to the other topics.
#pragma once

#include <string>

#include "modules/resource_builder.h"
#include "tools/library_builder/sword_export.h"

namespace kvx::library {

struct TTopicalConversion {
    TResourceEntryList Entries;  // titled by topic, in the source's order
    int TopicsJoined = 0;        // topics given twice, joined into one entry
    int References = 0;          // verse ranges written as references
    int UnreadReferences = 0;    // verse references that named no verse of the 66 books, left as text
    int Links = 0;               // see-also links to a topic of the same name
    int LinksToOtherNumber = 0;  // see-also links to the topic's singular or plural
    int LinksDropped = 0;        // see-also references to no topic, left as text
};

// Topics are the entries' keys; a topic given twice is one entry. A see-also reference ("<ref target=\"Nave:CHILDREN\">")
// becomes a book link of this program, "<a href=\"zbbook:ABBREVIATION|ITEM\">", to
// the topic of that title, or, failing that, to the topic of the same word in the
// other number ("HORSES" finds "HORSE"); a reference to no topic stays as its text.
// sourceModule is the prefix of the targets ("Nave"); abbreviation names the book
// module the links lead to.
TTopicalConversion ConvertSwordTopics(const std::vector<TImpEntry>& entries, const std::string& sourceModule,
                                      const std::string& abbreviation, const TZBBibleModule& bible);

}  // namespace kvx::library
