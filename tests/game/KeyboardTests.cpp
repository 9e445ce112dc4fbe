// SPDX-License-Identifier: GPL-3.0-or-later
// Play with the keyboard alone, through the real window, and what a screen reader hears.
#include "game/PlayDriver.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

// The focused widget hears the key, as it would from the keyboard.
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

void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Every way a button is disabled under the focus, after a mouse player clicked it: Qt hands
// the focus on as Tab would, here to the table. Nothing of keyboard play may show for it.
TEST(Keyboard, AButtonDisabledUnderTheFocusShowsNothingToAMousePlayer)
{
    const std::pair<const char *, void (*)(frmMain &)> ways[] = {
        {"the second re-shuffle", [](frmMain &f) { click(f.cmdReShuffle), click(f.cmdReShuffle); }},
        {"a new game after one re-shuffle",
         [](frmMain &f) {
             click(f.cmdReShuffle);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
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
                SCOPED_TRACE(testing::Message() << name << (drawMode ? ", in draw mode" : "")
                                                << (won ? ", after a win" : ""));
                Table t(won ? kReversedOrder : kFreshOrder);
                frmMain &f = t.form;
                if (won)
                    winByDoubleClicks(f);
                if (drawMode)
                    click(f.cmdDraw);
                disable(f);
                EXPECT_NE(QApplication::focusWidget(), nullptr);
                EXPECT_FALSE(ringShows());
                EXPECT_TRUE(f.imgDraw->isHidden());
                EXPECT_TRUE(tableIsWhole(f));
            }
}

// Reversed, pile 3 holds the 4, 3 and 2 of spades, the 2 on top; pile 4 the king,
// queen and jack of hearts; pile 5 the 10, 9 and 8 of hearts.
TEST(Keyboard, PlaysAShortGameWithoutTheMouse)
{
    Table t(kReversedOrder);
    frmMain &f = t.form;
    tabIntoTable(f);
    ASSERT_EQ(focusedBox(), f.picPile[0]) << "the table starts at pile 0";

    keys(Qt::Key_Right, 3);
    key(Qt::Key_Return); // the 2 of spades goes home, as by a double click
    EXPECT_EQ(f.mclsHome[3].Count(), 2);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Marrowby - 47 Cards Left"));

    key(Qt::Key_Space); // the 3 in hand
    EXPECT_TRUE(f.mbDragging);
    keys(Qt::Key_Left, 4); // piles 2, 1, 0, then round to the spades' home pile
    EXPECT_EQ(focusedBox(), f.picHome[3]);
    key(Qt::Key_Space);
    EXPECT_EQ(f.mclsHome[3].Count(), 3);
    EXPECT_FALSE(f.mbDragging);

    // The 4 is pile 3's last card: its box hides and the focus goes on to pile 4;
    // Escape brings the card back.
    keys(Qt::Key_Right, 4);
    key(Qt::Key_Space);
    EXPECT_EQ(focusedBox(), f.picPile[4]);
    EXPECT_TRUE(f.picPile[3]->isHidden());
    key(Qt::Key_Escape);
    EXPECT_FALSE(f.mbDragging);
    EXPECT_EQ(topRank(f.mclsPile[3]), 4);

    // The jack of hearts onto the 8 of hearts is refused and goes back.
    key(Qt::Key_Space);
    key(Qt::Key_Right);
    key(Qt::Key_Space);
    EXPECT_EQ(topRank(f.mclsPile[4]), 11);
    EXPECT_EQ(topRank(f.mclsPile[5]), 8);
    EXPECT_TRUE(tableIsWhole(f));

    // Undo takes back the last pick-up only, as with the mouse.
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.mclsHome[3].Count(), 3);
}

TEST(Keyboard, ArrowsWalkTheRowsAndSkipEmptyPiles)
{
    Table t;
    frmMain &f = t.form;
    tabIntoTable(f);
    key(Qt::Key_Down);
    EXPECT_EQ(focusedBox(), f.picPile[5]);
    keys(Qt::Key_Down, 2);
    EXPECT_EQ(focusedBox(), f.picPile[15]);
    key(Qt::Key_Down); // the bottom row is the last
    EXPECT_EQ(focusedBox(), f.picPile[15]);
    key(Qt::Key_Right);
    EXPECT_EQ(focusedBox(), f.picHome[0]);
    key(Qt::Key_Up); // the pile above, nearest by the middle of its box
    EXPECT_EQ(focusedBox(), f.picPile[12]);

    // Pile 6 emptied by hand: Right from pile 5 goes past it.
    while (f.mclsPile[6].Count())
        f.mclsPile[6].RemoveTopCard();
    f.DrawPile(6);
    f.picPile[5]->setFocus();
    key(Qt::Key_Right);
    EXPECT_EQ(focusedBox(), f.picPile[7]);

    // Tab leaves the table for the buttons, and Shift+Tab comes back to the same place.
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.cmdDraw);
    key(Qt::Key_Backtab);
    EXPECT_EQ(focusedBox(), f.picPile[7]);
}

// In draw mode the arrows choose a card of the fan, under the red marker; a refused drop
// puts it back where it lay.
TEST(Keyboard, DrawsABuriedCardAndPutsItBack)
{
    Table t;
    frmMain &f = t.form;
    f.cmdDraw->click();
    tabIntoTable(f);
    EXPECT_FALSE(f.imgDraw->isHidden());
    key(Qt::Key_Right); // past the top of pile 0, onto pile 1's bottom card
    key(Qt::Key_Right); // pile 1's middle card
    EXPECT_EQ(focusedBox(), f.picPile[1]);
    EXPECT_EQ(f.imgDraw->x(), f.picPile[1]->x() + 15);
    const CardRef middle = f.mclsPile[1].Card(2);
    key(Qt::Key_Space);
    EXPECT_EQ(f.mclsDragCard, middle);
    EXPECT_TRUE(f.imgDraw->isHidden());
    key(Qt::Key_Right);
    key(Qt::Key_Space); // pile 2 does not take it
    EXPECT_EQ(f.mclsPile[1].Card(2), middle);
    EXPECT_TRUE(f.DrawModeOn());
    EXPECT_TRUE(tableIsWhole(f));
}

TEST(Keyboard, LocateShowsMarkersWhileTheKeyIsDown)
{
    Table t;
    frmMain &f = t.form;
    tabIntoTable(f);
    // Fresh order: pile 0's top card is the 4 of clubs; the 5 lies at the bottom of
    // pile 1, the 3 under the 4.
    QTest::keyPress(focusedBox(), Qt::Key_L);
    EXPECT_TRUE(f.imgLocate[0]->isVisible());
    EXPECT_EQ(f.imgLocate[0]->x(), f.picPile[1]->x());
    EXPECT_TRUE(f.imgLocate[1]->isVisible());
    EXPECT_TRUE(f.picPile[0]->accessibleDescription().contains(QStringLiteral("5 of Clubs")));
    QTest::keyRelease(focusedBox(), Qt::Key_L);
    EXPECT_FALSE(f.imgLocate[0]->isVisible());
    EXPECT_FALSE(f.imgLocate[1]->isVisible());
}

// Nothing may be dealt, undone or switched while a card is in hand.
TEST(Keyboard, GuardsHoldWhileACardIsInHand)
{
    Table t;
    frmMain &f = t.form;
    tabIntoTable(f);
    key(Qt::Key_Space);
    ASSERT_TRUE(f.mbDragging);
    for (const auto &[name, interrupt] : kInterruptions) {
        if (!f.mbDragging) { // an interruption that puts the card back: take it again
            f.picPile[0]->setFocus();
            key(Qt::Key_Space);
        }
        interrupt(f);
        EXPECT_TRUE(tableIsWhole(f)) << name;
    }
    if (f.mbDragging) {
        f.picPile[0]->setFocus();
        key(Qt::Key_Return); // no move home with a card in hand
        EXPECT_TRUE(tableIsWhole(f));
    }
}

TEST(ScreenReader, EveryPlaceIsNamedByItsCards)
{
    Table t;
    frmMain &f = t.form;
    EXPECT_EQ(f.picPile[0]->accessibleName(),
              QStringLiteral("Pile 1: 2 of Clubs, 3 of Clubs, 4 of Clubs"));
    EXPECT_EQ(f.picPile[15]->accessibleName(),
              QStringLiteral("Pile 16: Jack of Spades, Queen of Spades, King of Spades"));
    EXPECT_EQ(f.picHome[2]->accessibleName(), QStringLiteral("Hearts home pile: Ace of Hearts"));

    // The 2 goes home by hand, the pile empties: the names follow.
    for (int n = 0; n < 2; ++n)
        f.mclsPile[0].RemoveTopCard();
    f.DrawPile(0);
    f.picPile[0]->setFocus();
    key(Qt::Key_Return);
    EXPECT_EQ(f.picHome[0]->accessibleName(), QStringLiteral("Clubs home pile: 2 of Clubs"));
    EXPECT_EQ(f.picPile[0]->accessibleName(), QStringLiteral("Pile 1: empty"));
    EXPECT_EQ(focusedBox(), f.picPile[1]);

    // A card taken up is said on the place the keyboard is on.
    key(Qt::Key_Space);
    EXPECT_EQ(f.picPile[1]->accessibleDescription(), QStringLiteral("Holding 7 of Clubs"));
    EXPECT_EQ(f.picPile[1]->accessibleName(), QStringLiteral("Pile 2: 5 of Clubs, 6 of Clubs"));
}

} // namespace
