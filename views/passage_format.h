// Verses on their way to the clipboard: a run of verses of one Bible in one of the
// ten copy styles A to J, as plain text or HTML.
#pragma once

#include <string>

#include "app/settings.h"
#include "engine/bible_module.h"
#include "modules/strongs_data.h"

namespace kvx {

struct TVerseExportFormat {
    int Style = 0;  // 0 (A) to 9 (J)
    bool IncludeBrackets = false;
    bool IncludeFootnotes = false;
    bool IncludeVersionTag = false;
};

// The "Export Format" settings.
TVerseExportFormat VerseExportFormat(const TSettings& settings);

// Verses first to last of the Bible, in the Bible's encoding. The HTML form takes
// its supplied-word mode and colours (RGB) from bibleText; strongs may be null.
// Raises the reader's error for a verse outside the Bible.
std::string FormatPassage(int first, int last, const TZBBibleModule& bible, bool html,
                          const TVerseExportFormat& format, const TZBStrongsDataModule* strongs,
                          const TPropertiesBibleView& bibleText);

}  // namespace kvx
