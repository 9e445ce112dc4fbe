// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <optional>

// The game reads no options of its own beyond --help and --version. Anything else is
// refused, but only once QApplication has taken out Qt's own options (-style, -platform
// and the like): until then an unknown option may still be one of those.
enum class UnknownOptions { Wait, Refuse };

// Answers --help and --version on standard output and refuses an unknown option or an
// argument on standard error. Returns the exit status when the program should end there,
// nothing when the game should start. Needs a QCoreApplication for the program's name.
std::optional<int> answerCommandLine(const QStringList &arguments, UnknownOptions unknown);
