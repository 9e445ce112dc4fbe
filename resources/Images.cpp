// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Images.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <tuple>

// Each picture is a few paths on a square grid, painted shape by shape as a vector
// drawing is. Painting them in code keeps start-up free of a drawing-file parser.
namespace {

const QColor kInk(0x10, 0x10, 0x10);

using Drawing = void (*)(QPainter &);

QPixmap painted(Drawing draw, qreal grid, QSize size, qreal devicePixelRatio)
{
    QImage picture(QSize(static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
                         static_cast<int>(std::ceil(size.height() * devicePixelRatio))),
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(picture.width() / grid, picture.height() / grid);
    draw(painter);
    painter.end();
    picture.setDevicePixelRatio(devicePixelRatio);
    // A copy, without the painter's working buffers that stay with a painted image.
    return QPixmap::fromImage(picture.copy());
}

// An icon painted afresh at whatever size is asked of it, so none is kept.
class PaintedIcon : public QIconEngine
{
public:
    PaintedIcon(Drawing draw, qreal grid) : mDraw(draw), mGrid(grid) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }
    // In device pixels: the icon sets the pixel ratio on what it hands out.
    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return painted(mDraw, mGrid, QSize(side, side), 1.0);
    }
    QIconEngine *clone() const override { return new PaintedIcon(mDraw, mGrid); }

private:
    Drawing mDraw;
    qreal mGrid;
};

QIcon iconFrom(Drawing draw, qreal grid)
{
    return QIcon(new PaintedIcon(draw, grid));
}

QPen outline(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
}

QPainterPath closed(std::initializer_list<QPointF> corners)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(corners));
    path.closeSubpath();
    return path;
}

// On an 11-unit grid: a diamond with a lighter facet above its middle.
void drawDiamond(QPainter &painter, const QColor &fill, const QColor &edge, const QColor &shine)
{
    painter.setPen(outline(edge, 0.6));
    painter.setBrush(fill);
    painter.drawPath(closed({{5.5, 0.3}, {10.2, 5.5}, {5.5, 10.7}, {0.8, 5.5}}));
    painter.setOpacity(0.7);
    painter.fillPath(closed({{5.5, 1.8}, {8.2, 5}, {5.5, 5.6}, {2.8, 5}}), shine);
}

void drawRedDiamond(QPainter &painter)
{
    drawDiamond(painter, QColor(0xe0, 0x10, 0x10), QColor(0x60, 0, 0), QColor(0xff, 0x80, 0x80));
}

void drawGreenDiamond(QPainter &painter)
{
    drawDiamond(painter, QColor(0x40, 0xff, 0x40), QColor(0, 0x40, 0), QColor(0xc0, 0xff, 0xc0));
}

// On a 64-unit grid: three leaves, a stem between them and a flared foot.
void drawClub(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawEllipse(QPointF(32, 17), 12, 12);
    painter.drawEllipse(QPointF(17, 35), 12, 12);
    painter.drawEllipse(QPointF(47, 35), 12, 12);
    painter.drawRect(QRectF(26, 22, 12, 16));
    QPainterPath foot;
    foot.moveTo(32, 30);
    foot.cubicTo(32, 46, 28, 53, 20, 58);
    foot.lineTo(44, 58);
    foot.cubicTo(36, 53, 32, 46, 32, 30);
    foot.closeSubpath();
    painter.drawPath(foot);
}

// On a 64-unit grid: a spade in one outline, from the tip round to the foot.
void drawSpade(QPainter &painter)
{
    QPainterPath spade;
    spade.moveTo(32, 4);
    spade.cubicTo(40, 16, 56, 24, 56, 37);
    spade.cubicTo(56, 46, 49, 51, 42, 50);
    spade.cubicTo(38, 49.5, 35, 47, 33.5, 44);
    spade.cubicTo(34, 51, 37, 56, 43, 60);
    spade.lineTo(21, 60);
    spade.cubicTo(27, 56, 30, 51, 30.5, 44);
    spade.cubicTo(29, 47, 26, 49.5, 22, 50);
    spade.cubicTo(15, 51, 8, 46, 8, 37);
    spade.cubicTo(8, 24, 24, 16, 32, 4);
    spade.closeSubpath();
    painter.fillPath(spade, kInk);
}

// On a 32-unit grid: an open hand, fingertips up, the index finger's tip at (12, 2).
void drawHand(QPainter &painter)
{
    constexpr qreal kTip = 3.5; // a fingertip's width; each is a half circle
    QPainterPath hand;
    hand.moveTo(10.5, 16);
    for (auto [left, top, knuckle] :
         {std::tuple(10.5, 4.0, 13.0), {14, 3, 13}, {17.5, 4.5, 14}, {21, 7, 20}}) {
        hand.lineTo(left, top);
        hand.arcTo(QRectF(left, top - kTip / 2, kTip, kTip), 180, -180);
        hand.lineTo(left + kTip, knuckle);
    }
    hand.cubicTo(24.5, 25, 21.5, 29, 16.5, 29);
    hand.lineTo(14.5, 29);
    hand.cubicTo(11.5, 29, 10, 27.5, 8.5, 25);
    hand.lineTo(4.8, 18.5);
    // The thumb's tip, round from (4.8, 18.5) to (7.6, 16.3).
    hand.arcTo(QRectF(6.3635 - 1.8, 17.608 - 1.8, 3.6, 3.6), -150.295, -163.095);
    hand.closeSubpath();
    painter.setPen(outline(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);

    painter.setPen(outline(Qt::black, 0.8));
    painter.drawLine(QPointF(14, 13), QPointF(14, 10));
    painter.drawLine(QPointF(17.5, 13), QPointF(17.5, 10));
    painter.drawLine(QPointF(21, 14), QPointF(21, 11));
}

} // namespace

QPixmap markerPixmap(MarkerKind kind, qreal devicePixelRatio)
{
    return painted(kind == MarkerKind::Locate ? drawGreenDiamond : drawRedDiamond, 11,
                   QSize(11, 11), devicePixelRatio);
}

QCursor handCursor()
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    return QCursor(painted(drawHand, 32, QSize(32, 32), ratio), 12, 2);
}

QIcon programIcon()
{
    return iconFrom(drawClub, 64);
}

QIcon redDiamondIcon()
{
    return iconFrom(drawRedDiamond, 11);
}

QIcon blackSpadeIcon()
{
    return iconFrom(drawSpade, 64);
}
