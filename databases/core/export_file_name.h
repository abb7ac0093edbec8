#pragma once

#include "i18n/core/language_code.h"

#include <string>
#include <string_view>

namespace tallimo::databases {

// The export path for what the operator typed: `extension` (".bdt2") is
// appended when the name does not contain it.
std::string WithExportExtension(std::string_view chosen, std::string_view extension);

// The save dialog asks before replacing the name it was given; when the
// extension is appended afterwards the window asks this question itself.
inline constexpr std::string_view kExportOverwriteCaption = "Attention";

// "old.bdt2 existe déjà..." in `code`, Windows-1252; `fileName` is
// Windows-1252 too.
std::string ExportOverwriteQuestion(std::string_view fileName, i18n::LanguageCode code);

} // namespace tallimo::databases
