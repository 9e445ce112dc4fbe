// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/RandomSource.h"

#include <chrono>
#include <random>

namespace {

class ClockRandomSource : public RandomSource
{
public:
    ClockRandomSource() { Randomize(); }
    void Randomize() override
    {
        const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::seed_seq seed{static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32),
                           std::random_device{}()};
        mEngine.seed(seed);
    }
    // 24 random bits scaled exactly into [0, 1): a float can never round up to 1.
    float Rnd() override { return static_cast<float>(mEngine() >> 8) * 0x1p-24f; }

private:
    std::mt19937 mEngine;
};

std::unique_ptr<RandomSource> &current()
{
    static std::unique_ptr<RandomSource> source = std::make_unique<ClockRandomSource>();
    return source;
}

} // namespace

RandomSource &randomSource()
{
    return *current();
}

std::unique_ptr<RandomSource> setRandomSource(std::unique_ptr<RandomSource> source)
{
    if (!source)
        source = std::make_unique<ClockRandomSource>();
    current().swap(source);
    return source;
}
