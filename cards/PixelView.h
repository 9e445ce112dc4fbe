// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// A picture over the same pixels as `image`, to paint on. A painter leaves its working
// buffers with the image it painted for as long as that image lives, which for a kept
// picture is a fortune in all; painted through a view, they go with the view.
inline QImage pixelView(QImage &image)
{
    QImage view(image.bits(), image.width(), image.height(), image.bytesPerLine(), image.format());
    view.setDevicePixelRatio(image.devicePixelRatio());
    return view;
}
