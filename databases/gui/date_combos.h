#pragma once

// The day, month and year combos of the database windows. The item index is
// the stored index: day 0 is the 1st, month 0 January, year 0 is 1900.

#include "i18n/core/language_code.h"

class QComboBox;

namespace tallimo::databases {

// The twelve month names of `language`, in calendar order.
void FillMonthCombo(QComboBox* combo, i18n::LanguageCode language);
// "1900" up to the year of `currentYearIndex` (years since 1900).
void FillYearCombo(QComboBox* combo, int currentYearIndex);
// "1" up to `days`; keeps the selection when it still exists, else none.
void FillDayCombo(QComboBox* combo, int days);

} // namespace tallimo::databases
