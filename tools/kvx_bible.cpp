// kvx info and kvx verse for Bible modules.
#include <iostream>

#include "engine/bible_module.h"
#include "engine/module_hash.h"
#include "engine/parse_words.h"
#include "tools/kvx_cli.h"
#include "tools/kvx_resource.h"

namespace kvx::cli {
namespace {

int Info(const Args& args) {
    if (args.positional.size() != 1) throw UsageError{};
    if (IsResourceModuleFile(args.positional[0])) return ResourceInfo(args);
    TZBBibleModule bible(args.positional[0]);
    std::cout << "name: " << ToUtf8(bible.ModuleName(), bible.IsUTF8()) << "\n"
              << "abbreviation: " << ToUtf8(bible.Abbreviation(), bible.IsUTF8()) << "\n"
              << "books: " << bible.BookCount() << "\n"
              << "verses: " << bible.VerseCount() << "\n"
              << "strongs: " << YesNo(bible.HasStrongs()) << "\n"
              << "footnotes: " << YesNo(bible.HasFootnotes()) << "\n"
              << "supplied: " << YesNo(bible.HasSuppliedWords()) << "\n"
              << "utf8: " << YesNo(bible.IsUTF8()) << "\n"
              << "origin: " << (bible.HeaderHash(kPublisherSeed) == bible.StoredHash() ? "publisher" : "builder")
              << "\n";
    return 0;
}

// Strong's markers as <H07225>, so they can be read on a terminal.
std::string ShowMarkers(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == kHebrewStrongsMarker || c == kGreekStrongsMarker) {
            out += c == kHebrewStrongsMarker ? "<H" : "<G";
            out += text.substr(i + 1, kStrongsMarkerDigits);
            out += '>';
            i += kStrongsMarkerDigits;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int Verse(const Args& args) {
    if (args.positional.size() != 2) throw UsageError{};
    TZBBibleModule bible(args.positional[0]);
    int verse = 0;
    try {
        verse = std::stoi(args.positional[1]);
    } catch (...) {
        throw UsageError{"N must be a verse number"};
    }
    std::string text = bible.GetVerseText(verse, args.Has("strongs"), args.Has("footnotes"));
    std::cout << ToUtf8(bible.VerseReference(verse), bible.IsUTF8()) << "\t" << ToUtf8(ShowMarkers(text), bible.IsUTF8()) << "\n";
    return 0;
}

Registrar info({"info", "info FILE", {}, Info});
Registrar verse({"verse", "verse FILE N [--strongs] [--footnotes]", {}, Verse});

}  // namespace
}  // namespace kvx::cli
