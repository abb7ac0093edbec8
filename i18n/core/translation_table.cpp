#include "i18n/core/translation_table.h"

#include <algorithm>

namespace tallimo::i18n {

void TranslationTable::clear(int rowCount) {
    const int count = std::clamp(rowCount, 0, kTranslationTableRows);
    for (int r = 0; r < count; ++r)
        for (std::string& slot : m_rows[static_cast<std::size_t>(r)].texts)
            slot.clear();
}

const std::string& TranslationTable::text(int row, LanguageCode code) const {
    static const std::string empty;
    if (!IsTableRow(row, kTranslationTableRows))
        return empty;
    return m_rows[static_cast<std::size_t>(row)].texts[LanguageColumn(code)];
}

void TranslationTable::setText(int row, LanguageCode code, std::string_view value) {
    if (!IsTableRow(row, kTranslationTableRows))
        return;
    m_rows[static_cast<std::size_t>(row)].texts[LanguageColumn(code)] =
        value.substr(0, std::min(value.size(), kTranslationTextChars));
}

} // namespace tallimo::i18n
