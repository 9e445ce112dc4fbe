// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"

void frmMain::mnuHelpContents_Click() {}
void frmMain::mnuHelpHvGames_Click() {}
void frmMain::mnuHelpAbout_Click() {}
