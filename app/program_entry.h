// The program's entry: one running instance, the required files, the main window and
// the program's other windows, then the message loop. Options:
//   --program-folder DIR   use DIR as the program folder (also $KARVELINDORAX_HOME)
//   --screenshot FILE.png  start, save a picture of the main window once it has
//                          painted, and close in the orderly way
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kvx {

struct TProgramOptions {
    std::string ProgramFolder;
    std::string Screenshot;
    bool Help = false;
};

// Raises an Exception naming the problem for an unknown option or a missing value.
TProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments);

// Runs the program; its exit status.
int RunProgram(int argc, char** argv);

}  // namespace kvx
