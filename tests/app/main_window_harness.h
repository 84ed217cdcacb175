// Starting the main window in a test the way the program's entry does, with the
// user's answers given in advance and the desktop's handlers recorded.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/settings.h"
#include "platform/qt/desktop_services.h"
#include "platform/qt/error_display.h"
#include "platform/qt/message_service.h"
#include "tests/app/app_fixtures.h"

namespace kvx::test {

class TRecordingDesktop : public TDesktop {
public:
    bool OpenUrl(const std::string& url) override {
        Opened.push_back(url);
        return true;
    }
    std::vector<std::string> Opened;
};

class TProgramRun {
public:
    // Resets the settings store and builds the main window on the installation.
    explicit TProgramRun(const TInstallation& install);
    ~TProgramRun();

    TMain& Main() { return *main_; }
    // Shows the window and runs the event loop until the first idle moment's work is
    // done; false when it did not come within a few seconds.
    bool ShowAndWaitForIdle();
    // The orderly close.
    void Close();
    // Runs the event loop briefly.
    static void Spin(int milliseconds = 50);

    TScriptedMessageService Messages;
    TRecordingDesktop Desktop;
    std::unique_ptr<THelp> Help;
    TErrorDisplay Errors{Messages};

private:
    std::unique_ptr<TMain> main_;
};

// Settings as a user left them: the defaults with changes, written before a start.
void WriteSettings(const TInstallation& install, const std::function<void(TSettings&)>& change);
// Writes "_Welcome" so that no welcome window comes up.
void SkipWelcome(const TInstallation& install);

}  // namespace kvx::test
