// Modification-time comparison for the incremental build.
#include "tools/library_builder/up_to_date.h"

#include <filesystem>

namespace kvx::library {

namespace fs = std::filesystem;

bool IsUpToDate(const std::string& output, const std::vector<std::string>& sources) {
    std::error_code ec;
    const fs::file_time_type built = fs::last_write_time(output, ec);
    if (ec) return false;
    for (const std::string& source : sources) {
        const fs::file_time_type changed = fs::last_write_time(source, ec);
        if (ec) continue;
        if (!(built > changed)) return false;
    }
    return true;
}

}  // namespace kvx::library
