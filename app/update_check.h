// The program's version and the reminder to look for a newer one.
#pragma once

#include <string>

#include "app/settings_values.h"

namespace kvx {

// "major.minor.release.build".
const char* ProgramVersion();

// The publisher's update page.
inline constexpr const char* kUpdateServiceAddress = "https://karvelindorax.org/update";

// The update page for a version: the service address with the version's four parts and
// the whole version string in its query.
std::string UpdatePageAddress(const std::string& version);

// Whether the reminder is due: it is on and at least interval days have passed since
// the last check. A last check dated in the future (a clock set back) makes it due, so
// the reminder cannot be silenced for years by one wrong date.
bool UpdateReminderDue(bool reminderOn, TDate today, TDate lastCheck, int intervalDays);

}  // namespace kvx
