#pragma once

// The rental club's contact details ("CoordonneesClubLoc.bd1"): one line of
// nine TAB-ended fields. Texts are Windows-1252 bytes, each at most its
// width minus one characters.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::emails {

inline constexpr const char* kClubContactFileName = "CoordonneesClubLoc.bd1";
inline const char* const kClubContactErrorCaption = "Error";
inline const char* const kClubContactFileErrorText =
    "Error : 'Rental kart club Details' file not found";

constexpr std::size_t kContactNameChars = 39;
constexpr std::size_t kContactEmailChars = 39;
constexpr std::size_t kContactPhoneChars = 19;
constexpr std::size_t kContactWebsiteChars = 39;
constexpr std::size_t kContactAddressChars = 39;
constexpr std::size_t kContactPostalCodeChars = 14;
constexpr std::size_t kContactTownChars = 39;
constexpr std::size_t kContactCountryChars = 44;

struct ClubContact {
    std::string contactName;
    std::string contactEmail;
    std::string contactPhone;
    std::string contactWebsite;
    std::string contactAddress1;
    std::string contactAddress2;
    std::string contactPostalCode;
    std::string contactTown;
    std::string contactCountry; // one of the country names, or empty
    friend bool operator==(const ClubContact&, const ClubContact&) = default;
};

// Every field cut to its width. A TAB or line break typed or pasted into a
// field would shift the fields when the file is read back, so they become
// blanks.
ClubContact SanitisedContact(const ClubContact& contact);

std::string FormatClubContactFile(const ClubContact& contact);
// The fields of the first line, each cut to its width; missing ones empty.
ClubContact ParseClubContactFile(std::string_view bytes);

// False when the file cannot be read (`contact` is then emptied).
bool LoadClubContact(ClubContact& contact, const std::filesystem::path& path);
bool SaveClubContact(const ClubContact& contact, const std::filesystem::path& path);

// The working folder's file, with the message when it cannot be read or
// written.
bool LoadClubContactDatabase(const common::WorkingFolder& folder, ClubContact& contact,
                             common::MessageSink& messages);
bool SaveClubContactDatabase(const common::WorkingFolder& folder, const ClubContact& contact,
                             common::MessageSink& messages);

} // namespace tallimo::emails
