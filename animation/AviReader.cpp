// SPDX-License-Identifier: GPL-3.0-or-later
#include "animation/AviReader.h"

#include <algorithm>
#include <cstring>

namespace {

using Bytes = std::span<const uint8_t>;

constexpr uint32_t fourcc(const char (&code)[5])
{
    return uint32_t(uint8_t(code[0])) | uint32_t(uint8_t(code[1])) << 8 |
           uint32_t(uint8_t(code[2])) << 16 | uint32_t(uint8_t(code[3])) << 24;
}

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr int64_t kDefaultIntervalUs = 100000;
constexpr int32_t kMinIntervalMs = 10;
constexpr int32_t kMaxIntervalMs = 10000;
// Clips group frames in 'rec ' lists one level deep; a few more levels are tolerated, but the
// file must not choose how deep the reader recurses.
constexpr int kMaxRecordDepth = 8;

// Reads a little-endian field; a field past the end reads as 0.
uint32_t le32(Bytes data, size_t at)
{
    if (data.size() < 4 || at > data.size() - 4)
        return 0;
    return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
           uint32_t(data[at + 3]) << 24;
}

uint16_t le16(Bytes data, size_t at)
{
    if (data.size() < 2 || at > data.size() - 2)
        return 0;
    return uint16_t(data[at] | data[at + 1] << 8);
}

struct Chunk {
    uint32_t id;
    Bytes body;
    // A LIST's type and contents.
    uint32_t listType() const { return le32(body, 0); }
    Bytes listBody() const { return body.size() < 4 ? Bytes{} : body.subspan(4); }
};

enum class Walk { Complete, Truncated, Stopped };

// Visits the chunks of a list in order. A chunk claiming more bytes than remain ends the
// walk as truncated, after being visited with what there is when keepCutChunk is set;
// a visitor returning false stops the walk.
template <typename Visitor>
Walk forEachChunk(Bytes list, Visitor &&visit, bool keepCutChunk = false)
{
    size_t pos = 0;
    while (list.size() - pos >= 8) {
        const uint32_t id = le32(list, pos);
        const uint32_t size = le32(list, pos + 4);
        pos += 8;
        if (size > list.size() - pos) {
            if (keepCutChunk)
                visit(Chunk{id, list.subspan(pos)});
            return Walk::Truncated;
        }
        if (!visit(Chunk{id, list.subspan(pos, size)}))
            return Walk::Stopped;
        pos = std::min(pos + size + (size & 1), list.size());
    }
    return Walk::Complete;
}

struct VideoFormat {
    int32_t width = 0;
    int32_t height = 0;
    bool bottomUp = true;
    uint32_t compression = kBiRgb;
    uint16_t frameId = 0; // the stream number as two ASCII digits
    int64_t intervalUs = 0;
    std::array<uint32_t, 256> palette{};
};

bool readBitmapInfo(Bytes strf, VideoFormat &format)
{
    const uint32_t headerSize = le32(strf, 0);
    if (strf.size() < 40 || headerSize < 40 || headerSize > strf.size())
        return false;
    const auto width = int32_t(le32(strf, 4));
    const auto height = int32_t(le32(strf, 8));
    const uint32_t compression = le32(strf, 16);
    if (width < 1 || width > AviClip::MaxSide || height == 0 || height < -AviClip::MaxSide ||
        height > AviClip::MaxSide || le16(strf, 14) != 8)
        return false;
    // Run-length frames are always stored bottom-up.
    if (compression != kBiRgb && (compression != kBiRle8 || height < 0))
        return false;
    format.width = width;
    format.height = height < 0 ? -height : height;
    format.bottomUp = height > 0;
    format.compression = compression;

    const uint32_t used = le32(strf, 32);
    const size_t stated = used == 0 || used > 256 ? 256 : used;
    const size_t present = (strf.size() - headerSize) / 4;
    format.palette.fill(0xff000000);
    for (size_t i = 0; i < std::min(stated, present); ++i) {
        const size_t at = headerSize + 4 * i;
        format.palette[i] =
            0xff000000 | uint32_t(strf[at + 2]) << 16 | uint32_t(strf[at + 1]) << 8 | strf[at];
    }
    return true;
}

// The first video stream of the header list, with its format and frame rate.
std::optional<VideoFormat> readHeaders(Bytes hdrl)
{
    std::optional<VideoFormat> video;
    int64_t mainIntervalUs = 0;
    int stream = 0;
    const Walk walk = forEachChunk(hdrl, [&](const Chunk &chunk) {
        if (chunk.id == fourcc("avih")) {
            mainIntervalUs = le32(chunk.body, 0);
            return true;
        }
        if (chunk.id != fourcc("LIST") || chunk.listType() != fourcc("strl"))
            return true;
        const int number = stream++;
        if (video)
            return true;
        Bytes strh, strf;
        if (forEachChunk(chunk.listBody(), [&](const Chunk &part) {
                if (part.id == fourcc("strh"))
                    strh = part.body;
                else if (part.id == fourcc("strf"))
                    strf = part.body;
                return true;
            }) != Walk::Complete)
            return false;
        if (le32(strh, 0) != fourcc("vids") || number > 99)
            return true;
        VideoFormat format;
        if (!readBitmapInfo(strf, format))
            return false;
        const uint32_t scale = le32(strh, 20);
        const uint32_t rate = le32(strh, 24);
        if (scale > 0 && rate > 0)
            format.intervalUs = int64_t(scale) * 1000000 / rate;
        format.frameId = uint16_t('0' + number / 10) | uint16_t('0' + number % 10) << 8;
        video = format;
        return true;
    });
    if (walk != Walk::Complete || !video)
        return std::nullopt;
    if (video->intervalUs == 0)
        video->intervalUs = mainIntervalUs > 0 ? mainIntervalUs : kDefaultIntervalUs;
    return video;
}

// Draws one run-length frame over the previous picture (skipped pixels keep it). Runs
// past the end of a line or the top of the picture make the frame unreadable.
bool decodeRle8(Bytes in, std::vector<uint8_t> &canvas, int32_t width, int32_t height)
{
    size_t pos = 0;
    int64_t x = 0;
    int64_t line = 0; // from the bottom
    auto target = [&](int64_t count) -> uint8_t * {
        if (line >= height || x + count > width)
            return nullptr;
        return canvas.data() + (height - 1 - line) * width + x;
    };
    while (in.size() - pos >= 2) {
        const uint8_t count = in[pos];
        const uint8_t code = in[pos + 1];
        pos += 2;
        if (count > 0) {
            uint8_t *out = target(count);
            if (!out)
                return false;
            std::memset(out, code, count);
            x += count;
        } else if (code == 0) {
            x = 0;
            ++line;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (in.size() - pos < 2)
                return false;
            x += in[pos];
            line += in[pos + 1];
            pos += 2;
        } else {
            uint8_t *out = target(code);
            if (!out || in.size() - pos < code)
                return false;
            std::memcpy(out, in.data() + pos, code);
            x += code;
            pos = std::min(pos + code + (code & 1), in.size());
        }
    }
    return true;
}

bool decodeUncompressed(Bytes in, std::vector<uint8_t> &canvas, const VideoFormat &format)
{
    const size_t width = size_t(format.width);
    const size_t stride = (width + 3) & ~size_t{3};
    const size_t height = size_t(format.height);
    if (in.size() < stride * height)
        return false;
    for (size_t row = 0; row < height; ++row) {
        const size_t to = format.bottomUp ? height - 1 - row : row;
        std::memcpy(canvas.data() + to * width, in.data() + row * stride, width);
    }
    return true;
}

class FrameReader
{
public:
    FrameReader(const VideoFormat &format, AviClip &clip)
        : mFormat(format), mClip(clip),
          mCanvas(size_t(format.width) * size_t(format.height), uint8_t{0})
    {}

    bool visit(const Chunk &chunk, int depth = 0)
    {
        if (chunk.id == fourcc("LIST") && chunk.listType() == fourcc("rec ")) {
            if (depth == kMaxRecordDepth)
                return false;
            return forEachChunk(chunk.listBody(), [this, depth](const Chunk &c) {
                       return visit(c, depth + 1);
                   }) != Walk::Stopped;
        }
        const uint16_t kind = uint16_t(chunk.id >> 16);
        if ((chunk.id & 0xffff) != mFormat.frameId ||
            (kind != ('d' | 'c' << 8) && kind != ('d' | 'b' << 8)))
            return true;
        const int64_t pixels = int64_t(mCanvas.size());
        if (mClip.frames.size() >= size_t(AviClip::MaxFrames) ||
            int64_t(mClip.frames.size() + 1) * pixels > AviClip::MaxTotalPixels)
            return false;
        // An empty chunk repeats the previous picture.
        if (!chunk.body.empty() && !decode(chunk.body))
            return false;
        mClip.frames.push_back(mCanvas);
        return true;
    }

private:
    bool decode(Bytes body)
    {
        if (mFormat.compression == kBiRle8)
            return decodeRle8(body, mCanvas, mFormat.width, mFormat.height);
        return decodeUncompressed(body, mCanvas, mFormat);
    }

    const VideoFormat &mFormat;
    AviClip &mClip;
    std::vector<uint8_t> mCanvas;
};

} // namespace

std::optional<AviClip> readAviClip(std::span<const uint8_t> data)
{
    if (le32(data, 0) != fourcc("RIFF") || le32(data, 8) != fourcc("AVI "))
        return std::nullopt;
    // A file cut short keeps what it has: its frames are read up to the cut.
    const size_t riffBody = std::max<uint32_t>(le32(data, 4), 4) - 4;
    const Bytes riff = data.subspan(12, std::min(riffBody, data.size() - 12));

    Bytes hdrl, movi;
    bool haveHdrl = false, haveMovi = false;
    forEachChunk(
        riff,
        [&](const Chunk &chunk) {
            if (chunk.id != fourcc("LIST"))
                return true;
            if (chunk.listType() == fourcc("hdrl") && !haveHdrl) {
                hdrl = chunk.listBody();
                haveHdrl = true;
            } else if (chunk.listType() == fourcc("movi") && !haveMovi) {
                movi = chunk.listBody();
                haveMovi = true;
            }
            return true;
        },
        true);
    if (!haveHdrl || !haveMovi)
        return std::nullopt;

    const std::optional<VideoFormat> format = readHeaders(hdrl);
    if (!format)
        return std::nullopt;
    AviClip clip;
    clip.width = format->width;
    clip.height = format->height;
    clip.palette = format->palette;
    clip.frameIntervalMs = int32_t(
        std::clamp<int64_t>((format->intervalUs + 500) / 1000, kMinIntervalMs, kMaxIntervalMs));
    FrameReader reader(*format, clip);
    if (forEachChunk(movi, [&](const Chunk &chunk) { return reader.visit(chunk); }) ==
            Walk::Stopped ||
        clip.frames.empty())
        return std::nullopt;
    return clip;
}
