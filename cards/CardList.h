// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cards/CCard.h"

#include <stdexcept>
#include <string>
#include <vector>

// The ordered list of shared cards behind a stack and the deck, addressed 1..Count.
// A position out of range throws std::out_of_range and changes nothing.
class CardList
{
public:
    int16_t Count() const { return static_cast<int16_t>(mCards.size()); }
    const CardRef &Card(int iIndex) const { return mCards.at(checked(iIndex, "Card")); }
    void Remove(int iIndex) { mCards.erase(mCards.begin() + checked(iIndex, "Remove")); }
    void Append(CardRef card) { mCards.push_back(std::move(card)); }
    void Insert(CardRef card, int iPos)
    {
        mCards.insert(mCards.begin() + checked(iPos, "Add"), std::move(card));
    }
    int32_t CardBack() const { return mCards.empty() ? 0 : mCards.front()->CardBack(); }
    void setCardBack(int32_t NewCardBack)
    {
        for (const CardRef &card : mCards)
            card->setCardBack(NewCardBack);
    }
    std::vector<CardRef> &cards() { return mCards; }
    const std::vector<CardRef> &cards() const { return mCards; }

private:
    std::size_t checked(int iIndex, const char *operation) const
    {
        if (iIndex < 1 || iIndex > Count())
            throw std::out_of_range(std::string(operation) + ": position " +
                                    std::to_string(iIndex) + " outside 1.." +
                                    std::to_string(Count()));
        return static_cast<std::size_t>(iIndex - 1);
    }

    std::vector<CardRef> mCards;
};
