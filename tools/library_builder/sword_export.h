// Reading SWORD modules through mod2imp, the exporter of the SWORD utilities: it
// prints every key of a module as a "$$$key" line followed by one line of the
// module's stored mark-up. The builder calls the program; nothing links SWORD.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvx::library {

struct TImpEntry {
    std::string Key;   // "Genesis 1:1", "[ Module Heading ]"
    std::string Text;  // the stored mark-up, UTF-8 for the modules the builder reads
};

// Splits mod2imp output into entries. A key line starts with "$$$"; the lines up to
// the next key line are its text (normally exactly one; more are joined with a
// space). Carriage returns at line ends are dropped; lines before the first key are
// ignored.
std::vector<TImpEntry> ParseImp(std::string_view output);

// The full path of a program found on PATH; empty when there is none.
std::string FindProgram(const std::string& name);

// Runs `program module` with SWORD_PATH set to swordPath, in the C locale and with
// swordPath as its working folder (so no stray configuration is picked up), and
// returns what it prints. Raises when it cannot be started or fails.
std::string RunModToImp(const std::string& program, const std::string& module, const std::string& swordPath);

}  // namespace kvx::library
