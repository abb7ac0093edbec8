#include "printing/gui/freeimage_picture_library.h"
#include "tests/support/temporary_folder.h"

#include <QImage>

#include <gtest/gtest.h>

namespace tallimo::printing {
namespace {

class FreeImageTest : public ::testing::Test {
protected:
    FreeImageTest() {
        QImage picture(64, 40, QImage::Format_RGB32);
        picture.fill(qRgb(200, 40, 40));
        picture.save(QString::fromStdString((folder / "photo.jpg").string()), "JPG");
        picture.save(QString::fromStdString((folder / "logo.bmp").string()), "BMP");
        folder.write("broken.jpg", "not a picture");
        std::filesystem::create_directories(folder / "images");
    }

    FreeImageSession session;
    FreeImagePictureLibrary library;
    testing::TemporaryFolder folder;
};

TEST_F(FreeImageTest, MeasuresBitmapsAndJpegs) {
    EXPECT_EQ(library.measure(folder / "logo.bmp"), (PictureSize{64, 40}));
    EXPECT_EQ(library.measure(folder / "photo.jpg"), (PictureSize{64, 40}));
    EXPECT_FALSE(library.measure(folder / "broken.jpg"));
    EXPECT_FALSE(library.measure(folder / "missing.bmp"));
}

TEST_F(FreeImageTest, AJpegIsDrawnThroughTheConvertedBitmap) {
    const common::WorkingFolder root(folder.path());
    const auto drawn = BitmapToDraw(library, root, folder / "photo.jpg");
    ASSERT_TRUE(drawn);
    EXPECT_EQ(*drawn, root.path(kConvertedJpegFile));
    const QImage converted(QString::fromStdString(drawn->string()));
    EXPECT_EQ(converted.size(), QSize(64, 40));
    EXPECT_FALSE(BitmapToDraw(library, root, folder / "broken.jpg"));
}

} // namespace
} // namespace tallimo::printing
