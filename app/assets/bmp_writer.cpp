#include "app/assets/bmp_writer.h"

#include "app/assets/little_endian.h"

#include <fstream>

namespace tallimo::app::assets {
namespace {

bool isConsistent(const RgbPicture& picture) {
    return picture.width > 0 && picture.height > 0 &&
           picture.pixels.size() ==
               static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
}

} // namespace

std::vector<std::uint8_t> encodeBmp(const RgbPicture& picture) {
    if (!isConsistent(picture))
        return {};
    constexpr std::uint32_t kHeaderBytes = 14 + 40;
    constexpr std::uint32_t kPixelsPerMetre = 2835; // 72 dpi, the usual neutral value
    const auto rowBytes = static_cast<std::uint32_t>((picture.width * 3 + 3) / 4 * 4);
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(picture.height);

    std::vector<std::uint8_t> out;
    out.reserve(kHeaderBytes + imageBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, kHeaderBytes + imageBytes);
    PutU32(out, 0);
    PutU32(out, kHeaderBytes);

    PutU32(out, 40);
    PutU32(out, static_cast<std::uint32_t>(picture.width));
    PutU32(out, static_cast<std::uint32_t>(picture.height)); // positive: bottom-up
    PutU16(out, 1);
    PutU16(out, 24);
    PutU32(out, 0); // BI_RGB
    PutU32(out, imageBytes);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, 0);
    PutU32(out, 0);

    const std::uint32_t padding = rowBytes - static_cast<std::uint32_t>(picture.width) * 3;
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::uint32_t* row =
            picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
        for (int x = 0; x < picture.width; ++x) {
            out.push_back(static_cast<std::uint8_t>(row[x] & 0xFF));
            out.push_back(static_cast<std::uint8_t>((row[x] >> 8) & 0xFF));
            out.push_back(static_cast<std::uint8_t>((row[x] >> 16) & 0xFF));
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

bool writeBmpFile(const std::filesystem::path& path, const RgbPicture& picture) {
    const std::vector<std::uint8_t> bytes = encodeBmp(picture);
    if (bytes.empty())
        return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace tallimo::app::assets
