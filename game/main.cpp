// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/CommandLine.h"
#include "game/Translations.h"
#include "game/frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Marrowby"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(MARROWBY_VERSION_MAJOR)
                                                .arg(MARROWBY_VERSION_MINOR)
                                                .arg(MARROWBY_VERSION_PATCH));
    {
        // --help and --version answer without a display to connect to.
        QCoreApplication terminal(argc, argv);
        installTranslations(terminal);
        if (const auto status = answerCommandLine(terminal.arguments(), UnknownOptions::Wait))
            return *status;
    }
    QApplication app(argc, argv);
    installTranslations(app);
    if (const auto status = answerCommandLine(app.arguments(), UnknownOptions::Refuse))
        return *status;
    QApplication::setDesktopFileName(QStringLiteral("io.github.marrowby.Marrowby"));
    frmMain window;
    window.show();
    return app.exec();
}
