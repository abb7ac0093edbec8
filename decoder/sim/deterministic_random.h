#pragma once

#include <cstdint>

namespace tallimo::decoder::sim {

// splitmix64: the same seed gives the same laps and faults on every
// platform, which the standard distributions do not promise.
class DeterministicRandom {
public:
    explicit DeterministicRandom(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 .. bound-1; 0 when bound is not positive.
    std::int64_t below(std::int64_t bound) {
        if (bound <= 0)
            return 0;
        return static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(bound));
    }

    // low .. high inclusive.
    std::int64_t between(std::int64_t low, std::int64_t high) {
        return low + below(high - low + 1);
    }

private:
    std::uint64_t m_state;
};

} // namespace tallimo::decoder::sim
