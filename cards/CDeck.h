// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cards/CardList.h"

// The pack: every card not on a home pile, in the order the next deal lays them out,
// and the card size the whole table is laid out from.
class CDeck
{
public:
    CDeck();

    int32_t CardBack() const { return mCards.CardBack(); }
    void setCardBack(int32_t NewCardBack) { mCards.setCardBack(NewCardBack); }
    int32_t CardWidth() const { return mCardWidth; }
    void Remove(int16_t iIndex) { mCards.Remove(iIndex); }
    int16_t Count() const { return mCards.Count(); }
    int32_t CardHeight() const { return mCardHeight; }
    void Add(CardRef clsNewCard) { mCards.Append(std::move(clsNewCard)); }
    void Shuffle();
    const CardRef &Card(int16_t iIndex) const { return mCards.Card(iIndex); }

private:
    CardList mCards;
    int32_t mCardWidth = 0;
    int32_t mCardHeight = 0;
};
