// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayDriver.h"

#include <gtest/gtest.h>

namespace {

// Fresh order: pile 0 holds 2, 3, 4 of suit 0.
TEST(Drag, TheCardIsHeldWhereItWasPressed)
{
    Table t;
    frmMain &f = t.form;
    // On a buried card's strip: the top card, held by its left edge.
    press(f, onPile(f, 0, 5, 40));
    EXPECT_EQ(f.mclsDragCard->CardNumber(), 4);
    moveTo(f, onPile(f, 0, 45, 70));
    EXPECT_EQ(f.picDrag->pos(), f.picPile[0]->pos() + QPoint(45, 30));
    release(f, onPile(f, 0, 45, 70));
    // Ten pixels into the top card: held eight pixels in, so it slips two to the right.
    const QPoint at = onTopCard(f, 0, 10, 40);
    press(f, at);
    EXPECT_EQ(f.picDrag->pos(), f.picPile[0]->pos() + QPoint(30, 0));
    moveTo(f, at + QPoint(0, 1));
    EXPECT_EQ(f.picDrag->pos(), f.picPile[0]->pos() + QPoint(32, 1));
    release(f, at);
    EXPECT_EQ(topRank(f.mclsPile[0]), 4);
    EXPECT_TRUE(tableIsWhole(f));
}

// The right button alone locates; pressed during a drag, it is ignored but its release drops.
TEST(Drag, TheMiddleButtonDragsAndTheRightOnlyDrops)
{
    Table t(kReversedOrder);
    frmMain &f = t.form;
    drag(f, onTopCard(f, 3), onHome(f, 3), Qt::RightButton);
    EXPECT_EQ(f.mclsHome[3].Count(), 1);
    drag(f, onTopCard(f, 3), onHome(f, 3), Qt::MiddleButton);
    press(f, onTopCard(f, 3));
    press(f, onTopCard(f, 3), Qt::RightButton);
    EXPECT_TRUE(f.mbDragging);
    EXPECT_TRUE(f.imgLocate[0]->isHidden());
    moveTo(f, onHome(f, 3));
    release(f, onHome(f, 3), Qt::RightButton);
    EXPECT_EQ(f.mclsHome[3].Count(), 3);
    release(f, onHome(f, 3));
    EXPECT_TRUE(tableIsWhole(f));
}

// Whatever else happens while a card is held, it ends on the table once, never lost.
TEST(Drag, NothingLosesAHeldCard)
{
    auto interruptions = kInterruptions;
    interruptions.emplace_back("a release outside the window",
                               [](frmMain &f) { release(f, QPoint(-40, -60)); });
    interruptions.emplace_back("the window closing", [](frmMain &f) { f.close(); });
    for (const auto &[name, interrupt] : interruptions) {
        SCOPED_TRACE(name);
        Table t(kReversedOrder);
        frmMain &f = t.form;
        const QString caption = f.windowTitle();
        const CardRef two = f.mclsPile[3].TopCard();
        press(f, onTopCard(f, 3));
        moveTo(f, onHome(f, 3) - QPoint(0, 60));
        interrupt(f);
        EXPECT_TRUE(tableIsWhole(f));
        EXPECT_EQ(f.windowTitle(), caption);
        // Either it is still held and drops home, or it went back to its pile.
        moveTo(f, onHome(f, 3));
        release(f, onHome(f, 3));
        EXPECT_TRUE(f.mclsHome[3].TopCard() == two || f.mclsPile[3].TopCard() == two);
        EXPECT_TRUE(tableIsWhole(f));
    }
}

QPoint markerOver(const frmMain &f, int pile, int position)
{
    return f.picPile[pile]->pos() + QPoint((position - 1) * 15, -11);
}

// Fresh order: pile 1 holds 5, 6, 7 of suit 0 and pile 2 holds 8, 9, 10.
TEST(Locate, TheRightButtonMarksTheNeighboursWhileItIsHeld)
{
    Table t;
    frmMain &f = t.form;
    press(f, onPile(f, 2, 20), Qt::RightButton); // the 9
    EXPECT_TRUE(f.imgLocate[0]->isVisible());
    EXPECT_EQ(f.imgLocate[0]->pos(), markerOver(f, 2, 3));
    EXPECT_EQ(f.imgLocate[1]->pos(), markerOver(f, 2, 1));
    EXPECT_FALSE(f.mbDragging);
    release(f, onPile(f, 2, 20), Qt::RightButton);
    EXPECT_TRUE(f.imgLocate[0]->isHidden());
    EXPECT_TRUE(f.imgLocate[1]->isHidden());

    press(f, onTopCard(f, 3), Qt::RightButton); // a king: only the queen below it
    EXPECT_TRUE(f.imgLocate[0]->isHidden());
    EXPECT_EQ(f.imgLocate[1]->pos(), markerOver(f, 3, 2));
    release(f, onTopCard(f, 3), Qt::RightButton);

    press(f, onHome(f, 0), Qt::RightButton); // the ace wants the 2, at the bottom of pile 0
    EXPECT_EQ(f.imgLocate[0]->pos(), markerOver(f, 0, 1));
    EXPECT_TRUE(f.imgLocate[1]->isHidden());
    release(f, onHome(f, 0), Qt::RightButton);
    press(f, onHome(f, 0));
    release(f, onHome(f, 0));
    EXPECT_FALSE(f.imgLocate[0]->isVisible());
}

} // namespace
