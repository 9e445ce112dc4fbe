// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A silent AVI clip with 8-bit frames (uncompressed or RLE8) and a 256-colour palette,
// decoded whole. The input is untrusted: anything the reader cannot play safely is
// refused, and a clip may not grow past the limits below whatever its header claims.
struct AviClip {
    static constexpr int32_t MaxSide = 4096;
    static constexpr int32_t MaxFrames = 10000;
    static constexpr int64_t MaxTotalPixels = int64_t{1} << 24; // over all frames

    int32_t width = 0;
    int32_t height = 0;
    int32_t frameIntervalMs = 0;
    std::array<uint32_t, 256> palette{};      // 0xffRRGGBB; entries the file lacks are black
    std::vector<std::vector<uint8_t>> frames; // width * height indices, top row first
};

std::optional<AviClip> readAviClip(std::span<const uint8_t> data);
