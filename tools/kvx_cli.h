// The command-line face of the engine: shared plumbing for the kvx commands. Each
// command lives in a kvx_*.cpp file of its own and registers itself here.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/bible_module.h"
#include "engine/search_commands.h"

namespace kvx::cli {

struct Args {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  // "--bible X" as {"bible", "X"}; flags as {"name", ""}

    bool Has(const std::string& name) const { return options.count(name) != 0; }
    std::string Get(const std::string& name, const std::string& fallback = {}) const {
        auto it = options.find(name);
        return it == options.end() ? fallback : it->second;
    }
};

struct Command {
    std::string name;
    std::string usage;                   // one line, shown by "kvx help"
    std::vector<std::string> valued;     // options that take a value
    std::function<int(const Args&)> run;  // exit status; errors are thrown
};

// Called from a static object in each command file.
struct Registrar {
    explicit Registrar(Command command);
};

const std::map<std::string, Command>& Commands();

// The library folder: --library DIR, else $KARVELINDORAX_HOME, else the folder kvx runs from.
std::string LibraryFolder(const Args& args);

// Opens the Bible that --bible names: a module file, or the abbreviation of a module
// in the library's "Modules" folder (KJV, WEB). Raises UsageError without --bible.
std::unique_ptr<TZBBibleModule> OpenBible(const Args& args);

// Text from a module in its code page (UTF-8 or Windows-1252) as UTF-8, and command-line
// text (UTF-8) in a module's code page.
std::string ToUtf8(const std::string& text, bool isUtf8);
std::string FromUtf8(const std::string& text, bool isUtf8);

// words[begin, end) joined by single spaces.
std::string JoinWords(const std::vector<std::string>& words, size_t begin, size_t end);

const char* YesNo(bool b);

// --any or --phrase (not both); the default is all words.
TSearchMethod MethodOf(const Args& args);

// From the first verse to the last that any of the ranges names; the ranges are not empty.
TVerseRange SpanOf(const TVerseRangeList& ranges);

// Raised for a command line that does not fit the command; main prints the usage.
struct UsageError {
    std::string message;
};

}  // namespace kvx::cli
