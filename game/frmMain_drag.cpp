// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/TableGeometry.h"
#include "game/TableSurface.h"
#include "game/frmMain.h"
#include "platform/MouseCapture.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <utility>

using TableGeometry::FanStep;

namespace {
int32_t wholePixels(float v)
{
    return static_cast<int32_t>(std::lround(v));
}
} // namespace

// Each buried card owns the strip from its left edge to the next card's; the top card
// owns the rest. The red marker rides above that card in every mode but shows only in
// draw mode.
void frmMain::picPile_MouseMove(int16_t Index, int16_t, int16_t, float X, float)
{
    if (DrawModeOn() && imgDraw->isHidden())
        imgDraw->show();
    const int n = mclsPile[Index].Count();
    const int k = std::clamp(static_cast<int>(std::floor(X / FanStep)), 0, std::max(0, n - 1));
    miCardUnder = static_cast<int16_t>(k + 1);
    mbCardUnderBuried = k < n - 1;
    const PictureBox *box = picPile[Index];
    imgDraw->move(box->Left() + k * FanStep, box->Top() - imgDraw->height());
}

void frmMain::picPile_MouseDown(int16_t Index, int16_t Button, int16_t Shift, float X, float Y)
{
    // The pile may have changed under a pointer that has not moved since (a double
    // click, an undo from the keyboard): find the card under it now.
    picPile_MouseMove(Index, Button, Shift, X, Y);
    if (Button == PictureBox::vbRightButton) {
        const CardRef &card = mclsPile[Index].Card(miCardUnder);
        LocateCards(static_cast<int16_t>(card->CardSuit()),
                    static_cast<int16_t>(card->CardNumber() + 1));
        return;
    }
    if (Button != PictureBox::vbLeftButton && Button != PictureBox::vbMiddleButton)
        return;

    const PictureBox *box = picPile[Index];
    picDrag->setTop(box->Top());
    mlDragOffsetY = wholePixels(Y);
    if (DrawModeOn()) {
        SaveUndo();
        mbDrawSinceUndo = true;
        imgDraw->hide();
        const int32_t fan = (miCardUnder - 1) * FanStep;
        mlDragOffsetX = wholePixels(X) - fan;
        picDrag->setLeft(box->Left() + fan);
        liftCard(Index, miCardUnder);
        mbDrawDrag = true;
    } else {
        // Held where the press was, over the top card; a press left of it (on a buried
        // card's strip) holds the picture by its left edge.
        mlDragOffsetX = wholePixels(X) - (box->width() - picDrag->width()) - 2;
        if (mlDragOffsetX < 0) {
            mlDragOffsetX = 0;
            picDrag->setLeft(box->Left());
        } else {
            picDrag->setLeft(box->Left() + box->width() - picDrag->width());
        }
        SaveUndo();
        liftCard(Index, mclsPile[Index].Count());
        mbDrawDrag = false;
    }
    SetCapture(table, [this] {
        ReturnDragCard();
        mclsDragCard.reset();
    });
}

// Takes the card at position p of pile i into the drag picture, which is already in place.
void frmMain::liftCard(int16_t i, int16_t p)
{
    mclsDragCard = mclsPile[i].Card(p);
    picDrag->Cls();
    mclsDragCard->DrawHDC(picDrag->hDC());
    picDrag->Refresh();
    picDrag->show();
    picDrag->raise();
    miDragFrom = i;
    mclsPile[i].Remove(p);
    DrawPile(i);
    mbDragging = true;
}

void frmMain::Form_MouseMove(int16_t, int16_t, float X, float Y)
{
    if (mbDragging)
        picDrag->move(wholePixels(X) - mlDragOffsetX, wholePixels(Y) - mlDragOffsetY);
    if (DrawModeOn())
        imgDraw->hide();
}

// The target is the box under the pointer, not under the picture; piles first.
void frmMain::Form_MouseUp(int16_t, int16_t, float X, float Y)
{
    if (!mbDragging) {
        if (DrawModeOn()) // a click on the bare table cancels the draw
            cmdDraw_Click();
        return;
    }
    dropOn(PileFromPoint(X, Y), HomeFromPoint(X, Y));
}

// Drops the held card on pile t if it takes it, else on home pile h, else puts it back;
// -1 is no pile. Says whether the card found a place.
bool frmMain::dropOn(int16_t t, int16_t h)
{
    if (CanPlayOnPile(t)) {
        const CardRef card = endDrag();
        mclsPile[t].Add(card);
        DrawPile(t);
        endDrawAfterDrop();
        UpdateCaption();
        return true;
    }
    if (CanPlayOnHome(h)) {
        const CardRef card = endDrag();
        mclsHome[h].Add(card);
        RemoveFromDeck(card->CardSuit(), card->CardNumber());
        DrawHome(h);
        // Before the win test, which lets waiting events run: nothing of this drop
        // may be left to do after them.
        endDrawAfterDrop();
        CheckForWin();
        UpdateCaption();
        return true;
    }
    ReturnDragCard();
    mclsDragCard.reset();
    return false;
}

CardRef frmMain::endDrag()
{
    ReleaseCapture();
    mbDragging = false;
    picDrag->hide();
    return std::exchange(mclsDragCard, nullptr);
}

// A drawn card that found a place uses the draw up.
void frmMain::endDrawAfterDrop()
{
    if (mbDrawDrag) {
        mbDrawDrag = false;
        cmdDraw->setEnabled(false);
    }
    if (DrawModeOn())
        cmdDraw_Click();
}

void frmMain::ReturnDragCard()
{
    ReleaseCapture();
    mbDragging = false;
    // A card drawn from inside its pile goes back under the cards it lay under.
    const int16_t position = mbDrawDrag && mbCardUnderBuried ? miCardUnder : 0;
    mclsPile[miDragFrom].Add(mclsDragCard, position);
    mbCardUnderBuried = false;
    picDrag->hide();
    DrawPile(miDragFrom);
}
