// SPDX-License-Identifier: GPL-3.0-or-later
// An automatic player drives the real window with legal and illegal actions, and after
// every one checks that nothing was lost. MARROWBY_SOAK_ACTIONS plays longer.
#include "game/PlayDriver.h"

#include <QApplication>
#include <QKeySequence>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

namespace {

// Shuffles for the games the player starts.
std::vector<float> someShuffles()
{
    std::mt19937 generator(7);
    std::vector<float> values(4099);
    for (float &v : values)
        v = static_cast<float>(generator() >> 8) / 16777216.0f;
    return values;
}

class Player
{
public:
    explicit Player(frmMain &form) : f(form) {}

    // One action; returns what it was, for the failure message.
    std::string act()
    {
        switch (pick(20)) {
        case 0:
            QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
            return "undo";
        case 1:
            if (pick(8) == 0) {
                QTest::keyClick(&f, Qt::Key_F2);
                return "new game";
            }
            QTest::mouseClick(f.cmdReShuffle, Qt::LeftButton);
            return "re-shuffle";
        case 2:
            QTest::mouseClick(f.cmdDraw, Qt::LeftButton);
            return "draw";
        case 3:
            QTest::mouseClick(f.table, Qt::LeftButton, {}, anywhere());
            return "click";
        case 4:
            doubleClick(f, onSomePile());
            return "double click";
        case 5: {
            const QPoint at = pick(4) ? onSomePile() : onHome(f, pick(4));
            drag(f, at, at, Qt::RightButton);
            return "locate";
        }
        case 6:
        case 7:
            return pressKey();
        default:
            return dragSomething();
        }
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(mRandom); }

    QPoint anywhere()
    {
        if (pick(20) == 0)
            return QPoint(pick(900) - 100, pick(700) - 100); // maybe outside the window
        return QPoint(pick(f.table->width()), pick(f.table->height()));
    }

    QPoint onSomePile()
    {
        std::vector<int> shown;
        for (int i = 0; i < 16; ++i)
            if (f.picPile[i]->isVisible())
                shown.push_back(i);
        if (shown.empty())
            return anywhere();
        const int i = shown[pick(static_cast<int>(shown.size()))];
        return onPile(f, i, pick(f.picPile[i]->width()), 1 + pick(94));
    }

    // Where a card may go: a pile or home pile, as a point on it, or nothing.
    std::optional<QPoint> placeFor(const CardRef &card)
    {
        if (topRank(f.mclsHome[card->CardSuit()]) == card->CardNumber() - 1)
            return onHome(f, card->CardSuit());
        for (int i = 0; i < 16; ++i)
            if (f.mclsPile[i].Count() && f.mclsPile[i].TopCard()->CardSuit() == card->CardSuit() &&
                topRank(f.mclsPile[i]) == card->CardNumber() + 1)
                return onTopCard(f, i);
        return std::nullopt;
    }

    std::string dragSomething()
    {
        const Qt::MouseButton button = pick(10) ? Qt::LeftButton : Qt::MiddleButton;
        // Half the drags start on a top card, so games get on.
        const int i = pick(16);
        press(f, pick(2) && f.mclsPile[i].Count() ? onTopCard(f, i) : onSomePile(), button);
        const std::optional<QPoint> place =
            f.mbDragging && pick(4) ? placeFor(f.mclsDragCard) : std::nullopt;
        const QPoint to = place.value_or(anywhere());
        for (int step = pick(3); step >= 0; --step)
            moveTo(f, anywhere());
        if (pick(10) == 0)
            kInterruptions[pick(static_cast<int>(kInterruptions.size()))].second(f);
        moveTo(f, to);
        release(f, to, button);
        return "drag";
    }

    // A key for whatever has the focus: now and then Tab, to reach the table or leave it.
    std::string pressKey()
    {
        static const Qt::Key keys[] = {Qt::Key_Left,  Qt::Key_Right, Qt::Key_Up,     Qt::Key_Down,
                                       Qt::Key_Space, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape,
                                       Qt::Key_L,     Qt::Key_Tab};
        const Qt::Key k = keys[pick(static_cast<int>(std::size(keys)))];
        auto focus = [this]() -> QWidget * {
            QWidget *widget = QApplication::focusWidget();
            return widget ? widget : &f;
        };
        QTest::keyPress(focus(), k);
        QTest::keyRelease(focus(), k);
        return "key " + QKeySequence(k).toString().toStdString();
    }

    frmMain &f;
    std::mt19937 mRandom{20240611};
};

TEST(Soak, NothingIsEverLost)
{
    const int actions = std::max(2000, qEnvironmentVariableIntValue("MARROWBY_SOAK_ACTIONS"));
    Table t(someShuffles());
    Player player(t.form);
    int wentHome = 0;
    for (int n = 1; n <= actions; ++n) {
        const int16_t before = gclsDeck().Count();
        const std::string action = player.act();
        ASSERT_TRUE(tableIsWhole(t.form)) << "after action " << n << ", " << action;
        wentHome += gclsDeck().Count() < before;
    }
    EXPECT_GT(wentHome, actions / 100); // the player does play
}

// Reversed, each suit goes home from the last of its four piles back to the first.
TEST(Soak, AGameIsWonThroughTheWindow)
{
    Table t(kReversedOrder);
    frmMain &f = t.form;
    for (int pile = 15; pile >= 0; --pile)
        for (int card = 0; card < 3; ++card) // the middle one by a double click
            card == 1 ? doubleClick(f, onTopCard(f, pile))
                      : drag(f, onTopCard(f, pile), onHome(f, 3 - pile / 4));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Marrowby - 0 Cards Left"));
    EXPECT_TRUE(tableIsWhole(f));

    // The last card went home by a drop: the song and the clip start.
    EXPECT_TRUE(t.midi.log->calls.contains(QStringLiteral("PlaySong")));
    const std::shared_ptr<CAnimate> byDrop = f.mclsAnimate;
    ASSERT_TRUE(byDrop);

    // Undo puts it back while the celebration goes on; a double click wins again and
    // replaces the clip.
    t.midi.log->calls.clear();
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Marrowby - 1 Card Left"));
    EXPECT_EQ(f.mclsAnimate, byDrop);
    EXPECT_FALSE(t.midi.log->calls.contains(QStringLiteral("StopSong")));
    doubleClick(f, onTopCard(f, 0));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Marrowby - 0 Cards Left"));
    EXPECT_TRUE(t.midi.log->calls.contains(QStringLiteral("PlaySong")));
    EXPECT_TRUE(f.mclsAnimate && f.mclsAnimate != byDrop);
}

} // namespace
