// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

#include <initializer_list>
#include <utility>

// The game's controls keep their classic small sizes; their captions must still fit,
// whatever the desktop's font. Shrinks the font half a point at a time (not below 6)
// until every caption fits its room in pixels.
QFont fittingFont(QFont font, std::initializer_list<std::pair<QString, int>> captionsAndRooms);
