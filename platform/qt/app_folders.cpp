// Program, configuration and documents folders.
#include "platform/qt/app_folders.h"

#include <QStandardPaths>
#include <filesystem>

#include "platform/user_folders.h"

namespace kvx {

std::string ResolveProgramFolder(const std::string& option, const char* environment,
                                 const std::string& executableFolder) {
    std::string chosen = option;
    if (chosen.empty() && environment != nullptr) chosen = environment;
    if (chosen.empty()) return WithSlash(executableFolder);
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(chosen, ec);
    return WithSlash(ec ? chosen : absolute.lexically_normal().string());
}

std::string DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !documents.startsWith('/')) return {};
    return WithSlash(documents.toStdString());
}

}  // namespace kvx
