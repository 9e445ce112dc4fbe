// SPDX-License-Identifier: GPL-3.0-or-later
// The songs the build writes, read back by a small MIDI reader of the test's own, and
// the score reader's answers to a few mistakes.
#include "platform/ProgramFolder.h"
#include "tools/Score.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

struct MidiSummary {
    int format = -1;
    int tracks = 0;
    int division = 0;
    int tempo = 0;             // microseconds a quarter note
    std::vector<int> programs; // per track, -1 for none
    bool everyTrackEnds = true;
    bool notesPaired = true; // every note released, none pressed twice at once
    uint32_t endTick = 0;
    double seconds() const { return double(endTick) * tempo / division / 1e6; }
};

// Reads what our writer writes (explicit status bytes, no system exclusive).
MidiSummary readMidi(const QByteArray &bytes)
{
    MidiSummary midi;
    const auto *d = reinterpret_cast<const uint8_t *>(bytes.constData());
    const std::size_t size = std::size_t(bytes.size());
    std::size_t at = 8;
    auto take = [&](int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = v << 8 | (at < size ? d[at++] : 0);
        return v;
    };
    auto variable = [&] {
        uint32_t v = 0;
        uint32_t b = 0x80;
        while (b & 0x80 && at < size) {
            b = take(1);
            v = v << 7 | (b & 0x7F);
        }
        return v;
    };
    if (!bytes.startsWith("MThd"))
        return {};
    midi.format = int(take(2));
    midi.tracks = int(take(2));
    midi.division = int(take(2));
    for (int t = 0; t < midi.tracks; ++t) {
        if (bytes.mid(int(at), 4) != "MTrk")
            return {};
        at += 4;
        const uint32_t length = take(4);
        const std::size_t end = std::min(size, at + length);
        uint32_t tick = 0;
        bool ended = false;
        int program = -1;
        std::map<int, int> sounding;
        while (at < end && !ended) {
            tick += variable();
            const uint32_t status = take(1);
            if (status == 0xFF) {
                const uint32_t type = take(1);
                const uint32_t len = variable();
                if (type == 0x51)
                    midi.tempo = int(take(3));
                else
                    at += len;
                ended = type == 0x2F;
                continue;
            }
            const uint32_t kind = status & 0xF0;
            const int key = int(take(1)) + 128 * int(status & 15);
            const uint32_t velocity = kind == 0xC0 || kind == 0xD0 ? 0 : take(1);
            if (kind == 0xC0)
                program = key % 128;
            else if (kind == 0x90 && velocity > 0)
                midi.notesPaired &= ++sounding[key] == 1;
            else if (kind == 0x80 || kind == 0x90)
                midi.notesPaired &= --sounding[key] == 0;
        }
        midi.everyTrackEnds &= ended && at == end;
        midi.programs.push_back(program);
        midi.endTick = std::max(midi.endTick, tick);
        at = end;
    }
    return midi;
}

MidiSummary readSong(const QString &name)
{
    QFile file(programFile(name));
    return file.open(QIODevice::ReadOnly) ? readMidi(file.readAll()) : MidiSummary{};
}

} // namespace

TEST(Songs, EverySongIsAFormatOneFileOfHalfAMinuteOrSo)
{
    const QStringList songs = QDir(AppPath()).entryList({QStringLiteral("*.mid")});
    EXPECT_GE(songs.size(), 4);
    EXPECT_TRUE(songs.contains(QStringLiteral("Ragtime.mid")));
    for (const QString &song : songs) {
        SCOPED_TRACE(song.toStdString());
        const MidiSummary midi = readSong(song);
        EXPECT_EQ(midi.format, 1);
        EXPECT_GE(midi.tracks, 2);
        EXPECT_GT(midi.tempo, 0);
        EXPECT_TRUE(midi.everyTrackEnds);
        EXPECT_TRUE(midi.notesPaired);
        for (int t = 1; t < midi.tracks; ++t)
            EXPECT_NE(midi.programs[std::size_t(t)], -1) << "track " << t;
        EXPECT_GE(midi.seconds(), 30.0);
    }
}

TEST(Songs, RagtimeIsAPianoRagOfAtLeastThreeQuartersOfAMinute)
{
    const MidiSummary midi = readSong(QStringLiteral("Ragtime.mid"));
    EXPECT_GE(midi.seconds(), 45.0);
    const double bpm = 60e6 / midi.tempo;
    EXPECT_TRUE(bpm >= 60 && bpm <= 110) << bpm;
    EXPECT_EQ(std::count(midi.programs.begin() + 1, midi.programs.end(), 0), midi.tracks - 1);
}

TEST(ScoreWriter, WritesTempoTimeAndAProgramForEachTrack)
{
    const Score score =
        parseScore("title T\ntempo 90\ntime 3/4\n"
                   "track a\nprogram 6\nc4/2. |\ntrack b\nprogram 45\n[e3 g3]/4 r/2 |\n");
    const std::vector<uint8_t> bytes = writeMidi(score);
    const MidiSummary midi =
        readMidi(QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())));
    EXPECT_EQ(midi.format, 1);
    EXPECT_EQ(midi.tracks, 3);
    EXPECT_EQ(midi.tempo, 666666);
    EXPECT_EQ(midi.programs, (std::vector<int>{-1, 6, 45}));
    EXPECT_EQ(midi.endTick, 3u * kTicksPerQuarter);
    EXPECT_TRUE(midi.everyTrackEnds);
}

TEST(ScoreReader, PlaysRepeatsWithTheirEndingsAndJoinsTies)
{
    const Score score = parseScore("time 2/4\ntrack t\n|: c4/4 d4 |1 e4/2 :| |2 f4/4~ f4 |\n");
    std::vector<int> keys;
    for (const ScoreNote &n : score.tracks[0].notes)
        keys.push_back(n.key);
    EXPECT_EQ(keys, (std::vector<int>{60, 62, 64, 60, 62, 65}));
    EXPECT_EQ(score.tracks[0].notes.back().end - score.tracks[0].notes.back().start,
              2u * kTicksPerQuarter);
    EXPECT_EQ(score.tracks[0].length, 8u * kTicksPerQuarter);
}

TEST(ScoreReader, NamesTheLineOfEachMistake)
{
    const std::pair<const char *, int> mistakes[] = {
        {"track t\nc4/4 d4 e4 |\nc4 |\n", 3}, // a short bar after the upbeat
        {"track t\nc4/4~ d4\n", 2},           // a tie to another note
        {"track t\nh4\n", 2},
        {"track t\nc/4\n", 2},
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
