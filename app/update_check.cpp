// Version string, update page address and reminder arithmetic.
#include "app/update_check.h"

#include <chrono>
#include <vector>

#include "platform/exception.h"

#ifndef KVX_PROGRAM_VERSION
#error "KVX_PROGRAM_VERSION must be defined by the build"
#endif

namespace kvx {

const char* ProgramVersion() { return KVX_PROGRAM_VERSION; }

std::string UpdatePageAddress(const std::string& version) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (parts.size() < 3) {
        const size_t dot = version.find('.', start);
        if (dot == std::string::npos) break;
        parts.push_back(version.substr(start, dot - start));
        start = dot + 1;
    }
    parts.push_back(version.substr(start));
    parts.resize(4);
    return std::string(kUpdateServiceAddress) + "?" +
           Format("major=%s&minor=%s&release=%s&build=%s&cp=%s&site=ProgramUpdateCheck", parts[0].c_str(),
                  parts[1].c_str(), parts[2].c_str(), parts[3].c_str(), version.c_str());
}

bool UpdateReminderDue(bool reminderOn, TDate today, TDate lastCheck, int intervalDays) {
    if (!reminderOn) return false;
    const auto days = (std::chrono::sys_days(today) - std::chrono::sys_days(lastCheck)).count();
    return days < 0 || days >= intervalDays;
}

}  // namespace kvx
