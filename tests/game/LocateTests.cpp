// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayDriver.h"

#include <gtest/gtest.h>

namespace {

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

// A double click shortens the pile under a pointer that then stays put.
TEST(Locate, APressFindsTheCardUnderThePointerAfterThePileChanged)
{
    Table t(kReversedOrder); // pile 3 holds 4, 3, 2 of suit 3
    frmMain &f = t.form;
    const QPoint still = onTopCard(f, 3, 40);
    doubleClick(f, still);
    ASSERT_EQ(f.mclsPile[3].Count(), 2);
    press(f, still, Qt::RightButton); // over the 3 now: its 4 is in the same pile
    EXPECT_EQ(f.imgLocate[0]->pos(), markerOver(f, 3, 1));
    release(f, still, Qt::RightButton);

    QTest::mouseClick(f.cmdDraw, Qt::LeftButton);
    moveTo(f, still);
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier); // the 2 is back on top, unseen
    press(f, still);
    EXPECT_EQ(f.mclsDragCard->CardNumber(), 2);
    release(f, onHome(f, 3));
    EXPECT_EQ(topRank(f.mclsHome[3]), 2);
    EXPECT_TRUE(tableIsWhole(f));
}

} // namespace
