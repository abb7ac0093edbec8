#include "databases/gui/clubs_window.h"

#include "databases/core/countries_file.h"
#include "databases/core/record_rules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace tallimo::databases {

using common::FromCp1252;
using common::ToCp1252;

namespace {

constexpr std::string_view kTextsStem = "BaseClubs";
constexpr printing::PictureSize kLogoBox{197, 137};

// What the operator may type; each field keeps room for one more.
constexpr int kTypedLongText = 38;
constexpr int kTypedPostalCode = 13;
constexpr int kTypedPhone = 19;

// Rows of "BaseClubs.trans".
enum ClubRow {
    kRowHeading,
    kRowList,
    kRowFullName,
    kRowAddress,
    kRowPostalCode,
    kRowTown,
    kRowCountry,
    kRowPhone,
    kRowEmail,
    kRowNew,
    kRowLogo,
    kClubRowCount
};

} // namespace

ClubsWindow::ClubsWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                         printing::PictureLibrary& pictures, QWidget* parent)
    : EditingWindow(std::move(folder), dialogs, "clubsWindow",
                    ExchangeFormat{i18n::FilteredFile::Clubs, kClubsExportExtension,
                                   kClubsErrorCaption, kClubsImportErrorText,
                                   kClubsExportErrorText},
                    parent),
      m_pictures(pictures), m_editor(m_clubs, ClubRules()) {
    buildControls();
    loadTexts();
    LoadClubsDatabase(this->folder(), m_clubs, messages());
    FillCountryCombo(m_country, this->folder(), messages());
    m_editor.selectFirst();
    showList();
}

ClubsWindow::~ClubsWindow() = default;

bool ClubsWindow::save(common::MessageSink& messages) {
    return SaveClubsDatabase(this->folder(), m_clubs, messages);
}

bool ClubsWindow::exportTo(const std::filesystem::path& path) const {
    return SaveClubs(m_clubs, CountClubs(m_clubs), path);
}

QLineEdit* ClubsWindow::fieldEdit(const char* name, int typed, std::string Club::*field,
                                  std::size_t capacity) {
    QLineEdit* edit = LimitedEdit(name, this, typed);
    // textEdited, not textChanged: showing a club must not count as an edit.
    connect(edit, &QLineEdit::textEdited, this, [this, field, capacity](const QString& text) {
        m_editor.edit([&](Club& club) { club.*field = ToCp1252(text).substr(0, capacity); });
    });
    return edit;
}

void ClubsWindow::buildControls() {
    m_newLabel = NamedLabel("newLabel", this);
    m_newName = LimitedEdit("newNameEdit", this, static_cast<int>(kTypedClubNameChars));
    m_add = wordButton("addButton", ButtonWord::Add);
    RecordList& list =
        recordList("clubList", "clubListLabel", "numberListLabel", RecordNumbers::Selected);
    m_remove = wordButton("removeButton", ButtonWord::Remove);

    m_name = NamedEdit("clubNameEdit", this, true);
    m_fullNameLabel = NamedLabel("fullNameLabel", this);
    m_fullName = fieldEdit("fullNameEdit", kTypedLongText, &Club::fullName, kClubFullNameChars);
    m_addressLabel = NamedLabel("addressLabel", this);
    m_address1 = fieldEdit("address1Edit", kTypedLongText, &Club::clubAddress1, kClubAddressChars);
    m_address2 = fieldEdit("address2Edit", kTypedLongText, &Club::clubAddress2, kClubAddressChars);
    m_postalCodeLabel = NamedLabel("postalCodeLabel", this);
    m_postalCode =
        fieldEdit("postalCodeEdit", kTypedPostalCode, &Club::clubPostalCode, kClubPostalCodeChars);
    m_townLabel = NamedLabel("townLabel", this);
    m_town = fieldEdit("townEdit", kTypedLongText, &Club::clubTown, kClubTownChars);
    m_countryLabel = NamedLabel("countryLabel", this);
    m_country = NamedCombo("countryCombo", this);
    m_phoneLabel = NamedLabel("phoneLabel", this);
    m_phone = fieldEdit("phoneEdit", kTypedPhone, &Club::clubPhone, kClubPhoneChars);
    m_emailLabel = NamedLabel("emailLabel", this);
    m_email = fieldEdit("emailEdit", kTypedLongText, &Club::clubEmail, kClubEmailChars);

    m_logoLabel = NamedLabel("logoLabel", this);
    m_logo = new PictureFrame(kLogoBox, this);

    auto* newRow = new QHBoxLayout;
    newRow->addWidget(m_newLabel);
    newRow->addWidget(m_newName);
    newRow->addWidget(m_add);

    auto* left = new QVBoxLayout;
    left->addLayout(newRow);
    left->addLayout(list.layOut(m_remove));

    auto* fields = new QGridLayout;
    fields->addWidget(m_name, 0, 0, 1, 2);
    const std::pair<QLabel*, QWidget*> rows[] = {
        {m_fullNameLabel, m_fullName}, {m_addressLabel, m_address1},
        {nullptr, m_address2},         {m_postalCodeLabel, m_postalCode},
        {m_townLabel, m_town},         {m_countryLabel, m_country},
        {m_phoneLabel, m_phone},       {m_emailLabel, m_email}};
    int row = 1;
    for (const auto& [label, field] : rows) {
        if (label)
            fields->addWidget(label, row, 0);
        fields->addWidget(field, row++, 1);
    }

    layOutColumns(left, fields, {m_logoLabel, m_logo});

    attachEditor<ClubTable>(
        m_editor, m_newName, m_add, m_remove,
        [](const Club& club) { return FromCp1252(club.clubName); }, [this] { showClub(); });
    connect(m_country, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_editor.edit([&](Club& club) {
            club.clubCountry =
                index < 0 ? std::string()
                          : ToCp1252(m_country->itemText(index)).substr(0, kClubCountryChars);
        });
    });
    m_showLogo =
        attachPicture<ClubTable>(m_logo, m_editor, &Club::logoPath, kClubLogoChars, m_pictures);
}

void ClubsWindow::loadTexts() {
    const WindowLabels label =
        EditingWindow::loadTexts(kTextsStem, kClubRowCount, i18n::TitledWindow::Clubs);
    heading()->setText(label(kRowHeading, "Base de donn\xE9"
                                          "es : Liste des clubs/teams"));
    findChild<QLabel*>(QStringLiteral("clubListLabel"))
        ->setText(label(kRowList, "Clubs / Teams (100 max)"));
    m_fullNameLabel->setText(label(kRowFullName, "Nom complet"));
    m_addressLabel->setText(label(kRowAddress, "Adresse"));
    m_postalCodeLabel->setText(label(kRowPostalCode, "Code postal"));
    m_townLabel->setText(label(kRowTown, "Ville"));
    m_countryLabel->setText(label(kRowCountry, "Pays"));
    m_phoneLabel->setText(label(kRowPhone, "T\xE9l\xE9phone"));
    m_emailLabel->setText(label(kRowEmail, "E-mail"));
    m_newLabel->setText(label(kRowNew, "Nouveau"));
    m_logoLabel->setText(label(kRowLogo, "Logo"));
}

void ClubsWindow::showClub() {
    static const Club kNone{};
    const Club* selected = m_editor.current();
    const Club& club = selected ? *selected : kNone;
    const bool enabled = selected != nullptr;

    m_name->setText(FromCp1252(club.clubName));
    const std::pair<QLineEdit*, const std::string*> edits[] = {
        {m_fullName, &club.fullName},     {m_address1, &club.clubAddress1},
        {m_address2, &club.clubAddress2}, {m_postalCode, &club.clubPostalCode},
        {m_town, &club.clubTown},         {m_phone, &club.clubPhone},
        {m_email, &club.clubEmail},
    };
    for (const auto& [edit, text] : edits) {
        edit->setText(FromCp1252(*text));
        edit->setEnabled(enabled);
    }
    {
        const QSignalBlocker blocker(m_country);
        // No item when the stored country is none of the list's.
        m_country->setCurrentIndex(
            club.clubCountry.empty()
                ? -1
                : m_country->findText(FromCp1252(club.clubCountry),
                                      Qt::MatchFixedString | Qt::MatchCaseSensitive));
        m_country->setEnabled(enabled);
    }
    m_showLogo();
}

} // namespace tallimo::databases
