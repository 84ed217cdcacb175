// Whatever a user types into the search box, with every combination of search options.
#include <cstdint>
#include <string>

#include "engine/parse_words.h"
#include "fuzz/fuzz_support.h"
#include "platform/exception.h"

// The fixture Bible is built before the clock of the first input starts.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kvx::fuzz::StandardBible();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kvx;
    if (size < 1) return 0;
    TZBBibleModule& bible = fuzz::StandardBible();
    const uint32_t flags = data[0] & 0x3F;
    std::string query(reinterpret_cast<const char*>(data + 1), size - 1);
    (void)TokenizeQuery(query, SearchOperatorChars);
    TVerseList verses;
    TZBSearchKeysData keys;
    try {
        bible.SearchQuery(query, flags, verses, flags & 1 ? 2000 : -1, flags & 2 ? 1500 : -1, keys);
        if (!verses.empty()) {
            std::string text = bible.GetVerseText(verses[0], false, false);
            MarkHits(text, BibleWordDelimiters, keys.Nodes, false, false, "]]", "[[");
        }
        bible.SearchPhraseQuery(query, flags, verses, -1, -1, keys);
    } catch (const Exception&) {
        // "IndexList nil" and friends are messages, not crashes.
    }
    return 0;
}
