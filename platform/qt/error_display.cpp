// The general error display.
#include "platform/qt/error_display.h"

#include <exception>
#include <iostream>

namespace kvx {

void TErrorDisplay::Report(const std::string& message) {
    if (silent_) return;
    if (message == kClipboardBusyError) {
        messages_.Show(TMessageKind::Error, "", kClipboardBusyMessage);
        return;
    }
    messages_.Show(TMessageKind::Error, "", message.empty() ? std::string("An unexpected error occurred.") : message);
}

bool TGuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (display_) display_->Report(e.what());
        else std::cerr << "karvelindorax: " << e.what() << '\n';
    } catch (...) {
        if (display_) display_->Report("");
        else std::cerr << "karvelindorax: unexpected error\n";
    }
    return false;
}

}  // namespace kvx
