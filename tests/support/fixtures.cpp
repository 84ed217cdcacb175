// Test fixtures.
#include "tests/support/fixtures.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "platform/exception.h"

namespace kvx::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kvx-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string DefaultLibraryFolder(std::initializer_list<std::string_view> files) {
    namespace fs = std::filesystem;
    std::vector<fs::path> folders;
    if (const char* library = std::getenv("KVX_LIBRARY"); library && *library) folders.emplace_back(library);
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) folders.push_back(exe.parent_path());
    for (const fs::path& folder : folders) {
        bool complete = true;
        for (std::string_view file : files) complete = complete && fs::exists(folder / file, ec);
        if (complete) return (folder / "").string();
    }
    return {};
}

namespace {
TBibleModuleSource SourceOver(const TVersification& versification, const std::string& abbreviation) {
    TBibleModuleSource source;
    source.ModuleName = abbreviation + " Test Bible";
    source.Abbreviation = abbreviation;
    source.Versification = versification;
    for (const auto& book : versification.Books)
        for (size_t c = 0; c < book.VersesPerChapter.size(); ++c)
            for (int v = 1; v <= book.VersesPerChapter[c]; ++v)
                source.Verses.emplace_back(Format("Text of %s %zu:%d.", book.Abbreviation.c_str(), c + 1, v));
    source.InfoText = "<p>A test module.</p>";
    return source;
}
}  // namespace

TBibleModuleSource StandardBibleSource(const std::string& abbreviation) {
    return SourceOver(StandardVersification(), abbreviation);
}

TBibleModuleSource TinyBibleSource(const std::string& abbreviation) {
    TVersification v;
    v.Books.push_back({"First", "Fi", {3, 2}});
    v.Books.push_back({"Second", "Se", {3, 2}});
    return SourceOver(v, abbreviation);
}

std::string WriteBible(const TempDir& dir, const TBibleModuleSource& source) {
    std::string path = dir.File(source.Abbreviation + ".zb5bible");
    WriteBibleModule(source, path);
    return path;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kvx::test
