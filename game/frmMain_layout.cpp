// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/TableGeometry.h"
#include "game/TableSurface.h"
#include "game/frmMain.h"
#include "cards/modGlobals.h"

#include <QLabel>
#include <QPushButton>

#include <cmath>

using namespace TableGeometry;

namespace {

// The room between columns grows with the window: 1 pixel for every 10 of width, rounded to
// the nearest whole number and a half to the even one.
int ColumnSpacing(float SW)
{
    return static_cast<int>(std::nearbyint(static_cast<double>(SW) / 5 / 2 - 10));
}

// The smallest table on which every dealt pile, home pile, button and label lies wholly
// inside and apart from the others. The five columns decide the width: it is the first at
// which the last column's three fanned cards fit, and then the columns keep a gap between
// them and the home row's buttons stand well clear of the last pile. The height ends
// with the home piles' cards; their frames' bottom lines may fall outside, as they do at
// the opening size.
QSize MinimumTableSize(int CW, int CH)
{
    const int dealtWidth = CW + (DealtPileCards - 1) * FanStep;
    int SW = 0;
    while (ColumnLeft + 4 * (CW + ColumnSpacing(static_cast<float>(SW))) + dealtWidth > SW)
        ++SW;
    const int homeTop = RowGap + 3 * (CH + RowGap);
    return {SW, homeTop + HomeBorder / 2 + CH};
}

} // namespace

void frmMain::CreatePiles()
{
    const int CW = gclsDeck().CardWidth();
    const int CH = gclsDeck().CardHeight();
    picPile[0]->resize(CW + (DealtPileCards - 1) * FanStep, CH);
    for (int16_t i = 1; i < 16; ++i) {
        picPile[i] = new PictureBox(table, i);
        picPile[i]->setBackColor(picPile[0]->BackColor());
        picPile[i]->setMouseIcon(picPile[0]->MouseIcon());
        connectPileBox(picPile[i]);
        picPile[i]->resize(picPile[0]->width(), CH);
        picPile[i]->show();
        picPile[i]->raise();
    }
    picHome[0]->resize(CW + HomeBorder, CH + HomeBorder);
    for (int16_t i = 1; i < 4; ++i) {
        picHome[i] = new PictureBox(table, i);
        picHome[i]->setBorderStyle(true);
        picHome[i]->setBackColor(picHome[0]->BackColor());
        connectHomeBox(picHome[i]);
        picHome[i]->resize(picHome[0]->size());
        picHome[i]->show();
        picHome[i]->raise();
    }
    table->setMinimumSize(MinimumTableSize(CW, CH));
    // Markers ride above the piles.
    for (QLabel *marker : {imgLocate[0], imgLocate[1], imgDraw})
        marker->raise();
}

void frmMain::PlacePiles()
{
    const int CW = gclsDeck().CardWidth();
    const int CH = gclsDeck().CardHeight();
    const float SW = static_cast<float>(table->width());
    const int G = ColumnSpacing(SW);

    for (int16_t i = 0; i < 16; ++i) {
        const int row = i / 5;
        const int column = i % 5;
        picPile[i]->move(ColumnLeft + column * (CW + G), RowGap + row * (CH + RowGap));
    }

    const float HW = static_cast<float>(picHome[0]->width());
    const float HH = static_cast<float>(picHome[0]->height());
    const float homeTop = static_cast<float>(picPile[15]->y());
    float homeLeft = SW - 4 * HW - HomeRightMargin;
    for (PictureBox *home : picHome) {
        home->move(static_cast<int>(std::nearbyint(homeLeft)), static_cast<int>(homeTop));
        homeLeft = static_cast<float>(home->x()) + HW + HomeGap;
    }

    const float BW = static_cast<float>(cmdReShuffle->width());
    const float BH = static_cast<float>(cmdReShuffle->height());
    const float home0Left = static_cast<float>(picHome[0]->x());
    const float home0Top = static_cast<float>(picHome[0]->y());
    cmdReShuffle->move(static_cast<int>(std::nearbyint(home0Left - BW - ButtonGap)),
                       static_cast<int>(std::nearbyint(home0Top + HH / 2 - ButtonGap - BH)));
    cmdDraw->move(cmdReShuffle->x(),
                  static_cast<int>(std::nearbyint(home0Top + HH / 2 + ButtonGap)));
    lblShufflesLeft->move(cmdReShuffle->x() - 4, cmdReShuffle->y() + static_cast<int>(BH) + 2);
}
