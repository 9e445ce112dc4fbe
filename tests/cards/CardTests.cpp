// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/CStack.h"
#include "cards/DrawingSurface.h"

#include <gtest/gtest.h>

namespace {

CardRef makeCard(int32_t suit, int16_t number)
{
    auto card = std::make_shared<CCard>();
    card->setCardSuit(suit);
    card->setCardNumber(number);
    return card;
}

TEST(CCard, RankAndFaceStayInStep)
{
    CCard card;
    card.setCardSuit(2);
    card.setCardNumber(7);
    EXPECT_EQ(card.CardFace(), 24);
    card.setCardFace(48);
    EXPECT_EQ(card.CardNumber(), 13);
    // A face that is no rank code is stored but leaves the rank alone.
    card.setCardFace(5);
    EXPECT_EQ(card.CardFace(), 5);
    EXPECT_EQ(card.CardNumber(), 13);
    for (int16_t impossible : {0, 14, -1}) {
        card.setCardNumber(impossible);
        EXPECT_EQ(card.CardNumber(), 1);
        EXPECT_EQ(card.CardFace(), 0);
        EXPECT_EQ(card.CardSuit(), 2);
    }
}

TEST(CCard, DrawsThroughTheLibraryWithItsOwnSurfaceAndPlace)
{
    RecordingSurface own, other;
    CCard card;
    card.setCardSuit(3);
    card.setCardNumber(2);
    card.setCardBack(60);
    card.setHDC(own.hDC());
    card.setX(30);

    card.Draw();
    card.DrawBack();
    card.DrawHDC(other.hDC());
    card.Draw();

    using Call = RecordingSurface::Call;
    EXPECT_EQ(own.calls, (std::vector<Call>{{30, 0, 7, 0, 0}, {0, 0, 60, 1, 0}, {30, 0, 7, 0, 0}}));
    EXPECT_EQ(other.calls, (std::vector<Call>{{0, 0, 7, 0, 0}}));
    EXPECT_EQ(card.hDC(), own.hDC());
}

TEST(CStack, KeepsOrderAndSharesCards)
{
    CStack stack;
    EXPECT_EQ(stack.Count(), 0);
    EXPECT_EQ(stack.CardBack(), 0);

    auto a = makeCard(0, 1), b = makeCard(0, 2), c = makeCard(0, 3);
    stack.Add(a);
    stack.Add(b);
    stack.Add(c, 1);
    EXPECT_EQ(stack.Card(1), c);
    EXPECT_EQ(stack.Card(2), a);
    EXPECT_EQ(stack.TopCard(), b);

    stack.Remove(2);
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.TopCard(), b);
    stack.RemoveTopCard();
    EXPECT_EQ(stack.TopCard(), c);

    CStack other;
    other.Add(c);
    other.Card(1)->setX(15);
    EXPECT_EQ(stack.Card(1)->x(), 15);

    // The back reaches the cards held now; a card added later keeps its own.
    stack.setCardBack(61);
    EXPECT_EQ(std::pair(stack.CardBack(), c->CardBack()), std::pair(61, 61));
    auto late = makeCard(1, 4);
    late->setCardBack(64);
    stack.Add(late);
    EXPECT_EQ(stack.TopCard()->CardBack(), 64);
}

TEST(CStack, PositionsOutOfRangeThrowAndChangeNothing)
{
    CStack stack;
    EXPECT_THROW(stack.TopCard(), std::out_of_range);
    EXPECT_THROW(stack.RemoveTopCard(), std::out_of_range);
    stack.Add(makeCard(0, 5));
    EXPECT_THROW(stack.Card(0), std::out_of_range);
    EXPECT_THROW(stack.Card(2), std::out_of_range);
    EXPECT_THROW(stack.Remove(2), std::out_of_range);
    EXPECT_THROW(stack.Add(makeCard(0, 6), 2), std::out_of_range);
    EXPECT_THROW(stack.Add(makeCard(0, 6), -1), std::out_of_range);
    EXPECT_EQ(stack.Count(), 1);
    EXPECT_EQ(stack.TopCard()->CardNumber(), 5);
}

} // namespace
