// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/DrawingSurface.h"

#include "cards/CardArt.h"

#include <QPainter>

#include <unordered_map>

namespace {

std::unordered_map<HDC, DrawingSurface *> &surfaces()
{
    static std::unordered_map<HDC, DrawingSurface *> map;
    return map;
}

HDC nextHandle()
{
    static HDC last = 0;
    return ++last;
}

} // namespace

DrawingSurface::DrawingSurface() : mHandle(nextHandle())
{
    surfaces()[mHandle] = this;
}

DrawingSurface::~DrawingSurface()
{
    surfaces().erase(mHandle);
}

DrawingSurface *DrawingSurface::fromHDC(HDC hdc)
{
    const auto it = surfaces().find(hdc);
    return it == surfaces().end() ? nullptr : it->second;
}

void ImageSurface::drawCard(int32_t x, int32_t y, int32_t card, int32_t mode, int32_t)
{
    if (!mImage || mImage->isNull())
        return;
    QPainter painter(mImage);
    paintCard(painter, QPointF(x, y), card, mode);
}
