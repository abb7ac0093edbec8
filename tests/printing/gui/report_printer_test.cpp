#include "printing/gui/freeimage_picture_library.h"
#include "printing/gui/report_printer.h"
#include "tests/support/qt_test_application.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallimo::printing {
namespace {

int CountOf(const std::string& text, const std::string& what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// What the frame showed the report's drawing: the page numbers and the
// painter's window and viewport on each.
struct DrawnPage {
    int page = 0;
    QRect window;
    QRect viewport;
    QSize device;
};

class ReportPrinterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::EnsureQtApplication<QApplication>(); }

    ReportJob recordingJob(ReportDocument document, int pages) {
        return {document, pages, [this](QPainter& painter, int page) {
                    drawn.push_back({page, painter.window(), painter.viewport(),
                                     QSize(painter.device()->width(), painter.device()->height())});
                    painter.drawText(QRect(40, 200, 300, 30), Qt::AlignLeft,
                                     QStringLiteral("Page %1").arg(page + 1));
                }};
    }

    void writeLogo(int width, int height) {
        std::filesystem::create_directories(folder / "images");
        QImage logo(width, height, QImage::Format_RGB32);
        logo.fill(qRgb(20, 40, 120));
        ASSERT_TRUE(logo.save(QString::fromStdString((folder / kLogoFile).string()), "BMP"));
    }

    std::string writtenPdf(const ReportJob& job) {
        EXPECT_TRUE(printer.writePdf(folder / "report.pdf", job));
        return folder.read("report.pdf");
    }

    FreeImageSession session;
    FreeImagePictureLibrary pictures;
    testing::TemporaryFolder folder;
    ReportPrinter printer{common::WorkingFolder(folder.path()), pictures};
    std::vector<DrawnPage> drawn;
};

TEST_F(ReportPrinterTest, EveryPageIsDrawnInTheFamilysLogicalUnitsKeepingProportions) {
    for (const ReportDocument document :
         {ReportDocument::LapDetail, ReportDocument::SessionClassification,
          ReportDocument::PricesForRentalKarts}) {
        SCOPED_TRACE(DocumentName(document));
        drawn.clear();
        const std::string pdf = writtenPdf(recordingJob(document, 3));
        EXPECT_EQ(CountOf(pdf, "/Type /Page\n"), 3);

        const PictureSize logical = LogicalPageSize(FamilyOf(document));
        ASSERT_EQ(drawn.size(), 3u);
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            const DrawnPage& page = drawn[i];
            EXPECT_EQ(page.page, static_cast<int>(i));
            EXPECT_EQ(page.window, QRect(0, 0, logical.width, logical.height));
            EXPECT_EQ(page.viewport.topLeft(), QPoint(0, 0));
            EXPECT_LE(page.viewport.width(), page.device.width());
            EXPECT_LE(page.viewport.height(), page.device.height());
            // One side fills the printable area, the proportions hold.
            EXPECT_TRUE(page.viewport.width() >= page.device.width() - 1 ||
                        page.viewport.height() >= page.device.height() - 1);
            EXPECT_NEAR(double(page.viewport.width()) / page.viewport.height(),
                        double(logical.width) / logical.height, 0.002);
        }
    }
}

TEST_F(ReportPrinterTest, TheLogoHeadsEachPageWhenItCanBeLoadedAndIsLeftOutOtherwise) {
    const ReportJob job = recordingJob(ReportDocument::InformationSheet, 2);
    EXPECT_EQ(CountOf(writtenPdf(job), "/Subtype /Image"), 0) << "no logo file";

    folder.write(kLogoFile, "not a bitmap");
    EXPECT_EQ(CountOf(writtenPdf(job), "/Subtype /Image"), 0) << "unreadable logo";

    writeLogo(300, 120);
    EXPECT_GE(CountOf(writtenPdf(job), "/Subtype /Image"), 1);
    EXPECT_EQ(drawn.size(), 6u) << "the report itself is drawn every time";
}

TEST_F(ReportPrinterTest, NothingIsWrittenForAnEmptyJobOrAnUnwritableFile) {
    EXPECT_FALSE(
        printer.writePdf(folder / "empty.pdf", recordingJob(ReportDocument::LapDetail, 0)));
    EXPECT_FALSE(std::filesystem::exists(folder / "empty.pdf"));
    EXPECT_FALSE(printer.writePdf(folder / "missing/folder/report.pdf",
                                  recordingJob(ReportDocument::LapDetail, 1)));
    EXPECT_TRUE(drawn.empty());
}

TEST_F(ReportPrinterTest, CancellingThePrintDialogPrintsNothing) {
    bool dialogSeen = false;
    QTimer::singleShot(0, [&] {
        dialogSeen = QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; });
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    EXPECT_FALSE(printer.print(nullptr, recordingJob(ReportDocument::RunSynthesis, 1)));
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(drawn.empty());
}

TEST_F(ReportPrinterTest, ThePreviewDrawsThroughTheSameFrame) {
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !drawn.empty(); }));
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    printer.preview(nullptr, recordingJob(ReportDocument::RunSynthesis, 2));
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front().window, QRect(0, 0, 630, 1120));
}

TEST_F(ReportPrinterTest, APdfHoldsEveryCopyAndTheTicketLogoMayBeAJpegUnderItsBmpName) {
    ReportJob ticket = recordingJob(ReportDocument::PrepaidTicket, 1);
    ticket.logo = ReportLogo::Ticket;
    ticket.copies = 3;
    writeLogo(300, 120); // the track's logo is not the ticket's
    std::string pdf = writtenPdf(ticket);
    EXPECT_EQ(CountOf(pdf, "/Type /Page\n"), 3);
    EXPECT_EQ(CountOf(pdf, "/Subtype /Image"), 0);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn.back().page, 0) << "each copy is the one page";

    QImage jpeg(400, 200, QImage::Format_RGB32);
    jpeg.fill(qRgb(200, 30, 30));
    ASSERT_TRUE(jpeg.save(QString::fromStdString((folder / kTicketLogoFile).string()), "JPG"));
    ticket.copies = 1;
    pdf = writtenPdf(ticket);
    EXPECT_GE(CountOf(pdf, "/Subtype /Image"), 1);
    EXPECT_TRUE(std::filesystem::exists(folder / kConvertedJpegFile));
}

TEST_F(ReportPrinterTest, APageDrawnOnScreenKeepsItsProportionsInsideTheArea) {
    QImage screen(400, 400, QImage::Format_RGB32);
    screen.fill(Qt::black);
    QPainter painter(&screen);
    printer.paintPage(painter, QRectF(0, 0, 400, 400),
                      recordingJob(ReportDocument::InformationSheet, 1), 0);
    painter.end();
    ASSERT_EQ(drawn.size(), 1u);
    // 550 x 800 in 400 high: 275 wide, centred, white.
    EXPECT_EQ(screen.pixel(200, 5), qRgb(255, 255, 255));
    EXPECT_EQ(screen.pixel(50, 200), qRgb(0, 0, 0));
    EXPECT_EQ(screen.pixel(340, 200), qRgb(0, 0, 0));
}

} // namespace
} // namespace tallimo::printing
