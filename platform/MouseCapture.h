// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <functional>

// The window API's mouse capture. While a widget holds it, every pointer move and every
// button event of its window reaches that widget, in its own coordinates, wherever the
// pointer is and whichever widget the press began on; until ReleaseCapture. One widget
// holds it at a time.
//
// Unlike the original, the capture is cancelled when something else takes the pointer
// or the focus away: the window is deactivated or hidden, a menu pops up, or Escape is
// pressed. The capture is then released and onCancel runs.
void SetCapture(QWidget *widget, std::function<void()> onCancel);
void ReleaseCapture();
QWidget *GetCapture();
