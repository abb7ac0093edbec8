#pragma once

#include "i18n/core/language_code.h"

#include <string>

namespace tallimo::i18n {

// The Windows-1252 name of month 0..11 in `code`, written as that language
// writes it: lower case in French, Italian and Spanish, capitalised in
// English, German and Portuguese. Empty outside 0..11.
std::string MonthName(int month, LanguageCode code);

} // namespace tallimo::i18n
