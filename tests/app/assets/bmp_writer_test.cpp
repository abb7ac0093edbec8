#include "app/assets/bmp_writer.h"

#include "tests/support/temporary_folder.h"

#include <QImage>

#include <gtest/gtest.h>

namespace tallimo::app::assets {
namespace {

std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

RgbPicture patterned(int width, int height) {
    RgbPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(
                static_cast<std::uint32_t>((x * 37 + 11) << 16 | (y * 53 + 7) << 8 | (x * y + 3)) &
                0xFFFFFFu);
    return picture;
}

struct BmpCase {
    const char* name;
    int width;
    int height;
    std::size_t rowBytes; // with the padding to 4 bytes
};

class BmpEncoding : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpEncoding, HeaderAndPaddingAreRightAndQtReadsThePixelsBack) {
    const BmpCase& row = GetParam();
    const RgbPicture picture = patterned(row.width, row.height);
    const std::vector<std::uint8_t> bytes = encodeBmp(picture);

    ASSERT_EQ(bytes.size(), 54 + row.rowBytes * row.height);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(u32At(bytes, 2), bytes.size());
    EXPECT_EQ(u32At(bytes, 10), 54u);
    EXPECT_EQ(u32At(bytes, 14), 40u);
    EXPECT_EQ(u32At(bytes, 18), static_cast<std::uint32_t>(row.width));
    EXPECT_EQ(u32At(bytes, 22), static_cast<std::uint32_t>(row.height));
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(u32At(bytes, 30), 0u);

    QImage image;
    ASSERT_TRUE(image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP"));
    ASSERT_EQ(image.width(), row.width);
    ASSERT_EQ(image.height(), row.height);
    for (int y = 0; y < row.height; ++y)
        for (int x = 0; x < row.width; ++x)
            EXPECT_EQ(image.pixel(x, y) & 0xFFFFFFu,
                      picture.pixels[static_cast<std::size_t>(y * row.width + x)])
                << "at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Rows, BmpEncoding,
                         ::testing::Values(BmpCase{"OnePixelPadsToFour", 1, 1, 4},
                                           BmpCase{"ThreeWideNeedsThreePadBytes", 3, 2, 12},
                                           BmpCase{"FourWideNeedsNoPadding", 4, 4, 12},
                                           BmpCase{"FiveWideTallerThanWide", 5, 7, 16},
                                           BmpCase{"TwentyByEighteenLikeTheTrophy", 20, 18, 60}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(BmpEncoding, InconsistentPictureGivesNoBytesAndNoFile) {
    tallimo::testing::TemporaryFolder folder;
    for (const RgbPicture& broken :
         {RgbPicture{}, RgbPicture{2, 2, {1, 2, 3}}, RgbPicture{-1, 1, {1}}}) {
        EXPECT_TRUE(encodeBmp(broken).empty()) << broken.width << "x" << broken.height;
        EXPECT_FALSE(writeBmpFile(folder / "x.bmp", broken));
        EXPECT_FALSE(std::filesystem::exists(folder / "x.bmp"));
    }
}

} // namespace
} // namespace tallimo::app::assets
