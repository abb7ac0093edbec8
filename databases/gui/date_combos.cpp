#include "databases/gui/date_combos.h"

#include "common/gui/text_conversion.h"
#include "i18n/core/month_names.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace tallimo::databases {

void FillMonthCombo(QComboBox* combo, i18n::LanguageCode language) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (int month = 0; month < 12; ++month)
        combo->addItem(common::FromCp1252(i18n::MonthName(month, language)));
}

void FillYearCombo(QComboBox* combo, int currentYearIndex) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (int year = 0; year <= currentYearIndex; ++year)
        combo->addItem(QString::number(1900 + year));
}

void FillDayCombo(QComboBox* combo, int days) {
    const QSignalBlocker blocker(combo);
    const int selected = combo->currentIndex();
    combo->clear();
    for (int day = 1; day <= days; ++day)
        combo->addItem(QString::number(day));
    combo->setCurrentIndex(selected < days ? selected : -1);
}

} // namespace tallimo::databases
