// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/CardArt.h"

#include "cards/CardArtParts.h"
#include "cards/cdt.h"

#include <QPainter>

namespace {

constexpr int32_t kFaces = 52;
constexpr int32_t kFirstBack = 54;
constexpr int32_t kLastBack = 65;

void paintBlank(QPainter &painter)
{
    static const char blank = 0; // the stamp's name
    cardart::stamped(
        painter, &blank, 0, QRectF(0, 0, kCardWidth, kCardHeight), [](QPainter &drawing) {
            // Half-pixel inset keeps the one-pixel border on whole pixels at 1x.
            drawing.setPen(QPen(QColor(60, 60, 60), 1));
            drawing.setBrush(Qt::white);
            drawing.drawRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1), 4, 4);
        });
}

} // namespace

void paintCard(QPainter &painter, QPointF topLeft, int32_t card, int32_t mode)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(topLeft);
    paintBlank(painter);
    painter.setPen(Qt::NoPen);
    if (mode == mdFaceUp && card >= 0 && card < kFaces) {
        const int rank = card / 4 + 1;
        const int suit = card % 4;
        cardart::paintIndex(painter, rank, suit);
        if (rank > 10)
            cardart::paintCourt(painter, rank, suit);
        else
            cardart::paintPips(painter, rank, suit);
    } else if (mode == mdFaceDown && card >= kFirstBack && card <= kLastBack) {
        cardart::paintBack(painter, card - kFirstBack);
    }
    painter.restore();
}
