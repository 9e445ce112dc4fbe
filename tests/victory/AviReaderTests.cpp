// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AviReader.h"
#include "tools/AviWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <ostream>
#include <string>

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
                 const std::vector<Bytes> &pictures, uint32_t fps = 9)
{
    AviStream stream{width, height, fps, compression, {}, {}};
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
    const auto at = std::search(file.begin(), file.end(), fourcc, fourcc + 4);
    return size_t(at - file.begin()) + 8;
}

void put32(Bytes &file, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        file[at + i] = uint8_t(value >> (8 * i));
}

TEST(AviReader, ReadsBackWhatWasWritten)
{
    const std::vector<Bytes> pictures{pattern(13, 5, 1), pattern(13, 5, 2), pattern(13, 5, 3)};
    for (auto compression : {AviStream::Rle8, AviStream::Uncompressed}) {
        const auto clip = readAviClip(writeAvi(clipOf(compression, 13, 5, pictures)));
        ASSERT_TRUE(clip) << compression;
        EXPECT_EQ(clip->width, 13);
        EXPECT_EQ(clip->height, 5);
        EXPECT_EQ(clip->frameIntervalMs, 111);
        EXPECT_EQ(clip->palette[200], 0xffc83707u);
        EXPECT_EQ(clip->frames, pictures);
    }
}

TEST(AviReader, KeepsTheFramesOfATruncatedFileAndIgnoresAStatedFrameCount)
{
    const Bytes pixels = pattern(8, 8, 4);
    Bytes file = writeAvi(clipOf(AviStream::Uncompressed, 8, 8, {pixels, pixels, pixels}));
    put32(file, bodyOf(file, "avih") + 16, 1000); // total frames
    put32(file, bodyOf(file, "strh") + 32, 1000); // length
    const size_t thirdFrame = bodyOf(file, "movi") - 4 + 2 * (8 + 64);
    file.resize(thirdFrame + 20);
    const auto clip = readAviClip(file);
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->frames.size(), 2u);
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
    ASSERT_EQ(clip->frames.size(), 3u);
    EXPECT_EQ(clip->frames[1], expected);
    EXPECT_EQ(clip->frames[2], expected);
}

TEST(AviReader, ReadsTopDownUncompressedFrames)
{
    const Bytes pixels = pattern(5, 3, 6);
    Bytes file = writeAvi(clipOf(AviStream::Uncompressed, 5, 3, {pixels}));
    put32(file, bodyOf(file, "strf") + 8, uint32_t(-3));
    const auto clip = readAviClip(file);
    ASSERT_TRUE(clip);
    Bytes flipped;
    for (int row = 2; row >= 0; --row)
        flipped.insert(flipped.end(), pixels.begin() + row * 5, pixels.begin() + row * 5 + 5);
    EXPECT_EQ(clip->frames.front(), flipped);
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
        put32(file, bodyOf(file, "avih"), c.microsPerFrame);
        put32(file, bodyOf(file, "strh") + 20, c.scale);
        put32(file, bodyOf(file, "strh") + 24, c.rate);
        const auto clip = readAviClip(file);
        ASSERT_TRUE(clip);
        EXPECT_EQ(clip->frameIntervalMs, c.expectedMs) << c.scale << '/' << c.rate;
    }
}

// Every damaged or unplayable clip opens as a failure, never out of bounds.
struct Damage {
    std::string name;
    std::function<Bytes()> file;
};
void PrintTo(const Damage &damage, std::ostream *os)
{
    *os << damage.name;
}

Bytes validFile(AviStream::Compression compression = AviStream::Rle8)
{
    return writeAvi(clipOf(compression, 6, 4, {pattern(6, 4, 1), pattern(6, 4, 2)}));
}

// Offsets count from the chunk's contents; -4 is its size.
Bytes patched(const char *chunk, ptrdiff_t offset, uint32_t value,
              AviStream::Compression compression = AviStream::Rle8)
{
    Bytes file = validFile(compression);
    put32(file, size_t(ptrdiff_t(bodyOf(file, chunk)) + offset), value);
    return file;
}

Bytes withFrame(int32_t width, int32_t height, Bytes chunk)
{
    AviStream stream = clipOf(AviStream::Rle8, width, height, {});
    stream.chunks.push_back(std::move(chunk));
    return writeAvi(stream);
}

Bytes emptyFrames(int32_t width, int32_t height, int count)
{
    AviStream stream = clipOf(AviStream::Rle8, width, height, {});
    stream.chunks.assign(size_t(count), Bytes{0, 1});
    return writeAvi(stream);
}

class AviReaderRefuses : public testing::TestWithParam<Damage>
{
};

TEST_P(AviReaderRefuses, TheClip)
{
    EXPECT_FALSE(readAviClip(GetParam().file()));
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, AviReaderRefuses,
    testing::Values(
        Damage{"Empty", [] { return Bytes{}; }},
        Damage{"NotRiff",
               [] {
                   Bytes f = validFile();
                   f[0] = 'X';
                   return f;
               }},
        Damage{"NotAvi",
               [] {
                   Bytes f = validFile();
                   f[8] = 'W';
                   return f;
               }},
        Damage{"CutInTheHeaders",
               [] {
                   Bytes f = validFile();
                   f.resize(200);
                   return f;
               }},
        Damage{"ListLongerThanItsFile", [] { return patched("hdrl", -12, 0x7fffffff); }},
        Damage{"NoVideoStream", [] { return patched("strh", 0, 0x73647561); }},
        Damage{"NoFrames", [] { return writeAvi(clipOf(AviStream::Rle8, 6, 4, {})); }},
        Damage{"WidthZero", [] { return patched("strf", 4, 0); }},
        Damage{"WidthTooLarge", [] { return patched("strf", 4, 4097); }},
        Damage{"HeightZero", [] { return patched("strf", 8, 0); }},
        Damage{"HeightTooLarge", [] { return patched("strf", 8, uint32_t(-4097)); }},
        Damage{"HeightMostNegative", [] { return patched("strf", 8, uint32_t(INT_MIN)); }},
        Damage{"TopDownRunLength", [] { return patched("strf", 8, uint32_t(-4)); }},
        Damage{"TwentyFourBits", [] { return patched("strf", 12, 0x00180001); }},
        Damage{"FourBitRunLength", [] { return patched("strf", 16, 2); }},
        Damage{"HeaderSizePastChunk", [] { return patched("strf", 0, 0xffffff00); }},
        Damage{"ShortUncompressedFrame",
               [] { return patched("00db", -4, 20, AviStream::Uncompressed); }},
        Damage{"RunPastLineEnd",
               [] {
                   return withFrame(4, 2, {5, 7, 0, 1});
               }},
        Damage{"LiteralPastLineEnd",
               [] {
                   return withFrame(4, 2, {0, 5, 1, 2, 3, 4, 5, 0});
               }},
        Damage{"LiteralPastData",
               [] {
                   return withFrame(8, 2, {0, 6, 1, 2});
               }},
        Damage{"RunPastTop",
               [] {
                   return withFrame(4, 2, {0, 0, 0, 0, 2, 1});
               }},
        Damage{"DeltaPastTop",
               [] {
                   return withFrame(4, 2, {0, 2, 0, 9, 1, 1});
               }},
        Damage{"DeltaCut",
               [] {
                   return withFrame(4, 2, {0, 2, 1});
               }},
        Damage{"TooManyPixels", [] { return emptyFrames(4096, 4096, 2); }},
        Damage{"TooManyFrames", [] { return emptyFrames(1, 1, AviClip::MaxFrames + 1); }}),
    [](const testing::TestParamInfo<Damage> &param) { return param.param.name; });

} // namespace
