// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/TableGeometry.h"
#include "game/frmMain.h"
#include "cards/modGlobals.h"

#include <QLabel>
#include <QPushButton>

using namespace TableGeometry;

namespace {
// The aces of a fresh deck, in the order they go home.
constexpr int16_t kAcePositions[] = {1, 14, 27, 40};
} // namespace

void frmMain::NewDeal()
{
    Midi->StopSong();
    miShufflesLeft = 2;
    cmdReShuffle->setEnabled(true);
    for (int16_t i = 0; i < 16; ++i) {
        mclsPile[i] = CStack();
        picPile[i]->Cls();
        picPile[i]->show();
    }
    for (int16_t i = 0; i < 4; ++i) {
        mclsHome[i] = CStack();
        picHome[i]->Cls();
    }
    newDeck();
    PlaceAces();
    gclsDeck().Shuffle();

    DealPiles();
    for (int16_t i = 0; i < 4; ++i)
        DrawHome(i);
    UpdateCaption();
}

void frmMain::PlaceAces()
{
    for (int16_t position : kAcePositions) {
        const CardRef &card = gclsDeck().Card(position);
        const int32_t s = card->CardSuit();
        mclsHome[s].Add(card);
        card->setHDC(picHome[s]->hDC());
        card->setX(0);
        card->Draw();
    }
    // From the highest, so the earlier removals do not move the later ones.
    for (auto it = std::rbegin(kAcePositions); it != std::rend(kAcePositions); ++it)
        gclsDeck().Remove(*it);
}

void frmMain::ReShuffle()
{
    --miShufflesLeft;
    if (miShufflesLeft == 0)
        cmdReShuffle->setEnabled(false);
    for (int16_t i = 0; i < 16; ++i) {
        mclsPile[i] = CStack();
        picPile[i]->Cls();
    }
    gclsDeck().Shuffle();

    DealPiles();
    ShowShufflesLeft();
}

// Three cards a pile from the first pile on, while the deck lasts; the deck keeps
// its cards.
void frmMain::DealPiles()
{
    int16_t k = 0;
    for (int16_t i = 0; i < 16; ++i) {
        for (int j = 0; j < DealtPileCards; ++j) {
            ++k;
            if (k > gclsDeck().Count())
                break;
            const CardRef &card = gclsDeck().Card(k);
            mclsPile[i].Add(card);
            card->setHDC(picPile[i]->hDC());
            card->setX(FanStep * j);
            card->Draw();
        }
    }
    for (int16_t i = 0; i < 16; ++i)
        DrawPile(i);
}

void frmMain::cmdReShuffle_Click()
{
    if (mbDragging) // the held card would be dealt a second time
        return;
    ReShuffle();
    SaveUndo();
}

void frmMain::ShowShufflesLeft()
{
    lblShufflesLeft->setText(miShufflesLeft == 1 ? tr("1 Shuffle Left")
                                                 : tr("%1 Shuffles Left").arg(miShufflesLeft));
}
