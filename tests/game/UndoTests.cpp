// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/PlayDriver.h"

#include <gtest/gtest.h>

namespace {

void undo(frmMain &f)
{
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
}

std::vector<std::vector<const CCard *>> layout(const frmMain &f)
{
    std::vector<std::vector<const CCard *>> piles;
    for (const auto *set : {f.mclsPile.data(), f.mclsHome.data()})
        for (int i = 0; i < (set == f.mclsPile.data() ? 16 : 4); ++i) {
            piles.emplace_back();
            for (int p = 1; p <= set[i].Count(); ++p)
                piles.back().push_back(set[i].Card(p).get());
        }
    return piles;
}

TEST(Undo, TakesBackTheLastPickUpOnce)
{
    Table t(kReversedOrder);
    frmMain &f = t.form;
    const auto dealt = layout(f);
    drag(f, onTopCard(f, 3), onHome(f, 3));
    undo(f);
    EXPECT_EQ(layout(f), dealt);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Marrowby - 48 Cards Left"));
    undo(f);
    EXPECT_EQ(layout(f), dealt);

    doubleClick(f, onTopCard(f, 3));
    const auto twoHome = layout(f);
    drag(f, onTopCard(f, 1), onHome(f, 3)); // refused, but a pick-up all the same
    undo(f);
    EXPECT_EQ(layout(f), twoHome);
    EXPECT_TRUE(tableIsWhole(f));
}

TEST(Undo, GivesTheDrawBackOnlyForTheMoveThatUsedIt)
{
    Table t(kReversedOrder);
    frmMain &f = t.form;
    QTest::mouseClick(f.cmdDraw, Qt::LeftButton);
    drag(f, onTopCard(f, 3), onHome(f, 3));
    undo(f);
    EXPECT_TRUE(f.cmdDraw->isEnabled());
    EXPECT_EQ(topRank(f.mclsPile[3]), 2);

    QTest::mouseClick(f.cmdDraw, Qt::LeftButton);
    drag(f, onTopCard(f, 3), onHome(f, 3));
    drag(f, onTopCard(f, 3), onHome(f, 3));
    undo(f);
    EXPECT_FALSE(f.cmdDraw->isEnabled());
    EXPECT_EQ(topRank(f.mclsHome[3]), 2);
    EXPECT_TRUE(tableIsWhole(f));
}

} // namespace
