// A Bible module from anywhere: open it, read every verse, name and word list.
#include <cstdint>

#include "engine/bible_module.h"
#include "fuzz/fuzz_support.h"
#include "platform/exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kvx;
    const std::string& path = fuzz::ScratchFile(data, size, ".zb5bible");
    try {
        TZBBibleModule bible(path);
        for (int v = 0; v <= bible.VerseCount() + 1; ++v) {
            (void)bible.VerseReference(v);
            int b, c, vc;
            bible.DecodeVerse(v, b, c, vc);
            (void)bible.VerseNumber(b, c, vc);
            try {
                (void)bible.GetVerseText(v, v % 2 == 0, v % 3 == 0);
            } catch (const Exception&) {
            }
        }
        for (int b = 0; b <= bible.BookCount() + 1; ++b) (void)bible.BookHasText(b);
        (void)bible.FormatVerseRanges({{1, bible.VerseCount()}, {2, 1}});
        for (auto list : {&TZBBibleModule::MainWordList, &TZBBibleModule::StrongsList, &TZBBibleModule::FootnoteWordList}) {
            try {
                const TZBWordIndex* index = (bible.*list)();
                if (!index) continue;
                for (size_t i = 0; i < index->Size(); ++i) {
                    const TPostingList& p = index->Postings(i);
                    for (uint32_t k = 0; k < p.Count; ++k) (void)p[k];
                }
            } catch (const Exception&) {
            }
        }
        TVerseList verses;
        TZBSearchKeysData keys;
        try {
            bible.SearchQuery("a* | \"the earth\" ! ~lord", 0, verses, -1, -1, keys);
        } catch (const Exception&) {
        }
    } catch (const Exception&) {
    }
    return 0;
}
