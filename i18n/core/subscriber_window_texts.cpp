#include "i18n/core/subscriber_window_texts.h"

namespace tallimo::i18n {
namespace {

// English, French, German, Italian, Portuguese, Spanish.
constexpr PerLanguage kForm = {"Form",       "Formulaire", "Formular",
                               "Formulario", "Formulário", "Formulario"};

constexpr PerLanguage kSheet = {"Sheet", "Fiche", "Datenblatt", "Foglio", "Ficha", "Ficha"};

} // namespace

std::string FormMenuItem(LanguageCode code) {
    return PickByLanguage(kForm, code);
}

std::string SheetWord(LanguageCode code) {
    return PickByLanguage(kSheet, code);
}

std::string SheetMenuItemText(LanguageCode code, std::string_view firstName,
                              std::string_view name) {
    // Windows-1252 is one byte a letter, so the first byte is the initial.
    std::string text = SheetWord(code);
    text += ' ';
    text += firstName.substr(0, 1);
    text += ". ";
    text += name;
    return text;
}

} // namespace tallimo::i18n
