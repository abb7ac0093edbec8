#include "i18n/core/month_names.h"

#include <array>

namespace tallimo::i18n {
namespace {

// By month; each row in code order.
constexpr std::array<PerLanguage, 12> kMonths = {{
    {"January", "janvier", "Januar", "gennaio", "Janeiro", "enero"},
    {"February", "février", "Februar", "febbraio", "Fevereiro", "febrero"},
    {"March", "mars", "März", "marzo", "Março", "marzo"},
    {"April", "avril", "April", "aprile", "Abril", "abril"},
    {"May", "mai", "Mai", "maggio", "Maio", "mayo"},
    {"June", "juin", "Juni", "giugno", "Junho", "junio"},
    {"July", "juillet", "Juli", "luglio", "Julho", "julio"},
    {"August", "août", "August", "agosto", "Agosto", "agosto"},
    {"September", "septembre", "September", "settembre", "Setembro", "septiembre"},
    {"October", "octobre", "Oktober", "ottobre", "Outubro", "octubre"},
    {"November", "novembre", "November", "novembre", "Novembro", "noviembre"},
    {"December", "décembre", "Dezember", "dicembre", "Dezembro", "diciembre"},
}};

} // namespace

std::string MonthName(int month, LanguageCode code) {
    if (month < 0 || month >= static_cast<int>(kMonths.size()))
        return {};
    return PickByLanguage(kMonths[static_cast<std::size_t>(month)], code);
}

} // namespace tallimo::i18n
