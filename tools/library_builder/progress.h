// Progress of a library build. On a terminal one status line is redrawn as the work
// goes on; elsewhere (a log, a test) only the finished steps are written, one a line.
#pragma once

#include <ostream>
#include <string>

namespace kvx::library {

class TProgress {
public:
    // `log` gets one line per finished step; `status`, when not null, is the terminal
    // that shows the live line.
    TProgress(std::ostream& log, std::ostream* status) : log_(log), status_(status) {}

    // The live line: "Modules/KJV.zb5bible: converting 45%".
    void Update(const std::string& what, const std::string& step, size_t done = 0, size_t total = 0);
    // A finished step: clears the live line and writes the message.
    void Line(const std::string& message);

private:
    void Clear();

    std::ostream& log_;
    std::ostream* status_;
    size_t shownLength_ = 0;
    std::string lastShown_;
};

// True when standard error is a terminal, where the live line belongs.
bool StatusIsTerminal();

}  // namespace kvx::library
