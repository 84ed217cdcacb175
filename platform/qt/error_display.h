// The general error display: every error that no caller handled ends here instead of
// ending the program. It shows the error's own text in an error box, with two
// exceptions: after a failed start-up errors are swallowed (the program is on its way
// out and has said why), and a clipboard that another program holds gets a friendlier
// message.
#pragma once

#include <QApplication>
#include <string>

#include "platform/qt/message_service.h"

namespace kvx {

// The message of the error raised when the clipboard is held by another program.
inline constexpr const char* kClipboardBusyError = "Cannot open clipboard";
inline constexpr const char* kClipboardBusyMessage =
    "Unable to open clioboard. It may be locked by another application. Please try again.";

class TErrorDisplay {
public:
    explicit TErrorDisplay(TMessageService& messages) : messages_(messages) {}
    // Silent from a failed start-up on.
    void SetSilent(bool silent) { silent_ = silent; }
    void Report(const std::string& message);

private:
    TMessageService& messages_;
    bool silent_ = false;
};

// A QApplication that hands an exception escaping any event handler to the error
// display; Qt itself cannot carry an exception through its event loop.
class TGuardedApplication : public QApplication {
public:
    TGuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    void SetErrorDisplay(TErrorDisplay* display) { display_ = display; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    TErrorDisplay* display_ = nullptr;
};

}  // namespace kvx
