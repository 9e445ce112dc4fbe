// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/CardArt.h"

#include <QPainter>
#include <QPainterPath>

void paintCard(QPainter &painter, QPointF topLeft, int32_t card, int32_t mode)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outline(topLeft.x() + 0.5, topLeft.y() + 0.5, kCardWidth - 1, kCardHeight - 1);
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(mode == 1 ? QColor(30, 60, 150) : Qt::white);
    painter.drawRoundedRect(outline, 4, 4);
    if (mode == 0 && card >= 0 && card < 52) {
        static const char *ranks[] = {"A", "2", "3", "4", "5", "6", "7",
                                      "8", "9", "10", "J", "Q", "K"};
        static const char *suits[] = {"\u2663", "\u2666", "\u2665", "\u2660"};
        const int suit = card % 4;
        painter.setPen(suit == 1 || suit == 2 ? Qt::red : Qt::black);
        painter.drawText(outline.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromUtf8(ranks[card / 4]) + QLatin1Char('\n') +
                             QString::fromUtf8(suits[suit]));
    }
    painter.restore();
}
