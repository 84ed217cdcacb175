// kvx entry, find, cites and build for resource modules (commentaries, books and
// dictionaries), and the resource-module side of kvx info and kvx search.
#include "tools/kvx_resource.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

#include "engine/bible_search.h"
#include "engine/search_commands.h"
#include "modules/build_progress.h"
#include "modules/module_export_file.h"
#include "modules/resource_builder.h"
#include "modules/resource_module.h"
#include "modules/resource_search.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "refs/parse_refs.h"
#include "render/export_procs.h"

namespace kvx::cli {

namespace {


// Stored text as terminal output: UTF-8, Unix line ends, ending in one.
std::string ShowText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    if (out.empty() || out.back() != '\n') out += '\n';
    return AnsiToUtf8(out);
}

// The reference Bible for parsing references: --bible, or the library's KJV.
std::unique_ptr<TZBBibleModule> ReferenceBible(const Args& args) {
    if (args.Has("bible")) return OpenBible(args);
    Args withKjv = args;
    withKjv.options["bible"] = "KJV";
    return OpenBible(withKjv);
}

// Titles by entry number. A book's titles line up with its entries; a
// commentary's name only the entries with text, in entry order.
class EntryTitles {
public:
    explicit EntryTitles(const TZBDictionaryModule& module) : titles_(module.EntryTitles()) {
        commentary_ = module.IsCommentary();
        if (!commentary_) return;
        if (const auto* c = dynamic_cast<const TZBCommentaryModule*>(&module))
            for (int e = 0; e < module.EntryCount(); ++e)
                if (c->EntryHasText(e)) withText_.push_back(e);
        // Titles that do not match the entries are not shown against them.
        if (withText_.size() != titles_.size()) withText_.clear();
    }
    std::string Title(int entry) const {
        if (!commentary_)
            return entry >= 0 && static_cast<size_t>(entry) < titles_.size() ? titles_[static_cast<size_t>(entry)]
                                                                              : Format("#%d", entry);
        auto it = std::lower_bound(withText_.begin(), withText_.end(), entry);
        if (it == withText_.end() || *it != entry) return Format("#%d", entry);
        return titles_[static_cast<size_t>(it - withText_.begin())];
    }
    // The entry that title k belongs to, or -1.
    int EntryOfTitle(size_t k) const {
        if (k >= titles_.size()) return -1;
        if (!commentary_) return static_cast<int>(k);
        return k < withText_.size() ? withText_[k] : -1;
    }
    const std::vector<std::string>& All() const { return titles_; }

private:
    const std::vector<std::string>& titles_;
    bool commentary_ = false;
    std::vector<int> withText_;
};


const char* OriginName(TModuleOrigin origin) {
    switch (origin) {
        case TModuleOrigin::Publisher: return "publisher";
        case TModuleOrigin::User: return "user";
        case TModuleOrigin::Builder: break;
    }
    return "builder";
}

// "#N": an entry number; -1 when text is not of that form.
int EntryNumberOf(const std::string& text) {
    if (text.size() < 2 || text.size() > 7 || text[0] != '#') return -1;
    if (!std::all_of(text.begin() + 1, text.end(), [](char c) { return c >= '0' && c <= '9'; })) return -1;
    return std::stoi(text.substr(1));
}

// The verse ranges a reference names, or raises.
TVerseRangeList ParseReference(const std::string& text, const TZBBibleModule& bible) {
    int32_t stop = 0;
    TVerseRangeList ranges;
    ParseRefs(FromUtf8(text, false), bible, stop, ranges);
    if (ranges.empty()) throw Exception(Format("Unrecognized verse reference: %s", text.c_str()));
    return ranges;
}

int Entry(const Args& args) {
    if (args.positional.size() != 2) throw UsageError{};
    auto module = OpenResourceModule(args.positional[0]);
    const std::string& key = args.positional[1];
    int entry = EntryNumberOf(key);
    if (entry < 0) {
        const EntryTitles titles(*module);
        const std::string title = FromUtf8(key, false);
        const auto& all = titles.All();
        auto it = std::find(all.begin(), all.end(), title);
        if (it == all.end())
            it = std::find_if(all.begin(), all.end(), [&](const std::string& t) { return AnsiSameText(t, title); });
        if (it != all.end()) {
            entry = titles.EntryOfTitle(static_cast<size_t>(it - all.begin()));
        } else if (module->IsCommentary()) {
            auto bible = ReferenceBible(args);
            int32_t stop = 0;
            TVerseRangeList ranges;
            ParseRefs(title, *bible, stop, ranges);
            if (!ranges.empty()) entry = ranges.front().First - 1;
        }
        if (entry < 0)
            throw Exception(Format("No entry titled \"%s\" in %s.", key.c_str(), module->Abbreviation().c_str()));
    }
    const std::string text = module->GetEntryText(entry);
    if (args.Has("plain"))
        std::cout << PlainTextToUtf8(ConvertEntryText(text, true, true, true));
    else
        std::cout << ShowText(text);
    return 0;
}

int Find(const Args& args) {
    if (args.positional.size() != 2) throw UsageError{};
    auto module = OpenResourceModule(args.positional[0]);
    const EntryTitles titles(*module);
    const int found = module->FindEntry(FromUtf8(args.positional[1], false));
    // FindEntry answers with a position in the titles; a commentary's titles name
    // only its entries with text, so the position is turned into the entry number.
    const int entry = found < 0 ? -1 : titles.EntryOfTitle(static_cast<size_t>(found));
    if (entry < 0) throw Exception(Format("%s has no entries to find.", module->Abbreviation().c_str()));
    std::cout << entry << "\t" << AnsiToUtf8(titles.All()[static_cast<size_t>(found)]) << "\n";
    return 0;
}

int Cites(const Args& args) {
    if (args.positional.size() < 2) throw UsageError{};
    auto module = OpenResourceModule(args.positional[0]);
    auto bible = ReferenceBible(args);
    const std::string reference = JoinWords(args.positional, 1, args.positional.size());
    const EntryTitles titles(*module);
    std::string out;
    for (const TVerseRange& r : ParseReference(reference, *bible)) {
        for (int v = std::max(r.First, 1); v <= r.Last && v <= bible->VerseCount(); ++v) {
            out += AnsiToUtf8(bible->VerseReference(v));
            for (uint16_t e : module->GetVerseEntries(v - 1)) out += "\t" + AnsiToUtf8(titles.Title(e));
            out += '\n';
        }
    }
    std::cout << out;
    return 0;
}

// The search range of a resource module. A commentary's: "all", "ot", "nt" or
// references; a book's: entry numbers "N-M" (or "#N-#M") or one entry.
void ResourceRange(const Args& args, const TZBDictionaryModule& module, int& first, int& last) {
    first = last = -1;
    if (!args.Has("range")) return;
    const std::string text = args.Get("range");
    if (AnsiSameText(text, "all")) return;
    if (module.IsCommentary()) {
        if (AnsiSameText(text, "ot")) {
            first = 0;
            last = kLastOldTestamentVerse - 1;
            return;
        }
        if (AnsiSameText(text, "nt")) {
            first = kFirstNewTestamentVerse - 1;
            return;
        }
        auto bible = ReferenceBible(args);
        const TVerseRange span = SpanOf(ParseReference(text, *bible));
        first = span.First - 1;
        last = span.Last - 1;
        return;
    }
    const size_t dash = text.find('-');
    auto number = [&](std::string part) {
        if (!part.empty() && part[0] == '#') part.erase(0, 1);
        if (part.empty() || part.size() > 6 || !std::all_of(part.begin(), part.end(), [](char c) {
                return c >= '0' && c <= '9';
            }))
            throw Exception(Format("Unrecognized search range: %s", text.c_str()));
        return std::stoi(part);
    };
    first = number(text.substr(0, dash));
    last = dash == std::string::npos ? first : number(text.substr(dash + 1));
    if (last < first) std::swap(first, last);
}

// Prints the passes and a bar of tens of percent on the terminal's error stream.
class TerminalProgress : public TBuildProgress {
public:
    ~TerminalProgress() override { EndLine(); }
    void SetPassText(const std::string& text) override {
        EndLine();
        std::cerr << text;
        open_ = true;
    }
    void SetDetailText(const std::string&) override {}
    void SetRange(int min, int max) override {
        min_ = min;
        max_ = max > min ? max : min + 1;
        shown_ = 0;
    }
    void SetPosition(int pos) override {
        const long long tens = (static_cast<long long>(pos) - min_) * 10 / (max_ - min_);
        while (shown_ < tens && shown_ < 10) {
            ++shown_;
            std::cerr << ' ' << shown_ * 10 << '%';
        }
    }

private:
    void EndLine() {
        if (open_) std::cerr << '\n';
        open_ = false;
    }
    int min_ = 0, max_ = 1;
    long long shown_ = 0;
    bool open_ = false;
};

int Build(const Args& args) {
    if (args.positional.size() != 2) throw UsageError{};
    if (args.Has("commentary") && args.Has("book")) throw UsageError{"--commentary and --book exclude each other"};
    const std::string seedName = args.Get("seed", "user");
    if (seedName != "user" && seedName != "builder") throw UsageError{"--seed is user or builder"};
    const uint32_t seed = seedName == "user" ? kUserModuleSeed : kBuilderSeed;

    const TModuleExportFile file = ReadModuleExportFile(args.positional[0]);
    bool commentary = file.Kind == TExportFileKind::Commentary;
    if (args.Has("commentary") || args.Has("book"))
        commentary = args.Has("commentary");
    else if (file.Kind == TExportFileKind::Unknown)
        throw UsageError{"the file does not say whether it holds a commentary or a book: give --commentary or --book"};

    auto bible = ReferenceBible(args);
    const std::string folder = args.positional[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::vector<std::string> log;
    TerminalProgress progress;
    try {
        BuildResourceModule(&log, nullptr, commentary, &progress, *bible, folder, seed, true, "",
                            seed == kUserModuleSeed ? "USERMOD" : "", file.Abbreviation, file.Title, file.Entries);
    } catch (...) {
        for (const std::string& line : log) std::cout << AnsiToUtf8(line) << "\n";
        throw;
    }
    for (const std::string& line : log) std::cout << AnsiToUtf8(line) << "\n";
    return 0;
}

}  // namespace

int ResourceInfo(const Args& args) {
    if (args.positional.size() != 1) throw UsageError{};
    auto module = OpenResourceModule(args.positional[0]);
    std::cout << "name: " << AnsiToUtf8(module->ModuleName()) << "\n"
              << "abbreviation: " << AnsiToUtf8(module->Abbreviation()) << "\n"
              << "code: " << AnsiToUtf8(module->ModuleCode()) << "\n"
              << "kind: " << (module->IsCommentary() ? "commentary" : "book") << "\n"
              << "entries: " << module->EntryCount() << "\n"
              << "words: " << module->WordCount() << "\n"
              << "verse-index: " << YesNo(module->HasVerseIndex()) << "\n"
              << "origin: " << OriginName(module->Origin()) << "\n"
              << "read-only: " << YesNo(module->ReadOnly()) << "\n";
    return 0;
}

int ResourceSearch(const Args& args) {
    if (args.Has("footnotes")) throw UsageError{"--footnotes is for Bibles"};
    const TSearchMethod method = MethodOf(args);
    if (args.positional.size() < 2) throw UsageError{"QUERY is needed"};
    auto module = OpenResourceModule(args.positional[0]);
    const std::string text = TrimSearchText(FromUtf8(JoinWords(args.positional, 1, args.positional.size()), false));
    if (text.empty()) throw UsageError{"QUERY is needed"};

    uint32_t options = 0;
    if (args.Has("case")) options |= kResourceSearchMatchCase;
    if (args.Has("fuzzy")) options |= kResourceSearchFuzzy;
    if (args.Has("substring")) options |= kResourceSearchSubstring;
    if (args.Has("stem")) options |= kResourceSearchStem;
    int first, last;
    ResourceRange(args, *module, first, last);

    const TSearchPlan plan = PlanBibleSearch(text, method, 0);
    TEntryIndexArray entries;
    TZBSearchKeysData keys;
    if (plan.Call == TSearchCall::PhraseQuery) {
        module->PhraseSearch(text, options, entries, last, first, keys);
    } else {
        if (plan.Flags & kSearchAnyWord) options |= kResourceSearchAnyWord;
        module->SearchEntries(text, options, entries, last, first, keys);
    }
    const EntryTitles titles(*module);
    std::string out;
    for (uint16_t e : entries) out += AnsiToUtf8(titles.Title(e)) + "\n";
    std::cout << out << entries.size() << " entries\n";
    return 0;
}

namespace {

Registrar entryCommand({"entry", "entry FILE TITLE|#N|REF [--bible B] [--plain]", {"bible", "library"}, Entry});
Registrar findCommand({"find", "find FILE TEXT", {}, Find});
Registrar citesCommand({"cites", "cites FILE REF [--bible B]", {"bible", "library"}, Cites});
Registrar buildCommand({"build", "build [--commentary|--book] [--seed user|builder] [--bible B] EXPORTFILE OUTDIR",
                        {"seed", "bible", "library"}, Build});

}  // namespace
}  // namespace kvx::cli
