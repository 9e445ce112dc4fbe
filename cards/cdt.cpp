// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/cdt.h"

#include "cards/CardArt.h"
#include "cards/DrawingSurface.h"

int32_t cdtInit(int32_t *pdxCard, int32_t *pdyCard)
{
    if (pdxCard)
        *pdxCard = kCardWidth;
    if (pdyCard)
        *pdyCard = kCardHeight;
    return 1;
}

int32_t cdtDraw(HDC hdc, int32_t x, int32_t y, int32_t card, int32_t mode, int32_t colour)
{
    DrawingSurface *surface = DrawingSurface::fromHDC(hdc);
    if (!surface)
        return 0;
    surface->drawCard(x, y, card, mode, colour);
    return 1;
}

// Nothing is held between calls, so drawing goes on working after this.
int32_t cdtTerm()
{
    return 1;
}
