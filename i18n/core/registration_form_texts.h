#pragma once

#include "i18n/core/language_code.h"

#include <string>

namespace tallimo::i18n {

// Built-in texts of the blank registration form printout, in Windows-1252.
// Its title is WindowTitle(TitledWindow::SubscriberForm, code).

// The heading printed above the fields ("Formulaire d'inscription").
std::string RegistrationFormHeading(LanguageCode code);

// The label of the copy count edit ("Nombre de copies").
std::string CopiesLabel(LanguageCode code);

// The note beside the fields a subscriber may leave empty.
std::string OptionalFieldNote(LanguageCode code);

} // namespace tallimo::i18n
