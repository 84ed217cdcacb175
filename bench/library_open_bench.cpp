// Opening the default library as the program does at start: every Bible, book and
// commentary module in Modules/, the Strong's data and the paragraph map, each with
// its reader (mapped, header and tables checked, titles and information text
// inflated); and each module alone, to see which costs what.
//
// The library is found through $KVX_LIBRARY (the library folder) or next to this
// program (<build>/bin, made by "kvx build-library").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/bible_module.h"
#include "modules/resource_module.h"
#include "modules/strongs_data.h"
#include "platform/file_util.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

namespace fs = std::filesystem;

fs::path LibraryFolder() { return test::DefaultLibraryFolder({"Modules/KJV.zb5bible", "stgdat.zb4"}); }

// The module files of the library, in name order.
std::vector<fs::path> ModuleFiles(const fs::path& library) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(library / "Modules", ec)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".zb5bible" || extension == ".zb5book" || extension == ".zb5cmty") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Opens a module file with the reader the program uses for it; the reader stays
// alive in `open` so that a benchmark measures opening, not closing.
void OpenModule(const fs::path& file, std::vector<std::shared_ptr<void>>& open) {
    if (file.extension() == ".zb5bible") open.push_back(std::make_shared<TZBBibleModule>(file.string()));
    else open.push_back(std::shared_ptr<TZBDictionaryModule>(OpenResourceModule(file.string())));
}

void BM_OpenLibrary(benchmark::State& state) {
    const fs::path library = LibraryFolder();
    if (library.empty()) {
        state.SkipWithError("no library: run kvx build-library or set KVX_LIBRARY");
        return;
    }
    const std::vector<fs::path> files = ModuleFiles(library);
    for (auto _ : state) {
        std::vector<std::shared_ptr<void>> open;
        for (const fs::path& file : files) OpenModule(file, open);
        TZBStrongsDataModule strongs((library / "stgdat.zb4").string());
        std::string paragraphs = ReadWholeFile((library / "pmap.dat").string());
        benchmark::DoNotOptimize(paragraphs.data());
        benchmark::DoNotOptimize(open.data());
        state.PauseTiming();
        open.clear();
        state.ResumeTiming();
    }
    state.counters["modules"] = static_cast<double>(files.size());
}
BENCHMARK(BM_OpenLibrary)->Unit(benchmark::kMillisecond);

void BM_OpenModule(benchmark::State& state, const std::string& name) {
    const fs::path library = LibraryFolder();
    if (library.empty()) {
        state.SkipWithError("no library: run kvx build-library or set KVX_LIBRARY");
        return;
    }
    const fs::path file = library / "Modules" / name;
    for (auto _ : state) {
        std::vector<std::shared_ptr<void>> open;
        OpenModule(file, open);
        benchmark::DoNotOptimize(open.data());
        state.PauseTiming();
        open.clear();
        state.ResumeTiming();
    }
}

// One benchmark per module of the library found at start.
const bool kRegistered = [] {
    const fs::path library = LibraryFolder();
    if (library.empty()) return false;
    for (const fs::path& file : ModuleFiles(library)) {
        const std::string name = file.filename().string();
        benchmark::RegisterBenchmark(("BM_OpenModule/" + name).c_str(), BM_OpenModule, name)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
}  // namespace kvx
