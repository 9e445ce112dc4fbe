// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the tests inside a QApplication on the offscreen platform, with a settings
// folder of their own so that no test reads or writes the player's settings.
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The build's program folder, with its help file and songs.
    setAppPath(QStringLiteral(MARROWBY_TEST_PROGRAM_DIR));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
