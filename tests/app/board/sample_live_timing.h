#pragma once

#include "app/gui/board_rendering.h"
#include "session/core/live_timing.h"

#include <filesystem>

namespace tallimo::testing {

// A session in full swing: three rental categories and the private karts,
// reserved, timing and finished karts, one kart that has just lapped (K2)
// and one long category that runs over into a second slot.
void FillSampleSession(session::LiveTiming& live);

// Six full categories: the board row table filled to its 180 rows.
void FillFullBoard(session::LiveTiming& live);

app::CategoryNames SampleCategoryNames();

// Writes the board pictures into `root`/images.
void WriteBoardPictures(const std::filesystem::path& root);

} // namespace tallimo::testing
