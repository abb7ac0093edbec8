#pragma once

// First names with their namedays: the subscribers' first names
// ("BaseDonnéesPrénomsAbonnés.bd1", 500 records, rebuilt by the subscribers
// window) and the shipped calendar ("FirstNames/PrénomsFrançais.bd1", 1350
// records). Both use the same record and line format. Names are
// Windows-1252 bytes of at most 19 characters.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::databases {

constexpr int kSubscriberFirstNames = 500;
constexpr int kCalendarFirstNames = 1350;
constexpr std::size_t kFirstNameChars = 19;
// Day and month of a nameday nobody knows.
constexpr std::int32_t kUnknownNameday = 100;

// UTF-8, for `WorkingFolder::path`.
inline constexpr const char* kSubscriberFirstNamesFileName = "BaseDonn\xC3\xA9"
                                                             "esPr\xC3\xA9nomsAbonn\xC3\xA9s.bd1";
inline constexpr const char* kCalendarFileName = "FirstNames/Pr\xC3\xA9nomsFran\xC3\xA7"
                                                 "ais.bd1";
inline constexpr std::string_view kFirstNamesExportExtension = ".bdpr2";

inline const char* const kSubscriberFirstNamesErrorText =
    "Error : 'Subscribers first names' database file not found";
inline const char* const kCalendarErrorText =
    "Error : 'French first names' database file not found";
inline const char* const kFirstNamesImportErrorText =
    "Error : Import file 'Subscribers first names' not found";
inline const char* const kFirstNamesExportErrorText =
    "Error : Export file 'Subscribers first names' not found";

struct SubscriberFirstName {
    std::string firstName; // empty = free record
    std::int32_t namedayDay = kUnknownNameday;
    std::int32_t namedayMonth = kUnknownNameday;

    bool hasNameday() const {
        return namedayDay != kUnknownNameday || namedayMonth != kUnknownNameday;
    }
    friend bool operator==(const SubscriberFirstName&, const SubscriberFirstName&) = default;
};

// A table keeps its size (500 or 1350); the names in use come first once
// sorted.
using FirstNameTable = std::vector<SubscriberFirstName>;

// A table of `size` cleared records (empty names, 100/100).
FirstNameTable MakeFirstNameTable(int size);
void ClearFirstNames(FirstNameTable& table, int count);

// The used records before the first empty name.
int CountFirstNames(const FirstNameTable& table);

// "%d\t%d\t%s\t\n" per record, for the first `count` records.
std::string FormatFirstNamesFile(const FirstNameTable& table, int count);
// Fills the table from the start, up to its size; the rest is cleared.
void ParseFirstNamesFile(std::string_view bytes, FirstNameTable& table);

// False when the file cannot be opened (the table is then untouched).
bool LoadFirstNames(FirstNameTable& table, const std::filesystem::path& path);
// Whole file through a temporary file; false when it cannot be written.
bool SaveFirstNames(const FirstNameTable& table, int count, const std::filesystem::path& path);

// Alphabetical: lowercased names ascending byte by byte, empty names last;
// of equal names the later entry comes first.
void SortFirstNames(FirstNameTable& table);
// Date order: (month, day, lowercased name) ascending; unknown namedays
// after every dated entry, empty names after the others of the same date,
// equal entries later-first.
void SortFirstNamesByDate(FirstNameTable& table);

// The first record whose normalised name equals that of `firstName`, or -1.
int FindNormalisedFirstName(const FirstNameTable& table, std::string_view firstName);

// Clear-then-load of either file of the working folder, with its message on
// failure.
bool LoadSubscriberFirstNamesDatabase(const common::WorkingFolder& folder, FirstNameTable& table,
                                      common::MessageSink& messages);
bool LoadCalendarDatabase(const common::WorkingFolder& folder, FirstNameTable& table,
                          common::MessageSink& messages);

// The records that hold a name, in table order: what the files and an
// export keep.
FirstNameTable NamedFirstNames(const FirstNameTable& table);

// Stores what the operator typed ('-' made '_', at most 19 characters) in
// the first free record with an unknown nameday. Refused without a message
// when the name is empty, starts with a blank, is already there ignoring
// case, or no record is free. The table is not sorted.
bool AddFirstName(FirstNameTable& table, std::string_view typed);

// Writes every named record, in table order, to either file of the working
// folder ("FirstNames/" made when missing), with its message on failure.
// Free records are left out wherever they stand, so a record without a name
// in the middle of the table costs none of the names after it.
bool SaveSubscriberFirstNamesDatabase(const common::WorkingFolder& folder,
                                      const FirstNameTable& table, common::MessageSink& messages);
bool SaveCalendarDatabase(const common::WorkingFolder& folder, const FirstNameTable& table,
                          common::MessageSink& messages);

} // namespace tallimo::databases
