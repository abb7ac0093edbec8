#include "app/assets/wav_writer.h"

#include "tests/app/assets/riff_wave_parsing.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace tallimo::app::assets {
namespace {

TEST(WavEncoding, HeaderDescribesMono16BitPcmAndSamplesRoundTrip) {
    const struct {
        const char* why;
        std::uint32_t sampleRate;
        std::vector<std::int16_t> samples;
    } rows[] = {
        {"no sample", 22050, {}},
        {"one sample at 44100", 44100, {1234}},
        {"extremes and signs keep their bytes", 22050, {0, -1, 32767, -32768, 256, -256}},
        {"odd count at 8000", 8000, {5, -5, 7}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        const std::vector<std::uint8_t> bytes = encodeWav({row.sampleRate, row.samples});
        std::string why;
        const auto wave = testing::parseRiffWave(bytes, why);
        ASSERT_TRUE(wave) << why;
        EXPECT_EQ(bytes.size(), 44 + 2 * row.samples.size());
        EXPECT_EQ(wave->format, 1);
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->bitsPerSample, 16);
        EXPECT_EQ(wave->sampleRate, row.sampleRate);
        EXPECT_EQ(wave->byteRate, row.sampleRate * 2);
        EXPECT_EQ(wave->blockAlign, 2);
        EXPECT_EQ(wave->samples, row.samples);
    }
}

TEST(WavFile, HoldsExactlyTheEncodedBytesAndAnUnwritablePathIsReportedNotThrown) {
    tallimo::testing::TemporaryFolder folder;
    const PcmSound sound{22050, {1, -2, 3, -4}};
    ASSERT_TRUE(writeWavFile(folder / "a.wav", sound));
    std::ifstream file(folder / "a.wav", std::ios::binary);
    EXPECT_EQ(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {}),
              encodeWav(sound));
    EXPECT_FALSE(writeWavFile(folder / "missing-folder" / "a.wav", sound));
}

} // namespace
} // namespace tallimo::app::assets
