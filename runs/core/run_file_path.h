#pragma once

// Where a driver's run file lives: "Runs/<name>_<first name>.bdr" under the
// working folder, name and first name as the subscribers database holds
// them. Every run file path is built here and nowhere else, so the file the
// subscribers window creates is the one the runs are written to and read
// from.
//
// The names are typed by the operator and must never steer the path out of
// "Runs/" or make it one a file system refuses. Each '/', '\\', NUL, control
// character (below 0x20, and DEL), and each of : * ? " < > | (refused on
// Windows; replaced everywhere so that the same subscriber has the same file
// name on every platform) becomes '-'. Typed names never hold '-' (the
// windows turn it into '_'), so a name with a replaced character cannot
// meet another subscriber's file. A name of "." or ".." cannot climb either:
// it is always joined with "_" and ".bdr" into one file name. Names of
// ordinary letters give exactly "Runs/" + name + "_" + first name + ".bdr".

#include "common/core/working_folder.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::runs {

// The name part as it goes into the file name (Windows-1252 in and out).
std::string RunFileNamePart(std::string_view name);

// "Runs/%s_%s.bdr", Windows-1252, relative to the working folder.
std::string RunFileName(std::string_view name, std::string_view firstName);

// The same file under `folder`.
std::filesystem::path RunFilePath(const common::WorkingFolder& folder, std::string_view name,
                                  std::string_view firstName);

} // namespace tallimo::runs
