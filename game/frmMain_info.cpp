// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"

#include "help/frmAbout.h"
#include "help/clsWinHelp.h"
#include "help/modHyperlink.h"

void frmMain::mnuHelpContents_Click()
{
    if (!mclsHelp)
        mclsHelp = std::make_shared<clsWinHelp>(this);
    mclsHelp->ShowHelpContents();
}

void frmMain::mnuHelpHvGames_Click()
{
    OpenGamesWebPage();
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout about(this);
    about.exec();
}
