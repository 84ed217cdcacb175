// The karvelindorax program as a user starts it: a screenshot run, an incomplete
// installation, a start without a display and a second start while one runs.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>

#include "app/screenshot_run.h"
#include "app/settings.h"
#include "platform/file_util.h"
#include "platform/qt/single_instance.h"
#include "tests/app/main_window_harness.h"

namespace kvx {
namespace {

using test::TInstallation;

QProcessEnvironment Environment(const TInstallation& install, bool display = true) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "KARVELINDORAX_HOME"}) env.remove(name);
    if (display) env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(install.ConfigFolder()));
    env.insert("HOME", QString::fromStdString(install.DocumentsFolder()));
    return env;
}

struct TFinished {
    int exitCode = -1;
    std::string out, err;
};

TFinished RunProgram(QProcess& process, const TInstallation& install, QStringList arguments, bool display = true) {
    process.setProcessEnvironment(Environment(install, display));
    arguments.prepend(QString::fromStdString(install.ProgramFolder()));
    arguments.prepend("--program-folder");
    process.start(KVX_KARVELINDORAX, arguments);
    TFinished result;
    if (!process.waitForFinished(60000)) return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

TEST(Program, AScreenshotRunSavesThePictureAndClosesInTheOrderlyWay) {
    TInstallation install;
    install.Full();
    const std::string shot = install.ConfigFolder() + "shot.png";
    QProcess process;
    const TFinished run = RunProgram(process, install, {"--screenshot", QString::fromStdString(shot)});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(kPaintedReport), std::string::npos) << run.out;
    const QImage picture(QString::fromStdString(shot));
    EXPECT_GE(picture.width(), 600);
    EXPECT_GE(picture.height(), 400);
    TSettings saved;
    InitSettingsDefaults(saved, nullptr);
    LoadSettings(saved, install.SettingsFile());
    EXPECT_EQ(saved.ActiveResources.size(), 6u);
    EXPECT_TRUE(FileExists(install.SettingsFolder() + "LastLayout"));
}

TEST(Program, AnIncompleteInstallationIsNamedAndNothingStarts) {
    TInstallation install;
    const std::string shot = install.ConfigFolder() + "shot.png";
    QProcess process;
    const TFinished run = RunProgram(process, install, {"--screenshot", QString::fromStdString(shot)});
    EXPECT_EQ(run.exitCode, 1);
    const std::string p = install.ProgramFolder();
    EXPECT_NE(run.err.find("Karvelindorax cannot load because the following file(s) were not found:\n\n" + p +
                           "pmap.dat\n" + p + "stgdat.zb4\n" + p +
                           "Modules/KJV.zb5bible\n\nIt may be necessary to re-install Karvelindorax."),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(FileExists(shot));
    EXPECT_FALSE(FileExists(install.SettingsFile()));
}

TEST(Program, WithoutADisplayItSaysHowToRunHeadless) {
    TInstallation install;
    install.Full();
    QProcess process;
    const TFinished run = RunProgram(process, install, {}, false);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("QT_QPA_PLATFORM=offscreen"), std::string::npos) << run.err;
}

TEST(Program, ASecondStartBringsTheFirstForwardAndEnds) {
    TInstallation install;
    install.Full();
    test::SkipWelcome(install);
    QProcess first;
    first.setProcessEnvironment(Environment(install));
    first.start(KVX_KARVELINDORAX, {"--program-folder", QString::fromStdString(install.ProgramFolder())});
    ASSERT_TRUE(first.waitForStarted());
    const QString lock = InstanceLockFile(InstanceKey(install.SettingsFolder()));
    for (int i = 0; i < 300 && !QFile::exists(lock); ++i) test::TProgramRun::Spin(20);
    ASSERT_TRUE(QFile::exists(lock));

    QProcess second;
    const TFinished again = RunProgram(second, install, {});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(first.state(), QProcess::Running);

    // The first copy ends in the orderly way when the session asks it to.
    first.terminate();
    if (!first.waitForFinished(30000)) {
        first.kill();
        first.waitForFinished();
        FAIL() << "the first copy did not end: " << first.readAllStandardError().toStdString();
    }
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_TRUE(FileExists(install.SettingsFile()));
    EXPECT_TRUE(FileExists(install.SettingsFolder() + "LastLayout"));
    EXPECT_FALSE(QFile::exists(lock));
}

}  // namespace
}  // namespace kvx
