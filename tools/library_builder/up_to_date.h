// The incremental build's test: an output is up to date when it is newer than every
// file it is made from.
#pragma once

#include <string>
#include <vector>

namespace kvx::library {

// True when `output` exists and its modification time is later than that of every
// source that exists. Missing sources are the caller's concern.
bool IsUpToDate(const std::string& output, const std::vector<std::string>& sources);

}  // namespace kvx::library
