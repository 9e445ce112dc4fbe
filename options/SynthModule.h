// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>

// The sound module, marrowby-synth.so in the program folder, is the only part of the
// program that links FluidSynth. The MIDI player opens it at run time on its sound thread,
// so that start-up loads neither FluidSynth, its libraries nor the SoundFont.
namespace synth_module {

constexpr char kFileName[] = "marrowby-synth.so";
// Changes whenever the class below does, so that a stale module is left unused.
constexpr char kEntryPoint[] = "marrowbyCreateSynth1";

// One synthesizer with the SoundFont loaded, playing at most one song at a time. All its
// calls come from one thread.
class Synth
{
public:
    virtual ~Synth() = default;
    // Plays a standard MIDI file held in memory, into the named WAV file, or on the first
    // sound server or card that opens when the name is empty. False when nothing plays.
    virtual bool play(const char *song, std::size_t size, const char *wavFile) = 0;
    virtual void stop() = 0;
    // False once the song is over and its last notes have died away.
    virtual bool playing() = 0;
};

// Loads the SoundFont; null when it cannot be read, or when `cancel` turned true while it
// was read. `cancel` must outlive the synthesizer; `log` hears FluidSynth's complaints.
using LogFunction = void(const char *message);
using CreateSynth = Synth *(const char *soundFont, const std::atomic<bool> *cancel,
                            LogFunction *log);

} // namespace synth_module
