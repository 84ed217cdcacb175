// Shared pieces of the fuzz targets: bytes to a file that readers can map, and the
// small modules the parsers run against.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/bible_module.h"

namespace kvx::fuzz {

// Writes the bytes to a per-process scratch file (in memory where possible) and
// returns its path; the same path is reused by every run.
const std::string& ScratchFile(const uint8_t* data, size_t size, const char* extension);

// A Bible with the standard 66 books and 31102 verses, with a little text of its own,
// Strong's markers and footnotes: what references and queries are parsed against.
TZBBibleModule& StandardBible();

// Its bytes, for seeding the module readers.
std::string StandardBibleBytes();

}  // namespace kvx::fuzz
