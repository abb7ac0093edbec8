#pragma once

#include "i18n/core/language_code.h"

#include <string>
#include <string_view>

namespace tallimo::i18n {

// Built-in texts of the subscribers window's print menu, in Windows-1252.

// The item that opens the blank registration form ("Formulaire").
std::string FormMenuItem(LanguageCode code);

// The word that begins the item printing the selected subscriber's sheet.
std::string SheetWord(LanguageCode code);

// That item: the sheet word, the first letter of the first name with a dot,
// and the name ("Fiche J. Dupont"). The names are Windows-1252 as stored; an
// empty first name leaves only the dot.
std::string SheetMenuItemText(LanguageCode code, std::string_view firstName, std::string_view name);

} // namespace tallimo::i18n
