#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

// An independent reader of the WAV files under test, so that a fault in the
// writer cannot hide behind the same fault in a shared reader.
namespace tallimo::app::assets::testing {

struct ParsedWave {
    std::uint16_t format = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::vector<std::int16_t> samples;
};

// Empty with a reason in `why` when bytes are not a 44-byte-header PCM WAV
// whose sizes agree with the byte count.
inline std::optional<ParsedWave> parseRiffWave(const std::vector<std::uint8_t>& bytes,
                                               std::string& why) {
    const auto u16 = [&](std::size_t at) {
        return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
    };
    const auto u32 = [&](std::size_t at) { return u16(at) | std::uint32_t{u16(at + 2)} << 16; };
    const auto tag = [&](std::size_t at, const char* t) {
        return std::memcmp(bytes.data() + at, t, 4) == 0;
    };
    if (bytes.size() < 44)
        why = "shorter than a WAV header";
    else if (!tag(0, "RIFF") || !tag(8, "WAVE") || !tag(12, "fmt ") || !tag(36, "data"))
        why = "RIFF/WAVE/fmt/data tags not in place";
    else if (u32(16) != 16)
        why = "fmt chunk is not 16 bytes";
    else if (u32(4) != bytes.size() - 8)
        why = "RIFF size does not match the file size";
    else if (u32(40) != bytes.size() - 44 || u32(40) % 2 != 0)
        why = "data size does not match the file size";
    else {
        ParsedWave wave{u16(20), u16(22), u32(24), u32(28), u16(32), u16(34), {}};
        for (std::size_t at = 44; at + 1 < bytes.size(); at += 2)
            wave.samples.push_back(static_cast<std::int16_t>(u16(at)));
        return wave;
    }
    return std::nullopt;
}

} // namespace tallimo::app::assets::testing
