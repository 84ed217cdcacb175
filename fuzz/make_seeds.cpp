// Writes the seed corpora of the fuzz targets from the project's own fixtures:
// make_seeds DIR creates DIR/<target>/ with a few valid inputs each.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/settings.h"
#include "engine/bible_module_writer.h"
#include "fuzz/fuzz_support.h"
#include "modules/resource_builder.h"
#include "modules/strongs_data_writer.h"
#include "platform/file_util.h"
#include "platform/profile_file.h"

namespace {

void Write(const std::filesystem::path& dir, const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kvx;
    if (argc != 2) {
        std::cerr << "usage: make_seeds DIR\n";
        return 2;
    }
    const std::filesystem::path root = argv[1];

    // A small Bible keeps the fuzzer's runs fast; the full one shows real sizes.
    TBibleModuleSource tiny;
    tiny.ModuleName = "Tiny";
    tiny.Abbreviation = "TNY";
    tiny.Versification.Books.push_back({"First", "Fi", {3, 2}});
    tiny.Versification.Books.push_back({"Second", "Se", {1}});
    tiny.HasStrongs = tiny.HasFootnotes = true;
    tiny.Verses = {"In the beginning\x02" "07225 God", "and{a note} the earth", std::nullopt, "Jesus wept\x03" "01145",
                   "love", "the end"};
    Write(root / "bible_module", "tiny.zb5bible", BuildBibleModule(tiny));

    // A book and a commentary with verse links, so the verse index has something in it.
    const std::string scratch = (std::filesystem::temp_directory_path() / "kvx-make-seeds").string();
    std::filesystem::create_directories(scratch);
    TResourceEntryList topics = {
        {"AARON", std::vector<std::string>{"<p>Brother of Moses, <scripref>Ex 4:14</scripref>.</p>"}},
        {"ABRAHAM", std::vector<std::string>{"Father of the faithful; <scripref>Ge 12:1-3; Ro 4</scripref>"}},
        {"EMPTY", std::nullopt},
    };
    BuildResourceModule(nullptr, nullptr, false, nullptr, fuzz::StandardBible(), scratch, kBuilderSeed, true,
                        "<p>Topics.</p>", "", "TOP", "Topics", topics);
    TResourceEntryList comments = {
        {"Ge 1:1", std::vector<std::string>{"In the beginning: compare <scripref>Joh 1:1-3</scripref>."}},
        {"Ge 1:3", std::vector<std::string>{"<b>Light</b> <scripref>1Jo 5:20</scripref>"}},
    };
    BuildResourceModule(nullptr, nullptr, true, nullptr, fuzz::StandardBible(), scratch, kBuilderSeed, false,
                        "", "", "CMT", "Comments", comments);
    Write(root / "resource_module", "book", ReadWholeFile(ResourceModuleFileName(scratch, "TOP", false)));
    Write(root / "resource_module", "commentary", ReadWholeFile(ResourceModuleFileName(scratch, "CMT", true)));
    std::filesystem::remove_all(scratch);

    std::vector<TStrongsEntry> hebrew(40, {"\u05D0\u05D1", "ab"}), greek(30, {"\u03B1\u03B3", "ag"});
    Write(root / "strongs_data", "stgdat.zb4", BuildStrongsData(hebrew, greek));

    TSettings settings;
    TProfileFile file;
    StoreSettings(settings, file);
    Write(root / "settings", "defaults", file.Text());
    Write(root / "settings", "small", "[Bible Text]\nColumnMode=0\nBackgroundColor=-16777211\n[MRUs]\nItem0=Ge 1:1\n");

    const char* refs[] = {"Ge 1:1-3,5; 2:1-3:4", "1 Co 13", "jn 3:16", "Ps 119:1-176", "Re 22", "song 2:1, 4-5",
                          "ex 3:14-4:2; Ro 8:28"};
    int n = 0;
    for (const char* r : refs) Write(root / "parse_refs", "r" + std::to_string(n++), r);

    // The first byte of a query input holds the search flags.
    const std::pair<char, const char*> queries[] = {{0x00, "love"},          {0x00, "faith & hope | charity"},
                                                    {0x10, "=love ! ~shepard"}, {0x00, "\"in the beginning\""},
                                                    {0x08, "proph* l?ve *eth"}, {0x00, "G3056 H430"},
                                                    {0x20, "(a | b) ^ c"}};
    n = 0;
    for (const auto& [flags, q] : queries) Write(root / "query", "q" + std::to_string(n++), std::string(1, flags) + q);

    const char* entries[] = {
        "<scripref>Ge 1:1-3; Ex 3:14</scripref> and <vrl:1+2,5DE>Ge 1:1-3</vrl>",
        "<p>One</p><p>Two &amp; three <zbgreek>&#945;</zbgreek></p><blockquote>q</blockquote>",
        "<html><head></head><body>\n<p><zbhebrew>&#1488;</zbhebrew> See Hebrew 1</p></body></html>",
    };
    // The first byte of an entry-text input holds the three conversion switches.
    for (int k = 0; k < 3; ++k) {
        Write(root / "verse_links", "e" + std::to_string(k), entries[k]);
        Write(root / "entry_text", "e" + std::to_string(k), std::string(1, static_cast<char>(k + 1)) + entries[k]);
    }
    return 0;
}
