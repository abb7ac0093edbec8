// The price lists and tickets built from a working folder and written as
// PDF files, and opened from their windows as the counter does.

#include "finances/gui/price_printouts.h"

#include "common/gui/text_conversion.h"
#include "finances/gui/prices_window.h"
#include "finances/gui/reservation_window.h"
#include "tests/finances/booking_fixture.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"
#include "tests/support/recording_message_sink.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

using common::FromCp1252;
using Recorded = testing::RecordedMessage;

class PricePrintoutsTest : public testing::WindowTest {
protected:
    PricePrintoutsTest() {
        setLanguages(i18n::LanguageCode::French);
        m_fixture.prices.privatePrices[0] = {60, 90, testing::kEuroCurrency};
        for (int slot : {0, 2}) {
            session::SessionKart& kart = m_fixture.rental.kart(0, slot);
            kart.driverName = slot == 0 ? "Martin" : "Durand";
            kart.driverFirstName = slot == 0 ? "Anne" : "";
            kart.durationMinutes = 10;
            kart.price = 20;
            kart.trackState = session::TrackState::Reserved;
        }
        m_fixture.write(root());
    }

    // The pages of the PDF file the job writes, 0 when none was written.
    int pdfPages(const printing::ReportJob& job, const std::string& name) const {
        if (!m_printer.writePdf(m_folder / name, job))
            return 0;
        const std::string written = m_folder.read(name);
        EXPECT_EQ(written.rfind("%PDF-", 0), 0u) << name;
        int pages = 0;
        for (auto at = written.find("/Type /Page\n"); at != std::string::npos;
             at = written.find("/Type /Page\n", at + 1))
            ++pages;
        return pages;
    }

    testing::BookingFixture m_fixture;
    testing::FakeLocalClock m_clock;
    testing::RecordingMessageSink m_messages;
    printing::ReportPrinter m_printer{root(), m_pictures};
};

TEST_F(PricePrintoutsTest, EachPrintoutFromTheFolderWritesItsPagesAndCopies) {
    struct Printout {
        const char* name;
        std::function<std::optional<printing::ReportJob>()> job;
        int pages;
    };
    const std::vector<Printout> printouts = {
        {"rental prices", [&] { return PricesJobFromFolder(root(), 0, m_messages); }, 1},
        {"private prices", [&] { return PrivatePricesJobFromFolder(root(), m_messages); }, 1},
        {"ticket in three copies",
         [&] { return TicketJobFromFolder(root(), "K3", m_clock, 3, m_messages); }, 3},
        {"group ticket in two copies",
         [&] { return GroupTicketJobFromFolder(root(), 0, m_clock, 2, m_messages); }, 2},
    };
    for (const Printout& printout : printouts) {
        const std::optional<printing::ReportJob> job = printout.job();
        ASSERT_TRUE(job) << printout.name;
        EXPECT_EQ(pdfPages(*job, std::string(printout.name) + ".pdf"), printout.pages)
            << printout.name;
    }
    EXPECT_EQ(m_messages.messages(), std::vector<Recorded>{});
}

TEST_F(PricePrintoutsTest, APrintoutThatCannotBeMadeSaysWhy) {
    // No category of that index: named from 1, as the operator counts.
    EXPECT_FALSE(PricesJobFromFolder(root(), 2, m_messages));
    EXPECT_FALSE(PricesJobFromFolder(root(), 7, m_messages));
    EXPECT_FALSE(TicketJobFromFolder(root(), "K999", m_clock, 1, m_messages));
    EXPECT_FALSE(GroupTicketJobFromFolder(root(), 6, m_clock, 1, m_messages));
    std::filesystem::remove(m_folder / "Private/Session.rent");
    EXPECT_FALSE(TicketJobFromFolder(root(), "K3", m_clock, 1, m_messages));
    EXPECT_EQ(m_messages.messages(),
              (std::vector<Recorded>{{"Error", "Error : Go-karts category 3 not found"},
                                     {"Error", "Error : Go-karts category 8 not found"},
                                     {"Error", "Error : Kart K999 not found in the session"},
                                     {"Error", "Error : Go-karts category 7 not found"},
                                     {"Error", "Error: 'Rental session' file not found"}}));
}

TEST_F(PricePrintoutsTest, PricesWindowOffersBothListsOnceItHasAPrinter) {
    PricesWindow window(root(), m_dialogs);
    window.show();
    auto* print = window.findChild<QPushButton*>(QStringLiteral("printButton"));
    EXPECT_FALSE(print->isEnabled());
    window.setReportPrinter(&m_printer);
    ASSERT_TRUE(print->isEnabled());

    click(window, "printButton");
    auto* menu = window.findChild<QMenu*>(QStringLiteral("printMenu"));
    QTRY_VERIFY(menu->isVisible());
    QStringList offered;
    for (const QAction* action : menu->actions())
        offered << action->text();
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Tarifs karts location"),
                                    FromCp1252("Tarifs karts priv\xE9s")}));
    menu->hide();

    // Each list opens its preview, titled as the window, headed by its karts.
    for (const char* action : {"rentalPriceListAction", "privatePriceListAction"}) {
        QString title;
        QString heading;
        QTimer::singleShot(0, &window, [&] {
            QWidget* preview = nullptr;
            EXPECT_TRUE(QTest::qWaitFor([&] {
                preview = QApplication::activeModalWidget();
                return preview != nullptr && preview != &window;
            }));
            if (!preview)
                return;
            title = preview->windowTitle();
            heading = preview->findChild<QLabel*>(QStringLiteral("previewHeading"))->text();
            click(*preview, "escapeButton");
        });
        menu->findChild<QAction*>(QLatin1String(action))->trigger();
        EXPECT_EQ(title, QStringLiteral("Tarifs locations")) << action;
        EXPECT_EQ(heading, std::string(action) == "rentalPriceListAction"
                               ? QStringLiteral("Adultes")
                               : FromCp1252("Karts priv\xE9s (location piste)"));
    }
    EXPECT_TRUE(m_dialogs.texts().empty());
}

TEST_F(PricePrintoutsTest, TicketFollowsThePriceAndPaymentOfTheWindow) {
    ReservationWindow window(root(), m_dialogs, m_clock, "K2");
    window.show();
    window.setReportPrinter(&m_printer);
    auto* walkIn = window.findChild<QRadioButton*>(QStringLiteral("walkInMode"));
    QTest::mouseClick(walkIn, Qt::LeftButton, Qt::NoModifier, QPoint(6, walkIn->height() / 2));
    QTest::keyClicks(window.findChild<QLineEdit*>(QStringLiteral("walkInName")),
                     QStringLiteral("Petit"));
    window.findChild<QComboBox*>(QStringLiteral("duration"))->setCurrentIndex(0);
    type(window, "price", QStringLiteral("17"));

    click(window, "printButton");
    QPointer<printing::ReportPreviewWindow> ticket =
        window.findChild<printing::ReportPreviewWindow*>();
    ASSERT_TRUE(ticket);
    QTRY_VERIFY(ticket->isVisible());
    EXPECT_EQ(ticket->windowTitle(), FromCp1252("Ticket r\xE9servation"));
    const auto lines = [&] { return ticket->accessibleDescription().split(QLatin1Char('\n')); };
    // The price applied in the window, not the session's 20, and unpaid.
    EXPECT_TRUE(lines().contains(FromCp1252("17 \x80")))
        << lines().join(QLatin1Char(0x7C)).toStdString();
    EXPECT_TRUE(lines().contains(QStringLiteral("NON PAYEE !")));

    window.findChild<QCheckBox*>(QStringLiteral("paid"))->click();
    EXPECT_TRUE(lines().contains(QStringLiteral("PAYEE")));
    EXPECT_FALSE(lines().contains(QStringLiteral("NON PAYEE !")));

    // "Echap" drops the booking, and the ticket that would have sold it.
    click(window, "cancelButton");
    QTRY_VERIFY(ticket.isNull());
    EXPECT_TRUE(m_dialogs.texts().empty());
}

} // namespace
} // namespace tallimo::finances
