// The discount list and the loyalty points lists: made from a working
// folder as the tool makes them, written as PDF, and opened from their
// windows' "Imprimer".

#include "finances/gui/settings_printouts.h"

#include "finances/gui/discounts_window.h"
#include "finances/gui/loyalty_window.h"
#include "tests/finances/booking_fixture.h"
#include "tests/support/gui/modal_window.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

using testing::RecordedMessage;

int CountOf(const std::string& text, const std::string& what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// The fixture's files, French in the windows and on paper, with a dated
// event and a private session of 15 minutes.
class SettingsPrintoutsTest : public testing::WindowTest {
protected:
    SettingsPrintoutsTest() {
        setLanguages(i18n::LanguageCode::French, i18n::LanguageCode::French);
        m_files.prices.privatePrices[0] = {15, 40, testing::kEuroCurrency};
        m_files.activateEvent(2, "No\xEBl", {24, 11, 0}, 5);
        m_files.points.privateSessionPoints[0] = 25;
    }

    // Dark pixels where the lines are printed, below the title and the
    // column heads and above the page number: a list that lists nothing
    // has none.
    int inkInLines(const printing::ReportJob& job, int page) const {
        QImage image(550, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            m_printer.paintPage(painter, QRectF(0, 0, 550, 800), job, page);
        }
        int ink = 0;
        for (int y = 176; y < 725; ++y) {
            for (int x = 0; x < image.width(); ++x)
                ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
        return ink;
    }

    int pdfPages(const printing::ReportJob& job, const std::string& name) const {
        EXPECT_TRUE(m_printer.writePdf(m_folder / name, job));
        return CountOf(m_folder.read(name), "/Type /Page\n");
    }

    testing::BookingFixture m_files;
    testing::RecordingMessageSink m_messages;
    printing::ReportPrinter m_printer{root(), m_pictures};
};

TEST_F(SettingsPrintoutsTest, EachListFromTheFolderPrintsItsContent) {
    m_files.write(root());
    struct Printout {
        const char* name;
        std::optional<printing::ReportJob> job;
        printing::ReportDocument document;
    };
    const Printout printouts[] = {
        {"discounts.pdf", DiscountsJobFromFolder(root(), m_messages),
         printing::ReportDocument::DiscountsOnRental},
        {"earned.pdf", LoyaltyPointsJobFromFolder(root(), LoyaltyList::Earned, m_messages),
         printing::ReportDocument::SessionsLoyaltyPoints},
        {"free.pdf", LoyaltyPointsJobFromFolder(root(), LoyaltyList::FreeSession, m_messages),
         printing::ReportDocument::SessionsLoyaltyPoints},
        {"subscribers.pdf",
         LoyaltyPointsJobFromFolder(root(), LoyaltyList::Subscribers, m_messages),
         printing::ReportDocument::SessionsLoyaltyPoints},
    };
    EXPECT_EQ(m_messages.messages(), std::vector<RecordedMessage>{});
    for (const Printout& printout : printouts) {
        SCOPED_TRACE(printout.name);
        ASSERT_TRUE(printout.job.has_value());
        EXPECT_EQ(printout.job->document, printout.document);
        ASSERT_EQ(printout.job->pageCount, 1);
        EXPECT_GT(inkInLines(*printout.job, 0), 300);
        EXPECT_EQ(pdfPages(*printout.job, printout.name), 1);
    }

    // No subscribers: the title prints, the list is empty.
    m_files.subscribers = databases::MakeSubscriberTable();
    m_files.balances.accounts.clear();
    m_files.write(root());
    const auto empty = LoyaltyPointsJobFromFolder(root(), LoyaltyList::Subscribers, m_messages);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(inkInLines(*empty, 0), 0);
}

TEST_F(SettingsPrintoutsTest, AListLongerThanAPageGoesOnOverPages) {
    for (int i = 0; i < 60; ++i)
        m_files.addSubscriber(i, ("Pilote" + std::to_string(i)).c_str(), "Jean", {0, 0, 90});
    m_files.balances.accounts.clear();
    m_files.write(root());
    const auto job = LoyaltyPointsJobFromFolder(root(), LoyaltyList::Subscribers, m_messages);
    ASSERT_TRUE(job.has_value());
    ASSERT_EQ(job->pageCount, 2);
    EXPECT_GT(inkInLines(*job, 1), 300);
    EXPECT_EQ(pdfPages(*job, "subscribers.pdf"), 2);
}

TEST_F(SettingsPrintoutsTest, NothingToPrintWithoutTheFileTheListIsMadeOf) {
    using File = testing::BookingFixture::File;
    m_files.write(root(), {File::Discounts, File::SessionPoints});
    EXPECT_FALSE(DiscountsJobFromFolder(root(), m_messages).has_value());
    EXPECT_EQ(m_messages.messages(),
              (std::vector<RecordedMessage>{{kFinancesErrorCaption, kDiscountsFileErrorText}}));

    for (const LoyaltyList list : {LoyaltyList::Earned, LoyaltyList::FreeSession}) {
        m_messages.clear();
        EXPECT_FALSE(LoyaltyPointsJobFromFolder(root(), list, m_messages).has_value());
        EXPECT_EQ(
            m_messages.messages(),
            (std::vector<RecordedMessage>{{kFinancesErrorCaption, kSessionPointsFileErrorText}}));
    }
    // The balances are there: the subscribers' list prints, the message given.
    m_messages.clear();
    EXPECT_TRUE(
        LoyaltyPointsJobFromFolder(root(), LoyaltyList::Subscribers, m_messages).has_value());
    EXPECT_EQ(m_messages.messages().size(), 1u);
}

// The preview that `click` opens, checked by `check` and closed.
void CheckPreview(const std::function<void()>& click,
                  const std::function<void(printing::ReportPreviewWindow&)>& check) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<printing::ReportPreviewWindow*>(
                        QApplication::activeModalWidget()) != nullptr);
        auto* preview =
            qobject_cast<printing::ReportPreviewWindow*>(QApplication::activeModalWidget());
        seen = true;
        check(*preview);
        QTest::mouseClick(preview->findChild<QPushButton*>(QStringLiteral("escapeButton")),
                          Qt::LeftButton);
    });
    click();
    EXPECT_TRUE(seen);
}

QString Heading(const printing::ReportPreviewWindow& preview) {
    return preview.findChild<QLabel*>(QStringLiteral("previewHeading"))->text();
}

TEST_F(SettingsPrintoutsTest, DiscountsWindowPrintsTheEventsInItsPreview) {
    m_files.write(root());
    DiscountsWindow window(root(), m_dialogs);
    auto* print = window.findChild<QPushButton*>(QStringLiteral("printButton"));
    EXPECT_FALSE(print->isEnabled());
    window.setReportPrinter(&m_printer);
    testing::RunModal(
        window,
        [&] {
            ASSERT_TRUE(print->isEnabled());
            CheckPreview([&] { QTest::mouseClick(print, Qt::LeftButton); },
                         [&](printing::ReportPreviewWindow& preview) {
                             EXPECT_EQ(Heading(preview), QStringLiteral("Remises locations"));
                             EXPECT_EQ(preview.job().document,
                                       printing::ReportDocument::DiscountsOnRental);
                             EXPECT_EQ(preview.job().pageCount, 1);
                         });
        },
        "escape");
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(SettingsPrintoutsTest, LoyaltyWindowOffersTheThreeListsInItsMenu) {
    m_files.write(root());
    LoyaltyWindow window(root(), m_dialogs);
    auto* print = window.findChild<QPushButton*>(QStringLiteral("printButton"));
    EXPECT_FALSE(print->isEnabled());
    window.setReportPrinter(&m_printer);
    testing::RunModal(
        window,
        [&] {
            ASSERT_TRUE(print->isEnabled());
            QTest::mouseClick(print, Qt::LeftButton);
            auto* menu = window.findChild<QMenu*>(QStringLiteral("printMenu"));
            QTRY_VERIFY(menu->isVisible());
            QStringList entries;
            for (const QAction* action : menu->actions())
                entries << action->text();
            EXPECT_EQ(entries, (QStringList{QStringLiteral("Points fidélité abonnés"),
                                            QStringLiteral("Points gagnés par séance"),
                                            QStringLiteral("Points pour séance offerte")}));
            menu->close();
            CheckPreview(
                [&] { window.findChild<QAction*>(QStringLiteral("earnedListAction"))->trigger(); },
                [&](printing::ReportPreviewWindow& preview) {
                    EXPECT_EQ(Heading(preview), QStringLiteral("Points gagnés par séance"));
                    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Points fidélité"));
                    EXPECT_EQ(preview.job().document,
                              printing::ReportDocument::SessionsLoyaltyPoints);
                    EXPECT_GT(inkInLines(preview.job(), 0), 300);
                });
        },
        "escape");
    EXPECT_TRUE(m_dialogs.asked.empty());
}

} // namespace
} // namespace tallimo::finances
