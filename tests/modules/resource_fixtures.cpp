// Fixtures of the resource module tests.
#include "tests/modules/resource_fixtures.h"

#include <memory>

namespace kvx::test {

const TZBBibleModule& ReferenceBible() {
    struct Holder {
        TempDir dir;
        std::unique_ptr<TZBBibleModule> bible;
        Holder() { bible = std::make_unique<TZBBibleModule>(WriteBible(dir, StandardBibleSource())); }
    };
    static Holder holder;
    return *holder.bible;
}

std::string BuildBook(const TempDir& dir, const TResourceEntryList& entries, const TBuildOptions& options) {
    BuildResourceModule(options.Log, nullptr, false, nullptr, ReferenceBible(), dir.Path(), options.Seed,
                        options.SortTitles, options.InfoText, options.Code, options.Abbreviation, options.Name,
                        entries);
    return ResourceModuleFileName(dir.Path(), options.Abbreviation, false);
}

std::string BuildCommentary(const TempDir& dir, const TResourceEntryList& entries, TBuildOptions options) {
    if (options.Abbreviation == "BK") options.Abbreviation = "CM";
    BuildResourceModule(options.Log, nullptr, true, nullptr, ReferenceBible(), dir.Path(), options.Seed,
                        options.SortTitles, options.InfoText, options.Code, options.Abbreviation, options.Name,
                        entries);
    return ResourceModuleFileName(dir.Path(), options.Abbreviation, true);
}

}  // namespace kvx::test
