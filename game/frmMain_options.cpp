// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"

void frmMain::mnuFileDeck_Click() {}
void frmMain::mnuOptionsMusic_Click() {}
