// SPDX-License-Identifier: GPL-3.0-or-later
#include "cards/RandomSource.h"

#include <chrono>
#include <cstdlib>
#include <optional>
#include <random>

namespace {

// MARROWBY_SEED fixes the deals, so that a run of the end-to-end random player, which
// prints the seed it gave, plays again as it did.
std::optional<unsigned long> fixedSeed()
{
    const char *seed = std::getenv("MARROWBY_SEED");
    if (!seed || !*seed)
        return std::nullopt;
    return std::strtoul(seed, nullptr, 10);
}

class ClockRandomSource : public RandomSource
{
public:
    ClockRandomSource() { Randomize(); }
    void Randomize() override
    {
        if (mFixed) {
            mEngine.seed(static_cast<std::mt19937::result_type>(*mFixed + mDeals++));
            return;
        }
        const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::seed_seq seed{static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32),
                           std::random_device{}()};
        mEngine.seed(seed);
    }
    // 24 random bits scaled exactly into [0, 1): a float can never round up to 1.
    float Rnd() override { return static_cast<float>(mEngine() >> 8) * 0x1p-24f; }

private:
    const std::optional<unsigned long> mFixed = fixedSeed();
    unsigned long mDeals = 0;
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
