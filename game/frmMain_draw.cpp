// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/TableSurface.h"
#include "game/frmMain.h"

#include <QLabel>

// Draw mode is the hand cursor over the piles and the table; the cursors are the state.
bool frmMain::DrawModeOn() const
{
    return picPile[0]->MousePointer() == PictureBox::vbCustom;
}

void frmMain::cmdDraw_Click()
{
    if (mbDragging) // from the keyboard: the held card was taken in the other mode
        return;
    setCustomCursor(!DrawModeOn());
    mbDrawSinceUndo = true;
}

void frmMain::setCustomCursor(bool on)
{
    const int16_t pointer = on ? PictureBox::vbCustom : PictureBox::vbDefault;
    const QString tip = on ? tr("To Cancel the Draw, Click on the Draw button again.") : QString();
    for (PictureBox *box : picPile) {
        box->setMousePointer(pointer);
        box->setToolTip(tip);
    }
    table->setMousePointer(pointer);
    // The pointer may have left the last pile for the button without crossing the table.
    if (!on)
        imgDraw->hide();
}
