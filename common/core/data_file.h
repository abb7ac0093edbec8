#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::common {

// The most a data file may hold. The program's own files stay far below it
// (a driver's run file after years of runs is a few megabytes at most);
// a bigger file is not one of them and would only exhaust the memory.
inline constexpr std::uintmax_t kMaxDataFileBytes = 64 * 1024 * 1024;

// Reads a whole regular file (after following symbolic links) as bytes.
// False when it is anything else (a folder, a FIFO, a device), holds more
// than kMaxDataFileBytes, or cannot be opened or read. Anything but a
// regular file is refused without being opened: opening a FIFO waits for a
// writer, and a device may never end.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Replaces `path` with `bytes` through a temporary file in the same folder
// and a rename: a crash or a full disk leaves either the old file or the new
// one, never a mix. False when anything fails; the old file is then intact.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Copies `from` over `to` the same way. False when `from` cannot be read or
// `to` cannot be written.
bool CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace tallimo::common
