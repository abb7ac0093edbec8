#pragma once

// Pictures for the demo's subscribers and clubs, drawn here so the demo ships
// nothing it did not make: a driver's helmet on a coloured ground.

#include <string>

namespace tallimo::app {

inline constexpr int kDemoPortraitVariants = 4;

// A 24-bit Windows bitmap, 120 x 150 pixels; `variant` picks the colours.
std::string DemoPortraitBitmap(int variant);

} // namespace tallimo::app
