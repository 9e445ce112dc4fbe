// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The table's measures in pixels, in one place.
namespace TableGeometry {
constexpr int FanStep = 15;    // the visible strip of a buried card
constexpr int RowGap = 11;     // above the first row and between rows
constexpr int ColumnLeft = 10; // left of the first column
constexpr int HomeBorder = 4;  // a home box's border, both sides together
constexpr int HomeGap = 5;     // between home boxes and after the last
constexpr int HomeRightMargin = 20;
constexpr int ButtonGap = 10; // buttons to home piles, and to the home row's middle
constexpr int MarkerSize = 11;
constexpr int DealtPileCards = 3;
} // namespace TableGeometry
