// The build's progress reporter.
#include "tools/library_builder/progress.h"

#include <unistd.h>

namespace kvx::library {

void TProgress::Update(const std::string& what, const std::string& step, size_t done, size_t total) {
    if (!status_) return;
    std::string line = what + ": " + step;
    if (total > 0) line += " " + std::to_string(done * 100 / total) + "%";
    if (line == lastShown_) return;
    std::string padded = line;
    if (padded.size() < shownLength_) padded.append(shownLength_ - padded.size(), ' ');
    *status_ << '\r' << padded << std::flush;
    shownLength_ = line.size();
    lastShown_ = std::move(line);
}

void TProgress::Line(const std::string& message) {
    Clear();
    log_ << message << "\n" << std::flush;
}

void TProgress::Clear() {
    if (!status_ || shownLength_ == 0) return;
    *status_ << '\r' << std::string(shownLength_, ' ') << '\r' << std::flush;
    shownLength_ = 0;
    lastShown_.clear();
}

bool StatusIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace kvx::library
