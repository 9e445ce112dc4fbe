// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/CommandLine.h"
#include "game/Translations.h"
#include "game/frmMain.h"
#include "options/MidiPlayer.h"
#include "platform/DeferredStyleIcons.h"
#include "platform/QuitSignals.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdlib>

namespace {

const frmMain *gOpenWindow = nullptr;

// Qt ends the process through exit() when the display connection breaks, and the
// window never closes then; the choices are written on the way out all the same.
void saveChoicesOfAnOpenWindow()
{
    if (gOpenWindow && gOpenWindow->isVisible())
        SaveStartupSettings();
}

// Asked to end from outside: the dialogs first, so their event loops give way, then the
// window, whose close writes the settings as File, Exit does.
void closeInOrder(frmMain &window)
{
    for (QWidget *other : QApplication::topLevelWidgets())
        if (other != &window && other->isVisible())
            other->close();
    window.close();
}

} // namespace

int main(int argc, char *argv[])
{
    nameSoundStreams(); // before any thread starts
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
    DeferredStyleIcons::install();
    frmMain window;

    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &window,
                     [&window] { closeInOrder(window); });
    // The session saves (and may go on) before it ends; ending it then quits the
    // application, which closes the window below if nothing else did.
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &window,
        [](QSessionManager &) { SaveStartupSettings(); }, Qt::DirectConnection);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, [&window] {
        if (window.isVisible())
            window.close();
    });
    // Registered after the window has read the settings, so the settings store is still
    // there when the hook runs.
    gOpenWindow = &window;
    std::atexit(saveChoicesOfAnOpenWindow);

    window.show();
    const int status = QApplication::exec();
    gOpenWindow = nullptr;
    return status;
}
