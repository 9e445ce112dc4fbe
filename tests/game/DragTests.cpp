// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayDriver.h"

#include <QPaintEvent>

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
    EXPECT_EQ(f.picDrag->pos(), f.picPile[0]->pos());
    moveTo(f, onPile(f, 0, 45, 70));
    EXPECT_EQ(f.picDrag->pos(), f.picPile[0]->pos() + QPoint(45, 30));
    release(f, onPile(f, 0, 45, 70));
    EXPECT_EQ(topRank(f.mclsPile[0]), 4);
    // Ten pixels into the top card: held eight pixels in, so it slips two to the right.
    const QPoint at = onTopCard(f, 0, 10, 40);
    press(f, at);
    EXPECT_EQ(f.picDrag->pos(), f.picPile[0]->pos() + QPoint(30, 0));
    moveTo(f, at + QPoint(0, 1));
    EXPECT_EQ(f.picDrag->pos(), f.picPile[0]->pos() + QPoint(32, 1));
    release(f, at);
    EXPECT_TRUE(tableIsWhole(f));
}

TEST(Drag, TheMiddleButtonDragsAndTheRightDoesNot)
{
    Table t(kReversedOrder);
    frmMain &f = t.form;
    drag(f, onTopCard(f, 3), onHome(f, 3), Qt::RightButton);
    EXPECT_EQ(f.mclsHome[3].Count(), 1);
    drag(f, onTopCard(f, 3), onHome(f, 3), Qt::MiddleButton);
    EXPECT_EQ(f.mclsHome[3].Count(), 2);
    EXPECT_TRUE(tableIsWhole(f));
}

TEST(Drag, ASecondButtonDoesNothingAndItsReleaseDropsTheCard)
{
    Table t(kReversedOrder);
    frmMain &f = t.form;
    press(f, onTopCard(f, 3));
    press(f, onTopCard(f, 3), Qt::RightButton);
    EXPECT_TRUE(f.mbDragging);
    EXPECT_TRUE(f.imgLocate[0]->isHidden());
    moveTo(f, onHome(f, 3));
    release(f, onHome(f, 3), Qt::RightButton);
    EXPECT_EQ(f.mclsHome[3].Count(), 2);
    release(f, onHome(f, 3));
    EXPECT_TRUE(tableIsWhole(f));
}

// Moving the picture repaints where it was and where it is, nothing else.
TEST(Drag, OnlyTheDamagedAreasRepaint)
{
    struct PaintRecorder : QObject {
        QRegion painted; // in the window's coordinates
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (auto *widget = qobject_cast<QWidget *>(watched);
                widget && event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent *>(event)->region().translated(
                    widget->mapTo(widget->window(), QPoint()));
            return false;
        }
    } recorder;
    Table t;
    frmMain &f = t.form;
    press(f, onTopCard(f, 6));
    moveTo(f, onTopCard(f, 6, 20, 50));
    const QRect before = f.picDrag->geometry();
    qApp->installEventFilter(&recorder);
    moveTo(f, onTopCard(f, 6, 60, 90));
    qApp->removeEventFilter(&recorder);
    const QRegion damaged =
        QRegion(before).united(f.picDrag->geometry()).translated(f.table->mapTo(&f, QPoint()));
    EXPECT_FALSE(recorder.painted.isEmpty());
    EXPECT_TRUE((recorder.painted - damaged).isEmpty());
    release(f, onTopCard(f, 6, 60, 90));
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

} // namespace
