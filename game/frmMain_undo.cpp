// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"

// One level of undo: the order of every pile and home pile, sharing the cards.
void frmMain::SaveUndo()
{
    mclsUndoPile = mclsPile;
    mclsUndoHome = mclsHome;
    mbDrawSinceUndo = false;
}

void frmMain::RestoreUndo() {}
