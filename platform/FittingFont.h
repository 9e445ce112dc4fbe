// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <initializer_list>
#include <utility>

class QWidget;

// The game's controls keep their classic small sizes; their captions must still fit,
// whatever the desktop's font. Shrinks the font half a point at a time (not below 6)
// until every caption fits its room in pixels.
QFont fittingFont(QFont font, std::initializer_list<std::pair<QString, int>> captionsAndRooms);

// The dialogs instead grow with the desktop's font. They were laid out for a 9-point
// font at 96 dots an inch and keep that layout there (growth 1); with a larger font
// they grow in step with it, and further if a label or button text of theirs would
// still not fit.
qreal formGrowth(const QWidget *form);
QRect grown(const QRect &design, qreal growth);
// Grows a form and every control on it in step, places and sizes alike.
void growForm(QWidget *form, qreal growth);
