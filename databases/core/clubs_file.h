#pragma once

// The clubs and teams database: up to 100 clubs with their contact data and
// a logo. The clubs in use are always the first records, sorted by name;
// adding and removing keep it so. Text fields hold Windows-1252 bytes and
// never exceed the capacities below.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::databases {

constexpr int kClubSlots = 100;

// Characters each field holds (its stored width minus the terminator).
constexpr std::size_t kClubNameChars = 14;
constexpr std::size_t kClubFullNameChars = 39;
constexpr std::size_t kClubAddressChars = 39;
constexpr std::size_t kClubPostalCodeChars = 14;
constexpr std::size_t kClubTownChars = 39;
constexpr std::size_t kClubCountryChars = 34;
constexpr std::size_t kClubPhoneChars = 19;
constexpr std::size_t kClubEmailChars = 39;
constexpr std::size_t kClubLogoChars = 259;
// What the operator may type into the name edit of "Ajouter".
constexpr std::size_t kTypedClubNameChars = 13;

// UTF-8, for `WorkingFolder::path`.
inline constexpr const char* kClubsFileName = "BaseDonn\xC3\xA9"
                                              "esClubs.bd1";
inline constexpr std::string_view kClubsExportExtension = ".bdc2";

inline const char* const kClubsErrorCaption = "Error";
inline const char* const kClubsFileErrorText = "Error : 'Clubs/Teams' database file not found";
inline const char* const kClubsImportErrorText = "Error : Import file 'Clubs/Teams' not found";
inline const char* const kClubsExportErrorText = "Error : Export file 'Clubs/Teams' not found";

struct Club {
    std::string clubName; // empty = free record
    std::string fullName;
    std::string clubAddress1;
    std::string clubAddress2;
    std::string clubPostalCode;
    std::string clubTown;
    std::string clubCountry; // one of the country names, or empty
    std::string clubPhone;
    std::string clubEmail;
    std::string logoPath; // BMP or JPEG, empty when none

    friend bool operator==(const Club&, const Club&) = default;
};

using ClubTable = std::array<Club, kClubSlots>;

void ClearClubs(ClubTable& table);

// The clubs in the list: the used records before the first free one.
int CountClubs(const ClubTable& table);

// One line per club for the first `count` records.
std::string FormatClubsFile(const ClubTable& table, int count);

// Clears the table and fills it from `bytes`, at most 100 clubs. Lines
// without a name would leave a gap the list could neither show nor save, so
// they are passed over.
void ParseClubsFile(std::string_view bytes, ClubTable& table);

// False when the file cannot be opened; the table is then left as it was.
bool LoadClubs(ClubTable& table, const std::filesystem::path& path);
// Writes the first `count` records whole; false when the file cannot be
// written (the previous file then stays intact).
bool SaveClubs(const ClubTable& table, int count, const std::filesystem::path& path);

// Lowercased names ascending byte by byte, free records last, of equal names
// the later record first. Every record comes out exactly once.
void SortClubs(ClubTable& table);

// The operator's "Ajouter": the typed name (cut to 13 characters) gets '_'
// for every '-'. Refused without a message when empty, blank-led, already
// there ignoring case, or when 100 clubs are listed. Returns the index of
// the new club in the sorted table, or -1 when refused.
int AddClub(ClubTable& table, std::string_view typedName);

// Clears the club at `index` (a listed one) and sorts the table. False when
// there is no club there.
bool RemoveClub(ClubTable& table, int index);

// Clear-then-load of the working folder's clubs; on failure the message is
// shown and the table stays empty, so "Ok" creates the file.
bool LoadClubsDatabase(const common::WorkingFolder& folder, ClubTable& table,
                       common::MessageSink& messages);
// Writes the listed clubs.
bool SaveClubsDatabase(const common::WorkingFolder& folder, const ClubTable& table,
                       common::MessageSink& messages);

// The subscribers window's club combo entries: the first field (at most 14
// characters) of every line of the clubs file, in file order. False when the
// file cannot be opened.
bool LoadClubNames(const std::filesystem::path& path, std::vector<std::string>& names);

} // namespace tallimo::databases
