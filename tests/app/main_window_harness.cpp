// The main-window test harness.
#include "tests/app/main_window_harness.h"

#include <QEventLoop>
#include <QTimer>

#include "app/settings_windows.h"
#include "app/startup_forms.h"
#include "platform/user_folders.h"

namespace kvx::test {

TProgramRun::TProgramRun(const TInstallation& install) {
    InitSettingsDefaults(Settings(), nullptr);
    Help = std::make_unique<THelp>(install.ProgramFolder() + kHelpFolderName, Desktop, Messages);
    TProgramContext context;
    context.ProgramFolder = install.ProgramFolder();
    context.ProgramPath = install.ProgramFolder() + "karvelindorax";
    context.ConfigFolder = install.ConfigFolder();
    context.DocumentsFolder = install.DocumentsFolder();
    context.Messages = &Messages;
    context.Desktop = &Desktop;
    context.Help = Help.get();
    context.Errors = &Errors;
    main_ = std::make_unique<TMain>(context);
    main_->SetStartupForms(new TFormQuickStart(main_.get()), new TFormCheckUpdateReminder(main_.get()));
}

TProgramRun::~TProgramRun() = default;

bool TProgramRun::ShowAndWaitForIdle() {
    QEventLoop loop;
    bool done = false;
    QObject::connect(main_.get(), &TMain::FirstIdleDone, &loop, [&] {
        done = true;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    main_->show();
    loop.exec();
    return done;
}

void TProgramRun::Close() { main_->close(); }

void TProgramRun::Spin(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void WriteSettings(const TInstallation& install, const std::function<void(TSettings&)>& change) {
    TSettings settings;
    InitSettingsDefaults(settings, nullptr);
    change(settings);
    ForceFolders(install.SettingsFolder());
    SaveSettings(settings, install.SettingsFile());
}

void SkipWelcome(const TInstallation& install) {
    ForceFolders(install.SettingsFolder());
    UpdateSettingsFile(install.SettingsFile(), [](TProfileFile& file) { WriteShowWelcome(file, false); });
}

}  // namespace kvx::test
