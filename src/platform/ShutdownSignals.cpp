#include "ShutdownSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_pipe[2] = {-1, -1}; // the handler may only touch async-signal-safe state
QSocketNotifier* g_notifier = nullptr;

std::function<void()>& onEventLoop()
{
    static std::function<void()> handler;
    return handler;
}

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}
} // namespace

void installShutdownSignals(std::function<void()> handler)
{
    onEventLoop() = std::move(handler);
    if (g_notifier) {
        g_notifier->setEnabled(true);
        return;
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    g_notifier =
        new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(g_notifier, &QSocketNotifier::activated, g_notifier, [] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(g_pipe[0], &byte, 1);
        g_notifier->setEnabled(false); // once is enough
        if (onEventLoop())
            onEventLoop()();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(sig, &action, nullptr);
}
