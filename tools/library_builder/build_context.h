// What the targets of a library build share: the SWORD installation, each module's
// export (run once however many files need it), converted Bibles and lexicons, the
// reference Bible, copyright texts and the progress line.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/bible_module.h"
#include "tools/library_builder/bible_conversion.h"
#include "tools/library_builder/lexicon_conversion.h"
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
    // The module's mod2imp export, read once. With corrections, mod2imp reads the
    // module through a private configuration with those entries corrected.
    const std::vector<TImpEntry>& Export(const std::string& module,
                                         const std::map<std::string, std::string>& corrections = {});
    // The module as a Bible on the shared numbering, converted once.
    const TBibleConversion& Bible(const std::string& module, const TOsisVerseOptions& options);

    // A Strong's dictionary as lexicon articles and Strong's data, converted once.
    const TLexiconConversion& Lexicon(const std::string& module, TStrongsLanguage language);
    // The King James Version of the library being built, which the other modules'
    // references are read against; raises when it has not been built.
    const TZBBibleModule& ReferenceBible();

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
    std::map<std::string, std::unique_ptr<TLexiconConversion>> lexicons_;
    std::unique_ptr<TZBBibleModule> referenceBible_;
};

}  // namespace kvx::library
