// kvx refs, kvx read and kvx links: typed references and verse links from the command line.
#include <iostream>
#include <iterator>

#include "engine/bible_module.h"
#include "platform/ansi_text.h"
#include "refs/parse_refs.h"
#include "refs/verse_links.h"
#include "tools/kvx_cli.h"

namespace kvx::cli {
namespace {

// The words of the command line read as one reference, so "Ge 1:1" may be given quoted
// or not.
TVerseRangeList ParseArguments(const Args& args, const TZBBibleModule& bible, int32_t& stop) {
    if (args.positional.empty()) throw UsageError{};
    TVerseRangeList ranges;
    ParseRefs(FromUtf8(JoinWords(args.positional, 0, args.positional.size()), bible.IsUTF8()), bible, stop, ranges);
    return ranges;
}

int Refs(const Args& args) {
    auto bible = OpenBible(args);
    int32_t stop = 0;
    const TVerseRangeList ranges = ParseArguments(args, *bible, stop);
    std::cout << ToUtf8(bible->FormatVerseRanges(ranges), bible->IsUTF8()) << "\nstop: " << stop << "\n";
    return 0;
}

int Read(const Args& args) {
    auto bible = OpenBible(args);
    int32_t stop = 0;
    const TVerseRangeList ranges = ParseArguments(args, *bible, stop);
    if (ranges.empty()) {
        std::cerr << "Unrecognized verse reference.\n";
        return 1;
    }
    for (const TVerseRange& range : ranges)
        for (int verse = range.First; verse <= range.Last; ++verse)
            std::cout << ToUtf8(bible->VerseReference(verse), bible->IsUTF8()) << "\t"
                      << ToUtf8(bible->GetVerseText(verse, false, false), bible->IsUTF8()) << "\n";
    return 0;
}

int Links(const Args& args) {
    if (!args.positional.empty()) throw UsageError{};
    auto bible = OpenBible(args);
    // Entry text is Windows-1252 whatever the Bible's code page.
    std::string text = Utf8ToAnsi(std::string(std::istreambuf_iterator<char>(std::cin), {}));
    std::string messages;
    TVerseIndexLists index;
    const uint16_t entry = 0;
    ParseVerseLinks(text, *bible, entry, messages, index);
    TVerseList verses;
    for (size_t v = 0; v < index.size(); ++v)
        if (!index[v].empty()) verses.push_back(static_cast<uint16_t>(v + 1));
    std::string out = AnsiToUtf8(text);
    if (!out.empty() && out.back() != '\n') out += '\n';
    std::cout << out << "verses: " << ToUtf8(FormatVerseList(*bible, verses), bible->IsUTF8()) << "\n";
    if (!messages.empty()) std::cerr << AnsiToUtf8(messages) << "\n";
    return 0;
}

Registrar refsCommand({"refs", "refs --bible PATH|ABBREV TEXT", {"bible", "library"}, Refs});
Registrar readCommand({"read", "read --bible PATH|ABBREV REF...", {"bible", "library"}, Read});
Registrar linksCommand({"links", "links --bible PATH|ABBREV < ENTRY.html", {"bible", "library"}, Links});

}  // namespace
}  // namespace kvx::cli
