// Building and reading resource modules of a real commentary's size: about 6 MB of
// comments on 20,000 verses with 1,200 verse links, and a dictionary of 10,000
// titles for the title look-up.
#include <benchmark/benchmark.h>

#include <random>

#include "engine/bible_module.h"
#include "modules/resource_builder.h"
#include "modules/resource_module.h"
#include "tests/support/fixtures.h"

namespace kvx {
namespace {

test::TempDir& Folder() {
    static test::TempDir dir;
    return dir;
}

const TZBBibleModule& Bible() {
    static TZBBibleModule bible(test::WriteBible(Folder(), test::StandardBibleSource()));
    return bible;
}

// Made-up words, a few frequent and most rare, as in prose.
class Prose {
public:
    Prose() : random_(1611) {
        for (int i = 0; i < 20000; ++i) {
            std::string word;
            const int length = 3 + static_cast<int>(random_() % 8);
            for (int k = 0; k < length; ++k) word += static_cast<char>('a' + random_() % 26);
            words_.push_back(word);
        }
    }
    std::string Word() {
        // Squaring the draw favours the front of the vocabulary.
        const double u = std::uniform_real_distribution<double>(0, 1)(random_);
        return words_[static_cast<size_t>(u * u * static_cast<double>(words_.size()))];
    }
    std::string Paragraph(size_t bytes) {
        std::string text = "<p>";
        while (text.size() < bytes) text += Word() + (random_() % 12 == 0 ? ". " : " ");
        return text + "</p>";
    }
    uint32_t Next() { return static_cast<uint32_t>(random_()); }
    const std::vector<std::string>& Words() const { return words_; }

private:
    std::mt19937 random_;
    std::vector<std::string> words_;
};

Prose& SharedProse() {
    static Prose prose;
    return prose;
}

const TResourceEntryList& CommentaryEntries() {
    static const TResourceEntryList entries = [] {
        Prose& prose = SharedProse();
        const TZBBibleModule& bible = Bible();
        TResourceEntryList list;
        for (int v = 1; v <= kStandardVerseCount; v += 3) {
            for (int w = 0; w < 2 && v + w <= kStandardVerseCount; ++w) {
                std::vector<std::string> lines = {prose.Paragraph(140), prose.Paragraph(140)};
                list.push_back({bible.VerseReference(v + w), std::move(lines)});
            }
        }
        for (int link = 0; link < 1200; ++link) {
            const int target = 1 + static_cast<int>(prose.Next() % kStandardVerseCount);
            auto& lines = *list[prose.Next() % list.size()].Lines;
            lines.push_back("See <scripref>" + bible.VerseReference(target) + "</scripref>.");
        }
        return list;
    }();
    return entries;
}

std::string BuildCommentary() {
    BuildResourceModule(nullptr, nullptr, true, nullptr, Bible(), Folder().Path(), kBuilderSeed, true,
                        "<p>A commentary.</p>", "", "CMTY", "Bench Commentary", CommentaryEntries());
    return ResourceModuleFileName(Folder().Path(), "CMTY", true);
}

const std::string& CommentaryPath() {
    static const std::string path = BuildCommentary();
    return path;
}

const std::string& DictionaryPath() {
    static const std::string path = [] {
        Prose& prose = SharedProse();
        TResourceEntryList entries;
        for (size_t i = 0; i < 10000; ++i)
            entries.push_back({prose.Words()[i] + " " + prose.Word(), std::vector<std::string>{prose.Paragraph(200)}});
        BuildResourceModule(nullptr, nullptr, false, nullptr, Bible(), Folder().Path(), kBuilderSeed, true, "", "",
                            "DICT", "Bench Dictionary", entries);
        return ResourceModuleFileName(Folder().Path(), "DICT", false);
    }();
    return path;
}

void BM_BuildCommentary(benchmark::State& state) {
    size_t bytes = 0;
    for (const auto& e : CommentaryEntries())
        for (const auto& line : *e.Lines) bytes += line.size() + 2;
    for (auto _ : state) benchmark::DoNotOptimize(BuildCommentary());
    state.counters["entry_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["entries"] = static_cast<double>(CommentaryEntries().size());
}
BENCHMARK(BM_BuildCommentary)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_OpenCommentary(benchmark::State& state) {
    const std::string& path = CommentaryPath();
    for (auto _ : state) {
        TZBCommentaryModule module(path);
        benchmark::DoNotOptimize(module.EntryCount());
    }
}
BENCHMARK(BM_OpenCommentary)->Unit(benchmark::kMicrosecond);

// The first search of a module also loads its word list and lookup tables.
void BM_OpenAndFirstWordSearch(benchmark::State& state) {
    const std::string& path = CommentaryPath();
    const std::string word = SharedProse().Words()[500];
    for (auto _ : state) {
        TZBCommentaryModule module(path);
        TEntryIndexArray found;
        TZBSearchKeysData keys;
        module.SearchEntries(word, 0, found, -1, -1, keys);
        benchmark::DoNotOptimize(found.size());
    }
}
BENCHMARK(BM_OpenAndFirstWordSearch)->Unit(benchmark::kMillisecond);

void BM_WordSearch(benchmark::State& state) {
    TZBCommentaryModule module(CommentaryPath());
    const auto& words = SharedProse().Words();
    TEntryIndexArray found;
    TZBSearchKeysData keys;
    module.SearchEntries(words[0], 0, found, -1, -1, keys);
    size_t i = 0, hits = 0;
    for (auto _ : state) {
        keys.Nodes.clear();
        module.SearchEntries(words[i++ % 2000], 0, found, -1, -1, keys);
        hits += found.size();
    }
    state.counters["hits_per_search"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WordSearch)->Unit(benchmark::kMicrosecond);

void BM_PhraseSearch(benchmark::State& state) {
    TZBCommentaryModule module(CommentaryPath());
    const std::string phrase = SharedProse().Words()[3] + " " + SharedProse().Words()[7];
    TEntryIndexArray found;
    TZBSearchKeysData keys;
    for (auto _ : state) {
        keys.Nodes.clear();
        module.PhraseSearch(phrase, 0, found, -1, -1, keys);
        benchmark::DoNotOptimize(found.size());
    }
}
BENCHMARK(BM_PhraseSearch)->Unit(benchmark::kMillisecond);

void BM_FindEntry(benchmark::State& state) {
    TZBDictionaryModule module(DictionaryPath());
    const auto& words = SharedProse().Words();
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(module.FindEntry(words[(i++ * 7919) % words.size()]));
}
BENCHMARK(BM_FindEntry)->Unit(benchmark::kMicrosecond);

void BM_VerseEntries(benchmark::State& state) {
    TZBCommentaryModule module(CommentaryPath());
    for (auto _ : state) {
        size_t total = 0;
        for (int v = 0; v < kStandardVerseCount; ++v) total += module.GetVerseEntries(v).size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * kStandardVerseCount);
}
BENCHMARK(BM_VerseEntries)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kvx
