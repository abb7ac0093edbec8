#include "databases/gui/clubs_window.h"

#include "databases/core/countries_file.h"
#include "databases/core/record_rules.h"

#include <QComboBox>
#include <QGridLayout>
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
    m_address->fillCountries(this->folder(), messages());
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

void ClubsWindow::bindField(QLineEdit* edit, std::string Club::*field, std::size_t capacity) {
    // textEdited, not textChanged: showing a club must not count as an edit.
    connect(edit, &QLineEdit::textEdited, this, [this, field, capacity](const QString& text) {
        m_editor.edit([&](Club& club) { club.*field = ToCp1252(text).substr(0, capacity); });
    });
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
    m_fullName = LimitedEdit("fullNameEdit", this, kTypedAddressText);
    bindField(m_fullName, &Club::fullName, kClubFullNameChars);
    m_address.emplace(this);
    const AddressFields& address = *m_address;
    bindField(address.address1, &Club::clubAddress1, kClubAddressChars);
    bindField(address.address2, &Club::clubAddress2, kClubAddressChars);
    bindField(address.postalCode, &Club::clubPostalCode, kClubPostalCodeChars);
    bindField(address.town, &Club::clubTown, kClubTownChars);
    bindField(address.phone, &Club::clubPhone, kClubPhoneChars);
    bindField(address.email, &Club::clubEmail, kClubEmailChars);

    m_logoLabel = NamedLabel("logoLabel", this);
    m_logo = new PictureFrame(kLogoBox, this);

    QVBoxLayout* left = NewRecordColumn(m_newLabel, m_newName, m_add, list.layOut(m_remove));

    auto* fields = new QGridLayout;
    fields->addWidget(m_name, 0, 0, 1, 2);
    fields->addWidget(m_fullNameLabel, 1, 0);
    fields->addWidget(m_fullName, 1, 1);
    int row = 2;
    address.addRows(fields, row);

    layOutColumns(left, fields, {m_logoLabel, m_logo});

    attachEditor<ClubTable>(
        m_editor, m_newName, m_add, m_remove,
        [](const Club& club) { return FromCp1252(club.clubName); }, [this] { showClub(); });
    connect(m_address->country, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_editor.edit([&](Club& club) {
            club.clubCountry =
                index < 0
                    ? std::string()
                    : ToCp1252(m_address->country->itemText(index)).substr(0, kClubCountryChars);
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
    m_address->setLabels(label);
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
        {m_fullName, &club.fullName},
        {m_address->address1, &club.clubAddress1},
        {m_address->address2, &club.clubAddress2},
        {m_address->postalCode, &club.clubPostalCode},
        {m_address->town, &club.clubTown},
        {m_address->phone, &club.clubPhone},
        {m_address->email, &club.clubEmail},
    };
    for (const auto& [edit, text] : edits) {
        edit->setText(FromCp1252(*text));
        edit->setEnabled(enabled);
    }
    {
        const QSignalBlocker blocker(m_address->country);
        // No item when the stored country is none of the list's.
        m_address->country->setCurrentIndex(
            club.clubCountry.empty()
                ? -1
                : m_address->country->findText(FromCp1252(club.clubCountry),
                                               Qt::MatchFixedString | Qt::MatchCaseSensitive));
        m_address->country->setEnabled(enabled);
    }
    m_showLogo();
}

} // namespace tallimo::databases
