// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/CStack.h"

void CStack::Add(CardRef clsNewCard, int16_t iPos)
{
    if (iPos == 0)
        mCards.Append(std::move(clsNewCard));
    else
        mCards.Insert(std::move(clsNewCard), iPos);
}
