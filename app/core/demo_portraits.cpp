#include "app/core/demo_portraits.h"

#include <cstdint>

namespace tallimo::app {
namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 150;

struct Colour {
    std::uint8_t red, green, blue;
};

struct Palette {
    Colour groundTop, groundBottom, helmet, stripe;
};

constexpr Palette kPalettes[kDemoPortraitVariants] = {
    {{40, 70, 140}, {120, 170, 230}, {220, 30, 30}, {250, 250, 250}},
    {{30, 110, 60}, {150, 210, 140}, {250, 200, 20}, {20, 20, 20}},
    {{90, 40, 110}, {210, 160, 220}, {30, 140, 220}, {250, 120, 0}},
    {{120, 60, 20}, {240, 190, 120}, {245, 245, 245}, {200, 20, 60}},
};

void PutLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint8_t Blend(std::uint8_t from, std::uint8_t to, int step, int steps) {
    return static_cast<std::uint8_t>(from + (to - from) * step / steps);
}

// `y` counts from the top of the picture.
Colour PixelAt(const Palette& palette, int x, int y) {
    const Colour visor{25, 25, 35};
    // The helmet: a disc, flat at the chin, with a visor and a stripe.
    const int dx = x - kWidth / 2;
    const int dy = y - 68;
    if (dx * dx + dy * dy <= 46 * 46 && y <= 104) {
        if (y >= 62 && y <= 80 && dx > -34 && dx < 40)
            return visor;
        if (dx >= -6 && dx <= 6 && y < 62)
            return palette.stripe;
        return palette.helmet;
    }
    // The shoulders of the driver's suit.
    if (y > 104 && dx * dx < (y - 70) * (y - 70))
        return palette.helmet;
    return {Blend(palette.groundTop.red, palette.groundBottom.red, y, kHeight),
            Blend(palette.groundTop.green, palette.groundBottom.green, y, kHeight),
            Blend(palette.groundTop.blue, palette.groundBottom.blue, y, kHeight)};
}

} // namespace

std::string DemoPortraitBitmap(int variant) {
    const Palette& palette = kPalettes[(variant % kDemoPortraitVariants + kDemoPortraitVariants) %
                                       kDemoPortraitVariants];
    const int rowBytes = (kWidth * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = static_cast<std::uint32_t>(rowBytes * kHeight);
    constexpr std::uint32_t kHeaderBytes = 14 + 40;

    std::string bytes = "BM";
    PutLittleEndian(bytes, kHeaderBytes + pixelBytes, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, kHeaderBytes, 4);
    PutLittleEndian(bytes, 40, 4);
    PutLittleEndian(bytes, kWidth, 4);
    PutLittleEndian(bytes, kHeight, 4);
    PutLittleEndian(bytes, 1, 2);
    PutLittleEndian(bytes, 24, 2);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, pixelBytes, 4);
    PutLittleEndian(bytes, 2835, 4); // 72 dpi
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    // Rows are stored bottom first, each pixel blue, green, red.
    for (int row = kHeight - 1; row >= 0; --row) {
        for (int x = 0; x < kWidth; ++x) {
            const Colour colour = PixelAt(palette, x, row);
            bytes.push_back(static_cast<char>(colour.blue));
            bytes.push_back(static_cast<char>(colour.green));
            bytes.push_back(static_cast<char>(colour.red));
        }
        bytes.append(static_cast<std::size_t>(rowBytes - kWidth * 3), '\0');
    }
    return bytes;
}

} // namespace tallimo::app
