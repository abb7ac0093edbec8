#pragma once

#include "i18n/core/language_code.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tallimo::i18n {

// A slot holds 60 characters with its terminator in the files' world, so a
// label is at most 59 Windows-1252 bytes.
inline constexpr std::size_t kTranslationSlotChars = 60;
inline constexpr std::size_t kTranslationTextChars = kTranslationSlotChars - 1;

// The editor works on tables of this many rows; every window needs fewer.
inline constexpr int kTranslationTableRows = 100;

// One label in the six languages, in code order. Texts are Windows-1252.
struct TranslationRow {
    std::array<std::string, kLanguageCount> texts;

    friend bool operator==(const TranslationRow&, const TranslationRow&) = default;
};

// The labels of one window. The table always has room for 100 rows; the
// window's row count says how many of them the files and lookups use.
class TranslationTable {
public:
    // Empties every slot of the first `rowCount` rows (clamped to the table).
    void clear(int rowCount = kTranslationTableRows);

    // Slot [row][code]; an empty text for a row outside the table. Unknown
    // codes read the English column.
    const std::string& text(int row, LanguageCode code) const;
    // Stores `value` cut to 59 bytes; a row outside the table is ignored.
    void setText(int row, LanguageCode code, std::string_view value);

    const TranslationRow& row(int index) const { return m_rows[static_cast<std::size_t>(index)]; }

    friend bool operator==(const TranslationTable&, const TranslationTable&) = default;

private:
    std::array<TranslationRow, kTranslationTableRows> m_rows;
};

// True when `row` is a row index of a table with `rowCount` rows.
constexpr bool IsTableRow(int row, int rowCount) {
    return row >= 0 && row < rowCount && row < kTranslationTableRows;
}

} // namespace tallimo::i18n
