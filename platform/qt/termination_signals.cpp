// Termination signals through a self-pipe into the event loop.
#include "platform/qt/termination_signals.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace kvx {

namespace {

int g_pipe[2] = {-1, -1};
volatile sig_atomic_t g_pending = 0;

void OnSignal(int number) {
    if (g_pending) {
        std::signal(number, SIG_DFL);
        std::raise(number);
        return;
    }
    g_pending = 1;
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(g_pipe[0], &byte, 1);
}

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

TTerminationSignals::TTerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0) return;
    notifier_ = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] ssize_t read = ::read(g_pipe[1], &byte, 1);
        emit TerminationRequested();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals) ::sigaction(number, &action, nullptr);
}

TTerminationSignals::~TTerminationSignals() {
    for (int number : kSignals) std::signal(number, SIG_DFL);
    delete notifier_;
    if (g_pipe[0] >= 0) {
        ::close(g_pipe[0]);
        ::close(g_pipe[1]);
        g_pipe[0] = g_pipe[1] = -1;
    }
    g_pending = 0;
}

}  // namespace kvx
