// The program's entry routine.
#include "app/program_entry.h"

#include <QFontDatabase>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>

#include "app/main_window.h"
#include "app/screenshot_run.h"
#include "app/settings.h"
#include "app/startup_files.h"
#include "app/startup_forms.h"
#include "app/update_check.h"
#include "platform/exception.h"
#include "platform/qt/app_folders.h"
#include "platform/qt/desktop_services.h"
#include "platform/qt/error_display.h"
#include "platform/qt/message_service.h"
#include "platform/qt/single_instance.h"
#include "platform/qt/termination_signals.h"
#include "platform/user_folders.h"

namespace kvx {

namespace {

constexpr const char* kUsage =
    "Usage: karvelindorax [--program-folder DIR] [--screenshot FILE.png]\n"
    "  --program-folder DIR   the folder that holds Modules/, pmap.dat and stgdat.zb4\n"
    "                         (default: $KARVELINDORAX_HOME, else the program's own folder)\n"
    "  --screenshot FILE.png  start, save a picture of the main window, and close\n";

bool Set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0';
}

bool HasArgument(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0 || std::strncmp(argv[i], name, std::strlen(name)) == 0) return true;
    return false;
}

// Qt aborts without a display; say instead how to run without one. A screenshot run
// needs no screen and uses the offscreen platform by itself.
bool PrepareDisplay(int argc, char** argv) {
    if (Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY") || HasArgument(argc, argv, "-platform"))
        return true;
    if (HasArgument(argc, argv, "--screenshot")) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return true;
    }
    std::cerr << "karvelindorax: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                 "To run without a display, use the offscreen platform, for example:\n"
                 "  QT_QPA_PLATFORM=offscreen karvelindorax --screenshot karvelindorax.png\n";
    return false;
}

}  // namespace

int RunProgram(int argc, char** argv) {
    if (!PrepareDisplay(argc, argv)) return 1;
    TGuardedApplication app(argc, argv);
    TProgramOptions options;
    try {
        std::vector<std::string> arguments;
        const QStringList qtArguments = QCoreApplication::arguments();
        for (qsizetype i = 1; i < qtArguments.size(); ++i) arguments.push_back(qtArguments[i].toStdString());
        options = ParseProgramOptions(arguments);
    } catch (const std::exception& e) {
        std::cerr << "karvelindorax: " << e.what() << '\n' << kUsage;
        return 2;
    }
    if (options.Help) {
        std::cout << kUsage;
        return 0;
    }
    QApplication::setApplicationName(QStringLiteral("karvelindorax"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kMainWindowTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion()));

    const bool screenshot = !options.Screenshot.empty();
    std::unique_ptr<TMessageService> messages;
    if (screenshot) messages = std::make_unique<TScriptedMessageService>(true);
    else messages = std::make_unique<TDialogMessageService>();
    TErrorDisplay errors(*messages);
    app.SetErrorDisplay(&errors);
    // From here a request to end (log-out, Ctrl+C) waits for the event loop, which then
    // closes the main window in the orderly way.
    TTerminationSignals termination;

    TProgramContext context;
    context.ProgramPath = ProgramPath();
    context.ProgramFolder = ResolveProgramFolder(options.ProgramFolder, std::getenv(kProgramFolderVariable),
                                                 kvx::ProgramFolder());
    context.ConfigFolder = UserConfigFolder();
    context.DocumentsFolder = DocumentsFolder();

    // One running copy per settings folder: two would overwrite each other's settings.
    TSingleInstance instance(InstanceKey(ResolveSettingsLocation(context.ConfigFolder, context.ProgramPath).Folder));
    if (!instance.Acquire()) {
        instance.ActivateRunningInstance();
        if (!screenshot) return 0;
        // A screenshot was asked for and none will be taken: say so.
        std::cerr << "karvelindorax: another copy is running with these settings; it was brought to the front "
                     "and no screenshot was taken.\n";
        return 1;
    }

    const std::string missing = MissingFilesMessage(MissingRequiredFiles(context.ProgramFolder));
    if (!missing.empty()) {
        messages->Show(TMessageKind::Error, "", missing);
        return 1;
    }

    TDesktop desktop;
    THelp help(context.ProgramFolder + kHelpFolderName, desktop, *messages);
    context.Messages = messages.get();
    context.Desktop = screenshot ? nullptr : &desktop;
    context.Help = &help;
    context.Errors = &errors;
    InitSettingsDefaults(Settings(), [](std::string_view name) {
        return QFontDatabase::families().contains(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    });

    std::unique_ptr<TMain> window;
    try {
        window = std::make_unique<TMain>(context);
    } catch (const std::exception& e) {
        // Nothing the start-up sequence foresaw: say what it was rather than vanish.
        errors.Report(e.what());
        return 1;
    }
    TMain& main = *window;
    if (!main.StartupSucceeded()) return 1;
    if (auto* dialogs = dynamic_cast<TDialogMessageService*>(messages.get())) dialogs->SetParent(&main);
    main.SetStartupForms(new TFormQuickStart(&main), new TFormCheckUpdateReminder(&main));

    QObject::connect(&instance, &TSingleInstance::ActivationRequested, &main, &TMain::BringToFront);
    QObject::connect(&termination, &TTerminationSignals::TerminationRequested, &main, &QWidget::close);
    TScreenshotRun* run = screenshot ? new TScreenshotRun(main, options.Screenshot) : nullptr;

    main.show();
    const int status = app.exec();
    return run ? std::max(status, run->ExitCode()) : status;
}

}  // namespace kvx
