// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frmMain.h"
#include "cards/modGlobals.h"
#include "support/TestSupport.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <tuple>
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
        const CStack &home = form.mclsHome[s];
        EXPECT_EQ(
            std::tuple(home.Count(), home.TopCard()->CardSuit(), home.TopCard()->CardNumber()),
            std::tuple(1, s, 1));
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

// The label, the button and the deal after each re-shuffle are the soak's to judge; what
// it seldom reaches is a re-shuffle with nothing left to deal.
TEST_F(Table, ReShufflesDealFromTheFirstPileAndCountEvenWithNothingToDeal)
{
    sendHome(47);
    form.cmdReShuffle->click();
    sendHome(3);
    form.cmdReShuffle->click();
    EXPECT_EQ(form.mclsPile[0].Count(), 3);
    EXPECT_TRUE(form.picPile[1]->isHidden());
    sendHome(0);
    form.ReShuffle();
    EXPECT_EQ(form.miShufflesLeft, -1);
    for (const CStack &pile : form.mclsPile)
        EXPECT_EQ(pile.Count(), 0);
}

} // namespace
