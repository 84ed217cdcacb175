// The termination signals a desktop session sends (SIGTERM at log-out, SIGHUP when the
// terminal goes, SIGINT from Ctrl+C) turned into an ordinary Qt signal, so that the
// program closes in its orderly way and saves the user's settings instead of dying.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace kvx {

// One per process. A second termination signal while the first is being handled ends
// the process at once, as the user clearly insists.
class TTerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TTerminationSignals(QObject* parent = nullptr);
    ~TTerminationSignals() override;

signals:
    void TerminationRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace kvx
