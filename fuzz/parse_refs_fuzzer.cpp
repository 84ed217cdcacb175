// Whatever a user pastes into the reference box.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "refs/parse_refs.h"

// The fixture Bible is built before the clock of the first input starts.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kvx::fuzz::StandardBible();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kvx;
    TZBBibleModule& bible = fuzz::StandardBible();
    std::string text(reinterpret_cast<const char*>(data), size);
    int32_t stop = 0;
    TVerseRangeList ranges;
    ParseRefs(text, bible, stop, ranges);
    TVerseList verses;
    for (const TVerseRange& r : ranges) {
        (void)bible.VerseReference(r.First);
        if (r.First >= 1 && r.Last <= bible.VerseCount() && r.First <= r.Last && r.Last - r.First < 64)
            for (int v = r.First; v <= r.Last; ++v) verses.push_back(static_cast<uint16_t>(v));
    }
    (void)bible.FormatVerseRanges(ranges);
    (void)FormatVerseList(bible, verses);
    return 0;
}
