// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cards/CardList.h"

// An ordered pile of shared cards: position 1 is the bottom, Count the top.
class CStack
{
public:
    int32_t CardBack() const { return mCards.CardBack(); }
    void setCardBack(int32_t NewCardBack) { mCards.setCardBack(NewCardBack); }
    const CardRef &Card(int iIndex) const { return mCards.Card(iIndex); }
    // iPos 0 puts the card on top; 1..Count inserts it before the card now there.
    void Add(CardRef clsNewCard, int16_t iPos = 0);
    const CardRef &TopCard() const { return mCards.Card(mCards.Count()); }
    void Remove(int16_t iIndex) { mCards.Remove(iIndex); }
    void RemoveTopCard() { mCards.Remove(mCards.Count()); }
    int16_t Count() const { return mCards.Count(); }

private:
    CardList mCards;
};
