#include "i18n/core/language_names.h"

#include <array>

namespace tallimo::i18n {
namespace {

// By the language the names are written in; each row in code order.
constexpr std::array<PerLanguage, kLanguageCount> kNames = {{
    {"English", "French", "German", "Italian", "Portuguese", "Spanish"},
    {"Anglais", "Français", "Allemand", "Italien", "Portugais", "Espagnol"},
    {"Englisch", "Französisch", "Deutsch", "Italienisch", "Portugiesisch", "Spanisch"},
    {"Inglese", "Francese", "Tedesco", "Italiano", "Portoghese", "Spagnolo"},
    {"Inglês", "Francês", "Alemão", "Italiano", "Português", "Espanhol"},
    {"Inglés", "Francés", "Alemán", "Italiano", "Portugués", "Español"},
}};

} // namespace

std::string LanguageName(LanguageCode language, LanguageCode inLanguage) {
    return PickByLanguage(kNames[LanguageColumn(inLanguage)], language);
}

} // namespace tallimo::i18n
