// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayDriver.h"

#include <gtest/gtest.h>

namespace {

// Fresh order: pile 1's top card is the 7 of suit 0. Each case may first lay a card on
// top of a pile, then drags pile 1's top card to a place.
TEST(Rules, ACardGoesOntoTheNextRankOfItsSuitOnly)
{
    using Place = QPoint (*)(const frmMain &);
    const Place onPile5 = [](const frmMain &f) { return onTopCard(f, 5); };
    const Place onHome0 = [](const frmMain &f) { return onHome(f, 0); };
    const Place between = [](const frmMain &f) { return onPile(f, 5, -5); };
    const struct {
        const char *name;
        int pile, suit, rank;
        Place to;
        bool taken;
    } cases[] = {
        {"the 7 onto the 8 of its suit", 5, 0, 8, onPile5, true},
        {"the 7 onto an 8 of another suit", 5, 1, 8, onPile5, false},
        {"the 7 onto the 9 of its suit", 5, 0, 9, onPile5, false},
        {"the 7 between piles", -1, 0, 0, between, false},
        {"the 7 onto its home pile out of turn", -1, 0, 0, onHome0, false},
        {"the 2 onto its home pile", 1, 0, 2, onHome0, true},
        {"a 2 onto another suit's home pile", 1, 1, 2, onHome0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Table t;
        frmMain &f = t.form;
        if (c.pile >= 0)
            putOnTop(f, c.pile, c.suit, c.rank);
        const CardRef card = f.mclsPile[1].TopCard();
        drag(f, onTopCard(f, 1), c.to(f));
        EXPECT_EQ(f.mclsPile[1].TopCard() != card, c.taken);
        EXPECT_TRUE(tableIsWhole(f));
    }
}

TEST(Rules, NothingGoesOntoAnEmptyPile)
{
    Table t;
    frmMain &f = t.form;
    const QPoint where = onPile(f, 5);
    for (int rank : {5, 6, 7})
        putOnTop(f, 4, 1, rank);
    drag(f, onTopCard(f, 1), where);
    EXPECT_EQ(f.mclsPile[1].Count(), 3);
    EXPECT_TRUE(tableIsWhole(f));
}

// The first click of a double click is a pick-up and a drop; the second must work on
// the pile as that left it, also when the pile changed under a still pointer.
TEST(Rules, ADoubleClickActsOnThePileAsItNowIs)
{
    Table t(kReversedOrder);
    frmMain &f = t.form;
    const QPoint still = onTopCard(f, 3);
    doubleClick(f, still); // the 2 goes home; the pointer is now over the 3
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Marrowby - 47 Cards Left"));
    doubleClick(f, onTopCard(f, 2)); // the 5: its 4 is not home yet
    doubleClick(f, still);
    doubleClick(f, still);
    EXPECT_EQ(topRank(f.mclsHome[3]), 4);
    EXPECT_EQ(f.mclsPile[2].Count(), 3);
    EXPECT_TRUE(f.picPile[3]->isHidden());
    // Nothing to move: the snapshot is the one its first click took.
    doubleClick(f, onTopCard(f, 1));
    f.mnuOptionsUndo->trigger();
    EXPECT_EQ(topRank(f.mclsHome[3]), 4);
    EXPECT_TRUE(tableIsWhole(f));
}

} // namespace
