#pragma once

// The kart categories database, which also holds the rental fleet: five
// category slots, each with a name, a description, a free text of
// characteristics (line breaks kept) and thirty kart entries of a kart
// identifier and the number of its transponder. A slot with an empty name is
// free, and free slots may sit between used ones: a category keeps its slot,
// because the slot number names its picture and the session's category.
// Text fields hold Windows-1252 bytes and never exceed the capacities below.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "session/core/rental_session.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::databases {

constexpr int kCategorySlots = 5;
constexpr int kFleetKartsPerCategory = 30;

// Characters each field holds (the terminator of the fixed-width fields is
// not counted), and what the operator may type into the first three.
constexpr std::size_t kKartCategoryNameChars = 15;
constexpr std::size_t kKartCategoryNameEntryChars = 14;
constexpr std::size_t kKartCategoryDescriptionChars = 49;
constexpr std::size_t kKartCategoryDescriptionEntryChars = 48;
constexpr std::size_t kKartCharacteristicsChars = 399;
constexpr std::size_t kKartCharacteristicsEntryChars = 398;
constexpr std::size_t kFleetKartIdChars = 4;
constexpr std::size_t kFleetTransponderChars = 6;

inline constexpr const char* kCategoriesFileName = "BaseDonneesCategories.bd1";
inline constexpr std::string_view kCategoriesExportExtension = ".bds2";

inline const char* const kCategoriesErrorCaption = "Error";
inline const char* const kCategoriesFileErrorText =
    "Error : 'Go-karts categories' database file not found";
inline const char* const kCategoriesImportErrorText =
    "Error : Import file 'Go-karts categories' not found";
inline const char* const kCategoriesExportErrorText =
    "Error : Export file 'Go-karts categories' not found";

struct FleetKart {
    std::string kartId; // "K%d"; empty = free entry
    std::string transponder;
    friend bool operator==(const FleetKart&, const FleetKart&) = default;
};

struct KartCategory {
    std::string name; // empty = free slot
    std::string description;
    std::string characteristics; // may hold line breaks
    std::array<FleetKart, kFleetKartsPerCategory> karts;
    friend bool operator==(const KartCategory&, const KartCategory&) = default;
};

using CategoryTable = std::array<KartCategory, kCategorySlots>;

// The fleet's transponders by category and position, beside the kart
// identifiers of `session::FleetLayout`.
using FleetTransponders =
    std::array<std::array<std::string, kFleetKartsPerCategory>, session::kRentalCategoryCount>;

void ClearCategories(CategoryTable& table);

// The bytes of the first `count` slots, free slots included (a free slot is
// a line of 63 TABs).
std::string FormatCategoriesFile(const CategoryTable& table, int count);

// Clears the table and fills it from `bytes`, at most five lines. Only a TAB
// ends the characteristics, so their line breaks come back as written.
void ParseCategoriesFile(std::string_view bytes, CategoryTable& table);

// False when the file cannot be opened; the table is then left as it was, so
// a failed import does not throw away the categories being edited.
bool LoadCategories(CategoryTable& table, const std::filesystem::path& path);

// False when the file cannot be written; the previous file then stays whole.
bool SaveCategories(const CategoryTable& table, int count, const std::filesystem::path& path);

// The used slots in slot order: what the category list shows, row by row.
std::vector<int> ListedCategorySlots(const CategoryTable& table);

// The slot named exactly `name`, or -1. An empty name is never found.
int FindCategory(const CategoryTable& table, std::string_view name);

// The operator's "Ajouter": the name (cut to 14 characters) gets '_' for
// every '-' and is refused without a message when empty, blank-led, already
// there ignoring case, reserved by the classification ("Toutes", "Karts
// privés"), or when five categories exist. The new category takes
// the lowest free slot, which is emptied first. Returns that slot, or -1.
int AddCategory(CategoryTable& table, std::string_view typedName);

// Clears every category named exactly `name`, its karts with it; the slot
// stays free where it is. True when a category was deleted.
bool DeleteCategory(CategoryTable& table, std::string_view name);

// What the rental session is built from: the names of the five slots and
// their kart identifiers by position.
session::FleetLayout FleetLayoutFromCategories(const CategoryTable& table);
FleetTransponders FleetTranspondersFromCategories(const CategoryTable& table);

// The transponder of the fleet kart `kartId`: when several entries carry
// the identifier the last one wins. False (and `transponder` untouched) when
// no entry carries it.
bool FindFleetTransponder(const CategoryTable& table, std::string_view kartId,
                          std::string& transponder);

// The slot of the category whose entries hold `kartId`, or -1 (a private kart).
int FindCategoryOfKart(const CategoryTable& table, std::string_view kartId);

// The categories database of the working folder, reported through
// `messages`: on a failed load the table is empty and "Ok" will create the file.
bool LoadCategoriesDatabase(const common::WorkingFolder& folder, CategoryTable& table,
                            common::MessageSink& messages);
// Writes all five slots.
bool SaveCategoriesDatabase(const common::WorkingFolder& folder, const CategoryTable& table,
                            common::MessageSink& messages);

} // namespace tallimo::databases
