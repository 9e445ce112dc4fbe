// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module: FluidSynth with the system's SoundFont, on the sound thread of the
// MIDI player. Nothing here is reported to the player: no device or a broken song is silence.
#include "options/SynthModule.h"

#include <SDL.h>
#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
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

// The sound servers and cards a desktop may have, in the order they are tried. SDL, the
// last, would first try the same server as the others.
const char *const kDevices[] = {"pulseaudio", "alsa"};
const char kLastResort[] = "sdl2";
// A sound server that does not answer holds an open for 30 s; a working one answers in
// milliseconds.
constexpr auto kOpenLimit = std::chrono::seconds(2);

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

void setAudioSettings(fluid_settings_t *settings)
{
    fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
    fluid_settings_setint(settings, "audio.periods", kPeriods);
    fluid_settings_setint(settings, "audio.realtime-prio", 0);
    // Given in the environment at start-up instead, since the driver would write it there
    // on every open while other threads run.
    fluid_settings_setstr(settings, "audio.pulseaudio.media-role", "");
}

// One sound device, opened on a thread of its own, with the settings it was opened with.
// An open that outlasts kOpenLimit is given up: that thread keeps the device and closes it
// whenever the open returns. What the device plays comes through mute(), so a device that
// outlives its song or its open never reaches the synthesizer again.
class Device
{
public:
    static std::shared_ptr<Device> open(const char *driver, fluid_synth_t *synth)
    {
        auto device = std::make_shared<Device>(driver, synth);
        std::promise<void> promise;
        std::future<void> opened = promise.get_future();
        std::thread([device, promise = std::move(promise)]() mutable {
            device->mDriver = new_fluid_audio_driver2(device->mSettings, render, device.get());
            device.reset();
            promise.set_value();
        }).detach();
        if (opened.wait_for(kOpenLimit) == std::future_status::ready && device->mDriver)
            return device;
        device->mute();
        return nullptr;
    }

    Device(const char *driver, fluid_synth_t *synth) : mSynth(synth)
    {
        setAudioSettings(mSettings);
        fluid_settings_setstr(mSettings, "audio.driver", driver);
    }
    ~Device()
    {
        if (mDriver)
            delete_fluid_audio_driver(mDriver);
        delete_fluid_settings(mSettings);
    }

    void mute()
    {
        const std::lock_guard guard(mLock);
        mSynth = nullptr;
    }

private:
    // Stereo with the reverb mixed in, as FluidSynth's drivers play a synthesizer.
    static int render(void *data, int len, int, float *[], int, float *out[])
    {
        auto *device = static_cast<Device *>(data);
        const std::lock_guard guard(device->mLock);
        return device->mSynth
                   ? fluid_synth_write_float(device->mSynth, len, out[0], 0, 1, out[1], 0, 1)
                   : FLUID_OK;
    }

    fluid_settings_t *const mSettings = new_fluid_settings();
    fluid_audio_driver_t *mDriver = nullptr;
    std::mutex mLock;
    fluid_synth_t *mSynth;
};

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
        setAudioSettings(mSettings);
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
        if (mDevice)
            mDevice->mute();
        mDevice.reset();
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
        const auto started = std::chrono::steady_clock::now();
        for (const char *driver : kDevices)
            if ((mDevice = Device::open(driver, mSynth)))
                return true;
        // FluidSynth's SDL driver plays the synthesizer itself, so its open cannot be given
        // up: it is not tried after the others waited for a server that does not answer.
        if (std::chrono::steady_clock::now() - started >= kOpenLimit || !startSdl())
            return false;
        fluid_settings_setstr(mSettings, "audio.driver", kLastResort);
        return (mAudio = new_fluid_audio_driver(mSettings, mSynth)) != nullptr;
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
    fluid_audio_driver_t *mAudio = nullptr; // the file or SDL
    std::shared_ptr<Device> mDevice;
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
    auto *synth = new FluidSynth;
    if (!synth->load(soundFont) || cancelled()) {
        delete synth;
        return nullptr;
    }
    return synth;
}
static_assert(std::is_same_v<decltype(marrowbyCreateSynth1), synth_module::CreateSynth>);
