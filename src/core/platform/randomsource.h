#pragma once
#include <cstdint>
#include <random>

namespace kesto {

// Uniform single-precision fractions in [0, 1).
//
// A float has a 24-bit significand. Converting a 32-bit (or wider) integer divided by its
// range to float rounds to nearest, so values just below 1 round up to exactly 1.0f;
// std::generate_canonical<float> has the same fault in common library versions. Taking
// only the top 24 bits and scaling by 2^-24 gives k / 2^24 for k < 2^24: every such value
// is exactly representable and the largest is 1 - 2^-24, strictly below 1.
class RandomSource
{
public:
    explicit RandomSource(std::uint64_t seed = 0) : m_engine(seed) {}

    void seed(std::uint64_t value) { m_engine.seed(value); }
    void seedFromClock();

    float next()
    {
        const std::uint64_t bits = m_engine() >> (64 - 24);
        return float(bits) * (1.0f / 16777216.0f);
    }

    // The conversion used by next(), exposed so that a test can feed it the extreme values.
    static float fractionFromBits(std::uint64_t raw) { return float(raw >> (64 - 24)) * (1.0f / 16777216.0f); }

private:
    std::mt19937_64 m_engine;
};

} // namespace kesto
