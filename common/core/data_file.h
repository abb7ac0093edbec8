#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::common {

// Reads a whole file as bytes. False when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Replaces `path` with `bytes` through a temporary file in the same folder
// and a rename: a crash or a full disk leaves either the old file or the new
// one, never a mix. False when anything fails; the old file is then intact.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Copies `from` over `to` the same way. False when `from` cannot be read or
// `to` cannot be written.
bool CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace tallimo::common
