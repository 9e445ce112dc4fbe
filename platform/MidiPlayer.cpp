// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MidiPlayer.h"

namespace {

// Placeholder until the synthesizer is wired in: remembers the song, plays nothing.
class SilentMidiPlayer : public MidiPlayer
{
public:
    QString SongFile() const override { return mSongFile; }
    void setSongFile(const QString &NewVal) override { mSongFile = NewVal; }
    void PlaySong() override {}
    void StopSong() override {}

private:
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
    return std::make_unique<SilentMidiPlayer>();
}

void setMidiPlayerFactory(MidiPlayerFactory f) { factory() = std::move(f); }
