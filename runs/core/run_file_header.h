#pragma once

// A driver's run file begins with a header line of two flags (saving, full);
// a new subscriber's file holds only that line, both flags 0, until runs are
// written into it. The subscribers database creates and deletes run files;
// nothing else does.

#include <filesystem>
#include <string_view>

namespace tallimo::runs {

inline constexpr std::string_view kEmptyRunFileHeader = "0\t0\t\n";

// Writes a run file holding only the empty header, replacing any file there.
// False when it cannot be written.
bool CreateRunFile(const std::filesystem::path& path);

// Removes the run file. True when it is gone afterwards (also when there was
// none).
bool DeleteRunFile(const std::filesystem::path& path);

} // namespace tallimo::runs
