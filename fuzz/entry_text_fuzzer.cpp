// Entry mark-up from a module on its way to the clipboard, an export or a pop-up.
#include <cstdint>
#include <string>

#include "render/export_procs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kvx;
    if (size < 1) return 0;
    const uint8_t switches = data[0];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string converted = ConvertEntryText(text, switches & 1, switches & 2, switches & 4);
    (void)PlainTextToUtf8(converted);
    (void)LexiconPlainText(text);
    return 0;
}
