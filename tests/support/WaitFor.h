// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Waiting on a state while the event loop runs, for tests and benchmarks that drive a window
// through processes outside it (an X server, an input method).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

// Runs the event loop until `done` holds; false after `ms` milliseconds.
inline bool WaitFor(const std::function<bool()>& done, int ms = 15000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        // Polled often enough for a benchmark, without holding a core the input method needs.
        QThread::usleep(500);
    }
    return true;
}
