// kvx settings: shows the settings file exactly as the program would write it at exit,
// after reading the user's file (or another one) over the defaults.
#include <iostream>

#include "app/settings.h"
#include "platform/exception.h"
#include "platform/file_util.h"
#include "platform/user_folders.h"
#include "tools/kvx_cli.h"

namespace kvx::cli {
namespace {

int ShowSettings(const Args& args) {
    if (!args.positional.empty()) throw UsageError{};
    std::string path = args.Get("file");
    if (path.empty()) {
        TSettingsLocation location = ResolveSettingsLocation(UserConfigFolder(), ProgramPath());
        if (!location.PerUser)
            throw Exception("No per-user configuration folder could be found; name the settings file with --file.");
        path = location.SettingsFile;
    }
    // Unlike the program, which starts on the defaults, a diagnostic says when it cannot read.
    TProfileFile file = TProfileFile::Load(path);
    if (!FileExists(path)) std::cerr << "kvx settings: " << path << " does not exist; showing the defaults\n";

    // Which fonts are installed is for the desktop program to find out; here the
    // default font is the one that needs no check.
    TSettings settings;
    InitSettingsDefaults(settings, nullptr);
    LoadSettings(settings, file);
    StoreSettings(settings, file);
    std::cout << file.Text();
    return 0;
}

Registrar settings({"settings", "settings [--file PATH]", {"file"}, ShowSettings});

}  // namespace
}  // namespace kvx::cli
