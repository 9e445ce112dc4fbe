// SPDX-License-Identifier: GPL-3.0-or-later
// The parts every card repeats (its blank, the rank and suit signs) are drawn once for
// each place they take on the pixel grid and copied after: a deal paints some fifty
// cards, and filling the same outlines again and again was most of its time.
#include "cards/CardArtParts.h"
#include "cards/PixelView.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <map>
#include <tuple>

namespace cardart {

namespace {

// What a stamp shows and where its drawing falls among the picture's pixels.
struct StampKey {
    const void *what;
    QRgb colour;
    qreal m11, m22, dx, dy;
    bool operator<(const StampKey &other) const
    {
        return std::tie(what, colour, m11, m22, dx, dy) <
               std::tie(other.what, other.colour, other.m11, other.m22, other.dx, other.dy);
    }
};

std::map<StampKey, QImage> &stamps()
{
    static std::map<StampKey, QImage> kept;
    return kept;
}

} // namespace

void stamped(QPainter &painter, const void *what, QRgb colour, const QRectF &bounds,
             const std::function<void(QPainter &)> &paint)
{
    if (!mayShow(painter, bounds))
        return;
    const QTransform device = painter.deviceTransform();
    const qreal ratio = painter.device()->devicePixelRatio();
    if (device.type() > QTransform::TxScale || ratio <= 0) {
        paint(painter); // turned a little: nothing to gain from a copy
        return;
    }
    // A pixel all round for the soft edges.
    const QRect pixels = device.mapRect(bounds).toAlignedRect().adjusted(-1, -1, 1, 1);
    const QTransform inPicture = device * QTransform::fromTranslate(-pixels.x(), -pixels.y());
    QImage &picture =
        stamps()[{what, colour, inPicture.m11(), inPicture.m22(), inPicture.dx(), inPicture.dy()}];
    if (picture.isNull()) {
        picture = QImage(pixels.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QImage view = pixelView(picture);
        QPainter drawing(&view);
        drawing.setRenderHint(QPainter::Antialiasing);
        drawing.setTransform(inPicture);
        paint(drawing);
        drawing.end();
        picture.setDevicePixelRatio(ratio);
    }
    painter.save();
    painter.resetTransform();
    painter.drawImage(QPointF(pixels.topLeft()) / ratio, picture);
    painter.restore();
}

void fillStamped(QPainter &painter, const QPainterPath &shape, const QColor &colour)
{
    stamped(painter, &shape, colour.rgba(), shape.controlPointRect(),
            [&](QPainter &drawing) { drawing.fillPath(shape, colour); });
}

} // namespace cardart
