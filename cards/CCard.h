// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cards/cdt.h"

#include <cstdint>
#include <memory>

// One playing card. Cards are shared, never copied: the deck, a pile and the undo
// copy hold the same object, so what one sets (hDC, x) the others see.
class CCard
{
public:
    CCard() = default;
    CCard(const CCard &) = delete;
    CCard &operator=(const CCard &) = delete;

    void DrawBack();
    void Draw();
    void DrawHDC(HDC lhDC);

    HDC hDC() const { return mhDC; }
    void setHDC(HDC lNewHDC) { mhDC = lNewHDC; }
    int32_t x() const { return mX; }
    void setX(int32_t lNewX) { mX = lNewX; }
    int32_t y() const { return mY; }
    void setY(int32_t lNewY) { mY = lNewY; }
    int32_t CardType() const { return mCardType; }
    void setCardType(int32_t eNewCardType) { mCardType = eNewCardType; }
    int32_t CardBack() const { return mCardBack; }
    void setCardBack(int32_t eNewCardBack) { mCardBack = eNewCardBack; }
    int32_t CardSuit() const { return mCardSuit; }
    void setCardSuit(int32_t eNewCardSuit) { mCardSuit = eNewCardSuit; }
    int32_t CardFace() const { return mCardFace; }
    void setCardFace(int32_t eNewCardFace);
    int16_t CardNumber() const { return mCardNumber; }
    void setCardNumber(int16_t iNewCardNumber);

private:
    int32_t mCardType = 0;
    int32_t mCardBack = 0;
    int32_t mCardSuit = 0;
    int32_t mCardFace = 0;
    int16_t mCardNumber = 0;
    int32_t mX = 0;
    int32_t mY = 0;
    HDC mhDC = 0;
};

using CardRef = std::shared_ptr<CCard>;
