// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QuitSignals.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(QuitSignals, EachSignalAsksOnceOnTheEventLoopAndTheOldHandlingComesBack)
{
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(number);
        std::signal(number, SIG_IGN);
        {
            QuitSignals signals;
            QSignalSpy received(&signals, &QuitSignals::received);
            ASSERT_EQ(raise(number), 0);
            EXPECT_TRUE(received.isEmpty()) << "nothing may run inside the handler";
            EXPECT_TRUE(received.wait(5000));
            EXPECT_EQ(received.value(0).value(0).toInt(), number);
        }
        struct sigaction now = {};
        sigaction(number, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_IGN);
        std::signal(number, SIG_DFL);
    }
}

// Asked twice, the program is not waited for: the second signal ends it as its default
// would, so whoever sent it sees the right cause.
TEST(QuitSignals, ASecondSignalEndsTheProcessAtOnce)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QuitSignals signals;
            raise(SIGTERM);
            raise(SIGHUP);
            std::_Exit(0);
        },
        ::testing::KilledBySignal(SIGHUP), "");
}

} // namespace
