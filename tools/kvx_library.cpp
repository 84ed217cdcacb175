// kvx build-library: builds the default library (Bible modules, paragraph map,
// Strong's data, lexicons, commentaries and the topical Bible) from the public-domain
// SWORD modules that Debian packages, a line per file as each is done.
#include <iostream>

#include "platform/exception.h"
#include "tools/kvx_cli.h"
#include "tools/library_builder/library_builder.h"

namespace kvx::cli {
namespace {

int BuildLibraryCommand(const Args& args) {
    if (args.positional.size() > 1) throw UsageError{};
    library::TLibraryBuildOptions options;
    options.LibraryFolder = args.positional.empty() ? LibraryFolder(args) : args.positional[0];
    if (args.Has("sword-path")) options.SwordPath = args.Get("sword-path");
    options.Force = args.Has("force");
    library::TProgress progress(std::cout, library::StatusIsTerminal() ? &std::cerr : nullptr);
    library::TLibraryBuildReport report =
        library::BuildLibrary(options, library::DefaultLibraryTargets(), progress);
    progress.Line(Format("Library in %s: %d built, %d up to date (%.1f s)", options.LibraryFolder.c_str(),
                         report.Built, report.UpToDate, report.Seconds));
    return 0;
}

Registrar buildLibrary({"build-library", "build-library [DIR] [--sword-path DIR] [--force]", {"sword-path", "library"},
                        BuildLibraryCommand});

}  // namespace
}  // namespace kvx::cli
