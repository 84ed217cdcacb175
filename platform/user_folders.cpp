// Per-user folders on XDG desktops.
#include "platform/user_folders.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace kvx {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

namespace {

std::string AccountHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    struct passwd entry {};
    struct passwd* result = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) != 0 || result == nullptr ||
        result->pw_dir == nullptr)
        return {};
    return result->pw_dir;
}

}  // namespace

std::string UserConfigFolder() {
    // Relative paths in these variables are to be ignored, not resolved against
    // whatever the current folder happens to be.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') return WithSlash(xdg);
    std::string home;
    if (const char* h = std::getenv("HOME"); h && h[0] == '/') home = h;
    if (home.empty()) home = AccountHome();
    if (home.empty() || home[0] != '/') return {};
    return WithSlash(home) + ".config/";
}

std::string ProgramPath() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string ProgramFolder() {
    std::string path = ProgramPath();
    return path.empty() ? std::string("./") : WithSlash(std::filesystem::path(path).parent_path().string());
}

TSettingsLocation ResolveSettingsLocation(const std::string& configFolder, const std::string& programPath) {
    TSettingsLocation location;
    if (!configFolder.empty()) {
        location.Folder = WithSlash(configFolder) + kSettingsFolderName;
        location.SettingsFile = location.Folder + kSettingsFileName;
        location.PerUser = true;
        return location;
    }
    std::filesystem::path program(programPath);
    location.Folder = WithSlash(program.parent_path().string());
    if (location.Folder.empty()) location.Folder = "./";
    location.SettingsFile = program.replace_extension(".ini").string();
    return location;
}

bool ForceFolders(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

}  // namespace kvx
