#include "finances/gui/prices_window.h"

#include "common/gui/text_conversion.h"
#include "finances/gui/category_combo.h"
#include "finances/gui/price_printouts.h"
#include "i18n/core/translation_table.h"
#include "i18n/core/window_texts.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
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

constexpr std::string_view kTextsStem = "FenetreTarifs";
// Read with the window's own texts for its missing-file report, as the
// operator has always seen it; no control here takes its rows.
constexpr std::string_view kFleetTextsFileName = "BaseParcKarts.trans";
constexpr int kFleetTextRows = 4;

// Minutes fit three digits; a price fits nine, so it always fits the file's
// 32-bit number.
constexpr std::size_t kDurationDigits = 3;
constexpr std::size_t kPriceDigits = 9;

// Rows of "FenetreTarifs.trans".
enum PricesRow {
    kRowSession,
    kRowMinutes,
    kRowCategory,
    kRowNewSession,
    kRowMin,
    kRowCurrency,
    kRowRental,
    kRowPrivate,
    kRowSessions,
    kRowPrint,
};

bool IsCurrency(int currency) {
    return currency >= 0 && currency < kCurrencyCount;
}

// Wide enough for `digits` digits and the frame, no wider: a price is short.
void FitDigits(QLineEdit* edit, std::size_t digits) {
    const QString widest(static_cast<qsizetype>(digits) + 1, QLatin1Char('0'));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + 12);
}

// A change of currency must not resize the window either.
int WidestUnit(const QLabel* label) {
    int widest = 0;
    for (int currency = 0; currency < kCurrencyCount; ++currency)
        widest = std::max(
            widest, label->fontMetrics().horizontalAdvance(FromCp1252(CurrencyUnit(currency))));
    return widest;
}

// Hidden price rows keep their place, so the window does not jump as
// sessions come and go.
void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

PricesWindow::PricesWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                           QWidget* parent)
    : EditingWindow(std::move(folder), dialogs, "pricesWindow",
                    databases::ExchangeFormat{i18n::FilteredFile::Prices, kPricesExportExtension,
                                              kFinancesErrorCaption, kPricesImportErrorText,
                                              kPricesExportErrorText},
                    parent) {
    buildControls();
    loadTexts();
    loadData();
}

PricesWindow::~PricesWindow() = default;

void PricesWindow::showPrintMenu() {
    // A category list needs a category to list.
    m_rentalList->setEnabled(selectedCategoryRow() != nullptr);
    m_printMenu->popup(QCursor::pos());
}

void PricesWindow::openPriceList(bool privateKarts) {
    if (!reportPrinter())
        return;
    const int category = SelectedCategory(m_categoryCombo);
    if (!privateKarts && category < 0)
        return;
    const PriceListTexts texts = LoadPriceListTexts(folder(), messages());
    // The prices as the window holds them now, typed but not yet saved.
    const std::string heading =
        privateKarts ? texts.privateHeading : categoryNames()[static_cast<std::size_t>(category)];
    const PriceRow& row = privateKarts ? m_prices.privatePrices : PriceRowOf(m_prices, category);
    printing::ReportPreviewWindow preview(
        *reportPrinter(),
        PriceListJob(heading,
                     PriceListLines(row, texts.words, CurrencyUnit(CurrentCurrency(m_prices))),
                     privateKarts),
        PriceListPreviewTexts(texts.languages.interfaceCode, heading), this);
    preview.exec();
}

bool PricesWindow::save(common::MessageSink& messages) {
    return SavePricesDatabase(folder(), m_prices, messages);
}

bool PricesWindow::exportTo(const std::filesystem::path& path) const {
    return SavePrices(m_prices, path);
}

bool PricesWindow::importFrom(const std::filesystem::path& path) {
    if (!ImportPrices(m_prices, path, categoryNames()))
        return false;
    showCurrency();
    showPanel(m_rental);
    showPanel(m_private);
    return true;
}

void PricesWindow::buildControls() {
    m_categoryLabel = NamedLabel("categoryLabel", this);
    m_categoryCombo = NamedCombo("categoryCombo", this);
    m_currencyLabel = NamedLabel("currencyLabel", this);
    m_currencyCombo = NamedCombo("currencyCombo", this);
    m_print = printButton();
    m_printMenu = new QMenu(this);
    m_printMenu->setObjectName(QStringLiteral("printMenu"));
    m_rentalList = m_printMenu->addAction(FromCp1252("Tarifs karts location"));
    m_rentalList->setObjectName(QStringLiteral("rentalPriceListAction"));
    QAction* privateList = m_printMenu->addAction(FromCp1252("Tarifs karts priv\xE9s"));
    privateList->setObjectName(QStringLiteral("privatePriceListAction"));
    connect(m_rentalList, &QAction::triggered, this, [this] { openPriceList(false); });
    connect(privateList, &QAction::triggered, this, [this] { openPriceList(true); });
    connect(m_print, &QPushButton::clicked, this, &PricesWindow::showPrintMenu);

    m_rental.row = [this] { return selectedCategoryRow(); };
    m_private.row = [this] { return &m_prices.privatePrices; };

    auto* choices = new QHBoxLayout;
    choices->addWidget(m_categoryLabel);
    choices->addWidget(m_categoryCombo);
    choices->addStretch(1);
    choices->addWidget(m_currencyLabel);
    choices->addWidget(m_currencyCombo);

    auto* panels = new QHBoxLayout;
    panels->addWidget(buildPanel(m_rental, "rental"), 1);
    panels->addWidget(buildPanel(m_private, "private"), 1);

    auto* body = new QVBoxLayout;
    body->addLayout(choices);
    body->addLayout(panels, 1);
    layOut(body, m_print);

    connectPanel(m_rental);
    connectPanel(m_private);
    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this,
            [this] { showPanel(m_rental); });
    connect(m_currencyCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!IsCurrency(index))
            return;
        SetCurrency(m_prices, index);
        showCurrency();
    });
}

QGroupBox* PricesWindow::buildPanel(SessionPanel& panel, const std::string& prefix) {
    const auto name = [&prefix](const char* part) { return prefix + part; };

    panel.group = new QGroupBox(this);
    panel.group->setObjectName(QString::fromStdString(name("Group")));
    QWidget* group = panel.group;
    panel.newLabel = NamedLabel(name("NewLabel").c_str(), group);
    panel.duration = DigitsEdit(name("DurationEdit").c_str(), group, kDurationDigits);
    FitDigits(panel.duration, kDurationDigits);
    panel.minLabel = NamedLabel(name("MinLabel").c_str(), group);
    panel.add = wordButton(name("AddButton").c_str(), ButtonWord::Add);
    panel.listLabel = NamedLabel(name("ListLabel").c_str(), group);
    panel.sessions = new QListWidget(group);
    panel.sessions->setObjectName(QString::fromStdString(name("SessionList")));
    panel.remove = wordButton(name("RemoveButton").c_str(), ButtonWord::Remove);

    auto* adding = new QHBoxLayout;
    adding->addWidget(panel.duration);
    adding->addWidget(panel.minLabel);
    adding->addWidget(panel.add);
    adding->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(panel.newLabel);
    left->addLayout(adding);
    left->addWidget(panel.listLabel);
    left->addWidget(panel.sessions, 1);
    left->addWidget(panel.remove);

    auto* prices = new QGridLayout;
    for (int s = 0; s < kSessionsPerRow; ++s) {
        const std::string number = std::to_string(s);
        QLabel* label = NamedLabel((name("PriceLabel") + number).c_str(), group);
        QLineEdit* edit = DigitsEdit((name("PriceEdit") + number).c_str(), group, kPriceDigits);
        FitDigits(edit, kPriceDigits);
        edit->setAlignment(Qt::AlignRight);
        QLabel* unit = NamedLabel((name("UnitLabel") + number).c_str(), group);
        unit->setMinimumWidth(WidestUnit(unit));
        for (QWidget* widget : {static_cast<QWidget*>(label), static_cast<QWidget*>(edit),
                                static_cast<QWidget*>(unit)})
            KeepPlaceWhenHidden(widget);
        prices->addWidget(label, s, 0);
        prices->addWidget(edit, s, 1);
        prices->addWidget(unit, s, 2);
        panel.priceLabels[static_cast<std::size_t>(s)] = label;
        panel.priceEdits[static_cast<std::size_t>(s)] = edit;
        panel.unitLabels[static_cast<std::size_t>(s)] = unit;
    }
    prices->setRowStretch(kSessionsPerRow, 1);
    prices->setColumnStretch(3, 1);

    // The frame made the two buttons on the window; this layout moves them
    // into the group.
    auto* layout = new QHBoxLayout(panel.group);
    layout->addLayout(left);
    layout->addSpacing(12);
    layout->addLayout(prices, 1);
    return panel.group;
}

void PricesWindow::connectPanel(SessionPanel& panel) {
    connect(panel.add, &QPushButton::clicked, this, [this, &panel] { addDuration(panel); });
    connect(panel.duration, &QLineEdit::returnPressed, this,
            [this, &panel] { addDuration(panel); });
    connect(panel.remove, &QPushButton::clicked, this, [this, &panel] { removeDuration(panel); });
    connect(panel.sessions, &QListWidget::currentRowChanged, this,
            [&panel](int row) { panel.remove->setEnabled(row >= 0); });
    for (int s = 0; s < kSessionsPerRow; ++s) {
        // textEdited, not textChanged: showing a row must not count as typing.
        connect(panel.priceEdits[static_cast<std::size_t>(s)], &QLineEdit::textEdited, this,
                [&panel, s](const QString& text) {
                    if (PriceRow* row = panel.row())
                        SetSessionPrice(*row, s, text.toInt());
                });
    }
}

void PricesWindow::loadTexts() {
    const databases::WindowLabels label =
        EditingWindow::loadTexts(kTextsStem, kRowPrint + 1, i18n::TitledWindow::Prices);
    i18n::TranslationTable fleetWords;
    i18n::LoadWindowTable(folder(), kFleetTextsFileName, fleetWords, kFleetTextRows, messages());

    heading()->setText(windowTitle());
    m_sessionWord = label(kRowSession, "S\xE9"
                                       "ance");
    m_minutesWord = label(kRowMinutes, "minutes");
    m_categoryLabel->setText(label(kRowCategory, "Cat\xE9gorie de karts :"));
    m_currencyLabel->setText(label(kRowCurrency, "Devise :"));
    m_rental.group->setTitle(label(kRowRental, "Karts de location"));
    m_private.group->setTitle(label(kRowPrivate, "Karts priv\xE9s (location piste)"));
    for (SessionPanel* panel : {&m_rental, &m_private}) {
        panel->newLabel->setText(label(kRowNewSession, "Nouvelle s\xE9"
                                                       "ance : dur\xE9"
                                                       "e"));
        panel->minLabel->setText(label(kRowMin, "min"));
        panel->listLabel->setText(label(kRowSessions, "S\xE9"
                                                      "ances"));
        // Room for the longest label from the start, so that adding a
        // session never resizes the window.
        for (QLabel* priceLabel : panel->priceLabels) {
            const QString longest = QStringLiteral("%1 999 %2").arg(m_sessionWord, m_minutesWord);
            priceLabel->setMinimumWidth(priceLabel->fontMetrics().horizontalAdvance(longest));
        }
    }
    m_print->setText(label(kRowPrint, "Imprimer"));
}

void PricesWindow::loadData() {
    databases::LoadCategoriesDatabase(folder(), m_categories, messages());
    FillCategoryCombo(m_categoryCombo, categoryNames());

    LoadPricesDatabase(folder(), m_prices, messages());
    ZeroUnnamedCategoryRows(m_prices, categoryNames());

    {
        const QSignalBlocker blocker(m_currencyCombo);
        for (int currency = 0; currency < kCurrencyCount; ++currency)
            m_currencyCombo->addItem(FromCp1252(CurrencyComboText(currency)));
    }
    showCurrency();
    showPanel(m_rental);
    showPanel(m_private);
}

std::array<std::string, kPriceRows> PricesWindow::categoryNames() const {
    return PricedCategoryNames(m_categories);
}

PriceRow* PricesWindow::selectedCategoryRow() {
    const int category = SelectedCategory(m_categoryCombo);
    return category < 0 ? nullptr : &PriceRowOf(m_prices, category);
}

void PricesWindow::addDuration(SessionPanel& panel) {
    PriceRow* row = panel.row();
    if (row == nullptr || !AddSessionDuration(*row, panel.duration->text().toInt()))
        return;
    panel.duration->clear();
    showPanel(panel);
}

void PricesWindow::removeDuration(SessionPanel& panel) {
    PriceRow* row = panel.row();
    if (row == nullptr || !RemoveSession(*row, panel.sessions->currentRow()))
        return;
    showPanel(panel);
}

void PricesWindow::showPanel(SessionPanel& panel) {
    const PriceRow* row = panel.row();
    const int used = row ? UsedSessionCount(*row) : 0;
    {
        const QSignalBlocker blocker(panel.sessions);
        panel.sessions->clear();
        for (int s = 0; s < used; ++s) {
            panel.sessions->addItem(QStringLiteral("%1 %2")
                                        .arg((*row)[static_cast<std::size_t>(s)].durationMinutes)
                                        .arg(m_minutesWord));
        }
    }
    for (int s = 0; s < kSessionsPerRow; ++s) {
        const auto index = static_cast<std::size_t>(s);
        const bool offered = s < used;
        panel.priceLabels[index]->setVisible(offered);
        panel.priceEdits[index]->setVisible(offered);
        panel.unitLabels[index]->setVisible(offered);
        if (!offered)
            continue;
        const SessionPrice& entry = (*row)[index];
        panel.priceLabels[index]->setText(QStringLiteral("%1 %2 %3")
                                              .arg(m_sessionWord)
                                              .arg(entry.durationMinutes)
                                              .arg(m_minutesWord));
        panel.priceEdits[index]->setText(QString::number(entry.price));
    }
    panel.duration->setEnabled(row != nullptr);
    panel.add->setEnabled(row != nullptr);
    panel.remove->setEnabled(false);
}

void PricesWindow::showCurrency() {
    const int currency = CurrentCurrency(m_prices);
    {
        // A number no currency has (a hand-edited file) selects nothing.
        const QSignalBlocker blocker(m_currencyCombo);
        m_currencyCombo->setCurrentIndex(IsCurrency(currency) ? currency : -1);
    }
    const QString unit = FromCp1252(CurrencyUnit(currency));
    for (SessionPanel* panel : {&m_rental, &m_private}) {
        for (QLabel* label : panel->unitLabels)
            label->setText(unit);
    }
}

} // namespace tallimo::finances
