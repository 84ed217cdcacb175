// ModuleBuildProcs: BuildResourceModule, the one writer of resource module files.
// It places commentary entries on their verses or sorts book entries by title,
// turns authored "<scripref>" references into verse links while filling the verse
// index, indexes every word, compresses each text and writes the file, which only
// appears under its final name once it is complete.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/bible_module.h"
#include "modules/build_progress.h"

namespace kvx {

// One entry handed to the builder: its title and its text as lines of HTML, or no
// lines at all for an entry without text. The stored text is the lines each
// followed by CR LF.
struct TResourceEntrySource {
    std::string Title;
    std::optional<std::vector<std::string>> Lines;
};
using TResourceEntryList = std::vector<TResourceEntrySource>;

// The file a module of that abbreviation is written to: folder/ABBREVIATION.zb5cmty
// for a commentary, .zb5book for a book. Only the first 10 characters of the
// abbreviation count, as in the header.
std::string ResourceModuleFileName(const std::string& folder, const std::string& abbreviation, bool isCommentary);

// Builds the module into ResourceModuleFileName(folder, abbreviation, isCommentary),
// replacing a file of that name. log (optional) receives the progress lines and the
// problems found in the entries, which never stop the build; statusLine and
// progress are optional too. bible parses the references and writes commentary
// titles. Names are cut to 60, 10 and 7 characters. Raises, leaving any earlier
// file of that name as it was, for more than 65535 book entries, an abbreviation
// that cannot name a file, a malformed stored verse link, a compression failure
// or a file that cannot be written.
void BuildResourceModule(std::vector<std::string>* log, TBuildStatusLine* statusLine, bool isCommentary,
                         TBuildProgress* progress, const TZBBibleModule& bible, const std::string& folder,
                         uint32_t seed, bool sortTitles, const std::string& infoText, const std::string& moduleCode,
                         const std::string& abbreviation, const std::string& moduleName,
                         const TResourceEntryList& entries);

}  // namespace kvx
