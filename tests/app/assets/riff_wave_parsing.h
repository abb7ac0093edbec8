#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// An independent reader of the WAV files under test, so that a fault in the
// writer cannot hide behind the same fault in a shared reader.
namespace tallimo::app::assets::testing {

struct ParsedWave {
    std::uint32_t riffSize = 0;
    std::uint16_t format = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint32_t dataSize = 0;
    std::vector<std::int16_t> samples;
};

// Empty with a reason in `why` when bytes are not a 44-byte-header PCM WAV
// whose sizes agree with the byte count.
std::optional<ParsedWave> parseRiffWave(const std::vector<std::uint8_t>& bytes, std::string& why);

} // namespace tallimo::app::assets::testing
