// Scratch files and the fixture Bible of the fuzz targets.
#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "engine/bible_module_writer.h"
#include "platform/exception.h"
#include "platform/file_util.h"

namespace kvx::fuzz {
namespace {

std::string ScratchFolder() {
    const char* shm = "/dev/shm";
    return std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path().string();
}

TBibleModuleSource StandardSource() {
    TBibleModuleSource source;
    source.ModuleName = "Fuzz Bible";
    source.Abbreviation = "KJV";
    source.Versification = StandardVersification();
    source.HasStrongs = source.HasFootnotes = source.HasSuppliedWords = true;
    const char* texts[] = {
        "In the beginning\x02" "07225 God\x02" "00430 created the heaven and the earth.",
        "And the earth was [without] form{Or, a waste}, and void.",
        "Jesus wept\x03" "01145.",
        "<<A Psalm of David.>> The LORD is my shepherd; I shall not want.",
        "For God so loved\x03" "00025 the world, that he gave his only begotten Son.",
    };
    for (int v = 0; v < source.Versification.VerseCount(); ++v)
        source.Verses.emplace_back(v % 97 == 3 ? std::optional<std::string>() : texts[v % 5]);
    return source;
}

}  // namespace

const std::string& ScratchFile(const uint8_t* data, size_t size, const char* extension) {
    static const std::string path = ScratchFolder() + "/kvx-fuzz-" + std::to_string(::getpid());
    static std::string withExtension;
    withExtension = path + extension;
    FILE* f = std::fopen(withExtension.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + withExtension);
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    return withExtension;
}

std::string StandardBibleBytes() { return BuildBibleModule(StandardSource()); }

TZBBibleModule& StandardBible() {
    static std::unique_ptr<TZBBibleModule> bible = [] {
        std::string path = ScratchFolder() + "/kvx-fuzz-bible-" + std::to_string(::getpid()) + ".zb5bible";
        WriteFileAtomically(path, StandardBibleBytes());
        auto module = std::make_unique<TZBBibleModule>(path);
        std::remove(path.c_str());  // the mapping keeps it alive
        return module;
    }();
    return *bible;
}

}  // namespace kvx::fuzz
