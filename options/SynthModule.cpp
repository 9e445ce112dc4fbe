// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module: FluidSynth with the system's SoundFont, on the sound thread of the
// MIDI player. Nothing here is reported to the player: no device or a broken song is silence.
#include "options/SynthModule.h"

#include <SDL.h>
#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

namespace {

using synth_module::LogFunction;

// FluidSynth's default gain is meant for mixing many sources; ours plays alone.
constexpr double kGain = 0.8;
constexpr int kFirstFrames = 64;
// A song is music, not a live instrument: large periods cost nothing a player hears (the
// first is rendered at once) and keep a busy machine from dropping out: PulseAudio buffers
// one period, about 93 ms at 44.1 kHz, ALSA both.
constexpr int kPeriodFrames = 4096;
constexpr int kPeriods = 2;

// The sound servers and cards a desktop may have, in the order they are tried. A JACK
// server is never started for us.
const char *const kDrivers[] = {"pulseaudio", "alsa", "sdl2"};

// PulseAudio (and PipeWire's PulseAudio server) show the stream in the volume mixer under
// these; FluidSynth names its connection itself, so the override wins over its name.
const char *const kStreamProperties[][2] = {
    {"PULSE_PROP_OVERRIDE_application.name", "Marrowby"},
    {"PULSE_PROP_OVERRIDE_application.icon_name", "marrowby"},
    {"JACK_NO_START_SERVER", "1"},
};

LogFunction *gLog = nullptr;
const std::atomic<bool> *gCancel = nullptr;

void logQuietly(int level, const char *message, void *)
{
    if (gLog)
        gLog((std::to_string(level) + ": " + message).c_str());
}

void alsaQuietly(const char *, int, const char *, int, const char *, ...) {}

// The SoundFont is read through these, so that closing the program while it loads stops
// the loading at its next read instead of waiting for it. Its name carries a prefix that
// only these understand: FluidSynth's own readers, which it tries as well, fail at once.
const std::string kCancellablePrefix = "cancellable:";

void *openSoundFont(const char *name)
{
    const std::string path(name);
    if (path.rfind(kCancellablePrefix, 0) != 0)
        return nullptr;
    return std::fopen(path.c_str() + kCancellablePrefix.size(), "rb");
}

bool cancelled()
{
    return gCancel && gCancel->load(std::memory_order_relaxed);
}

int readSoundFont(void *buffer, fluid_long_long_t count, void *file)
{
    if (cancelled())
        return FLUID_FAILED;
    const auto size = static_cast<std::size_t>(count);
    return std::fread(buffer, 1, size, static_cast<std::FILE *>(file)) == size ? FLUID_OK
                                                                               : FLUID_FAILED;
}

int seekSoundFont(void *file, fluid_long_long_t offset, int origin)
{
    if (cancelled())
        return FLUID_FAILED;
    return fseeko(static_cast<std::FILE *>(file), offset, origin) == 0 ? FLUID_OK : FLUID_FAILED;
}

fluid_long_long_t tellSoundFont(void *file)
{
    return ftello(static_cast<std::FILE *>(file));
}

int closeSoundFont(void *file)
{
    return std::fclose(static_cast<std::FILE *>(file)) == 0 ? FLUID_OK : FLUID_FAILED;
}

class FluidSynth final : public synth_module::Synth
{
public:
    FluidSynth()
    {
        mSettings = new_fluid_settings();
        // Only the instruments a song picks are read from the SoundFont, when it picks them.
        fluid_settings_setint(mSettings, "synth.dynamic-sample-loading", 1);
        fluid_settings_setint(mSettings, "synth.lock-memory", 0);
        fluid_settings_setnum(mSettings, "synth.gain", kGain);
        // The songs are small ensembles; chorus roughly doubles the cost of every voice.
        fluid_settings_setint(mSettings, "synth.chorus.active", 0);
        fluid_settings_setint(mSettings, "audio.period-size", kPeriodFrames);
        fluid_settings_setint(mSettings, "audio.periods", kPeriods);
        fluid_settings_setint(mSettings, "audio.realtime-prio", 0);
        fluid_settings_setstr(mSettings, "audio.pulseaudio.media-role", "game");
        mSynth = new_fluid_synth(mSettings);
        if (!mSynth)
            return;
        fluid_sfloader_t *loader = new_fluid_defsfloader(mSettings);
        fluid_sfloader_set_callbacks(loader, openSoundFont, readSoundFont, seekSoundFont,
                                     tellSoundFont, closeSoundFont);
        fluid_synth_add_sfloader(mSynth, loader);
    }

    ~FluidSynth() override
    {
        stop();
        if (mSynth)
            delete_fluid_synth(mSynth);
        delete_fluid_settings(mSettings);
        if (mSdlStarted)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool load(const char *soundFont)
    {
        // Loading gives the channels no instrument; the song's start gives them theirs.
        return mSynth && fluid_synth_sfload(mSynth, (kCancellablePrefix + soundFont).c_str(), 0) !=
                             FLUID_FAILED;
    }

    bool play(const char *song, std::size_t size, const char *wavFile) override
    {
        stop();
        mPlayer = new_fluid_player(mSynth);
        fluid_player_add_mem(mPlayer, song, size);
        fluid_player_play(mPlayer);
        // The first frames read the song and load its instruments here, not in the audio
        // thread; a song FluidSynth cannot read is over at once and opens no device.
        float left[kFirstFrames];
        float right[kFirstFrames];
        fluid_synth_write_float(mSynth, kFirstFrames, left, 0, 1, right, 0, 1);
        if (fluid_player_get_status(mPlayer) != FLUID_PLAYER_PLAYING || !openAudio(wavFile)) {
            stop();
            return false;
        }
        return true;
    }

    void stop() override
    {
        // The audio thread goes first: it drives the player.
        if (mAudio)
            delete_fluid_audio_driver(mAudio);
        if (mPlayer)
            delete_fluid_player(mPlayer);
        mAudio = nullptr;
        mPlayer = nullptr;
    }

    bool playing() override
    {
        return mPlayer && (fluid_player_get_status(mPlayer) != FLUID_PLAYER_DONE ||
                           fluid_synth_get_active_voice_count(mSynth) > 0);
    }

private:
    bool openAudio(const char *wavFile)
    {
        if (wavFile && *wavFile) {
            fluid_settings_setstr(mSettings, "audio.driver", "file");
            fluid_settings_setstr(mSettings, "audio.file.name", wavFile);
            return (mAudio = new_fluid_audio_driver(mSettings, mSynth)) != nullptr;
        }
        for (const char *driver : kDrivers) {
            if (std::strcmp(driver, "sdl2") == 0 && !startSdl())
                continue;
            fluid_settings_setstr(mSettings, "audio.driver", driver);
            if ((mAudio = new_fluid_audio_driver(mSettings, mSynth)))
                return true;
        }
        return false;
    }

    // FluidSynth leaves starting SDL's audio to the program.
    bool startSdl()
    {
        if (!mSdlStarted)
            mSdlStarted = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        return mSdlStarted;
    }

    fluid_settings_t *mSettings = nullptr;
    fluid_synth_t *mSynth = nullptr;
    fluid_player_t *mPlayer = nullptr;
    fluid_audio_driver_t *mAudio = nullptr;
    bool mSdlStarted = false;
};

} // namespace

extern "C" __attribute__((visibility("default"))) synth_module::Synth *
marrowbyCreateSynth1(const char *soundFont, const std::atomic<bool> *cancel, LogFunction *log)
{
    gLog = log;
    gCancel = cancel;
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
        fluid_set_log_function(level, logQuietly, nullptr);
    snd_lib_error_set_handler(alsaQuietly);
    for (const auto &[name, value] : kStreamProperties)
        setenv(name, value, 0); // a value the user set stands
    auto *synth = new FluidSynth;
    if (!synth->load(soundFont) || cancelled()) {
        delete synth;
        return nullptr;
    }
    return synth;
}
static_assert(std::is_same_v<decltype(marrowbyCreateSynth1), synth_module::CreateSynth>);
