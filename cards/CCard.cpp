// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/CCard.h"

void CCard::DrawBack()
{
    cdtDraw(mhDC, 0, 0, mCardBack, mdFaceDown, 0);
}

void CCard::Draw()
{
    cdtDraw(mhDC, mX, mY, mCardFace + mCardSuit, mCardType, 0);
}

void CCard::DrawHDC(HDC lhDC)
{
    cdtDraw(lhDC, 0, 0, mCardFace + mCardSuit, mCardType, 0);
}

void CCard::setCardFace(int32_t eNewCardFace)
{
    mCardFace = eNewCardFace;
    if (eNewCardFace >= 0 && eNewCardFace <= 48 && eNewCardFace % 4 == 0)
        mCardNumber = static_cast<int16_t>(eNewCardFace / 4 + 1);
}

void CCard::setCardNumber(int16_t iNewCardNumber)
{
    mCardNumber = iNewCardNumber;
    if (iNewCardNumber >= 1 && iNewCardNumber <= 13)
        mCardFace = (iNewCardNumber - 1) * 4;
    else
        setCardFace(0); // an impossible rank makes the card an ace
}
