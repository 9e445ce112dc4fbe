// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "options/MidiPlayer.h"
#include "cards/RandomSource.h"

#include <QByteArray>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

// Readable failures for Qt strings.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Installs, for the life of the object, a random source that returns the given values in
// turn, forever.
class ScopedRandomSource
{
public:
    explicit ScopedRandomSource(std::vector<float> values)
        : mPrevious(setRandomSource(std::make_unique<Fixed>(std::move(values))))
    {}
    ~ScopedRandomSource() { setRandomSource(std::move(mPrevious)); }

private:
    struct Fixed : RandomSource {
        explicit Fixed(std::vector<float> v) : values(std::move(v)) {}
        void Randomize() override {}
        float Rnd() override { return values[next++ % values.size()]; }
        std::vector<float> values;
        std::size_t next = 0;
    };
    std::unique_ptr<RandomSource> mPrevious;
};

// Every call made to any fake player, in order, as "SongFile=<path>", "PlaySong", "StopSong".
// The last song expectation any of them was given is kept apart; onPlaySong, if set, runs as
// a song starts.
struct MidiLog {
    QStringList calls;
    bool songLikely = false;
    std::function<void()> onPlaySong;
};

class FakeMidiPlayer : public MidiPlayer
{
public:
    explicit FakeMidiPlayer(std::shared_ptr<MidiLog> log) : mLog(std::move(log)) {}
    QString SongFile() const override { return mSongFile; }
    void setSongFile(const QString &NewVal) override
    {
        mSongFile = NewVal;
        mLog->calls << QStringLiteral("SongFile=") + NewVal;
    }
    void PlaySong() override
    {
        mLog->calls << QStringLiteral("PlaySong");
        if (mLog->onPlaySong)
            mLog->onPlaySong();
    }
    void StopSong() override { mLog->calls << QStringLiteral("StopSong"); }
    void setSongLikely(bool likely) override { mLog->songLikely = likely; }

private:
    std::shared_ptr<MidiLog> mLog;
    QString mSongFile;
};

// Makes every new window's player a fake writing to one log, for the life of the object.
class ScopedFakeMidi
{
public:
    ScopedFakeMidi();
    ~ScopedFakeMidi();
    std::shared_ptr<MidiLog> log = std::make_shared<MidiLog>();
};

// The settings file the program reads and writes in tests (under a temporary
// XDG_CONFIG_HOME made by the test main).
QString settingsFilePath();

// Runs open, doing act to every modal window that is up while it runs, as a player who
// deals with what comes up; tells the last window seen (its text: a message box's).
struct SeenModal {
    QString title, text;
};
SeenModal whileModal(const std::function<void()> &open, const std::function<void(QWidget &)> &act);
// The same, pressing key in each.
SeenModal whileModal(const std::function<void()> &open, Qt::Key key = Qt::Key_Escape);

// Writes the bytes as the whole file, making its folder; false when that fails.
bool writeFile(const QString &path, const QByteArray &bytes);
// The whole file; nothing when it cannot be read.
QByteArray readFile(const QString &path);
