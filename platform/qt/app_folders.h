// Where the program finds its installation and where it keeps the user's files: the
// program folder (the executable's, unless the user points elsewhere), the user's
// configuration folder for the settings and the documents folder for user modules.
#pragma once

#include <string>

namespace kvx {

// The environment variable that overrides the program folder.
inline constexpr const char* kProgramFolderVariable = "KARVELINDORAX_HOME";

// The program folder, ending in '/': the command-line option when given, else the
// environment variable when set and not empty, else the executable's folder. A
// relative path is taken from the current folder.
std::string ResolveProgramFolder(const std::string& option, const char* environment,
                                 const std::string& executableFolder);

// The user's documents folder by the XDG conventions, ending in '/'; empty when it
// cannot be resolved.
std::string DocumentsFolder();

}  // namespace kvx
