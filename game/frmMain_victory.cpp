// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"

void frmMain::CheckForWin() {}
