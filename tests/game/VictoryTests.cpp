// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayDriver.h"
#include "animation/AnimationWidget.h"
#include "animation/CAnimate.h"

#include <QPointer>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

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

    // Every card home, in rank order, the piles empty; with `firstLeft`, the cards of that
    // rank and above stay out instead, one a pile from pile 0 on, in rank order.
    void sendAllHome(int16_t firstLeft = 14)
    {
        std::vector<CardRef> cards;
        for (int16_t p = 1; p <= gclsDeck().Count(); ++p)
            cards.push_back(gclsDeck().Card(p));
        std::sort(cards.begin(), cards.end(), [](const CardRef &a, const CardRef &b) {
            return a->CardNumber() < b->CardNumber();
        });
        for (CStack &pile : form->mclsPile)
            while (pile.Count() > 0)
                pile.RemoveTopCard();
        int16_t pile = 0;
        for (const CardRef &card : cards) {
            if (card->CardNumber() >= firstLeft)
                form->mclsPile[pile++].Add(card);
            else
                form->mclsHome[card->CardSuit()].Add(card);
        }
        for (int16_t p = gclsDeck().Count(); p >= 1; --p)
            if (gclsDeck().Card(p)->CardNumber() < firstLeft)
                gclsDeck().Remove(p);
        for (int16_t i = 0; i < 16; ++i)
            form->DrawPile(i);
        for (int16_t h = 0; h < 4; ++h)
            form->DrawHome(h);
    }

    // Every card home but the king of suit 3, alone on pile 0 and in the undo snapshot.
    void leaveOneKing()
    {
        sendAllHome();
        const CardRef king = form->mclsHome[3].TopCard();
        form->mclsHome[3].RemoveTopCard();
        gclsDeck().Add(king);
        form->mclsPile[0].Add(king);
        form->DrawPile(0);
        form->DrawHome(3);
        form->SaveUndo();
    }

    // The king goes home as a drop takes it there, with the win test after it.
    void kingHomeAndCheck()
    {
        const CardRef king = form->mclsPile[0].TopCard();
        form->mclsPile[0].RemoveTopCard();
        form->DrawPile(0);
        form->mclsHome[3].Add(king);
        form->RemoveFromDeck(3, 13);
        form->DrawHome(3);
        form->CheckForWin();
        form->UpdateCaption();
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

    Table t;
    frmMain *const form = &t.form;
    ScopedFakeMidi &midi = t.midi;
    std::function<void()> &onPlaySong = t.midi.log->onPlaySong; // between the two yields
};

// A home pile one card short wins nothing; with no song chosen a win still shows.
TEST_F(Victory, NothingHappensUntilEveryCardIsHomeSongOrNot)
{
    sendAllHome();
    const CardRef king = form->mclsHome[2].TopCard();
    form->mclsHome[2].RemoveTopCard();
    form->mclsPile[0].Add(king);
    form->CheckForWin();
    EXPECT_TRUE(midi.log->calls.isEmpty());
    expectNoCelebration();

    form->mclsPile[0].RemoveTopCard();
    form->mclsHome[2].Add(king);
    gsMusicFilename.clear();
    form->CheckForWin();
    EXPECT_THAT(midi.log->calls,
                ElementsAre(QStringLiteral("SongFile="), QStringLiteral("PlaySong")));
    EXPECT_EQ(form->table->boxes().size(), 1u);
    EXPECT_TRUE(clip());
}

TEST_F(Victory, PlaysTheSongFramesTheTableAndSpinsTheClipAbovePiles)
{
    for (const auto &[width, frameLeft] : {std::pair(627, 151.5), std::pair(628, 152.0)}) {
        resizeTo(width);
        sendAllHome();
        midi.log->calls.clear();
        form->CheckForWin();

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
        form->mnuFileNewGame->trigger();
    }
    // A repaint draws the frame again, with the clip inside it.
    resizeTo(628);
    sendAllHome();
    form->CheckForWin();
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
    sendAllHome();
    form->CheckForWin();
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
        sendAllHome();
        midi.log->calls.clear();
        if (duringSong)
            onPlaySong = [this] { pressSoon(Qt::Key_F2); };
        else
            pressSoon(Qt::Key_F2);
        form->CheckForWin();
        onPlaySong = nullptr;
        EXPECT_EQ(midi.log->calls.contains(QStringLiteral("PlaySong")), duringSong);
        EXPECT_EQ(midi.log->calls.last(), QStringLiteral("StopSong"));
        EXPECT_EQ(gclsDeck().Count(), 48);
        expectNoCelebration();
    }
}

// Win by a drop, take the king back, resize, win by a double click: one frame, the new one.
TEST_F(Victory, WinningAgainReplacesTheFrameWithTheClip)
{
    resizeTo(628);
    leaveOneKing();
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
        leaveOneKing();
        midi.log->calls.clear();
        if (duringSong)
            onPlaySong = undoSoon;
        else
            pressUndoSoon();
        kingHomeAndCheck();
        onPlaySong = nullptr;
        EXPECT_EQ(form->mclsPile[0].Count(), 1);
        EXPECT_EQ(midi.log->calls.contains(QStringLiteral("PlaySong")), duringSong);
        if (duringSong) {
            EXPECT_EQ(midi.log->calls.last(), QStringLiteral("StopSong"));
        }
        expectNoCelebration();
        EXPECT_TRUE(tableIsWhole(*form));
        form->mnuFileNewGame->trigger();
    }

    leaveOneKing();
    kingHomeAndCheck();
    QPointer<AnimationWidget> first = clip();
    form->mnuOptionsUndo->trigger();
    midi.log->calls.clear();
    onPlaySong = undoSoon;
    kingHomeAndCheck();
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
    sendAllHome();
    form->CheckForWin();
    form->UpdateCaption();
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
    sendAllHome(10); // the tens to the kings left, the tens on piles 0 to 3
    form->picPile_DblClick(0);
    form->picPile_DblClick(1);
    EXPECT_FALSE(midi.log->songLikely) << "14 cards left";
    form->picPile_DblClick(2);
    EXPECT_TRUE(midi.log->songLikely) << "13 cards left";
    form->mnuOptionsUndo->trigger();
    EXPECT_FALSE(midi.log->songLikely) << "undone to 14";
    form->picPile_DblClick(2);
    EXPECT_TRUE(midi.log->songLikely);
    QTest::keyClick(form, Qt::Key_F2);
    EXPECT_FALSE(midi.log->songLikely) << "a new game";
}

} // namespace
