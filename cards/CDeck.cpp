// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/CDeck.h"

#include "cards/RandomSource.h"

#include <algorithm>
#include <cmath>

CDeck::CDeck()
{
    randomSource().Randomize();
    cdtInit(&mCardWidth, &mCardHeight);
    for (int32_t suit = 0; suit < 4; ++suit) {
        for (int16_t number = 1; number <= 13; ++number) {
            auto card = std::make_shared<CCard>();
            card->setCardBack(64);
            card->setCardSuit(suit);
            card->setCardType(mdFaceUp);
            card->setCardNumber(number);
            mCards.Append(std::move(card));
        }
    }
    cdtTerm();
}

// Draws the cards one at a time, without replacement, from what is left.
void CDeck::Shuffle()
{
    std::vector<CardRef> left = std::move(mCards.cards());
    mCards.cards().clear();
    while (!left.empty()) {
        const double r = randomSource().Rnd();
        const double m = static_cast<double>(left.size());
        auto k = static_cast<std::size_t>(std::floor(r * m + 1.0));
        k = std::clamp<std::size_t>(k, 1, left.size()); // a source must not push us out of range
        mCards.Append(std::move(left[k - 1]));
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(k - 1));
    }
}
