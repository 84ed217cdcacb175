// The desktop services of the platform layer and the program's command line: error
// display, system colours, single instance, program folder, help.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <filesystem>
#include <unistd.h>

#include "app/program_entry.h"
#include "platform/exception.h"
#include "platform/qt/app_folders.h"
#include "platform/qt/desktop_services.h"
#include "platform/qt/error_display.h"
#include "platform/qt/message_service.h"
#include "platform/qt/single_instance.h"
#include "platform/qt/system_colors.h"
#include "tests/app/main_window_harness.h"

namespace kvx {
namespace {

TEST(ErrorDisplay, ShowsTheErrorAndHonoursItsTwoExceptions) {
    TScriptedMessageService messages;
    TErrorDisplay errors(messages);
    errors.Report("Invalid Bible module file header (x).");
    errors.Report("Cannot open clipboard");
    errors.SetSilent(true);
    errors.Report("after a failed start");
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[0].Text, "Invalid Bible module file header (x).");
    EXPECT_EQ(messages.Messages()[0].Kind, TMessageKind::Error);
    EXPECT_EQ(messages.Messages()[1].Text,
              "Unable to open clioboard. It may be locked by another application. Please try again.");
}

// An object whose event handler fails, as a reader does on a damaged file.
class TFailingObject : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw Exception("Module file has invalid or corrupt hash.");
        return QObject::event(e);
    }
};

TEST(ErrorDisplay, AnErrorEscapingAnEventHandlerReachesItAndTheProgramGoesOn) {
    auto* app = dynamic_cast<TGuardedApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    TScriptedMessageService messages;
    TErrorDisplay errors(messages);
    app->SetErrorDisplay(&errors);
    TFailingObject failing;
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    test::TProgramRun::Spin(20);
    app->SetErrorDisplay(nullptr);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].Text, "Module file has invalid or corrupt hash.");
}

TEST(SystemColors, StoredColoursFollowThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(7, 8, 9));
    palette.setColor(QPalette::Active, QPalette::ToolTipBase, QColor(10, 11, 12));
    palette.setColor(QPalette::Active, QPalette::Window, QColor(13, 14, 15));
    struct Case {
        int32_t stored;
        QColor drawn;
    };
    const Case cases[] = {
        {-16777211, QColor(1, 2, 3)},                  // window background, as the file stores it
        {static_cast<int32_t>(0xFF000008), QColor(4, 5, 6)},  // window text
        {static_cast<int32_t>(0xFF00000F), QColor(7, 8, 9)},  // button face
        {static_cast<int32_t>(0xFF000018), QColor(10, 11, 12)},  // tooltip background
        {static_cast<int32_t>(0xFF000063), QColor(13, 14, 15)},  // no such system colour
        {0x00FF8000, QColor(0x00, 0x80, 0xFF)},                  // RGB, red in the low byte
        {0x000000FF, QColor(0xFF, 0, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToQColor(c.stored, palette), c.drawn) << std::hex << c.stored;
        const int32_t rgb = ResolveSystemColor(c.stored, palette);
        EXPECT_EQ(QColor(rgb & 0xFF, rgb >> 8 & 0xFF, rgb >> 16 & 0xFF), c.drawn) << std::hex << c.stored;
    }
}

bool WaitFor(const bool& flag, int milliseconds = 3000) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (flag) loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
    return flag;
}

TEST(SingleInstance, ALaterStartAsksTheRunningOneToComeForward) {
    const QString key = InstanceKey("/tmp/kvx-single-instance-test/" + std::to_string(::getpid()) + "/");
    EXPECT_TRUE(key.startsWith("Karvelindorax5_Mutex-"));
    EXPECT_NE(key, InstanceKey("/another/settings/folder/"));
    {
        TSingleInstance first(key);
        ASSERT_TRUE(first.Acquire());
        bool activated = false;
        QObject::connect(&first, &TSingleInstance::ActivationRequested, [&] { activated = true; });

        TSingleInstance second(key);
        EXPECT_FALSE(second.Acquire());
        EXPECT_TRUE(second.ActivateRunningInstance());
        EXPECT_TRUE(WaitFor(activated));
    }
    // The first one has gone: the next start is the running instance.
    TSingleInstance next(key);
    EXPECT_TRUE(next.Acquire());
    TSingleInstance nobody(key + "-other");
    EXPECT_FALSE(nobody.ActivateRunningInstance(200));
}

TEST(ProgramOptions, CommandLineAndProgramFolder) {
    const TProgramOptions options =
        ParseProgramOptions({"--program-folder", "/opt/kvx", "--screenshot=/tmp/shot.png"});
    EXPECT_EQ(options.ProgramFolder, "/opt/kvx");
    EXPECT_EQ(options.Screenshot, "/tmp/shot.png");
    EXPECT_TRUE(ParseProgramOptions({"--help"}).Help);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--program-folder"}, {"--screenshot", ""}, {"--verbose"}, {"file.zb5bible"}})
        EXPECT_THROW(ParseProgramOptions(bad), Exception) << bad[0];

    const std::string cwd = std::filesystem::current_path().string();
    struct Case {
        std::string option;
        const char* environment;
        std::string expected;
    };
    const Case cases[] = {
        {"", nullptr, "/usr/lib/kvx/"},
        {"", "", "/usr/lib/kvx/"},
        {"", "/srv/library", "/srv/library/"},
        {"/opt/kvx/", "/srv/library", "/opt/kvx/"},
        {"library", nullptr, cwd + "/library/"},
        {"/opt/kvx/../lib", nullptr, "/opt/lib/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveProgramFolder(c.option, c.environment, "/usr/lib/kvx"), c.expected) << c.option;
}

TEST(Help, OpensTheTopicsPageOrSaysWhichTopicIsMissing) {
    test::TempDir dir;
    const std::string folder = dir.Path() + "/help/";
    TScriptedMessageService messages;
    test::TRecordingDesktop desktop;
    THelp help(folder, desktop, messages);
    help.ShowTopic(1020);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].Text,
              "Help topic 1020 cannot be shown: the help files are not installed (looked in " + folder + ").");
    std::filesystem::create_directories(folder);
    test::WriteBytes(folder + "index.html", "contents");
    test::WriteBytes(folder + "1350.html", "export");
    help.ShowTopic(1350);
    help.ShowTopic(1020);  // no page of its own: the contents
    help.ShowContents();
    EXPECT_EQ(desktop.Opened, (std::vector<std::string>{"file://" + folder + "1350.html", "file://" + folder + "index.html",
                                                        "file://" + folder + "index.html"}));
    EXPECT_EQ(messages.Messages().size(), 1u);
}

}  // namespace
}  // namespace kvx
