// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/TableGeometry.h"
#include "game/frmMain.h"
#include "cards/modGlobals.h"

using TableGeometry::FanStep;

void frmMain::DrawPile(int16_t i)
{
    PictureBox *box = picPile[i];
    const CStack &pile = mclsPile[i];
    box->Cls();
    const int16_t n = pile.Count();
    DescribePile(i);
    if (n == 0) {
        box->hide(); // keeps its last width: the hit test still finds it there
        return;
    }
    box->setWidth(gclsDeck().CardWidth() + (n - 1) * FanStep);
    for (int16_t p = 1; p <= n; ++p) {
        const CardRef &card = pile.Card(p);
        card->setHDC(box->hDC());
        card->setX((p - 1) * FanStep);
        card->Draw();
    }
    if (!box->isVisible())
        box->show();
    box->Refresh();
}

void frmMain::DrawHome(int16_t i)
{
    PictureBox *box = picHome[i];
    const CStack &home = mclsHome[i];
    box->Cls();
    box->setWidth(gclsDeck().CardWidth() + TableGeometry::HomeBorder);
    for (int16_t p = 1; p <= home.Count(); ++p) {
        const CardRef &card = home.Card(p);
        card->setHDC(box->hDC());
        card->setX(0);
        // A completed home pile turns its king face down.
        if (card->CardNumber() == 13)
            card->DrawBack();
        else
            card->Draw();
    }
    box->Refresh();
    DescribeHome(i);
}

namespace {
// Strictly inside: a point on an edge belongs to neither side.
bool strictlyInside(const PictureBox *box, float x, float y)
{
    const float left = static_cast<float>(box->Left());
    const float top = static_cast<float>(box->Top());
    return left < x && x < left + static_cast<float>(box->width()) && top < y &&
           y < top + static_cast<float>(box->height());
}
} // namespace

int16_t frmMain::PileFromPoint(float x, float y) const
{
    for (int16_t i = 15; i >= 0; --i)
        if (strictlyInside(picPile[i], x, y))
            return i;
    return -1;
}

int16_t frmMain::HomeFromPoint(float x, float y) const
{
    for (int16_t i = 0; i < 4; ++i)
        if (strictlyInside(picHome[i], x, y))
            return i;
    return -1;
}
