#pragma once

#include "common/core/working_folder.h"
#include "session/core/rental_session.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::session {

// "Private/Session.rent" under the working folder.
inline constexpr const char* kSessionFileName = "Private/Session.rent";

// The file's bytes for a session and its header.
std::string FormatSessionFile(const RentalSession& session, const SessionHeader& header);

// Reads the bytes into a cleared session and header; what fits is kept,
// numbers that fail to parse keep their cleared value. False when the bytes
// end before the six categories and their karts (a damaged file).
bool ParseSessionFile(std::string_view bytes, RentalSession& session, SessionHeader& header);

// Return false when the file cannot be written (the previous file then stays
// whole) or opened; the caller reports "Error: 'Rental session' file not found".
bool SaveSessionFile(const common::WorkingFolder& folder, const RentalSession& session,
                     const SessionHeader& header);
bool LoadSessionFile(const common::WorkingFolder& folder, RentalSession& session,
                     SessionHeader& header);

bool SaveSessionFileAs(const std::filesystem::path& path, const RentalSession& session,
                       const SessionHeader& header);
bool LoadSessionFileFrom(const std::filesystem::path& path, RentalSession& session,
                         SessionHeader& header);

inline const char* const kSessionFileErrorCaption = "Error";
inline const char* const kSessionFileErrorText = "Error: 'Rental session' file not found";

} // namespace tallimo::session
