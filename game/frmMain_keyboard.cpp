// SPDX-License-Identifier: GPL-3.0-or-later
// Play without a mouse. The keyboard acts through the mouse's own handlers, with the
// point of a press worked out from the card it has chosen, so both follow one set of
// rules and guards.
#include "game/TableGeometry.h"
#include "game/TableSurface.h"
#include "game/frmMain.h"

#include <QKeyEvent>
#include <QLabel>

#include <algorithm>
#include <cstdlib>
#include <limits>

using TableGeometry::FanStep;

namespace {
constexpr int16_t kPlaces = 20; // the 16 piles, then the 4 home piles
constexpr int16_t kFirstHome = 16;
// A held card hovers up and to the right of its target's top card, which shows below.
constexpr QPoint kHover{8, -16};
// Where in a card the keyboard "presses": inside the strip a buried card shows, and
// well inside the top card.
constexpr float kPressInBuried = 1;
constexpr float kPressInTop = 10;
constexpr float kPressY = 40;

bool isPile(int16_t place)
{
    return place < kFirstHome;
}

// The rows of the table: three rows of five piles, then pile 15 beside the home piles.
int rowOf(int16_t place)
{
    return place < 15 ? place / 5 : 3;
}

bool isLocateKey(int key)
{
    return key == Qt::Key_L || key == Qt::Key_Menu;
}

bool isPlayKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return true;
    default:
        return isLocateKey(key);
    }
}
} // namespace

PictureBox *frmMain::placeBox(int16_t place) const
{
    return isPile(place) ? picPile[place] : picHome[place - kFirstHome];
}

// A play pile with a card to act on; a pile is emptied for a moment as a game is dealt.
bool frmMain::holdsCards(int16_t place) const
{
    return isPile(place) && mclsPile[place].Count() > 0;
}

// Only one place is a stop in the Tab order, so Tab goes from the table to the buttons
// and back as it always did.
void frmMain::setKeyboardStop(int16_t place)
{
    placeBox(miKeyPlace)->setFocusPolicy(Qt::NoFocus);
    miKeyPlace = place;
    placeBox(miKeyPlace)->setFocusPolicy(Qt::TabFocus);
}

// The next place in number order that can hold the focus; an empty pile's box is hidden.
int16_t frmMain::nextPlace(int16_t from, int step) const
{
    for (int k = 1; k < kPlaces; ++k) {
        const auto place = static_cast<int16_t>(((from + step * k) % kPlaces + kPlaces) % kPlaces);
        if (!placeBox(place)->isHidden())
            return place;
    }
    return from;
}

// The nearest place, by the middle of its box, in the next row up or down that has one.
int16_t frmMain::placeInRow(int16_t from, int step) const
{
    const int middle = placeBox(from)->geometry().center().x();
    for (int row = rowOf(from) + step; row >= 0 && row <= 3; row += step) {
        int16_t best = -1;
        int bestDistance = std::numeric_limits<int>::max();
        for (int16_t place = 0; place < kPlaces; ++place) {
            const PictureBox *box = placeBox(place);
            const int distance = std::abs(box->geometry().center().x() - middle);
            if (rowOf(place) == row && !box->isHidden() && distance < bestDistance) {
                best = place;
                bestDistance = distance;
            }
        }
        if (best >= 0)
            return best;
    }
    return from;
}

// The ring and the keyboard's markers are for a player who uses the keys; focus that
// arrives any other way (a button disabled under it, the window activated) stays quiet.
void frmMain::setKeyboardPlay(bool on)
{
    if (mbKeyboardPlay == on)
        return;
    mbKeyboardPlay = on;
    for (int16_t place = 0; place < kPlaces; ++place)
        placeBox(place)->setFocusRing(on);
}

// Qt hands the focus of a button disabled under it on as Tab would, but only a key was
// pressed where the widget that had the focus can still take it.
bool frmMain::focusNextPrevChild(bool next)
{
    const QWidget *from = focusWidget();
    if (!from || (from->isEnabled() && from->isVisible()))
        setKeyboardPlay(true);
    return QMainWindow::focusNextPrevChild(next);
}

void frmMain::takeKeyboardPlace(int16_t place, int16_t card)
{
    placeBox(place)->setFocus(Qt::OtherFocusReason);
    if (card) {
        miKeyCard = card;
        followKeyboard();
    }
}

// A held card hovers over the focused place; in draw mode the red marker shows the
// chosen card of the focused fan.
void frmMain::followKeyboard()
{
    const PictureBox *box = placeBox(miKeyPlace);
    if (mclsDragCard) {
        imgDraw->hide();
        // Never above the table, where the menu bar would hide it.
        picDrag->move(box->x() + box->width() - picDrag->width() + kHover.x(),
                      std::max(0, box->y() + kHover.y()));
        picDrag->raise();
    } else if (holdsCards(miKeyPlace) && DrawModeOn()) {
        picPile_MouseMove(miKeyPlace, 0, 0, keyboardX(miKeyPlace), kPressY);
        announceDrawMarker();
    }
}

// The point of pile i that a press on the keyboard's chosen card would have.
float frmMain::keyboardX(int16_t i) const
{
    const int n = mclsPile[i].Count();
    const int m = miKeyCard > 0 && miKeyCard < n ? miKeyCard : n;
    return static_cast<float>((m - 1) * FanStep) + (m == n ? kPressInTop : kPressInBuried);
}

// In draw mode Left and Right walk card by card through the fans.
void frmMain::stepThroughFan(int step)
{
    const int n = mclsPile[miKeyPlace].Count();
    const int m = (miKeyCard > 0 && miKeyCard < n ? miKeyCard : n) + step;
    if (m >= 1 && m <= n) {
        miKeyCard = static_cast<int16_t>(m);
        followKeyboard();
        return;
    }
    const int16_t next = nextPlace(miKeyPlace, step);
    takeKeyboardPlace(next, step > 0 && isPile(next) ? 1 : 0);
}

void frmMain::moveKeyboardPlace(int key)
{
    const int step = key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1;
    if (key == Qt::Key_Up || key == Qt::Key_Down)
        takeKeyboardPlace(placeInRow(miKeyPlace, step));
    else if (isPile(miKeyPlace) && DrawModeOn() && !mclsDragCard)
        stepThroughFan(step);
    else
        takeKeyboardPlace(nextPlace(miKeyPlace, step));
}

// Space picks up the chosen card as a press of the left button would, and over another
// place drops it as a release there would.
void frmMain::pickUpOrDrop(int16_t place)
{
    if (mbDragging) {
        const CardRef card = mclsDragCard;
        const bool placed =
            dropOn(isPile(place) ? place : -1, isPile(place) ? -1 : place - kFirstHome);
        announce((placed ? tr("%1 placed") : tr("%1 put back")).arg(CardName(*card)));
        return;
    }
    if (!holdsCards(place))
        return; // nothing is ever taken from a home pile, nor from an empty one
    picPile_MouseDown(place, PictureBox::vbLeftButton, 0, keyboardX(place), kPressY);
    if (mclsDragCard) {
        followKeyboard();
        announce(tr("Holding %1").arg(CardName(*mclsDragCard)));
    }
}

// The markers show while the key is down, as they do while the right button is.
void frmMain::locateFromKeyboard(int16_t place, bool down)
{
    if (!down) {
        isPile(place) ? picPile_MouseUp(place, PictureBox::vbRightButton, 0, 0, 0)
                      : picHome_MouseUp(place - kFirstHome, PictureBox::vbRightButton, 0, 0, 0);
        return;
    }
    if (mclsDragCard) // a held card keeps its place in the fan for its return
        return;
    if (holdsCards(place))
        picPile_MouseDown(place, PictureBox::vbRightButton, 0, keyboardX(place), kPressY);
    else if (!isPile(place))
        picHome_MouseDown(place - kFirstHome, PictureBox::vbRightButton, 0, 0, 0);
    else
        return; // an empty pile has no card to locate from
    announceMarkers();
}

void frmMain::keyDown(int16_t place, QKeyEvent *event)
{
    const int key = event->key();
    if (!isPlayKey(key))
        return; // not ours: the event goes on
    event->accept();
    // Before the key acts, so a place it moves to follows the keyboard.
    setKeyboardPlay(true);
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveKeyboardPlace(key);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The double click's move home; never with a card in hand, whose undo
        // snapshot it would replace.
        if (!event->isAutoRepeat() && holdsCards(place) && !mclsDragCard)
            picPile_DblClick(place);
        break;
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            pickUpOrDrop(place);
        break;
    default: // the locate key
        if (!event->isAutoRepeat())
            locateFromKeyboard(place, true);
    }
}

void frmMain::picPile_KeyDown(int16_t Index, QKeyEvent *event)
{
    keyDown(Index, event);
}

void frmMain::picHome_KeyDown(int16_t Index, QKeyEvent *event)
{
    keyDown(static_cast<int16_t>(kFirstHome + Index), event);
}

void frmMain::picPile_KeyUp(int16_t Index, int Key)
{
    if (isLocateKey(Key))
        locateFromKeyboard(Index, false);
}

void frmMain::picHome_KeyUp(int16_t Index, int Key)
{
    if (isLocateKey(Key))
        locateFromKeyboard(static_cast<int16_t>(kFirstHome + Index), false);
}

void frmMain::picPile_GotFocus(int16_t Index)
{
    setKeyboardStop(Index);
    miKeyCard = 0;
    if (mbKeyboardPlay)
        followKeyboard();
}

void frmMain::picHome_GotFocus(int16_t Index)
{
    picPile_GotFocus(static_cast<int16_t>(kFirstHome + Index));
}

void frmMain::picPile_LostFocus(int16_t)
{
    if (mbKeyboardPlay && DrawModeOn() && !mclsDragCard)
        imgDraw->hide();
}

// A pile that empties hides its box, which then cannot keep the focus: the next place
// takes it, and the Tab stop with it. The mouse on the table ends keyboard play.
bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        setKeyboardPlay(false);
    if (event->type() == QEvent::Hide && watched == placeBox(miKeyPlace) &&
        placeBox(miKeyPlace)->isHidden()) {
        const int16_t next = nextPlace(miKeyPlace, 1);
        if (placeBox(miKeyPlace)->hasFocus())
            takeKeyboardPlace(next);
        else
            setKeyboardStop(next);
    }
    return QMainWindow::eventFilter(watched, event);
}
