// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"
#include "cards/modGlobals.h"

#include <QPushButton>

#include <algorithm>
#include <vector>

namespace {
std::vector<CardRef> cardsOf(const std::array<CStack, 4> &piles)
{
    std::vector<CardRef> cards;
    for (const CStack &pile : piles)
        for (int16_t p = 1; p <= pile.Count(); ++p)
            cards.push_back(pile.Card(p));
    return cards;
}
} // namespace

// One level of undo: the order of every pile and home pile, sharing the cards.
void frmMain::SaveUndo()
{
    mclsUndoPile = mclsPile;
    mclsUndoHome = mclsHome;
    mbDrawSinceUndo = false;
}

// Keeps the snapshot, so a second undo in a row changes nothing more.
void frmMain::RestoreUndo()
{
    const std::vector<CardRef> wasHome = cardsOf(mclsHome);
    for (int16_t i = 0; i < 16; ++i) {
        mclsPile[i] = mclsUndoPile[i];
        DrawPile(i);
    }
    for (int16_t i = 0; i < 4; ++i) {
        mclsHome[i] = mclsUndoHome[i];
        DrawHome(i);
    }
    if (mbDrawSinceUndo)
        cmdDraw->setEnabled(true);
    mbDrawSinceUndo = false;

    // Cards taken off the home piles are in play again.
    const std::vector<CardRef> isHome = cardsOf(mclsHome);
    for (const CardRef &card : wasHome)
        if (std::find(isHome.begin(), isHome.end(), card) == isHome.end())
            gclsDeck().Add(card);
    UpdateCaption();
}

void frmMain::mnuOptionsUndo_Click()
{
    if (mbDragging) // the snapshot still holds the card in its pile
        return;
    RestoreUndo();
}
