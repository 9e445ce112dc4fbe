// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/frmDeck.h"
#include "options/frmMusic.h"
#include "game/frmMain.h"
#include "cards/modGlobals.h"

// Each opening makes the dialog afresh and lets it go when it closes.
void frmMain::mnuFileDeck_Click()
{
    {
        frmDeck dialog(this);
        dialog.exec();
    }
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
    dialog.exec();
}
