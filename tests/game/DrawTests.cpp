// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayDriver.h"

#include <gtest/gtest.h>

namespace {

const QString kTip = QStringLiteral("To Cancel the Draw, Click on the Draw button again.");

void clickDraw(frmMain &f)
{
    QTest::mouseClick(f.cmdDraw, Qt::LeftButton);
}

TEST(Draw, TheButtonAndABareTableClickSwitchTheMode)
{
    Table t;
    frmMain &f = t.form;
    clickDraw(f);
    EXPECT_TRUE(f.DrawModeOn());
    EXPECT_EQ(f.picPile[15]->toolTip(), kTip);
    EXPECT_TRUE(tableIsWhole(f)); // the hand everywhere
    moveTo(f, onPile(f, 2, 20));
    EXPECT_TRUE(f.imgDraw->isVisible());
    EXPECT_EQ(f.imgDraw->pos(), f.picPile[2]->pos() + QPoint(15, -11));
    clickDraw(f);
    EXPECT_FALSE(f.DrawModeOn());
    EXPECT_TRUE(f.imgDraw->isHidden());
    EXPECT_TRUE(f.picPile[0]->toolTip().isEmpty());
    clickDraw(f);
    QTest::mouseClick(f.table, Qt::LeftButton, {}, QPoint(170, 380));
    EXPECT_FALSE(f.DrawModeOn());
    EXPECT_TRUE(f.cmdDraw->isEnabled());
    EXPECT_TRUE(tableIsWhole(f));
}

// Fresh order: pile 2 holds 8, 9, 10 of suit 0. The 9 is drawn from inside it.
TEST(Draw, AFailedDrawPutsTheCardBackAndKeepsTheDraw)
{
    Table t;
    frmMain &f = t.form;
    const CardRef nine = f.mclsPile[2].Card(2);
    clickDraw(f);
    drag(f, onPile(f, 2, 20), onPile(f, 7)); // the 7 of suit 1 does not take it
    EXPECT_EQ(f.mclsPile[2].Card(2), nine);
    EXPECT_EQ(f.mclsPile[2].Count(), 3);
    EXPECT_TRUE(f.DrawModeOn());
    EXPECT_EQ(f.picPile[15]->toolTip(), kTip);
    EXPECT_TRUE(f.cmdDraw->isEnabled());

    putOnTop(f, 6, 0, 10); // the 10 of suit 0 onto pile 6
    drag(f, onPile(f, 2, 20), onTopCard(f, 6));
    EXPECT_EQ(f.mclsPile[6].TopCard(), nine);
    EXPECT_FALSE(f.DrawModeOn());
    EXPECT_FALSE(f.cmdDraw->isEnabled());
    EXPECT_TRUE(f.picPile[0]->toolTip().isEmpty());
    EXPECT_TRUE(tableIsWhole(f));
}

TEST(Draw, EvenTheTopCardUsesTheDrawUpAndADoubleClickDoesNothing)
{
    Table t(kReversedOrder);
    frmMain &f = t.form;
    clickDraw(f);
    // Right of where the top card lies once lifted, so the first click puts it back.
    doubleClick(f, onTopCard(f, 3, 60));
    EXPECT_EQ(f.mclsHome[3].Count(), 1);
    EXPECT_TRUE(f.cmdDraw->isEnabled());
    drag(f, onTopCard(f, 3), onHome(f, 3));
    EXPECT_EQ(f.mclsHome[3].Count(), 2);
    EXPECT_FALSE(f.cmdDraw->isEnabled());
    EXPECT_TRUE(tableIsWhole(f));
}

} // namespace
