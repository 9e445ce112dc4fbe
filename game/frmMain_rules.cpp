// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"
#include "cards/modGlobals.h"

// Down in suit on the piles, one rank at a time; nothing goes onto an empty pile.
bool frmMain::CanPlayOnPile(int16_t t) const
{
    if (t < 0 || mclsPile[t].Count() == 0)
        return false;
    const CardRef &top = mclsPile[t].TopCard();
    return top->CardSuit() == mclsDragCard->CardSuit() &&
           top->CardNumber() == mclsDragCard->CardNumber() + 1;
}

// Up in suit on the home piles: only the next rank of the pile's own suit.
bool frmMain::CanPlayOnHome(int16_t h) const
{
    if (h < 0)
        return false;
    const CardRef &top = mclsHome[h].TopCard();
    return top->CardSuit() == mclsDragCard->CardSuit() &&
           top->CardNumber() == mclsDragCard->CardNumber() - 1;
}

// The deck keeps exactly the cards that are not home.
void frmMain::RemoveFromDeck(int32_t suit, int16_t rank)
{
    CDeck &deck = gclsDeck();
    for (int16_t i = 1; i <= deck.Count(); ++i) {
        const CardRef &card = deck.Card(i);
        if (card->CardSuit() == suit && card->CardNumber() == rank) {
            deck.Remove(i);
            return;
        }
    }
}

// Sends the top card home when its home pile wants it next, whichever home box it is.
void frmMain::picPile_DblClick(int16_t Index)
{
    if (DrawModeOn())
        return;
    CStack &pile = mclsPile[Index];
    const CardRef card = pile.TopCard();
    const int32_t s = card->CardSuit();
    if (card->CardNumber() != mclsHome[s].TopCard()->CardNumber() + 1)
        return;
    SaveUndo();
    mclsHome[s].Add(card);
    DrawHome(static_cast<int16_t>(s));
    RemoveFromDeck(s, card->CardNumber());
    pile.RemoveTopCard();
    DrawPile(Index);
    CheckForWin();
    UpdateCaption();
}
