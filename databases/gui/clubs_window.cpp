#include "databases/gui/clubs_window.h"

#include "common/gui/text_conversion.h"
#include "databases/core/countries_file.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"

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
// Rows of the common vocabulary.
enum WordRow {
    kWordAdd = 0,
    kWordRemove = 1,
    kWordImport = 2,
    kWordExport = 3,
    kWordNumber = 6,
    kWordOk = 14,
    kWordCancel = 15
};

} // namespace

ClubsWindow::ClubsWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                         printing::PictureLibrary& pictures, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_pictures(pictures),
      m_chooser(SystemFileChooser(m_folder, kClubsExportExtension)) {
    setObjectName("clubsWindow");
    setModal(true);
    buildControls();
    loadTexts();

    common::DialogMessageSink sink(m_dialogs, this);
    LoadClubsDatabase(m_folder, m_clubs, sink);
    fillCountries();
    showList(CountClubs(m_clubs) > 0 ? 0 : -1);
    connectControls();
}

ClubsWindow::~ClubsWindow() = default;

void ClubsWindow::setFileChooser(FileChooser chooser) {
    m_chooser = chooser ? std::move(chooser) : SystemFileChooser(m_folder, kClubsExportExtension);
}

void ClubsWindow::buildControls() {
    m_heading = NamedLabel("headingLabel", this);
    m_newLabel = NamedLabel("newLabel", this);
    m_newName = LimitedEdit("newNameEdit", this, static_cast<int>(kTypedClubNameChars));
    m_add = NamedButton("addButton", this);

    m_listLabel = NamedLabel("clubListLabel", this);
    m_numberLabel = NamedLabel("numberListLabel", this);
    m_clubList = new QListWidget(this);
    m_clubList->setObjectName("clubList");
    // One line: the number of the club shown.
    m_numberList = RecordNumberList(this);
    m_remove = NamedButton("removeButton", this);

    m_name = NamedEdit("clubNameEdit", this, true);
    m_fullNameLabel = NamedLabel("fullNameLabel", this);
    m_fullName = LimitedEdit("fullNameEdit", this, kTypedLongText);
    m_addressLabel = NamedLabel("addressLabel", this);
    m_address1 = LimitedEdit("address1Edit", this, kTypedLongText);
    m_address2 = LimitedEdit("address2Edit", this, kTypedLongText);
    m_postalCodeLabel = NamedLabel("postalCodeLabel", this);
    m_postalCode = LimitedEdit("postalCodeEdit", this, kTypedPostalCode);
    m_townLabel = NamedLabel("townLabel", this);
    m_town = LimitedEdit("townEdit", this, kTypedLongText);
    m_countryLabel = NamedLabel("countryLabel", this);
    m_country = new QComboBox(this);
    m_country->setObjectName("countryCombo");
    m_phoneLabel = NamedLabel("phoneLabel", this);
    m_phone = LimitedEdit("phoneEdit", this, kTypedPhone);
    m_emailLabel = NamedLabel("emailLabel", this);
    m_email = LimitedEdit("emailEdit", this, kTypedLongText);

    m_logoLabel = NamedLabel("logoLabel", this);
    m_logo = new PictureFrame(kLogoBox, this);

    m_import = NamedButton("importButton", this);
    m_export = NamedButton("exportButton", this);
    m_ok = NamedButton("okButton", this);
    m_cancel = NamedButton("cancelButton", this);

    auto* newRow = new QHBoxLayout;
    newRow->addWidget(m_newLabel);
    newRow->addWidget(m_newName);
    newRow->addWidget(m_add);

    auto* lists = new QGridLayout;
    lists->addWidget(m_listLabel, 0, 0);
    lists->addWidget(m_numberLabel, 0, 1);
    lists->addWidget(m_clubList, 1, 0, 2, 1);
    lists->addWidget(m_numberList, 1, 1, Qt::AlignTop);
    lists->addWidget(m_remove, 3, 0, 1, 2);

    auto* left = new QVBoxLayout;
    left->addLayout(newRow);
    left->addLayout(lists);

    auto* fields = new QGridLayout;
    fields->addWidget(m_name, 0, 0, 1, 2);
    fields->addWidget(m_fullNameLabel, 1, 0);
    fields->addWidget(m_fullName, 1, 1);
    fields->addWidget(m_addressLabel, 2, 0);
    fields->addWidget(m_address1, 2, 1);
    fields->addWidget(m_address2, 3, 1);
    fields->addWidget(m_postalCodeLabel, 4, 0);
    fields->addWidget(m_postalCode, 4, 1);
    fields->addWidget(m_townLabel, 5, 0);
    fields->addWidget(m_town, 5, 1);
    fields->addWidget(m_countryLabel, 6, 0);
    fields->addWidget(m_country, 6, 1);
    fields->addWidget(m_phoneLabel, 7, 0);
    fields->addWidget(m_phone, 7, 1);
    fields->addWidget(m_emailLabel, 8, 0);
    fields->addWidget(m_email, 8, 1);

    auto* middle = new QVBoxLayout;
    middle->addLayout(fields);
    middle->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(m_logoLabel);
    right->addWidget(m_logo);
    right->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(middle, 1);
    body->addLayout(right);

    LayOutDatabaseWindow(this, m_heading, body, m_import, m_export, m_ok, m_cancel);
}

void ClubsWindow::loadTexts() {
    const i18n::WindowTexts texts =
        LoadDatabaseWindowTexts(m_folder, kTextsStem, kClubRowCount, m_dialogs, this);
    m_language = texts.languages.interfaceCode;

    // A label the files do not give keeps the dialog template's text.
    const auto label = [&](int row, const char* fallback) {
        return TextOr(texts.label(row), fallback);
    };
    const auto word = [&](int row, const char* fallback) {
        return TextOr(texts.word(row), fallback);
    };

    setWindowTitle(FromCp1252(i18n::WindowTitle(i18n::TitledWindow::Clubs, m_language)));
    m_heading->setText(label(kRowHeading, "Base de donn\xE9"
                                          "es : Liste des clubs/teams"));
    m_listLabel->setText(label(kRowList, "Clubs / Teams (100 max)"));
    m_fullNameLabel->setText(label(kRowFullName, "Nom complet"));
    m_addressLabel->setText(label(kRowAddress, "Adresse"));
    m_postalCodeLabel->setText(label(kRowPostalCode, "Code postal"));
    m_townLabel->setText(label(kRowTown, "Ville"));
    m_countryLabel->setText(label(kRowCountry, "Pays"));
    m_phoneLabel->setText(label(kRowPhone, "T\xE9l\xE9phone"));
    m_emailLabel->setText(label(kRowEmail, "E-mail"));
    m_newLabel->setText(label(kRowNew, "Nouveau"));
    m_logoLabel->setText(label(kRowLogo, "Logo"));

    m_add->setText(word(kWordAdd, "Ajouter"));
    m_remove->setText(word(kWordRemove, "Supprimer"));
    m_import->setText(word(kWordImport, "Importer"));
    m_export->setText(word(kWordExport, "Exporter"));
    m_numberLabel->setText(word(kWordNumber, "N\xB0ID"));
    m_ok->setText(word(kWordOk, "Ok"));
    m_cancel->setText(word(kWordCancel, "Echap"));
}

void ClubsWindow::fillCountries() {
    common::DialogMessageSink sink(m_dialogs, this);
    std::vector<std::string> countries;
    LoadCountriesDatabase(m_folder, countries, sink);
    const QSignalBlocker blocker(m_country);
    m_country->clear();
    for (const std::string& country : countries)
        m_country->addItem(FromCp1252(country));
}

void ClubsWindow::storeEdits(QLineEdit* edit, std::string Club::*field, std::size_t capacity) {
    // textEdited, not textChanged: showing a club must not count as an edit.
    connect(edit, &QLineEdit::textEdited, this, [this, field, capacity](const QString& text) {
        if (Club* club = selectedClub())
            club->*field = ToCp1252(text).substr(0, capacity);
    });
}

void ClubsWindow::connectControls() {
    connect(m_add, &QPushButton::clicked, this, &ClubsWindow::addClub);
    connect(m_newName, &QLineEdit::returnPressed, this, &ClubsWindow::addClub);
    connect(m_remove, &QPushButton::clicked, this, &ClubsWindow::removeClub);
    connect(m_import, &QPushButton::clicked, this, &ClubsWindow::importClubs);
    connect(m_export, &QPushButton::clicked, this, &ClubsWindow::exportClubs);
    connect(m_ok, &QPushButton::clicked, this, &ClubsWindow::saveAndClose);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_clubList, &QListWidget::currentRowChanged, this, &ClubsWindow::selectClub);

    storeEdits(m_fullName, &Club::fullName, kClubFullNameChars);
    storeEdits(m_address1, &Club::clubAddress1, kClubAddressChars);
    storeEdits(m_address2, &Club::clubAddress2, kClubAddressChars);
    storeEdits(m_postalCode, &Club::clubPostalCode, kClubPostalCodeChars);
    storeEdits(m_town, &Club::clubTown, kClubTownChars);
    storeEdits(m_phone, &Club::clubPhone, kClubPhoneChars);
    storeEdits(m_email, &Club::clubEmail, kClubEmailChars);
    connect(m_country, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (Club* club = selectedClub())
            club->clubCountry =
                index < 0 ? std::string()
                          : ToCp1252(m_country->itemText(index)).substr(0, kClubCountryChars);
    });

    m_logo->onChoose = [this] { chooseLogo(); };
    m_logo->onClear = [this] { clearLogo(); };
}

bool ClubsWindow::hasSelection() const {
    return m_selected >= 0 && m_selected < CountClubs(m_clubs);
}

Club* ClubsWindow::selectedClub() {
    return hasSelection() ? &m_clubs[static_cast<std::size_t>(m_selected)] : nullptr;
}

void ClubsWindow::addClub() {
    const int added = AddClub(m_clubs, ToCp1252(m_newName->text()));
    if (added < 0)
        return;
    m_newName->clear();
    showList(added);
}

void ClubsWindow::removeClub() {
    if (!hasSelection() || !RemoveClub(m_clubs, m_selected))
        return;
    showList(CountClubs(m_clubs) > 0 ? 0 : -1);
}

void ClubsWindow::importClubs() {
    const QString chosen =
        ChooseFile(m_chooser, this, false, i18n::FilteredFile::Clubs, m_language);
    if (chosen.isEmpty())
        return;
    // Read into a scratch table: a file that cannot be read must not cost
    // the operator the clubs being edited.
    ClubTable imported{};
    if (!LoadClubs(imported, PathOf(chosen))) {
        m_dialogs.inform(this, kClubsErrorCaption, kClubsImportErrorText, common::DialogIcon::Stop);
        return;
    }
    m_clubs = std::move(imported);
    showList(CountClubs(m_clubs) > 0 ? 0 : -1);
}

void ClubsWindow::exportClubs() {
    const std::optional<std::filesystem::path> target = ChooseExportFile(
        m_chooser, this, i18n::FilteredFile::Clubs, kClubsExportExtension, m_language, m_dialogs);
    if (!target)
        return;
    if (!SaveClubs(m_clubs, CountClubs(m_clubs), *target))
        m_dialogs.inform(this, kClubsErrorCaption, kClubsExportErrorText, common::DialogIcon::Stop);
}

void ClubsWindow::saveAndClose() {
    common::DialogMessageSink sink(m_dialogs, this);
    // On a failed write the window stays open, so the edits can still be
    // exported or written once the folder is fixed.
    if (SaveClubsDatabase(m_folder, m_clubs, sink))
        accept();
}

void ClubsWindow::chooseLogo() {
    Club* club = selectedClub();
    if (!club)
        return;
    if (std::optional<std::string> stored =
            ChoosePicture(m_chooser, this, m_language, kClubLogoChars)) {
        club->logoPath = std::move(*stored);
        showLogo();
    }
}

void ClubsWindow::clearLogo() {
    if (Club* club = selectedClub()) {
        club->logoPath.clear();
        showLogo();
    }
}

void ClubsWindow::showList(int index) {
    {
        const QSignalBlocker blocker(m_clubList);
        m_clubList->clear();
        const int count = CountClubs(m_clubs);
        for (int i = 0; i < count; ++i)
            m_clubList->addItem(FromCp1252(m_clubs[static_cast<std::size_t>(i)].clubName));
    }
    selectClub(index);
}

void ClubsWindow::selectClub(int index) {
    m_selected = index >= 0 && index < CountClubs(m_clubs) ? index : -1;
    {
        const QSignalBlocker blocker(m_clubList);
        m_clubList->setCurrentRow(m_selected);
    }
    ShowRecordNumber(m_numberList, m_selected);
    showClub();
}

void ClubsWindow::showClub() {
    static const Club kNone{};
    const Club* selected = selectedClub();
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
    m_remove->setEnabled(enabled);
    showLogo();
}

void ClubsWindow::showLogo() {
    const Club* club = selectedClub();
    m_logo->showPicture(club ? club->logoPath : std::string(), m_pictures, m_folder);
}

} // namespace tallimo::databases
