#pragma once

// Pictures chosen by the operator (track pictures, subscriber photos, club
// logos) are BMP or JPEG files anywhere on disk. Windows and reports draw
// BMPs only: a JPEG is first converted to "images/ConvertionJPEG.bmp" by the
// image library, every time it is drawn, while the record keeps the JPEG
// path.

#include "common/core/working_folder.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace tallimo::printing {

inline constexpr const char* kConvertedJpegFile = "images/ConvertionJPEG.bmp";

struct PictureSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The image library behind the core (FreeImage in the program, a fake in
// tests). Initialised once for the program by its owner.
class PictureLibrary {
public:
    virtual ~PictureLibrary() = default;
    // Width and height of a BMP or JPEG; nothing when it cannot be loaded.
    virtual std::optional<PictureSize> measure(const std::filesystem::path& picture) = 0;
    // Loads a JPEG and saves it as a BMP. False when either step fails.
    virtual bool convertJpegToBmp(const std::filesystem::path& jpeg,
                                  const std::filesystem::path& bmp) = 0;
};

// ".jpg" or ".jpeg" at the end of the name, in any case.
bool IsJpegPath(std::string_view path);

// The file begins as a JPEG does, whatever its name says.
bool LooksLikeJpeg(const std::filesystem::path& picture);

// The BMP to draw for `picture` (UTF-8 path as stored, Windows-1252 paths
// converted by the caller): the picture itself, or the converted JPEG.
// Nothing when the path is empty or the picture cannot be loaded.
std::optional<std::filesystem::path> BitmapToDraw(PictureLibrary& library,
                                                  const common::WorkingFolder& folder,
                                                  const std::filesystem::path& picture);

// The largest size of `picture`'s proportions that fits `box`: full width
// when 10*W/boxW > 10*H/boxH (integer divisions), else full height.
PictureSize FitPicture(PictureSize picture, PictureSize box);

} // namespace tallimo::printing
