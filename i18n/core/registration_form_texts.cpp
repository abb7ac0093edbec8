#include "i18n/core/registration_form_texts.h"

namespace tallimo::i18n {
namespace {

// English, French, German, Italian, Portuguese, Spanish.
constexpr PerLanguage kHeading = {"Registration form",       "Formulaire d'inscription",
                                  "Registrierformular",      "Formulario di iscrizione",
                                  "Formulário de inscrição", "Formulario de inscripción"};

constexpr PerLanguage kCopies = {"Number of copies", "Nombre de copies", "Anzahl der Kopien",
                                 "Numero di copie",  "Número de cópias", "Número de copias"};

// The Italian note has always read "suggerisce".
constexpr PerLanguage kOptional = {"Optional (advised)",        "Facultatif (conseillé)",
                                   "Fakultativ (ratsam)",       "Facoltativo (suggerisce)",
                                   "Facultativo (recomendado)", "Facultativo (aconsejable)"};

} // namespace

std::string RegistrationFormHeading(LanguageCode code) {
    return PickByLanguage(kHeading, code);
}

std::string CopiesLabel(LanguageCode code) {
    return PickByLanguage(kCopies, code);
}

std::string OptionalFieldNote(LanguageCode code) {
    return PickByLanguage(kOptional, code);
}

} // namespace tallimo::i18n
