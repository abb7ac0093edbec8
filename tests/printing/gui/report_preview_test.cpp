#include "printing/gui/freeimage_picture_library.h"
#include "printing/gui/report_preview.h"
#include "tests/support/qt_test_application.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace tallimo::printing {
namespace {

class ReportPreviewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::EnsureQtApplication<QApplication>(); }

    ReportJob job(int pages) {
        return {ReportDocument::RegistrationForm, pages,
                [this](QPainter&, int page) { drawn.push_back(page); }};
    }

    FreeImageSession session;
    FreeImagePictureLibrary pictures;
    testing::TemporaryFolder folder;
    ReportPrinter printer{common::WorkingFolder(folder.path()), pictures};
    std::vector<int> drawn;
};

TEST_F(ReportPreviewTest, ThePageShownIsTheJobsAndTheCopiesEditSetsTheCopyCount) {
    ReportPreviewWindow window(printer, job(1),
                               {.title = QStringLiteral("Formulaire Abonné"),
                                .heading = QStringLiteral("Formulaire d'inscription"),
                                .copies = QStringLiteral("Nombre de copies")});
    window.grab();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back(), 0);

    auto* copies = window.findChild<QLineEdit*>(QStringLiteral("copiesEdit"));
    ASSERT_NE(copies, nullptr);
    EXPECT_EQ(window.job().copies, 1);
    copies->clear();
    QTest::keyClicks(copies, QStringLiteral("3x7"));
    EXPECT_EQ(copies->text(), QStringLiteral("37"));
    EXPECT_EQ(window.job().copies, 37);
    copies->setText(QStringLiteral("0"));
    EXPECT_EQ(window.job().copies, 1) << "no copy is still one page printed";
}

TEST_F(ReportPreviewTest, SeveralPagesAreBrowsedAndASinglePageHasNoArrows) {
    ReportPreviewWindow window(printer, job(3), {.title = QStringLiteral("Points fidélité")});
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("copiesEdit")), nullptr);
    auto* next = window.findChild<QPushButton*>(QStringLiteral("nextPageButton"));
    auto* previous = window.findChild<QPushButton*>(QStringLiteral("previousPageButton"));
    window.show();
    ASSERT_TRUE(next && previous);
    EXPECT_FALSE(previous->isEnabled());
    next->click();
    next->click();
    EXPECT_EQ(window.page(), 2);
    EXPECT_FALSE(next->isEnabled());
    window.grab();
    EXPECT_EQ(drawn.back(), 2);

    window.setJob(job(1));
    EXPECT_EQ(window.page(), 0);
    EXPECT_FALSE(next->isVisible());
    window.findChild<QPushButton*>(QStringLiteral("escapeButton"))->click();
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace tallimo::printing
