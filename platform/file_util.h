// File operations the program needs beyond the standard library: above all, writing
// a file so that a crash or a full disk never leaves it half written.
#pragma once

#include <string>
#include <string_view>

namespace kvx {

// Writes data to a new file in the same folder, flushes it to disk and renames it over
// path. On any failure the old file is untouched, the new one removed, and an
// Exception says what went wrong.
void WriteFileAtomically(const std::string& path, std::string_view data);

// Reads a whole file; raises "Failed to open %s (%d)" when it cannot.
std::string ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace kvx
