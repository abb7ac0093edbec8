#pragma once

#include "i18n/core/language_code.h"

#include <string>

namespace tallimo::i18n {

// Built-in texts of the tracks window, in Windows-1252.

// Shown instead of the record fields of a track without a lap record.
std::string NoTrackRecordText(LanguageCode code);

// The word between the record time and its holder ("par" in French).
std::string RecordHolderWord(LanguageCode code);

} // namespace tallimo::i18n
