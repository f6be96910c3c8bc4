#include "platform/termination.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {
int signalPipe[2] = {-1, -1};
std::atomic<int> signalCount{0};
static_assert(std::atomic<int>::is_always_lock_free, "touched from a signal handler");

// Only what is async-signal-safe: a count and one byte into the pipe. The
// write may change errno under the code the signal interrupted.
void onSignal(int signal)
{
    const int savedErrno = errno;
    signalCount.fetch_add(1, std::memory_order_relaxed);
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}
} // namespace

void closeOnTerminationSignals(QWidget *window)
{
    if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window = QPointer<QWidget>(window)] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], &byte, 1);
        if (window)
            window->close();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

int terminationSignals() { return signalCount.load(std::memory_order_relaxed); }

} // namespace platform
