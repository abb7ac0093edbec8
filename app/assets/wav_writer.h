#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tallimo::app::assets {

// A mono sound as 16-bit PCM samples, the form every shipped sound takes.
struct PcmSound {
    std::uint32_t sampleRate = 22050;
    std::vector<std::int16_t> samples;
};

// The bytes of a canonical 44-byte-header RIFF/WAVE file (PCM, mono, 16 bit,
// little-endian), the plainest form that every Windows sound API plays.
std::vector<std::uint8_t> encodeWav(const PcmSound& sound);

// Writes encodeWav(sound) to path; false when the file cannot be written.
bool writeWavFile(const std::filesystem::path& path, const PcmSound& sound);

} // namespace tallimo::app::assets
