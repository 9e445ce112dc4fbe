// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

// The game's pseudo-random numbers: seeded from the clock, uniform in [0, 1).
// Tests install a fixed source so that deals are repeatable.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void Randomize() = 0; // seed afresh from the clock
    virtual float Rnd() = 0;      // uniform in [0, 1)
};

RandomSource &randomSource();
// Replaces the process-wide source; returns the previous one. nullptr restores the clock.
std::unique_ptr<RandomSource> setRandomSource(std::unique_ptr<RandomSource> source);
