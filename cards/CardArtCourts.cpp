// SPDX-License-Identifier: GPL-3.0-or-later
// Jack, queen and king: double-headed half figures in the old red, blue, yellow and
// black, each suit with its own colours and facing its own way.
#include "cards/CardArt.h"
#include "cards/CardArtParts.h"

#include <QPainter>
#include <QPainterPath>

namespace cardart {

namespace {

const QColor kRed(198, 32, 40);
const QColor kBlue(36, 72, 160);
const QColor kYellow(246, 196, 48);
const QColor kBlack(28, 28, 30);
const QColor kSkin(252, 226, 198);
const QColor kSteel(214, 220, 230);
const QColor kDarkHair(84, 56, 40);

constexpr int kJack = 11;
constexpr int kQueen = 12;
constexpr int kKing = 13;

// The frame around the figures and the upper half inside it. A figure is drawn with
// its origin at the middle of its half's top edge.
const QRectF kFrame(15.5, 8.5, 40, 79);
const QRect kUpperHalf(16, 9, 39, kCardHeight / 2 - 9);

struct Palette {
    QColor mantle, inner, hair;
};

Palette paletteOf(int suit)
{
    switch (suit) {
    case Clubs:
        return {kBlue, kRed, kYellow};
    case Diamonds:
        return {kRed, kBlue, kYellow};
    case Hearts:
        return {kRed, kYellow, kDarkHair};
    default:
        return {kBlue, kYellow, kDarkHair};
    }
}

void fill(QPainter &painter, const QPainterPath &path, const QColor &colour)
{
    painter.setPen(QPen(kBlack, 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(colour);
    if (mayShow(painter, path.controlPointRect().adjusted(-1, -1, 1, 1)))
        painter.drawPath(path);
}

void line(QPainter &painter, QPointF from, QPointF to, const QColor &colour, qreal width)
{
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    if (mayShow(painter, QRectF(from, to).normalized().adjusted(-width, -width, width, width)))
        painter.drawLine(from, to);
}

QPainterPath ellipse(QPointF centre, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

void paintFace(QPainter &painter, QPointF centre, bool lips)
{
    fill(painter, ellipse(centre, 4.8, 5.8), kSkin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlack);
    painter.drawEllipse(centre + QPointF(-1.9, -0.9), 0.7, 0.7);
    painter.drawEllipse(centre + QPointF(1.9, -0.9), 0.7, 0.7);
    line(painter, centre + QPointF(0.2, -0.4), centre + QPointF(0.8, 1.6), kBlack, 0.55);
    line(painter, centre + QPointF(-1.1, 3.1), centre + QPointF(1.1, 3.1),
         lips ? kRed : QColor(170, 90, 80), 0.9);
}

// An outlined band: braid, a staff, a shaft.
void band(QPainter &painter, QPointF from, QPointF to, qreal width, const QColor &colour = kYellow)
{
    line(painter, from, to, kBlack, width + 1);
    line(painter, from, to, colour, width);
}

// Shoulders, mantle and tunic, cut off at the middle of the card.
void paintRobe(QPainter &painter, const Palette &palette, int rank)
{
    QPainterPath mantle(QPointF(-4.5, 22));
    mantle.cubicTo(-9, 23.5, -15, 23.5, -21, 27.5);
    mantle.lineTo(-21, 40);
    mantle.lineTo(21, 40);
    mantle.lineTo(21, 27.5);
    mantle.cubicTo(15, 23.5, 9, 23.5, 4.5, 22);
    mantle.closeSubpath();
    fill(painter, mantle, palette.mantle);
    // Little yellow trefoils on the mantle.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kYellow);
    for (qreal x : {-17.0, 17.0})
        for (QPointF leaf : {QPointF(0, -1), QPointF(-1, 0.6), QPointF(1, 0.6)})
            painter.drawEllipse(QPointF(x, 35) + leaf, 0.9, 0.9);
    fill(painter, polygon({{-5.5, 23}, {5.5, 23}, {8.5, 40}, {-8.5, 40}}), palette.inner);
    if (rank == kKing) {
        for (qreal y = 28; y < 40; y += 4.2)
            fill(painter, polygon({{0, y - 1.9}, {1.9, y}, {0, y + 1.9}, {-1.9, y}}), kYellow);
    } else if (rank == kQueen) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kYellow);
        for (qreal y = 28; y < 40; y += 3.5)
            for (qreal x = -3; x <= 3; x += 3)
                painter.drawEllipse(QPointF(x + (int(y) % 2 ? 1.5 : 0), y), 0.8, 0.8);
    } else {
        for (qreal y = 27; y < 40; y += 3)
            line(painter, QPointF(-6.5, y + 1.5), QPointF(6.5, y + 1.5), kBlack, 0.9);
    }
    band(painter, QPointF(-5.5, 23.5), QPointF(-8.3, 40), 1.3);
    band(painter, QPointF(5.5, 23.5), QPointF(8.3, 40), 1.3);
}

// An arm on the side of `side` (-1 or 1), bent at the elbow to a hand at `hand`.
void paintArm(QPainter &painter, qreal side, QPointF hand, const QColor &sleeve)
{
    QPainterPath arm(QPointF(side * 16.5, 26.5));
    arm.quadTo(QPointF(side * 19.5, 36), hand + QPointF(side * 2, 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kBlack, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(arm);
    painter.setPen(QPen(sleeve, 3.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(arm);
    line(painter, hand + QPointF(side * 3.2, -1.3), hand + QPointF(side * 3, 2.4), Qt::white, 1.2);
    fill(painter, ellipse(hand, 2.3, 2), kSkin);
}

void paintSword(QPainter &painter, const QColor &sleeve)
{
    fill(painter, polygon({{-12.7, 29}, {-12.6, 2}, {-11.5, 0}, {-10.4, 2}, {-10.3, 29}}), kSteel);
    line(painter, QPointF(-11.5, 4), QPointF(-11.5, 28), QColor(150, 155, 170), 0.5);
    band(painter, QPointF(-15.5, 29.5), QPointF(-7.5, 29.5), 1.4);
    paintArm(painter, -1, QPointF(-11.5, 32.5), sleeve);
}

void paintSceptre(QPainter &painter, const QColor &sleeve)
{
    band(painter, QPointF(-11.8, 38), QPointF(-11.5, 7), 1.2);
    fill(painter, ellipse(QPointF(-11.5, 5), 2.7, 2.7), kYellow);
    fill(painter, polygon({{-11.5, -0.5}, {-10.1, 2.1}, {-11.5, 2.9}, {-12.9, 2.1}}), kRed);
    paintArm(painter, -1, QPointF(-11.6, 31.5), sleeve);
}

void paintKing(QPainter &painter, int suit, const Palette &palette)
{
    QPainterPath hair(QPointF(-6.5, 8));
    hair.cubicTo(-8.5, 14, -8, 20, -9.5, 24);
    hair.lineTo(9.5, 24);
    hair.cubicTo(8, 20, 8.5, 14, 6.5, 8);
    hair.closeSubpath();
    fill(painter, hair, palette.hair);
    paintRobe(painter, palette, kKing);
    QPainterPath collar(QPointF(-16, 25));
    collar.quadTo(0, 33, 16, 25);
    collar.lineTo(12, 22);
    collar.quadTo(0, 28, -12, 22);
    collar.closeSubpath();
    fill(painter, collar, Qt::white);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBlack);
    for (qreal x : {-11.0, -6.0, 6.0, 11.0})
        painter.drawEllipse(QPointF(x, 27.6 - x * x / 60), 0.6, 0.9);
    paintFace(painter, QPointF(0, 14.5), false);
    QPainterPath beard(QPointF(-4.8, 15));
    beard.cubicTo(-5, 22, -2.5, 26, 0, 28.5);
    beard.cubicTo(2.5, 26, 5, 22, 4.8, 15);
    beard.cubicTo(3.5, 19, 2, 17, 0, 17);
    beard.cubicTo(-2, 17, -3.5, 19, -4.8, 15);
    fill(painter, beard, palette.hair);
    line(painter, QPointF(-1.2, 19.2), QPointF(1.2, 19.2), QColor(170, 90, 80), 0.9);
    QPainterPath crown(QPointF(-6.3, 9.3));
    crown.lineTo(-7.2, 1.5);
    crown.lineTo(-3.6, 5);
    crown.lineTo(0, 0.2);
    crown.lineTo(3.6, 5);
    crown.lineTo(7.2, 1.5);
    crown.lineTo(6.3, 9.3);
    crown.closeSubpath();
    fill(painter, crown, kYellow);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kRed);
    painter.drawEllipse(QPointF(0, 7.3), 1.3, 1.3);
    painter.setBrush(kBlue);
    painter.drawEllipse(QPointF(-3.8, 7.5), 0.9, 0.9);
    painter.drawEllipse(QPointF(3.8, 7.5), 0.9, 0.9);
    if (suit == Hearts || suit == Spades)
        paintSword(painter, palette.inner);
    else
        paintSceptre(painter, palette.inner);
}

void paintQueen(QPainter &painter, const Palette &palette)
{
    QPainterPath veil(QPointF(-5.5, 5));
    veil.cubicTo(-10, 10, -9.5, 20, -13, 27);
    veil.lineTo(13, 27);
    veil.cubicTo(9.5, 20, 10, 10, 5.5, 5);
    veil.closeSubpath();
    fill(painter, veil, palette.mantle);
    QPainterPath hair(QPointF(-5.5, 8));
    hair.cubicTo(-7.5, 13, -7, 19, -8, 23);
    hair.lineTo(8, 23);
    hair.cubicTo(7, 19, 7.5, 13, 5.5, 8);
    hair.closeSubpath();
    fill(painter, hair, palette.hair);
    paintRobe(painter, palette, kQueen);
    fill(painter, polygon({{-4.5, 21.5}, {4.5, 21.5}, {0, 27.5}}), kSkin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kYellow);
    for (qreal x = -3; x <= 3; x += 1.5)
        painter.drawEllipse(QPointF(x, 22.8 + 0.12 * x * x), 0.7, 0.7);
    fill(painter, ellipse(QPointF(0, 25.2), 1, 1.2), kRed);
    paintFace(painter, QPointF(0, 14.5), true);
    QPainterPath crown(QPointF(-5.2, 9.3));
    crown.lineTo(-5.8, 4.5);
    crown.quadTo(-2.8, 6.8, 0, 3);
    crown.quadTo(2.8, 6.8, 5.8, 4.5);
    crown.lineTo(5.2, 9.3);
    crown.closeSubpath();
    fill(painter, crown, kYellow);
    for (qreal x : {-5.8, 0.0, 5.8})
        fill(painter, ellipse(QPointF(x, x == 0 ? 2 : 3.6), 1.1, 1.1), kRed);
    // A rose on a long stem.
    line(painter, QPointF(12, 33), QPointF(12.3, 11), QColor(30, 110, 50), 1.1);
    fill(painter, polygon({{12.2, 19}, {16.3, 16}, {15.3, 20}}), QColor(40, 140, 60));
    fill(painter, ellipse(QPointF(12.3, 9), 3.3, 3.3), kRed);
    fill(painter, ellipse(QPointF(12.3, 9), 1.3, 1.3), kYellow);
    paintArm(painter, 1, QPointF(12, 32), palette.inner);
}

void paintJack(QPainter &painter, const Palette &palette)
{
    // Page-boy hair down to the jaw.
    QPainterPath hair(QPointF(-6.5, 7));
    hair.lineTo(-7.5, 20);
    hair.quadTo(-5, 22, -3.5, 19);
    hair.lineTo(3.5, 19);
    hair.quadTo(5, 22, 7.5, 20);
    hair.lineTo(6.5, 7);
    hair.closeSubpath();
    fill(painter, hair, palette.hair);
    paintRobe(painter, palette, kJack);
    QPainterPath ruff(QPointF(-7.5, 21.5));
    ruff.quadTo(0, 28, 7.5, 21.5);
    ruff.quadTo(0, 20, -7.5, 21.5);
    fill(painter, ruff, Qt::white);
    paintFace(painter, QPointF(0, 14), false);
    // Beret with a feather.
    QPainterPath feather(QPointF(3, 4.5));
    feather.cubicTo(7, 2, 12, -1.5, 17, 0);
    feather.cubicTo(12, 2, 9, 6, 3, 7);
    feather.closeSubpath();
    fill(painter, feather, Qt::white);
    QPainterPath beret(QPointF(-7.8, 8.8));
    beret.cubicTo(-9.5, 3, -4, 0.5, 1, 0.8);
    beret.cubicTo(6, 1, 9.5, 4, 7.8, 8.8);
    beret.closeSubpath();
    fill(painter, beret, palette.mantle);
    band(painter, QPointF(-7.2, 8.5), QPointF(7.2, 8.5), 1.4);
    // Halberd.
    band(painter, QPointF(12, 38), QPointF(12, 3), 1, QColor(160, 110, 60));
    QPainterPath blade(QPointF(12, 4.5));
    blade.quadTo(18, 3.5, 18.5, 10.5);
    blade.quadTo(15.5, 9, 12, 11);
    blade.closeSubpath();
    fill(painter, blade, kSteel);
    fill(painter, polygon({{12, -1}, {13.3, 3.5}, {10.7, 3.5}}), kSteel);
    paintArm(painter, 1, QPointF(12, 31), palette.inner);
}

void paintHalf(QPainter &painter, int rank, int suit)
{
    const Palette palette = paletteOf(suit);
    painter.save();
    painter.setClipRect(kUpperHalf, Qt::IntersectClip);
    painter.translate(kCardWidth / 2.0, kUpperHalf.top());
    // Half the suits face the other way, as on old court cards.
    const bool mirrored = suit == Diamonds || suit == Spades;
    if (mirrored)
        painter.scale(-1, 1);
    if (rank == kJack)
        paintJack(painter, palette);
    else if (rank == kQueen)
        paintQueen(painter, palette);
    else
        paintKing(painter, suit, palette);
    painter.restore();
    // The suit sign sits in the upper corner that the figure leaves free.
    const bool holdsOnRight = (rank != kKing) != mirrored;
    paintSuit(painter, suit, QPointF(holdsOnRight ? 21.5 : 49.5, 15), 7.5, false);
}

} // namespace

void paintCourt(QPainter &painter, int rank, int suit)
{
    paintBothEnds(painter, [&] { paintHalf(painter, rank, suit); });
    painter.setPen(QPen(kBlack, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(kFrame);
    painter.drawLine(QPointF(kFrame.left(), kCardHeight / 2.0),
                     QPointF(kFrame.right(), kCardHeight / 2.0));
}

} // namespace cardart
