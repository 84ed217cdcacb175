// The installed SWORD modules: their configuration files (mods.d/*.conf) and the data
// files they point at, under one SWORD folder (/usr/share/sword on Debian).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kvx::library {

struct TSwordModuleInfo {
    std::string Name;      // the section name, e.g. "engKJV2006eb"
    std::string ConfFile;  // its configuration file
    std::string DataPath;  // the folder its DataPath entry names
    // The configuration entries; an entry given more than once keeps its first value.
    std::map<std::string, std::string> Conf;

    std::string Get(const std::string& key) const;
};

// Reads the entries of a .conf file: "[Name]" and then "Key=Value" lines; a value
// that ends in a backslash goes on in the next line.
TSwordModuleInfo ParseSwordConf(const std::string& text);

// The text of a .conf file with the values of some entries replaced: each entry's
// first line takes the new value and its repetitions go; an entry it lacks is added.
std::string RewriteSwordConf(const std::string& text, const std::map<std::string, std::string>& values);

// A SWORD folder of one module, made for one export with a corrected configuration
// (never by editing the installed one): "mods.d/" holds the module's .conf with the
// corrections, and its DataPath leads through a link in the folder to the installed
// data. The folder goes when the object goes.
class TPrivateSwordFolder {
public:
    TPrivateSwordFolder(const TSwordModuleInfo& module, const std::map<std::string, std::string>& corrections);
    ~TPrivateSwordFolder();
    TPrivateSwordFolder(const TPrivateSwordFolder&) = delete;
    TPrivateSwordFolder& operator=(const TPrivateSwordFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

class TSwordInstallation {
public:
    explicit TSwordInstallation(std::string root) : root_(std::move(root)) {}
    const std::string& Root() const { return root_; }

    // The module of that name when its configuration file is there and its data
    // folder holds at least one file.
    std::optional<TSwordModuleInfo> Find(const std::string& name) const;

    // The files a module is made of: its configuration file and its data files.
    static std::vector<std::string> SourceFiles(const TSwordModuleInfo& module);

private:
    std::string root_;
};

}  // namespace kvx::library
