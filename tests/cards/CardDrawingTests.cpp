// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/CardArt.h"
#include "cards/DrawingSurface.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

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

bool isRed(const QColor &c)
{
    return c.red() > 150 && c.green() < 90 && c.blue() < 90;
}

// How many pixels pass the test, and the smallest rectangle holding them.
template <class Test> std::pair<int, QRect> pixelsWhere(const QImage &image, Test test)
{
    std::pair<int, QRect> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixelColor(x, y)))
                found = {found.first + 1, found.second | QRect(x, y, 1, 1)};
    return found;
}

TEST(CardLibrary, EveryBuriedCardShowsAStripOfItsOwnInItsSuitsColour)
{
    std::vector<QImage> strips;
    for (int32_t card = 0; card < 52; ++card) {
        const QImage image = cardImage(card, mdFaceUp);
        const QImage strip = image.copy(0, 0, 15, kCardHeight);
        EXPECT_EQ(std::count(strips.begin(), strips.end(), strip), 0) << "card " << card;
        strips.push_back(strip);
        if (card >= 40)
            continue;
        // The index, "10" included, keeps clear of the next card's edge.
        for (int y = 2; y < 30; ++y)
            EXPECT_EQ(image.pixelColor(13, y), QColor(Qt::white)) << "card " << card;
        // Hearts and diamonds are red, spades and clubs are not.
        const int red = pixelsWhere(image, isRed).first;
        EXPECT_TRUE(card % 4 == 1 || card % 4 == 2 ? red > 30 : red == 0) << "card " << card;
    }
}

// The red runs across an ace's pip a few rows below its top: a heart begins as two lobes,
// a diamond as one point.
int runsNearThePipsTop(const QImage &ace)
{
    const QRect pip(15, 24, 41, 48);
    for (int top = pip.top(); top <= pip.bottom(); ++top) {
        int runs = 0;
        bool red = false;
        for (int x = pip.left(); x <= pip.right(); ++x) {
            const bool now = isRed(ace.pixelColor(x, top + 3));
            runs += now && !red;
            red = now;
        }
        if (runs > 0 || top + 3 > pip.bottom())
            return runs;
    }
    return 0;
}

TEST(CardLibrary, ADiamondAndAHeartDifferInShape)
{
    EXPECT_EQ(runsNearThePipsTop(cardImage(1, mdFaceUp)), 1) << "the ace of diamonds";
    EXPECT_EQ(runsNearThePipsTop(cardImage(2, mdFaceUp)), 2) << "the ace of hearts";
}

TEST(CardLibrary, BacksDifferAndUnknownNumbersDrawABlankCardOrNothingWithoutASurface)
{
    std::vector<QImage> backs;
    for (int32_t back = 54; back <= 65; ++back) {
        const QImage image = cardImage(back, mdFaceDown);
        EXPECT_EQ(std::count(backs.begin(), backs.end(), image), 0) << back;
        backs.push_back(image);
    }
    // Anything unknown is the same plain white card.
    const QImage blank = cardImage(-1, mdFaceUp);
    EXPECT_EQ(blank.pixelColor(35, 48), QColor(Qt::white));
    EXPECT_NE(blank.pixelColor(0, 48), QColor(Qt::green));
    for (int32_t odd : {52, 53, 54, 1000, INT32_MAX, INT32_MIN})
        EXPECT_EQ(cardImage(odd, mdFaceUp), blank) << odd;
    for (int32_t odd : {0, 51, 53, 66, -1, INT32_MIN})
        EXPECT_EQ(cardImage(odd, mdFaceDown), blank) << odd;
    for (int32_t mode : {2, 7, -1})
        EXPECT_EQ(cardImage(0, mode), blank) << mode;
    EXPECT_EQ(cdtDraw(0, 0, 0, 0, 0, 0), 0); // no surface, nothing drawn
}

// The stars back (59): every star whole, inside the white line around the panel, and the
// pattern as far from the line on the left as on the right.
TEST(CardLibrary, TheStarsBackShowsEveryStarWhole)
{
    const QRect gold = pixelsWhere(cardImage(59, mdFaceDown), [](const QColor &c) {
                           return c.red() > 120 && c.green() > 90 && c.blue() < 100;
                       }).second;
    EXPECT_TRUE(QRect(7, 7, kCardWidth - 14, kCardHeight - 14).contains(gold))
        << gold.x() << "," << gold.y() << " " << gold.width() << "x" << gold.height();
    EXPECT_NEAR(gold.left(), kCardWidth - 1 - gold.right(), 1);
}

TEST(CardLibrary, DrawsExactlyInsideItsPlace)
{
    for (qreal ratio : {1.0, 2.0}) {
        for (auto [card, mode] : {std::pair(0, mdFaceUp), {43, mdFaceUp}, {64, mdFaceDown}}) {
            QImage image(QSize(91, 116) * ratio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::green);
            ImageSurface surface(&image);
            cdtDraw(surface.hDC(), 10, 10, card, mode, 0);
            const QRect place(QPoint(10, 10) * ratio, QSize(71, 96) * ratio);
            const auto drawn = [](const QColor &c) { return c != Qt::green; };
            EXPECT_TRUE(place.contains(pixelsWhere(image, drawn).second))
                << card << " at " << ratio;
            // The border reaches the middle of every edge.
            const QPoint c = place.center();
            for (QPoint edge : {QPoint(place.left(), c.y()), QPoint(place.right(), c.y()),
                                QPoint(c.x(), place.top()), QPoint(c.x(), place.bottom())})
                EXPECT_LT(image.pixelColor(edge).lightness(), 120) << card << " at " << ratio;
        }
    }
}

TEST(CardLibrary, BacksOffThePixelGridAreDrawnToo)
{
    QImage offGrid(kCardWidth, kCardHeight, QImage::Format_ARGB32_Premultiplied);
    offGrid.fill(Qt::green);
    QPainter painter(&offGrid);
    paintCard(painter, QPointF(0.5, 0.25), 64, mdFaceDown);
    painter.end();
    // Same colours on the whole, though not on the same pixels.
    const auto meanColour = [](const QImage &image) {
        return image.copy(10, 10, 50, 75)
            .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .pixelColor(0, 0);
    };
    const QColor a = meanColour(cardImage(64, mdFaceDown));
    const QColor b = meanColour(offGrid);
    EXPECT_LT(a.lightness(), 150);
    EXPECT_NEAR(a.red(), b.red(), 8);
    EXPECT_NEAR(a.green(), b.green(), 8);
    EXPECT_NEAR(a.blue(), b.blue(), 8);
}

} // namespace

// A pile painted late, buried cards cut to the strip that shows, is the pile painted card
// by card: at every pixel ratio, for every face and back, fanned or stacked, on whole
// pixels or not.
TEST(CardLibrary, PaintingLateGivesTheSamePixels)
{
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        for (int32_t top : {4, 5}) {
            for (int32_t first = 0; first < 66; first += 4) {
                QImage now(QSize(160, 110) * ratio, QImage::Format_ARGB32_Premultiplied);
                now.setDevicePixelRatio(ratio);
                now.fill(QColor(0, 128, 0));
                QImage late = now.copy();
                ImageSurface direct(&now);
                DeferredImageSurface deferred(&late);
                // Fanned, then two laid on the last one's place and one a little aside; once,
                // more cards than a pack before the first paint.
                const int32_t count = first == 0 ? 60 : 7;
                for (int32_t k = 0; k < count; ++k) {
                    const int32_t card = (first + k) % 66;
                    const int32_t mode = card < 52 ? mdFaceUp : mdFaceDown;
                    const int32_t x =
                        count > 7 ? k % 6 * 15 : std::min(k, 4) * 15 + (k == 6 ? 3 : 0);
                    cdtDraw(direct.hDC(), x, top, card, mode, 0);
                    cdtDraw(deferred.hDC(), x, top, card, mode, 0);
                }
                deferred.paint();
                EXPECT_EQ(late, now) << "from card " << first << " at " << top << ", " << ratio;
            }
        }
    }
}
