#pragma once

// The options of tallimo-decoder-sim, parsed without touching the system so
// the front end stays a thin loop.

#include "decoder/sim/decoder_simulator_host.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::decoder::sim {

struct SimulatorOptions {
    DecoderSimulatorHostConfig host;
    std::optional<std::int64_t> vanishAfterMs; // from start
    std::optional<std::int64_t> backAfterMs;   // from the vanish
};

struct SimulatorCommandLine {
    std::optional<SimulatorOptions> options; // empty: error or help
    bool helpAsked = false;
    std::string error;
};

// `arguments` without the program name.
SimulatorCommandLine ParseSimulatorCommandLine(const std::vector<std::string_view>& arguments);

std::string SimulatorUsage();

} // namespace tallimo::decoder::sim
