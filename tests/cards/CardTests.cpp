// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/CDeck.h"
#include "cards/CStack.h"
#include "cards/DrawingSurface.h"

#include <gtest/gtest.h>

namespace {

CardRef makeCard(int16_t number)
{
    auto card = std::make_shared<CCard>();
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

// A position out of range throws and changes nothing.
TEST(CStack, KeepsOrderSharesCardsAndRefusesPlacesItDoesNotHave)
{
    CStack stack;
    EXPECT_THROW(stack.TopCard(), std::out_of_range);
    EXPECT_THROW(stack.RemoveTopCard(), std::out_of_range);
    EXPECT_EQ(stack.CardBack(), 0);

    auto a = makeCard(1), b = makeCard(2), c = makeCard(3);
    stack.Add(a);
    stack.Add(b);
    stack.Add(c, 1);
    EXPECT_EQ(stack.Card(1), c);
    EXPECT_EQ(stack.Card(2), a);
    EXPECT_EQ(stack.TopCard(), b);
    for (int16_t outside : {0, 4}) {
        EXPECT_THROW(stack.Card(outside), std::out_of_range);
        EXPECT_THROW(stack.Remove(outside), std::out_of_range);
    }
    EXPECT_THROW(stack.Add(makeCard(6), 4), std::out_of_range);
    EXPECT_THROW(stack.Add(makeCard(6), -1), std::out_of_range);
    EXPECT_EQ(stack.Count(), 3);

    stack.Remove(2);
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
    auto late = makeCard(4);
    late->setCardBack(64);
    stack.Add(late);
    EXPECT_EQ(stack.TopCard()->CardBack(), 64);
}

TEST(CDeck, ANewDeckIsInSuitOrderWithTheLibrarySize)
{
    CDeck deck;
    ASSERT_EQ(deck.Count(), 52);
    EXPECT_EQ(std::pair(deck.CardWidth(), deck.CardHeight()), std::pair(71, 96));
    for (int16_t i = 1; i <= 52; ++i) {
        const CardRef &card = deck.Card(i);
        EXPECT_EQ(card->CardSuit(), (i - 1) / 13);
        EXPECT_EQ(card->CardNumber(), (i - 1) % 13 + 1);
        EXPECT_EQ(card->CardBack(), 64);
    }
}

TEST(CDeck, TheBackReachesOnlyCardsStillInTheDeckAndAnyDeckShuffles)
{
    CDeck deck;
    std::vector<CardRef> removed;
    for (int n = 0; n < 10; ++n) {
        removed.push_back(deck.Card(1));
        deck.Remove(1);
    }
    deck.setCardBack(60);
    for (const CardRef &card : removed)
        EXPECT_EQ(card->CardBack(), 64);
    for (int16_t i = 1; i <= deck.Count(); ++i)
        EXPECT_EQ(deck.Card(i)->CardBack(), 60);

    while (deck.Count() > 1)
        deck.Remove(1);
    const CCard *last = deck.Card(1).get();
    deck.Shuffle();
    EXPECT_EQ(deck.Card(1).get(), last);
    deck.Remove(1);
    deck.Shuffle();
    EXPECT_EQ(deck.Count(), 0);
    EXPECT_EQ(deck.CardBack(), 0);
}

} // namespace
