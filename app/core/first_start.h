#pragma once

#include "common/core/working_folder.h"

#include <string>
#include <vector>

namespace tallimo::app {

// Writes the data files a new working folder lacks, empty (an empty tracks
// and categories database, a session with no karts, the decoder on COM1 not
// connected, the default display settings), so that a first start shows
// the program rather than a row of "file not found" messages. Existing
// files are left as they are. Returns the names written.
std::vector<std::string> CreateMissingDataFiles(const common::WorkingFolder& folder);

} // namespace tallimo::app
