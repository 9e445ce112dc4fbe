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

// Remembers what was asked of it: for tests.
class RecordingSurface : public DrawingSurface
{
public:
    struct Call {
        int32_t x, y, card, mode, colour;
        bool operator==(const Call &) const = default;
    };
    void drawCard(int32_t x, int32_t y, int32_t card, int32_t mode, int32_t colour) override
    {
        calls.push_back({x, y, card, mode, colour});
    }
    std::vector<Call> calls;
};
