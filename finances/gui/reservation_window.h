#pragma once

// The single reservation window: books, bills or frees one kart of the
// session. It owns its copy of the session and of the booking tables for
// as long as it is open; every rule is the `ReservationEditor`'s, the
// window only shows the kart and hands the operator's choices over. "Ok"
// writes the session file (and the freed run and the balances, when
// freeing changed them); "Echap" and the close box write nothing.

#include "common/core/local_clock.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "finances/core/price_printouts.h"
#include "finances/core/reservation_editor.h"
#include "finances/gui/booking_dialogs.h"
#include "finances/gui/driver_choice.h"
#include "finances/gui/reservation_parts.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tallimo::printing {
class ReportPreviewWindow;
class ReportPrinter;
struct ReportJob;
} // namespace tallimo::printing

namespace tallimo::finances {

class ReservationWindow final : public QDialog {
    Q_OBJECT

public:
    // Loads every file at once, each missing one reported through
    // `dialogs`; the window opens anyway. `kartLabel` is Windows-1252.
    ReservationWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                      const common::LocalClock& clock, std::string kartLabel,
                      QWidget* parent = nullptr);
    ~ReservationWindow() override;

    void done(int result) override;

    // "Imprimer" opens the kart's ticket once the window has a printer.
    void setReportPrinter(const printing::ReportPrinter* printer);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void loadFiles();
    void fillControls();
    void showKart();
    void showBooking();
    void clearBookingControls();
    void enableBooking(bool enabled);

    void chooseMode(DriverMode mode);
    void chooseSubscriber(int subscriber);
    void typeWalkInName(const std::string& name);
    void chooseDuration(int item);
    void typeTransponder(const QString& text);
    void freeKart();
    void confirm();
    std::vector<TicketLine> ticketLines() const;
    void openTicket();
    void refreshTicket();

    common::WorkingFolder m_folder;
    const common::LocalClock& m_clock;
    std::string m_kartLabel;
    BookingDialogs m_messages;
    std::string m_minutesWord;

    ReservationFiles m_files;
    std::optional<KartPlace> m_place;
    std::unique_ptr<ReservationEditor> m_editor;

    StateBanner* m_banner = nullptr;
    QLabel* m_kartLabelText = nullptr;
    QLabel* m_categoryName = nullptr;
    QLineEdit* m_transponder = nullptr;
    DriverChoice* m_driver = nullptr;
    QComboBox* m_duration = nullptr;
    QLineEdit* m_normalPrice = nullptr;
    QLineEdit* m_price = nullptr;
    QLabel* m_currencyUnit = nullptr;
    QCheckBox* m_paid = nullptr;
    QPushButton* m_freeKart = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;

    const printing::ReportPrinter* m_printer = nullptr;
    // Open beside the window, following every change until either closes.
    QPointer<printing::ReportPreviewWindow> m_ticket;
};

} // namespace tallimo::finances
