// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QuitRequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <stdexcept>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int QuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The two ends of the pipe from the signal handler to the event loop: the handler may only do
// what is safe in a signal handler, so it writes one byte and the loop does the work.
int SignalPipe[2] = {-1, -1};

extern "C" void OnQuitSignal(int) {
    int saved = errno;
    char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(SignalPipe[0], &byte, 1);
    errno = saved;
}

} // namespace

TQuitRequests::TQuitRequests(std::function<void()> onQuit, QObject* parent)
    : QObject(parent), FOnQuit(std::move(onQuit)) {
    if (SignalPipe[0] < 0) {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, SignalPipe) != 0)
            throw std::runtime_error("Cannot create the signal pipe");
        // A flood of signals must never block the handler.
        ::fcntl(SignalPipe[0], F_SETFL, ::fcntl(SignalPipe[0], F_GETFL) | O_NONBLOCK);
        ::fcntl(SignalPipe[1], F_SETFL, ::fcntl(SignalPipe[1], F_GETFL) | O_NONBLOCK);
    }
    FNotifier = new QSocketNotifier(SignalPipe[1], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TQuitRequests::ReadSignals);

    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : QuitSignals)
        ::sigaction(signal, &action, nullptr);

    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { FOnQuit(); });
}

TQuitRequests::~TQuitRequests() {
    for (int signal : QuitSignals)
        ::signal(signal, SIG_DFL);
}

void TQuitRequests::ReadSignals() {
    char bytes[64];
    bool any = false;
    while (::read(SignalPipe[1], bytes, sizeof bytes) > 0)
        any = true;
    if (any)
        FOnQuit();
}
