// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholders for play, filled in feature by feature.
#include "game/frmMain.h"
#include "game/TableSurface.h"

void frmMain::Form_MouseMove(int16_t, int16_t, float, float) {}
void frmMain::Form_MouseUp(int16_t, int16_t, float, float) {}
void frmMain::mnuOptionsUndo_Click() {}
void frmMain::cmdDraw_Click() {}
void frmMain::picPile_MouseDown(int16_t, int16_t, int16_t, float, float) {}
void frmMain::picPile_MouseMove(int16_t, int16_t, int16_t, float, float) {}
void frmMain::picPile_MouseUp(int16_t, int16_t, int16_t, float, float) {}
void frmMain::picPile_DblClick(int16_t) {}
void frmMain::picHome_MouseDown(int16_t, int16_t, int16_t, float, float) {}
void frmMain::picHome_MouseUp(int16_t, int16_t, int16_t, float, float) {}
bool frmMain::CanPlayOnPile(int16_t) const { return false; }
bool frmMain::CanPlayOnHome(int16_t) const { return false; }
void frmMain::RemoveFromDeck(int32_t, int16_t) {}
void frmMain::ReturnDragCard() {}
bool frmMain::DrawModeOn() const { return picPile[0]->MousePointer() == PictureBox::vbCustom; }
void frmMain::LocateCards(int16_t, int16_t) {}
