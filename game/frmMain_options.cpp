// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/frmDeck.h"
#include "options/frmMusic.h"
#include "game/frmMain.h"
#include "cards/modGlobals.h"

// Each opening makes the dialog afresh and lets it go when it closes. A choice is written
// as soon as it is made: an ending that never closes the window (a compositor that dies
// takes the process with it) does not lose it.
void frmMain::mnuFileDeck_Click()
{
    bool chosen = false;
    {
        frmDeck dialog(this);
        chosen = dialog.exec() == QDialog::Accepted;
    }
    showCardBack();
    if (chosen)
        SaveStartupSettings(); // after the deck has the back: the deck's is what is written
}

// Only a change is shown (an empty deck after a win reads no back, so any choice is).
void frmMain::showCardBack()
{
    if (gclsDeck().CardBack() == glCardBack)
        return;
    gclsDeck().setCardBack(glCardBack);
    // Play piles show faces; only a completed home pile shows a back.
    for (int16_t i = 0; i < 4; ++i) {
        CStack &home = mclsHome[i];
        home.setCardBack(glCardBack);
        if (home.Count() == 0 || home.TopCard()->CardNumber() != 13)
            continue;
        const CardRef &king = home.TopCard();
        king->setHDC(picHome[i]->hDC());
        king->DrawBack();
        picHome[i]->Refresh();
    }
}

void frmMain::mnuOptionsMusic_Click()
{
    frmMusic dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        SaveStartupSettings();
}
