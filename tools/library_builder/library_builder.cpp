// The incremental library build: check the sources, skip what is up to date, build
// the rest through a shared context.
#include "tools/library_builder/library_builder.h"

#include <chrono>
#include <filesystem>
#include <set>

#include "platform/exception.h"
#include "platform/file_util.h"
#include "platform/user_folders.h"
#include "tools/library_builder/build_context.h"
#include "tools/library_builder/up_to_date.h"

namespace kvx::library {

namespace fs = std::filesystem;

TBuildContext::TBuildContext(const TLibraryBuildOptions& options, TProgress& progress)
    : options_(options), progress_(progress), installation_(options.SwordPath) {}

const TSwordModuleInfo& TBuildContext::Module(const std::string& name) {
    auto it = modules_.find(name);
    if (it != modules_.end()) return it->second;
    std::optional<TSwordModuleInfo> info = installation_.Find(name);
    if (!info) throw Exception(Format("The SWORD module %s is not installed in %s.", name.c_str(), installation_.Root().c_str()));
    return modules_.emplace(name, std::move(*info)).first->second;
}

std::string TBuildContext::ModToImpProgram() const {
    std::string program = FindProgram(options_.ModToImp);
    if (program.empty())
        throw Exception(Format("%s is not installed: install the Debian package %s.", options_.ModToImp.c_str(),
                               kSwordUtilsPackage));
    return program;
}

const std::vector<TImpEntry>& TBuildContext::Export(const std::string& module,
                                                   const std::map<std::string, std::string>& corrections) {
    auto it = exports_.find(module);
    if (it != exports_.end()) return it->second;
    const TSwordModuleInfo& info = Module(module);
    Status("reading " + module);
    std::string output;
    if (corrections.empty()) {
        output = RunModToImp(ModToImpProgram(), module, installation_.Root());
    } else {
        TPrivateSwordFolder folder(info, corrections);
        output = RunModToImp(ModToImpProgram(), module, folder.Path());
    }
    std::vector<TImpEntry> entries = ParseImp(output);
    if (entries.empty()) throw Exception(Format("%s printed nothing for the SWORD module %s.", options_.ModToImp.c_str(), module.c_str()));
    return exports_.emplace(module, std::move(entries)).first->second;
}

const TBibleConversion& TBuildContext::Bible(const std::string& module, const TOsisVerseOptions& options) {
    auto it = bibles_.find(module);
    if (it != bibles_.end()) return *it->second;
    const std::vector<TImpEntry>& entries = Export(module);
    auto conversion = std::make_unique<TBibleConversion>(ConvertSwordBible(
        entries, options, [this](size_t done, size_t total) { Status("converting", done, total); }));
    return *bibles_.emplace(module, std::move(conversion)).first->second;
}

const TLexiconConversion& TBuildContext::Lexicon(const std::string& module, TStrongsLanguage language) {
    auto it = lexicons_.find(module);
    if (it != lexicons_.end()) return *it->second;
    const std::vector<TImpEntry>& entries = Export(module);
    Status("converting " + module);
    auto conversion = std::make_unique<TLexiconConversion>(ConvertStrongsDictionary(entries, language));
    return *lexicons_.emplace(module, std::move(conversion)).first->second;
}

const TZBBibleModule& TBuildContext::ReferenceBible() {
    if (!referenceBible_)
        referenceBible_ = std::make_unique<TZBBibleModule>((fs::path(options_.LibraryFolder) / kReferenceBibleFile).string());
    return *referenceBible_;
}

std::string TBuildContext::CopyrightStatement(const std::string& package) const {
    const std::string file = (fs::path(options_.DocPath) / package / "copyright").string();
    if (!FileExists(file)) return {};
    return ReadWholeFile(file);
}

TLibraryBuildReport BuildLibrary(const TLibraryBuildOptions& options, const std::vector<TLibraryTarget>& targets,
                                 TProgress& progress) {
    const auto started = std::chrono::steady_clock::now();
    auto seconds = [](std::chrono::steady_clock::time_point since) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
    };
    TBuildContext context(options, progress);

    // Every source must be there before anything is written, and a missing one is
    // reported as the package that brings it.
    std::set<std::string> missing;
    std::vector<bool> stale;
    // The running program counts as a source of everything it builds: a changed converter
    // must rebuild its outputs.
    const std::string self = ProgramPath();
    for (const TLibraryTarget& target : targets) {
        std::vector<std::string> files;
        if (!self.empty()) files.push_back(self);
        for (const TSwordSource& source : target.Sources) {
            std::optional<TSwordModuleInfo> info = context.Installation().Find(source.Module);
            if (!info) {
                missing.insert(source.Package);
                continue;
            }
            for (std::string& f : TSwordInstallation::SourceFiles(*info)) files.push_back(std::move(f));
        }
        const std::string output = (fs::path(options.LibraryFolder) / target.Output).string();
        stale.push_back(options.Force || !IsUpToDate(output, files));
    }
    bool anyStale = false;
    for (bool s : stale) anyStale = anyStale || s;
    if (anyStale && FindProgram(options.ModToImp).empty()) missing.insert(kSwordUtilsPackage);
    if (!missing.empty()) {
        std::string list;
        for (const std::string& p : missing) list += (list.empty() ? "" : " ") + p;
        throw Exception(Format("Cannot build the library: install the Debian package%s %s "
                               "(SWORD modules are looked for in %s).",
                               missing.size() > 1 ? "s" : "", list.c_str(), options.SwordPath.c_str()));
    }

    TLibraryBuildReport report;
    for (size_t i = 0; i < targets.size(); ++i) {
        const TLibraryTarget& target = targets[i];
        if (!stale[i]) {
            progress.Line(target.Output + ": up to date");
            ++report.UpToDate;
            continue;
        }
        const auto begun = std::chrono::steady_clock::now();
        const fs::path output = fs::path(options.LibraryFolder) / target.Output;
        std::error_code ec;
        fs::create_directories(output.parent_path(), ec);
        if (ec) throw Exception(Format("Cannot create the folder %s (%d)", output.parent_path().c_str(), ec.value()));
        context.SetCurrent(target.Output);
        std::string summary = target.Build(context, output.string());
        progress.Line(Format("%s: built, %s (%.1f s)", target.Output.c_str(), summary.c_str(), seconds(begun)));
        ++report.Built;
    }
    report.Seconds = seconds(started);
    return report;
}

}  // namespace kvx::library
