#pragma once

// The kart category combo of the finance windows: only the named
// categories are offered, each item carrying its category's index, so an
// unnamed category between two named ones shifts nothing.

#include "finances/core/session_prices.h"

#include <array>
#include <string>

class QComboBox;

namespace tallimo::finances {

// Fills the combo and selects its first item, without reporting it.
void FillCategoryCombo(QComboBox* combo, const std::array<std::string, kPriceRows>& names);
// The category index of the chosen item; -1 when none is.
int SelectedCategory(const QComboBox* combo);

} // namespace tallimo::finances
