// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class HelpWindow;
class QWidget;

// The help engine's commands, with the values of the classic interface.
inline constexpr uint32_t HELP_CONTEXT = 1;    // data: the topic's context number
inline constexpr uint32_t HELP_QUIT = 2;       // closes the file's help window
inline constexpr uint32_t HELP_CONTENTS = 3;   // the contents topic
inline constexpr uint32_t HELP_INDEX = 3;      // the same command, as it always was
inline constexpr uint32_t HELP_HELPONHELP = 4; // how to use the help window

// Shows help from a help file in our help window: one window per file, non-modal, brought
// to the front on every call. A missing or unreadable file is explained in the window.
// Returns whether the command was understood.
bool WinHelpA(QWidget *owner, const QString &file, uint32_t command, uintptr_t data);

// Tests take the engine's place to see the calls; an empty hook puts the engine back.
using WinHelpHook = std::function<bool(QWidget *, const QString &, uint32_t, uintptr_t)>;
WinHelpHook setWinHelpHook(WinHelpHook hook);

// The engine's window for a file while it is open.
HelpWindow *helpWindowFor(const QString &file);
