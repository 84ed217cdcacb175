// A Strong's data file from anywhere: every look-up stays inside the file.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "modules/strongs_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kvx;
    const std::string& path = fuzz::ScratchFile(data, size, ".zb4");
    try {
        TZBStrongsDataModule strongs(path);
        size_t total = 0;
        for (int n = 0; n <= 8675; ++n) total += strongs.HebrewWord(n).size() + strongs.HebrewTransliteration(n).size();
        for (int n = 0; n <= 5625; ++n) total += strongs.GreekWord(n).size() + strongs.GreekTransliteration(n).size();
        (void)total;
    } catch (const ESCreateError&) {
    }
    return 0;
}
