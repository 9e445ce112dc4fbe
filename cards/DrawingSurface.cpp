// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/DrawingSurface.h"

#include "cards/CardArt.h"
#include "cards/PixelView.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
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

// All of a card is opaque but its rounded corners, and its top and bottom rows unless they
// fall on whole pixels; this is the corner's rounding, its soft edge and a pixel to spare
// at fractional pixel ratios.
constexpr int32_t kCorner = 6;

bool onWholePixels(qreal logical, qreal ratio)
{
    const qreal device = logical * ratio;
    return device == std::floor(device);
}

// How far from its left edge the card at `i` shows: a card laid over it later, at the same
// height and at least a corner's width to the right, hides all of it beyond that card's
// own left corners.
int32_t shownWidth(const std::vector<CardDraw> &cards, size_t i, qreal ratio)
{
    int32_t shown = kCardWidth;
    if (!onWholePixels(cards[i].y, ratio) || !onWholePixels(cards[i].y + kCardHeight, ratio))
        return shown;
    for (size_t j = i + 1; j < cards.size(); ++j) {
        const int32_t dx = cards[j].x - cards[i].x;
        if (cards[j].y == cards[i].y && dx >= kCorner)
            shown = std::min(shown, dx + kCorner);
    }
    return shown;
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
    QImage view = pixelView(*mImage);
    QPainter painter(&view);
    paintCard(painter, QPointF(x, y), card, mode);
}

void DeferredImageSurface::paint()
{
    if (mImage && !mImage->isNull() && !mPending.empty()) {
        QImage view = pixelView(*mImage);
        QPainter painter(&view);
        for (size_t i = 0; i < mPending.size(); ++i) {
            const CardDraw &card = mPending[i];
            const int32_t shown = shownWidth(mPending, i, view.devicePixelRatio());
            // Cut only on the right: at fractional ratios the card's soft left edge falls
            // on pixels outside its place.
            painter.setClipRect(QRect(card.x - 1, card.y - 1, shown + 1, kCardHeight + 2));
            painter.setClipping(shown < kCardWidth);
            paintCard(painter, QPointF(card.x, card.y), card.card, card.mode);
        }
    }
    mPending.clear();
}
