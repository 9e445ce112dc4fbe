// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/CDeck.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::vector<CCard *> order(const CDeck &deck)
{
    std::vector<CCard *> cards;
    for (int16_t i = 1; i <= deck.Count(); ++i)
        cards.push_back(deck.Card(i).get());
    return cards;
}

TEST(CDeck, ANewDeckIsInSuitOrderWithTheLibrarySize)
{
    CDeck deck;
    ASSERT_EQ(deck.Count(), 52);
    EXPECT_EQ(deck.CardWidth(), 71);
    EXPECT_EQ(deck.CardHeight(), 96);
    EXPECT_EQ(deck.CardBack(), 64);
    for (int16_t i = 1; i <= 52; ++i) {
        const CardRef &card = deck.Card(i);
        EXPECT_EQ(card->CardSuit(), (i - 1) / 13);
        EXPECT_EQ(card->CardNumber(), (i - 1) % 13 + 1);
        EXPECT_EQ(card->CardBack(), 64);
    }
}

TEST(CDeck, ShuffleTakesTheFirstCardForZeroAndTheLastForJustBelowOne)
{
    for (float draw : {0.0f, 0.99999994f}) {
        ScopedRandomSource random({draw});
        CDeck deck;
        auto before = order(deck);
        deck.Shuffle();
        if (draw > 0)
            std::reverse(before.begin(), before.end());
        EXPECT_EQ(order(deck), before) << draw;
    }
}

TEST(CDeck, ShuffleOfSmallDecks)
{
    CDeck deck;
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

TEST(CDeck, BackReachesOnlyCardsStillInTheDeck)
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
}

} // namespace
