// A run that takes a picture of the main window: once the window has painted and the
// first idle moment's work is done, the window is saved as a PNG and closed in the
// orderly way. It reports when the window first painted and the memory in use then,
// which is what the start-up benchmark reads.
#pragma once

#include <QObject>
#include <string>

#include "app/screenshot_report.h"

namespace kvx {

class TMain;

class TScreenshotRun : public QObject {
    Q_OBJECT
public:
    TScreenshotRun(TMain& main, std::string fileName);
    // 0 once the picture is saved, 1 when it could not be.
    int ExitCode() const { return exitCode_; }

private:
    void TakeWhenReady();

    TMain& main_;
    std::string fileName_;
    bool painted_ = false;
    bool idle_ = false;
    bool taken_ = false;
    int exitCode_ = 1;
};

// The process's resident memory in kB; 0 when it cannot be read.
long ResidentMemoryKb();

}  // namespace kvx
