// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/clsWinHelp.h"

#include "platform/Languages.h"
#include "platform/ProgramFolder.h"
#include "help/WinHelp.h"

#include <QFileInfo>

clsWinHelp::clsWinHelp(QWidget *owner) : mOwner(owner) {}

clsWinHelp::~clsWinHelp()
{
    QuitHelp();
}

void clsWinHelp::ShowHelpContents()
{
    call(HELP_CONTENTS, 0);
}
void clsWinHelp::ShowHelpOnHelp()
{
    call(HELP_HELPONHELP, 0);
}
void clsWinHelp::ShowHelpIndex()
{
    call(HELP_INDEX, 0);
}
void clsWinHelp::ShowHelpContext(int16_t iContextID)
{
    call(HELP_CONTEXT, static_cast<uintptr_t>(iContextID));
}
void clsWinHelp::QuitHelp()
{
    call(HELP_QUIT, 0);
}

QString clsWinHelp::HelpFile()
{
    // A translated help beside it carries its language in its name: Marrowby.de.hlp.
    for (const QString &language : wantedLanguages()) {
        const QString translated =
            resolveIgnoringCase(programFile(QStringLiteral("Marrowby.%1.hlp").arg(language)));
        if (QFileInfo::exists(translated))
            return translated;
    }
    return resolveIgnoringCase(programFile(QStringLiteral("Marrowby.hlp")));
}

// The engine's answer changes nothing here: the engine explains its own troubles.
void clsWinHelp::call(uint32_t command, uintptr_t data) const
{
    WinHelpA(mOwner, HelpFile(), command, data);
}
