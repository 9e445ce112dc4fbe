// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a few small clips for the clip reader's fuzzer to start from, among them frames
// grouped in 'rec ' lists, nested a little and past what the reader accepts:
//   marrowby_clip_seeds FOLDER
#include "tools/AviWriter.h"

#include <fstream>
#include <string>

namespace {

std::vector<uint8_t> picture(int32_t width, int32_t height, int seed)
{
    std::vector<uint8_t> pixels(size_t(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t(i % 5 < 3 ? seed : i * 37 + seed);
    return pixels;
}

AviStream clip(AviStream::Compression compression, int32_t width, int32_t height, int frames,
               int recordDepth = 0)
{
    AviStream stream{width, height, 9, compression, {}, {}, recordDepth};
    for (int i = 0; i < 256; ++i)
        stream.palette[i] = uint32_t(i * 0x010203);
    for (int k = 0; k < frames; ++k) {
        const auto pixels = picture(width, height, k);
        stream.chunks.push_back(compression == AviStream::Rle8
                                    ? encodeRle8(pixels, width, height)
                                    : encodeUncompressed(pixels, width, height));
    }
    return stream;
}

bool save(const std::string &path, const AviStream &stream)
{
    const std::vector<uint8_t> bytes = writeAvi(stream);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const std::string folder = argv[1];
    AviStream deltas = clip(AviStream::Rle8, 8, 6, 1);
    deltas.chunks.push_back({0, 2, 3, 4, 2, 7, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1}); // skip, run, literal
    deltas.chunks.push_back({});                                               // the picture again
    AviStream topDown = clip(AviStream::Uncompressed, 5, 3, 2);
    topDown.height = -3; // the same rows, read top row first
    return save(folder + "/rle.avi", clip(AviStream::Rle8, 7, 5, 3)) &&
                   save(folder + "/uncompressed.avi", clip(AviStream::Uncompressed, 5, 3, 2)) &&
                   save(folder + "/deltas.avi", deltas) &&
                   save(folder + "/top-down.avi", topDown) &&
                   save(folder + "/records.avi", clip(AviStream::Rle8, 4, 3, 2, 1)) &&
                   save(folder + "/nested-records.avi", clip(AviStream::Rle8, 4, 3, 2, 3)) &&
                   save(folder + "/too-deep-records.avi", clip(AviStream::Rle8, 3, 2, 1, 9))
               ? 0
               : 1;
}
