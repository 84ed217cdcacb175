// Entry text with verse links on its way into a module and back out.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/exception.h"
#include "refs/verse_links.h"

// The fixture Bible is built before the clock of the first input starts.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kvx::fuzz::StandardBible();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kvx;
    TZBBibleModule& bible = fuzz::StandardBible();
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string messages;
    // One index for every run: making 31102 fresh lists per input would be most of
    // the run's time.
    static TVerseIndexLists index;
    for (TEntryIndexArray& list : index) list.clear();
    try {
        ParseVerseLinks(text, bible, 7, messages, index);
    } catch (const Exception&) {
        // A stored link whose items are not numbers aborts the build with a message.
    }
    (void)VerseLinksToScriprefs(text);
    return 0;
}
