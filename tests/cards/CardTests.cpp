// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/CStack.h"
#include "cards/DrawingSurface.h"

#include <gtest/gtest.h>

namespace {

TEST(CCard, RankAndFaceStayInStepAndTheCardDrawsWithItsOwnSurfaceAndPlace)
{
    CCard card;
    card.setCardSuit(3);
    card.setCardNumber(7);
    EXPECT_EQ(card.CardFace(), 24);
    card.setCardFace(48);
    EXPECT_EQ(card.CardNumber(), 13);
    // A face that is no rank code is stored but leaves the rank alone.
    card.setCardFace(5);
    EXPECT_EQ(card.CardNumber(), 13);
    for (int16_t impossible : {0, 14, -1}) {
        card.setCardNumber(impossible);
        EXPECT_EQ(card.CardNumber(), 1);
        EXPECT_EQ(card.CardFace(), 0);
    }

    RecordingSurface own, other;
    card.setCardNumber(2);
    card.setCardBack(60);
    card.setHDC(own.hDC());
    card.setX(30);
    card.Draw();
    card.DrawBack();
    card.DrawHDC(other.hDC());
    using Call = RecordingSurface::Call;
    EXPECT_EQ(own.calls, (std::vector<Call>{{30, 0, 7, 0, 0}, {0, 0, 60, 1, 0}}));
    EXPECT_EQ(other.calls, (std::vector<Call>{{0, 0, 7, 0, 0}}));
}

// Positions run from 1 at the bottom to Count; any other throws and changes nothing.
TEST(CStack, InsertsBeforeAPlaceAndRefusesPlacesItDoesNotHave)
{
    CStack stack;
    EXPECT_THROW(stack.TopCard(), std::out_of_range);
    EXPECT_THROW(stack.RemoveTopCard(), std::out_of_range);

    const CardRef a = std::make_shared<CCard>(), b = std::make_shared<CCard>();
    stack.Add(a);
    stack.Add(b);
    stack.Add(b, 1);
    EXPECT_EQ(stack.Card(2), a);
    for (int16_t outside : {0, 4}) {
        EXPECT_THROW(stack.Card(outside), std::out_of_range);
        EXPECT_THROW(stack.Remove(outside), std::out_of_range);
    }
    EXPECT_THROW(stack.Add(a, 4), std::out_of_range);
    EXPECT_THROW(stack.Add(a, -1), std::out_of_range);
    EXPECT_EQ(stack.Count(), 3);
}

} // namespace
