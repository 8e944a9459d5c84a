// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Requests to end the program that come from outside its windows: the signals SIGTERM, SIGINT
// and SIGHUP (kill, Ctrl+C in a terminal, a closed terminal, a system shutting down) and the
// desktop session manager ending the session. Each reaches the one user-interface thread as a
// call of the function given, as a click on the window's close box would; nobody is there to
// answer a question then.

#include <QObject>

#include <functional>

class QSocketNotifier;

class TQuitRequests : public QObject {
public:
    // Installs the signal handlers; the function runs once per request, on the thread that
    // created this object, never inside the signal handler itself.
    explicit TQuitRequests(std::function<void()> onQuit, QObject* parent = nullptr);
    // Restores the default handlers.
    ~TQuitRequests() override;
    TQuitRequests(const TQuitRequests&) = delete;
    TQuitRequests& operator=(const TQuitRequests&) = delete;

private:
    void ReadSignals();

    std::function<void()> FOnQuit;
    QSocketNotifier* FNotifier = nullptr;
};
