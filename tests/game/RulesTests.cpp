// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayDriver.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// Fresh order: pile 1's top card is the 7 of suit 0. Every drop the rules refuse is the
// soak's to catch, and every drop home the won game's; here a drop onto a pile is taken.
TEST(Rules, ACardGoesOntoTheNextRankOfItsSuit)
{
    Table t;
    frmMain &f = t.form;
    putOnTop(f, 5, 0, 8);
    const CardRef seven = f.mclsPile[1].TopCard();
    drag(f, onTopCard(f, 1), onTopCard(f, 5));
    EXPECT_EQ(f.mclsPile[5].TopCard(), seven);
    EXPECT_TRUE(tableIsWhole(f));
}

// The first click of a double click is a pick-up and a drop; the second, a right press or
// a pick-up after an undo must take the pile as it now is under a still pointer.
TEST(Rules, ThePileUnderAStillPointerIsTakenAsItNowIs)
{
    Table t(kReversedOrder); // pile 3 holds 4, 3, 2 of suit 3
    frmMain &f = t.form;
    const QPoint still = onTopCard(f, 3);
    doubleClick(f, still); // the 2 goes home; the pointer is now over the 3
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Marrowby - 47 Cards Left"));
    press(f, still, Qt::RightButton); // its 4 is in the same pile
    EXPECT_EQ(f.imgLocate[0]->pos(), f.picPile[3]->pos() + QPoint(0, -11));
    release(f, still, Qt::RightButton);
    QTest::mouseClick(f.cmdDraw, Qt::LeftButton);
    moveTo(f, still);
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier); // the 2 is back on top, unseen
    press(f, still);
    EXPECT_EQ(f.mclsDragCard->CardNumber(), 2);
    release(f, onHome(f, 3));

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

// The right button only locates and the middle one only drags, however quick their
// clicks: the second press is a press like the first.
TEST(Rules, OnlyALeftDoubleClickSendsACardHome)
{
    Table t(kReversedOrder); // pile 3 holds 4, 3, 2 of suit 3
    frmMain &f = t.form;
    const QPoint still = onTopCard(f, 3);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QSignalSpy presses(f.picPile[3], &PictureBox::MouseDown);
        doubleClick(f, still, button);
        EXPECT_EQ(presses.count(), 2) << button;
        EXPECT_EQ(f.mclsHome[3].Count(), 1) << button;
        EXPECT_TRUE(f.imgLocate[0]->isHidden()) << button;
        EXPECT_TRUE(tableIsWhole(f)) << button;
    }
    doubleClick(f, still);
    EXPECT_EQ(f.mclsHome[3].Count(), 2);
}

void clickDraw(frmMain &f)
{
    QTest::mouseClick(f.cmdDraw, Qt::LeftButton);
}

// Fresh order: pile 2 holds 8, 9, 10 of suit 0. The 9 is drawn from inside it.
TEST(Draw, TheButtonOrABareTableCancelsAndAFailedDrawKeepsTheDraw)
{
    Table t;
    frmMain &f = t.form;
    const CardRef nine = f.mclsPile[2].Card(2);
    clickDraw(f);
    EXPECT_EQ(f.picPile[15]->toolTip(),
              QStringLiteral("To Cancel the Draw, Click on the Draw button again."));
    EXPECT_TRUE(tableIsWhole(f)); // the hand everywhere
    moveTo(f, onPile(f, 2, 20));
    EXPECT_TRUE(f.imgDraw->isVisible());
    EXPECT_EQ(f.imgDraw->pos(), f.picPile[2]->pos() + QPoint(15, -11));
    clickDraw(f);
    EXPECT_FALSE(f.DrawModeOn());
    EXPECT_TRUE(f.imgDraw->isHidden());
    clickDraw(f);
    QTest::mouseClick(f.table, Qt::LeftButton, {}, QPoint(170, 380));
    EXPECT_FALSE(f.DrawModeOn());

    clickDraw(f);
    drag(f, onPile(f, 2, 20), onPile(f, 7)); // the 7 of suit 1 does not take it
    EXPECT_EQ(f.mclsPile[2].Card(2), nine);
    EXPECT_EQ(f.mclsPile[2].Count(), 3);
    EXPECT_TRUE(f.DrawModeOn());
    EXPECT_TRUE(tableIsWhole(f));
    putOnTop(f, 6, 0, 10); // the 10 of suit 0 onto pile 6
    drag(f, onPile(f, 2, 20), onTopCard(f, 6));
    EXPECT_EQ(f.mclsPile[6].TopCard(), nine);
    EXPECT_FALSE(f.DrawModeOn());
    EXPECT_FALSE(f.cmdDraw->isEnabled());
    EXPECT_TRUE(tableIsWhole(f));
}

// The hand is the table's and the piles'; the other controls keep their arrow, and a
// click on them is theirs, not the table's.
TEST(Draw, OnlyTheTableAndThePilesAreInIt)
{
    Table t;
    frmMain &f = t.form;
    clickDraw(f);
    const Qt::CursorShape hand = f.table->cursor().shape();
    EXPECT_NE(hand, Qt::ArrowCursor);
    EXPECT_EQ(f.picPile[7]->cursor().shape(), hand);
    for (QWidget *control :
         std::initializer_list<QWidget *>{f.cmdDraw, f.cmdReShuffle, f.lblShufflesLeft,
                                          f.picHome[0], f.picHome[3], f.imgLocate[0], f.imgDraw})
        EXPECT_EQ(control->cursor().shape(), Qt::ArrowCursor) << control->metaObject()->className();

    f.LocateCards(0, 9); // the marker stays until a pile or home pile hears a release
    for (QWidget *control : std::initializer_list<QWidget *>{f.lblShufflesLeft, f.imgLocate[0]}) {
        QTest::mouseClick(f.table, Qt::LeftButton, {}, control->geometry().center());
        EXPECT_TRUE(f.DrawModeOn()) << control->metaObject()->className();
    }
    // A press on the table is the table's wherever it is let go.
    press(f, QPoint(170, 380));
    release(f, f.lblShufflesLeft->geometry().center());
    EXPECT_FALSE(f.DrawModeOn());
    EXPECT_EQ(f.table->cursor().shape(), Qt::ArrowCursor);
}

// Undo takes back the last pick-up once, even a refused one, and gives the draw back only
// for the move that used it.
TEST(Draw, UndoTakesBackTheLastPickUpOnce)
{
    Table t(kReversedOrder);
    frmMain &f = t.form;
    const auto dealt = positionOf(f);
    clickDraw(f);
    // Right of where the top card lies once lifted, so the first click puts it back.
    doubleClick(f, onTopCard(f, 3, 60));
    EXPECT_EQ(positionOf(f), dealt);
    EXPECT_TRUE(f.cmdDraw->isEnabled());
    drag(f, onTopCard(f, 3), onHome(f, 3)); // even the top card uses the draw up
    EXPECT_FALSE(f.cmdDraw->isEnabled());
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(positionOf(f), dealt);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Marrowby - 48 Cards Left"));
    EXPECT_TRUE(f.cmdDraw->isEnabled());
    f.mnuOptionsUndo->trigger();
    EXPECT_EQ(positionOf(f), dealt);

    clickDraw(f);
    drag(f, onTopCard(f, 3), onHome(f, 3));
    drag(f, onTopCard(f, 3), onHome(f, 3));
    f.mnuOptionsUndo->trigger();
    EXPECT_FALSE(f.cmdDraw->isEnabled());
    EXPECT_EQ(topRank(f.mclsHome[3]), 2);
    const auto twoHome = positionOf(f);
    drag(f, onTopCard(f, 1), onHome(f, 3)); // refused, but a pick-up all the same
    f.mnuOptionsUndo->trigger();
    EXPECT_EQ(positionOf(f), twoHome);
    EXPECT_TRUE(tableIsWhole(f));
}

} // namespace
