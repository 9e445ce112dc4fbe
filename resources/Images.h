// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The program's own small pictures, drawn from the SVGs in resources/.
enum class MarkerKind { Locate, Draw };

QPixmap markerPixmap(MarkerKind kind, qreal devicePixelRatio);
QCursor handCursor();
QIcon programIcon(); // the black club
QIcon redDiamondIcon();
QIcon blackSpadeIcon();
// Any of our SVGs at a logical size, sharp at the given pixel ratio.
QPixmap svgPixmap(const QString &resource, QSize size, qreal devicePixelRatio);
