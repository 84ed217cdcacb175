// The information text of a library module: what it is, where it comes from, and
// the copyright statement of the Debian package that brings it, which must travel
// with the text.
#pragma once

#include <string>

#include "tools/library_builder/library_builder.h"

namespace kvx::library {

class TBuildContext;

// HTML in Windows-1252. `note` (HTML, UTF-8) is said after the source, when not empty.
std::string ModuleInfoText(TBuildContext& context, const TSwordSource& source, const std::string& name,
                           const std::string& abbreviation, const std::string& note = {});

// A SWORD "About" text as HTML: its RTF paragraph marks ("\par") become paragraph
// breaks and its other control words go.
std::string AboutToHtml(const std::string& about);

}  // namespace kvx::library
