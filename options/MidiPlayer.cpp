// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/MidiPlayer.h"

#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QThread>
#include <QTimer>

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

namespace {

// FluidSynth's and ALSA's complaints (no sound card, a broken song) are expected and
// never shown; QT_LOGGING_RULES="marrowby.midi.debug=true" brings them back.
Q_LOGGING_CATEGORY(lcMidi, "marrowby.midi", QtWarningMsg)

const char kSoundFont[] = "/usr/share/sounds/sf2/default-GM.sf2";
// Far beyond any song; keeps a huge file that was swapped in out of memory.
constexpr qint64 kLargestSong = 4 * 1024 * 1024;
// FluidSynth's default gain is meant for mixing many sources; ours plays alone.
constexpr double kGain = 0.8;
constexpr int kFirstFrames = 64;
constexpr int kSongCheckMs = 250;

QString &audioFile()
{
    static QString path;
    return path;
}

void logQuietly(int level, const char *message, void *)
{
    qCDebug(lcMidi, "fluidsynth (%d): %s", level, message);
}

void alsaQuietly(const char *, int, const char *, int, const char *, ...) {}

QByteArray readSong(const QString &path)
{
    if (path.isEmpty())
        return {};
    QFile file(resolveIgnoringCase(path));
    // Only a plain file: a pipe or a device could block or never end.
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray song = file.read(kLargestSong + 1);
    return song.size() > kLargestSong ? QByteArray() : song;
}

// The synthesizer, on a thread of its own: it loads the SoundFont once, then plays one
// song at a time for whichever player asked last. Every FluidSynth call is made here.
class Synthesizer : public QObject
{
public:
    Synthesizer()
    {
        mSongCheck.setInterval(kSongCheckMs);
        connect(&mSongCheck, &QTimer::timeout, this, &Synthesizer::endFinishedSong);
    }

    void load()
    {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, logQuietly, nullptr);
        snd_lib_error_set_handler(alsaQuietly);
        mSettings = new_fluid_settings();
        mCardSettings = new_fluid_settings();
        // Only the instruments a song picks are read from the SoundFont, when it picks them:
        // loading gives the channels no instrument, the song's start gives them theirs.
        fluid_settings_setint(mSettings, "synth.dynamic-sample-loading", 1);
        fluid_settings_setint(mSettings, "synth.lock-memory", 0);
        fluid_settings_setnum(mSettings, "synth.gain", kGain);
        mSynth = new_fluid_synth(mSettings);
        if (mSynth && fluid_synth_sfload(mSynth, kSoundFont, 0) == FLUID_FAILED) {
            delete_fluid_synth(mSynth);
            mSynth = nullptr;
        }
    }

    void unload()
    {
        endSong();
        if (mSynth)
            delete_fluid_synth(mSynth);
        delete_fluid_settings(mSettings);
        delete_fluid_settings(mCardSettings);
        mSynth = nullptr;
        mSettings = nullptr;
        mCardSettings = nullptr;
    }

    void play(quint64 owner, const QString &path, const QString &toFile)
    {
        endSong();
        const QByteArray song = readSong(path);
        if (!mSynth || song.isEmpty())
            return;
        mPlayer = new_fluid_player(mSynth);
        fluid_player_add_mem(mPlayer, song.constData(), static_cast<size_t>(song.size()));
        fluid_player_play(mPlayer);
        // The first frames read the song and load its instruments here, not in the audio
        // thread; a song FluidSynth cannot read is over at once and opens no sound card.
        float left[kFirstFrames];
        float right[kFirstFrames];
        fluid_synth_write_float(mSynth, kFirstFrames, left, 0, 1, right, 0, 1);
        if (fluid_player_get_status(mPlayer) != FLUID_PLAYER_PLAYING || !openAudio(toFile)) {
            endSong();
            return;
        }
        mOwner = owner;
        mSongCheck.start();
    }

    void stop(quint64 owner)
    {
        if (owner == mOwner)
            endSong();
    }

private:
    bool openAudio(const QString &toFile)
    {
        if (toFile.isEmpty()) {
            mAudio = new_fluid_audio_driver(mCardSettings, mSynth);
        } else {
            fluid_settings_setstr(mSettings, "audio.driver", "file");
            fluid_settings_setstr(mSettings, "audio.file.name",
                                  QFile::encodeName(toFile).constData());
            mAudio = new_fluid_audio_driver(mSettings, mSynth);
        }
        return mAudio != nullptr;
    }

    void endSong()
    {
        mSongCheck.stop();
        // The audio thread goes first: it drives the player.
        if (mAudio)
            delete_fluid_audio_driver(mAudio);
        if (mPlayer)
            delete_fluid_player(mPlayer);
        mAudio = nullptr;
        mPlayer = nullptr;
        mOwner = 0;
    }

    // The sound card is let go once the song is over and its last notes have died away.
    void endFinishedSong()
    {
        if (fluid_player_get_status(mPlayer) == FLUID_PLAYER_DONE &&
            fluid_synth_get_active_voice_count(mSynth) == 0)
            endSong();
    }

    QTimer mSongCheck{this};
    fluid_settings_t *mSettings = nullptr;
    // FluidSynth chooses the sound card's driver itself only where no driver was ever set.
    fluid_settings_t *mCardSettings = nullptr;
    fluid_synth_t *mSynth = nullptr;
    fluid_player_t *mPlayer = nullptr;
    fluid_audio_driver_t *mAudio = nullptr;
    quint64 mOwner = 0;
};

// The one synthesizer of the program, from the first player until the application ends.
class SoundEngine
{
public:
    static SoundEngine &instance()
    {
        static SoundEngine *engine = nullptr;
        if (!engine) {
            engine = new SoundEngine;
            qAddPostRoutine([] {
                delete engine;
                engine = nullptr;
            });
        }
        return *engine;
    }

    template <typename Job> void run(Job job)
    {
        QMetaObject::invokeMethod(mSynthesizer, std::move(job), Qt::QueuedConnection);
    }
    void wait()
    {
        QMetaObject::invokeMethod(
            mSynthesizer, [] {}, Qt::BlockingQueuedConnection);
    }
    Synthesizer *synthesizer() const { return mSynthesizer; }

private:
    SoundEngine()
    {
        // A JACK server is used when one runs, never started for us.
        if (!qEnvironmentVariableIsSet("JACK_NO_START_SERVER"))
            qputenv("JACK_NO_START_SERVER", "1");
        mSynthesizer->moveToThread(&mThread);
        QObject::connect(&mThread, &QThread::finished, mSynthesizer, &QObject::deleteLater);
        mThread.start();
        run([s = mSynthesizer] { s->load(); });
    }
    ~SoundEngine()
    {
        QMetaObject::invokeMethod(
            mSynthesizer, [s = mSynthesizer] { s->unload(); }, Qt::BlockingQueuedConnection);
        mThread.quit();
        mThread.wait();
    }

    QThread mThread;
    Synthesizer *mSynthesizer = new Synthesizer;
};

class FluidMidiPlayer : public MidiPlayer
{
public:
    ~FluidMidiPlayer() override { StopSong(); }
    QString SongFile() const override { return mSongFile; }
    void setSongFile(const QString &NewVal) override { mSongFile = NewVal; }
    void PlaySong() override
    {
        mEngine.run([s = mEngine.synthesizer(), id = mId, path = mSongFile, toFile = audioFile()] {
            s->play(id, path, toFile);
        });
    }
    void StopSong() override
    {
        mEngine.run([s = mEngine.synthesizer(), id = mId] { s->stop(id); });
    }

private:
    static quint64 nextId()
    {
        static quint64 last = 0;
        return ++last;
    }

    SoundEngine &mEngine = SoundEngine::instance();
    const quint64 mId = nextId();
    QString mSongFile;
};

MidiPlayerFactory &factory()
{
    static MidiPlayerFactory f;
    return f;
}

} // namespace

std::unique_ptr<MidiPlayer> createMidiPlayer()
{
    if (factory())
        return factory()();
    return std::make_unique<FluidMidiPlayer>();
}

void setMidiPlayerFactory(MidiPlayerFactory f)
{
    factory() = std::move(f);
}

void setMidiAudioFile(const QString &path)
{
    audioFile() = path;
}

void waitForMidiPlayers()
{
    SoundEngine::instance().wait();
}
