// SPDX-License-Identifier: GPL-3.0-or-later
// The won game through the real window: the song, the frame and the spinning clip, and
// what the player may do while the celebration lets events run.
#include "game/PlayDriver.h"
#include "animation/AnimationWidget.h"
#include "animation/CAnimate.h"

#include <QPointer>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::ElementsAre;

namespace {

const QString kSong = QStringLiteral("/songs/victory.mid");
const QColor kFrame(0, 0, 255);

// A key as the player presses it, once the events waiting now are handled.
void pressSoon(frmMain &f, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QMetaObject::invokeMethod(
        &f, [&f, key, modifiers] { QTest::keyClick(&f, key, modifiers); }, Qt::QueuedConnection);
}

class Victory : public testing::Test
{
protected:
    void sendHomeUntil(int left)
    {
        ::sendHomeUntil(f, left);
        calls.clear();
    }

    AnimationWidget *clip() const { return f.table->findChild<AnimationWidget *>(); }

    void expectNoCelebration()
    {
        EXPECT_FALSE(f.mclsAnimate);
        EXPECT_TRUE(f.table->boxes().empty());
        EXPECT_TRUE(f.table->AutoRedraw());
        EXPECT_FALSE(clip());
    }

    Table t{kReversedOrder};
    frmMain &f = t.form;
    QStringList &calls = t.midi.log->calls;
    std::function<void()> &onPlaySong = t.midi.log->onPlaySong; // between the two yields
};

// The song is expected from a suit's worth of cards left. One card short wins nothing; a
// win with no song chosen still shows, its frame's left edge on a half pixel at an odd
// width, and goes on through an undo, even of a second win while its song starts. A later
// win replaces it: its frame is centred on the table as it is then and the clip spins inside
// it above the piles. A new game ends it all.
TEST_F(Victory, CelebratesEachWinUntilTheNextOrANewGame)
{
    bool &likely = t.midi.log->songLikely;
    gsMusicFilename.clear();
    sendHomeUntil(14);
    EXPECT_FALSE(likely) << "14 cards left";
    sendHomeUntil(13);
    EXPECT_TRUE(likely) << "13 cards left";
    f.mnuOptionsUndo->trigger();
    EXPECT_FALSE(likely) << "undone to 14";
    sendHomeUntil(1);
    expectNoCelebration();

    drag(f, onTopCard(f, 0), onHome(f, 3));
    EXPECT_THAT(calls, ElementsAre(QStringLiteral("SongFile="), QStringLiteral("PlaySong")));
    ASSERT_EQ(f.table->boxes().size(), 1u);
    EXPECT_EQ(f.table->boxes()[0].first, QRectF(151.5, 18, 324, 244));
    QPointer<AnimationWidget> first = clip();
    ASSERT_TRUE(first);
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.mclsPile[0].Count(), 1);
    calls.clear();
    onPlaySong = [this] { pressSoon(f, Qt::Key_Z, Qt::ControlModifier); };
    doubleClick(f, onTopCard(f, 0));
    onPlaySong = nullptr;
    EXPECT_FALSE(calls.contains(QStringLiteral("StopSong")));
    EXPECT_TRUE(first);
    EXPECT_EQ(f.table->boxes().size(), 1u);
    EXPECT_TRUE(tableIsWhole(f));

    gsMusicFilename = kSong;
    f.resize(700, f.height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.table->width() == 700; }));
    calls.clear();
    doubleClick(f, onTopCard(f, 0));
    EXPECT_THAT(calls,
                ElementsAre(QStringLiteral("SongFile=") + kSong, QStringLiteral("PlaySong")));
    EXPECT_EQ(f.table->findChildren<AnimationWidget *>().size(), 1);
    ASSERT_EQ(f.table->boxes().size(), 1u);
    EXPECT_EQ(f.table->boxes()[0], std::pair(QRectF(188, 18, 324, 244), kFrame));
    EXPECT_EQ(f.mclsAnimate->ResourceID(), 102);
    AnimationWidget *widget = clip();
    ASSERT_TRUE(widget);
    EXPECT_EQ(widget->geometry(), QRect(190, 20, 320, 240));
    EXPECT_EQ(f.table->children().last(), widget);
    EXPECT_TRUE(widget->isVisible() && widget->isTimerActive());
    EXPECT_EQ(f.table->grab().toImage().pixelColor(188, 112), kFrame);

    // The clip lies over the table but is not the table: a click on it keeps the draw.
    QTest::mouseClick(f.cmdDraw, Qt::LeftButton);
    QTest::mouseClick(f.table, Qt::LeftButton, {}, widget->geometry().center());
    EXPECT_TRUE(f.DrawModeOn());

    calls.clear();
    QTest::keyClick(&f, Qt::Key_F2);
    EXPECT_EQ(calls.value(0), QStringLiteral("StopSong"));
    expectNoCelebration();
    EXPECT_FALSE(likely) << "a new game";
}

// A new game or an undo while the celebration lets events run, before the song or
// between the song and the clip: the table is as in play again.
TEST(VictoryCalledOff, ByANewGameOrAnUndoDuringEitherYield)
{
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_F2, {}},
                                                              {Qt::Key_Z, Qt::ControlModifier}};
    for (const auto &[key, modifiers] : keys)
        for (bool duringSong : {false, true}) {
            SCOPED_TRACE(testing::Message() << key << (duringSong ? " during the song" : ""));
            Table t{kReversedOrder};
            frmMain &f = t.form;
            sendHomeUntil(f, 1);
            QStringList &calls = t.midi.log->calls;
            calls.clear();
            auto press = [&f, key = key, modifiers = modifiers] { pressSoon(f, key, modifiers); };
            if (duringSong)
                t.midi.log->onPlaySong = press;
            else
                press();
            doubleClick(f, onTopCard(f, 0));
            t.midi.log->onPlaySong = nullptr;
            EXPECT_EQ(calls.contains(QStringLiteral("PlaySong")), duringSong);
            EXPECT_TRUE(!duringSong || calls.last() == QStringLiteral("StopSong"));
            EXPECT_FALSE(f.mclsAnimate);
            EXPECT_TRUE(f.table->boxes().empty() && f.table->AutoRedraw());
            EXPECT_TRUE(tableIsWhole(f));
        }
}

} // namespace
