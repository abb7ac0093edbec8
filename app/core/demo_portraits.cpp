#include "app/core/demo_portraits.h"

#include <cstddef>
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

assets::RgbPicture DemoPortrait(int variant) {
    const Palette& palette = kPalettes[(variant % kDemoPortraitVariants + kDemoPortraitVariants) %
                                       kDemoPortraitVariants];
    assets::RgbPicture picture{kWidth, kHeight, {}};
    picture.pixels.reserve(static_cast<std::size_t>(kWidth * kHeight));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const Colour colour = PixelAt(palette, x, y);
            picture.pixels.push_back(std::uint32_t{colour.red} << 16 |
                                     std::uint32_t{colour.green} << 8 | colour.blue);
        }
    return picture;
}

} // namespace tallimo::app
