// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramLauncher.h"

#include <QProcess>

namespace {
ProgramLauncher &launcher()
{
    static ProgramLauncher l;
    return l;
}
} // namespace

bool startProgram(const QString &program)
{
    return launcher() ? launcher()(program) : QProcess::startDetached(program, {});
}

void setProgramLauncher(ProgramLauncher newLauncher)
{
    launcher() = std::move(newLauncher);
}
