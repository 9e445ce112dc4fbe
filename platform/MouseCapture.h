// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

// The window API's mouse capture. While a widget holds it, every pointer move and every
// button event of its window reaches that widget, in its own coordinates, wherever the
// pointer is and whichever widget the press began on; until ReleaseCapture. One widget
// holds it at a time.
//
// The capture is also cancelled when something else takes the pointer or the focus
// away: the window is deactivated or hidden, a menu pops up, or Escape is pressed. It is
// then released and onCancel runs, so that nothing the holder was doing is left halfway.
void SetCapture(QWidget *widget, std::function<void()> onCancel);
void ReleaseCapture();
QWidget *GetCapture();
