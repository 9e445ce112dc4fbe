// SPDX-License-Identifier: GPL-3.0-or-later
// Suit signs, corner indexes and the pips of ace to ten.
#include "cards/CardArt.h"
#include "cards/CardArtParts.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <span>

namespace cardart {

namespace {

// Suit signs are drawn in a 100-unit box centred on the origin, then scaled to one unit.
QPainterPath unitShape(QPainterPath path)
{
    path.setFillRule(Qt::WindingFill);
    return QTransform::fromScale(0.01, 0.01).map(path.simplified());
}

void addStem(QPainterPath &path)
{
    path.moveTo(-3, 14);
    path.cubicTo(-4, 32, -12, 44, -20, 50);
    path.lineTo(20, 50);
    path.cubicTo(12, 44, 4, 32, 3, 14);
    path.closeSubpath();
}

QPainterPath heart()
{
    QPainterPath path(QPointF(0, 47));
    path.cubicTo(-18, 26, -50, 8, -50, -20);
    path.cubicTo(-50, -38, -38, -48, -25, -48);
    path.cubicTo(-12, -48, -3, -40, 0, -28);
    path.cubicTo(3, -40, 12, -48, 25, -48);
    path.cubicTo(38, -48, 50, -38, 50, -20);
    path.cubicTo(50, 8, 18, 26, 0, 47);
    return path;
}

QPainterPath diamond()
{
    QPainterPath path(QPointF(0, -50));
    path.quadTo(16, -20, 40, 0);
    path.quadTo(16, 20, 0, 50);
    path.quadTo(-16, 20, -40, 0);
    path.quadTo(-16, -20, 0, -50);
    return path;
}

QPainterPath spade()
{
    QPainterPath path(QPointF(0, -50));
    path.cubicTo(14, -30, 48, -16, 48, 10);
    path.cubicTo(48, 28, 36, 36, 24, 36);
    path.cubicTo(14, 36, 6, 30, 2, 22);
    path.lineTo(-2, 22);
    path.cubicTo(-6, 30, -14, 36, -24, 36);
    path.cubicTo(-36, 36, -48, 28, -48, 10);
    path.cubicTo(-48, -16, -14, -30, 0, -50);
    addStem(path);
    return path;
}

QPainterPath club()
{
    QPainterPath path;
    constexpr qreal r = 22;
    path.addEllipse(QPointF(0, -27), r, r);
    path.addEllipse(QPointF(-25, 10), r, r);
    path.addEllipse(QPointF(25, 10), r, r);
    path.addEllipse(QPointF(0, 4), 12, 12);
    addStem(path);
    return path;
}

struct RankElement {
    unsigned char type; // a QPainterPath::ElementType
    double x, y;
};
#include "RankOutlines.inc"

// The rank as a glyph outline: one unit is the capital height, the baseline is at 0,
// and wide ranks are condensed so that "10" stays inside the narrow index strip.
const QPainterPath &rankShape(int rank)
{
    static const std::array<QPainterPath, 13> shapes = [] {
        std::array<QPainterPath, 13> made;
        for (int i = 0; i < 13; ++i) {
            const std::span<const RankElement> outline = kRankOutlines[i];
            for (size_t e = 0; e < outline.size(); ++e) {
                const RankElement &element = outline[e];
                if (element.type == QPainterPath::MoveToElement)
                    made[i].moveTo(element.x, element.y);
                else if (element.type == QPainterPath::LineToElement)
                    made[i].lineTo(element.x, element.y);
                else if (element.type == QPainterPath::CurveToElement && e + 2 < outline.size()) {
                    made[i].cubicTo(element.x, element.y, outline[e + 1].x, outline[e + 1].y,
                                    outline[e + 2].x, outline[e + 2].y);
                    e += 2;
                }
            }
        }
        return made;
    }();
    return shapes[rank - 1];
}

void paintIndexCorner(QPainter &painter, int rank, int suit)
{
    constexpr qreal centreX = 7.5;
    constexpr qreal rankBaseline = 14;
    constexpr qreal rankHeight = 10;
    painter.save();
    painter.translate(centreX, rankBaseline);
    painter.scale(rankHeight, rankHeight);
    fillStamped(painter, rankShape(rank), suitColour(suit));
    painter.restore();
    paintSuit(painter, suit, QPointF(centreX, 21.5), 9, false);
}

struct Pip {
    int column; // 0 left, 1 middle, 2 right
    qreal row;  // 0 top .. 1 bottom
};

// The traditional places of the pips, ace to ten.
const std::vector<Pip> &pipLayout(int rank)
{
    static const std::array<std::vector<Pip>, 10> layouts = {{
        {{1, 0.5}},
        {{1, 0}, {1, 1}},
        {{1, 0}, {1, 0.5}, {1, 1}},
        {{0, 0}, {2, 0}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {1, 0.75}, {0, 1}, {2, 1}},
        {{0, 0},
         {2, 0},
         {0, 1.0 / 3},
         {2, 1.0 / 3},
         {1, 0.5},
         {0, 2.0 / 3},
         {2, 2.0 / 3},
         {0, 1},
         {2, 1}},
        {{0, 0},
         {2, 0},
         {1, 1.0 / 6},
         {0, 1.0 / 3},
         {2, 1.0 / 3},
         {0, 2.0 / 3},
         {2, 2.0 / 3},
         {1, 5.0 / 6},
         {0, 1},
         {2, 1}},
    }};
    return layouts[rank - 1];
}

// The ace of spades carries the deck's flourish: a big spade on curled feet, with a
// white inlay.
void paintAceOfSpades(QPainter &painter)
{
    const QPointF centre(kCardWidth / 2.0, 44);
    const QColor ink = suitColour(Spades);
    painter.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (qreal side : {-1.0, 1.0}) {
        QPainterPath curl(centre + QPointF(side * 6, 23));
        curl.cubicTo(centre + QPointF(side * 14, 24.5), centre + QPointF(side * 24, 25),
                     centre + QPointF(side * 24, 20));
        curl.cubicTo(centre + QPointF(side * 24, 16.5), centre + QPointF(side * 19, 16.5),
                     centre + QPointF(side * 19, 19.5));
        painter.drawPath(curl);
    }
    paintSuit(painter, Spades, centre, 46, false);
    // An upturned heart is a spade without its stem.
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPath(QTransform::fromTranslate(centre.x(), centre.y() - 2)
                         .scale(30, -30)
                         .map(suitShape(Hearts)));
    painter.setPen(Qt::NoPen);
    painter.fillPath(
        QTransform::fromTranslate(centre.x(), centre.y() - 2).scale(10, 10).map(suitShape(Spades)),
        Qt::white);
}

} // namespace

QColor suitColour(int suit)
{
    return suit == Hearts || suit == Diamonds ? QColor(206, 22, 36) : QColor(22, 22, 26);
}

const QPainterPath &suitShape(int suit)
{
    static const std::array<QPainterPath, 4> shapes = {unitShape(club()), unitShape(diamond()),
                                                       unitShape(heart()), unitShape(spade())};
    return shapes[suit];
}

void paintSuit(QPainter &painter, int suit, QPointF centre, qreal height, bool upsideDown)
{
    painter.save();
    painter.translate(centre);
    painter.scale(height, upsideDown ? -height : height);
    fillStamped(painter, suitShape(suit), suitColour(suit));
    painter.restore();
}

void paintIndex(QPainter &painter, int rank, int suit)
{
    paintBothEnds(painter, [&] { paintIndexCorner(painter, rank, suit); });
}

void paintPips(QPainter &painter, int rank, int suit)
{
    if (rank == 1) {
        if (suit == Spades)
            paintAceOfSpades(painter);
        else
            paintSuit(painter, suit, QPointF(kCardWidth / 2.0, kCardHeight / 2.0), 28, false);
        return;
    }
    constexpr qreal columns[] = {23, kCardWidth / 2.0, kCardWidth - 23};
    constexpr qreal top = 16.5;
    constexpr qreal bottom = kCardHeight - top;
    constexpr qreal pipHeight = 12.5;
    for (const Pip &pip : pipLayout(rank)) {
        const qreal y = top + pip.row * (bottom - top);
        paintSuit(painter, suit, QPointF(columns[pip.column], y), pipHeight, pip.row > 0.5);
    }
}

} // namespace cardart
