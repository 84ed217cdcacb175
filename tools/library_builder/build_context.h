// What the targets of a library build share: the SWORD installation, each module's
// export (run once however many files need it), converted Bibles, copyright texts
// and the progress line.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/library_builder/bible_conversion.h"
#include "tools/library_builder/library_builder.h"
#include "tools/library_builder/sword_export.h"
#include "tools/library_builder/sword_installation.h"

namespace kvx::library {

class TBuildContext {
public:
    TBuildContext(const TLibraryBuildOptions& options, TProgress& progress);

    const TLibraryBuildOptions& Options() const { return options_; }
    const TSwordInstallation& Installation() const { return installation_; }

    // An installed module; raises when it is not installed.
    const TSwordModuleInfo& Module(const std::string& name);
    // The module's mod2imp export, read once.
    const std::vector<TImpEntry>& Export(const std::string& module);
    // The module as a Bible on the shared numbering, converted once.
    const TBibleConversion& Bible(const std::string& module, const TOsisVerseOptions& options);

    // The package's copyright file; empty when the package keeps none.
    std::string CopyrightStatement(const std::string& package) const;

    // The target being built, for the progress line.
    void SetCurrent(const std::string& output) { current_ = output; }
    void Status(const std::string& step, size_t done = 0, size_t total = 0) {
        progress_.Update(current_, step, done, total);
    }

    // The exporter's full path; raises when it is not installed.
    std::string ModToImpProgram() const;

private:
    TLibraryBuildOptions options_;
    TProgress& progress_;
    TSwordInstallation installation_;
    std::string current_;
    std::map<std::string, TSwordModuleInfo> modules_;
    std::map<std::string, std::vector<TImpEntry>> exports_;
    std::map<std::string, std::unique_ptr<TBibleConversion>> bibles_;
};

}  // namespace kvx::library
