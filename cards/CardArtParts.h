// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pieces the card pictures are made of. Every function paints in card
// coordinates: the painter's origin is the card's top-left corner.

#include "cards/CardArt.h"

#include <QColor>
#include <QPainter>
#include <QPointF>

#include <functional>

class QPainter;
class QPainterPath;

namespace cardart {

enum Suit { Clubs, Diamonds, Hearts, Spades };

// Whether a part lying within `bounds` (in the painter's present coordinates) can show.
// A buried card is painted through a clip around the strip that shows, and the parts
// wholly outside it are skipped rather than worked out and then thrown away.
inline bool mayShow(const QPainter &painter, const QRectF &bounds)
{
    return !painter.hasClipping() || painter.clipBoundingRect().intersects(bounds);
}

// Paints what `paint` draws within `bounds` (in the painter's present coordinates) as a
// copy of a picture kept for `what` and `colour` at this place on the pixel grid; the
// painter passed to `paint` draws that picture. Nothing is painted where nothing shows.
void stamped(QPainter &painter, const void *what, QRgb colour, const QRectF &bounds,
             const std::function<void(QPainter &)> &paint);
// Fills a shape that lives as long as the program, through a stamp.
void fillStamped(QPainter &painter, const QPainterPath &shape, const QColor &colour);

QColor suitColour(int suit);
// The suit sign, centred on the origin, one unit high.
const QPainterPath &suitShape(int suit);
void paintSuit(QPainter &painter, int suit, QPointF centre, qreal height, bool upsideDown);

// Cards read the same from either end: paints once, then again turned half round.
template <typename Paint> void paintBothEnds(QPainter &painter, Paint paint)
{
    paint();
    painter.save();
    painter.translate(kCardWidth, kCardHeight);
    painter.rotate(180);
    paint();
    painter.restore();
}

void paintIndex(QPainter &painter, int rank, int suit);
void paintPips(QPainter &painter, int rank, int suit);
void paintCourt(QPainter &painter, int rank, int suit);
void paintBack(QPainter &painter, int back);

} // namespace cardart
