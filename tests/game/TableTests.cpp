// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"
#include "cards/modGlobals.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <vector>

namespace {

class Table : public testing::Test
{
protected:
    // Cards go home by hand, from the top of the deck, until `keep` are left.
    void sendHome(int keep)
    {
        while (gclsDeck().Count() > keep) {
            const CardRef card = gclsDeck().Card(1);
            form.mclsHome[card->CardSuit()].Add(card);
            gclsDeck().Remove(1);
        }
    }

    ScopedFakeMidi midi;
    frmMain form;
};

TEST_F(Table, OpensWithTheDealAndLayout)
{
    form.show();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Marrowby"));
    EXPECT_EQ(form.centralWidget()->size(), QSize(627, 431));
    const int lefts[] = {10, 134, 258, 382, 506};
    const int tops[] = {11, 118, 225, 332};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(form.picPile[i]->pos(), QPoint(lefts[i % 5], tops[i / 5])) << i;
    const int homeLefts[] = {307, 387, 467, 547};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form.picHome[i]->pos(), QPoint(homeLefts[i], 332));
    EXPECT_EQ(form.cmdReShuffle->pos(), QPoint(232, 347));
    EXPECT_EQ(form.cmdDraw->pos(), QPoint(232, 392));
    EXPECT_EQ(form.lblShufflesLeft->pos(), QPoint(228, 374));
    EXPECT_EQ(form.lblShufflesLeft->text(), QStringLiteral("2 Shuffles Left"));

    for (int i = 0; i < 16; ++i) {
        ASSERT_EQ(form.mclsPile[i].Count(), 3);
        EXPECT_EQ(form.picPile[i]->width(), 101);
        for (int16_t p = 1; p <= 3; ++p)
            EXPECT_NE(form.mclsPile[i].Card(p)->CardNumber(), 1);
    }
    for (int s = 0; s < 4; ++s) {
        ASSERT_EQ(form.mclsHome[s].Count(), 1);
        EXPECT_EQ(form.mclsHome[s].TopCard()->CardSuit(), s);
        EXPECT_EQ(form.mclsHome[s].TopCard()->CardNumber(), 1);
    }
    EXPECT_EQ(gclsDeck().Count(), 48);
}

TEST_F(Table, ResizeSpreadsColumnsAndFollowsTheRightEdge)
{
    form.show();
    form.centralWidget()->resize(727, 300);
    EXPECT_EQ(form.picPile[1]->x(), 10 + 71 + 63);
    EXPECT_EQ(form.picPile[5]->y(), 118);
    EXPECT_EQ(form.picHome[3]->x(), 647);
    form.centralWidget()->resize(627, 431);
    EXPECT_EQ(form.picHome[0]->x(), 307);
}

// Every dealt pile, home pile, button and label wholly inside the table (a home pile's
// frame may lose its bottom line) and none touching another.
void expectEveryControlVisibleAndApart(const frmMain &form)
{
    const QRect inside = form.centralWidget()->rect();
    std::vector<QRect> controls;
    for (const PictureBox *pile : form.picPile)
        controls.push_back(pile->geometry());
    for (const PictureBox *home : form.picHome)
        controls.push_back(home->geometry().adjusted(0, 0, 0, -2));
    for (const QWidget *control : std::initializer_list<const QWidget *>{
             form.cmdReShuffle, form.cmdDraw, form.lblShufflesLeft})
        controls.push_back(control->geometry());
    for (size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(inside.contains(controls[i])) << i << " at width " << inside.width();
        for (size_t j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i].adjusted(0, 0, 1, 1).intersects(controls[j]))
                << i << " touches " << j << " at width " << inside.width();
    }
}

TEST_F(Table, NeverSmallerThanKeepsEveryControlVisibleAndApart)
{
    form.show();
    form.resize(1, 1);
    EXPECT_EQ(form.centralWidget()->size(), QSize(591, 430));
    for (int width = 591; width <= 640 && !testing::Test::HasFailure(); ++width) {
        form.centralWidget()->resize(width, 430);
        expectEveryControlVisibleAndApart(form);
    }
    // One pixel less and the last column's top card is cut.
    form.centralWidget()->setMinimumSize(0, 0);
    form.centralWidget()->resize(590, 430);
    EXPECT_GT(form.picPile[4]->geometry().right(), 589);
}

TEST_F(Table, ReShufflesCountDownAndDealFromTheFirstPile)
{
    sendHome(47);
    form.cmdReShuffle->click();
    EXPECT_EQ(form.lblShufflesLeft->text(), QStringLiteral("1 Shuffle Left"));
    EXPECT_EQ(form.mclsPile[14].Count(), 3);
    EXPECT_EQ(form.mclsPile[15].Count(), 2);

    sendHome(3);
    form.cmdReShuffle->click();
    EXPECT_EQ(form.lblShufflesLeft->text(), QStringLiteral("0 Shuffles Left"));
    EXPECT_FALSE(form.cmdReShuffle->isEnabled());
    EXPECT_EQ(form.mclsPile[0].Count(), 3);
    for (int i = 1; i < 16; ++i) {
        EXPECT_EQ(form.mclsPile[i].Count(), 0);
        EXPECT_TRUE(form.picPile[i]->isHidden());
    }

    sendHome(0);
    form.ReShuffle(); // even with nothing to deal, a re-shuffle is used up
    EXPECT_EQ(form.miShufflesLeft, -1);
    for (const CStack &pile : form.mclsPile)
        EXPECT_EQ(pile.Count(), 0);
}

TEST_F(Table, CaptionCountsCardsLeft)
{
    for (const auto &[left, caption] :
         {std::pair(48, "48 Cards Left"), {1, "1 Card Left"}, {0, "0 Cards Left"}}) {
        sendHome(left);
        form.UpdateCaption();
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Marrowby - ") + QLatin1String(caption));
    }
}

TEST_F(Table, NewGameKeepsTheAcesHomeAndDealsTheRest)
{
    sendHome(46);
    form.cmdReShuffle->click();
    form.cmdDraw->setEnabled(false);
    midi.log->calls.clear();
    form.mnuFileNewGame->trigger();

    EXPECT_EQ(midi.log->calls.value(0), QStringLiteral("StopSong"));
    EXPECT_EQ(gclsDeck().Count(), 48);
    for (const CStack &home : form.mclsHome)
        EXPECT_EQ(home.Count(), 1);
    int dealt = 0;
    for (const CStack &pile : form.mclsPile)
        dealt += pile.Count();
    EXPECT_EQ(dealt, 48);
    EXPECT_EQ(form.lblShufflesLeft->text(), QStringLiteral("2 Shuffles Left"));
    EXPECT_TRUE(form.cmdReShuffle->isEnabled());
    EXPECT_TRUE(form.cmdDraw->isEnabled());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Marrowby - 48 Cards Left"));
}

} // namespace
