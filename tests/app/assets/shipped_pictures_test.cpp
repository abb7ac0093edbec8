#include "app/assets/shipped_pictures.h"

#include "app/assets/bmp_writer.h"
#include "app/assets/picture_drawing.h"
#include "tests/app/assets/expected_assets.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace tallimo::app::assets {
namespace {

using testing::ExpectedPicture;
using testing::kExpectedPictures;

const PictureAsset* findPicture(std::string_view fileName) {
    for (const PictureAsset& picture : shippedPictures())
        if (picture.fileName == fileName)
            return &picture;
    return nullptr;
}

std::string rowName(std::string_view fileName) {
    std::string name(fileName);
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

class ShippedPicture : public ::testing::TestWithParam<ExpectedPicture> {};

TEST_P(ShippedPicture, HasItsSizeAndIsNotBlank) {
    const ExpectedPicture& row = GetParam();
    const PictureAsset* asset = findPicture(row.fileName);
    ASSERT_NE(asset, nullptr) << row.fileName << " is not shipped";
    const QImage image = renderPicture(*asset);
    ASSERT_EQ(image.width(), row.width);
    ASSERT_EQ(image.height(), row.height);

    const QRgb background = asset->background.rgb() & 0xFFFFFFu;
    std::set<QRgb> colours;
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xFFFFFFu;
            colours.insert(pixel);
            if (pixel != background)
                ++drawn;
        }
    }
    // A picture worth shipping covers a good part of its area and has shading.
    EXPECT_GE(drawn, image.width() * image.height() / 5) << "mostly background";
    EXPECT_GE(colours.size(), 6u) << "too few colours: a shape is missing";
}

TEST_P(ShippedPicture, EncodesToABmpThatQtLoadsPixelForPixel) {
    const PictureAsset* asset = findPicture(GetParam().fileName);
    ASSERT_NE(asset, nullptr);
    const QImage image = renderPicture(*asset);
    const std::vector<std::uint8_t> bytes = encodeBmp(toRgbPicture(image));
    QImage loaded;
    ASSERT_TRUE(loaded.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP"));
    EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32),
              image.convertToFormat(QImage::Format_RGB32));
}

TEST_P(ShippedPicture, DrawingIsDeterministic) {
    const PictureAsset* asset = findPicture(GetParam().fileName);
    ASSERT_NE(asset, nullptr);
    EXPECT_EQ(encodeBmp(toRgbPicture(renderPicture(*asset))),
              encodeBmp(toRgbPicture(renderPicture(*asset))));
}

INSTANTIATE_TEST_SUITE_P(Rows, ShippedPicture, ::testing::ValuesIn(kExpectedPictures),
                         [](const auto& info) { return rowName(info.param.fileName); });

TEST(ShippedPictures, AreExactlyTheExpectedFilesAndAllDiffer) {
    std::set<std::string> expected;
    for (const ExpectedPicture& row : kExpectedPictures)
        expected.insert(std::string(row.fileName));
    std::set<std::string> shipped;
    std::set<std::vector<std::uint8_t>> contents;
    for (const PictureAsset& picture : shippedPictures()) {
        shipped.insert(picture.fileName);
        contents.insert(encodeBmp(toRgbPicture(renderPicture(picture))));
    }
    EXPECT_EQ(shipped, expected);
    // Scan phases, kart slots and the two lights are told apart by their picture.
    EXPECT_EQ(contents.size(), shippedPictures().size()) << "two pictures are the same";
}

} // namespace
} // namespace tallimo::app::assets
