#include "finances/gui/category_combo.h"

#include "common/gui/text_conversion.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace tallimo::finances {

void FillCategoryCombo(QComboBox* combo, const std::array<std::string, kPriceRows>& names) {
    const QSignalBlocker blocker(combo);
    for (int c = 0; c < kPriceRows; ++c) {
        const std::string& name = names[static_cast<std::size_t>(c)];
        if (!name.empty())
            combo->addItem(common::FromCp1252(name), c);
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

int SelectedCategory(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? -1 : combo->currentData().toInt();
}

} // namespace tallimo::finances
