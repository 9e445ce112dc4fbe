// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <memory>

// The MIDI player control: names a song, plays it without waiting, stops it.
// Nothing it is given is ever reported as an error: a missing song is silence.
class MidiPlayer
{
public:
    virtual ~MidiPlayer() = default;
    virtual QString SongFile() const = 0;
    virtual void setSongFile(const QString &NewVal) = 0;
    virtual void PlaySong() = 0;
    virtual void StopSong() = 0;
    // Whether a song may be asked for soon. The sound engine is made ready while any
    // player expects a song, so that it starts at once, and let go when none does and
    // nothing plays. PlaySong works either way, only later.
    virtual void setSongLikely(bool likely) { (void)likely; }
};

// Names the songs' stream in the volume mixers of the sound servers, and keeps a JACK
// server from being started for it. The sound libraries read this from the environment,
// and writing the environment is safe only while no other thread runs: call it first
// thing in main.
void nameSoundStreams();

// Makes the player for one window. Tests install a factory of fakes.
std::unique_ptr<MidiPlayer> createMidiPlayer();
using MidiPlayerFactory = std::function<std::unique_ptr<MidiPlayer>()>;
void setMidiPlayerFactory(MidiPlayerFactory factory); // an empty factory restores the real one

// For tests of the real player: its songs sound into a WAV file rather than on the sound
// card from the next PlaySong on (an empty path restores the card); a wait until every
// player's requests so far have been carried out; and, after that wait, whether the
// sound engine is ready, its SoundFont loaded.
void setMidiAudioFile(const QString &path);
void waitForMidiPlayers();
bool midiEngineReady();
