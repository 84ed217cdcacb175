// Searching the real King James module of the default library: the queries people
// type most, each with the lookup tables and by the plain walk over the word list,
// plus opening the module and answering a first search, and suggestions.
//
// The module is found through $KVX_LIBRARY (the library folder) or next to this
// program (<build>/bin/Modules/KJV.zb5bible, made by "kvx build-library").
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/bible_module.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

std::string KjvPath() {
    const std::string folder = test::DefaultLibraryFolder({"Modules/KJV.zb5bible"});
    return folder.empty() ? folder : folder + "Modules/KJV.zb5bible";
}

TZBBibleModule* Kjv() {
    static std::unique_ptr<TZBBibleModule> bible = [] {
        const std::string path = KjvPath();
        return path.empty() ? nullptr : std::make_unique<TZBBibleModule>(path);
    }();
    return bible.get();
}

struct Query {
    const char* name;
    const char* text;
};

constexpr Query kQueries[] = {
    {"word", "shepherd"},
    {"three_and", "faith & hope & charity"},
    {"two_or", "faith | hope"},
    {"phrase", "\"in the beginning\""},
    {"prefix", "proph*"},
    {"pattern", "l?ve"},
    {"stem", "=love"},
    {"close", "~shepard"},
    {"common", "the"},
};

void BM_Search(benchmark::State& state, const char* query, bool accelerate) {
    TZBBibleModule* bible = Kjv();
    if (!bible) {
        state.SkipWithError("no KJV module: run kvx build-library into the build's bin folder or set KVX_LIBRARY");
        return;
    }
    bible->SetSearchAcceleration(accelerate);
    TVerseList verses;
    for (int i = 0; i < 3; ++i) {
        // Word lists and lookup tables are built by the first few searches; time the rest.
        TZBSearchKeysData keys;
        bible->SearchQuery(query, 0, verses, -1, -1, keys);
    }
    for (auto _ : state) {
        TZBSearchKeysData keys;
        bible->SearchQuery(query, 0, verses, -1, -1, keys);
        benchmark::DoNotOptimize(verses.data());
    }
    state.counters["verses"] = static_cast<double>(verses.size());
    bible->SetSearchAcceleration(true);
}

// What a program that opens the module for one search pays: the open (which builds
// the suggestion list of the KJV), the word list and the lookup tables.
void BM_OpenAndSearchOnce(benchmark::State& state) {
    const std::string path = KjvPath();
    if (path.empty()) {
        state.SkipWithError("no KJV module");
        return;
    }
    for (auto _ : state) {
        TZBBibleModule bible(path);
        TZBSearchKeysData keys;
        TVerseList verses;
        bible.SearchQuery("shepherd", 0, verses, -1, -1, keys);
        benchmark::DoNotOptimize(verses.data());
    }
}
BENCHMARK(BM_OpenAndSearchOnce)->Unit(benchmark::kMillisecond);

void BM_Suggestions(benchmark::State& state) {
    TZBBibleModule* bible = Kjv();
    if (!bible) {
        state.SkipWithError("no KJV module");
        return;
    }
    for (auto _ : state) {
        std::string word = "shepard";
        benchmark::DoNotOptimize(bible->Suggestions(word, 10));
    }
}
BENCHMARK(BM_Suggestions)->Unit(benchmark::kMillisecond);

const bool registered = [] {
    for (const Query& q : kQueries) {
        benchmark::RegisterBenchmark((std::string("BM_Search/") + q.name).c_str(), BM_Search, q.text, true)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_SearchPlainWalk/") + q.name).c_str(), BM_Search, q.text, false)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
}  // namespace kvx
