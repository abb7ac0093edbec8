#pragma once

#include <cstdint>

namespace tallimo::decoder::sim {

// A passing the simulator put on the wire, kept so tests can compare it with
// what the program recorded.
struct DrivenPassing {
    int transponder = 0;
    // Decoder clock for framed models; for Vela1 the simulator's clock since
    // it started, which only differences of the PC's times can be held to.
    std::int64_t decoderTimeMs = 0;
    int clockEpoch = 0;     // accepted clock resets before this passing
    bool duplicate = false; // an extra report of the same pass

    bool operator==(const DrivenPassing&) const = default;
};

} // namespace tallimo::decoder::sim
