#include "app/assets/shipped_sounds.h"

#include "tests/app/assets/expected_assets.h"
#include "tests/app/assets/riff_wave_parsing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

namespace tallimo::app::assets {
namespace {

using testing::ExpectedSound;
using testing::kExpectedSounds;

const SoundAsset* findSound(std::string_view fileName) {
    for (const SoundAsset& sound : shippedSounds())
        if (sound.fileName == fileName)
            return &sound;
    return nullptr;
}

class ShippedSound : public ::testing::TestWithParam<ExpectedSound> {};

TEST_P(ShippedSound, IsAValidShortNormalisedUnclippedWaveWithSilentEnds) {
    const ExpectedSound& row = GetParam();
    const SoundAsset* asset = findSound(row.fileName);
    ASSERT_NE(asset, nullptr) << row.fileName << " is not shipped";

    std::string why;
    const auto wave = testing::parseRiffWave(encodeWav(asset->synthesise()), why);
    ASSERT_TRUE(wave) << why;
    EXPECT_EQ(wave->format, 1);
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->bitsPerSample, 16);
    EXPECT_TRUE(wave->sampleRate == 22050 || wave->sampleRate == 44100) << wave->sampleRate;

    const double seconds = static_cast<double>(wave->samples.size()) / wave->sampleRate;
    EXPECT_GE(seconds, row.minSeconds);
    EXPECT_LE(seconds, row.maxSeconds);

    int peak = 0;
    for (std::int16_t sample : wave->samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    EXPECT_GE(peak, 32767 * 8 / 10) << "too quiet: not normalised";
    EXPECT_LE(peak, 32767 * 95 / 100) << "at or near full scale: clipping";

    // 5 ms at each end must be silent, or the sound starts or stops with a click.
    const std::size_t edge = wave->sampleRate / 200;
    ASSERT_GT(wave->samples.size(), 2 * edge);
    for (std::size_t i = 0; i < edge; ++i) {
        EXPECT_LE(std::abs(wave->samples[i]), 64) << "start, sample " << i;
        EXPECT_LE(std::abs(wave->samples[wave->samples.size() - 1 - i]), 64) << "end, sample " << i;
    }
}

TEST_P(ShippedSound, SynthesisIsDeterministic) {
    const SoundAsset* asset = findSound(GetParam().fileName);
    ASSERT_NE(asset, nullptr);
    EXPECT_EQ(encodeWav(asset->synthesise()), encodeWav(asset->synthesise()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShippedSound, ::testing::ValuesIn(kExpectedSounds), [](const auto& info) {
        std::string name(info.param.fileName);
        std::replace_if(
            name.begin(), name.end(),
            [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

TEST(ShippedSounds, AreExactlyTheExpectedFilesAndAllDiffer) {
    std::set<std::string> expected;
    for (const ExpectedSound& row : kExpectedSounds)
        expected.insert(std::string(row.fileName));
    std::set<std::string> shipped;
    std::set<std::vector<std::uint8_t>> contents;
    for (const SoundAsset& sound : shippedSounds()) {
        shipped.insert(sound.fileName);
        contents.insert(encodeWav(sound.synthesise()));
    }
    EXPECT_EQ(shipped, expected);
    EXPECT_EQ(contents.size(), shippedSounds().size()) << "two sounds are the same";
}

} // namespace
} // namespace tallimo::app::assets
