// SPDX-License-Identifier: GPL-3.0-or-later
#include "animation/AviReader.h"
#include "tools/AviWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

using Bytes = std::vector<uint8_t>;

// A picture with runs, single pixels and odd-length stretches of differing pixels.
Bytes pattern(int32_t width, int32_t height, int seed)
{
    Bytes pixels(size_t(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t((i / 7 % 3 == 0) ? seed : (i * 31 + seed) % 251);
    return pixels;
}

AviStream clipOf(AviStream::Compression compression, int32_t width, int32_t height,
                 const std::vector<Bytes> &pictures)
{
    AviStream stream{width, height, 9, compression, {}, {}};
    for (int i = 0; i < 256; ++i)
        stream.palette[i] = uint32_t(i) << 16 | uint32_t(255 - i) << 8 | 7;
    for (const Bytes &pixels : pictures)
        stream.chunks.push_back(compression == AviStream::Rle8
                                    ? encodeRle8(pixels, width, height)
                                    : encodeUncompressed(pixels, width, height));
    return stream;
}

// Where a chunk's contents begin.
size_t bodyOf(const Bytes &file, const char *fourcc)
{
    return size_t(std::search(file.begin(), file.end(), fourcc, fourcc + 4) - file.begin()) + 8;
}

// Writes a little-endian value at an offset from a chunk's contents (-4 is its size).
Bytes patched(Bytes file, const char *chunk, ptrdiff_t offset, uint32_t value)
{
    const size_t at = size_t(ptrdiff_t(bodyOf(file, chunk)) + offset);
    for (int i = 0; i < 4; ++i)
        file.at(at + i) = uint8_t(value >> (8 * i));
    return file;
}

TEST(AviReader, ReadsBackWhatWasWritten)
{
    const std::vector<Bytes> pictures{pattern(13, 5, 1), pattern(13, 5, 2), pattern(13, 5, 3)};
    for (auto compression : {AviStream::Rle8, AviStream::Uncompressed}) {
        const auto clip = readAviClip(writeAvi(clipOf(compression, 13, 5, pictures)));
        ASSERT_TRUE(clip) << compression;
        EXPECT_EQ(std::pair(clip->width, clip->height), std::pair(13, 5));
        EXPECT_EQ(clip->frameIntervalMs, 111);
        EXPECT_EQ(clip->palette[200], 0xffc83707u);
        EXPECT_EQ(clip->frames, pictures);
    }
}

TEST(AviReader, RunLengthFramesDrawOverThePreviousPicture)
{
    AviStream stream = clipOf(AviStream::Rle8, 4, 3, {Bytes(12, 9)});
    // Skip two lines and one pixel, paint two; then an empty chunk repeats the picture.
    stream.chunks.push_back({0, 2, 1, 2, 2, 5, 0, 1});
    stream.chunks.push_back({});
    const auto clip = readAviClip(writeAvi(stream));
    ASSERT_TRUE(clip);
    const Bytes expected{9, 5, 5, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(clip->frames, (std::vector<Bytes>{Bytes(12, 9), expected, expected}));
}

TEST(AviReader, ReadsFramesGroupedInRecordListsButRefusesDeepNesting)
{
    const std::vector<Bytes> pictures{pattern(6, 4, 1), pattern(6, 4, 2)};
    AviStream stream = clipOf(AviStream::Rle8, 6, 4, pictures);
    stream.recordDepth = 2;
    const auto grouped = readAviClip(writeAvi(stream));
    ASSERT_TRUE(grouped);
    EXPECT_EQ(grouped->frames, pictures);

    // Once overflowed the stack: the file must not choose how deep the reader goes.
    stream.recordDepth = 100000;
    EXPECT_FALSE(readAviClip(writeAvi(stream)));
}

TEST(AviReader, TakesTheFrameRateFromTheStreamAndKeepsItSane)
{
    struct Case {
        uint32_t scale, rate, microsPerFrame;
        int32_t expectedMs;
    };
    for (const Case &c :
         {Case{1, 9, 0, 111}, Case{100, 1500, 0, 67}, Case{0, 9, 40000, 40}, Case{0, 0, 0, 100},
          Case{1, 100000, 0, 10}, Case{UINT32_MAX, 1, 0, 10000}}) {
        Bytes file = writeAvi(clipOf(AviStream::Rle8, 2, 2, {Bytes(4, 1)}));
        file = patched(patched(file, "avih", 0, c.microsPerFrame), "strh", 20, c.scale);
        const auto clip = readAviClip(patched(file, "strh", 24, c.rate));
        ASSERT_TRUE(clip);
        EXPECT_EQ(clip->frameIntervalMs, c.expectedMs) << c.scale << '/' << c.rate;
    }
}

// A clip that is none, or one our reader would show garbled, opens as a failure; so does
// one that would take more memory than a clip may.
TEST(AviReader, RefusesDamagedClips)
{
    const Bytes rle = writeAvi(clipOf(AviStream::Rle8, 6, 4, {pattern(6, 4, 1), pattern(6, 4, 2)}));
    const Bytes raw =
        writeAvi(clipOf(AviStream::Uncompressed, 6, 4, {pattern(6, 4, 1), pattern(6, 4, 2)}));
    auto edited = [&rle](size_t at, uint8_t value) {
        Bytes file = rle;
        file.at(at) = value;
        return file;
    };
    auto withFrames = [](int32_t width, int32_t height, const Bytes &chunk, int count = 1) {
        AviStream stream = clipOf(AviStream::Rle8, width, height, {});
        stream.chunks.assign(size_t(count), chunk);
        return writeAvi(stream);
    };
    const std::pair<const char *, Bytes> cases[] = {
        {"Empty", {}},
        {"NotRiff", edited(0, 'X')},
        {"NotAvi", edited(8, 'W')},
        {"CutInTheHeaders", Bytes(rle.begin(), rle.begin() + 200)},
        {"NoVideoStream", patched(rle, "strh", 0, 0x73647561)},
        {"NoFrames", writeAvi(clipOf(AviStream::Rle8, 6, 4, {}))},
        {"WidthTooLarge", patched(rle, "strf", 4, 4097)},
        {"HeightMostNegative", patched(rle, "strf", 8, uint32_t(INT_MIN))},
        {"TwentyFourBits", patched(rle, "strf", 12, 0x00180001)},
        {"UncompressedFrameARowShort", patched(raw, "00db", -4, 24)},
        {"RunPastLineEnd", withFrames(4, 2, {5, 7, 0, 1})},
        {"DeltaPastTop", withFrames(4, 2, {0, 2, 0, 9, 1, 1})},
        {"TooManyPixels", withFrames(4096, 4096, {0, 1}, 2)},
        {"TooManyFrames", withFrames(1, 1, {0, 1}, AviClip::MaxFrames + 1)},
    };
    for (const auto &[name, file] : cases)
        EXPECT_FALSE(readAviClip(file)) << name;
}

} // namespace
