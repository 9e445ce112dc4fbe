// SPDX-License-Identifier: GPL-3.0-or-later
// The songs the build writes, read back by a small MIDI reader of the test's own.
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct MidiSummary {
    int format = -1, tracks = 0, division = 0;
    int tempo = 0;             // microseconds a quarter note
    bool wellFormed = true;    // every track ends where its length says
    uint32_t endTick = 0;
    double seconds() const { return double(endTick) * tempo / division / 1e6; }
};

// Reads what our writer writes (explicit status bytes, no system exclusive).
MidiSummary readMidi(const QByteArray &bytes)
{
    MidiSummary midi;
    const std::size_t size = std::size_t(bytes.size());
    std::size_t at = 4;
    auto take = [&](int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = v << 8 | (at < size ? uint8_t(bytes[qsizetype(at++)]) : 0);
        return v;
    };
    auto variable = [&] {
        uint32_t v = 0;
        for (uint32_t b = 0x80; b & 0x80 && at < size;)
            v = v << 7 | ((b = take(1)) & 0x7F);
        return v;
    };
    if (!bytes.startsWith("MThd") || take(4) != 6)
        return {};
    midi.format = int(take(2));
    midi.tracks = int(take(2));
    midi.division = int(take(2));
    for (int t = 0; t < midi.tracks; ++t) {
        if (take(4) != 0x4D54726B) // "MTrk"
            return {};
        const uint32_t length = take(4);
        const std::size_t end = std::min(size, at + length);
        uint32_t tick = 0, type = 0;
        while (at < end && type != 0x2F) {
            tick += variable();
            const uint32_t status = take(1), kind = status & 0xF0;
            if (status == 0xFF) {
                type = take(1);
                const uint32_t skip = variable();
                type == 0x51 ? void(midi.tempo = int(take(3))) : void(at += skip);
                continue;
            }
            take(kind == 0xC0 || kind == 0xD0 ? 1 : 2); // program and pressure take one byte
        }
        midi.wellFormed &= type == 0x2F && at == end;
        midi.endTick = std::max(midi.endTick, tick);
        at = end;
    }
    return midi;
}

} // namespace

TEST(Songs, EverySongIsAFormatOneFileOfHalfAMinuteOrSo)
{
    const QStringList songs = QDir(AppPath()).entryList({QStringLiteral("*.mid")});
    EXPECT_GE(songs.size(), 4);
    for (const QString &song : songs) {
        SCOPED_TRACE(song.toStdString());
        QFile file(programFile(song));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const MidiSummary midi = readMidi(file.readAll());
        EXPECT_EQ(midi.format, 1);
        EXPECT_GE(midi.tracks, 2);
        EXPECT_GT(midi.tempo, 0);
        EXPECT_TRUE(midi.wellFormed);
        EXPECT_GE(midi.seconds(), 30.0);
    }
}
