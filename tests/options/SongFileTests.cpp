// SPDX-License-Identifier: GPL-3.0-or-later
// The songs the build writes, read back by a small MIDI reader of the test's own, and
// the score reader's answers to a few mistakes.
#include "platform/ProgramFolder.h"
#include "tools/Score.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct MidiSummary {
    int format = -1, tracks = 0, division = 0;
    int tempo = 0;             // microseconds a quarter note
    std::vector<int> programs; // per track, -1 for none
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
        int program = -1;
        while (at < end && type != 0x2F) {
            tick += variable();
            const uint32_t status = take(1), kind = status & 0xF0;
            if (status == 0xFF) {
                type = take(1);
                const uint32_t skip = variable();
                type == 0x51 ? void(midi.tempo = int(take(3))) : void(at += skip);
                continue;
            }
            const uint32_t first = take(1);
            kind == 0xC0 ? void(program = int(first)) : void(take(kind == 0xD0 ? 0 : 1));
        }
        midi.wellFormed &= type == 0x2F && at == end;
        midi.programs.push_back(program);
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

TEST(ScoreWriter, WritesTempoTimeAndAProgramForEachTrack)
{
    const std::vector<uint8_t> bytes =
        writeMidi(parseScore("tempo 90\ntime 3/4\ntrack a\nprogram 6\nc4/2. |\n"
                             "track b\nprogram 45\n[e3 g3]/4 r/2 |\n"));
    const MidiSummary midi =
        readMidi(QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())));
    EXPECT_EQ(midi.format, 1);
    EXPECT_EQ(midi.tempo, 666666);
    EXPECT_EQ(midi.programs, (std::vector<int>{-1, 6, 45}));
    EXPECT_EQ(midi.endTick, 3u * kTicksPerQuarter);
    EXPECT_TRUE(midi.wellFormed);
}

TEST(ScoreReader, NamesTheLineOfEachMistake)
{
    const std::pair<const char *, int> mistakes[] = {
        {"track t\nc4/4 d4 e4 |\nc4 |\n", 3}, // a short bar after the upbeat
        {"track t\nc4/4~ d4\n", 2},           // a tie to another note
        {"track t\nc4/7\n", 2},
        {"c4\n", 1},
        {"track a\nc4/4\ntrack b\nc4/2\n", 3}, // tracks of different lengths
        {"track t\n|: c4/4\n", 2},
        {"track t\n[c4 e4\n", 2},
        {"tempo fast\n", 1},
    };
    for (const auto &[text, line] : mistakes) {
        SCOPED_TRACE(text);
        try {
            parseScore(text);
            ADD_FAILURE() << "no mistake found";
        } catch (const ScoreError &e) {
            EXPECT_EQ(e.line, line) << e.what();
        }
    }
}
