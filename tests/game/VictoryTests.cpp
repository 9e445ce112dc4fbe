// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayDriver.h"
#include "animation/AnimationWidget.h"
#include "animation/CAnimate.h"

#include <QPointer>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace {

class Victory : public testing::Test
{
protected:
    Victory()
    {
        gsMusicFilename = QStringLiteral("/songs/victory.mid");
        midi.log->calls.clear();
    }

    void resizeTo(int width)
    {
        form->resize(width, form->height());
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->table->width() == width; }));
    }

    // Cards home by double clicks until `left` are out. Reversed, each suit goes home from
    // the last of its four piles back to the first, and the king of suit 3, alone on pile 0,
    // is the last card.
    void sendHomeUntil(int left)
    {
        for (int16_t pile = 15; pile >= 0; --pile)
            for (int n = 0; n < 3 && form->mclsPile[pile].Count() && gclsDeck().Count() > left; ++n)
                form->picPile_DblClick(pile);
    }
    void winByADoubleClick() { form->picPile_DblClick(0); }
    // A new game deals the cards as they were left; a new deck is in reversed order again.
    void newReversedGame()
    {
        form->mnuFileNewGame->trigger();
        form->NewDeal();
    }

    // A key as the player presses it, once the events waiting now are handled.
    void pressSoon(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QMetaObject::invokeMethod(
            form, [=, this] { QTest::keyClick(form, key, modifiers); }, Qt::QueuedConnection);
    }
    void pressUndoSoon() { pressSoon(Qt::Key_Z, Qt::ControlModifier); }

    AnimationWidget *clip() const { return form->table->findChild<AnimationWidget *>(); }

    QColor tableColour(int x, int y) const
    {
        return form->table->grab().toImage().pixelColor(x, y);
    }

    void expectNoCelebration()
    {
        EXPECT_FALSE(form->mclsAnimate);
        EXPECT_TRUE(form->table->boxes().empty());
        EXPECT_TRUE(form->table->AutoRedraw());
        EXPECT_TRUE(form->table->findChildren<AnimationWidget *>().isEmpty());
    }

    Table t{kReversedOrder};
    frmMain *const form = &t.form;
    ScopedFakeMidi &midi = t.midi;
    std::function<void()> &onPlaySong = t.midi.log->onPlaySong; // between the two yields
};

// A home pile one card short wins nothing; with no song chosen a win still shows.
TEST_F(Victory, NothingHappensUntilEveryCardIsHomeSongOrNot)
{
    sendHomeUntil(1);
    EXPECT_TRUE(midi.log->calls.isEmpty());
    expectNoCelebration();

    gsMusicFilename.clear();
    winByADoubleClick();
    EXPECT_THAT(midi.log->calls,
                ElementsAre(QStringLiteral("SongFile="), QStringLiteral("PlaySong")));
    EXPECT_EQ(form->table->boxes().size(), 1u);
    EXPECT_TRUE(clip());
}

TEST_F(Victory, PlaysTheSongFramesTheTableAndSpinsTheClipAbovePiles)
{
    for (const auto &[width, frameLeft] : {std::pair(627, 151.5), std::pair(628, 152.0)}) {
        resizeTo(width);
        sendHomeUntil(1);
        midi.log->calls.clear();
        winByADoubleClick();

        EXPECT_THAT(midi.log->calls, ElementsAre(QStringLiteral("SongFile=/songs/victory.mid"),
                                                 QStringLiteral("PlaySong")));
        EXPECT_FALSE(form->table->AutoRedraw());
        ASSERT_EQ(form->table->boxes().size(), 1u);
        EXPECT_EQ(form->table->boxes()[0],
                  std::pair(QRectF(frameLeft, 18, 324, 244), QColor(0, 0, 255)));
        EXPECT_EQ(form->mclsAnimate->ResourceID(), 102);
        AnimationWidget *widget = clip();
        ASSERT_TRUE(widget);
        EXPECT_EQ(widget->parentWidget(), form->table);
        EXPECT_EQ(widget->geometry(), QRect(154, 20, 320, 240));
        EXPECT_EQ(form->table->children().last(), widget);
        EXPECT_TRUE(widget->isVisible() && widget->isTimerActive());
        newReversedGame();
    }
    // A repaint draws the frame again, with the clip inside it.
    resizeTo(628);
    sendHomeUntil(0);
    EXPECT_EQ(tableColour(152, 112), QColor(0, 0, 255));
    EXPECT_EQ(tableColour(153, 112), TableSurface::Baize);
    EXPECT_EQ(tableColour(160, 30), QColor(128, 0, 128));

    // A later resize moves neither.
    resizeTo(700);
    EXPECT_EQ(form->table->boxes()[0].first, QRectF(152, 18, 324, 244));
    EXPECT_EQ(clip()->geometry(), QRect(154, 20, 320, 240));
}

TEST_F(Victory, NewGameStopsTheSongAndClearsTheFrameAndClip)
{
    sendHomeUntil(0);
    QPointer<AnimationWidget> widget = clip();
    midi.log->calls.clear();
    QTest::keyClick(form, Qt::Key_F2);
    EXPECT_EQ(midi.log->calls.value(0), QStringLiteral("StopSong"));
    EXPECT_TRUE(widget.isNull());
    expectNoCelebration();
    EXPECT_EQ(gclsDeck().Count(), 48);
    EXPECT_EQ(tableColour(152, 112), TableSurface::Baize);
}

// A new game started while the celebration lets events run is not covered by it.
TEST_F(Victory, ANewGameDuringEitherYieldEndsTheCelebration)
{
    for (bool duringSong : {false, true}) {
        sendHomeUntil(1);
        midi.log->calls.clear();
        if (duringSong)
            onPlaySong = [this] { pressSoon(Qt::Key_F2); };
        else
            pressSoon(Qt::Key_F2);
        winByADoubleClick();
        onPlaySong = nullptr;
        EXPECT_EQ(midi.log->calls.contains(QStringLiteral("PlaySong")), duringSong);
        EXPECT_EQ(midi.log->calls.last(), QStringLiteral("StopSong"));
        EXPECT_EQ(gclsDeck().Count(), 48);
        expectNoCelebration();
        form->NewDeal(); // in reversed order again
    }
}

// Win by a drop, take the king back, resize, win by a double click: one frame, the new one.
TEST_F(Victory, WinningAgainReplacesTheFrameWithTheClip)
{
    resizeTo(628);
    sendHomeUntil(1);
    drag(*form, onTopCard(*form, 0), onHome(*form, 3));
    QPointer<AnimationWidget> first = clip();
    ASSERT_TRUE(first);
    QTest::keyClick(form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->mclsPile[0].Count(), 1);
    EXPECT_TRUE(first); // the celebration goes on over the table
    resizeTo(700);
    doubleClick(*form, onTopCard(*form, 0));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(form->table->findChildren<AnimationWidget *>().size(), 1);
    ASSERT_EQ(form->table->boxes().size(), 1u);
    EXPECT_EQ(form->table->boxes()[0].first, QRectF(188, 18, 324, 244));
    EXPECT_EQ(tableColour(152, 112), TableSurface::Baize);
    EXPECT_EQ(tableColour(188, 112), QColor(0, 0, 255));
    EXPECT_TRUE(tableIsWhole(*form));
}

// The winning card taken back while the celebration lets events run: the table is as in
// play again, unless an earlier win's celebration is still running, which carries on.
TEST_F(Victory, AnUndoDuringEitherYieldCallsTheCelebrationOff)
{
    const std::function<void()> undoSoon = [this] { pressUndoSoon(); };
    for (bool duringSong : {false, true}) {
        SCOPED_TRACE(duringSong);
        sendHomeUntil(1);
        midi.log->calls.clear();
        if (duringSong)
            onPlaySong = undoSoon;
        else
            pressUndoSoon();
        winByADoubleClick();
        onPlaySong = nullptr;
        EXPECT_EQ(form->mclsPile[0].Count(), 1);
        EXPECT_EQ(midi.log->calls.contains(QStringLiteral("PlaySong")), duringSong);
        if (duringSong) {
            EXPECT_EQ(midi.log->calls.last(), QStringLiteral("StopSong"));
        }
        expectNoCelebration();
        EXPECT_TRUE(tableIsWhole(*form));
        newReversedGame();
    }

    sendHomeUntil(0);
    QPointer<AnimationWidget> first = clip();
    form->mnuOptionsUndo->trigger();
    midi.log->calls.clear();
    onPlaySong = undoSoon;
    winByADoubleClick();
    onPlaySong = nullptr;
    EXPECT_FALSE(midi.log->calls.contains(QStringLiteral("StopSong")));
    EXPECT_TRUE(first);
    EXPECT_FALSE(form->table->AutoRedraw());
    EXPECT_EQ(form->table->boxes().size(), 1u);
    EXPECT_TRUE(tableIsWhole(*form));
}

// The clip lies over the table but is not the table: a click on it keeps the draw.
TEST_F(Victory, AClickOnTheClipKeepsTheDraw)
{
    sendHomeUntil(0);
    QTest::mouseClick(form->cmdDraw, Qt::LeftButton);
    ASSERT_TRUE(form->DrawModeOn());
    QTest::mouseClick(form->table, Qt::LeftButton, {}, clip()->geometry().center());
    EXPECT_TRUE(form->DrawModeOn());
    QTest::mouseClick(form->table, Qt::LeftButton, {}, QPoint(20, 300));
    EXPECT_FALSE(form->DrawModeOn());
}

// The sound engine is asked to get ready once a suit's worth of cards is left, whichever
// way the count gets there, and is let go when the game is far from a win again.
TEST_F(Victory, TheSongIsExpectedFromThirteenCardsLeftUntilTheGameIsFarFromAWin)
{
    sendHomeUntil(14);
    EXPECT_FALSE(midi.log->songLikely) << "14 cards left";
    sendHomeUntil(13);
    EXPECT_TRUE(midi.log->songLikely) << "13 cards left";
    form->mnuOptionsUndo->trigger();
    EXPECT_FALSE(midi.log->songLikely) << "undone to 14";
    sendHomeUntil(13);
    EXPECT_TRUE(midi.log->songLikely);
    QTest::keyClick(form, Qt::Key_F2);
    EXPECT_FALSE(midi.log->songLikely) << "a new game";
}

} // namespace
