// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cards/cdt.h"

#include <QImage>

#include <vector>

// Something cards can be drawn on, known to the card-drawing library by its HDC.
// Handles are never reused, so a stale handle finds nothing rather than a stranger.
class DrawingSurface
{
public:
    DrawingSurface();
    virtual ~DrawingSurface();
    DrawingSurface(const DrawingSurface &) = delete;
    DrawingSurface &operator=(const DrawingSurface &) = delete;

    HDC hDC() const { return mHandle; }
    static DrawingSurface *fromHDC(HDC hdc);

    virtual void drawCard(int32_t x, int32_t y, int32_t card, int32_t mode, int32_t colour) = 0;

private:
    HDC mHandle;
};

// Draws into a QImage, honouring the image's device pixel ratio.
class ImageSurface : public DrawingSurface
{
public:
    explicit ImageSurface(QImage *image) : mImage(image) {}
    void setImage(QImage *image) { mImage = image; }
    void drawCard(int32_t x, int32_t y, int32_t card, int32_t mode, int32_t colour) override;

private:
    QImage *mImage;
};

// One card asked of a surface.
struct CardDraw {
    int32_t x, y, card, mode, colour;
    bool operator==(const CardDraw &) const = default;
};

// Draws into a QImage when asked to, not at once. A picture box is often cleared and drawn
// again before it is shown (a deal draws every card, then every pile once more), and in a
// fanned pile only a strip of each buried card shows: painting late paints each card that
// shows once, and a buried card only as far as it shows. The pixels come out the same.
class DeferredImageSurface : public DrawingSurface
{
public:
    explicit DeferredImageSurface(QImage *image) : mImage(image) {}
    void drawCard(int32_t x, int32_t y, int32_t card, int32_t mode, int32_t colour) override
    {
        // A surface drawn on again and again but never shown still keeps only a pack's worth.
        if (mPending.size() >= 52)
            paint();
        mPending.push_back({x, y, card, mode, colour});
    }
    // Forgets the cards not painted yet, for an image about to be cleared.
    void discard() { mPending.clear(); }
    // Paints the cards asked for since the last call, in the order they were asked.
    void paint();

private:
    QImage *mImage;
    std::vector<CardDraw> mPending;
};

// Remembers what was asked of it: for tests.
class RecordingSurface : public DrawingSurface
{
public:
    using Call = CardDraw;
    void drawCard(int32_t x, int32_t y, int32_t card, int32_t mode, int32_t colour) override
    {
        calls.push_back({x, y, card, mode, colour});
    }
    std::vector<Call> calls;
};
