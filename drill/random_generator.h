#pragma once

#include <cstdint>
#include <random>

namespace lexamo {

/// The program's one source of randomness: question order, word shuffle and praise phrase all
/// draw from it. Tests inject a seeded one.
class RandomGenerator
{
public:
    virtual ~RandomGenerator() = default;
    /// An integer drawn uniformly from 0 to m-1 (m >= 1).
    virtual int draw(int m) = 0;
};

/// Mersenne Twister with unbiased bounded draws.
class MtRandomGenerator : public RandomGenerator
{
public:
    explicit MtRandomGenerator(std::uint32_t seed) : m_engine(seed) {}
    int draw(int m) override;

private:
    std::mt19937 m_engine;
};

/// A seed taken from the high-resolution clock, so that every run shuffles differently.
std::uint32_t clockSeed();

} // namespace lexamo
