// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/AviWriter.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr uint32_t kAvifHasIndex = 0x10;
constexpr uint32_t kAviifKeyframe = 0x10;
constexpr int kMaxRun = 255;

class ByteWriter
{
public:
    std::vector<uint8_t> bytes;

    void u16(uint32_t v)
    {
        bytes.push_back(uint8_t(v));
        bytes.push_back(uint8_t(v >> 8));
    }
    void u32(uint32_t v)
    {
        u16(v & 0xffff);
        u16(v >> 16);
    }
    void fourcc(std::string_view code) { bytes.insert(bytes.end(), code.begin(), code.end()); }
    void append(std::span<const uint8_t> data)
    {
        bytes.insert(bytes.end(), data.begin(), data.end());
    }

    // Opens a chunk (or a LIST with its type); close() fills in its size and pads it.
    size_t open(std::string_view id, std::string_view listType = {})
    {
        fourcc(id);
        const size_t at = bytes.size();
        u32(0);
        fourcc(listType);
        return at;
    }
    void close(size_t at)
    {
        const size_t size = bytes.size() - at - 4;
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = uint8_t(size >> (8 * i));
        if (size & 1)
            bytes.push_back(0);
    }
};

void encodeLine(std::span<const uint8_t> row, std::vector<uint8_t> &out)
{
    const size_t width = row.size();
    size_t i = 0;
    while (i < width) {
        size_t run = 1;
        while (i + run < width && run < kMaxRun && row[i + run] == row[i])
            ++run;
        if (run >= 2) {
            out.insert(out.end(), {uint8_t(run), row[i]});
            i += run;
            continue;
        }
        // Gather differing pixels until a run of three begins.
        size_t end = i;
        while (end < width && end - i < kMaxRun &&
               !(end + 2 < width && row[end] == row[end + 1] && row[end] == row[end + 2]))
            ++end;
        const size_t count = end - i;
        if (count >= 3) {
            out.insert(out.end(), {0, uint8_t(count)});
            out.insert(out.end(), row.begin() + i, row.begin() + end);
            if (count & 1)
                out.push_back(0);
        } else {
            for (size_t k = i; k < end; ++k)
                out.insert(out.end(), {1, row[k]});
        }
        i = end;
    }
}

} // namespace

std::vector<uint8_t> encodeRle8(std::span<const uint8_t> pixels, int32_t width, int32_t height)
{
    std::vector<uint8_t> out;
    for (int32_t line = 0; line < height; ++line) {
        encodeLine(pixels.subspan(size_t(height - 1 - line) * width, width), out);
        out.insert(out.end(), {0, uint8_t(line + 1 == height ? 1 : 0)});
    }
    return out;
}

std::vector<uint8_t> encodeUncompressed(std::span<const uint8_t> pixels, int32_t width,
                                        int32_t height)
{
    const size_t stride = (size_t(width) + 3) & ~size_t{3};
    std::vector<uint8_t> out(stride * height, 0);
    for (int32_t row = 0; row < height; ++row)
        std::copy_n(pixels.begin() + size_t(row) * width, width,
                    out.begin() + size_t(height - 1 - row) * stride);
    return out;
}

std::vector<uint8_t> writeAvi(const AviStream &stream)
{
    const bool rle = stream.compression == AviStream::Rle8;
    const uint32_t frameCount = uint32_t(stream.chunks.size());
    size_t largest = 0;
    for (const auto &chunk : stream.chunks)
        largest = std::max(largest, chunk.size());

    ByteWriter w;
    const size_t riff = w.open("RIFF", "AVI ");
    const size_t hdrl = w.open("LIST", "hdrl");

    const size_t avih = w.open("avih");
    w.u32(1000000 / stream.framesPerSecond);
    w.u32(uint32_t(largest * stream.framesPerSecond));
    w.u32(0); // padding granularity
    w.u32(kAvifHasIndex);
    w.u32(frameCount);
    w.u32(0); // initial frames
    w.u32(1); // streams
    w.u32(uint32_t(largest));
    w.u32(uint32_t(stream.width));
    w.u32(uint32_t(stream.height));
    for (int i = 0; i < 4; ++i)
        w.u32(0);
    w.close(avih);

    const size_t strl = w.open("LIST", "strl");
    const size_t strh = w.open("strh");
    w.fourcc("vids");
    w.fourcc(rle ? "mrle" : "DIB ");
    w.u32(0); // flags
    w.u32(0); // priority and language
    w.u32(0); // initial frames
    w.u32(1); // scale
    w.u32(stream.framesPerSecond);
    w.u32(0); // start
    w.u32(frameCount);
    w.u32(uint32_t(largest));
    w.u32(0xffffffff); // quality: the default
    w.u32(0);          // sample size: varies
    w.u16(0);
    w.u16(0);
    w.u16(uint32_t(stream.width));
    w.u16(uint32_t(stream.height));
    w.close(strh);

    const size_t strf = w.open("strf");
    w.u32(40);
    w.u32(uint32_t(stream.width));
    w.u32(uint32_t(stream.height));
    w.u16(1); // planes
    w.u16(8); // bits per pixel
    w.u32(stream.compression);
    w.u32(uint32_t(largest));
    w.u32(0);
    w.u32(0);
    w.u32(256); // colours used
    w.u32(0);
    for (uint32_t rgb : stream.palette) {
        w.u16(((rgb & 0xff) | (rgb >> 8 & 0xff) << 8));
        w.u16(rgb >> 16 & 0xff);
    }
    w.close(strf);
    w.close(strl);
    w.close(hdrl);

    const size_t movi = w.open("LIST", "movi");
    const size_t moviStart = movi + 4; // index offsets count from the list type
    std::vector<size_t> records;
    for (int level = 0; level < stream.recordDepth; ++level)
        records.push_back(w.open("LIST", "rec "));
    std::vector<size_t> offsets;
    for (const auto &chunk : stream.chunks) {
        offsets.push_back(w.bytes.size() - moviStart);
        const size_t at = w.open(rle ? "00dc" : "00db");
        w.append(chunk);
        w.close(at);
    }
    for (auto record = records.rbegin(); record != records.rend(); ++record)
        w.close(*record);
    w.close(movi);

    const size_t idx1 = w.open("idx1");
    for (size_t i = 0; i < stream.chunks.size(); ++i) {
        w.fourcc(rle ? "00dc" : "00db");
        w.u32(kAviifKeyframe);
        w.u32(uint32_t(offsets[i]));
        w.u32(uint32_t(stream.chunks[i].size()));
    }
    w.close(idx1);
    w.close(riff);
    return w.bytes;
}
