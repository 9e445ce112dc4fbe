// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marrowby"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(MARROWBY_VERSION_MAJOR)
                                            .arg(MARROWBY_VERSION_MINOR)
                                            .arg(MARROWBY_VERSION_PATCH));
    QApplication::setDesktopFileName(QStringLiteral("io.github.marrowby.Marrowby"));
    frmMain window;
    window.show();
    return app.exec();
}
