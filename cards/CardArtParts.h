// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pieces the card pictures are made of. Every function paints in card
// coordinates: the painter's origin is the card's top-left corner.

#include "cards/CardArt.h"

#include <QColor>
#include <QPainter>
#include <QPointF>

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
