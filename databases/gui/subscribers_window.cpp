#include "databases/gui/subscribers_window.h"

#include "common/core/date_index.h"
#include "databases/core/clubs_file.h"
#include "databases/core/countries_file.h"
#include "databases/gui/date_combos.h"
#include "databases/gui/subscriber_printouts.h"
#include "i18n/core/subscriber_window_texts.h"

#include <QAction>
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

// The item whose text is exactly `text`, or -1.
int ExactItem(const QComboBox* combo, const std::string& text) {
    return combo->findText(FromCp1252(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

} // namespace

SubscribersWindow::SubscribersWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                                     printing::PictureLibrary& pictures,
                                     const common::LocalClock& clock, QWidget* parent)
    : EditingWindow(std::move(folder), dialogs, "subscribersWindow",
                    ExchangeFormat{i18n::FilteredFile::Subscribers, kSubscribersExportExtension,
                                   kSubscribersErrorCaption, kSubscribersImportErrorText,
                                   kSubscribersExportErrorText},
                    parent),
      m_pictures(pictures), m_clock(clock), m_editor(m_subscribers, rules()) {
    buildControls();
    loadTexts();

    LoadSubscribersDatabase(this->folder(), m_subscribers, messages());
    m_opening = TakeOpeningList(m_subscribers);
    LoadAgeCategoriesDatabase(this->folder(), m_ageCategories, messages());
    LoadSubscriberFirstNamesDatabase(this->folder(), m_previousFirstNames, messages());
    LoadCalendarDatabase(this->folder(), m_calendar, messages());
    SortFirstNames(m_calendar);

    m_address->fillCountries(this->folder(), messages());
    FillMonthCombo(m_month, language());
    const common::LocalDateTime now = m_clock.now();
    FillYearCombo(m_year, now.year - 1900);
    fillClubs();

    m_today = TodayDayNumber(now);
    validateRecords(m_subscribers);
    connectControls();
    m_editor.selectFirst();
    showList();
}

SubscribersWindow::~SubscribersWindow() = default;

RecordRules<SubscriberTable> SubscribersWindow::rules() {
    return {
        .listed =
            [](const SubscriberTable& table) { return FirstIndices(CountSubscribers(table)); },
        .add =
            [this](SubscriberTable& table, std::string_view typedName) {
                return AddSubscriber(table, typedName, ToCp1252(m_newFirstName->text()));
            },
        .remove = RemoveSubscriber,
        .load =
            [this](SubscriberTable& table, const std::filesystem::path& path) {
                if (!LoadSubscribers(table, path))
                    return false;
                validateRecords(table);
                return true;
            },
        .clear = [](SubscriberTable& table) { table = MakeSubscriberTable(); },
    };
}

bool SubscribersWindow::save(common::MessageSink& messages) {
    // When the subscribers cannot be written the window stays open with the
    // edits, and neither the first names nor the run files are touched, so
    // they never describe a table the disk does not hold.
    if (!SaveSubscribersDatabase(this->folder(), m_subscribers, messages))
        return false;
    SaveSubscriberFirstNames(folder(), m_subscribers, m_previousFirstNames, m_calendar, messages);
    SyncRunFiles(folder(), m_opening, m_subscribers, messages);
    return true;
}

bool SubscribersWindow::exportTo(const std::filesystem::path& path) const {
    return SaveSubscribers(m_subscribers, CountSubscribers(m_subscribers), path);
}

void SubscribersWindow::setPrinters(FormPrinter form, SheetPrinter sheet) {
    m_printForm = std::move(form);
    m_printSheet = std::move(sheet);
    m_print->setEnabled(m_printForm || m_printSheet);
}

void SubscribersWindow::setReportPrinter(const printing::ReportPrinter* printer) {
    EditingWindow::setReportPrinter(printer);
    if (!printer) {
        setPrinters({}, {});
        return;
    }
    setPrinters([this, printer] { ShowRegistrationForm(*printer, folder(), dialogs(), this); },
                [this, printer](const SubscriberTable& table, int index) {
                    ShowInformationSheet(*printer, folder(), dialogs(),
                                         table[static_cast<std::size_t>(index)], this);
                });
}

void SubscribersWindow::buildControls() {
    m_newNameLabel = NamedLabel("newNameLabel", this);
    m_newName = LimitedEdit("newNameEdit", this, kTypedName);
    m_newFirstNameLabel = NamedLabel("newFirstNameLabel", this);
    m_newFirstName = LimitedEdit("newFirstNameEdit", this, kTypedFirstName);
    m_add = wordButton("addButton", ButtonWord::Add);
    RecordList& list = recordList("subscriberList", "subscriberListLabel", "numberListLabel",
                                  RecordNumbers::Selected);
    m_remove = wordButton("removeButton", ButtonWord::Remove);

    m_shownName = NamedEdit("subscriberNameEdit", this, true);
    m_address.emplace(this);
    m_birthLabel = NamedLabel("birthDateLabel", this);
    m_day = NamedCombo("dayCombo", this);
    m_month = NamedCombo("monthCombo", this);
    m_year = NamedCombo("yearCombo", this);
    m_ageCategory = NamedEdit("ageCategoryEdit", this, true);
    m_sex.emplace(this);
    m_clubLabel = NamedLabel("clubLabel", this);
    m_club = NamedCombo("clubCombo", this);
    m_transponderLabel = NamedLabel("transponderLabel", this);
    m_transponder = DigitsEdit("transponderEdit", this, kSubscriberTransponderChars);
    m_photo = new PictureFrame(kPhotoBox, this);

    m_print = printButton();
    m_printMenu = new QMenu(this);
    m_printMenu->setObjectName("printMenu");
    m_formAction = m_printMenu->addAction(QString());
    m_formAction->setObjectName("formAction");
    m_sheetAction = m_printMenu->addAction(QString());
    m_sheetAction->setObjectName("sheetAction");

    auto* newRows = new QGridLayout;
    newRows->addWidget(m_newNameLabel, 0, 0);
    newRows->addWidget(m_newName, 0, 1);
    newRows->addWidget(m_newFirstNameLabel, 1, 0);
    newRows->addWidget(m_newFirstName, 1, 1);
    newRows->addWidget(m_add, 2, 1);

    auto* left = new QVBoxLayout;
    left->addLayout(newRows);
    left->addLayout(list.layOut(m_remove));

    auto* date = new QHBoxLayout;
    date->addWidget(m_day);
    date->addWidget(m_month);
    date->addWidget(m_year);

    auto* sex = new QHBoxLayout;
    sex->addWidget(m_sex->man);
    sex->addWidget(m_sex->woman);
    sex->addStretch(1);

    auto* fields = new QGridLayout;
    int row = 0;
    fields->addWidget(m_shownName, row++, 0, 1, 2);
    m_address->addRows(fields, row);
    fields->addWidget(m_birthLabel, row, 0);
    fields->addLayout(date, row++, 1);
    fields->addWidget(m_ageCategory, row++, 1);
    fields->addWidget(m_sex->label, row, 0);
    fields->addLayout(sex, row++, 1);
    fields->addWidget(m_clubLabel, row, 0);
    fields->addWidget(m_club, row++, 1);
    fields->addWidget(m_transponderLabel, row, 0);
    fields->addWidget(m_transponder, row++, 1);

    layOutColumns(left, fields, {m_photo}, m_print);
}

void SubscribersWindow::loadTexts() {
    // The address fields carry the clubs window's labels.
    i18n::TranslationTable clubTexts;
    const WindowLabels label =
        EditingWindow::loadTexts(kTextsStem, kTextsRowCount, i18n::TitledWindow::Subscribers,
                                 kClubTextsFileName, kClubTextsRowCount, clubTexts);

    const auto clubLabel = [&](int row, const char* fallback) {
        return TextOr(clubTexts.text(row, language()), fallback);
    };

    heading()->setText(label(kRowHeading, "Base de donn\xE9"
                                          "es : Liste des abonn\xE9s"));
    findChild<QLabel*>(QStringLiteral("subscriberListLabel"))
        ->setText(label(kRowList, "Abonn\xE9s (500 max)"));
    m_newNameLabel->setText(label(kRowName, "Nom"));
    m_newFirstNameLabel->setText(label(kRowFirstName, "Pr\xE9nom"));
    m_birthLabel->setText(label(kRowBirth, "Date de naissance"));
    m_clubLabel->setText(label(kRowClub, "Club / Team"));
    m_print->setText(label(kRowPrint, "Imprimer"));

    m_address->setLabels(clubLabel);
    m_transponderLabel->setText(QStringLiteral("#Transpond."));

    m_sex->setLabels(label.texts);

    m_formAction->setText(FromCp1252(i18n::FormMenuItem(language())));
}

void SubscribersWindow::fillClubs() {
    std::vector<std::string> names;
    const bool loaded = LoadClubNames(folder().path(kClubsFileName), names);
    if (!loaded)
        dialogs().inform(this, kClubsErrorCaption, kClubsFileErrorText, common::DialogIcon::Stop);
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

void SubscribersWindow::validateRecords(SubscriberTable& table) const {
    // Without the clubs file there is nothing to check the clubs against;
    // clearing them all would lose every subscriber's club on "Ok".
    for (Subscriber& subscriber : table) {
        ValidateBirthDate(subscriber, m_today);
        if (!m_clubItems.empty())
            ValidateClub(subscriber, m_clubItems);
    }
}

void SubscribersWindow::storeEdits(QLineEdit* edit, std::string Subscriber::*field,
                                   std::size_t capacity) {
    // textEdited, not textChanged: showing a subscriber must not count as an edit.
    connect(edit, &QLineEdit::textEdited, this, [this, field, capacity](const QString& text) {
        m_editor.edit([&](Subscriber& subscriber) {
            subscriber.*field = ToCp1252(text).substr(0, capacity);
        });
    });
}

void SubscribersWindow::storeComboText(QComboBox* combo, std::string Subscriber::*field,
                                       std::size_t capacity) {
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, combo, field, capacity](int index) {
                m_editor.edit([&](Subscriber& subscriber) {
                    subscriber.*field = index < 0
                                            ? std::string()
                                            : ToCp1252(combo->itemText(index)).substr(0, capacity);
                });
            });
}

void SubscribersWindow::connectControls() {
    attachEditor<SubscriberTable>(
        m_editor, m_newName, m_add, m_remove,
        [](const Subscriber& subscriber) { return FromCp1252(SubscriberListText(subscriber)); },
        [this] { showSubscriber(); },
        {.enterAdds = false, .clearedOnRefill = true, .alsoTyped = m_newFirstName});
    connect(m_newFirstName, &QLineEdit::returnPressed, this, [this] { addTyped(); });
    connect(m_print, &QPushButton::clicked, this, [this] { m_printMenu->popup(QCursor::pos()); });
    connect(m_formAction, &QAction::triggered, this, [this] {
        if (m_printForm)
            m_printForm();
    });
    connect(m_sheetAction, &QAction::triggered, this, [this] {
        if (m_printSheet && m_editor.current())
            m_printSheet(m_subscribers, m_editor.selected());
    });

    storeEdits(m_address->address1, &Subscriber::address1, kSubscriberAddressChars);
    storeEdits(m_address->address2, &Subscriber::address2, kSubscriberAddressChars);
    storeEdits(m_address->postalCode, &Subscriber::postalCode, kSubscriberPostalCodeChars);
    storeEdits(m_address->town, &Subscriber::town, kSubscriberTownChars);
    storeEdits(m_address->phone, &Subscriber::phone, kSubscriberPhoneChars);
    storeEdits(m_address->email, &Subscriber::email, kSubscriberEmailChars);
    // An incomplete number keeps the transponder the record had.
    connect(m_transponder, &QLineEdit::textEdited, this, [this](const QString& text) {
        const std::string digits = ToCp1252(text);
        if (IsStorableTransponder(digits))
            m_editor.edit([&](Subscriber& subscriber) { subscriber.transponder = digits; });
    });
    storeComboText(m_address->country, &Subscriber::country, kSubscriberCountryChars);
    storeComboText(m_club, &Subscriber::club, kSubscriberClubChars);

    connect(m_sex->man, &QRadioButton::toggled, this, [this](bool checked) {
        if (m_editor.edit([&](Subscriber& subscriber) { subscriber.sex = checked ? 1 : 0; }))
            showAgeCategory();
    });
    connect(m_day, &QComboBox::currentIndexChanged, this, [this] { dateChanged(); });
    connect(m_month, &QComboBox::currentIndexChanged, this, [this] { dateChanged(); });
    connect(m_year, &QComboBox::currentIndexChanged, this, [this] { dateChanged(); });

    m_showPhoto = attachPicture<SubscriberTable>(m_photo, m_editor, &Subscriber::photoPath,
                                                 kSubscriberPhotoChars, m_pictures);
}

void SubscribersWindow::dateChanged() {
    const bool edited = m_editor.edit([&](Subscriber& subscriber) {
        // A day the new month lacks leaves the day combo without a selection;
        // the record keeps its day, as the operator has not chosen another.
        common::DateIndex date = subscriber.birthDate();
        if (m_day->currentIndex() >= 0)
            date.day = m_day->currentIndex();
        if (m_month->currentIndex() >= 0)
            date.month = m_month->currentIndex();
        if (m_year->currentIndex() >= 0)
            date.year = m_year->currentIndex();
        SetBirthDate(subscriber, date);
    });
    if (!edited)
        return;
    showDays();
    showAgeCategory();
}

void SubscribersWindow::showSubscriber() {
    static const Subscriber kNone{};
    const Subscriber* selected = m_editor.current();
    const Subscriber& subscriber = selected ? *selected : kNone;
    const bool enabled = selected != nullptr;

    m_shownName->setText(selected ? FromCp1252(SubscriberListText(subscriber)) : QString());
    const std::pair<QLineEdit*, const std::string*> edits[] = {
        {m_address->address1, &subscriber.address1},
        {m_address->address2, &subscriber.address2},
        {m_address->postalCode, &subscriber.postalCode},
        {m_address->town, &subscriber.town},
        {m_address->phone, &subscriber.phone},
        {m_address->email, &subscriber.email},
        {m_transponder, &subscriber.transponder},
    };
    for (const auto& [edit, text] : edits) {
        edit->setText(FromCp1252(*text));
        edit->setEnabled(enabled);
    }
    const std::pair<QComboBox*, const std::string*> combos[] = {
        {m_address->country, &subscriber.country},
        {m_club, &subscriber.club},
    };
    for (const auto& [combo, text] : combos) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(selected ? ExactItem(combo, *text) : -1);
        combo->setEnabled(enabled);
    }
    {
        const QSignalBlocker man(m_sex->man);
        const QSignalBlocker woman(m_sex->woman);
        (subscriber.sex == 1 ? m_sex->man : m_sex->woman)->setChecked(true);
        m_sex->man->setEnabled(enabled);
        m_sex->woman->setEnabled(enabled);
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
    m_showPhoto();
    m_sheetAction->setEnabled(enabled);
    m_sheetAction->setText(
        FromCp1252(i18n::SheetMenuItemText(language(), subscriber.firstName, subscriber.name)));
}

void SubscribersWindow::showDays() {
    const Subscriber* subscriber = m_editor.current();
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
    const Subscriber* subscriber = m_editor.current();
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

} // namespace tallimo::databases
