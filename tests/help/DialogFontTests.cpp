// SPDX-License-Identifier: GPL-3.0-or-later
// The About box and the two choosers keep their classic sizes at the default 9-point
// font and grow with a larger desktop font.
#include "help/frmAbout.h"
#include "options/frmDeck.h"
#include "options/frmMusic.h"
#include "support/TestSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

template <class Dialog> QSize sizeAt(qreal points, int pixels = 0)
{
    const QFont saved = QApplication::font();
    QFont font = saved;
    pixels ? font.setPixelSize(pixels) : font.setPointSizeF(points);
    QApplication::setFont(font);
    const QSize size = Dialog().size();
    QApplication::setFont(saved);
    return size;
}

// 11 and 13 points, and 9 points at 144 dots an inch (QT_FONT_DPI=144), as pixels.
TEST(DialogFont, KeepsTheClassicSizesAndGrowsWithALargerFont)
{
    ScopedFakeMidi midi;
    EXPECT_EQ(sizeAt<frmAbout>(9), QSize(328, 159));
    EXPECT_EQ(sizeAt<frmMusic>(9), QSize(314, 197));
    EXPECT_EQ(sizeAt<frmDeck>(9), QSize(497, 264));
    for (const auto &[points, pixels] : {std::pair(11, 0), std::pair(13, 0), std::pair(9, 18)}) {
        SCOPED_TRACE(testing::Message() << points << " points, " << pixels << " pixels");
        const QSize about = sizeAt<frmAbout>(points, pixels);
        EXPECT_TRUE(about.width() > 328 && about.height() > 159) << about.width();
        const QSize music = sizeAt<frmMusic>(points, pixels);
        EXPECT_TRUE(music.width() > 314 && music.height() > 197) << music.width();
        EXPECT_EQ(sizeAt<frmDeck>(points, pixels).width(), 497) << "the backs keep a card's size";
    }
}

} // namespace
