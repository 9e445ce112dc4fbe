// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/TableSurface.h"
#include "game/frmMain.h"
#include "cards/modGlobals.h"
#include "animation/CAnimate.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
constexpr int32_t kVictoryClip = 102;
// With a suit's worth of cards or fewer still to go home most games are won, and even a
// quick player needs several seconds for the last moves: ample for the sound engine, which
// gets ready in a fraction of a second off the window's thread, so the song starts with the
// winning drop. Earlier, most players would pay for a song they never hear.
constexpr int16_t kCardsLeftNearWin = 13;
const QColor kFrameColour{0, 0, 255};
} // namespace

void frmMain::CheckForWin()
{
    // Asked again after each yield: an undo, a new game, or anything else that changes
    // the table while events run ends the celebration before it shows.
    auto won = [this] {
        return std::all_of(mclsHome.begin(), mclsHome.end(),
                           [](const CStack &home) { return home.Count() == 13; });
    };
    if (!won())
        return;
    QCoreApplication::processEvents();
    if (!won())
        return;
    Midi->setSongFile(gsMusicFilename);
    Midi->PlaySong();
    table->setAutoRedraw(false);
    QCoreApplication::processEvents();
    if (!won()) {
        abandonCelebration();
        return;
    }

    const double w = table->width();
    // An earlier win's frame goes with its clip: one celebration shows at a time.
    table->Cls();
    table->drawBox(QRectF(QPointF(w / 2 - 162, 18), QPointF(w / 2 + 162, 262)), kFrameColour);
    mclsAnimate = std::make_shared<CAnimate>();
    mclsAnimate->setParent(hWndOf(this));
    mclsAnimate->Move(w / 2 - 160, 20);
    mclsAnimate->setAutoPlay(true);
    mclsAnimate->setCenter(false);
    mclsAnimate->setTransparent(false);
    mclsAnimate->setResourceID(kVictoryClip);
}

// The song has started but the game is no longer won. A celebration still under way
// from an earlier win keeps its song and its drawing; otherwise the table is as in play.
void frmMain::abandonCelebration()
{
    if (mclsAnimate)
        return;
    Midi->StopSong();
    table->setAutoRedraw(true);
}

void frmMain::expectSongNearWin()
{
    Midi->setSongLikely(gclsDeck().Count() <= kCardsLeftNearWin);
}
