// A settings file after a crash, a bad disk or a hostile hand: read it over the
// defaults, write it back, read that again.
#include <cstdint>
#include <string_view>

#include "app/settings.h"
#include "platform/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kvx;
    TProfileFile file = TProfileFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    TSettings settings;
    LoadSettings(settings, file);
    TProfileFile written;
    StoreSettings(settings, written);
    TSettings again;
    LoadSettings(again, written);
    // What was written must read back to the same settings: nothing is lost on the way.
    TProfileFile rewritten;
    StoreSettings(again, rewritten);
    if (rewritten.Text() != written.Text()) __builtin_trap();
    return 0;
}
