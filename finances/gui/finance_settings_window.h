#pragma once

// The frame of the discounts and loyalty card windows: the editing frame,
// with the words both borrow from the prices window's texts.

#include "databases/gui/editing_window.h"

#include <QString>

#include <string_view>

namespace tallimo::finances {

// The prices window's words ("FenetreTarifs.trans") and the clubs window's
// "Nouveau", each with its French text when the files give none.
struct PriceWords {
    QString session;
    QString minutes;
    QString category;
    QString rental;
    QString privateKarts;
    QString newRecord;
};

class FinanceSettingsWindow : public databases::EditingWindow {
protected:
    using databases::EditingWindow::EditingWindow;

    // The window's own texts with the prices window's, then the fleet's and
    // the clubs' tables, each missing file reported in that order as the
    // operator has always seen it.
    databases::WindowLabels loadSettingsTexts(std::string_view stem, int rows,
                                              i18n::TitledWindow title, PriceWords& words);
};

} // namespace tallimo::finances
