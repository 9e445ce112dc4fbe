// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The program's own small pictures, painted at the pixel ratio they are shown at.
enum class MarkerKind { Locate, Draw };

QPixmap markerPixmap(MarkerKind kind, qreal devicePixelRatio);
QCursor handCursor();
QIcon programIcon(); // the black club
QIcon redDiamondIcon();
QIcon blackSpadeIcon();
