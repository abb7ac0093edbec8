#include "printing/core/picture_library.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <map>

namespace tallimo::printing {
namespace {

struct FitCase {
    const char* name;
    PictureSize picture, box, expected;
};

class PictureFitting : public ::testing::TestWithParam<FitCase> {};

TEST_P(PictureFitting, KeepsTheProportions) {
    EXPECT_EQ(FitPicture(GetParam().picture, GetParam().box), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PictureFitting,
    ::testing::Values(
        FitCase{"wide_picture_takes_the_width", {800, 200}, {348, 198}, {348, 87}},
        FitCase{"tall_picture_takes_the_height", {300, 600}, {348, 198}, {99, 198}},
        FitCase{"equal_tenths_take_the_height", {348, 198}, {348, 198}, {348, 198}},
        FitCase{"small_wide_picture_still_fits_the_box", {34, 10}, {348, 198}, {348, 102}},
        FitCase{"small_tall_picture_takes_the_height", {10, 34}, {348, 198}, {58, 198}},
        FitCase{"empty_picture_draws_nothing", {0, 10}, {348, 198}, {0, 0}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(JpegNames, AreRecognisedByTheirEndingInAnyCase) {
    EXPECT_TRUE(IsJpegPath("/photos/Piste.JPG"));
    EXPECT_TRUE(IsJpegPath("c:\\photos\\piste.jpeg"));
    EXPECT_FALSE(IsJpegPath("piste.bmp"));
    EXPECT_FALSE(IsJpegPath("jpg"));
    EXPECT_FALSE(IsJpegPath("piste.jpg.bmp"));
}

// Knows the pictures the test puts in it; converts by recording.
class FakePictureLibrary final : public PictureLibrary {
public:
    std::optional<PictureSize> measure(const std::filesystem::path& picture) override {
        const auto found = sizes.find(picture);
        return found == sizes.end() ? std::nullopt : std::optional(found->second);
    }
    bool convertJpegToBmp(const std::filesystem::path& jpeg,
                          const std::filesystem::path& bmp) override {
        const auto found = sizes.find(jpeg);
        if (found == sizes.end())
            return false;
        sizes[bmp] = found->second;
        ++conversions;
        return true;
    }
    std::map<std::filesystem::path, PictureSize> sizes;
    int conversions = 0;
};

TEST(BitmapsToDraw, JpegsGoThroughTheConvertedBitmapEveryTime) {
    testing::TemporaryFolder folder;
    const common::WorkingFolder root(folder.path());
    FakePictureLibrary library;
    library.sizes["/p/piste.jpg"] = {640, 480};
    library.sizes["/p/logo.bmp"] = {100, 50};

    EXPECT_EQ(BitmapToDraw(library, root, "/p/logo.bmp"), std::filesystem::path("/p/logo.bmp"));
    EXPECT_EQ(BitmapToDraw(library, root, "/p/piste.jpg"), root.path(kConvertedJpegFile));
    EXPECT_EQ(BitmapToDraw(library, root, "/p/piste.jpg"), root.path(kConvertedJpegFile));
    EXPECT_EQ(library.conversions, 2);
    EXPECT_FALSE(BitmapToDraw(library, root, "")) << "no picture chosen";
    EXPECT_FALSE(BitmapToDraw(library, root, "/p/missing.jpeg"))
        << "a picture that cannot load draws nothing";
    EXPECT_FALSE(BitmapToDraw(library, root, "/p/missing.bmp"));
}

} // namespace
} // namespace tallimo::printing
