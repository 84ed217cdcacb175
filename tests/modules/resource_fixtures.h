// Fixtures of the resource module tests: the standard Bible the builder needs for
// references, and small books and commentaries built with the module builder.
#pragma once

#include <string>
#include <vector>

#include "engine/bible_module.h"
#include "modules/resource_builder.h"
#include "modules/resource_format.h"
#include "tests/support/fixtures.h"

namespace kvx::test {

// The standard 31102-verse Bible (abbreviations Ge, Ex, ..., Re), written once per
// test program and kept open.
const TZBBibleModule& ReferenceBible();

inline TResourceEntrySource Entry(std::string title, std::vector<std::string> lines) {
    return {std::move(title), std::move(lines)};
}
inline TResourceEntrySource NoText(std::string title) { return {std::move(title), std::nullopt}; }

struct TBuildOptions {
    std::string Abbreviation = "BK";
    std::string Name = "Test Book";
    std::string Code = "TEST";
    std::string InfoText = "<p>About this module.</p>";
    uint32_t Seed = kBuilderSeed;
    bool SortTitles = true;
    std::vector<std::string>* Log = nullptr;
};

// Builds into dir and returns the module's path.
std::string BuildBook(const TempDir& dir, const TResourceEntryList& entries, const TBuildOptions& options = {});
std::string BuildCommentary(const TempDir& dir, const TResourceEntryList& entries, TBuildOptions options = {});

}  // namespace kvx::test
