#pragma once

// The window that books the free karts of one session category at once:
// one duration, up to ten drivers, one amount and one payment. It loads
// its own copy of the session and the booking tables when it opens; every
// rule lives in `GroupReservation`, the window only shows it and passes the
// operator's choices on. Nothing reaches the disk before "Ok".

#include "common/core/local_clock.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "finances/core/reservation_editor.h"
#include "finances/gui/booking_dialogs.h"
#include "finances/gui/reservation_parts.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tallimo::printing {
class ReportPreviewWindow;
class ReportPrinter;
} // namespace tallimo::printing

namespace tallimo::finances {

class DriverChoice;

class GroupReservationWindow final : public QDialog {
    Q_OBJECT

public:
    // `category` is the session category 0..5 whose heading was clicked.
    // Missing files are reported through `dialogs`; the window opens anyway.
    GroupReservationWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                           const common::LocalClock& clock, int category,
                           QWidget* parent = nullptr);
    ~GroupReservationWindow() override;

    // "Imprimer" opens the group's ticket once the window has a printer.
    void setReportPrinter(const printing::ReportPrinter* printer);

private:
    void buildControls();
    void fillCombos();
    void chooseDuration(int index);
    void chooseKart(int index);
    void selectKartOfRow(int row);
    void typeTransponder(const QString& text);
    void addDriver();
    void typeAmountToPay(const QString& text);
    void tickPaid(bool paid);
    void confirm();
    void showTotals();
    void clearTotals();
    void showBookings();
    QString priceText(std::int64_t price) const;
    void openTicket();
    void refreshTicket();

    common::WorkingFolder m_folder;
    const common::LocalClock& m_clock;
    BookingDialogs m_booking;
    ReservationFiles m_files;
    int m_category;
    std::unique_ptr<GroupReservation> m_group;
    std::string m_minutesWord;
    std::string m_unit;
    int m_chosenSlot = -1;

    StateBanner* m_banner = nullptr;
    QLabel* m_categoryName = nullptr;
    QComboBox* m_durations = nullptr;
    QLabel* m_sessionPrice = nullptr;
    QComboBox* m_karts = nullptr;
    QLineEdit* m_transponder = nullptr;
    DriverChoice* m_driver = nullptr;
    QPushButton* m_add = nullptr;
    QTableWidget* m_bookings = nullptr;
    QLineEdit* m_normalTotal = nullptr;
    QLineEdit* m_discountedTotal = nullptr;
    QLineEdit* m_amountToPay = nullptr;
    QCheckBox* m_paid = nullptr;
    std::vector<QLabel*> m_unitLabels;
    QPushButton* m_print = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;

    const printing::ReportPrinter* m_printer = nullptr;
    // Open beside the window, following every change until either closes.
    QPointer<printing::ReportPreviewWindow> m_ticket;
};

} // namespace tallimo::finances
