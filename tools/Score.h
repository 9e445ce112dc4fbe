// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Our song scores: a readable text (music/README.md describes it) turned into a
// Standard MIDI File. Plain C++, so the build can run it before anything else exists.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

constexpr int kTicksPerQuarter = 480;

struct ScoreNote {
    uint32_t start = 0;
    uint32_t end = 0;
    uint8_t key = 0;
    uint8_t velocity = 0;
};

struct ScoreTrack {
    std::string name;
    int program = 0;
    uint32_t length = 0; // ticks
    std::vector<ScoreNote> notes;
};

struct Score {
    std::string title;
    int tempo = 120;  // quarter notes a minute
    int beats = 4;    // time signature numerator
    int beatUnit = 4; // and denominator
    std::vector<ScoreTrack> tracks;
};

// A mistake in a score, with the line it was found on.
class ScoreError : public std::runtime_error
{
public:
    ScoreError(int lineNumber, const std::string &message)
        : std::runtime_error(message), line(lineNumber)
    {}
    int line;
};

Score parseScore(const std::string &text);
// Format 1: a first track with the title, time signature and tempo, then one track per
// score track with its name, program change and notes; every track ends with end-of-track.
std::vector<uint8_t> writeMidi(const Score &score);
