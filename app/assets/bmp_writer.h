#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tallimo::app::assets {

// An opaque picture, top row first, each pixel 0xRRGGBB.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The bytes of a Windows BMP: BITMAPFILEHEADER + BITMAPINFOHEADER, 24 bits
// per pixel, uncompressed, bottom-up rows padded to 4 bytes. That is the
// form GDI's LoadImage and every image library read without question.
std::vector<std::uint8_t> encodeBmp(const RgbPicture& picture);

// Writes encodeBmp(picture) to path; false when the file cannot be written
// or the picture is empty or inconsistent.
bool writeBmpFile(const std::filesystem::path& path, const RgbPicture& picture);

} // namespace tallimo::app::assets
