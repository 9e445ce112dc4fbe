// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Writes silent AVI clips with one video stream of 8-bit frames and a 256-colour
// palette: the victory clip, and clips for tests and fuzzing.
struct AviStream {
    enum Compression : uint32_t { Uncompressed = 0, Rle8 = 1 };

    int32_t width = 0;
    int32_t height = 0;
    uint32_t framesPerSecond = 1;
    Compression compression = Rle8;
    std::array<uint32_t, 256> palette{};      // 0xRRGGBB
    std::vector<std::vector<uint8_t>> chunks; // one encoded frame each, written as given
    int recordDepth = 0; // how many 'rec ' lists, one inside the other, hold the frames
};

// One frame of palette indices, top row first, encoded bottom-up as a picture of its kind.
std::vector<uint8_t> encodeRle8(std::span<const uint8_t> pixels, int32_t width, int32_t height);
std::vector<uint8_t> encodeUncompressed(std::span<const uint8_t> pixels, int32_t width,
                                        int32_t height);

// A RIFF AVI file: headers, the frames as '00dc' or '00db' chunks, and an index.
std::vector<uint8_t> writeAvi(const AviStream &stream);
