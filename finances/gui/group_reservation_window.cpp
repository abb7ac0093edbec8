#include "finances/gui/group_reservation_window.h"

#include "common/core/date_index.h"
#include "common/gui/text_conversion.h"
#include "databases/gui/database_widgets.h"
#include "finances/gui/driver_choice.h"
#include "finances/gui/price_printouts.h"
#include "finances/gui/reservation_parts.h"
#include "printing/gui/report_preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace tallimo::finances {
namespace {

constexpr int kAmountDigits = 7;

// The columns of the list of booked karts.
enum BookingColumn { KartColumn, TransponderColumn, DriverColumn, GroupPriceColumn, ToPayColumn };

QLineEdit* TotalEdit(const char* name, QWidget* parent) {
    QLineEdit* edit = databases::NamedEdit(name, parent, true);
    edit->setAlignment(Qt::AlignRight);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

GroupReservationWindow::GroupReservationWindow(common::WorkingFolder folder,
                                               common::OperatorDialogs& dialogs,
                                               const common::LocalClock& clock, int category,
                                               QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_clock(clock), m_booking(dialogs, this),
      m_category(category >= 0 && category < session::kCategoryCount ? category : 0) {
    setObjectName(QStringLiteral("groupReservationWindow"));
    setWindowTitle(BookingText("R\xE9servation karts"));
    buildControls();

    m_minutesWord = LoadMinutesWord(m_folder, m_booking);
    LoadReservationFiles(m_folder, m_files, m_booking);
    m_unit = CurrencyUnit(CurrentCurrency(m_files.data.prices));
    for (QLabel* unit : m_unitLabels)
        unit->setText(BookingText(m_unit));
    m_group =
        std::make_unique<GroupReservation>(m_files.data, m_files.session, m_category,
                                           common::DateIndexOf(clock.now()), m_booking, m_booking);
    fillCombos();
    showBookings();
    showTotals();
}

GroupReservationWindow::~GroupReservationWindow() = default;

void GroupReservationWindow::buildControls() {
    m_banner = new StateBanner(m_folder, this);
    m_banner->setLook(FreeKartsLook());
    m_categoryName = databases::NamedLabel("categoryName", this);
    QFont bold = m_categoryName->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_categoryName->setFont(bold);

    m_durations = databases::NamedCombo("durationCombo", this);
    m_durations->setMinimumContentsLength(12);
    m_sessionPrice = databases::NamedLabel("sessionPrice", this);
    m_karts = databases::NamedCombo("kartCombo", this);
    m_karts->setMinimumContentsLength(6);
    m_transponder = databases::DigitsEdit("transponderEdit", this, session::kTransponderChars);
    m_transponder->setMaximumWidth(
        m_transponder->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    m_transponder->setEnabled(false);
    m_driver = new DriverChoice(this);
    m_driver->setObjectName(QStringLiteral("driverChoice"));
    m_add = databases::NamedButton("addButton", this);
    m_add->setText(BookingText("Ajouter"));

    m_bookings = new QTableWidget(0, 5, this);
    m_bookings->setObjectName(QStringLiteral("bookingTable"));
    m_bookings->setHorizontalHeaderLabels({BookingText("Kart"), BookingText("Transpondeur"),
                                           BookingText("Pilote"), BookingText("Prix"),
                                           BookingText("\xC0 payer")});
    m_bookings->verticalHeader()->setVisible(false);
    m_bookings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_bookings->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_bookings->setSelectionMode(QAbstractItemView::SingleSelection);
    m_bookings->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_bookings->horizontalHeader()->setSectionResizeMode(DriverColumn, QHeaderView::Stretch);
    // Room for the ten karts a group can hold without scrolling.
    m_bookings->setMinimumHeight(
        m_bookings->horizontalHeader()->sizeHint().height() +
        kMaxGroupDrivers * m_bookings->verticalHeader()->defaultSectionSize() + 4);

    m_normalTotal = TotalEdit("normalTotalEdit", this);
    m_discountedTotal = TotalEdit("discountedTotalEdit", this);
    m_amountToPay = databases::DigitsEdit("amountToPayEdit", this, kAmountDigits);
    m_amountToPay->setAlignment(Qt::AlignRight);
    const ReservationButtons closing(this, "paidCheck");
    m_paid = closing.paid;
    m_print = closing.print;
    m_ok = closing.ok;
    m_cancel = closing.cancel;

    auto* categoryRow = new QHBoxLayout;
    categoryRow->addWidget(new QLabel(BookingText("Cat\xE9gorie :"), this));
    categoryRow->addWidget(m_categoryName);
    categoryRow->addStretch();

    const SessionBox session(this, "sessionGroup", m_durations, m_sessionPrice);
    QGroupBox* bookingGroup = session.box;
    QGridLayout* booking = session.grid;
    booking->addWidget(new QLabel(BookingText("Kart"), bookingGroup), 1, 0);
    booking->addWidget(m_karts, 1, 1);
    auto* transponderRow = new QHBoxLayout;
    auto* transponderLabel = new QLabel(BookingText("Transpondeur"), bookingGroup);
    transponderLabel->setBuddy(m_transponder);
    transponderRow->addWidget(transponderLabel);
    transponderRow->addWidget(m_transponder);
    transponderRow->addStretch();
    booking->addLayout(transponderRow, 1, 2);
    booking->setColumnStretch(2, 1);

    auto* driverGroup = new QGroupBox(BookingText("Pilote"), this);
    driverGroup->setObjectName(QStringLiteral("driverGroup"));
    auto* driverLayout = new QHBoxLayout(driverGroup);
    driverLayout->addWidget(m_driver, 1);
    driverLayout->addWidget(m_add, 0, Qt::AlignBottom);

    auto* totals = new QGridLayout;
    const auto addTotal = [&](int column, const char* caption, QLineEdit* edit,
                              const char* unitName) {
        auto* label = new QLabel(BookingText(caption), this);
        label->setBuddy(edit);
        totals->addWidget(label, 0, column, 1, 2);
        totals->addWidget(edit, 1, column);
        QLabel* unit = databases::NamedLabel(unitName, this);
        m_unitLabels.push_back(unit);
        totals->addWidget(unit, 1, column + 1);
    };
    addTotal(0, "Total normal", m_normalTotal, "normalTotalUnit");
    addTotal(2, "Total remis\xE9", m_discountedTotal, "discountedTotalUnit");
    addTotal(4, "Total \xE0 payer", m_amountToPay, "amountToPayUnit");
    totals->addWidget(m_paid, 1, 6);
    totals->setColumnStretch(6, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_print);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_banner);
    layout->addLayout(categoryRow);
    layout->addWidget(bookingGroup);
    layout->addWidget(driverGroup);
    layout->addWidget(m_bookings, 1);
    layout->addLayout(totals);
    layout->addLayout(buttons);

    // Picking the duration already chosen keeps the group; the window's own
    // changes of selection are made with the signals blocked.
    connect(m_durations, &QComboBox::currentIndexChanged, this,
            &GroupReservationWindow::chooseDuration);
    connect(m_karts, &QComboBox::currentIndexChanged, this, &GroupReservationWindow::chooseKart);
    connect(m_bookings, &QTableWidget::cellClicked, this,
            [this](int row, int) { selectKartOfRow(row); });
    connect(m_transponder, &QLineEdit::textEdited, this, &GroupReservationWindow::typeTransponder);
    connect(m_driver, &DriverChoice::modeChosen, this, [this](DriverMode) {
        // Nothing hidden behind the other mode stays held.
        m_driver->clearChoice();
        m_group->holdDriver({}, {});
    });
    connect(m_driver, &DriverChoice::subscriberChosen, this,
            [this](int subscriber) { m_group->holdSubscriber(subscriber); });
    connect(m_driver, &DriverChoice::walkInTyped, this,
            [this](const std::string& name) { m_group->holdDriver(name, {}); });
    connect(m_add, &QPushButton::clicked, this, &GroupReservationWindow::addDriver);
    connect(m_amountToPay, &QLineEdit::textEdited, this, &GroupReservationWindow::typeAmountToPay);
    connect(m_paid, &QCheckBox::clicked, this, &GroupReservationWindow::tickPaid);
    connect(m_ok, &QPushButton::clicked, this, &GroupReservationWindow::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_print, &QPushButton::clicked, this, &GroupReservationWindow::openTicket);
    // A ticket left open after "Echap" would sell a booking that was dropped.
    connect(this, &QDialog::finished, this, [this] {
        if (m_ticket)
            m_ticket->close();
    });
}

void GroupReservationWindow::setReportPrinter(const printing::ReportPrinter* printer) {
    m_printer = printer;
    m_print->setEnabled(printer != nullptr);
}

namespace {

// The group being booked: the free karts of the category that have a
// driver and the group's duration.
std::vector<TicketLine> GroupLines(const ReservationFiles& files, int category,
                                   const std::string& unit, const common::LocalClock& clock) {
    return GroupTicketLines(TicketCategoryName(files.session, category),
                            GroupTicketKarts(files.session, category, {session::TrackState::Free}),
                            unit, clock.now());
}

} // namespace

void GroupReservationWindow::openTicket() {
    if (!m_printer)
        return;
    if (m_ticket) {
        m_ticket->raise();
        m_ticket->activateWindow();
        return;
    }
    const std::vector<TicketLine> lines = GroupLines(m_files, m_category, m_unit, m_clock);
    m_ticket =
        new printing::ReportPreviewWindow(*m_printer, TicketJob(lines), TicketPreviewTexts(), this);
    m_ticket->setAttribute(Qt::WA_DeleteOnClose);
    m_ticket->setAccessibleDescription(TicketText(lines));
    m_ticket->show();
}

void GroupReservationWindow::refreshTicket() {
    if (!m_ticket)
        return;
    const std::vector<TicketLine> lines = GroupLines(m_files, m_category, m_unit, m_clock);
    m_ticket->setJob(TicketJob(lines));
    m_ticket->setAccessibleDescription(TicketText(lines));
}

void GroupReservationWindow::fillCombos() {
    const std::string& name = m_files.session.categories[m_category].categoryName;
    m_categoryName->setText(BookingText(name.empty() && m_category == session::kPrivateCategoryIndex
                                            ? std::string(session::kPrivateCategoryName)
                                            : name));
    {
        const QSignalBlocker blocker(m_durations);
        const PriceRow& row = PriceRowOf(m_files.data.prices, m_category);
        for (int s = 0; s < UsedSessionCount(row); ++s)
            m_durations->addItem(
                BookingText(FormatText("%d %s", row[s].durationMinutes, m_minutesWord.c_str())));
        m_durations->setCurrentIndex(-1);
    }
    {
        const QSignalBlocker blocker(m_karts);
        m_karts->addItem(QString(), -1);
        for (int slot = 0; slot < session::kKartsPerCategory; ++slot) {
            if (m_group->isFreeKart(slot))
                m_karts->addItem(BookingText(m_files.session.kart(m_category, slot).kartLabel),
                                 slot);
        }
    }
    m_driver->fillSubscribers(m_files.data.subscribers);
}

void GroupReservationWindow::chooseDuration(int index) {
    if (!m_group->chooseDuration(index))
        return;
    m_chosenSlot = -1;
    m_paid->setChecked(false);
    const SessionPrice& entry = PriceRowOf(m_files.data.prices, m_category)[index];
    m_sessionPrice->setText(priceText(entry.price));
    {
        const QSignalBlocker blocker(m_karts);
        m_karts->setCurrentIndex(0);
    }
    m_transponder->clear();
    m_transponder->setEnabled(false);
    m_driver->clearChoice();
    showBookings();
    clearTotals();
}

void GroupReservationWindow::chooseKart(int index) {
    const int slot = m_karts->itemData(index).toInt();
    m_chosenSlot = m_group->chooseKart(slot) ? slot : -1;
    if (m_chosenSlot < 0) {
        const QSignalBlocker blocker(m_karts);
        m_karts->setCurrentIndex(0);
        m_transponder->clear();
        m_transponder->setEnabled(false);
        return;
    }
    m_transponder->setText(BookingText(m_files.session.kart(m_category, m_chosenSlot).transponder));
    m_transponder->setEnabled(true);
    // The fleet's transponder may just have been copied in.
    showBookings();
}

void GroupReservationWindow::selectKartOfRow(int row) {
    const QTableWidgetItem* item = m_bookings->item(row, KartColumn);
    if (!item)
        return;
    const int index = m_karts->findData(item->data(Qt::UserRole));
    if (index < 0)
        return;
    m_karts->setCurrentIndex(index);
}

void GroupReservationWindow::typeTransponder(const QString& text) {
    m_group->typeTransponder(common::ToCp1252(text));
    showBookings();
}

void GroupReservationWindow::addDriver() {
    if (!m_group->add())
        return;
    // The amount changed: a payment ticked before no longer covers it.
    if (m_paid->isChecked()) {
        m_paid->setChecked(false);
        m_group->setPaid(false);
    }
    showBookings();
    showTotals();
}

void GroupReservationWindow::typeAmountToPay(const QString& text) {
    // An emptied edit means no amount of the operator's own: the group
    // prices stand, rather than every kart falling to 0.
    m_group->setAmountToPay(text.isEmpty() ? m_group->discountedTotal() : text.toLongLong());
    showBookings();
}

void GroupReservationWindow::tickPaid(bool paid) {
    m_group->setPaid(paid);
    refreshTicket();
}

void GroupReservationWindow::confirm() {
    // A failure was reported by the core; the window closes all the same.
    if (m_files.sessionLoaded)
        m_group->confirm(m_folder, m_files.header);
    accept();
}

void GroupReservationWindow::showTotals() {
    m_normalTotal->setText(QString::number(m_group->normalTotal()));
    m_discountedTotal->setText(QString::number(m_group->discountedTotal()));
    m_amountToPay->setText(QString::number(m_group->amountToPay()));
}

void GroupReservationWindow::clearTotals() {
    m_normalTotal->clear();
    m_discountedTotal->clear();
    m_amountToPay->clear();
}

void GroupReservationWindow::showBookings() {
    m_bookings->setRowCount(0);
    for (int slot = 0; slot < session::kKartsPerCategory; ++slot) {
        const session::SessionKart& kart = m_files.session.kart(m_category, slot);
        if (!m_group->isFreeKart(slot) || kart.driverName.empty())
            continue;
        const int row = m_bookings->rowCount();
        m_bookings->insertRow(row);
        QTableWidgetItem* label = Cell(BookingText(kart.kartLabel));
        label->setData(Qt::UserRole, slot);
        m_bookings->setItem(row, KartColumn, label);
        m_bookings->setItem(row, TransponderColumn, Cell(BookingText(kart.transponder)));
        std::string driver = kart.driverName;
        if (!kart.driverFirstName.empty())
            driver += " " + kart.driverFirstName;
        m_bookings->setItem(row, DriverColumn, Cell(BookingText(driver)));
        m_bookings->setItem(row, GroupPriceColumn,
                            Cell(priceText(m_group->groupPrice(slot)), Qt::AlignRight));
        m_bookings->setItem(row, ToPayColumn, Cell(priceText(kart.price), Qt::AlignRight));
        if (slot == m_chosenSlot)
            m_bookings->selectRow(row);
    }
    refreshTicket();
}

QString GroupReservationWindow::priceText(std::int64_t price) const {
    return BookingText(FormatText("%lld %s", static_cast<long long>(price), m_unit.c_str()));
}

} // namespace tallimo::finances
