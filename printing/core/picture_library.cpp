#include "printing/core/picture_library.h"

#include <array>
#include <cctype>
#include <fstream>
#include <string>
#include <system_error>

namespace tallimo::printing {
namespace {

bool EndsWithLowered(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size())
        return false;
    const std::string_view tail = text.substr(text.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != ending[i])
            return false;
    return true;
}

} // namespace

bool IsJpegPath(std::string_view path) {
    return EndsWithLowered(path, ".jpg") || EndsWithLowered(path, ".jpeg");
}

bool LooksLikeJpeg(const std::filesystem::path& picture) {
    std::ifstream file(picture, std::ios::binary);
    std::array<char, 3> start{};
    if (!file.read(start.data(), static_cast<std::streamsize>(start.size())))
        return false;
    return static_cast<unsigned char>(start[0]) == 0xFF &&
           static_cast<unsigned char>(start[1]) == 0xD8 &&
           static_cast<unsigned char>(start[2]) == 0xFF;
}

std::optional<std::filesystem::path> BitmapToDraw(PictureLibrary& library,
                                                  const common::WorkingFolder& folder,
                                                  const std::filesystem::path& picture) {
    if (picture.empty())
        return std::nullopt;
    const std::u8string name = picture.u8string();
    std::filesystem::path bitmap = picture;
    if (IsJpegPath(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()))) {
        bitmap = folder.path(kConvertedJpegFile);
        // A folder set up by hand may lack "images/"; the conversion needs it.
        std::error_code error;
        std::filesystem::create_directories(bitmap.parent_path(), error);
        if (!library.convertJpegToBmp(picture, bitmap))
            return std::nullopt;
    }
    if (!library.measure(bitmap))
        return std::nullopt;
    return bitmap;
}

PictureSize FitPicture(PictureSize picture, PictureSize box) {
    if (picture.width <= 0 || picture.height <= 0 || box.width <= 0 || box.height <= 0)
        return {};
    const PictureSize fullWidth{box.width, picture.height * box.width / picture.width};
    const PictureSize fullHeight{picture.width * box.height / picture.height, box.height};
    // The comparison in tenths cannot tell small pictures apart; whichever
    // it picks must still fit the box.
    if (10 * picture.width / box.width > 10 * picture.height / box.height ||
        fullHeight.width > box.width)
        return fullWidth;
    return fullHeight;
}

} // namespace tallimo::printing
