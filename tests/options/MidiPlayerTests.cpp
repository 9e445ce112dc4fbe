// SPDX-License-Identifier: GPL-3.0-or-later
// The real player, heard through FluidSynth's WAV file output instead of a sound card.
#include "options/MidiPlayer.h"
#include "platform/ProgramFolder.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The loudest sample of a 16-bit WAV file; 0 when there is none.
int peakOf(const QString &wav)
{
    const QByteArray bytes = readFile(wav);
    const qsizetype data = bytes.indexOf("data");
    int peak = 0;
    for (qsizetype i = data + 8; data >= 0 && i + 1 < bytes.size(); i += 2)
        peak = std::max(peak, std::abs(int(qint16(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8))));
    return peak;
}

// Whether a shared library whose path contains `name` is loaded in this process.
bool mapped(const char *name)
{
    return readFile(QStringLiteral("/proc/self/maps")).contains(name);
}

class MidiPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override { setMidiAudioFile(mHeard); }
    void TearDown() override { setMidiAudioFile({}); }

    qint64 heardSize() const { return QFileInfo(mHeard).size(); }
    // Plays a real song until a fraction of a second of it has been written.
    bool playing(const QString &song)
    {
        mPlayer->setSongFile(programFile(song));
        mPlayer->PlaySong();
        QElapsedTimer clock;
        clock.start();
        while (heardSize() < 40'000 && clock.elapsed() < 10'000)
            QThread::msleep(20);
        return heardSize() >= 40'000;
    }
    // Whether nothing more is written once the players are done.
    bool silentNow()
    {
        waitForMidiPlayers();
        const qint64 ended = heardSize();
        QThread::msleep(300);
        return heardSize() == ended;
    }

    QTemporaryDir mDir;
    const QString mHeard = mDir.filePath(QStringLiteral("heard.wav"));
    std::unique_ptr<MidiPlayer> mPlayer = createMidiPlayer();
};

// First in the file: it needs a process where no song was asked for yet. Each case starts
// with the engine not ready: the song waits for it, and a stop or the player's end in the
// meantime means it never sounds.
TEST_F(MidiPlayerTest, ASongAskedBeforeTheEngineIsReadyStartsWhenItIsUnlessStoppedFirst)
{
    EXPECT_FALSE(mapped("fluidsynth")) << "the program itself links FluidSynth";
    for (bool destroy : {false, true}) {
        mPlayer->setSongFile(programFile(QStringLiteral("Ragtime.mid")));
        mPlayer->PlaySong();
        destroy ? mPlayer.reset() : mPlayer->StopSong();
        EXPECT_FALSE(midiEngineReady()) << "let go again, as nothing expects a song";
        EXPECT_FALSE(QFileInfo::exists(mHeard)) << "a sound device was opened";
    }
    // The engine is ready while any player expects a song, as the main window does while
    // the music chooser opens and closes.
    mPlayer = createMidiPlayer();
    auto other = createMidiPlayer();
    other->setSongLikely(true);
    mPlayer->setSongLikely(true);
    mPlayer->setSongLikely(false);
    EXPECT_TRUE(midiEngineReady());
    other.reset();
    EXPECT_FALSE(midiEngineReady());
    EXPECT_TRUE(playing(QStringLiteral("Ragtime.mid")));
}

// Words renamed to a song, and a track longer than its file.
TEST_F(MidiPlayerTest, StopWithNothingPlayingAndNoMissingOrBrokenSongMakeASound)
{
    QStringList songs = {QString(), mDir.filePath(QStringLiteral("missing.mid")), mDir.path()};
    for (const QByteArray &bytes :
         {QByteArray("This is not a song, only words."),
          QByteArray("MThd\0\0\0\6\0\1\0\1\1\xe0MTrk\xff\xff\xff\xf0\0\x90\x3c", 25)}) {
        songs << mDir.filePath(QStringLiteral("song%1.mid").arg(songs.size()));
        ASSERT_TRUE(writeFile(songs.last(), bytes));
    }
    mPlayer->StopSong(); // before any song, and twice
    mPlayer->StopSong();
    for (const QString &song : songs) {
        mPlayer->setSongFile(song);
        mPlayer->PlaySong();
        waitForMidiPlayers();
        mPlayer->StopSong();
        waitForMidiPlayers();
        // FluidSynth dithers: silence is a sample or two off zero.
        EXPECT_LE(peakOf(mHeard), 4) << song.toStdString();
        QFile::remove(mHeard);
    }
}

// Every song the build writes is read and heard, whatever the case of the name asked for.
TEST_F(MidiPlayerTest, PlaysASongNamedInAnyCaseUntilItsOwnPlayerStopsOrGoes)
{
    const QStringList songs = QDir(AppPath()).entryList({QStringLiteral("*.mid")});
    EXPECT_GE(songs.size(), 4);
    for (const QString &song : songs) {
        ASSERT_TRUE(playing(song.toLower())) << song.toStdString();
        createMidiPlayer()->StopSong();
        EXPECT_FALSE(silentNow()) << "another player's stop ended the song";
        mPlayer->StopSong();
        EXPECT_TRUE(silentNow());
        EXPECT_GT(peakOf(mHeard), 1000) << song.toStdString();
        QFile::remove(mHeard);

        // The first track sets the tempo, microseconds a quarter note, and then ends with the
        // song: 40 to 240 quarter notes a minute, for half a minute or more.
        const QByteArray midi = readFile(programFile(song));
        const auto number = [&](qsizetype at, int size) {
            return midi.mid(at, size).toHex().toUInt(nullptr, 16);
        };
        qsizetype at = midi.indexOf("\xFF\x51\x03") + 3;
        const double quarter = number(at, 3);
        EXPECT_TRUE(quarter >= 250'000 && quarter <= 1'500'000) << quarter;
        at += 3;
        uint ticks = uchar(midi[at]) & 0x7F;
        while (uchar(midi[at]) & 0x80 && at + 1 < midi.size())
            ticks = ticks << 7 | (uchar(midi[++at]) & 0x7F);
        EXPECT_EQ(midi.mid(at + 1, 3), QByteArray("\xFF\x2F\x00", 3));
        EXPECT_GE(ticks / double(number(12, 2)) * quarter / 1e6, 30.0);
    }
    ASSERT_TRUE(playing(QStringLiteral("Ragtime.mid")));
    QElapsedTimer clock;
    clock.start();
    mPlayer.reset();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(silentNow());
}

} // namespace
