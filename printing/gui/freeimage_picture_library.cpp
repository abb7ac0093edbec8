#include "printing/gui/freeimage_picture_library.h"

#include <FreeImage.h>

#include <memory>
#include <string>

namespace tallimo::printing {
namespace {

struct BitmapDeleter {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using Bitmap = std::unique_ptr<FIBITMAP, BitmapDeleter>;

Bitmap Load(const std::filesystem::path& picture, FREE_IMAGE_FORMAT format) {
    const std::string name = picture.string();
    if (format == FIF_UNKNOWN)
        format = FreeImage_GetFileType(name.c_str(), 0);
    if (format == FIF_UNKNOWN)
        format = FreeImage_GetFIFFromFilename(name.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format))
        return nullptr;
    return Bitmap(FreeImage_Load(format, name.c_str(), 0));
}

} // namespace

FreeImageSession::FreeImageSession() {
    FreeImage_Initialise(FALSE);
}

FreeImageSession::~FreeImageSession() {
    FreeImage_DeInitialise();
}

std::optional<PictureSize> FreeImagePictureLibrary::measure(const std::filesystem::path& picture) {
    const Bitmap bitmap = Load(picture, FIF_UNKNOWN);
    if (!bitmap)
        return std::nullopt;
    return PictureSize{static_cast<int>(FreeImage_GetWidth(bitmap.get())),
                       static_cast<int>(FreeImage_GetHeight(bitmap.get()))};
}

bool FreeImagePictureLibrary::convertJpegToBmp(const std::filesystem::path& jpeg,
                                               const std::filesystem::path& bmp) {
    const Bitmap bitmap = Load(jpeg, FIF_JPEG);
    if (!bitmap)
        return false;
    return FreeImage_Save(FIF_BMP, bitmap.get(), bmp.string().c_str(), 0) != FALSE;
}

} // namespace tallimo::printing
