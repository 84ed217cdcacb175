// Screenshot runs.
#include "app/screenshot_run.h"

#include <QPixmap>
#include <QTimer>
#include <fstream>
#include <iostream>

#include "app/main_window.h"

namespace kvx {

long ResidentMemoryKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

TScreenshotRun::TScreenshotRun(TMain& main, std::string fileName)
    : QObject(&main), main_(main), fileName_(std::move(fileName)) {
    connect(&main_, &TMain::FirstPainted, this, [this] {
        std::cout << kPaintedReport << ResidentMemoryKb() << std::endl;
        painted_ = true;
        TakeWhenReady();
    });
    connect(&main_, &TMain::FirstIdleDone, this, [this] {
        idle_ = true;
        TakeWhenReady();
    });
}

void TScreenshotRun::TakeWhenReady() {
    if (!painted_ || !idle_ || taken_) return;
    taken_ = true;
    QTimer::singleShot(0, this, [this] {
        const QPixmap picture = main_.grab();
        if (picture.save(QString::fromStdString(fileName_), "PNG")) {
            exitCode_ = 0;
            std::cout << "karvelindorax: saved " << fileName_ << std::endl;
        } else {
            std::cerr << "karvelindorax: could not save " << fileName_ << std::endl;
        }
        main_.close();
    });
}

}  // namespace kvx
