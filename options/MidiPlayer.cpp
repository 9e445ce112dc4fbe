// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/MidiPlayer.h"

#include "options/SynthModule.h"
#include "platform/PlainFile.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QLoggingCategory>
#include <QSet>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdlib>

namespace {

// FluidSynth's and ALSA's complaints (no sound card, a broken song) are expected and
// never shown; QT_LOGGING_RULES="marrowby.midi.debug=true" brings them back.
Q_LOGGING_CATEGORY(lcMidi, "marrowby.midi", QtWarningMsg)

const char kSoundFont[] = "/usr/share/sounds/sf2/default-GM.sf2";
// Far beyond any song; keeps a huge file that was swapped in out of memory.
constexpr qint64 kLargestSong = 4 * 1024 * 1024;
constexpr int kSongCheckMs = 250;
// How long the program's end waits for the sound thread, which a sound server that does
// not answer may hold for much longer.
constexpr int kEndWaitMs = 400;

// A value the user set stands.
const char *const kSoundEnvironment[][2] = {
    // PulseAudio, PipeWire's PulseAudio server and ALSA's PulseAudio plugin. FluidSynth
    // names its connection itself, so the override wins over its name.
    {"PULSE_PROP_OVERRIDE_application.name", "Marrowby"},
    {"PULSE_PROP_OVERRIDE_application.icon_name", "marrowby"},
    {"PULSE_PROP_media.role", "game"},
    // PipeWire's ALSA plugin.
    {"PIPEWIRE_ALSA", "{ application.name = \"Marrowby\" application.icon-name = \"marrowby\" "
                      "node.description = \"Marrowby\" media.role = \"Game\" }"},
    {"JACK_NO_START_SERVER", "1"},
};

QString &audioFile()
{
    static QString path;
    return path;
}

void logQuietly(const char *message)
{
    qCDebug(lcMidi, "fluidsynth %s", message);
}

QByteArray readSong(const QString &path)
{
    if (path.isEmpty())
        return {};
    return readPlainFile(resolveIgnoringCase(path), kLargestSong).bytes;
}

// Each PlaySong and StopSong of a player counts one request; a song whose request is no
// longer the player's latest by the time the engine is ready is not started.
using Requests = std::shared_ptr<std::atomic<quint64>>;

// The sound thread's side: opens the sound module and loads the SoundFont when a song may
// be wanted, lets the SoundFont go when no player expects a song and none plays, and plays
// one song at a time for whichever player asked last. Every synthesizer call is made here.
class Synthesizer : public QObject
{
public:
    explicit Synthesizer(const std::atomic<bool> &closing) : mClosing(closing)
    {
        mSongCheck.setInterval(kSongCheckMs);
        connect(&mSongCheck, &QTimer::timeout, this, &Synthesizer::endFinishedSong);
    }

    void expect(quint64 owner, bool likely)
    {
        if (likely) {
            mExpecting.insert(owner);
            load();
        } else {
            mExpecting.remove(owner);
            releaseIfUnused();
        }
    }

    void play(quint64 owner, const Requests &requests, quint64 request, const QString &path,
              const QString &toFile)
    {
        endSong();
        const auto current = [&] { return *requests == request; };
        const QByteArray song = current() ? readSong(path) : QByteArray();
        if (!song.isEmpty())
            load();
        if (mSynth && current() && !song.isEmpty() &&
            mSynth->play(song.constData(), std::size_t(song.size()),
                         QFile::encodeName(toFile).constData())) {
            mOwner = owner;
            mSongCheck.start();
        }
        releaseIfUnused();
    }

    void stop(quint64 owner)
    {
        if (owner == mOwner)
            endSong();
        releaseIfUnused();
    }

    bool ready() const { return mSynth != nullptr; }

private:
    void load()
    {
        if (mSynth || mClosing)
            return;
        if (!mModuleOpened) {
            mModuleOpened = true;
            mModule.setFileName(QDir(AppPath()).filePath(QLatin1String(synth_module::kFileName)));
            mCreateSynth = reinterpret_cast<synth_module::CreateSynth *>(
                mModule.resolve(synth_module::kEntryPoint));
            if (!mCreateSynth)
                qCDebug(lcMidi) << "no sound module:" << mModule.errorString();
        }
        if (mCreateSynth)
            mSynth.reset(mCreateSynth(kSoundFont, &mClosing, logQuietly));
    }

    void releaseIfUnused()
    {
        if (mExpecting.isEmpty() && mOwner == 0)
            mSynth.reset();
    }

    void endSong()
    {
        mSongCheck.stop();
        if (mSynth)
            mSynth->stop();
        mOwner = 0;
    }

    // The sound device is let go once the song is over and its last notes have died away.
    void endFinishedSong()
    {
        if (!mSynth->playing()) {
            endSong();
            releaseIfUnused();
        }
    }

    const std::atomic<bool> &mClosing;
    QTimer mSongCheck{this};
    // Loaded once and kept: FluidSynth's libraries are not made to be unloaded.
    QLibrary mModule;
    bool mModuleOpened = false;
    synth_module::CreateSynth *mCreateSynth = nullptr;
    std::unique_ptr<synth_module::Synth> mSynth;
    QSet<quint64> mExpecting;
    quint64 mOwner = 0;
};

// The one sound thread of the program, started when a song is first expected or asked for
// and kept until the application ends.
class SoundEngine
{
public:
    static SoundEngine *existing() { return engine(); }
    static SoundEngine &instance()
    {
        if (!engine()) {
            engine() = new SoundEngine;
            qAddPostRoutine([] {
                delete engine();
                engine() = nullptr;
            });
        }
        return *engine();
    }

    template <typename Job> void run(Job job)
    {
        QMetaObject::invokeMethod(mSynthesizer, std::move(job), Qt::QueuedConnection);
    }
    template <typename Job> auto wait(Job job)
    {
        decltype(job()) result{};
        QMetaObject::invokeMethod(
            mSynthesizer, [&] { result = job(); }, Qt::BlockingQueuedConnection);
        return result;
    }
    Synthesizer *synthesizer() const { return mSynthesizer; }

private:
    static SoundEngine *&engine()
    {
        static SoundEngine *e = nullptr;
        return e;
    }

    SoundEngine()
    {
        mSynthesizer->moveToThread(&mThread);
        QObject::connect(&mThread, &QThread::finished, mSynthesizer, &QObject::deleteLater);
        mThread.start();
    }
    // Whatever the sound thread is loading stops at its next read of the SoundFont, and the
    // synthesizer goes with the thread. A thread still held by a sound server that does
    // not answer is not waited for: the window is closed and the settings are written,
    // so the program leaves without it, running no more of its own ending.
    ~SoundEngine()
    {
        mClosing = true;
        mThread.quit();
        if (!mThread.wait(QDeadlineTimer(kEndWaitMs)))
            std::_Exit(EXIT_SUCCESS);
    }

    std::atomic<bool> mClosing = false;
    QThread mThread;
    Synthesizer *mSynthesizer = new Synthesizer(mClosing);
};

class FluidMidiPlayer : public MidiPlayer
{
public:
    ~FluidMidiPlayer() override
    {
        StopSong();
        setSongLikely(false);
    }
    QString SongFile() const override { return mSongFile; }
    void setSongFile(const QString &NewVal) override { mSongFile = NewVal; }
    void PlaySong() override
    {
        const quint64 request = ++*mRequests;
        SoundEngine &engine = SoundEngine::instance();
        engine.run([s = engine.synthesizer(), id = mId, requests = mRequests, request,
                    path = mSongFile,
                    toFile = audioFile()] { s->play(id, requests, request, path, toFile); });
    }
    void StopSong() override
    {
        ++*mRequests;
        if (SoundEngine *engine = SoundEngine::existing())
            engine->run([s = engine->synthesizer(), id = mId] { s->stop(id); });
    }
    void setSongLikely(bool likely) override
    {
        if (likely == mLikely)
            return;
        mLikely = likely;
        SoundEngine *engine = likely ? &SoundEngine::instance() : SoundEngine::existing();
        if (engine)
            engine->run([s = engine->synthesizer(), id = mId, likely] { s->expect(id, likely); });
    }

private:
    static quint64 nextId()
    {
        static quint64 last = 0;
        return ++last;
    }

    const quint64 mId = nextId();
    const Requests mRequests = std::make_shared<std::atomic<quint64>>(0);
    QString mSongFile;
    bool mLikely = false;
};

MidiPlayerFactory &factory()
{
    static MidiPlayerFactory f;
    return f;
}

} // namespace

void nameSoundStreams()
{
    for (const auto &[name, value] : kSoundEnvironment)
        setenv(name, value, 0);
}

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
    midiEngineReady();
}

bool midiEngineReady()
{
    SoundEngine *engine = SoundEngine::existing();
    return engine && engine->wait([s = engine->synthesizer()] { return s->ready(); });
}
