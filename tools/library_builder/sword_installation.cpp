// Finding installed SWORD modules.
#include "tools/library_builder/sword_installation.h"

#include <cstdlib>
#include <filesystem>
#include <set>

#include "platform/exception.h"
#include "platform/file_util.h"

namespace kvx::library {

namespace fs = std::filesystem;

namespace {

// The lines of a .conf file, without their line ends.
std::vector<std::string> ConfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        if (!lines.back().empty() && lines.back().back() == '\r') lines.back().pop_back();
        pos = end + 1;
    }
    return lines;
}

}  // namespace

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
    for (std::string line : ConfLines(text)) {
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

std::string RewriteSwordConf(const std::string& text, const std::map<std::string, std::string>& values) {
    std::string out;
    std::set<std::string> written;
    bool dropping = false;   // the continuation lines of an entry being replaced
    bool continued = false;  // this line goes on with the entry before
    for (const std::string& line : ConfLines(text)) {
        const bool continues = !line.empty() && line.back() == '\\';
        const bool continuation = continued;
        continued = continues;
        if (dropping) {
            dropping = continues;
            continue;
        }
        if (continuation) {
            out += line + "\n";
            continue;
        }
        const size_t eq = line.find('=');
        std::string key = eq == std::string::npos || line[0] == '[' || line[0] == '#' ? std::string() : line.substr(0, eq);
        while (!key.empty() && key.back() == ' ') key.pop_back();
        auto it = values.find(key);
        if (!key.empty() && it != values.end()) {
            dropping = continues;
            if (written.insert(key).second) out += key + "=" + it->second + "\n";
            continue;
        }
        out += line + "\n";
    }
    for (const auto& [key, value] : values)
        if (!written.count(key)) out += key + "=" + value + "\n";
    return out;
}

TPrivateSwordFolder::TPrivateSwordFolder(const TSwordModuleInfo& module,
                                         const std::map<std::string, std::string>& corrections) {
    std::string pattern = (fs::temp_directory_path() / "kvx-sword-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw Exception(Format("Cannot create a folder for the SWORD module %s.", module.Name.c_str()));
    path_ = pattern;
    std::map<std::string, std::string> values = corrections;
    // The data is reached through a link, since SWORD reads DataPath from its own folder.
    std::error_code ec;
    const fs::path data(module.DataPath);
    const bool folder = fs::is_directory(data, ec);
    fs::create_directory_symlink(folder ? data : data.parent_path(), fs::path(path_) / "data", ec);
    if (!ec) fs::create_directory(fs::path(path_) / "mods.d", ec);
    if (ec) {
        fs::remove_all(path_, ec);
        throw Exception(Format("Cannot create a folder for the SWORD module %s.", module.Name.c_str()));
    }
    values["DataPath"] = folder ? "./data/" : "./data/" + data.filename().string();
    WriteFileAtomically((fs::path(path_) / "mods.d" / fs::path(module.ConfFile).filename()).string(),
                        RewriteSwordConf(ReadWholeFile(module.ConfFile), values));
}

TPrivateSwordFolder::~TPrivateSwordFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);  // removes the link, never what it leads to
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
