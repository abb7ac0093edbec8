#include "app/assets/bmp_writer.h"
#include "app/assets/picture_drawing.h"
#include "app/assets/shipped_pictures.h"
#include "app/assets/shipped_sounds.h"

#include "tests/app/assets/expected_assets.h"
#include "tests/app/assets/riff_wave_parsing.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

// Reproducibility and the file list are checked on the generated folder;
// here each asset is checked for being worth shipping.
namespace tallimo::app::assets {
namespace {

using testing::ExpectedPicture;
using testing::ExpectedSound;

template <class Row> std::string RowName(const ::testing::TestParamInfo<Row>& info) {
    std::string name(info.param.fileName);
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

template <class Asset, class List> const Asset* Find(const List& list, std::string_view fileName) {
    for (const Asset& asset : list)
        if (asset.fileName == fileName)
            return &asset;
    return nullptr;
}

class ShippedPicture : public ::testing::TestWithParam<ExpectedPicture> {};

TEST_P(ShippedPicture, HasItsSizeAndIsNotBlank) {
    const ExpectedPicture& row = GetParam();
    const auto* asset = Find<PictureAsset>(shippedPictures(), row.fileName);
    ASSERT_NE(asset, nullptr) << row.fileName << " is not shipped";
    const QImage image = renderPicture(*asset);
    ASSERT_EQ(image.size(), QSize(row.width, row.height));

    const QRgb background = asset->background.rgb() & 0xFFFFFFu;
    std::set<QRgb> colours;
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xFFFFFFu;
            colours.insert(pixel);
            drawn += pixel != background ? 1 : 0;
        }
    // A picture worth shipping covers a good part of its area and has shading.
    EXPECT_GE(drawn, image.width() * image.height() / 5) << "mostly background";
    EXPECT_GE(colours.size(), 6u) << "too few colours: a shape is missing";
}

INSTANTIATE_TEST_SUITE_P(Rows, ShippedPicture, ::testing::ValuesIn(testing::kExpectedPictures),
                         RowName<ExpectedPicture>);

class ShippedSound : public ::testing::TestWithParam<ExpectedSound> {};

TEST_P(ShippedSound, IsShortNormalisedUnclippedWithSilentEnds) {
    const ExpectedSound& row = GetParam();
    const auto* asset = Find<SoundAsset>(shippedSounds(), row.fileName);
    ASSERT_NE(asset, nullptr) << row.fileName << " is not shipped";
    std::string why;
    const auto wave = testing::parseRiffWave(encodeWav(asset->synthesise()), why);
    ASSERT_TRUE(wave) << why;
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

INSTANTIATE_TEST_SUITE_P(Rows, ShippedSound, ::testing::ValuesIn(testing::kExpectedSounds),
                         RowName<ExpectedSound>);

// Scan phases, kart slots, the two lights and the lap sounds are told apart
// by their contents.
TEST(ShippedAssets, NoTwoPicturesOrSoundsAreTheSame) {
    std::set<std::vector<std::uint8_t>> pictures, sounds;
    for (const PictureAsset& picture : shippedPictures())
        pictures.insert(encodeBmp(toRgbPicture(renderPicture(picture))));
    for (const SoundAsset& sound : shippedSounds())
        sounds.insert(encodeWav(sound.synthesise()));
    EXPECT_EQ(pictures.size(), shippedPictures().size());
    EXPECT_EQ(sounds.size(), shippedSounds().size());
}

} // namespace
} // namespace tallimo::app::assets
