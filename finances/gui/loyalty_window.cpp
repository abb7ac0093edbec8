#include "finances/gui/loyalty_window.h"

#include "common/gui/text_conversion.h"
#include "finances/gui/category_combo.h"
#include "finances/gui/settings_printouts.h"
#include "i18n/core/translation_table.h"
#include "i18n/core/window_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <string>
#include <utility>

namespace tallimo::finances {

using common::FromCp1252;
using databases::DigitsEdit;
using databases::NamedButton;
using databases::NamedCombo;
using databases::NamedLabel;

namespace {

constexpr std::string_view kTextsStem = "FenetreFidelite";
// A balance never goes past 99999, so no points figure needs more.
constexpr std::size_t kPointsDigits = 5;
constexpr std::size_t kMonthsDigits = 2;

// Rows of "FenetreFidelite.trans".
enum LoyaltyRow {
    kRowEnable,
    kRowMail,
    kRowMonths,
    kRowSubscriber,
    kRowPointsEarned,
    kRowGives,
    kRowFreeFor,
    kRowPoints,
    kRowPointsPerSession,
    kRowFreeSession,
    kRowPrint,
};

constexpr int kPrivateCategory = kPriceRows;

PointsRow* EarnedRow(SessionPointsTables& tables, int category) {
    if (category >= 0 && category < kPriceRows)
        return &tables.sessionPoints[static_cast<std::size_t>(category)];
    return category == kPrivateCategory ? &tables.privateSessionPoints : nullptr;
}

PointsRow* CostRow(SessionPointsTables& tables, int category) {
    if (category >= 0 && category < kPriceRows)
        return &tables.freeSessionCost[static_cast<std::size_t>(category)];
    return category == kPrivateCategory ? &tables.privateFreeSessionCost : nullptr;
}

// Wide enough for `digits` digits and the frame, no wider.
void FitDigits(QLineEdit* edit, std::size_t digits) {
    const QString widest(static_cast<qsizetype>(digits) + 1, QLatin1Char('0'));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + 12);
}

// Hidden session lines keep their place, so the window does not jump when
// another category is chosen.
void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QCheckBox* NamedCheck(const char* name, QWidget* parent) {
    auto* check = new QCheckBox(parent);
    check->setObjectName(QLatin1String(name));
    return check;
}

QLineEdit* PointsEdit(const std::string& name, QWidget* parent, std::size_t digits) {
    QLineEdit* edit = DigitsEdit(name.c_str(), parent, digits);
    FitDigits(edit, digits);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

QString SubscriberItem(const databases::Subscriber& subscriber) {
    return FromCp1252(databases::SubscriberListText(subscriber));
}

} // namespace

LoyaltyWindow::LoyaltyWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                             QWidget* parent)
    : FinanceSettingsWindow(
          std::move(folder), dialogs, "loyaltyWindow",
          databases::ExchangeFormat{i18n::FilteredFile::LoyaltyCard, kLoyaltyExportExtension,
                                    kFinancesErrorCaption, kBalancesImportErrorText,
                                    kBalancesExportErrorText},
          parent),
      m_reports(messages()) {
    buildControls();
    loadTexts();
    loadData();
}

LoyaltyWindow::~LoyaltyWindow() = default;

bool LoyaltyWindow::save(common::MessageSink& messages) {
    return SaveLoyaltyCard(folder(), m_card, messages);
}

bool LoyaltyWindow::exportTo(const std::filesystem::path& path) const {
    ExportLoyaltyCard(m_card, path, m_reports);
    return true;
}

bool LoyaltyWindow::importFrom(const std::filesystem::path& path) {
    ImportLoyaltyCard(m_card, path, messages());
    showAll();
    return true;
}

void LoyaltyWindow::buildControls() {
    m_categoryLabel = NamedLabel("categoryLabel", this);
    m_categoryCombo = NamedCombo("categoryCombo", this);
    m_print = printButton();
    // One list per entry, the menu opening where the operator clicked.
    m_printMenu = new QMenu(this);
    m_printMenu->setObjectName(QStringLiteral("printMenu"));
    const std::pair<LoyaltyList, const char*> lists[] = {
        {LoyaltyList::Subscribers, "subscribersListAction"},
        {LoyaltyList::Earned, "earnedListAction"},
        {LoyaltyList::FreeSession, "freeSessionListAction"}};
    for (const auto& [list, name] : lists) {
        QAction* action = m_printMenu->addAction(LoyaltyListMenuText(list));
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, which = list] { printList(which); });
    }
    connect(m_print, &QPushButton::clicked, this, [this] { m_printMenu->popup(QCursor::pos()); });

    m_rental.category = [this] { return selectedCategory(); };
    m_private.category = [] { return kPrivateCategory; };

    // The category is chosen inside the rental group: it is the only one
    // it applies to.
    auto* choice = new QHBoxLayout;
    choice->addWidget(m_categoryLabel);
    choice->addWidget(m_categoryCombo);
    choice->addStretch(1);

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("settingsRule"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* body = new QVBoxLayout;
    body->addLayout(buildSettings());
    body->addWidget(line);
    body->addWidget(buildPanel(m_rental, "rental", choice));
    body->addWidget(buildPanel(m_private, "private"));
    body->addStretch(1);
    layOut(body, m_print);

    connectControls();
}

QLayout* LoyaltyWindow::buildSettings() {
    m_loyaltyActive = NamedCheck("loyaltyActiveCheck", this);
    m_mailActive = NamedCheck("freeSessionMailCheck", this);
    m_mailMonths = PointsEdit("freeSessionMailMonthsEdit", this, kMonthsDigits);
    m_monthsLabel = NamedLabel("monthsLabel", this);
    m_subscriberLabel = NamedLabel("subscriberLabel", this);
    m_subscriberCombo = NamedCombo("subscriberCombo", this);
    m_subscriberCombo->setMinimumContentsLength(kAccountNameChars + kAccountFirstNameChars / 2);
    m_subscriberCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_arrowLabel = NamedLabel("arrowLabel", this);
    m_arrowLabel->setText(QStringLiteral("=>"));
    m_accountPoints = PointsEdit("accountPointsEdit", this, kPointsDigits);
    m_accountPointsLabel = NamedLabel("accountPointsLabel", this);

    auto* mail = new QHBoxLayout;
    mail->addWidget(m_mailActive);
    mail->addWidget(m_mailMonths);
    mail->addWidget(m_monthsLabel);
    mail->addStretch(1);

    auto* account = new QHBoxLayout;
    account->addWidget(m_subscriberLabel);
    account->addWidget(m_subscriberCombo);
    account->addWidget(m_arrowLabel);
    account->addWidget(m_accountPoints);
    account->addWidget(m_accountPointsLabel);
    account->addStretch(1);

    auto* settings = new QVBoxLayout;
    settings->addWidget(m_loyaltyActive);
    settings->addLayout(mail);
    settings->addSpacing(6);
    settings->addLayout(account);
    return settings;
}

QGroupBox* LoyaltyWindow::buildPanel(PointsPanel& panel, const std::string& prefix,
                                     QLayout* choice) {
    const auto name = [&prefix](const char* part, int session = -1) {
        return prefix + part + (session >= 0 ? std::to_string(session) : std::string());
    };
    panel.group = new QGroupBox(this);
    panel.group->setObjectName(QString::fromStdString(name("Group")));
    QWidget* group = panel.group;
    panel.earnHeading = NamedLabel(name("EarnHeading").c_str(), group);
    panel.freeHeading = NamedLabel(name("FreeHeading").c_str(), group);
    for (QLabel* heading : {panel.earnHeading, panel.freeHeading}) {
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
    }

    auto* layout = new QVBoxLayout(panel.group);
    if (choice) {
        layout->addLayout(choice);
        layout->addSpacing(6);
    }
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    grid->addWidget(panel.earnHeading, 0, 0, 1, 3);
    grid->addWidget(panel.freeHeading, 0, 4, 1, 3);
    grid->setColumnMinimumWidth(3, 24);
    for (int s = 0; s < kSessionsPerRow; ++s) {
        const auto index = static_cast<std::size_t>(s);
        panel.earnLabels[index] = NamedLabel(name("EarnLabel", s).c_str(), group);
        panel.earnEdits[index] = PointsEdit(name("EarnEdit", s), group, kPointsDigits);
        panel.earnUnits[index] = NamedLabel(name("EarnUnit", s).c_str(), group);
        panel.freeLabels[index] = NamedLabel(name("FreeLabel", s).c_str(), group);
        panel.freeEdits[index] = PointsEdit(name("FreeEdit", s), group, kPointsDigits);
        panel.freeUnits[index] = NamedLabel(name("FreeUnit", s).c_str(), group);
        // Column 3 is the gap between the two halves.
        QWidget* const line[] = {
            panel.earnLabels[index], panel.earnEdits[index], panel.earnUnits[index], nullptr,
            panel.freeLabels[index], panel.freeEdits[index], panel.freeUnits[index]};
        for (int column = 0; column < 7; ++column) {
            if (QWidget* widget = line[column]) {
                KeepPlaceWhenHidden(widget);
                grid->addWidget(widget, s + 1, column);
            }
        }
    }
    grid->setColumnStretch(7, 1);
    return panel.group;
}

void LoyaltyWindow::connectControls() {
    // clicked and textEdited, not toggled and textChanged: showing the
    // card must not count as the operator's change.
    connect(m_loyaltyActive, &QCheckBox::clicked, this,
            [this](bool on) { m_card.balances.header.loyaltyActive = on ? 1 : 0; });
    connect(m_mailActive, &QCheckBox::clicked, this,
            [this](bool on) { m_card.balances.header.freeSessionMailActive = on ? 1 : 0; });
    connect(m_mailMonths, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_card.balances.header.freeSessionMailMonths = text.toInt();
    });
    connect(m_subscriberCombo, &QComboBox::currentIndexChanged, this, [this] { showAccount(); });
    connect(m_accountPoints, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (LoyaltyAccount* account = selectedAccount())
            account->points = ClampPoints(text.toInt());
    });
    connect(m_categoryCombo, &QComboBox::currentIndexChanged, this,
            [this] { showPanel(m_rental); });
    connectPanel(m_rental);
    connectPanel(m_private);
}

void LoyaltyWindow::connectPanel(PointsPanel& panel) {
    for (int s = 0; s < kSessionsPerRow; ++s) {
        const auto index = static_cast<std::size_t>(s);
        connect(panel.earnEdits[index], &QLineEdit::textEdited, this,
                [this, &panel, index](const QString& text) {
                    if (PointsRow* row = EarnedRow(m_card.points, panel.category()))
                        (*row)[index] = ClampPoints(text.toInt());
                });
        connect(panel.freeEdits[index], &QLineEdit::textEdited, this,
                [this, &panel, index](const QString& text) {
                    if (PointsRow* row = CostRow(m_card.points, panel.category()))
                        (*row)[index] = ClampPoints(text.toInt());
                });
    }
}

void LoyaltyWindow::loadTexts() {
    PriceWords words;
    const databases::WindowLabels label =
        loadSettingsTexts(kTextsStem, kRowPrint + 1, i18n::TitledWindow::LoyaltyCard, words);

    heading()->setText(windowTitle());
    m_sessionWord = words.session;
    m_minutesWord = words.minutes;
    m_givesWord = label(kRowGives, "donne");
    m_freeForWord = label(kRowFreeFor, "gratuite pour");
    m_categoryLabel->setText(words.category);
    m_rental.group->setTitle(words.rental);
    m_private.group->setTitle(words.privateKarts);

    m_loyaltyActive->setText(label(kRowEnable, "Activer la carte de fid\xE9lit\xE9"));
    m_mailActive->setText(label(kRowMail, "Envoyer un email en cas de s\xE9"
                                          "ance gratuite tous les"));
    m_monthsLabel->setText(label(kRowMonths, "mois"));
    m_subscriberLabel->setText(label(kRowSubscriber, "Abonn\xE9 :"));
    m_accountPointsLabel->setText(label(kRowPointsEarned, "points acquis"));
    const QString points = label(kRowPoints, "points");
    for (PointsPanel* panel : {&m_rental, &m_private}) {
        panel->earnHeading->setText(label(kRowPointsPerSession, "Points par s\xE9"
                                                                "ance"));
        panel->freeHeading->setText(label(kRowFreeSession, "S\xE9"
                                                           "ance offerte"));
        // Room for the longest line from the start, so that choosing another
        // category never resizes the window.
        const auto longest = [this](const QString& ending) {
            return QStringLiteral("1 %1 999 %2 %3").arg(m_sessionWord, m_minutesWord, ending);
        };
        for (int s = 0; s < kSessionsPerRow; ++s) {
            const auto index = static_cast<std::size_t>(s);
            QLabel* earn = panel->earnLabels[index];
            earn->setMinimumWidth(earn->fontMetrics().horizontalAdvance(longest(m_givesWord)));
            QLabel* free = panel->freeLabels[index];
            free->setMinimumWidth(free->fontMetrics().horizontalAdvance(longest(m_freeForWord)));
            panel->earnUnits[index]->setText(points);
            panel->freeUnits[index]->setText(points);
        }
    }
    m_print->setText(label(kRowPrint, "Imprimer"));
}

void LoyaltyWindow::loadData() {
    LoadLoyaltyCard(folder(), m_card, messages());
    FillCategoryCombo(m_categoryCombo, m_card.categoryNames);
    {
        const QSignalBlocker blocker(m_subscriberCombo);
        // Account i is subscriber i, so the combo's rows are the accounts'.
        if (m_card.subscribersLoaded) {
            for (std::size_t i = 0; i < m_card.balances.accounts.size(); ++i)
                m_subscriberCombo->addItem(SubscriberItem(m_card.subscribers[i]));
        }
        m_subscriberCombo->setCurrentIndex(m_subscriberCombo->count() > 0 ? 0 : -1);
    }
    showAll();
}

int LoyaltyWindow::selectedCategory() const {
    return SelectedCategory(m_categoryCombo);
}

LoyaltyAccount* LoyaltyWindow::selectedAccount() {
    const int item = m_subscriberCombo->currentIndex();
    if (!m_card.subscribersLoaded || item < 0 ||
        item >= static_cast<int>(m_card.balances.accounts.size()))
        return nullptr;
    return &m_card.balances.accounts[static_cast<std::size_t>(item)];
}

void LoyaltyWindow::showSettings() {
    const LoyaltyHeader& header = m_card.balances.header;
    m_loyaltyActive->setChecked(header.loyaltyActive == 1);
    m_mailActive->setChecked(header.freeSessionMailActive == 1);
    m_mailMonths->setText(QString::number(header.freeSessionMailMonths));
}

void LoyaltyWindow::showAccount() {
    const LoyaltyAccount* account = selectedAccount();
    m_accountPoints->setEnabled(account != nullptr);
    m_accountPoints->setText(account ? QString::number(account->points) : QString());
}

void LoyaltyWindow::showPanel(PointsPanel& panel) {
    const int category = panel.category();
    PointsRow* earned = EarnedRow(m_card.points, category);
    PointsRow* cost = CostRow(m_card.points, category);
    const PriceRow* prices = earned ? &PriceRowOf(m_card.prices, category) : nullptr;
    const int used = prices ? UsedSessionCount(*prices) : 0;
    for (int s = 0; s < kSessionsPerRow; ++s) {
        const auto index = static_cast<std::size_t>(s);
        const bool offered = s < used;
        for (QWidget* widget : {static_cast<QWidget*>(panel.earnLabels[index]),
                                static_cast<QWidget*>(panel.earnEdits[index]),
                                static_cast<QWidget*>(panel.earnUnits[index]),
                                static_cast<QWidget*>(panel.freeLabels[index]),
                                static_cast<QWidget*>(panel.freeEdits[index]),
                                static_cast<QWidget*>(panel.freeUnits[index])})
            widget->setVisible(offered);
        if (!offered)
            continue;
        const QString duration = QString::number((*prices)[index].durationMinutes);
        const auto line = [&](const QString& ending) {
            return QStringLiteral("1 %1 %2 %3 %4")
                .arg(m_sessionWord, duration, m_minutesWord, ending);
        };
        panel.earnLabels[index]->setText(line(m_givesWord));
        panel.earnEdits[index]->setText(QString::number((*earned)[index]));
        panel.freeLabels[index]->setText(line(m_freeForWord));
        panel.freeEdits[index]->setText(QString::number((*cost)[index]));
    }
}

void LoyaltyWindow::showAll() {
    showSettings();
    showAccount();
    showPanel(m_rental);
    showPanel(m_private);
}

void LoyaltyWindow::printList(LoyaltyList list) {
    if (reportPrinter() == nullptr)
        return;
    // The card as the operator sees it, unsaved points included; the
    // printout speaks the report language, so it reads its own words.
    const SettingsPrintoutTexts texts = LoadLoyaltyListTexts(folder(), messages());
    ShowSettingsListPreview(*reportPrinter(), LoyaltyListJob(m_card, list, texts),
                            LoyaltyListPreviewTexts(language(), list), this);
}

} // namespace tallimo::finances
