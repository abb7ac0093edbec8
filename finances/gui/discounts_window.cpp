#include "finances/gui/discounts_window.h"

#include "common/gui/text_conversion.h"
#include "databases/gui/date_combos.h"
#include "finances/core/booking_rules.h"
#include "finances/gui/category_combo.h"
#include "finances/gui/settings_printouts.h"
#include "i18n/core/discount_window_texts.h"
#include "i18n/core/translation_table.h"
#include "i18n/core/window_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <utility>

namespace tallimo::finances {

using common::FromCp1252;
using databases::ButtonWord;
using databases::DigitsEdit;
using databases::NamedButton;
using databases::NamedCombo;
using databases::NamedLabel;

namespace {

constexpr std::string_view kTextsStem = "FenetreRemises";
// A discount fits a price's nine digits; a count of days fits three.
constexpr std::size_t kDiscountDigits = 9;
constexpr std::size_t kDayCountDigits = 3;

// Rows of "FenetreRemises.trans".
enum DiscountsRow {
    kRowEvents,
    kRowEnableDiscounts,
    kRowDaysBefore,
    kRowDaysAfter,
    kRowSendMail,
    kRowMailDaysBefore,
    kRowDiscountsIn,
    kRowDiscount,
};

// The items of the unit combo: its index is `discountMode`.
enum UnitItem { kAmountItem = 0, kPercentItem = 1 };

std::size_t Index(int i) {
    return static_cast<std::size_t>(i);
}

QCheckBox* NamedCheck(const char* name, QWidget* parent) {
    auto* check = new QCheckBox(parent);
    check->setObjectName(QLatin1String(name));
    return check;
}

// Wide enough for `digits` digits and the frame, no wider.
void FitDigits(QLineEdit* edit, std::size_t digits) {
    const QString widest(static_cast<qsizetype>(digits) + 1, QLatin1Char('0'));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + 12);
}

// Hidden discount lines keep their place, so the window does not jump
// from one category or event to the next.
void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

int WidestText(const QWidget* widget, const QStringList& texts) {
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, widget->fontMetrics().horizontalAdvance(text));
    return widest;
}

QStringList AllUnits() {
    QStringList units{QStringLiteral("%")};
    for (int currency = 0; currency < kCurrencyCount; ++currency)
        units << FromCp1252(CurrencyUnit(currency));
    return units;
}

} // namespace

DiscountsWindow::DiscountsWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                                 QWidget* parent)
    : FinanceSettingsWindow(
          std::move(folder), dialogs, "discountsWindow",
          databases::ExchangeFormat{i18n::FilteredFile::Discounts, kDiscountsExportExtension,
                                    kFinancesErrorCaption, kDiscountsImportErrorText,
                                    kDiscountsExportErrorText},
          parent),
      m_editor(m_table.events, DiscountEventRules()) {
    buildControls();
    loadTexts();
    loadData();
}

DiscountsWindow::~DiscountsWindow() = default;

bool DiscountsWindow::save(common::MessageSink& messages) {
    return SaveDiscountsDatabase(folder(), m_table, messages);
}

bool DiscountsWindow::exportTo(const std::filesystem::path& path) const {
    return SaveDiscounts(m_table, ListedEventCount(m_table), path);
}

bool DiscountsWindow::importFrom(const std::filesystem::path& path) {
    if (!ImportDiscounts(m_table, path, categoryNames(), language()))
        return false;
    m_editor.selectFirst();
    showUnit();
    showList();
    return true;
}

void DiscountsWindow::buildControls() {
    m_newLabel = NamedLabel("newLabel", this);
    m_newName = databases::LimitedEdit("newEventEdit", this, static_cast<int>(kEventNameChars));
    m_add = wordButton("addButton", ButtonWord::Add);
    databases::RecordList& list = recordList("eventList", "eventListLabel", "numberListLabel",
                                             databases::RecordNumbers::Selected);
    m_remove = wordButton("removeButton", ButtonWord::Remove);

    m_eventName = databases::NamedEdit("eventNameEdit", this, true);
    m_dayCombo = NamedCombo("dayCombo", this);
    m_monthCombo = NamedCombo("monthCombo", this);
    m_fixedDate = NamedLabel("fixedDateLabel", this);
    m_discountActive = NamedCheck("discountActiveCheck", this);
    m_daysBefore = DigitsEdit("daysBeforeEdit", this, kDayCountDigits);
    m_daysBeforeLabel = NamedLabel("daysBeforeLabel", this);
    m_daysAfter = DigitsEdit("daysAfterEdit", this, kDayCountDigits);
    m_daysAfterLabel = NamedLabel("daysAfterLabel", this);
    m_mailActive = NamedCheck("mailActiveCheck", this);
    m_mailDaysBefore = DigitsEdit("mailDaysBeforeEdit", this, kDayCountDigits);
    m_mailDaysBeforeLabel = NamedLabel("mailDaysBeforeLabel", this);
    for (QLineEdit* edit : {m_daysBefore, m_daysAfter, m_mailDaysBefore}) {
        FitDigits(edit, kDayCountDigits);
        edit->setAlignment(Qt::AlignRight);
    }
    m_unitLabel = NamedLabel("unitLabel", this);
    m_unitCombo = NamedCombo("unitCombo", this);
    m_categoryLabel = NamedLabel("categoryLabel", this);
    m_categoryCombo = NamedCombo("categoryCombo", this);
    m_print = printButton();
    connect(m_print, &QPushButton::clicked, this, [this] { printList(); });

    // The dated events choose a day and a month; the two fixed ones take
    // theirs from each subscriber and say so in the same place.
    auto* combos = new QWidget(this);
    auto* comboRow = new QHBoxLayout(combos);
    comboRow->setContentsMargins(0, 0, 0, 0);
    comboRow->addWidget(m_dayCombo);
    comboRow->addWidget(m_monthCombo);
    comboRow->addStretch(1);
    m_date = new QStackedWidget(this);
    m_date->setObjectName(QStringLiteral("dateStack"));
    m_date->addWidget(combos);
    m_date->addWidget(m_fixedDate);

    auto* settings = new QGridLayout;
    settings->addWidget(m_discountActive, 0, 0);
    settings->addWidget(m_daysBefore, 0, 1);
    settings->addWidget(m_daysBeforeLabel, 0, 2);
    settings->addWidget(m_daysAfter, 0, 3);
    settings->addWidget(m_daysAfterLabel, 0, 4);
    settings->addWidget(m_mailActive, 1, 0);
    settings->addWidget(m_mailDaysBefore, 1, 1);
    settings->addWidget(m_mailDaysBeforeLabel, 1, 2, 1, 3);
    settings->setColumnStretch(5, 1);

    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(m_unitLabel);
    unitRow->addWidget(m_unitCombo);
    unitRow->addStretch(1);

    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(m_categoryLabel);
    categoryRow->addWidget(m_categoryCombo);
    categoryRow->addStretch(1);

    m_rental.category = [this] { return selectedCategory(); };
    m_private.category = [] { return kPriceRows; };

    auto* panels = new QHBoxLayout;
    panels->addWidget(buildPanel(m_rental, "rental", categoryRow), 1);
    panels->addWidget(buildPanel(m_private, "private", nullptr), 1);

    auto* eventFields = new QVBoxLayout;
    eventFields->addWidget(m_eventName);
    eventFields->addWidget(m_date);
    eventFields->addLayout(settings);
    eventFields->addSpacing(6);
    eventFields->addLayout(unitRow);
    eventFields->addLayout(panels, 1);

    // The list is as wide as the longest name, and takes the height the
    // labels above it do not need.
    list.list->setMinimumWidth(
        list.list->fontMetrics().horizontalAdvance(QString(kEventNameChars, QLatin1Char('n'))) +
        list.list->frameWidth() * 2 + 4);
    QGridLayout* listGrid = list.layOut(m_remove);
    listGrid->setRowStretch(2, 1);
    QVBoxLayout* left = databases::NewRecordColumn(m_newLabel, m_newName, m_add, listGrid, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addSpacing(12);
    body->addLayout(eventFields, 1);
    layOut(body, m_print);

    attachEditor<DiscountEvents>(
        m_editor, m_newName, m_add, m_remove,
        [](const DiscountEvent& event) { return FromCp1252(event.eventName); },
        [this] { showSelectedEvent(); });
    connectControls();
}

QGroupBox* DiscountsWindow::buildPanel(DiscountPanel& panel, const std::string& prefix,
                                       QLayout* top) {
    const auto name = [&prefix](const char* part, int session = -1) {
        return prefix + part + (session < 0 ? std::string() : std::to_string(session));
    };

    panel.group = new QGroupBox(this);
    panel.group->setObjectName(QString::fromStdString(name("Group")));
    QWidget* group = panel.group;
    panel.heading = NamedLabel(name("DiscountHeading").c_str(), group);

    auto* lines = new QGridLayout;
    lines->addWidget(panel.heading, 0, 1, 1, 2);
    for (int s = 0; s < kSessionsPerRow; ++s) {
        const std::size_t index = Index(s);
        panel.sessionLabels[index] = NamedLabel(name("SessionLabel", s).c_str(), group);
        panel.discountEdits[index] =
            DigitsEdit(name("DiscountEdit", s).c_str(), group, kDiscountDigits);
        FitDigits(panel.discountEdits[index], kDiscountDigits);
        panel.discountEdits[index]->setAlignment(Qt::AlignRight);
        panel.unitLabels[index] = NamedLabel(name("UnitLabel", s).c_str(), group);
        panel.unitLabels[index]->setMinimumWidth(WidestText(panel.unitLabels[index], AllUnits()));
        panel.previewLabels[index] = NamedLabel(name("PreviewLabel", s).c_str(), group);
        const std::array<QWidget*, 4> line{panel.sessionLabels[index], panel.discountEdits[index],
                                           panel.unitLabels[index], panel.previewLabels[index]};
        for (std::size_t column = 0; column < line.size(); ++column) {
            KeepPlaceWhenHidden(line[column]);
            lines->addWidget(line[column], s + 1, static_cast<int>(column));
        }
    }
    lines->setRowStretch(kSessionsPerRow + 1, 1);
    lines->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(panel.group);
    if (top)
        layout->addLayout(top);
    layout->addLayout(lines, 1);
    return panel.group;
}

void DiscountsWindow::connectControls() {
    connect(m_dayCombo, &QComboBox::currentIndexChanged, this, [this](int day) {
        if (day >= 0)
            editEvent([day](DiscountEvent& event) { event.eventDay = day; });
    });
    connect(m_monthCombo, &QComboBox::currentIndexChanged, this, [this](int month) {
        if (month >= 0)
            setMonth(month);
    });
    const std::pair<QCheckBox*, std::int32_t DiscountEvent::*> checks[] = {
        {m_discountActive, &DiscountEvent::discountActive},
        {m_mailActive, &DiscountEvent::mailActive}};
    for (const auto& [check, field] : checks) {
        connect(check, &QCheckBox::toggled, this, [this, field](bool checked) {
            editEvent([&](DiscountEvent& event) { event.*field = checked ? 1 : 0; });
        });
    }
    // textEdited, not textChanged: showing an event must not count as typing.
    const std::pair<QLineEdit*, std::int32_t DiscountEvent::*> counts[] = {
        {m_daysBefore, &DiscountEvent::daysBefore},
        {m_daysAfter, &DiscountEvent::daysAfter},
        {m_mailDaysBefore, &DiscountEvent::mailDaysBefore}};
    for (const auto& [edit, field] : counts) {
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            editEvent([&](DiscountEvent& event) { event.*field = text.toInt(); });
        });
    }
    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this,
            [this] { showPanel(m_rental); });
    connect(m_unitCombo, &QComboBox::currentIndexChanged, this, [this](int item) {
        if (item < 0)
            return;
        m_table.discountMode = item;
        showUnit();
    });
    connectPanel(m_rental);
    connectPanel(m_private);
}

void DiscountsWindow::connectPanel(DiscountPanel& panel) {
    for (int s = 0; s < kSessionsPerRow; ++s) {
        connect(panel.discountEdits[Index(s)], &QLineEdit::textEdited, this,
                [this, &panel, s](const QString& text) { setDiscount(panel, s, text.toInt()); });
    }
}

void DiscountsWindow::loadTexts() {
    PriceWords words;
    const databases::WindowLabels label =
        loadSettingsTexts(kTextsStem, kRowDiscount + 1, i18n::TitledWindow::Discounts, words);

    heading()->setText(windowTitle());
    m_sessionWord = words.session;
    m_minutesWord = words.minutes;
    m_newLabel->setText(words.newRecord);
    findChild<QLabel*>(QStringLiteral("eventListLabel"))
        ->setText(label(kRowEvents, "Ev\xE9nements (50 max)"));
    m_discountActive->setText(label(kRowEnableDiscounts, "Activer les remises"));
    m_daysBeforeLabel->setText(label(kRowDaysBefore, "jours avant"));
    m_daysAfterLabel->setText(label(kRowDaysAfter, "jours apr\xE8s la date"));
    m_mailActive->setText(label(kRowSendMail, "Envoyer un email"));
    m_mailDaysBeforeLabel->setText(label(kRowMailDaysBefore, "jours avant la date"));
    m_unitLabel->setText(label(kRowDiscountsIn, "Remises en"));
    m_categoryLabel->setText(words.category);
    m_rental.group->setTitle(words.rental);
    m_private.group->setTitle(words.privateKarts);
    // The template's own caption: no translation file holds one.
    m_print->setText(QStringLiteral("Imprimer"));

    // Room for the longest texts from the start, so that choosing another
    // event, category or unit never resizes the window.
    const QString longestSession = QStringLiteral("%1 999 %2").arg(m_sessionWord, m_minutesWord);
    QStringList previews;
    for (const QString& unit : AllUnits())
        previews << QStringLiteral("=>  %1 = 999999 %2").arg(m_sessionWord, unit);
    for (DiscountPanel* panel : {&m_rental, &m_private}) {
        panel->heading->setText(label(kRowDiscount, "Remise"));
        for (int s = 0; s < kSessionsPerRow; ++s) {
            QLabel* session = panel->sessionLabels[Index(s)];
            session->setMinimumWidth(session->fontMetrics().horizontalAdvance(longestSession));
            QLabel* preview = panel->previewLabels[Index(s)];
            preview->setMinimumWidth(WidestText(preview, previews));
        }
    }
    QStringList fixedDates;
    for (const auto event : {i18n::FixedDiscountEvent::SubscribersBirthday,
                             i18n::FixedDiscountEvent::SubscribersNameday})
        fixedDates << FromCp1252(i18n::FixedEventDateLabel(event, language()));
    m_fixedDate->setMinimumWidth(WidestText(m_fixedDate, fixedDates));
    databases::FillMonthCombo(m_monthCombo, language());
}

void DiscountsWindow::loadData() {
    databases::LoadCategoriesDatabase(folder(), m_categories, messages());
    FillCategoryCombo(m_categoryCombo, categoryNames());

    LoadPricesDatabase(folder(), m_prices, messages());
    LoadDiscountsDatabase(folder(), m_table, messages());
    ZeroUnnamedCategoryDiscounts(m_table, categoryNames());
    NameFixedEvents(m_table, language());

    {
        const QSignalBlocker blocker(m_unitCombo);
        m_unitCombo->addItem(FromCp1252(CurrencyUnit(CurrentCurrency(m_prices))));
        m_unitCombo->addItem(QStringLiteral("%"));
    }
    showUnit();
    m_editor.selectFirst();
    showList();
}

int DiscountsWindow::selectedCategory() const {
    return SelectedCategory(m_categoryCombo);
}

std::array<std::string, kPriceRows> DiscountsWindow::categoryNames() const {
    return PricedCategoryNames(m_categories);
}

bool DiscountsWindow::editEvent(const std::function<void(DiscountEvent&)>& change) {
    return m_editor.edit(change);
}

void DiscountsWindow::setMonth(int month) {
    if (!editEvent([month](DiscountEvent& event) { SetEventMonth(event, month); }))
        return;
    showDate(*m_editor.current(), false);
}

void DiscountsWindow::setDiscount(DiscountPanel& panel, int session, std::int32_t discount) {
    const int category = panel.category();
    const bool edited = editEvent([&](DiscountEvent& event) {
        if (std::int32_t* slot = DiscountSlot(event, category, session))
            *slot = discount;
    });
    if (edited)
        showPreview(panel, session);
}

void DiscountsWindow::showSelectedEvent() {
    static const DiscountEvent kNone{};
    const DiscountEvent* selected = m_editor.current();
    const DiscountEvent& event = selected ? *selected : kNone;
    const bool fixed = m_editor.selected() < kFirstDatedEvent;
    m_remove->setEnabled(selected != nullptr && !fixed);

    m_eventName->setText(FromCp1252(event.eventName));
    showDate(event, fixed);
    const std::pair<QCheckBox*, std::int32_t> checks[] = {{m_discountActive, event.discountActive},
                                                          {m_mailActive, event.mailActive}};
    for (const auto& [check, value] : checks) {
        const QSignalBlocker blocker(check);
        check->setChecked(value == 1);
        check->setEnabled(selected != nullptr);
    }
    const std::pair<QLineEdit*, std::int32_t> counts[] = {{m_daysBefore, event.daysBefore},
                                                          {m_daysAfter, event.daysAfter},
                                                          {m_mailDaysBefore, event.mailDaysBefore}};
    for (const auto& [edit, value] : counts) {
        edit->setText(QString::number(value));
        edit->setEnabled(selected != nullptr);
    }
    showPanel(m_rental);
    showPanel(m_private);
}

void DiscountsWindow::showDate(const DiscountEvent& event, bool fixed) {
    if (fixed) {
        const auto which = m_editor.selected() == kNamedayEvent
                               ? i18n::FixedDiscountEvent::SubscribersNameday
                               : i18n::FixedDiscountEvent::SubscribersBirthday;
        m_fixedDate->setText(FromCp1252(i18n::FixedEventDateLabel(which, language())));
        m_date->setCurrentWidget(m_fixedDate);
        return;
    }
    m_date->setCurrentIndex(0);
    const int days = EventMonthDays(event.eventMonth);
    databases::FillDayCombo(m_dayCombo, days);
    // A day or month out of the calendar (a hand-edited file) selects
    // nothing, and stays as it is until the operator chooses.
    const QSignalBlocker dayBlocker(m_dayCombo);
    const QSignalBlocker monthBlocker(m_monthCombo);
    m_dayCombo->setCurrentIndex(event.eventDay >= 0 && event.eventDay < days ? event.eventDay : -1);
    m_monthCombo->setCurrentIndex(days > 0 ? event.eventMonth : -1);
}

void DiscountsWindow::showPanel(DiscountPanel& panel) {
    const int category = panel.category();
    const PriceRow* row = category < 0 ? nullptr : &PriceRowOf(m_prices, category);
    const DiscountEvent* event = m_editor.current();
    const int used = row && event ? UsedSessionCount(*row) : 0;
    const QString unit = FromCp1252(DiscountUnit(m_table.discountMode, CurrentCurrency(m_prices)));
    for (int s = 0; s < kSessionsPerRow; ++s) {
        const std::size_t index = Index(s);
        const bool offered = s < used;
        for (QWidget* widget : {static_cast<QWidget*>(panel.sessionLabels[index]),
                                static_cast<QWidget*>(panel.discountEdits[index]),
                                static_cast<QWidget*>(panel.unitLabels[index]),
                                static_cast<QWidget*>(panel.previewLabels[index])})
            widget->setVisible(offered);
        if (!offered)
            continue;
        panel.sessionLabels[index]->setText(QStringLiteral("%1 %2 %3")
                                                .arg(m_sessionWord)
                                                .arg((*row)[index].durationMinutes)
                                                .arg(m_minutesWord));
        panel.discountEdits[index]->setText(QString::number(DiscountOf(*event, category, s)));
        panel.unitLabels[index]->setText(unit);
        showPreview(panel, s);
    }
    panel.heading->setVisible(used > 0);
}

void DiscountsWindow::showPreview(DiscountPanel& panel, int session) {
    const int category = panel.category();
    const DiscountEvent* event = m_editor.current();
    if (category < 0 || event == nullptr)
        return;
    const std::int32_t price = PriceRowOf(m_prices, category)[Index(session)].price;
    const std::int32_t left =
        DiscountedPrice(price, DiscountOf(*event, category, session), m_table.discountMode);
    panel.previewLabels[Index(session)]->setText(
        QStringLiteral("=>  %1 = %2 %3")
            .arg(m_sessionWord)
            .arg(left)
            .arg(FromCp1252(CurrencyUnit(CurrentCurrency(m_prices)))));
}

void DiscountsWindow::showUnit() {
    {
        // Any mode but 0 is percent, as the reservation windows read it.
        const QSignalBlocker blocker(m_unitCombo);
        m_unitCombo->setCurrentIndex(m_table.discountMode == kAmountMode ? kAmountItem
                                                                         : kPercentItem);
    }
    showPanel(m_rental);
    showPanel(m_private);
}

void DiscountsWindow::printList() {
    if (reportPrinter() == nullptr)
        return;
    // The printout speaks the report language, so it reads its own words.
    const SettingsPrintoutTexts texts = LoadDiscountListTexts(folder(), messages());
    ShowSettingsListPreview(*reportPrinter(),
                            DiscountListJob(m_table, m_prices, categoryNames(), texts),
                            DiscountListPreviewTexts(language()), this);
}

} // namespace tallimo::finances
