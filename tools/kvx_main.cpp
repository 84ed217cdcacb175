// kvx: inspect modules, read and search Bibles, build the library from the command line.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/startup_files.h"
#include "engine/bible_module.h"
#include "platform/ansi_text.h"
#include "platform/exception.h"
#include "platform/user_folders.h"
#include "tools/kvx_cli.h"

namespace kvx::cli {

namespace {
std::map<std::string, Command>& Registry() {
    static std::map<std::string, Command> registry;
    return registry;
}
}  // namespace

Registrar::Registrar(Command command) {
    std::string name = command.name;
    Registry().emplace(std::move(name), std::move(command));
}

const std::map<std::string, Command>& Commands() { return Registry(); }

std::string LibraryFolder(const Args& args) {
    if (args.Has("library")) return args.Get("library");
    if (const char* home = std::getenv("KARVELINDORAX_HOME"); home && *home) return home;
    const std::string exe = ProgramPath();
    return exe.empty() ? std::string(".") : std::filesystem::path(exe).parent_path().string();
}

std::unique_ptr<TZBBibleModule> OpenBible(const Args& args) {
    std::string name = args.Get("bible");
    if (name.empty()) throw UsageError{"--bible is needed"};
    if (std::filesystem::exists(name) || name.find('/') != std::string::npos)
        return std::make_unique<TZBBibleModule>(name);
    const std::filesystem::path modules = std::filesystem::path(LibraryFolder(args)) / kModulesFolder;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(modules, ec)) {
        if (entry.path().extension() != ".zb5bible") continue;
        if (AnsiSameText(entry.path().stem().string(), name)) return std::make_unique<TZBBibleModule>(entry.path().string());
    }
    // Not a file name: look inside the modules for the abbreviation.
    for (const auto& entry : std::filesystem::directory_iterator(modules, ec)) {
        if (entry.path().extension() != ".zb5bible") continue;
        try {
            auto bible = std::make_unique<TZBBibleModule>(entry.path().string());
            if (AnsiSameText(bible->Abbreviation(), name)) return bible;
        } catch (const std::exception&) {
            // A damaged module is not the one asked for.
        }
    }
    throw Exception(Format("No Bible \"%s\" in %s.", name.c_str(), modules.string().c_str()));
}

std::string ToUtf8(const std::string& text, bool isUtf8) { return isUtf8 ? text : AnsiToUtf8(text); }
std::string FromUtf8(const std::string& text, bool isUtf8) { return isUtf8 ? text : Utf8ToAnsi(text, false); }

std::string JoinWords(const std::vector<std::string>& words, size_t begin, size_t end) {
    std::string text;
    for (size_t i = begin; i < end; ++i) {
        if (!text.empty()) text += ' ';
        text += words[i];
    }
    return text;
}

const char* YesNo(bool b) { return b ? "yes" : "no"; }

TSearchMethod MethodOf(const Args& args) {
    if (args.Has("any") && args.Has("phrase")) throw UsageError{"--any and --phrase exclude each other"};
    return args.Has("any") ? TSearchMethod::Any : args.Has("phrase") ? TSearchMethod::Phrase : TSearchMethod::All;
}

TVerseRange SpanOf(const TVerseRangeList& ranges) {
    TVerseRange span = ranges.front();
    for (const TVerseRange& r : ranges) {
        span.First = std::min(span.First, r.First);
        span.Last = std::max(span.Last, r.Last);
    }
    return span;
}

}  // namespace kvx::cli

namespace {

void PrintUsage(std::ostream& out) {
    out << "usage: kvx COMMAND [ARGS...]\n\ncommands:\n";
    for (const auto& [name, command] : kvx::cli::Commands()) out << "  kvx " << command.usage << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kvx::cli;
    if (argc < 2 || std::string(argv[1]) == "help" || std::string(argv[1]) == "--help") {
        PrintUsage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    auto it = Commands().find(argv[1]);
    if (it == Commands().end()) {
        std::cerr << "kvx: unknown command '" << argv[1] << "'\n";
        PrintUsage(std::cerr);
        return 2;
    }
    const Command& command = it->second;
    Args args;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            std::string name = a.substr(2);
            std::string value;
            size_t eq = name.find('=');
            if (eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
            } else if (std::find(command.valued.begin(), command.valued.end(), name) != command.valued.end()) {
                if (i + 1 >= argc) {
                    std::cerr << "kvx " << command.name << ": --" << name << " needs a value\n";
                    return 2;
                }
                value = argv[++i];
            }
            args.options[name] = value;
        } else {
            args.positional.push_back(a);
        }
    }
    try {
        return command.run(args);
    } catch (const UsageError& e) {
        if (!e.message.empty()) std::cerr << "kvx " << command.name << ": " << e.message << "\n";
        std::cerr << "usage: kvx " << command.usage << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
