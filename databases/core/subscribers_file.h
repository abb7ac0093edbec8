#pragma once

// The subscribers database: up to 500 registered drivers. The table always
// holds 500 records; the used ones come first (sorted, without gaps) and the
// free ones (empty name) after them. Text fields hold Windows-1252 bytes and
// never exceed the capacities below. The three birth date numbers are kept
// equal to their three texts: the texts are what the file stores, the
// numbers what the windows compute with (an empty text counts as 0).

#include "common/core/date_index.h"
#include "common/core/local_clock.h"
#include "common/core/message_sink.h"
#include "common/core/working_folder.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::databases {

constexpr int kMaxSubscribers = 500;

// Characters each field holds (the terminator of the fixed-width fields is
// not counted).
constexpr std::size_t kSubscriberNameChars = 24;
constexpr std::size_t kSubscriberFirstNameChars = 19;
constexpr std::size_t kSubscriberAddressChars = 39;
constexpr std::size_t kSubscriberPostalCodeChars = 14;
constexpr std::size_t kSubscriberTownChars = 39;
constexpr std::size_t kSubscriberCountryChars = 34;
constexpr std::size_t kSubscriberPhoneChars = 19;
constexpr std::size_t kSubscriberEmailChars = 39;
constexpr std::size_t kSubscriberSpareChars = 19;
constexpr std::size_t kSubscriberClubChars = 14;
constexpr std::size_t kSubscriberTransponderChars = 6;
constexpr std::size_t kSubscriberPhotoChars = 259;
constexpr std::size_t kBirthDayTextChars = 2;
constexpr std::size_t kBirthMonthTextChars = 2;
constexpr std::size_t kBirthYearTextChars = 4;

// The club combo items accepted as a subscriber's club: the empty item and
// every club the clubs database can hold (100). Stopping one item short
// would silently take the last club away from its members at every opening.
constexpr int kAcceptedClubItems = 101;

// UTF-8, for `WorkingFolder::path`.
inline constexpr const char* kSubscribersFileName = "BaseDonn\xC3\xA9"
                                                    "esAbonn\xC3\xA9s.bd1";
inline constexpr std::string_view kSubscribersExportExtension = ".bdp4";

inline const char* const kSubscribersErrorCaption = "Error";
inline const char* const kSubscribersFileErrorText =
    "Error : 'Subscribers' database file not found";
inline const char* const kSubscribersImportErrorText =
    "Error : Import file 'Subscribers' not found";
inline const char* const kSubscribersExportErrorText =
    "Error : Export file 'Subscribers' not found";

struct Subscriber {
    std::string name; // surname; empty = free record
    std::string firstName;
    std::string address1;
    std::string address2;
    std::string postalCode;
    std::string town;
    std::string country; // one of the country names, or empty
    std::string phone;
    std::string email;
    std::string spare;        // carried through load and save, never shown
    std::string club;         // one of the clubs' names, or empty
    std::string transponder;  // empty or exactly six digits
    std::string photoPath;    // BMP or JPEG, empty when none
    std::string birthDayText; // decimal indexes; empty in a cleared record
    std::string birthMonthText;
    std::string birthYearText;
    // Day 0..30, month 0..11, years since 1900; all three 0 = no date given.
    std::int32_t birthDay = 0;
    std::int32_t birthMonth = 0;
    std::int32_t birthYear = 0;
    std::int32_t sex = 1; // 1 man, 0 woman
    // Day numbers of the last birthday and nameday e-mails; carried unchanged.
    std::int32_t extra1 = 0;
    std::int32_t extra2 = 0;

    bool hasBirthDate() const { return birthDay != 0 || birthMonth != 0 || birthYear != 0; }
    common::DateIndex birthDate() const { return {birthDay, birthMonth, birthYear}; }
    friend bool operator==(const Subscriber&, const Subscriber&) = default;
};

// Always 500 records.
using SubscriberTable = std::vector<Subscriber>;

SubscriberTable MakeSubscriberTable();
// Every record cleared (texts empty, date numbers 0, `sex` 1, extras 0); the
// table is brought back to 500 records.
void ClearSubscribers(SubscriberTable& table);

// The used records before the first free one.
int CountSubscribers(const SubscriberTable& table);

// The list box line of a record: "%s %s" (name, first name).
std::string SubscriberListText(const Subscriber& subscriber);
// The used record whose list line is exactly `text`, or -1.
int FindSubscriberByListText(const SubscriberTable& table, std::string_view text);

// Sets the three numbers and the three texts together.
void SetBirthDate(Subscriber& subscriber, const common::DateIndex& date);
// The numbers from the texts, as a C `atoi` reads them (text that is not a
// number gives 0).
void DeriveBirthDate(Subscriber& subscriber);

// One line per record for the first `count` records, fields in the file
// order, each cut to its width.
std::string FormatSubscribersFile(const SubscriberTable& table, int count);

// Clears the table and fills it from `bytes`, at most 500 records; the date
// numbers are derived from the texts. A truncated or damaged file gives the
// records that could be read. Lines without a name would leave a gap the
// list could neither show nor save (and every record after them would be
// lost on "Ok"), so they are passed over.
void ParseSubscribersFile(std::string_view bytes, SubscriberTable& table);

// False when the file cannot be opened; the table is then left as it was,
// so a failed import does not throw away the records being edited (callers
// that want an empty table on failure clear it first).
bool LoadSubscribers(SubscriberTable& table, const std::filesystem::path& path);
// Writes the first `count` records whole; false when the file cannot be
// written (the previous file then stays intact).
bool SaveSubscribers(const SubscriberTable& table, int count, const std::filesystem::path& path);

// Key "%s %s" of name and first name, lowercased; ascending byte by byte,
// free records (key " ") last; of equal keys the later record first. Every
// record comes out exactly once.
void SortSubscribers(SubscriberTable& table);

// The operator's "Ajouter": name cut to 24 characters, first name to 19,
// every '-' made '_'. Refused without a message when either is empty or
// blank-led, when a record has the same name and first name ignoring case,
// or when 500 subscribers are listed. Returns the index of the new record in
// the sorted table (`sex` 1, everything else empty), or -1 when refused.
int AddSubscriber(SubscriberTable& table, std::string_view typedName,
                  std::string_view typedFirstName);

// Clears the record at `index` (a listed one) entirely and sorts the table.
// False when there is no subscriber there.
bool RemoveSubscriber(SubscriberTable& table, int index);

// Today as the files count days (see `common::DayNumber`).
int TodayDayNumber(const common::LocalDateTime& now);

// Derives the numbers from the texts; a date with a negative index or later
// than `todayDayNumber` becomes "no date" (indexes 0, texts "0"). True when
// the date was reset.
bool ValidateBirthDate(Subscriber& subscriber, int todayDayNumber);

// A club that is not among the first 101 of `clubItems` (the club combo's
// items in order, the empty item first) is cleared. True when cleared.
bool ValidateClub(Subscriber& subscriber, const std::vector<std::string>& clubItems);

// Both checks on every record, as done after a load or an import.
void ValidateSubscribers(SubscriberTable& table, int todayDayNumber,
                         const std::vector<std::string>& clubItems);

// A transponder the record may take: empty or exactly six digits.
bool IsStorableTransponder(std::string_view text);

// Clear-then-load of the working folder's subscribers; on failure the
// message is shown and the table stays empty, so "Ok" creates the file.
bool LoadSubscribersDatabase(const common::WorkingFolder& folder, SubscriberTable& table,
                             common::MessageSink& messages);
// Writes the listed subscribers, with the message on failure.
bool SaveSubscribersDatabase(const common::WorkingFolder& folder, const SubscriberTable& table,
                             common::MessageSink& messages);

} // namespace tallimo::databases
