// SPDX-License-Identifier: GPL-3.0-or-later
// Twelve card backs, each its own colour and pattern so that a player tells them apart
// at a glance.
#include "cards/CardArt.h"
#include "cards/CardArtParts.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>

namespace cardart {

namespace {

// The patterned panel inside the white margin.
const QRectF kPanel(4, 4, kCardWidth - 8, kCardHeight - 8);
const QColor kGold(232, 190, 80);

void pen(QPainter &painter, const QColor &colour, qreal width)
{
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
}

void brush(QPainter &painter, const QColor &colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
}

QPainterPath star(QPointF centre, qreal outer, qreal inner, int points)
{
    QPainterPath path;
    for (int i = 0; i < 2 * points; ++i) {
        const qreal angle = std::numbers::pi * i / points - std::numbers::pi / 2;
        const qreal r = i % 2 ? inner : outer;
        const QPointF p = centre + QPointF(std::cos(angle) * r, std::sin(angle) * r);
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// Lines both ways across the card, `step` apart, leaning `lean` across for each down.
void lattice(QPainter &painter, qreal step, qreal lean)
{
    const qreal across = kCardHeight * lean;
    for (qreal d = -across; d < kCardWidth + across; d += step) {
        painter.drawLine(QPointF(d, 0), QPointF(d + across, kCardHeight));
        painter.drawLine(QPointF(d, 0), QPointF(d - across, kCardHeight));
    }
}

void crosshatch(QPainter &painter)
{
    painter.fillRect(kPanel, QColor(28, 64, 150));
    pen(painter, QColor(140, 180, 245), 0.9);
    lattice(painter, 6, 1);
}

void diamondLattice(QPainter &painter)
{
    painter.fillRect(kPanel, QColor(190, 26, 38));
    constexpr qreal w = 14, h = 20;
    // Dark diamonds in every other row make a checkerboard of diamonds; the thin lines
    // run through their middles.
    brush(painter, QColor(130, 10, 24));
    for (qreal y = 0; y < kCardHeight + h; y += h)
        for (qreal x = 0; x < kCardWidth + w; x += w)
            painter.drawPolygon(
                QPolygonF({{x, y - h / 2}, {x + w / 2, y}, {x, y + h / 2}, {x - w / 2, y}}));
    pen(painter, QColor(250, 210, 200), 0.6);
    lattice(painter, w, w / h);
}

void waves(QPainter &painter)
{
    painter.fillRect(kPanel, QColor(0, 118, 128));
    for (int row = 0; row * 6 < kCardHeight; ++row) {
        const qreal y = 3 + row * 6;
        QPainterPath wave(QPointF(0, y));
        for (qreal x = 0; x < kCardWidth; x += 12) {
            wave.cubicTo(x + 3, y - 2.5, x + 6, y - 2.5, x + 6, y);
            wave.cubicTo(x + 6, y + 2.5, x + 9, y + 2.5, x + 12, y);
        }
        pen(painter, row % 2 ? QColor(90, 200, 205) : QColor(200, 245, 240), 1.3);
        painter.drawPath(wave);
    }
}

void checks(QPainter &painter)
{
    painter.fillRect(kPanel, QColor(246, 236, 250));
    const QColor stripe(120, 50, 160, 120);
    for (qreal p = 4; p < kCardHeight; p += 8) {
        painter.fillRect(QRectF(p, 0, 4, kCardHeight), stripe);
        painter.fillRect(QRectF(0, p, kCardWidth, 4), stripe);
    }
}

void sun(QPainter &painter)
{
    const QPointF centre = kPanel.center();
    QRadialGradient sky(centre, 60);
    sky.setColorAt(0, QColor(255, 170, 40));
    sky.setColorAt(1, QColor(200, 60, 20));
    painter.fillRect(kPanel, sky);
    constexpr int rays = 16;
    for (int i = 0; i < rays; ++i) {
        const qreal a = 2 * std::numbers::pi * i / rays;
        const qreal b = std::numbers::pi / rays;
        brush(painter, i % 2 ? QColor(255, 214, 90) : QColor(255, 236, 150));
        painter.drawPolygon(QPolygonF({centre + QPointF(std::cos(a - b), std::sin(a - b)) * 14,
                                       centre + QPointF(std::cos(a), std::sin(a)) * 60,
                                       centre + QPointF(std::cos(a + b), std::sin(a + b)) * 14}));
    }
    pen(painter, QColor(200, 80, 20), 1);
    painter.setBrush(QColor(255, 220, 60));
    painter.drawEllipse(centre, 13, 13);
    painter.drawEllipse(centre, 8, 8);
}

// Rows of six large stars between rows of five small ones, every star whole inside the
// white line, as far from it on the left as on the right.
void stars(QPainter &painter)
{
    painter.fillRect(kPanel, QColor(20, 26, 78));
    brush(painter, kGold);
    constexpr qreal step = 9.5;
    constexpr qreal firstX = kCardWidth / 2.0 - 2.5 * step;
    for (int row = 0; row < 9; ++row) {
        const bool large = row % 2 == 0;
        for (int col = 0; col < (large ? 6 : 5); ++col) {
            const QPointF at(firstX + col * step + (large ? 0 : step / 2), 12.5 + row * 9);
            painter.drawPath(star(at, large ? 3.2 : 2.2, large ? 1.3 : 0.9, 5));
        }
    }
}

void scales(QPainter &painter)
{
    // Rows from the bottom up, each hiding the top of the row below.
    painter.setPen(QPen(QColor(160, 225, 150), 0.9));
    for (int row = kCardHeight / 5 + 1; row >= 0; --row)
        for (qreal x = (row % 2) * 5; x < kCardWidth + 10; x += 10) {
            painter.setBrush(row % 2 ? QColor(30, 124, 62) : QColor(22, 104, 52));
            painter.drawEllipse(QPointF(x, row * 5), 5.5, 5.5);
        }
}

void tartan(QPainter &painter)
{
    painter.fillRect(kPanel, QColor(160, 104, 50));
    const QColor dark(80, 44, 20, 150);
    const QColor light(250, 220, 120);
    for (qreal p = 0; p < kCardHeight; p += 16) {
        painter.fillRect(QRectF(p, 0, 6, kCardHeight), dark);
        painter.fillRect(QRectF(0, p, kCardWidth, 6), dark);
        painter.fillRect(QRectF(p + 10, 0, 1, kCardHeight), light);
        painter.fillRect(QRectF(0, p + 10, kCardWidth, 1), light);
    }
}

void flowers(QPainter &painter)
{
    painter.fillRect(kPanel, QColor(222, 88, 140));
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 6; ++col) {
            const QPointF at(6 + col * 12 + (row % 2) * 6, 7 + row * 12);
            brush(painter, QColor(255, 226, 236));
            for (QPointF petal :
                 {QPointF(0, -2.3), QPointF(2.3, 0), QPointF(0, 2.3), QPointF(-2.3, 0)})
                painter.drawEllipse(at + petal, 1.9, 1.9);
            brush(painter, QColor(250, 200, 60));
            painter.drawEllipse(at, 1.3, 1.3);
        }
}

void fans(QPainter &painter)
{
    painter.fillRect(kPanel, QColor(26, 26, 30));
    for (int row = 0; row < 9; ++row)
        for (qreal x = (row % 2) * 8; x < kCardWidth + 16; x += 16) {
            const QPointF base(x, 10 + row * 10);
            painter.setBrush(QColor(26, 26, 30));
            for (qreal r : {8.0, 5.5, 3.0}) {
                painter.setPen(QPen(kGold, 0.9));
                painter.drawPie(QRectF(base - QPointF(r, r), QSizeF(2 * r, 2 * r)), 0, 180 * 16);
            }
        }
}

void medallion(QPainter &painter)
{
    painter.fillRect(kPanel, QColor(118, 18, 42));
    pen(painter, QColor(160, 50, 70), 0.8);
    lattice(painter, 6, 1);
    const QPointF centre = kPanel.center();
    pen(painter, kGold, 1.2);
    painter.setBrush(QColor(118, 18, 42));
    painter.drawPath(star(centre, 26, 19, 12));
    painter.drawEllipse(centre, 15, 15);
    const QPointF quarter[] = {{0, -7}, {7, 0}, {0, 7}, {-7, 0}};
    for (int s = 0; s < 4; ++s) {
        painter.save();
        painter.translate(centre + quarter[s]);
        painter.scale(8, 8);
        painter.fillPath(suitShape(s), kGold);
        painter.restore();
    }
}

void honeycomb(QPainter &painter)
{
    painter.fillRect(kPanel, QColor(72, 78, 90));
    constexpr qreal r = 5;
    const qreal h = std::sqrt(3.0) * r;
    pen(painter, QColor(196, 202, 214), 0.9);
    for (int col = 0; col * 1.5 * r < kCardWidth + r; ++col)
        for (qreal y = (col % 2) * h / 2; y < kCardHeight + h; y += h) {
            const QPointF c(col * 1.5 * r, y);
            QPolygonF hex;
            for (int i = 0; i < 6; ++i)
                hex << c + QPointF(std::cos(i * std::numbers::pi / 3),
                                   std::sin(i * std::numbers::pi / 3)) *
                               (r - 0.6);
            painter.setBrush((col + int(y / h)) % 3 ? Qt::NoBrush : QBrush(QColor(96, 104, 120)));
            painter.drawPolygon(hex);
        }
}

using BackPainter = void (*)(QPainter &);
constexpr std::array<BackPainter, 12> kBacks = {crosshatch, diamondLattice, waves,     checks,
                                                sun,        stars,          scales,    tartan,
                                                flowers,    fans,           medallion, honeycomb};

void paintPanel(QPainter &painter, int back)
{
    painter.save();
    QPainterPath panel;
    panel.addRoundedRect(kPanel, 3, 3);
    painter.setClipPath(panel, Qt::IntersectClip);
    kBacks[back](painter);
    painter.restore();
    pen(painter, QColor(255, 255, 255, 170), 1);
    painter.drawRoundedRect(kPanel.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);
}

} // namespace

void paintBack(QPainter &painter, int back)
{
    if (back < 0 || back >= int(kBacks.size()))
        return;
    // The backs are intricate and few, so each is drawn once for each place on the pixel
    // grid and copied after.
    stamped(painter, &kBacks[back], 0, kPanel.adjusted(-1, -1, 1, 1),
            [back](QPainter &drawing) { paintPanel(drawing, back); });
}

} // namespace cardart
