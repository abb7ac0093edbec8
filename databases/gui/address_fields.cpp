#include "databases/gui/address_fields.h"

#include "databases/gui/database_widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <utility>

namespace tallimo::databases {

AddressFields::AddressFields(QWidget* parent)
    : addressLabel(NamedLabel("addressLabel", parent)),
      address1(LimitedEdit("address1Edit", parent, kTypedAddressText)),
      address2(LimitedEdit("address2Edit", parent, kTypedAddressText)),
      postalCodeLabel(NamedLabel("postalCodeLabel", parent)),
      postalCode(LimitedEdit("postalCodeEdit", parent, kTypedPostalCode)),
      townLabel(NamedLabel("townLabel", parent)),
      town(LimitedEdit("townEdit", parent, kTypedAddressText)),
      countryLabel(NamedLabel("countryLabel", parent)), country(NamedCombo("countryCombo", parent)),
      phoneLabel(NamedLabel("phoneLabel", parent)),
      phone(LimitedEdit("phoneEdit", parent, kTypedPhone)),
      emailLabel(NamedLabel("emailLabel", parent)),
      email(LimitedEdit("emailEdit", parent, kTypedAddressText)) {}

void AddressFields::addRows(QGridLayout* grid, int& row) const {
    const std::pair<QLabel*, QWidget*> rows[] = {
        {addressLabel, address1}, {nullptr, address2},     {postalCodeLabel, postalCode},
        {townLabel, town},        {countryLabel, country}, {phoneLabel, phone},
        {emailLabel, email}};
    for (const auto& [label, field] : rows) {
        if (label)
            grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1);
    }
}

void AddressFields::setLabels(
    const std::function<QString(int row, const char* fallback)>& label) const {
    addressLabel->setText(label(kAddressTextRow, "Adresse"));
    postalCodeLabel->setText(label(kPostalCodeTextRow, "Code postal"));
    townLabel->setText(label(kTownTextRow, "Ville"));
    countryLabel->setText(label(kCountryTextRow, "Pays"));
    phoneLabel->setText(label(kPhoneTextRow, "T\xE9l\xE9phone"));
    emailLabel->setText(label(kEmailTextRow, "E-mail"));
}

void AddressFields::fillCountries(const common::WorkingFolder& folder,
                                  common::MessageSink& messages) const {
    FillCountryCombo(country, folder, messages);
}

} // namespace tallimo::databases
