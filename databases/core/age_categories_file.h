#pragma once

// The age categories: at most 20, each a sex and a range of birth dates
// given as month and year. The categories in use come first, in the order
// they were added. Codes and names are Windows-1252 bytes.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::databases {

constexpr int kAgeCategorySlots = 20;
constexpr std::size_t kAgeCodeChars = 3;
constexpr std::size_t kAgeCategoryNameChars = 19;

// UTF-8, for `WorkingFolder::path`.
inline constexpr const char* kAgeCategoriesFileName = "BaseDonn\xC3\xA9"
                                                      "esAges.bd1";
inline constexpr std::string_view kAgeCategoriesExportExtension = ".bda2";

inline const char* const kAgeCategoriesFileErrorText =
    "Error : 'Age categories' database file not found";
inline const char* const kAgeCategoriesImportErrorText =
    "Error : Import file 'Age categories' not found";
inline const char* const kAgeCategoriesExportErrorText =
    "Error : Export file 'Age categories' not found";

struct AgeCategory {
    std::string code; // empty = free record
    std::string ageCategoryName;
    std::int32_t sex = 1; // 1 men, 0 women
    std::int32_t fromMonth = 0;
    std::int32_t fromYear = 0;
    std::int32_t toMonth = 0;
    std::int32_t toYear = 0;
    std::int32_t fromMonths = 0; // fromMonth + 12 * fromYear
    std::int32_t toMonths = 0;

    friend bool operator==(const AgeCategory&, const AgeCategory&) = default;
};

using AgeCategoryTable = std::array<AgeCategory, kAgeCategorySlots>;

void ClearAgeCategories(AgeCategoryTable& table);
// The codes before the first empty one.
int CountAgeCategories(const AgeCategoryTable& table);

std::string FormatAgeCategoriesFile(const AgeCategoryTable& table, int count);
// Clears the table and fills it from `bytes`, at most 20 records.
void ParseAgeCategoriesFile(std::string_view bytes, AgeCategoryTable& table);

// False when the file cannot be opened; the table is then left as it was.
bool LoadAgeCategories(AgeCategoryTable& table, const std::filesystem::path& path);
bool SaveAgeCategories(const AgeCategoryTable& table, int count, const std::filesystem::path& path);

// Clear-then-load and save of the working folder's file, with the message.
bool LoadAgeCategoriesDatabase(const common::WorkingFolder& folder, AgeCategoryTable& table,
                               common::MessageSink& messages);
bool SaveAgeCategoriesDatabase(const common::WorkingFolder& folder, const AgeCategoryTable& table,
                               common::MessageSink& messages);

// The operator's "Ajouter": at most 3 characters, '-', '(' and ')' become
// '_'; refused without a message when empty, when the first or second
// character is a blank, when the code is there already ignoring case, or
// when 20 are listed. The index of the new record, or -1.
int AddAgeCategory(AgeCategoryTable& table, std::string_view typedCode);
// The records after `index` move up; the last used one is cleared.
bool RemoveAgeCategory(AgeCategoryTable& table, int index);

// The window's invariant: the "from" date never after the "to" date. A
// change of the "from" date pulls it back to "to"; a change of "to" pushes
// it up to "from". Both month counts are recomputed.
void SetAgeCategoryFrom(AgeCategory& category, std::int32_t month, std::int32_t year);
void SetAgeCategoryTo(AgeCategory& category, std::int32_t month, std::int32_t year);

// Index of the last category in table order whose sex matches and whose
// range holds (birth year, birth month), both ends included; -1 for none.
int FindAgeCategory(const AgeCategoryTable& table, std::int32_t sex, std::int32_t birthYear,
                    std::int32_t birthMonth);

// Whole years of someone born in month `months` (months since January
// 1900) at month `nowMonths`.
int AgeInYears(std::int32_t months, std::int32_t nowMonths);

} // namespace tallimo::databases
