// SPDX-License-Identifier: GPL-3.0-or-later
// Scenarios played through the real, active window with the mouse and the keyboard. What
// the rules allow after any action is the soak's referee to judge; these pin what it
// cannot know: where things are, what is held where, what a screen reader hears.
#include "game/PlayDriver.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Scenario {
    const char *name;
    const std::vector<float> &deal;
    std::function<void(frmMain &)> play; // plays and checks as it goes
    friend void PrintTo(const Scenario &scenario, std::ostream *os) { *os << scenario.name; }
};

void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
{
    QWidget *focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, k, modifiers);
}

void keys(Qt::Key k, int times)
{
    for (int n = 0; n < times; ++n)
        key(k);
}

// Tab until the table has the focus, which it gives to one of its places.
void tabIntoTable(frmMain &f)
{
    for (int n = 0; n < 5 && !qobject_cast<PictureBox *>(QApplication::focusWidget()); ++n)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f,
                        Qt::Key_Tab);
}

PictureBox *focusedBox()
{
    return qobject_cast<PictureBox *>(QApplication::focusWidget());
}

void click(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton);
}

QPoint markerOver(const frmMain &f, int pile, int position)
{
    return f.picPile[pile]->pos() + QPoint((position - 1) * 15, -11);
}

const Scenario kScenarios[] = {
    // Columns spread as the table widens and the home piles follow its right edge; it is
    // never smaller than what keeps every control whole.
    {"LaysTheDealOutAndFollowsTheTablesSize", kFreshOrder,
     [](frmMain &f) {
         EXPECT_EQ(f.table->size(), QSize(627, 431));
         for (int i = 0; i < 16; ++i)
             EXPECT_EQ(f.picPile[i]->geometry(),
                       QRect(QPoint(10 + 124 * (i % 5), 11 + 107 * (i / 5)), QSize(101, 96)))
                 << i;
         for (int h = 0; h < 4; ++h)
             EXPECT_EQ(f.picHome[h]->pos(), QPoint(307 + 80 * h, 332));
         EXPECT_EQ(f.cmdReShuffle->pos(), QPoint(232, 347));
         EXPECT_EQ(f.cmdDraw->pos(), QPoint(232, 392));
         EXPECT_EQ(f.lblShufflesLeft->pos(), QPoint(228, 374));

         f.table->resize(727, 300);
         EXPECT_EQ(f.picPile[1]->x(), 10 + 71 + 63);
         EXPECT_EQ(f.picHome[3]->x(), 647);

         f.resize(1, 1);
         EXPECT_EQ(f.table->size(), QSize(591, 430));
     }},
    {"TheCardIsHeldWhereItWasPressed", kFreshOrder,
     [](frmMain &f) {
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
     }},
    // The right button only locates and the middle one only drags, however quick their
    // clicks: the second press is a press like the first. Only its own suit's home pile
    // takes a card. The right button pressed during a drag is ignored but its release drops.
    {"TheMiddleButtonDragsAndTheRightOnlyDrops", kReversedOrder,
     [](frmMain &f) {
         for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
             QSignalSpy presses(f.picPile[3], &PictureBox::MouseDown);
             doubleClick(f, onTopCard(f, 3), button);
             EXPECT_EQ(presses.count(), 2) << button;
         }
         drag(f, onTopCard(f, 3), onHome(f, 0)); // the 2 of spades on the ace of clubs
         drag(f, onTopCard(f, 3), onHome(f, 3), Qt::RightButton);
         EXPECT_EQ(f.mclsHome[0].Count() + f.mclsHome[3].Count(), 2);
         drag(f, onTopCard(f, 3), onHome(f, 3), Qt::MiddleButton);
         press(f, onTopCard(f, 3));
         press(f, onTopCard(f, 3), Qt::RightButton);
         EXPECT_TRUE(f.mbDragging);
         EXPECT_TRUE(f.imgLocate[0]->isHidden());
         moveTo(f, onHome(f, 3));
         release(f, onHome(f, 3), Qt::RightButton);
         EXPECT_EQ(f.mclsHome[3].Count(), 3);
         release(f, onHome(f, 3));
     }},
    // The first click of a double click is a pick-up and a drop; the second, a right press
    // or a pick-up after an undo must take the pile as it now is under a still pointer.
    {"ThePileUnderAStillPointerIsTakenAsItNowIs", kReversedOrder,
     [](frmMain &f) {
         const QPoint still = onTopCard(f, 3);
         doubleClick(f, still);            // the 2 goes home; the pointer is now over the 3
         press(f, still, Qt::RightButton); // its 4 is in the same pile
         EXPECT_EQ(f.imgLocate[0]->pos(), f.picPile[3]->pos() + QPoint(0, -11));
         release(f, still, Qt::RightButton);
         click(f.cmdDraw);
         moveTo(f, still);
         QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier); // the 2 is back on top, unseen
         press(f, still);
         EXPECT_EQ(f.mclsDragCard->CardNumber(), 2);
         release(f, onHome(f, 3));

         doubleClick(f, onTopCard(f, 2)); // the 5: its 4 is not home yet
         doubleClick(f, still);
         doubleClick(f, still);
         EXPECT_EQ(topRank(f.mclsHome[3]), 4);
         // Nothing to move: the snapshot is the one its first click took.
         doubleClick(f, onTopCard(f, 1));
         f.mnuOptionsUndo->trigger();
         EXPECT_EQ(topRank(f.mclsHome[3]), 4);
     }},
    {"TheRightButtonMarksTheNeighboursWhileItIsHeld", kFreshOrder,
     [](frmMain &f) {
         press(f, onPile(f, 2, 20), Qt::RightButton); // the 9
         EXPECT_EQ(f.imgLocate[0]->pos(), markerOver(f, 2, 3));
         EXPECT_EQ(f.imgLocate[1]->pos(), markerOver(f, 2, 1));
         EXPECT_TRUE(f.imgLocate[0]->isVisible() && !f.mbDragging);
         release(f, onPile(f, 2, 20), Qt::RightButton);
         EXPECT_TRUE(f.imgLocate[0]->isHidden() && f.imgLocate[1]->isHidden());

         press(f, onTopCard(f, 3), Qt::RightButton); // a king: only the queen below it
         EXPECT_TRUE(f.imgLocate[0]->isHidden());
         EXPECT_EQ(f.imgLocate[1]->pos(), markerOver(f, 3, 2));
         release(f, onTopCard(f, 3), Qt::RightButton);

         press(f, onHome(f, 0), Qt::RightButton); // the ace wants the 2, at the bottom of pile 0
         EXPECT_EQ(f.imgLocate[0]->pos(), markerOver(f, 0, 1));
         EXPECT_TRUE(f.imgLocate[1]->isHidden());
         release(f, onHome(f, 0), Qt::RightButton);
     }},
    // The hand is the table's and the piles'; the other controls keep their arrow, and a
    // click on them is theirs, not the table's. The button or a press on a bare table
    // cancels the draw.
    {"TheButtonOrABareTableCancelsTheDraw", kFreshOrder,
     [](frmMain &f) {
         click(f.cmdDraw);
         const Qt::CursorShape hand = f.table->cursor().shape();
         EXPECT_NE(hand, Qt::ArrowCursor);
         EXPECT_EQ(f.picPile[7]->cursor().shape(), hand);
         for (QWidget *control : std::initializer_list<QWidget *>{
                  f.cmdDraw, f.cmdReShuffle, f.lblShufflesLeft, f.picHome[0], f.picHome[3],
                  f.imgLocate[0], f.imgDraw})
             EXPECT_EQ(control->cursor().shape(), Qt::ArrowCursor);
         QTest::mouseClick(f.table, Qt::LeftButton, {}, f.lblShufflesLeft->geometry().center());
         EXPECT_TRUE(f.DrawModeOn());
         moveTo(f, onPile(f, 2, 20));
         EXPECT_TRUE(f.imgDraw->isVisible());
         EXPECT_EQ(f.imgDraw->pos(), markerOver(f, 2, 2));
         click(f.cmdDraw);
         EXPECT_FALSE(f.DrawModeOn());
         EXPECT_TRUE(f.imgDraw->isHidden());
         click(f.cmdDraw);
         // A press on the table is the table's wherever it is let go.
         press(f, QPoint(170, 380));
         release(f, f.lblShufflesLeft->geometry().center());
         EXPECT_FALSE(f.DrawModeOn());
         EXPECT_EQ(f.table->cursor().shape(), Qt::ArrowCursor);
     }},
    {"PlaysAShortGameWithoutTheMouse", kReversedOrder,
     [](frmMain &f) {
         tabIntoTable(f);
         ASSERT_EQ(focusedBox(), f.picPile[0]) << "the table starts at pile 0";
         EXPECT_TRUE(ringShows());
         // The locate key marks the jack's neighbours while it is down.
         QTest::keyPress(focusedBox(), Qt::Key_L);
         EXPECT_EQ(f.imgLocate[0]->pos(), markerOver(f, 0, 2));
         EXPECT_EQ(f.imgLocate[1]->pos(), markerOver(f, 1, 1));
         EXPECT_TRUE(
             f.picPile[0]->accessibleDescription().contains(QStringLiteral("Queen of Spades")));
         QTest::keyRelease(focusedBox(), Qt::Key_L);
         EXPECT_FALSE(f.imgLocate[0]->isVisible() || f.imgLocate[1]->isVisible());
         keys(Qt::Key_Right, 3);
         key(Qt::Key_Return); // the 2 of spades goes home, as by a double click
         EXPECT_EQ(f.mclsHome[3].Count(), 2);

         key(Qt::Key_Space); // the 3 in hand
         EXPECT_EQ(f.picPile[3]->accessibleDescription(), QStringLiteral("Holding 3 of Spades"));
         keys(Qt::Key_Left, 4); // piles 2, 1, 0, then round to the spades' home pile
         EXPECT_EQ(focusedBox(), f.picHome[3]);
         key(Qt::Key_Space);
         EXPECT_EQ(f.mclsHome[3].Count(), 3);

         // The 4 is pile 3's last card: its box hides and the focus goes on to pile 4;
         // Escape brings the card back.
         keys(Qt::Key_Right, 4);
         key(Qt::Key_Space);
         EXPECT_EQ(focusedBox(), f.picPile[4]);
         EXPECT_TRUE(f.picPile[3]->isHidden());
         key(Qt::Key_Escape);
         EXPECT_EQ(topRank(f.mclsPile[3]), 4);
         // The mouse on the table ends keyboard play, and its ring.
         press(f, onTopCard(f, 4), Qt::RightButton);
         release(f, onTopCard(f, 4), Qt::RightButton);
         EXPECT_FALSE(ringShows());
     }},
    {"ArrowsWalkTheRowsAndSkipEmptyPiles", kReversedOrder,
     [](frmMain &f) {
         tabIntoTable(f);
         keys(Qt::Key_Down, 3);
         EXPECT_EQ(focusedBox(), f.picPile[15]);
         key(Qt::Key_Right);
         EXPECT_EQ(focusedBox(), f.picHome[0]);
         key(Qt::Key_Up); // the pile above, nearest by the middle of its box
         EXPECT_EQ(focusedBox(), f.picPile[12]);

         // Pile 3 emptied by the mouse: Right from pile 2 goes past it.
         for (int n = 0; n < 3; ++n)
             doubleClick(f, onTopCard(f, 3));
         keys(Qt::Key_Up, 2);
         keys(Qt::Key_Left, 2);
         EXPECT_EQ(focusedBox(), f.picPile[0]);
         keys(Qt::Key_Right, 3);
         EXPECT_EQ(focusedBox(), f.picPile[4]);

         // Tab leaves the table for the buttons, and Shift+Tab comes back to the same place.
         key(Qt::Key_Tab);
         EXPECT_EQ(QApplication::focusWidget(), f.cmdDraw);
         key(Qt::Key_Backtab);
         EXPECT_EQ(focusedBox(), f.picPile[4]);
     }},
    // In draw mode the arrows choose a card of the fan, under the red marker; a refused
    // drop puts it back where it lay.
    {"DrawsABuriedCardFromTheKeyboardAndPutsItBack", kFreshOrder,
     [](frmMain &f) {
         f.cmdDraw->click();
         tabIntoTable(f);
         EXPECT_FALSE(f.imgDraw->isHidden());
         key(Qt::Key_Right); // past the top of pile 0, onto pile 1's bottom card
         key(Qt::Key_Right); // pile 1's middle card
         EXPECT_EQ(focusedBox(), f.picPile[1]);
         EXPECT_EQ(f.imgDraw->pos(), markerOver(f, 1, 2));
         EXPECT_EQ(f.imgDraw->accessibleName(), QStringLiteral("Draw marker over 6 of Clubs"));
         const CardRef middle = f.mclsPile[1].Card(2);
         key(Qt::Key_Space);
         EXPECT_EQ(f.mclsDragCard, middle);
         EXPECT_TRUE(f.imgDraw->isHidden());
         key(Qt::Key_Right);
         key(Qt::Key_Space); // pile 2 does not take it
         EXPECT_EQ(f.mclsPile[1].Card(2), middle);
         EXPECT_TRUE(f.DrawModeOn());
     }},
    // The 2 and the 3 of spades go home, then the 4 onto the 5: pile 3 empties.
    {"EveryPlaceIsNamedByItsCards", kReversedOrder,
     [](frmMain &f) {
         EXPECT_EQ(f.picPile[3]->accessibleName(),
                   QStringLiteral("Pile 4: 4 of Spades, 3 of Spades, 2 of Spades"));
         EXPECT_EQ(f.picHome[2]->accessibleName(),
                   QStringLiteral("Hearts home pile: Ace of Hearts"));
         doubleClick(f, onTopCard(f, 3));
         doubleClick(f, onTopCard(f, 3));
         EXPECT_EQ(f.picHome[3]->accessibleName(), QStringLiteral("Spades home pile: 3 of Spades"));
         drag(f, onTopCard(f, 3), onTopCard(f, 2));
         EXPECT_EQ(f.picPile[3]->accessibleName(), QStringLiteral("Pile 4: empty"));
         EXPECT_EQ(f.picPile[2]->accessibleName().section(QStringLiteral(", "), -2),
                   QStringLiteral("5 of Spades, 4 of Spades"));
     }},
};

class TableScenario : public testing::TestWithParam<Scenario>
{
};

TEST_P(TableScenario, PlaysThroughTheWindow)
{
    Table t(GetParam().deal);
    GetParam().play(t.form);
    EXPECT_TRUE(tableIsWhole(t.form));
}

INSTANTIATE_TEST_SUITE_P(Table, TableScenario, testing::ValuesIn(kScenarios),
                         [](const auto &info) { return std::string(info.param.name); });

// Every way a button is disabled under the focus, after a mouse player clicked it: Qt
// hands the focus on as Tab would, here to the table. Nothing of keyboard play may show.
TEST(Focus, AButtonDisabledUnderItShowsNothingToAMousePlayer)
{
    const std::pair<const char *, void (*)(frmMain &)> ways[] = {
        {"the second re-shuffle", [](frmMain &f) { click(f.cmdReShuffle), click(f.cmdReShuffle); }},
        {"a new game after one re-shuffle",
         [](frmMain &f) {
             click(f.cmdReShuffle);
             key(Qt::Key_F2);
         }},
        // Fresh order: the 2 of clubs lies at the bottom of pile 0.
        {"the draw used up with no re-shuffle left",
         [](frmMain &f) {
             click(f.cmdReShuffle), click(f.cmdReShuffle);
             if (!f.DrawModeOn())
                 click(f.cmdDraw);
             drag(f, onPile(f, 0, 5), onHome(f, 0));
         }},
    };
    for (bool won : {false, true})
        for (bool drawMode : {false, true})
            for (const auto &[name, disable] : ways) {
                if (won && name == ways[2].first)
                    continue; // no card is left to draw
                SCOPED_TRACE(testing::Message() << name << (drawMode ? ", in draw mode" : "")
                                                << (won ? ", after a win" : ""));
                Table t(won ? kReversedOrder : kFreshOrder);
                frmMain &f = t.form;
                if (won)
                    sendHomeUntil(f, 0);
                if (drawMode)
                    click(f.cmdDraw);
                disable(f);
                ASSERT_NE(focusedBox(), nullptr);
                EXPECT_FALSE(ringShows());
                EXPECT_TRUE(f.imgDraw->isHidden());
                EXPECT_TRUE(tableIsWhole(f));
                // The first key shows the place, and in draw mode the card it chose.
                key(Qt::Key_Down);
                EXPECT_TRUE(ringShows());
                EXPECT_EQ(f.imgDraw->isVisible(), f.DrawModeOn() && !won);
            }
}

} // namespace
