// What a screenshot run tells its caller on standard output, so that scripts and the
// start-up benchmark can read it without knowing the program's insides.
#pragma once

namespace kvx {

// Written at the first paint of the main window, followed by the resident memory in kB.
inline constexpr const char* kPaintedReport = "karvelindorax: main window painted, resident memory kB: ";

}  // namespace kvx
