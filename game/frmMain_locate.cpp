// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/TableGeometry.h"
#include "game/frmMain.h"

#include <QLabel>

#include <optional>
#include <utility>

using TableGeometry::FanStep;

namespace {
// Pile index and position of a card on the play piles; home piles are not searched.
std::optional<std::pair<int16_t, int16_t>> findOnPiles(const std::array<CStack, 16> &piles,
                                                       int16_t suit, int16_t rank)
{
    for (int16_t i = 0; i < 16; ++i)
        for (int16_t p = 1; p <= piles[i].Count(); ++p)
            if (piles[i].Card(p)->CardSuit() == suit && piles[i].Card(p)->CardNumber() == rank)
                return std::pair{i, p};
    return std::nullopt;
}

void hideMarkers(const std::array<QLabel *, 2> &markers)
{
    for (QLabel *marker : markers)
        marker->hide();
}
} // namespace

// Marks the card of rank r in the suit (the one the pressed card could go onto) and the
// card of rank r - 2 (the one that could go onto it).
void frmMain::LocateCards(int16_t suit, int16_t r)
{
    for (int k = 0; k < 2; ++k) {
        if (k == 1)
            r -= 2;
        if (r < 1)
            return;
        if (const auto found = findOnPiles(mclsPile, suit, r)) {
            const auto [i, p] = *found;
            const PictureBox *box = picPile[i];
            imgLocate[k]->move(box->Left() + (p - 1) * FanStep,
                               box->Top() - imgLocate[k]->height());
            imgLocate[k]->setAccessibleName(
                tr("Marker over %1 on pile %2").arg(CardName(*mclsPile[i].Card(p))).arg(i + 1));
            imgLocate[k]->show();
        }
    }
}

// The right button on a home pile marks the card it needs next.
void frmMain::picHome_MouseDown(int16_t Index, int16_t Button, int16_t, float, float)
{
    if (Button != PictureBox::vbRightButton)
        return;
    const CardRef &top = mclsHome[Index].TopCard();
    LocateCards(static_cast<int16_t>(top->CardSuit()), static_cast<int16_t>(top->CardNumber() + 1));
}

void frmMain::picPile_MouseUp(int16_t, int16_t, int16_t, float, float)
{
    hideMarkers(imgLocate);
}

void frmMain::picHome_MouseUp(int16_t, int16_t, int16_t, float, float)
{
    hideMarkers(imgLocate);
}
