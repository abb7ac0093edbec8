#pragma once

#include "common/core/working_folder.h"
#include "i18n/core/language_code.h"

#include <string>
#include <string_view>

namespace tallimo::i18n {

// The main window's translation file carries the two language codes at its
// start, "%d\t%d" (interface, reports); the rest of the file is its table.
inline constexpr std::string_view kLanguageSettingsFileName = "FenetrePrincipale.trans";

struct LanguageSettings {
    LanguageCode interfaceCode = LanguageCode::English;
    LanguageCode reportCode = LanguageCode::English;

    friend bool operator==(const LanguageSettings&, const LanguageSettings&) = default;
};

// Takes the two numbers from the start of the bytes. A number that is not
// there leaves its code as it was, and the second is only looked for after
// the first was read.
void ParseLanguageLine(std::string_view bytes, LanguageSettings& settings);

// The language line of a freshly shipped file: "%d\t%d\t\n".
std::string FormatLanguageLine(const LanguageSettings& settings);

// False when the file cannot be opened; `settings` then keeps what it held.
bool ReadLanguageSettings(const common::WorkingFolder& folder, LanguageSettings& settings);

// Overwrites the first three bytes of the existing file with "%d\t%d" and
// leaves every other byte as it is. False, with nothing written, when the
// file does not exist or a code is not one of the six languages (its text
// would not fit the three bytes).
bool WriteLanguageSettings(const common::WorkingFolder& folder, const LanguageSettings& settings);

} // namespace tallimo::i18n
