// Verse links inside entry text. Three forms of one link:
//   authored  <scripref>Ge 1:1-3; Ex 3:14</scripref>   (what authors write and exports hold)
//   stored    <vrl:1+2,5DE>Ge 1:1-3; Ex 3:14</vrl>      (inside module files)
//   exported  <a href=zbvrl:1+2,5DE>Ge 1:1-3; Ex 3:14</a>  (HTML for copy, print, export)
// The item list names the verses as upper-case hexadecimal verse numbers, a range as
// "first+count". The display text is only for the reader and is never parsed again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/bible_module.h"
#include "engine/verse_types.h"

namespace kvx {

// A module's verse index while it is being built: list v-1 holds the entry numbers
// that cite verse v, in the order they were added, never the same entry twice in a row.
using TVerseIndexLists = std::vector<TEntryIndexArray>;

// A range longer than this (last - first) is indexed on its first verse only, so that a
// citation of a whole book does not put the entry beside thousands of verses.
constexpr int kMaxIndexedRangeSpan = 75;

// The item list of a stored link: "3E8+2,3F2" for verses 1000 to 1002 and 1010.
// Ranges that start below verse 1 name nothing and are left out.
std::string VerseLinkItems(const TVerseRangeList& ranges);

// "<vrl:ITEMS>DISPLAY</vrl>", the display text made with the Bible's abbreviations.
std::string MakeVerseLink(const TVerseRangeList& ranges, const TZBBibleModule& bible);

// The build-time scan of one entry's text. Indexes the stored links already present,
// then turns every "<scripref>" reference into a stored link and indexes it; `index` is
// widened to 31102 lists when it is shorter. Problems with the references come back in
// `messages` (empty when there were none); the text is converted all the same. A stored
// link whose items are not hexadecimal numbers raises, which aborts the module's build.
void ParseVerseLinks(std::string& text, const TZBBibleModule& bible, uint16_t entry, std::string& messages,
                     TVerseIndexLists& index);

// The authored form of a text that holds stored links: each "<vrl:...>" becomes
// "<scripref>" and each "</vrl>" "</scripref>", so that the display text is what is
// parsed when the text is built again.
std::string VerseLinksToScriprefs(const std::string& text);

}  // namespace kvx
