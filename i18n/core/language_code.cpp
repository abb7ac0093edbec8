#include "i18n/core/language_code.h"

#include "common/core/cp1252.h"

namespace tallimo::i18n {

std::string PickByLanguage(const PerLanguage& utf8Texts, LanguageCode code) {
    return common::Utf8ToCp1252(utf8Texts[LanguageColumn(code)]);
}

} // namespace tallimo::i18n
