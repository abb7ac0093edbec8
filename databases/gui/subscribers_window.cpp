#include "databases/gui/subscribers_window.h"

#include "common/core/date_index.h"
#include "common/gui/text_conversion.h"
#include "databases/core/clubs_file.h"
#include "databases/core/countries_file.h"
#include "databases/gui/date_combos.h"
#include "i18n/core/subscriber_window_texts.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <optional>
#include <string_view>
#include <utility>

namespace tallimo::databases {

using common::FromCp1252;
using common::ToCp1252;

namespace {

constexpr std::string_view kTextsStem = "BaseAbonnes";
constexpr int kTextsRowCount = 7;
constexpr std::string_view kClubTextsFileName = "BaseClubs.trans";
constexpr int kClubTextsRowCount = 11;
constexpr printing::PictureSize kPhotoBox{207, 148};

// What the operator may type; each field keeps room for one more.
constexpr int kTypedName = 23;
constexpr int kTypedFirstName = 18;
constexpr int kTypedLongText = 38;
constexpr int kTypedPostalCode = 13;
constexpr int kTypedPhone = 19;

// Rows of "BaseAbonnes.trans".
enum SubscriberRow {
    kRowHeading,
    kRowList,
    kRowName,
    kRowFirstName,
    kRowBirth,
    kRowClub,
    kRowPrint
};
// Rows of "BaseClubs.trans" that label the address fields.
enum ClubRow {
    kClubRowAddress = 3,
    kClubRowPostalCode = 4,
    kClubRowTown = 5,
    kClubRowCountry = 6,
    kClubRowPhone = 7,
    kClubRowEmail = 8
};
// Rows of the common vocabulary.
enum WordRow {
    kWordAdd = 0,
    kWordRemove = 1,
    kWordImport = 2,
    kWordExport = 3,
    kWordNumber = 6,
    kWordSex = 10,
    kWordMan = 11,
    kWordWoman = 12,
    kWordOk = 14,
    kWordCancel = 15
};

// The item whose text is exactly `text`, or -1.
int ExactItem(const QComboBox* combo, const std::string& text) {
    return combo->findText(FromCp1252(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

} // namespace

SubscribersWindow::SubscribersWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                                     printing::PictureLibrary& pictures,
                                     const common::LocalClock& clock, QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_pictures(pictures),
      m_clock(clock), m_chooser(SystemFileChooser(m_folder, kSubscribersExportExtension)) {
    setObjectName("subscribersWindow");
    setModal(true);
    buildControls();
    loadTexts();

    common::DialogMessageSink sink(m_dialogs, this);
    LoadSubscribersDatabase(m_folder, m_subscribers, sink);
    m_opening = TakeOpeningList(m_subscribers);
    LoadAgeCategoriesDatabase(m_folder, m_ageCategories, sink);
    LoadSubscriberFirstNamesDatabase(m_folder, m_previousFirstNames, sink);
    LoadCalendarDatabase(m_folder, m_calendar, sink);
    SortFirstNames(m_calendar);

    fillCountries();
    FillMonthCombo(m_month, m_language);
    const common::LocalDateTime now = m_clock.now();
    FillYearCombo(m_year, now.year - 1900);
    fillClubs();

    m_today = TodayDayNumber(now);
    validateRecords();
    showList(CountSubscribers(m_subscribers) > 0 ? 0 : -1);
    connectControls();
}

SubscribersWindow::~SubscribersWindow() = default;

void SubscribersWindow::setFileChooser(FileChooser chooser) {
    m_chooser =
        chooser ? std::move(chooser) : SystemFileChooser(m_folder, kSubscribersExportExtension);
}

void SubscribersWindow::setPrinters(FormPrinter form, SheetPrinter sheet) {
    m_printForm = std::move(form);
    m_printSheet = std::move(sheet);
}

void SubscribersWindow::buildControls() {
    m_heading = NamedLabel("headingLabel", this);
    m_newNameLabel = NamedLabel("newNameLabel", this);
    m_newName = LimitedEdit("newNameEdit", this, kTypedName);
    m_newFirstNameLabel = NamedLabel("newFirstNameLabel", this);
    m_newFirstName = LimitedEdit("newFirstNameEdit", this, kTypedFirstName);
    m_add = NamedButton("addButton", this);

    m_listLabel = NamedLabel("subscriberListLabel", this);
    m_numberLabel = NamedLabel("numberListLabel", this);
    m_subscriberList = new QListWidget(this);
    m_subscriberList->setObjectName("subscriberList");
    // One line: the number of the subscriber shown.
    m_numberList = RecordNumberList(this);
    m_remove = NamedButton("removeButton", this);

    m_shownName = NamedEdit("subscriberNameEdit", this, true);
    m_addressLabel = NamedLabel("addressLabel", this);
    m_address1 = LimitedEdit("address1Edit", this, kTypedLongText);
    m_address2 = LimitedEdit("address2Edit", this, kTypedLongText);
    m_postalCodeLabel = NamedLabel("postalCodeLabel", this);
    m_postalCode = LimitedEdit("postalCodeEdit", this, kTypedPostalCode);
    m_townLabel = NamedLabel("townLabel", this);
    m_town = LimitedEdit("townEdit", this, kTypedLongText);
    m_countryLabel = NamedLabel("countryLabel", this);
    m_country = NamedCombo("countryCombo", this);
    m_phoneLabel = NamedLabel("phoneLabel", this);
    m_phone = LimitedEdit("phoneEdit", this, kTypedPhone);
    m_emailLabel = NamedLabel("emailLabel", this);
    m_email = LimitedEdit("emailEdit", this, kTypedLongText);
    m_birthLabel = NamedLabel("birthDateLabel", this);
    m_day = NamedCombo("dayCombo", this);
    m_month = NamedCombo("monthCombo", this);
    m_year = NamedCombo("yearCombo", this);
    m_ageCategory = NamedEdit("ageCategoryEdit", this, true);
    m_sexLabel = NamedLabel("sexLabel", this);
    m_man = NamedRadio("manRadio", this);
    m_woman = NamedRadio("womanRadio", this);
    auto* sexes = new QButtonGroup(this);
    sexes->addButton(m_man);
    sexes->addButton(m_woman);
    m_clubLabel = NamedLabel("clubLabel", this);
    m_club = NamedCombo("clubCombo", this);
    m_transponderLabel = NamedLabel("transponderLabel", this);
    m_transponder = DigitsEdit("transponderEdit", this, kSubscriberTransponderChars);
    m_photo = new PictureFrame(kPhotoBox, this);

    m_print = NamedButton("printButton", this);
    m_printMenu = new QMenu(this);
    m_printMenu->setObjectName("printMenu");
    m_formAction = m_printMenu->addAction(QString());
    m_formAction->setObjectName("formAction");
    m_sheetAction = m_printMenu->addAction(QString());
    m_sheetAction->setObjectName("sheetAction");
    m_import = NamedButton("importButton", this);
    m_export = NamedButton("exportButton", this);
    m_ok = NamedButton("okButton", this);
    m_cancel = NamedButton("cancelButton", this);

    auto* newRows = new QGridLayout;
    newRows->addWidget(m_newNameLabel, 0, 0);
    newRows->addWidget(m_newName, 0, 1);
    newRows->addWidget(m_newFirstNameLabel, 1, 0);
    newRows->addWidget(m_newFirstName, 1, 1);
    newRows->addWidget(m_add, 2, 1);

    auto* lists = new QGridLayout;
    lists->addWidget(m_listLabel, 0, 0);
    lists->addWidget(m_numberLabel, 0, 1);
    lists->addWidget(m_subscriberList, 1, 0, 2, 1);
    lists->addWidget(m_numberList, 1, 1, Qt::AlignTop);
    lists->addWidget(m_remove, 3, 0, 1, 2);

    auto* left = new QVBoxLayout;
    left->addLayout(newRows);
    left->addLayout(lists);

    auto* date = new QHBoxLayout;
    date->addWidget(m_day);
    date->addWidget(m_month);
    date->addWidget(m_year);

    auto* sex = new QHBoxLayout;
    sex->addWidget(m_man);
    sex->addWidget(m_woman);
    sex->addStretch(1);

    auto* fields = new QGridLayout;
    int row = 0;
    fields->addWidget(m_shownName, row++, 0, 1, 2);
    fields->addWidget(m_addressLabel, row, 0);
    fields->addWidget(m_address1, row++, 1);
    fields->addWidget(m_address2, row++, 1);
    fields->addWidget(m_postalCodeLabel, row, 0);
    fields->addWidget(m_postalCode, row++, 1);
    fields->addWidget(m_townLabel, row, 0);
    fields->addWidget(m_town, row++, 1);
    fields->addWidget(m_countryLabel, row, 0);
    fields->addWidget(m_country, row++, 1);
    fields->addWidget(m_phoneLabel, row, 0);
    fields->addWidget(m_phone, row++, 1);
    fields->addWidget(m_emailLabel, row, 0);
    fields->addWidget(m_email, row++, 1);
    fields->addWidget(m_birthLabel, row, 0);
    fields->addLayout(date, row++, 1);
    fields->addWidget(m_ageCategory, row++, 1);
    fields->addWidget(m_sexLabel, row, 0);
    fields->addLayout(sex, row++, 1);
    fields->addWidget(m_clubLabel, row, 0);
    fields->addWidget(m_club, row++, 1);
    fields->addWidget(m_transponderLabel, row, 0);
    fields->addWidget(m_transponder, row++, 1);

    auto* middle = new QVBoxLayout;
    middle->addLayout(fields);
    middle->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(m_photo);
    right->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(middle, 1);
    body->addLayout(right);

    LayOutDatabaseWindow(this, m_heading, body, m_import, m_export, m_ok, m_cancel, m_print);
}

void SubscribersWindow::loadTexts() {
    // The address fields carry the clubs window's labels.
    i18n::TranslationTable clubTexts;
    const i18n::WindowTexts texts =
        LoadDatabaseWindowTexts(m_folder, kTextsStem, kTextsRowCount, kClubTextsFileName,
                                kClubTextsRowCount, clubTexts, m_dialogs, this);
    m_language = texts.languages.interfaceCode;

    const auto label = [&](int row, const char* fallback) {
        return TextOr(texts.label(row), fallback);
    };
    const auto clubLabel = [&](int row, const char* fallback) {
        return TextOr(clubTexts.text(row, m_language), fallback);
    };
    const auto word = [&](int row, const char* fallback) {
        return TextOr(texts.word(row), fallback);
    };

    setWindowTitle(FromCp1252(i18n::WindowTitle(i18n::TitledWindow::Subscribers, m_language)));
    m_heading->setText(label(kRowHeading, "Base de donn\xE9"
                                          "es : Liste des abonn\xE9s"));
    m_listLabel->setText(label(kRowList, "Abonn\xE9s (500 max)"));
    m_newNameLabel->setText(label(kRowName, "Nom"));
    m_newFirstNameLabel->setText(label(kRowFirstName, "Pr\xE9nom"));
    m_birthLabel->setText(label(kRowBirth, "Date de naissance"));
    m_clubLabel->setText(label(kRowClub, "Club / Team"));
    m_print->setText(label(kRowPrint, "Imprimer"));

    m_addressLabel->setText(clubLabel(kClubRowAddress, "Adresse"));
    m_postalCodeLabel->setText(clubLabel(kClubRowPostalCode, "Code postal"));
    m_townLabel->setText(clubLabel(kClubRowTown, "Ville"));
    m_countryLabel->setText(clubLabel(kClubRowCountry, "Pays"));
    m_phoneLabel->setText(clubLabel(kClubRowPhone, "T\xE9l\xE9phone"));
    m_emailLabel->setText(clubLabel(kClubRowEmail, "E-mail"));
    m_transponderLabel->setText("#Transpond.");

    m_add->setText(word(kWordAdd, "Ajouter"));
    m_remove->setText(word(kWordRemove, "Supprimer"));
    m_import->setText(word(kWordImport, "Importer"));
    m_export->setText(word(kWordExport, "Exporter"));
    m_numberLabel->setText(word(kWordNumber, "N\xB0ID"));
    m_sexLabel->setText(word(kWordSex, "Sexe :"));
    m_man->setText(word(kWordMan, "Homme"));
    m_woman->setText(word(kWordWoman, "Femme"));
    m_ok->setText(word(kWordOk, "Ok"));
    m_cancel->setText(word(kWordCancel, "Echap"));

    m_formAction->setText(FromCp1252(i18n::FormMenuItem(m_language)));
}

void SubscribersWindow::fillCountries() {
    common::DialogMessageSink sink(m_dialogs, this);
    std::vector<std::string> countries;
    LoadCountriesDatabase(m_folder, countries, sink);
    const QSignalBlocker blocker(m_country);
    m_country->clear();
    for (const std::string& country : countries)
        m_country->addItem(FromCp1252(country));
}

void SubscribersWindow::fillClubs() {
    std::vector<std::string> names;
    const bool loaded = LoadClubNames(m_folder.path(kClubsFileName), names);
    if (!loaded)
        m_dialogs.inform(this, kClubsErrorCaption, kClubsFileErrorText, common::DialogIcon::Stop);
    const QSignalBlocker blocker(m_club);
    m_club->clear();
    m_club->addItem(QString());
    for (const std::string& name : names)
        m_club->addItem(FromCp1252(name));
    m_clubItems.clear();
    if (loaded) {
        m_clubItems.push_back(std::string());
        m_clubItems.insert(m_clubItems.end(), names.begin(), names.end());
    }
}

void SubscribersWindow::validateRecords() {
    // Without the clubs file there is nothing to check the clubs against;
    // clearing them all would lose every subscriber's club on "Ok".
    for (Subscriber& subscriber : m_subscribers) {
        ValidateBirthDate(subscriber, m_today);
        if (!m_clubItems.empty())
            ValidateClub(subscriber, m_clubItems);
    }
}

void SubscribersWindow::storeEdits(QLineEdit* edit, std::string Subscriber::*field,
                                   std::size_t capacity) {
    // textEdited, not textChanged: showing a subscriber must not count as an edit.
    connect(edit, &QLineEdit::textEdited, this, [this, field, capacity](const QString& text) {
        if (Subscriber* subscriber = selectedSubscriber())
            subscriber->*field = ToCp1252(text).substr(0, capacity);
    });
}

void SubscribersWindow::storeComboText(QComboBox* combo, std::string Subscriber::*field,
                                       std::size_t capacity) {
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, combo, field, capacity](int index) {
                if (Subscriber* subscriber = selectedSubscriber())
                    subscriber->*field = index < 0
                                             ? std::string()
                                             : ToCp1252(combo->itemText(index)).substr(0, capacity);
            });
}

void SubscribersWindow::connectControls() {
    connect(m_add, &QPushButton::clicked, this, &SubscribersWindow::addSubscriber);
    connect(m_newFirstName, &QLineEdit::returnPressed, this, &SubscribersWindow::addSubscriber);
    connect(m_remove, &QPushButton::clicked, this, &SubscribersWindow::removeSubscriber);
    connect(m_import, &QPushButton::clicked, this, &SubscribersWindow::importSubscribers);
    connect(m_export, &QPushButton::clicked, this, &SubscribersWindow::exportSubscribers);
    connect(m_ok, &QPushButton::clicked, this, &SubscribersWindow::saveAndClose);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_print, &QPushButton::clicked, this, &SubscribersWindow::showPrintMenu);
    connect(m_formAction, &QAction::triggered, this, [this] {
        if (m_printForm)
            m_printForm();
    });
    connect(m_sheetAction, &QAction::triggered, this, [this] {
        if (m_printSheet && selectedSubscriber())
            m_printSheet(m_subscribers, m_selected);
    });
    connect(m_subscriberList, &QListWidget::currentRowChanged, this,
            &SubscribersWindow::selectSubscriber);

    storeEdits(m_address1, &Subscriber::address1, kSubscriberAddressChars);
    storeEdits(m_address2, &Subscriber::address2, kSubscriberAddressChars);
    storeEdits(m_postalCode, &Subscriber::postalCode, kSubscriberPostalCodeChars);
    storeEdits(m_town, &Subscriber::town, kSubscriberTownChars);
    storeEdits(m_phone, &Subscriber::phone, kSubscriberPhoneChars);
    storeEdits(m_email, &Subscriber::email, kSubscriberEmailChars);
    // An incomplete number keeps the transponder the record had.
    connect(m_transponder, &QLineEdit::textEdited, this, [this](const QString& text) {
        Subscriber* subscriber = selectedSubscriber();
        const std::string digits = ToCp1252(text);
        if (subscriber && IsStorableTransponder(digits))
            subscriber->transponder = digits;
    });
    storeComboText(m_country, &Subscriber::country, kSubscriberCountryChars);
    storeComboText(m_club, &Subscriber::club, kSubscriberClubChars);

    connect(m_man, &QRadioButton::toggled, this, [this](bool checked) {
        Subscriber* subscriber = selectedSubscriber();
        if (!subscriber)
            return;
        subscriber->sex = checked ? 1 : 0;
        showAgeCategory();
    });
    connect(m_day, &QComboBox::currentIndexChanged, this, [this] { dateChanged(); });
    connect(m_month, &QComboBox::currentIndexChanged, this, [this] { dateChanged(); });
    connect(m_year, &QComboBox::currentIndexChanged, this, [this] { dateChanged(); });

    m_photo->onChoose = [this] { choosePhoto(); };
    m_photo->onClear = [this] { clearPhoto(); };
}

Subscriber* SubscribersWindow::selectedSubscriber() {
    const bool listed = m_selected >= 0 && m_selected < CountSubscribers(m_subscribers);
    return listed ? &m_subscribers[static_cast<std::size_t>(m_selected)] : nullptr;
}

void SubscribersWindow::dateChanged() {
    Subscriber* subscriber = selectedSubscriber();
    if (!subscriber)
        return;
    // A day the new month lacks leaves the day combo without a selection;
    // the record keeps its day, as the operator has not chosen another.
    common::DateIndex date = subscriber->birthDate();
    if (m_day->currentIndex() >= 0)
        date.day = m_day->currentIndex();
    if (m_month->currentIndex() >= 0)
        date.month = m_month->currentIndex();
    if (m_year->currentIndex() >= 0)
        date.year = m_year->currentIndex();
    SetBirthDate(*subscriber, date);
    showDays();
    showAgeCategory();
}

void SubscribersWindow::addSubscriber() {
    const int added =
        AddSubscriber(m_subscribers, ToCp1252(m_newName->text()), ToCp1252(m_newFirstName->text()));
    if (added < 0)
        return;
    m_newName->clear();
    m_newFirstName->clear();
    showList(added);
}

void SubscribersWindow::removeSubscriber() {
    if (!selectedSubscriber() || !RemoveSubscriber(m_subscribers, m_selected))
        return;
    m_newName->clear();
    m_newFirstName->clear();
    showList(CountSubscribers(m_subscribers) > 0 ? 0 : -1);
}

void SubscribersWindow::importSubscribers() {
    const QString chosen =
        ChooseFile(m_chooser, this, false, i18n::FilteredFile::Subscribers, m_language);
    if (chosen.isEmpty())
        return;
    // Read into a scratch table: a file that cannot be read must not cost
    // the operator the subscribers being edited.
    SubscriberTable imported = MakeSubscriberTable();
    if (!LoadSubscribers(imported, PathOf(chosen))) {
        m_dialogs.inform(this, kSubscribersErrorCaption, kSubscribersImportErrorText,
                         common::DialogIcon::Stop);
        return;
    }
    m_subscribers = std::move(imported);
    m_newName->clear();
    m_newFirstName->clear();
    validateRecords();
    showList(CountSubscribers(m_subscribers) > 0 ? 0 : -1);
}

void SubscribersWindow::exportSubscribers() {
    const std::optional<std::filesystem::path> target =
        ChooseExportFile(m_chooser, this, i18n::FilteredFile::Subscribers,
                         kSubscribersExportExtension, m_language, m_dialogs);
    if (!target)
        return;
    if (!SaveSubscribers(m_subscribers, CountSubscribers(m_subscribers), *target))
        m_dialogs.inform(this, kSubscribersErrorCaption, kSubscribersExportErrorText,
                         common::DialogIcon::Stop);
}

void SubscribersWindow::saveAndClose() {
    common::DialogMessageSink sink(m_dialogs, this);
    // When the subscribers cannot be written the window stays open with the
    // edits, and neither the first names nor the run files are touched, so
    // they never describe a table the disk does not hold.
    if (!SaveSubscribersDatabase(m_folder, m_subscribers, sink))
        return;
    SaveSubscriberFirstNames(m_folder, m_subscribers, m_previousFirstNames, m_calendar, sink);
    SyncRunFiles(m_folder, m_opening, m_subscribers, sink);
    accept();
}

void SubscribersWindow::choosePhoto() {
    Subscriber* subscriber = selectedSubscriber();
    if (!subscriber)
        return;
    if (std::optional<std::string> stored =
            ChoosePicture(m_chooser, this, m_language, kSubscriberPhotoChars)) {
        subscriber->photoPath = std::move(*stored);
        showPhoto();
    }
}

void SubscribersWindow::clearPhoto() {
    if (Subscriber* subscriber = selectedSubscriber()) {
        subscriber->photoPath.clear();
        showPhoto();
    }
}

void SubscribersWindow::showPrintMenu() {
    m_printMenu->popup(QCursor::pos());
}

void SubscribersWindow::showList(int index) {
    {
        const QSignalBlocker blocker(m_subscriberList);
        m_subscriberList->clear();
        const int count = CountSubscribers(m_subscribers);
        for (int i = 0; i < count; ++i)
            m_subscriberList->addItem(
                FromCp1252(SubscriberListText(m_subscribers[static_cast<std::size_t>(i)])));
    }
    selectSubscriber(index);
}

void SubscribersWindow::selectSubscriber(int index) {
    m_selected = index >= 0 && index < CountSubscribers(m_subscribers) ? index : -1;
    {
        const QSignalBlocker blocker(m_subscriberList);
        m_subscriberList->setCurrentRow(m_selected);
    }
    ShowRecordNumber(m_numberList, m_selected);
    showSubscriber();
}

void SubscribersWindow::showSubscriber() {
    static const Subscriber kNone{};
    const Subscriber* selected = selectedSubscriber();
    const Subscriber& subscriber = selected ? *selected : kNone;
    const bool enabled = selected != nullptr;

    m_shownName->setText(selected ? FromCp1252(SubscriberListText(subscriber)) : QString());
    const std::pair<QLineEdit*, const std::string*> edits[] = {
        {m_address1, &subscriber.address1},
        {m_address2, &subscriber.address2},
        {m_postalCode, &subscriber.postalCode},
        {m_town, &subscriber.town},
        {m_phone, &subscriber.phone},
        {m_email, &subscriber.email},
        {m_transponder, &subscriber.transponder},
    };
    for (const auto& [edit, text] : edits) {
        edit->setText(FromCp1252(*text));
        edit->setEnabled(enabled);
    }
    const std::pair<QComboBox*, const std::string*> combos[] = {
        {m_country, &subscriber.country},
        {m_club, &subscriber.club},
    };
    for (const auto& [combo, text] : combos) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(selected ? ExactItem(combo, *text) : -1);
        combo->setEnabled(enabled);
    }
    {
        const QSignalBlocker man(m_man);
        const QSignalBlocker woman(m_woman);
        (subscriber.sex == 1 ? m_man : m_woman)->setChecked(true);
        m_man->setEnabled(enabled);
        m_woman->setEnabled(enabled);
    }
    {
        const QSignalBlocker month(m_month);
        const QSignalBlocker year(m_year);
        m_month->setCurrentIndex(selected ? subscriber.birthMonth : -1);
        m_year->setCurrentIndex(selected ? subscriber.birthYear : -1);
        m_month->setEnabled(enabled);
        m_year->setEnabled(enabled);
        m_day->setEnabled(enabled);
    }
    showDays();
    showAgeCategory();
    showPhoto();
    m_remove->setEnabled(enabled);
    m_sheetAction->setEnabled(enabled);
    m_sheetAction->setText(
        FromCp1252(i18n::SheetMenuItemText(m_language, subscriber.firstName, subscriber.name)));
}

void SubscribersWindow::showDays() {
    const Subscriber* subscriber = selectedSubscriber();
    const QSignalBlocker blocker(m_day);
    if (!subscriber) {
        m_day->clear();
        return;
    }
    FillDayCombo(m_day, common::DaysInMonth(subscriber->birthMonth, subscriber->birthYear));
    // The stored day stays selected when the month has it, else none is.
    m_day->setCurrentIndex(subscriber->birthDay < m_day->count() ? subscriber->birthDay : -1);
}

void SubscribersWindow::showAgeCategory() {
    m_ageCategory->clear();
    const Subscriber* subscriber = selectedSubscriber();
    if (!subscriber || (subscriber->birthYear == 0 && subscriber->birthMonth == 0))
        return;
    const int found = FindAgeCategory(m_ageCategories, subscriber->sex, subscriber->birthYear,
                                      subscriber->birthMonth);
    if (found < 0)
        return;
    const AgeCategory& category = m_ageCategories[static_cast<std::size_t>(found)];
    m_ageCategory->setText(
        FromCp1252("( " + category.code + " : " + category.ageCategoryName + " )"));
}

void SubscribersWindow::showPhoto() {
    const Subscriber* subscriber = selectedSubscriber();
    m_photo->showPicture(subscriber ? subscriber->photoPath : std::string(), m_pictures, m_folder);
}

} // namespace tallimo::databases
