// kvx search, kvx suggest and kvx hits: Bible searches from the command line, with
// the same choices the Search Bible command makes.
#include <algorithm>
#include <iostream>

#include "engine/bible_module.h"
#include "engine/bible_search.h"
#include "engine/parse_words.h"
#include "engine/search_commands.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "refs/parse_refs.h"
#include "tools/kvx_cli.h"
#include "tools/kvx_resource.h"

namespace kvx::cli {
namespace {

uint32_t FlagsOf(const Args& args) {
    uint32_t flags = 0;
    if (args.Has("case")) flags |= kSearchMatchCase;
    if (args.Has("footnotes")) flags |= kSearchFootnotes;
    if (args.Has("fuzzy")) flags |= kSearchFuzzy;
    if (args.Has("substring")) flags |= kSearchSubstring;
    if (args.Has("stem")) flags |= kSearchStem;
    return flags;
}

// The search range: "all", "ot", "nt", or references, of which the span from the
// first to the last verse named is searched.
void RangeOf(const Args& args, const TZBBibleModule& bible, int& first, int& last) {
    first = last = -1;
    if (!args.Has("range")) return;
    const std::string text = args.Get("range");
    if (AnsiSameText(text, "all")) return;
    if (AnsiSameText(text, "ot")) {
        first = 1;
        last = std::min(kLastOldTestamentVerse, bible.VerseCount());
        return;
    }
    if (AnsiSameText(text, "nt")) {
        first = kFirstNewTestamentVerse;
        return;
    }
    int32_t stop = 0;
    TVerseRangeList ranges;
    ParseRefs(FromUtf8(text, bible.IsUTF8()), bible, stop, ranges);
    if (ranges.empty()) throw Exception(Format("Unrecognized search range: %s", text.c_str()));
    const TVerseRange span = SpanOf(ranges);
    first = span.First;
    last = span.Last;
}

// Runs the search that the text and options lead to.
TVerseList RunSearch(TZBBibleModule& bible, const Args& args, const std::string& query, TZBSearchKeysData& keys) {
    int first, last;
    RangeOf(args, bible, first, last);
    const std::string text = TrimSearchText(FromUtf8(query, bible.IsUTF8()));
    const TSearchPlan plan = PlanBibleSearch(text, MethodOf(args), FlagsOf(args));
    TVerseList verses;
    if (plan.Call == TSearchCall::PhraseQuery)
        bible.SearchPhraseQuery(text, plan.Flags, verses, last, first, keys);
    else
        bible.SearchQuery(text, plan.Flags, verses, last, first, keys);
    return verses;
}

int Search(const Args& args) {
    if (args.positional.empty()) throw UsageError{"QUERY is needed"};
    if (IsResourceModuleFile(args.positional[0])) return ResourceSearch(args);
    auto bible = OpenBible(args);
    TZBSearchKeysData keys;
    const TVerseList verses = RunSearch(*bible, args, JoinWords(args.positional, 0, args.positional.size()), keys);
    std::string out;
    for (uint16_t v : verses) {
        out += ToUtf8(bible->VerseReference(v), bible->IsUTF8());
        out += '\n';
    }
    std::cout << out << verses.size() << " verses\n";
    return 0;
}

int Suggest(const Args& args) {
    if (args.positional.size() != 1) throw UsageError{};
    auto bible = OpenBible(args);
    std::string word = FromUtf8(args.positional[0], bible->IsUTF8());
    for (const std::string& s : bible->Suggestions(word, 10)) std::cout << ToUtf8(s, bible->IsUTF8()) << "\n";
    return 0;
}

// N is a verse number or a reference to one verse.
int VerseOf(const std::string& text, const TZBBibleModule& bible) {
    if (!text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return text.size() > 6 ? -1 : std::stoi(text);
    int32_t stop = 0;
    TVerseRangeList ranges;
    ParseRefs(FromUtf8(text, bible.IsUTF8()), bible, stop, ranges);
    if (ranges.empty()) throw Exception(Format("Unrecognized verse reference: %s", text.c_str()));
    return ranges.front().First;
}

int Hits(const Args& args) {
    if (args.positional.size() < 2) throw UsageError{};
    auto bible = OpenBible(args);
    const int verse = VerseOf(args.positional.back(), *bible);
    TZBSearchKeysData keys;
    RunSearch(*bible, args, JoinWords(args.positional, 0, args.positional.size() - 1), keys);
    std::string text = bible->GetVerseText(verse, false, args.Has("footnotes"));
    MarkHits(text, BibleWordDelimiters, keys.Nodes, false, false, "]]", "[[");
    std::cout << ToUtf8(text, bible->IsUTF8()) << "\n";
    return 0;
}

const char* const kOptions = "[--range REF] [--any|--phrase] [--case] [--stem] [--fuzzy] [--substring] [--footnotes]";

Registrar search({"search", std::string("search --bible B ") + kOptions + " QUERY", {"bible", "library", "range"},
                  Search});
Registrar suggest({"suggest", "suggest --bible B WORD", {"bible", "library"}, Suggest});
Registrar hits({"hits", std::string("hits --bible B ") + kOptions + " QUERY N", {"bible", "library", "range"}, Hits});

}  // namespace
}  // namespace kvx::cli
