// SPDX-License-Identifier: GPL-3.0-or-later
// Signals that end the program reach the event loop as one call each, never inside the handler.

#include "platform/QuitRequests.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

TEST(QuitRequestsTest, EachEndingSignalCallsTheFunctionFromTheEventLoop) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        int calls = 0;
        {
            TQuitRequests requests([&calls] { ++calls; });
            ASSERT_EQ(::raise(signal), 0);
            EXPECT_EQ(calls, 0) << "not from inside the signal handler";
            EXPECT_TRUE(QTest::qWaitFor([&calls] { return calls > 0; }, 2000)) << signal;
            QCoreApplication::processEvents();
            EXPECT_EQ(calls, 1) << signal;
        }
        struct sigaction current = {};
        ::sigaction(signal, nullptr, &current);
        EXPECT_EQ(current.sa_handler, SIG_DFL) << "the default comes back with the object";
    }
}

TEST(QuitRequestsTest, SignalsInQuickSuccessionEndInOneCall) {
    int calls = 0;
    TQuitRequests requests([&calls] { ++calls; });
    for (int i = 0; i < 5; ++i)
        ::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&calls] { return calls > 0; }, 2000));
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
}
