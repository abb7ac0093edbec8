#pragma once

#include "i18n/core/language_code.h"

#include <string>
#include <string_view>

namespace tallimo::i18n {

// Built-in messages of the rental fleet window, in Windows-1252. The kart
// label ("K101") fills the "%s" of the formats.

std::string KartAddedFormat(LanguageCode code);
std::string KartRemovedFormat(LanguageCode code);

std::string KartAddedText(LanguageCode code, std::string_view kartLabel);
std::string KartRemovedText(LanguageCode code, std::string_view kartLabel);

// The caption of both messages.
std::string FleetMessageCaption(LanguageCode code);

} // namespace tallimo::i18n
