// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/WinHelp.h"

#include "help/HelpWindow.h"

#include <QFileInfo>
#include <QPointer>
#include <QWidget>

#include <map>
#include <utility>

namespace {
WinHelpHook &hook()
{
    static WinHelpHook h;
    return h;
}

// One window per help file, known by the file's absolute path.
std::map<QString, QPointer<HelpWindow>> &windows()
{
    static std::map<QString, QPointer<HelpWindow>> w;
    return w;
}

QString key(const QString &file)
{
    return QFileInfo(file).absoluteFilePath();
}

HelpWindow *openWindow(QWidget *owner, const QString &file)
{
    QPointer<HelpWindow> &window = windows()[key(file)];
    if (!window) {
        window = new HelpWindow(file);
        if (owner)
            window->setScreen(owner->screen());
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

bool engine(QWidget *owner, const QString &file, uint32_t command, uintptr_t data)
{
    switch (command) {
    case HELP_CONTEXT:
        // The context travels in the low 32 bits, as the classic engine took it.
        openWindow(owner, file)->showContext(static_cast<int32_t>(static_cast<uint32_t>(data)));
        return true;
    case HELP_CONTENTS:
        openWindow(owner, file)->showContents();
        return true;
    case HELP_HELPONHELP:
        openWindow(owner, file)->showHelpOnHelp();
        return true;
    case HELP_QUIT:
        if (const auto it = windows().find(key(file)); it != windows().end()) {
            const QPointer<HelpWindow> window = it->second;
            windows().erase(it);
            if (window)
                window->close();
        }
        return true;
    default:
        return false;
    }
}
} // namespace

bool WinHelpA(QWidget *owner, const QString &file, uint32_t command, uintptr_t data)
{
    return hook() ? hook()(owner, file, command, data) : engine(owner, file, command, data);
}

WinHelpHook setWinHelpHook(WinHelpHook newHook)
{
    return std::exchange(hook(), std::move(newHook));
}

HelpWindow *helpWindowFor(const QString &file)
{
    const auto it = windows().find(key(file));
    return it == windows().end() ? nullptr : it->second.data();
}
