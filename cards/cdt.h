// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Our card-drawing library. A device context (HDC) is the handle of one of our
// drawing surfaces (see DrawingSurface.h); 0 is no surface.
using HDC = int32_t;

enum CardDrawMode : int32_t { mdFaceUp = 0, mdFaceDown = 1 };

// Reports the size of one card picture in logical pixels: 71 x 96.
int32_t cdtInit(int32_t *pdxCard, int32_t *pdyCard);
// Draws one card with its top-left corner at (x, y). Mode 0: card is a face index
// (rank - 1) * 4 + suit, 0..51. Mode 1: card is a back number, 54..65.
int32_t cdtDraw(HDC hdc, int32_t x, int32_t y, int32_t card, int32_t mode, int32_t colour);
int32_t cdtTerm();
