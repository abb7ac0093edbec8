#pragma once

// The postal address, phone and e-mail block that clubs and subscribers
// share: the same controls, the same labels (the rows of "BaseClubs.trans"),
// the same grid rows. The window decides how an edit reaches its record.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"

#include <QString>

#include <functional>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace tallimo::databases {

// What the operator may type in each field; each keeps room for one more.
constexpr int kTypedAddressText = 38;
constexpr int kTypedPostalCode = 13;
constexpr int kTypedPhone = 19;

// Rows of the address labels in "BaseClubs.trans".
enum AddressTextRow {
    kAddressTextRow = 3,
    kPostalCodeTextRow = 4,
    kTownTextRow = 5,
    kCountryTextRow = 6,
    kPhoneTextRow = 7,
    kEmailTextRow = 8,
};

struct AddressFields {
    explicit AddressFields(QWidget* parent);

    // One grid row per field from `row` on, labels in column 0; `row` ends
    // past the last.
    void addRows(QGridLayout* grid, int& row) const;
    // `label` gives a row of "BaseClubs.trans" or its fallback.
    void setLabels(const std::function<QString(int row, const char* fallback)>& label) const;
    // The country list of the working folder, a missing file reported.
    void fillCountries(const common::WorkingFolder& folder, common::MessageSink& messages) const;

    QLabel* addressLabel;
    QLineEdit* address1;
    QLineEdit* address2;
    QLabel* postalCodeLabel;
    QLineEdit* postalCode;
    QLabel* townLabel;
    QLineEdit* town;
    QLabel* countryLabel;
    QComboBox* country;
    QLabel* phoneLabel;
    QLineEdit* phone;
    QLabel* emailLabel;
    QLineEdit* email;
};

} // namespace tallimo::databases
