#include "databases/gui/first_names_window.h"

#include "common/core/name_rules.h"
#include "common/gui/text_conversion.h"
#include "databases/gui/date_combos.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <utility>

namespace tallimo::databases {

using common::FromCp1252;
using common::ToCp1252;

namespace {

constexpr std::string_view kTextsStem = "BasePrenoms";
constexpr std::string_view kSubscriberTextsFileName = "BaseAbonnes.trans";
constexpr int kSubscriberTextsRowCount = 7;
constexpr int kDaysInCombo = 31;
// The edit takes one letter less than a record holds.
constexpr int kTypedNameChars = 18;

// Rows of "BasePrenoms.trans".
enum FirstNamesRow {
    kRowHeading,
    kRowListChoice,
    kRowSubscribersList,
    kRowCalendarList,
    kRowAlphabetical,
    kRowDateOrder,
    kRowNames,
    kRowNewName,
    kRowNameday
};
// Row of "BaseAbonnes.trans" that labels the selected entry's name.
constexpr int kSubscriberRowFirstName = 3;

} // namespace

FirstNamesWindow::FirstNamesWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                                   QWidget* parent)
    : EditingWindow(std::move(folder), dialogs, "firstNamesWindow",
                    ExchangeFormat{i18n::FilteredFile::FirstNames, kFirstNamesExportExtension,
                                   "Error", kFirstNamesImportErrorText, kFirstNamesExportErrorText},
                    parent),
      m_subscriberNames(MakeFirstNameTable(kSubscriberFirstNames)),
      m_calendar(MakeFirstNameTable(kCalendarFirstNames)) {
    buildControls();
    loadTexts();

    LoadSubscriberFirstNamesDatabase(this->folder(), m_subscriberNames, messages());
    LoadCalendarDatabase(this->folder(), m_calendar, messages());
    SortFirstNames(m_subscriberNames);
    SortFirstNames(m_calendar);
    chooseList(kSubscribersList);
    connectControls();
}

FirstNamesWindow::~FirstNamesWindow() = default;

void FirstNamesWindow::buildControls() {
    m_listChoiceLabel = NamedLabel("listChoiceLabel", this);
    m_listChoice = NamedCombo("listChoiceCombo", this);
    m_alphabetical = NamedRadio("alphabeticalRadio", this);
    m_byDate = NamedRadio("dateOrderRadio", this);
    m_alphabetical->setChecked(true);

    m_names = &recordList("nameList", "nameListLabel", "numberListLabel", RecordNumbers::Selected);

    m_newLabel = NamedLabel("newNameLabel", this);
    m_newName = LimitedEdit("newNameEdit", this, kTypedNameChars);
    m_add = wordButton("addButton", ButtonWord::Add);
    m_remove = wordButton("removeButton", ButtonWord::Remove);

    m_selectedLabel = NamedLabel("selectedNameLabel", this);
    m_selectedName = NamedEdit("selectedNameEdit", this, true);
    m_namedayLabel = NamedLabel("namedayLabel", this);
    m_dayCombo = NamedCombo("dayCombo", this);
    m_monthCombo = NamedCombo("monthCombo", this);
    FillDayCombo(m_dayCombo, kDaysInCombo);

    auto* choice = new QGridLayout;
    choice->addWidget(m_listChoiceLabel, 0, 0);
    choice->addWidget(m_listChoice, 0, 1);
    choice->addWidget(m_alphabetical, 1, 0);
    choice->addWidget(m_byDate, 1, 1);

    QGridLayout* lists = m_names->layOut(m_remove);

    auto* newRow = new QHBoxLayout;
    newRow->addWidget(m_newName);
    newRow->addWidget(m_add);

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_dayCombo);
    dateRow->addWidget(m_monthCombo, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(m_newLabel);
    right->addLayout(newRow);
    right->addSpacing(12);
    right->addWidget(m_selectedLabel);
    right->addWidget(m_selectedName);
    right->addWidget(m_namedayLabel);
    right->addLayout(dateRow);
    right->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(lists, 1);
    columns->addLayout(right);

    auto* body = new QVBoxLayout;
    body->addLayout(choice);
    body->addLayout(columns);
    layOut(body);
}

void FirstNamesWindow::loadTexts() {
    // The selected entry carries the subscribers window's first name label.
    i18n::TranslationTable subscriberTexts;
    const WindowLabels label = EditingWindow::loadTexts(
        kTextsStem, kRowNameday + 1, i18n::TitledWindow::FirstNames, kSubscriberTextsFileName,
        kSubscriberTextsRowCount, subscriberTexts);

    heading()->setText(label(kRowHeading, "Base de donn\xE9"
                                          "es : Liste des pr\xE9noms"));
    m_listChoiceLabel->setText(label(kRowListChoice, "Listes de pr\xE9noms"));
    {
        const QSignalBlocker blocker(m_listChoice);
        m_listChoice->clear();
        m_listChoice->addItem(label(kRowSubscribersList, "Pr\xE9noms des Abonn\xE9s"));
        m_listChoice->addItem(label(kRowCalendarList, "Calendrier Fran\xE7"
                                                      "ais"));
        m_listChoice->setCurrentIndex(m_shownList);
    }
    m_alphabetical->setText(label(kRowAlphabetical, "Ordre alphab\xE9tique"));
    m_byDate->setText(label(kRowDateOrder, "Ordre des dates"));
    m_names->label->setText(label(kRowNames, "Pr\xE9noms (500 max)"));
    m_newLabel->setText(label(kRowNewName, "Pr\xE9nom"));
    m_namedayLabel->setText(label(kRowNameday, "Date f\xEAte pr\xE9nom :"));
    m_selectedLabel->setText(
        TextOr(subscriberTexts.text(kSubscriberRowFirstName, language()), "Pr\xE9nom"));

    FillMonthCombo(m_monthCombo, language());
}

void FirstNamesWindow::connectControls() {
    connect(m_listChoice, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            chooseList(index);
    });
    connect(m_alphabetical, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            chooseOrder(false);
    });
    connect(m_byDate, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            chooseOrder(true);
    });
    connect(m_names->list, &QListWidget::currentRowChanged, this, &FirstNamesWindow::selectRow);
    // Only the operator's choice stores a date: showing an entry sets the
    // combos with their signals blocked.
    connect(m_dayCombo, &QComboBox::currentIndexChanged, this, &FirstNamesWindow::setDay);
    connect(m_monthCombo, &QComboBox::currentIndexChanged, this, &FirstNamesWindow::setMonth);

    connect(m_add, &QPushButton::clicked, this, &FirstNamesWindow::addName);
    connect(m_newName, &QLineEdit::returnPressed, this, &FirstNamesWindow::addName);
    connect(m_remove, &QPushButton::clicked, this, &FirstNamesWindow::removeName);
}

FirstNameTable& FirstNamesWindow::shownTable() {
    return m_shownList == kCalendarList ? m_calendar : m_subscriberNames;
}

void FirstNamesWindow::sortTable(FirstNameTable& table) const {
    if (m_dateOrder)
        SortFirstNamesByDate(table);
    else
        SortFirstNames(table);
}

void FirstNamesWindow::chooseList(int list) {
    m_shownList = list == kCalendarList ? kCalendarList : kSubscribersList;
    const bool editable = m_shownList == kCalendarList;
    m_newName->setEnabled(editable);
    m_add->setEnabled(editable);
    m_remove->setEnabled(editable);
    showList(nullptr);
}

void FirstNamesWindow::chooseOrder(bool dateOrder) {
    m_dateOrder = dateOrder;
    const SubscriberFirstName kept =
        hasSelection() ? shownTable()[static_cast<std::size_t>(m_selected)] : SubscriberFirstName{};
    sortTable(m_subscriberNames);
    sortTable(m_calendar);
    showList(kept.firstName.empty() ? nullptr : &kept);
}

void FirstNamesWindow::addName() {
    if (m_shownList != kCalendarList)
        return;
    const std::string typed = ToCp1252(m_newName->text());
    if (!AddFirstName(m_calendar, typed))
        return;
    m_newName->clear();
    // The record that was just filled is the only one with this name.
    std::string stored = common::ReplaceDashes(typed).substr(0, kFirstNameChars);
    const SubscriberFirstName added{std::move(stored), kUnknownNameday, kUnknownNameday};
    sortTable(m_calendar);
    showList(&added);
}

void FirstNamesWindow::removeName() {
    if (m_shownList != kCalendarList || !hasSelection())
        return;
    const int row = m_names->list->currentRow();
    m_calendar[static_cast<std::size_t>(m_selected)] = SubscriberFirstName{};
    sortTable(m_calendar);
    showList(nullptr);
    if (!m_rows.empty())
        m_names->list->setCurrentRow(std::min<int>(row, static_cast<int>(m_rows.size()) - 1));
}

bool FirstNamesWindow::importFrom(const std::filesystem::path& path) {
    // Read into a scratch table: a file that cannot be read must not cost
    // the operator the names being edited.
    FirstNameTable imported = MakeFirstNameTable(kSubscriberFirstNames);
    if (!LoadFirstNames(imported, path))
        return false;
    m_subscriberNames = std::move(imported);
    sortTable(m_subscriberNames);
    if (m_shownList == kSubscribersList)
        showList(nullptr);
    return true;
}

bool FirstNamesWindow::exportTo(const std::filesystem::path& path) const {
    const FirstNameTable named = NamedFirstNames(m_subscriberNames);
    return SaveFirstNames(named, static_cast<int>(named.size()), path);
}

bool FirstNamesWindow::save(common::MessageSink& messages) {
    // Both files are tried, so one that cannot be written does not hold back
    // the other.
    const bool subscribersSaved =
        SaveSubscriberFirstNamesDatabase(this->folder(), m_subscriberNames, messages);
    const bool calendarSaved = SaveCalendarDatabase(this->folder(), m_calendar, messages);
    return subscribersSaved && calendarSaved;
}

void FirstNamesWindow::setDay(int day) {
    if (hasSelection() && day >= 0)
        shownTable()[static_cast<std::size_t>(m_selected)].namedayDay = day;
}

void FirstNamesWindow::setMonth(int month) {
    if (hasSelection() && month >= 0)
        shownTable()[static_cast<std::size_t>(m_selected)].namedayMonth = month;
}

void FirstNamesWindow::showList(const SubscriberFirstName* keep) {
    const FirstNameTable& table = shownTable();
    int keptRow = -1;
    std::vector<QString> names;
    m_rows.clear();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].firstName.empty())
            continue;
        if (keep && keptRow < 0 && table[i] == *keep)
            keptRow = static_cast<int>(m_rows.size());
        m_rows.push_back(static_cast<int>(i));
        names.push_back(FromCp1252(table[i].firstName));
    }
    m_names->fill(names, keptRow);
    selectRow(keptRow);
}

void FirstNamesWindow::selectRow(int row) {
    const bool valid = row >= 0 && row < static_cast<int>(m_rows.size());
    m_selected = valid ? m_rows[static_cast<std::size_t>(row)] : -1;
    m_names->select(valid ? row : -1);

    static const SubscriberFirstName kNone{};
    const SubscriberFirstName& entry =
        valid ? shownTable()[static_cast<std::size_t>(m_selected)] : kNone;
    m_selectedName->setText(FromCp1252(entry.firstName));
    const QSignalBlocker dayBlocker(m_dayCombo);
    const QSignalBlocker monthBlocker(m_monthCombo);
    m_dayCombo->setCurrentIndex(
        entry.namedayDay >= 0 && entry.namedayDay < kDaysInCombo ? entry.namedayDay : -1);
    m_monthCombo->setCurrentIndex(
        entry.namedayMonth >= 0 && entry.namedayMonth < 12 ? entry.namedayMonth : -1);
    m_dayCombo->setEnabled(valid);
    m_monthCombo->setEnabled(valid);
    m_remove->setEnabled(valid && m_shownList == kCalendarList);
}

} // namespace tallimo::databases
