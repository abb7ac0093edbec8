#pragma once

// The decoder the demo runs on: the decoder simulator on a pseudo-terminal
// that the demo folder's COM7 leads to, driving the demo's karts.

#include "decoder/sim/decoder_simulator_host.h"

#include <filesystem>
#include <memory>
#include <string>

namespace tallimo::app {

decoder::sim::DecoderSimulatorHostConfig
DemoDecoderConfig(const std::filesystem::path& workingFolder);

// The running simulator, or nothing with the reason in `error`.
std::unique_ptr<decoder::sim::DecoderSimulatorHost>
StartDemoDecoder(const std::filesystem::path& workingFolder, std::string& error);

} // namespace tallimo::app
