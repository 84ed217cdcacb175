// Reading the text files that user modules are exported to, so that they can be
// built into modules again: a few "; " header lines naming the kind, the title and
// the abbreviation, then every entry as a "$$ " heading line followed by its text.
#pragma once

#include <string>
#include <string_view>

#include "modules/resource_builder.h"

namespace kvx {

enum class TExportFileKind { Unknown, Commentary, Book };

struct TModuleExportFile {
    TExportFileKind Kind = TExportFileKind::Unknown;  // from the first line
    std::string Title;                                 // "; TITLE: "
    std::string Abbreviation;                          // "; ABBREVIATION: "
    // Headings in file order, each with the lines up to the next heading.
    TResourceEntryList Entries;
};

// Text in Windows-1252; a file that starts with a UTF-8 byte-order mark is read as
// UTF-8 and converted. `name` names the file in errors. Raises "%s is not a module
// export file: ..." when the title or the abbreviation line is missing or text
// stands before the first heading. A file without headings has no entries.
TModuleExportFile ParseModuleExportText(std::string_view text, const std::string& name);
TModuleExportFile ReadModuleExportFile(const std::string& fileName);

}  // namespace kvx
