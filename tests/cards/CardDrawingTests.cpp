// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/CardArt.h"
#include "cards/DrawingSurface.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// A card drawn `margin` points in from the corner of a green picture.
QImage cardImage(int32_t card, int32_t mode, qreal ratio = 1.0, int margin = 0)
{
    QImage image(QSize(kCardWidth + 2 * margin, kCardHeight + 2 * margin) * ratio,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::green);
    ImageSurface surface(&image);
    cdtDraw(surface.hDC(), margin, margin, card, mode, 0);
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

// Every face and back, on whole pixels and (at 1.25) between them: drawn inside its place
// with the border reaching each edge, each back unlike the others, each face told apart by
// the strip a fan leaves showing, and hearts and diamonds red where spades and clubs are not.
TEST(CardLibrary, EveryCardIsAPictureOfItsOwnDrawnInsideItsPlace)
{
    for (qreal ratio : {1.0, 1.25, 2.0}) {
        SCOPED_TRACE(ratio);
        const QRect place = QRectF(QPointF(10, 10) * ratio, QSizeF(kCardWidth, kCardHeight) * ratio)
                                .toAlignedRect();
        std::vector<QImage> seen;
        for (int32_t card = 0; card <= 65; ++card) {
            if (card == 52 || card == 53)
                continue;
            SCOPED_TRACE(card);
            const bool face = card < 52;
            const QImage image = cardImage(card, face ? mdFaceUp : mdFaceDown, ratio, 10);
            const auto drawn = [](const QColor &c) { return c != Qt::green; };
            EXPECT_TRUE(place.contains(pixelsWhere(image, drawn).second));
            const QPoint c = place.center();
            for (QPoint edge : {QPoint(place.left(), c.y()), QPoint(place.right(), c.y()),
                                QPoint(c.x(), place.top()), QPoint(c.x(), place.bottom())})
                EXPECT_LT(image.pixelColor(edge).lightness(), 120);
            const QImage shown =
                image.copy(face ? place.adjusted(0, 0, int(15 * ratio) - place.width(), 0) : place);
            EXPECT_EQ(std::count(seen.begin(), seen.end(), shown), 0);
            seen.push_back(shown);
            const int red = pixelsWhere(image, isRed).first;
            if (card < 40) {
                EXPECT_TRUE(card % 4 == 1 || card % 4 == 2 ? red > 30 : red == 0);
            }
        }
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

// Anything unknown is the same plain white card; without a surface nothing is drawn.
TEST(CardLibrary, UnknownCardsDrawABlankCard)
{
    const QImage blank = cardImage(-1, mdFaceUp);
    EXPECT_EQ(blank.pixelColor(35, 48), QColor(Qt::white));
    for (auto [card, mode] : {std::pair<int32_t, int32_t>(52, mdFaceUp),
                              {INT32_MAX, mdFaceUp},
                              {INT32_MIN, mdFaceUp},
                              {53, mdFaceDown},
                              {66, mdFaceDown},
                              {INT32_MIN, mdFaceDown},
                              {0, mdFaceDown},
                              {0, 2},
                              {0, -1}})
        EXPECT_EQ(cardImage(card, mode), blank) << card << " " << mode;
    EXPECT_EQ(cdtDraw(0, 0, 0, 0, 0, 0), 0);
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
