#pragma once

#include "i18n/core/language_code.h"

#include <string>

namespace tallimo::i18n {

// The age shown beside a birth date, "(%d ans)" in French. The plural form
// stands for every count, 1 included: the operators have always read it so.
std::string AgeTextFormat(LanguageCode code);

// The Windows-1252 age text of `years` in `code` (English for unknown codes).
std::string AgeText(int years, LanguageCode code);

} // namespace tallimo::i18n
