// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>

#include <cstdint>

class QPainter;

// The pictures of our cards, drawn from vectors in logical pixels.
constexpr int32_t kCardWidth = 71;
constexpr int32_t kCardHeight = 96;

// Paints one card (mode 0: face index 0..51, mode 1: back 54..65) at topLeft.
// Face index = (rank - 1) * 4 + suit; suit 0 clubs, 1 diamonds, 2 hearts, 3 spades.
// Anything else draws a plain blank card.
void paintCard(QPainter &painter, QPointF topLeft, int32_t card, int32_t mode);
