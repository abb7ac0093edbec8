#include "i18n/core/age_text.h"

#include "i18n/core/text_fields.h"

namespace tallimo::i18n {
namespace {

// English, French, German, Italian, Portuguese, Spanish.
constexpr PerLanguage kAge = {"(%d years)", "(%d ans)",  "(%d Jahre)",
                              "(%d anni)",  "(%d anos)", "(%d años)"};

} // namespace

std::string AgeTextFormat(LanguageCode code) {
    return PickByLanguage(kAge, code);
}

std::string AgeText(int years, LanguageCode code) {
    return FillTextField(AgeTextFormat(code), "%d", std::to_string(years));
}

} // namespace tallimo::i18n
