// Parsing typed references: what every quick jump, verse-list paste and module build
// pays for each reference it reads.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/bible_module.h"
#include "engine/versification.h"
#include "refs/parse_refs.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

const std::string& ModulePath() {
    static test::TempDir dir;
    static const std::string path = test::WriteBible(dir, test::StandardBibleSource());
    return path;
}

// 10,000 references of the kinds people type and commentaries cite, over every book:
// single verses, verse ranges, chapters, chapter ranges, lists, several books, full
// book names, aliases and a few that name nothing.
std::vector<std::string> TypicalReferences() {
    const TVersification& v = StandardVersification();
    std::mt19937 random(20240611);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)) + 1; };
    std::vector<std::string> refs;
    while (refs.size() < 10000) {
        const int b = pick(66);
        const auto& book = v.Books[static_cast<size_t>(b - 1)];
        const int chapters = static_cast<int>(book.VersesPerChapter.size());
        const int c = pick(chapters);
        const int verses = book.VersesPerChapter[static_cast<size_t>(c - 1)];
        const int verse = pick(verses);
        const std::string& a = book.Abbreviation;
        const std::string cv = std::to_string(c) + ":" + std::to_string(verse);
        const std::string toChapter = std::to_string(std::min(c + 2, chapters));
        switch (refs.size() % 10) {
            case 0: refs.push_back(a + " " + cv); break;
            case 1: refs.push_back(a + " " + cv + "-" + std::to_string(std::min(verse + 3, verses))); break;
            case 2: refs.push_back(a + " " + std::to_string(c)); break;
            case 3: refs.push_back(a + " " + cv + "," + std::to_string(std::min(verse + 2, verses)) + "; " +
                                   std::to_string(pick(chapters)) + ":1"); break;
            case 4: refs.push_back(book.Name + " " + cv); break;
            case 5: refs.push_back(a + ". " + cv + "; Ro 8:28; Joh 3:16"); break;
            case 6: refs.push_back(a + " " + std::to_string(c) + "-" + toChapter); break;
            case 7: refs.push_back("jn " + std::to_string(pick(21)) + ":" + std::to_string(pick(20))); break;
            case 8: refs.push_back("1 jn 3:16, Ps 23; 1 Co 13:4-7"); break;
            default: refs.push_back(a + " " + cv + " see also"); break;
        }
    }
    return refs;
}

void BM_ParseTypicalReferences(benchmark::State& state) {
    TZBBibleModule bible(ModulePath());
    const std::vector<std::string> refs = TypicalReferences();
    TVerseRangeList ranges;
    for (auto _ : state) {
        size_t total = 0;
        for (const std::string& ref : refs) {
            int32_t stop = 0;
            ParseRefs(ref, bible, stop, ranges);
            total += ranges.size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(refs.size()));
}
BENCHMARK(BM_ParseTypicalReferences)->Unit(benchmark::kMillisecond);

void BM_FormatVerseList(benchmark::State& state) {
    TZBBibleModule bible(ModulePath());
    TVerseList verses;
    for (int v = 1; v <= bible.VerseCount(); v += 3) verses.push_back(static_cast<uint16_t>(v));
    for (auto _ : state) benchmark::DoNotOptimize(FormatVerseList(bible, verses));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(verses.size()));
}
BENCHMARK(BM_FormatVerseList)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvx
