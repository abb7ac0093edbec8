#include "app/assets/wav_writer.h"

#include "app/assets/little_endian.h"

#include <fstream>

namespace tallimo::app::assets {
namespace {

void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(tag[i]));
}

} // namespace

std::vector<std::uint8_t> encodeWav(const PcmSound& sound) {
    constexpr std::uint16_t kChannels = 1;
    constexpr std::uint16_t kBitsPerSample = 16;
    constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;
    const auto dataBytes = static_cast<std::uint32_t>(sound.samples.size() * kBlockAlign);

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    PutU32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1); // PCM
    PutU16(out, kChannels);
    PutU32(out, sound.sampleRate);
    PutU32(out, sound.sampleRate * kBlockAlign);
    PutU16(out, kBlockAlign);
    PutU16(out, kBitsPerSample);
    putTag(out, "data");
    PutU32(out, dataBytes);
    for (std::int16_t sample : sound.samples)
        PutU16(out, static_cast<std::uint16_t>(sample));
    return out;
}

bool writeWavFile(const std::filesystem::path& path, const PcmSound& sound) {
    const std::vector<std::uint8_t> bytes = encodeWav(sound);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace tallimo::app::assets
