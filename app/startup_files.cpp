// The required-files check.
#include "app/startup_files.h"

#include "platform/file_util.h"

namespace kvx {

std::vector<std::string> MissingRequiredFiles(const std::string& programFolder) {
    std::vector<std::string> missing;
    for (const char* name : kRequiredFiles)
        if (!FileExists(programFolder + name)) missing.push_back(programFolder + name);
    return missing;
}

std::string MissingFilesMessage(const std::vector<std::string>& missing) {
    if (missing.empty()) return {};
    std::string message = "Karvelindorax cannot load because the following file(s) were not found:\n\n";
    for (const std::string& path : missing) message += path + "\n";
    message += "\nIt may be necessary to re-install Karvelindorax.";
    return message;
}

}  // namespace kvx
