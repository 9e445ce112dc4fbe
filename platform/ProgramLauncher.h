// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// Starts another program, detached, without waiting for it; false when it cannot start.
bool startProgram(const QString &program);

// Tests take the launcher's place; an empty one puts the real launcher back.
using ProgramLauncher = std::function<bool(const QString &program)>;
void setProgramLauncher(ProgramLauncher launcher);
