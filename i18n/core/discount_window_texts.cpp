#include "i18n/core/discount_window_texts.h"

namespace tallimo::i18n {
namespace {

// English, French, German, Italian, Portuguese, Spanish.
constexpr PerLanguage kBirthdayName = {"Subscribers birthday",   "Anniversaire abonnés",
                                       "Geburtstag Abonnenten",  "Compleanno abbonati",
                                       "Aniversário assinantes", "Cumpleaños abonados"};

constexpr PerLanguage kNamedayName = {"Subscribers name day",  "Fête prénom abonnés",
                                      "Namenstag Abonnenten",  "Festa nome abbonati",
                                      "Festa nome assinantes", "Fiesta nombre abonados"};

constexpr PerLanguage kBirthdayDate = {"Date Birthday",   "Date Anniversaire", "Datum Geburtstag",
                                       "Data Compleanno", "Data Aniversário",  "Fecha Cumpleaños"};

// The Portuguese label has always read "sobrenome".
constexpr PerLanguage kNamedayDate = {"Date of Name day",        "Date Fête du prénom",
                                      "Datum Namenstag",         "Data Festa del nome",
                                      "Data Festa de sobrenome", "Fecha Fiesta de nombre"};

} // namespace

std::string FixedEventName(FixedDiscountEvent event, LanguageCode code) {
    return PickByLanguage(
        event == FixedDiscountEvent::SubscribersNameday ? kNamedayName : kBirthdayName, code);
}

std::string FixedEventDateLabel(FixedDiscountEvent event, LanguageCode code) {
    return PickByLanguage(
        event == FixedDiscountEvent::SubscribersNameday ? kNamedayDate : kBirthdayDate, code);
}

} // namespace tallimo::i18n
