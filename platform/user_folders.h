// Where the program keeps its per-user files: the user's configuration folder, the
// program's own folder, and the settings file chosen from them.
#pragma once

#include <string>

namespace kvx {

// The per-user configuration folder, ending in '/': $XDG_CONFIG_HOME when it is an
// absolute path, else $HOME/.config, else the account's home folder + ".config".
// Empty when none of them resolves.
std::string UserConfigFolder();

// The folder as a prefix of paths: with a '/' at the end unless it is empty.
std::string WithSlash(std::string folder);

// The running program's executable and the folder it sits in (ending in '/').
std::string ProgramPath();
std::string ProgramFolder();

// The name of the program's folder inside the configuration folder.
inline constexpr const char* kSettingsFolderName = "Karvelindorax 5/";
inline constexpr const char* kSettingsFileName = "settings";

struct TSettingsLocation {
    std::string Folder;        // the settings folder, ending in '/'
    std::string SettingsFile;  // the settings file
    bool PerUser = false;      // false: the configuration folder did not resolve
};

// The settings folder is configFolder + "Karvelindorax 5/" with the file "settings" in
// it. When configFolder is empty, the program's folder stands in for it and the file is
// the program's path with its extension replaced by ".ini". Nothing is created.
TSettingsLocation ResolveSettingsLocation(const std::string& configFolder, const std::string& programPath);

// Creates the folder and any missing parents; false when it does not exist afterwards.
bool ForceFolders(const std::string& folder);

}  // namespace kvx
