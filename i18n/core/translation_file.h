#pragma once

#include "common/core/working_folder.h"
#include "i18n/core/translation_table.h"

#include <string>
#include <string_view>

namespace tallimo::i18n {

// Translation files live in this folder of the working folder: "(stem).trans"
// holds a window's active labels, "(stem).usine" its factory labels.
inline constexpr std::string_view kTranslationFolder = "Translation/";
inline constexpr std::string_view kActiveExtension = ".trans";
inline constexpr std::string_view kFactoryExtension = ".usine";

// "Translation/" + file name, as a path under the working folder.
std::filesystem::path TranslationFilePath(const common::WorkingFolder& folder,
                                          std::string_view fileName);

// The bytes of a table: `rowCount` rows of six TAB-ended texts, each row
// ended by LF. No header, no row count.
std::string FormatTranslationFile(const TranslationTable& table, int rowCount);

// Reads up to `rowCount` rows into `table` without clearing it first: rows the
// bytes do not hold keep what they held, every field read replaces its slot
// (an empty field empties it), a field longer than 59 bytes is cut, whatever
// follows the sixth field up to LF is ignored.
void ParseTranslationFile(std::string_view bytes, TranslationTable& table, int rowCount);

// `fileName` is the stem with its extension ("BasePistes.trans"). Load returns
// false when the file cannot be read, leaving the table as it was; save
// returns false when the file cannot be written, leaving the old file whole.
bool LoadTranslationTable(const common::WorkingFolder& folder, std::string_view fileName,
                          TranslationTable& table, int rowCount);
bool SaveTranslationTable(const common::WorkingFolder& folder, std::string_view fileName,
                          const TranslationTable& table, int rowCount);

} // namespace tallimo::i18n
