// Opening a full-size Bible module and reading it: what every chapter display and
// phrase check pays.
#include <benchmark/benchmark.h>

#include "engine/bible_module.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

// A full-size module whose verses are about as long as the King James text's.
const std::string& ModulePath() {
    static test::TempDir dir;
    static const std::string path = [] {
        TBibleModuleSource source = test::StandardBibleSource();
        const char* filler[] = {"And God said, Let there be light: and there was light. ",
                                "For God so loved the world, that he gave his only begotten Son. ",
                                "The LORD is my shepherd; I shall not want. "};
        for (size_t v = 0; v < source.Verses.size(); ++v) *source.Verses[v] += filler[v % 3];
        return test::WriteBible(dir, source);
    }();
    return path;
}

void BM_Open(benchmark::State& state) {
    const std::string& path = ModulePath();
    for (auto _ : state) {
        TZBBibleModule bible(path);
        benchmark::DoNotOptimize(bible.VerseCount());
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMicrosecond);

void BM_ReadEveryVerse(benchmark::State& state) {
    TZBBibleModule bible(ModulePath());
    for (auto _ : state) {
        size_t total = 0;
        for (int v = 1; v <= bible.VerseCount(); ++v) total += bible.GetVerseText(v, false, false).size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadEveryVerse)->Unit(benchmark::kMillisecond);

void BM_VerseNumberDecodeRoundTrip(benchmark::State& state) {
    TZBBibleModule bible(ModulePath());
    for (auto _ : state) {
        int sum = 0;
        for (int v = 1; v <= bible.VerseCount(); ++v) {
            int b, c, vc;
            bible.DecodeVerse(v, b, c, vc);
            sum += bible.VerseNumber(b, c, vc);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * bible.VerseCount());
}
BENCHMARK(BM_VerseNumberDecodeRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvx
