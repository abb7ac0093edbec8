#pragma once

#include "i18n/core/language_code.h"

#include <cstddef>
#include <string>

namespace tallimo::i18n {

// The language combos hold slots of 15 characters with their terminator.
inline constexpr std::size_t kLanguageNameChars = 14;

// The Windows-1252 name of `language` written in `inLanguage` (for example
// French in German: "Französisch"). Unknown codes read as English on both
// sides.
std::string LanguageName(LanguageCode language, LanguageCode inLanguage);

} // namespace tallimo::i18n
