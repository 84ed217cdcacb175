// A commentary or book module from anywhere: open it both ways, read every entry,
// title, posting and verse-index record, and search it.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "modules/resource_module.h"
#include "platform/exception.h"

namespace {

template <class Module>
void Exercise(const std::string& path) {
    using namespace kvx;
    try {
        Module module(path);
        for (int e = -1; e <= module.EntryCount(); ++e) {
            try {
                (void)module.GetEntryText(e);
            } catch (const Exception&) {
            }
        }
        (void)module.FindEntry("abraham");
        (void)module.FindEntry("");
        TBooleanArray marks(module.EntryCount());
        for (int v = -1; v <= 31102; ++v) {
            if (!module.VerseHasEntries(v)) continue;
            (void)module.GetVerseEntries(v);
            module.MarkVerseEntries(v, marks);
        }
        try {
            const TZBWordIndex& words = module.WordList();
            for (size_t i = 0; i < words.Size(); ++i) {
                const TPostingList& p = words.Postings(i);
                for (uint32_t k = 0; k < p.Count; ++k) (void)p[k];
            }
            TEntryIndexArray entries;
            TZBSearchKeysData keys;
            module.SearchEntries("lo* | \"the earth\" ! ~lord", 0, entries, -1, -1, keys);
            module.PhraseSearch("in the", 0, entries, -1, -1, keys);
        } catch (const Exception&) {
        }
    } catch (const Exception&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = kvx::fuzz::ScratchFile(data, size, ".zb5cmty");
    Exercise<kvx::TZBDictionaryModule>(path);
    Exercise<kvx::TZBCommentaryModule>(path);
    return 0;
}
