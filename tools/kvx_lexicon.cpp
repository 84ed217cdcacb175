// kvx lexicon: a Strong's number's Hebrew or Greek word, its transliteration and its
// lexicon article, from the library.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/startup_files.h"
#include "modules/resource_module.h"
#include "modules/strongs_data.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "render/export_procs.h"
#include "tools/kvx_cli.h"

namespace kvx::cli {
namespace {

// The lexicon book of the library that carries the module code, as the program
// finds its special modules; the last one in file-name order wins.
std::unique_ptr<TZBDictionaryModule> FindLexicon(const std::string& library, const std::string& code) {
    std::unique_ptr<TZBDictionaryModule> found;
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(library) / kModulesFolder, ec))
        if (entry.path().extension() == ".zb5book") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        try {
            auto book = std::make_unique<TZBDictionaryModule>(file.string());
            if (book->ModuleCode() == code) found = std::move(book);
        } catch (const Exception&) {
            // A damaged module is skipped, as the program skips it.
        }
    }
    return found;
}

int Lexicon(const Args& args) {
    if (args.positional.size() != 1) throw UsageError{};
    const std::string key = args.positional[0];
    const bool hebrew = !key.empty() && (key[0] == 'H' || key[0] == 'h');
    const bool greek = !key.empty() && (key[0] == 'G' || key[0] == 'g');
    int n = 0;
    try {
        size_t used = 0;
        n = std::stoi(key.substr(1), &used);
        if (used != key.size() - 1) n = 0;
    } catch (...) {
        n = 0;
    }
    if ((!hebrew && !greek) || n < 1) throw UsageError{"give a Strong's number such as H7225 or G26"};

    const std::string library = LibraryFolder(args);
    TZBStrongsDataModule strongs((std::filesystem::path(library) / kStrongsDataFile).string());
    std::cout << (hebrew ? strongs.HebrewWord(n) : strongs.GreekWord(n)) << "\t"
              << (hebrew ? strongs.HebrewTransliteration(n) : strongs.GreekTransliteration(n)) << "\n";

    auto lexicon = FindLexicon(library, hebrew ? "StrHeb" : "StrGrk");
    if (lexicon && n <= lexicon->EntryCount())
        std::cout << PlainTextToUtf8(LexiconPlainText(lexicon->GetEntryText(n - 1))) << "\n";
    return 0;
}

Registrar lexicon({"lexicon", "lexicon H7225|G26 [--library DIR]", {"library"}, Lexicon});

}  // namespace
}  // namespace kvx::cli
