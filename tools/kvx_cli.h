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

// Text from a module in its code page (UTF-8 or Windows-1252) as UTF-8.
std::string ToUtf8(const std::string& text, bool isUtf8);

// Raised for a command line that does not fit the command; main prints the usage.
struct UsageError {
    std::string message;
};

}  // namespace kvx::cli
