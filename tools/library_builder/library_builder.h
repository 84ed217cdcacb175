// Builds the default library from the public-domain SWORD modules that Debian
// packages: the Bible modules, the paragraph map, the Strong's data and lexicons,
// the commentaries and the topical Bible, each written only when it is older than
// what it is made from.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/startup_files.h"
#include "tools/library_builder/progress.h"

namespace kvx::library {

struct TLibraryBuildOptions {
    std::string LibraryFolder;                   // receives "Modules/…", "pmap.dat" and "stgdat.zb4"
    std::string SwordPath = "/usr/share/sword";  // the SWORD folder the packages install into
    std::string DocPath = "/usr/share/doc";      // where each package keeps its copyright file
    std::string ModToImp = "mod2imp";            // the exporter, found on PATH unless a path
    bool Force = false;                          // rebuild even what is up to date
};

// A SWORD module a library file is made from, and the package that installs it.
struct TSwordSource {
    std::string Module;
    std::string Package;
};

class TBuildContext;

// One file of the library.
struct TLibraryTarget {
    std::string Output;  // relative to the library folder
    std::vector<TSwordSource> Sources;
    // Writes the file to the path given and returns a short summary of what it holds.
    std::function<std::string(TBuildContext&, const std::string& path)> Build;
};

// The files of the default library, in build order: the Bibles and the paragraph
// map first (the other modules read their references against the King James
// Version), then the Strong's data, the lexicons, the commentaries and the books.
std::vector<TLibraryTarget> DefaultLibraryTargets();
std::vector<TLibraryTarget> BibleLibraryTargets();
std::vector<TLibraryTarget> ResourceLibraryTargets();

struct TLibraryBuildReport {
    int Built = 0;
    int UpToDate = 0;
    double Seconds = 0;
};

// Builds what is out of date. Raises, before writing anything, when a source is not
// installed, naming the Debian packages to install; raises on any other failure.
TLibraryBuildReport BuildLibrary(const TLibraryBuildOptions& options, const std::vector<TLibraryTarget>& targets,
                                 TProgress& progress);

// The King James Version the reference Bible is made from; the commentaries and
// the topical Bible read their verse keys against it too.
inline const TSwordSource kKjvSource{"engKJV2006eb", "sword-text-kjv"};

// The Debian package that provides mod2imp.
inline constexpr char kSwordUtilsPackage[] = "libsword-utils";

}  // namespace kvx::library
