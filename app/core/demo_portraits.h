#pragma once

// Pictures for the demo's subscribers and clubs, drawn here so the demo ships
// nothing it did not make: a driver's helmet on a coloured ground.

#include "app/assets/bmp_writer.h"

namespace tallimo::app {

inline constexpr int kDemoPortraitVariants = 4;

// 120 x 150 pixels; `variant` picks the colours.
assets::RgbPicture DemoPortrait(int variant);

} // namespace tallimo::app
