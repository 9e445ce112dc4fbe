// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Images.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

QPixmap svgPixmap(const QString &resource, QSize size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
                         static_cast<int>(std::ceil(size.height() * devicePixelRatio))));
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

namespace {
QIcon iconFrom(const QString &resource)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(svgPixmap(resource, QSize(size, size), 1.0));
    return icon;
}
} // namespace

QPixmap markerPixmap(MarkerKind kind, qreal devicePixelRatio)
{
    return svgPixmap(kind == MarkerKind::Locate ? QStringLiteral(":/images/diamond-green.svg")
                                                : QStringLiteral(":/images/diamond-red.svg"),
                     QSize(11, 11), devicePixelRatio);
}

QCursor handCursor()
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    return QCursor(svgPixmap(QStringLiteral(":/images/hand.svg"), QSize(32, 32), ratio), 12, 2);
}

QIcon programIcon()
{
    return iconFrom(QStringLiteral(":/images/club.svg"));
}
QIcon redDiamondIcon()
{
    return iconFrom(QStringLiteral(":/images/diamond-red.svg"));
}
QIcon blackSpadeIcon()
{
    return iconFrom(QStringLiteral(":/images/spade.svg"));
}
