// SPDX-License-Identifier: GPL-3.0-or-later
// The real player, heard through FluidSynth's WAV file output instead of a sound card.
#include "platform/MidiPlayer.h"
#include "platform/ProgramFolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

namespace {

// FluidSynth dithers its 16-bit output: silence is a sample or two off zero.
constexpr int kSilence = 4;

// The loudest sample of a 16-bit WAV file; 0 when there is none.
int peakOf(const QString &wav)
{
    QFile file(wav);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    const qsizetype data = bytes.indexOf("data");
    int peak = 0;
    for (qsizetype i = data + 8; data >= 0 && i + 1 < bytes.size(); i += 2)
        peak = std::max(peak, std::abs(int(qint16(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8))));
    return peak;
}

bool waitFor(const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10'000)
        QThread::msleep(20);
    return done();
}

// Player and song sizes that tell whether a song is still being written.
qint64 sizeOf(const QString &path)
{
    return QFileInfo(path).size();
}

class MidiPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override { setMidiAudioFile(heard(1)); }
    void TearDown() override { setMidiAudioFile({}); }

    QString heard(int n) const { return mDir.filePath(QStringLiteral("heard%1.wav").arg(n)); }
    // Lets a song that was asked for sound until its file has a fraction of a second in it.
    bool hearing(int n) const
    {
        return waitFor([&] { return sizeOf(heard(n)) > 40'000; });
    }
    QString songFile(const QByteArray &bytes) const
    {
        const QString path = mDir.filePath(QStringLiteral("song.mid"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

    QTemporaryDir mDir;
    std::unique_ptr<MidiPlayer> mPlayer = createMidiPlayer();
};

const QByteArray kHeader("MThd\0\0\0\6\0\1\0\2\1\xe0", 14);

} // namespace

TEST_F(MidiPlayerTest, PlaysASongNamedInAnyCaseAndStops)
{
    mPlayer->setSongFile(programFile(QStringLiteral("ragtime.mid"))); // "Ragtime.mid" on disk
    mPlayer->PlaySong();
    ASSERT_TRUE(hearing(1));
    mPlayer->StopSong();
    waitForMidiPlayers();
    EXPECT_GT(peakOf(heard(1)), 1000);
    const qint64 stoppedAt = sizeOf(heard(1));
    QThread::msleep(300);
    EXPECT_EQ(sizeOf(heard(1)), stoppedAt);
}

TEST_F(MidiPlayerTest, StopWithNothingPlayingAndNoMissingOrBrokenSongMakeASound)
{
    const QString broken[] = {
        QString(),
        mDir.filePath(QStringLiteral("missing.mid")),
        mDir.path(),
        songFile({}),
        songFile("This is not a song, only words."),
        songFile(kHeader),
        songFile(kHeader +
                 QByteArray("MTrk\xff\xff\xff\xf0\0\x90\x3c", 11)), // a track longer than the file
        songFile(kHeader + QByteArray("MTrk\0\0\0\x08\xff\xff\xff\xff\xff\xff\xff\xff",
                                      16)), // an endless delta
        songFile(kHeader +
                 QByteArray("MTrk\0\0\0\x08\0\xff\x03\xff\xff\xff\x7f\0", 16)), // a huge meta event
        songFile(QByteArray("MThd\0\0\0\6\0\1\xff\xff\1\xe0", 14)), // tracks that are not there
    };
    mPlayer->StopSong(); // before any song, and twice
    mPlayer->StopSong();
    for (const QString &song : broken) {
        SCOPED_TRACE(song.toStdString());
        mPlayer->setSongFile(song);
        mPlayer->PlaySong();
        waitForMidiPlayers();
        mPlayer->StopSong();
        waitForMidiPlayers();
        EXPECT_LE(peakOf(heard(1)), kSilence);
        QFile::remove(heard(1));
    }
}

TEST_F(MidiPlayerTest, ASongPlaysOnceAndThenLetsTheSoundCardGo)
{
    // Half a second of middle C on the piano.
    mPlayer->setSongFile(songFile(QByteArray("MThd\0\0\0\6\0\1\0\1\1\xe0MTrk\0\0\0\x10"
                                             "\0\xc0\0\0\x90\x3c\x60\x83\x60\x80\x3c\0\0\xff\x2f\0",
                                             38)));
    mPlayer->PlaySong();
    ASSERT_TRUE(waitFor([&] {
        const qint64 before = sizeOf(heard(1));
        QThread::msleep(300);
        return before > 0 && sizeOf(heard(1)) == before;
    }));
    EXPECT_GT(peakOf(heard(1)), 1000);
    EXPECT_LT(sizeOf(heard(1)), 5 * 44'100 * 4); // seconds, not a song that starts again
}

TEST_F(MidiPlayerTest, ANewSongReplacesTheOldAndOnlyItsOwnPlayerStopsIt)
{
    std::unique_ptr<MidiPlayer> other = createMidiPlayer();
    mPlayer->setSongFile(programFile(QStringLiteral("Ragtime.mid")));
    other->setSongFile(programFile(QStringLiteral("Minuet in G.mid")));
    mPlayer->PlaySong();
    ASSERT_TRUE(hearing(1));
    setMidiAudioFile(heard(2));
    other->PlaySong();
    ASSERT_TRUE(hearing(2));
    const qint64 firstEnded = sizeOf(heard(1));
    mPlayer->StopSong();
    waitForMidiPlayers();
    const qint64 second = sizeOf(heard(2));
    QThread::msleep(300);
    EXPECT_EQ(sizeOf(heard(1)), firstEnded);
    EXPECT_GT(sizeOf(heard(2)), second);
}

TEST_F(MidiPlayerTest, APlayerDestroyedWhilePlayingGoesAtOnceAndTakesItsSong)
{
    mPlayer->setSongFile(programFile(QStringLiteral("Ragtime.mid")));
    mPlayer->PlaySong();
    ASSERT_TRUE(hearing(1));
    QElapsedTimer clock;
    clock.start();
    mPlayer.reset();
    EXPECT_LT(clock.elapsed(), 1000);
    waitForMidiPlayers();
    const qint64 ended = sizeOf(heard(1));
    QThread::msleep(300);
    EXPECT_EQ(sizeOf(heard(1)), ended);
}
