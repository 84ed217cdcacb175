// Finding installed SWORD modules.
#include "tools/library_builder/sword_installation.h"

#include <filesystem>

#include "platform/file_util.h"

namespace kvx::library {

namespace fs = std::filesystem;

std::string TSwordModuleInfo::Get(const std::string& key) const {
    auto it = Conf.find(key);
    return it == Conf.end() ? std::string() : it->second;
}

TSwordModuleInfo ParseSwordConf(const std::string& text) {
    TSwordModuleInfo info;
    std::string key, value;
    bool continued = false;
    auto finish = [&] {
        if (!key.empty()) info.Conf.emplace(key, value);
        key.clear();
        value.clear();
    };
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        bool more = !line.empty() && line.back() == '\\';
        if (more) line.pop_back();
        if (continued) {
            value += line;
        } else if (!line.empty() && line[0] == '[' && info.Name.empty()) {
            size_t close = line.find(']');
            info.Name = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        } else if (!line.empty() && line[0] != '#') {
            size_t eq = line.find('=');
            if (eq != std::string::npos) {
                key = line.substr(0, eq);
                value = line.substr(eq + 1);
                while (!key.empty() && key.back() == ' ') key.pop_back();
            }
        }
        continued = more;
        if (!continued) finish();
    }
    finish();
    return info;
}

std::optional<TSwordModuleInfo> TSwordInstallation::Find(const std::string& name) const {
    std::error_code ec;
    const fs::path modsD = fs::path(root_) / "mods.d";
    for (const auto& entry : fs::directory_iterator(modsD, ec)) {
        if (entry.path().extension() != ".conf" || !entry.is_regular_file(ec)) continue;
        std::string text;
        try {
            text = ReadWholeFile(entry.path().string());
        } catch (const std::exception&) {
            continue;
        }
        TSwordModuleInfo info = ParseSwordConf(text);
        if (info.Name != name) continue;
        info.ConfFile = entry.path().string();
        std::string dataPath = info.Get("DataPath");
        if (dataPath.empty()) return std::nullopt;
        info.DataPath = (fs::path(root_) / dataPath).lexically_normal().string();
        if (!info.DataPath.empty() && info.DataPath.back() == '/') info.DataPath.pop_back();
        if (SourceFiles(info).size() < 2) return std::nullopt;
        return info;
    }
    return std::nullopt;
}

std::vector<std::string> TSwordInstallation::SourceFiles(const TSwordModuleInfo& module) {
    std::vector<std::string> files{module.ConfFile};
    std::error_code ec;
    if (fs::is_directory(module.DataPath, ec)) {
        for (const auto& entry : fs::recursive_directory_iterator(module.DataPath, ec))
            if (entry.is_regular_file(ec)) files.push_back(entry.path().string());
        return files;
    }
    // Dictionary drivers name a file prefix ("…/strongsgreek/strongsgreek") instead
    // of a folder: the files are the ones that start with it.
    const fs::path prefix(module.DataPath);
    const std::string stem = prefix.filename().string();
    for (const auto& entry : fs::directory_iterator(prefix.parent_path(), ec))
        if (entry.is_regular_file(ec) && entry.path().filename().string().rfind(stem, 0) == 0)
            files.push_back(entry.path().string());
    return files;
}

}  // namespace kvx::library
