#pragma once

// The small pictures of the main window: the nine tree images, the menu
// item pictures and the clock buttons. They are drawn by code so that they
// stay crisp at any screen scale and need no files.

#include "app/core/command_id.h"

#include <QIcon>

namespace tallimo::app {

inline constexpr int kTreeImageCount = 9;

// 0 session type, 1 track, 2-6 the five categories in their board colours,
// 7 private karts, 8 broken-down karts.
QIcon TreeIcon(int image);

// The picture of a menu command, or a null icon for commands without one.
QIcon CommandIcon(CommandId command);

QIcon StartButtonIcon();
QIcon PauseButtonIcon();

} // namespace tallimo::app
