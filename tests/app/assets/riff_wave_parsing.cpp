#include "tests/app/assets/riff_wave_parsing.h"

#include <cstring>

namespace tallimo::app::assets::testing {
namespace {

std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t u16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

bool tagAt(const std::vector<std::uint8_t>& b, std::size_t at, const char* tag) {
    return std::memcmp(b.data() + at, tag, 4) == 0;
}

} // namespace

std::optional<ParsedWave> parseRiffWave(const std::vector<std::uint8_t>& bytes, std::string& why) {
    if (bytes.size() < 44) {
        why = "shorter than a WAV header";
        return std::nullopt;
    }
    if (!tagAt(bytes, 0, "RIFF") || !tagAt(bytes, 8, "WAVE") || !tagAt(bytes, 12, "fmt ") ||
        !tagAt(bytes, 36, "data")) {
        why = "RIFF/WAVE/fmt/data tags not in place";
        return std::nullopt;
    }
    if (u32At(bytes, 16) != 16) {
        why = "fmt chunk is not 16 bytes";
        return std::nullopt;
    }
    ParsedWave wave;
    wave.riffSize = u32At(bytes, 4);
    wave.format = u16At(bytes, 20);
    wave.channels = u16At(bytes, 22);
    wave.sampleRate = u32At(bytes, 24);
    wave.byteRate = u32At(bytes, 28);
    wave.blockAlign = u16At(bytes, 32);
    wave.bitsPerSample = u16At(bytes, 34);
    wave.dataSize = u32At(bytes, 40);
    if (wave.riffSize != bytes.size() - 8) {
        why = "RIFF size does not match the file size";
        return std::nullopt;
    }
    if (wave.dataSize != bytes.size() - 44 || wave.dataSize % 2 != 0) {
        why = "data size does not match the file size";
        return std::nullopt;
    }
    for (std::size_t at = 44; at + 1 < bytes.size(); at += 2)
        wave.samples.push_back(static_cast<std::int16_t>(u16At(bytes, at)));
    return wave;
}

} // namespace tallimo::app::assets::testing
