#include "finances/gui/reservation_window.h"

#include "common/core/date_index.h"
#include "common/gui/text_conversion.h"
#include "databases/core/subscribers_file.h"
#include "databases/gui/database_widgets.h"
#include "finances/gui/price_printouts.h"
#include "finances/gui/reservation_parts.h"
#include "printing/gui/report_preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <optional>

namespace tallimo::finances {
namespace {

constexpr int kPriceDigits = 5;

// The driver block shows, for a kart without a driver, the mode the
// window was left in the last time it was open.
DriverMode g_lastDriverMode = DriverMode::Subscriber;

bool BookingLocked(session::TrackState state) {
    return state == session::TrackState::Finished || state == session::TrackState::Timing;
}

} // namespace

ReservationWindow::ReservationWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                                     const common::LocalClock& clock, std::string kartLabel,
                                     QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_clock(clock),
      m_kartLabel(std::move(kartLabel)), m_messages(dialogs, this) {
    setObjectName(QStringLiteral("reservationWindow"));
    setWindowTitle(BookingText("R\xE9servation kart"));
    buildControls();
    loadFiles();
    fillControls();
}

ReservationWindow::~ReservationWindow() = default;

void ReservationWindow::buildControls() {
    m_banner = new StateBanner(m_folder, this);

    m_kartLabelText = databases::NamedLabel("kartLabel", this);
    QFont large = m_kartLabelText->font();
    large.setPointSize(24);
    large.setBold(true);
    m_kartLabelText->setFont(large);
    m_categoryName = databases::NamedLabel("categoryName", this);

    m_transponder = databases::DigitsEdit("transponder", this, session::kTransponderChars);
    // Wide enough for their digits, no wider.
    const auto fitDigits = [](QLineEdit* edit, int digits) {
        edit->setMaximumWidth(
            edit->fontMetrics().horizontalAdvance(QString(digits + 2, QLatin1Char('0'))) + 12);
    };
    fitDigits(m_transponder, static_cast<int>(session::kTransponderChars));
    m_driver = new DriverChoice(this);
    m_driver->setObjectName(QStringLiteral("driverChoice"));
    m_duration = databases::NamedCombo("duration", this);
    m_duration->setMinimumContentsLength(12);
    m_normalPrice = databases::NamedEdit("normalPrice", this, true);
    m_price = databases::DigitsEdit("price", this, kPriceDigits);
    fitDigits(m_price, kPriceDigits);
    m_currencyUnit = databases::NamedLabel("currencyUnit", this);

    m_freeKart = databases::NamedButton("freeKartButton", this);
    m_freeKart->setText(BookingText("Lib\xE9rer le kart"));
    const ReservationButtons closing(this, "paid");
    m_paid = closing.paid;
    m_print = closing.print;
    m_ok = closing.ok;
    m_cancel = closing.cancel;

    auto* kartRow = new QHBoxLayout;
    kartRow->addWidget(m_kartLabelText);
    kartRow->addSpacing(12);
    kartRow->addWidget(m_categoryName, 0, Qt::AlignBottom);
    kartRow->addStretch();
    auto* transponderLabel = new QLabel(BookingText("Transpondeur"), this);
    transponderLabel->setBuddy(m_transponder);
    kartRow->addWidget(transponderLabel);
    kartRow->addWidget(m_transponder);

    auto* driverGroup = new QGroupBox(BookingText("Pilote"), this);
    driverGroup->setObjectName(QStringLiteral("driverGroup"));
    auto* driverLayout = new QVBoxLayout(driverGroup);
    driverLayout->addWidget(m_driver);

    const SessionBox session(this, "bookingGroup", m_duration, m_normalPrice);
    QGroupBox* bookingGroup = session.box;
    QGridLayout* booking = session.grid;
    booking->addWidget(new QLabel(BookingText("Prix"), bookingGroup), 1, 0);
    auto* priceRow = new QHBoxLayout;
    priceRow->addWidget(m_price);
    priceRow->addWidget(m_currencyUnit);
    priceRow->addStretch();
    booking->addLayout(priceRow, 1, 1);
    booking->addWidget(m_paid, 1, 2);
    booking->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_freeKart);
    buttons->addWidget(m_print);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_banner);
    layout->addLayout(kartRow);
    layout->addWidget(driverGroup);
    layout->addWidget(bookingGroup);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(m_driver, &DriverChoice::modeChosen, this, &ReservationWindow::chooseMode);
    connect(m_driver, &DriverChoice::subscriberChosen, this, &ReservationWindow::chooseSubscriber);
    connect(m_driver, &DriverChoice::walkInTyped, this, &ReservationWindow::typeWalkInName);
    connect(m_duration, &QComboBox::currentIndexChanged, this, &ReservationWindow::chooseDuration);
    connect(m_price, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_editor)
            m_editor->setPrice(text.toInt());
        refreshTicket();
    });
    connect(m_paid, &QCheckBox::clicked, this, [this](bool ticked) {
        if (m_editor)
            m_editor->setPaid(ticked);
        refreshTicket();
    });
    connect(m_print, &QPushButton::clicked, this, &ReservationWindow::openTicket);
    connect(m_transponder, &QLineEdit::textEdited, this, &ReservationWindow::typeTransponder);
    connect(m_freeKart, &QPushButton::clicked, this, &ReservationWindow::freeKart);
    connect(m_ok, &QPushButton::clicked, this, &ReservationWindow::confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ReservationWindow::loadFiles() {
    m_minutesWord = LoadMinutesWord(m_folder, m_messages);

    LoadReservationFiles(m_folder, m_files, m_messages);
    m_place = FindKartByLabel(m_files.session, m_kartLabel);
    if (m_place)
        m_editor = std::make_unique<ReservationEditor>(
            m_files.data, m_files.session, m_place->category, m_place->slot,
            common::DateIndexOf(m_clock.now()), m_messages, m_messages);
}

void ReservationWindow::fillControls() {
    m_driver->fillSubscribers(m_files.data.subscribers);
    m_currencyUnit->setText(BookingText(CurrencyUnit(CurrentCurrency(m_files.data.prices))));
    if (m_place) {
        const QSignalBlocker blocker(m_duration);
        const PriceRow& row = PriceRowOf(m_files.data.prices, m_place->category);
        for (int s = 0; s < UsedSessionCount(row); ++s)
            m_duration->addItem(
                BookingText(FormatText("%d %s", row[s].durationMinutes, m_minutesWord.c_str())));
        m_duration->setCurrentIndex(-1);
    }
    showKart();
}

void ReservationWindow::showKart() {
    if (!m_editor) {
        // A label the session does not hold (or no session at all): there
        // is nothing to book, and "Ok" has nothing to write.
        m_kartLabelText->setText(BookingText(m_kartLabel));
        m_banner->setLook(std::nullopt);
        m_driver->showDriver({}, {}, g_lastDriverMode);
        enableBooking(false);
        m_transponder->setEnabled(false);
        m_paid->setEnabled(false);
        m_freeKart->setEnabled(false);
        return;
    }
    const session::SessionKart& kart = m_editor->kart();
    m_kartLabelText->setText(BookingText(kart.kartLabel));
    m_categoryName->setText(
        BookingText(m_files.session.categories[m_place->category].categoryName));
    m_transponder->setText(BookingText(kart.transponder));
    m_banner->setLook(BannerLookOf(kart.trackState));
    m_driver->showDriver(kart.driverName, kart.driverFirstName, g_lastDriverMode);
    showBooking();
    enableBooking(!BookingLocked(kart.trackState));
}

void ReservationWindow::showBooking() {
    const session::SessionKart& kart = m_editor->kart();
    const int s = m_editor->selectedSession();
    const QSignalBlocker blocker(m_duration);
    m_duration->setCurrentIndex(s);
    if (s >= 0) {
        const std::string unit = CurrencyUnit(CurrentCurrency(m_files.data.prices));
        const SessionPrice& entry = PriceRowOf(m_files.data.prices, m_place->category)[s];
        m_normalPrice->setText(BookingText(FormatText("( %d %s )", entry.price, unit.c_str())));
    } else {
        m_normalPrice->clear();
    }
    if (s >= 0 || kart.price != 0)
        m_price->setText(QString::number(kart.price));
    else
        m_price->clear();
    m_paid->setChecked(kart.paid == 1);
    refreshTicket();
}

void ReservationWindow::clearBookingControls() {
    const QSignalBlocker blocker(m_duration);
    m_duration->setCurrentIndex(-1);
    m_normalPrice->clear();
    m_price->clear();
    m_paid->setChecked(false);
    refreshTicket();
}

void ReservationWindow::enableBooking(bool enabled) {
    m_driver->setChoiceEnabled(enabled);
    m_duration->setEnabled(enabled);
    m_normalPrice->setEnabled(enabled);
    m_price->setEnabled(enabled);
}

void ReservationWindow::chooseMode(DriverMode mode) {
    if (!m_editor)
        return;
    // The driver becomes the one the block now shows, so that no hidden
    // name stays booked behind the other mode.
    if (mode == DriverMode::Subscriber)
        m_editor->chooseSubscriber(m_driver->subscriberCombo()->currentIndex() - 1);
    else
        m_editor->typeWalkInName(common::ToCp1252(m_driver->nameEdit()->text()));
    clearBookingControls();
}

void ReservationWindow::chooseSubscriber(int subscriber) {
    if (!m_editor)
        return;
    m_editor->chooseSubscriber(subscriber);
    clearBookingControls();
}

void ReservationWindow::typeWalkInName(const std::string& name) {
    if (!m_editor)
        return;
    m_editor->typeWalkInName(name);
    clearBookingControls();
}

void ReservationWindow::chooseDuration(int item) {
    if (!m_editor || item < 0)
        return;
    if (m_editor->chooseDuration(item))
        showBooking();
    else
        clearBookingControls();
}

void ReservationWindow::typeTransponder(const QString& text) {
    if (!m_editor)
        return;
    const std::string digits = common::ToCp1252(text);
    if (databases::IsStorableTransponder(digits))
        m_editor->kart().transponder = digits;
}

void ReservationWindow::freeKart() {
    if (!m_editor || !m_editor->freeKart())
        return;
    m_driver->clearChoice();
    clearBookingControls();
    m_transponder->setText(BookingText(m_editor->kart().transponder));
}

void ReservationWindow::confirm() {
    // A failure was reported by the editor; the window closes all the same.
    if (m_editor)
        m_editor->confirm(m_folder, m_files.header, m_clock.now());
    accept();
}

void ReservationWindow::done(int result) {
    g_lastDriverMode = m_driver->mode();
    // A ticket left open after "Echap" would sell a booking that was dropped.
    if (m_ticket)
        m_ticket->close();
    QDialog::done(result);
}

void ReservationWindow::setReportPrinter(const printing::ReportPrinter* printer) {
    m_printer = printer;
    m_print->setEnabled(printer != nullptr && m_editor != nullptr);
}

std::vector<TicketLine> ReservationWindow::ticketLines() const {
    return ReservationTicketLines(
        TicketCategoryName(m_files.session, m_place->category), m_editor->kart(),
        CurrencyUnit(CurrentCurrency(m_files.data.prices)), m_clock.now());
}

void ReservationWindow::openTicket() {
    if (!m_printer || !m_editor)
        return;
    if (m_ticket) {
        m_ticket->raise();
        m_ticket->activateWindow();
        return;
    }
    const std::vector<TicketLine> lines = ticketLines();
    m_ticket =
        new printing::ReportPreviewWindow(*m_printer, TicketJob(lines), TicketPreviewTexts(), this);
    m_ticket->setAttribute(Qt::WA_DeleteOnClose);
    m_ticket->setAccessibleDescription(TicketText(lines));
    m_ticket->show();
}

void ReservationWindow::refreshTicket() {
    // The ticket shows the kart as the window holds it: the price applied
    // here and the payment ticked here, never the booking it replaced.
    if (!m_ticket || !m_editor)
        return;
    const std::vector<TicketLine> lines = ticketLines();
    m_ticket->setJob(TicketJob(lines));
    m_ticket->setAccessibleDescription(TicketText(lines));
}

void ReservationWindow::mousePressEvent(QMouseEvent* event) {
    if (m_editor && event->button() == Qt::RightButton &&
        event->modifiers().testFlag(Qt::ControlModifier)) {
        enableBooking(true);
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace tallimo::finances
