// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds the clip reader anything at all: it must never read or write out of bounds, and
// whatever it accepts must be a clip the player can show.
#include "animation/AviReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<AviClip> clip = readAviClip({data, size});
    if (!clip)
        return 0;
    const size_t pixels = size_t(clip->width) * size_t(clip->height);
    if (clip->width < 1 || clip->width > AviClip::MaxSide || clip->height < 1 ||
        clip->height > AviClip::MaxSide || clip->frames.empty() ||
        clip->frames.size() > size_t(AviClip::MaxFrames) ||
        int64_t(pixels * clip->frames.size()) > AviClip::MaxTotalPixels ||
        clip->frameIntervalMs < 10 || clip->frameIntervalMs > 10000)
        std::abort();
    for (const auto &frame : clip->frames)
        if (frame.size() != pixels)
            std::abort();
    return 0;
}
