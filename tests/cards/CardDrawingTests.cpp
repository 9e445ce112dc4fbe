// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CardArt.h"
#include "platform/DrawingSurface.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QImage cardImage(int32_t card, int32_t mode, qreal ratio = 1.0)
{
    QImage image(static_cast<int>(kCardWidth * ratio), static_cast<int>(kCardHeight * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::green);
    ImageSurface surface(&image);
    cdtDraw(surface.hDC(), 0, 0, card, mode, 0);
    return image;
}

TEST(CardLibrary, ReportsTheCardSize)
{
    int32_t w = 0, h = 0;
    cdtInit(&w, &h);
    EXPECT_EQ(w, 71);
    EXPECT_EQ(h, 96);
    cdtTerm();
    EXPECT_EQ(cdtDraw(0, 0, 0, 0, 0, 0), 0); // no surface, nothing drawn
}

TEST(CardLibrary, TheIndexStripOfABuriedCardIsNotBlank)
{
    const QImage image = cardImage(4 * 9 + 2, mdFaceUp); // a 10 of a red suit
    int ink = 0;
    bool red = false;
    for (int y = 4; y < 40; ++y)
        for (int x = 2; x < 15; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.lightness() < 200)
                ++ink;
            red = red || (c.red() > 150 && c.green() < 90 && c.blue() < 90);
        }
    EXPECT_GT(ink, 20);
    EXPECT_TRUE(red);
}

TEST(CardLibrary, BacksDifferAndUnknownNumbersAreHarmless)
{
    EXPECT_NE(cardImage(54, mdFaceDown), cardImage(55, mdFaceDown));
    for (int32_t odd : {-1, 52, 1000, 66})
        EXPECT_FALSE(cardImage(odd, mdFaceUp).isNull());
    EXPECT_FALSE(cardImage(0, 7).isNull());
}

TEST(CardLibrary, DrawsAtTheSurfacePixelRatio)
{
    const QImage twice = cardImage(0, mdFaceUp, 2.0);
    EXPECT_EQ(twice.size(), QSize(142, 192));
    // The card fills the whole picture: its right edge reaches the last pixels.
    EXPECT_NE(twice.pixelColor(140, 96), QColor(Qt::green));
}

} // namespace
