// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayDriver.h"

#include <gtest/gtest.h>

namespace
{

// In the fresh order pile 1's top card is the 7 of suit 0; each case sets up a target
// and drags that 7 there.
TEST(Rules, ACardGoesOntoTheNextRankUpOfItsSuitOnly)
{
    struct Case {
        const char *name;
        std::function<QPoint(frmMain &)> target;
        bool taken;
    };
    const std::vector<Case> cases{
        {"onto the 8 of its suit",
         [](frmMain &f) {
             putOnTop(f, 5, 0, 8);
             return onTopCard(f, 5);
         },
         true},
        {"onto an 8 of another suit",
         [](frmMain &f) {
             putOnTop(f, 5, 1, 8);
             return onTopCard(f, 5);
         },
         false},
        {"onto the 9 of its suit",
         [](frmMain &f) {
             putOnTop(f, 5, 0, 9);
             return onTopCard(f, 5);
         },
         false},
        {"onto an empty pile",
         [](frmMain &f) {
             const QPoint where = onPile(f, 5);
             for (int rank : {5, 6, 7})
                 putOnTop(f, 4, 1, rank);
             return where;
         },
         false},
        {"between piles", [](frmMain &f) { return onPile(f, 5, -5); }, false},
        {"onto its home pile out of turn", [](frmMain &f) { return onHome(f, 0); }, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Table t;
        frmMain &f = t.form;
        const QPoint to = c.target(f);
        const CardRef seven = f.mclsPile[1].TopCard();
        drag(f, onTopCard(f, 1), to);
        EXPECT_EQ(f.mclsPile[1].TopCard() != seven, c.taken);
        EXPECT_TRUE(tableIsWhole(f));
    }
}

TEST(Rules, HomePilesTakeTheNextRankOfTheirOwnSuit)
{
    Table t(reversedOrder()); // pile 3 holds 4, 3, 2 of suit 3; pile 7 the same of suit 2
    frmMain &f = t.form;
    drag(f, onTopCard(f, 7), onHome(f, 3)); // another suit's home pile
    drag(f, onTopCard(f, 3), onHome(f, 3));
    EXPECT_EQ(topRank(f.mclsHome[2]), 1);
    EXPECT_EQ(topRank(f.mclsHome[3]), 2);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Marrowby - 47 Cards Left"));
    // The double click sends the top card to its suit's home pile, wherever that is.
    doubleClick(f, onTopCard(f, 3));
    doubleClick(f, onTopCard(f, 2)); // the 5 of suit 3: its 4 is not home yet
    EXPECT_EQ(topRank(f.mclsHome[3]), 3);
    EXPECT_EQ(f.mclsPile[2].Count(), 3);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Marrowby - 46 Cards Left"));
    EXPECT_TRUE(tableIsWhole(f));
}

// The first click of a double click is a pick-up and a drop; the second must work on
// the pile as that left it, also when the pile changed under a still pointer.
TEST(Rules, ADoubleClickActsOnThePileAsItNowIs)
{
    Table t(reversedOrder());
    frmMain &f = t.form;
    const QPoint still = onTopCard(f, 3);
    doubleClick(f, still); // the 2 goes home; the pointer is now over the 3
    doubleClick(f, still);
    doubleClick(f, still);
    EXPECT_EQ(topRank(f.mclsHome[3]), 4);
    EXPECT_TRUE(f.picPile[3]->isHidden());
    // Nothing to move: the snapshot is the one its first click took.
    doubleClick(f, onTopCard(f, 1));
    f.mnuOptionsUndo->trigger();
    EXPECT_EQ(topRank(f.mclsHome[3]), 4);
    EXPECT_TRUE(tableIsWhole(f));
}

} // namespace
