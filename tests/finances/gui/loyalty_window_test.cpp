// The loyalty card window driven like an operator, on files the core writes,
// checked through the core's own loaders.

#include "finances/gui/loyalty_window.h"

#include "tests/finances/booking_fixture.h"
#include "tests/support/gui/modal_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

using File = testing::BookingFixture::File;

std::string TranslationMissing(const char* file) {
    return std::string("Error: The translation file '") + file + "' has not been found";
}

// Anne Martin (120 points) and Paul Durand (0) of the booking files, with
// a second category "Enfants" and a private session of 15 minutes.
class LoyaltyWindowTest : public testing::WindowTest {
protected:
    LoyaltyWindowTest() {
        setLanguages(i18n::LanguageCode::French);
        m_fixture.categories[1].name = "Enfants";
        PriceRowOf(m_fixture.prices, 1)[0] = {5, 8, testing::kEuroCurrency};
        PriceRowOf(m_fixture.prices, kPriceRows)[0] = {15, 40, testing::kEuroCurrency};
        m_fixture.points.sessionPoints[1][0] = 4;
        m_fixture.points.privateFreeSessionCost[0] = 300;
    }

    int run(const std::function<void(LoyaltyWindow&)>& body,
            const std::string& closer = "okButton") {
        LoyaltyWindow window(root(), m_dialogs);
        chooseFiles(window);
        return testing::RunModal(
            window, [&] { body(window); }, closer);
    }

    LoyaltyBalances savedBalances() const {
        LoyaltyBalances balances;
        EXPECT_TRUE(LoadBalances(balances, m_folder / kBalancesFileName));
        return balances;
    }
    SessionPointsTables savedPoints() const {
        SessionPointsTables points;
        EXPECT_TRUE(LoadSessionPoints(points, m_folder / kSessionPointsFileName));
        return points;
    }

    // On the box itself: a check box stretched by its layout ignores clicks
    // beside its text.
    static void tick(QWidget& window, const char* name) {
        auto* box = window.findChild<QCheckBox*>(QLatin1String(name));
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
    }
    static bool ticked(QWidget& window, const char* name) {
        return window.findChild<QCheckBox*>(QLatin1String(name))->isChecked();
    }
    static QComboBox* combo(QWidget& window, const char* name) {
        return window.findChild<QComboBox*>(QLatin1String(name));
    }
    // What a panel shows: "label [points] unit" for every visible line.
    static QStringList lines(QWidget& window, const std::string& side) {
        QStringList shown;
        for (const char* half : {"Earn", "Free"}) {
            for (int s = 0; s < kSessionsPerRow; ++s) {
                const auto named = [&](const char* part) {
                    return QString::fromStdString(side + half + part + std::to_string(s));
                };
                const auto* label = window.findChild<QLabel*>(named("Label"));
                const auto* edit = window.findChild<QLineEdit*>(named("Edit"));
                EXPECT_EQ(label->isHidden(), edit->isHidden());
                if (!label->isHidden())
                    shown << label->text() + " [" + edit->text() + "] " +
                                 window.findChild<QLabel*>(named("Unit"))->text();
            }
        }
        return shown;
    }

    testing::BookingFixture m_fixture;
};

TEST_F(LoyaltyWindowTest, ShowsTheCardWithTheSessionsOfTheChosenCategory) {
    m_fixture.balances.header = {1, 1, 3, 45001};
    m_fixture.write(root());
    EXPECT_EQ(run([&](LoyaltyWindow& window) {
                  EXPECT_EQ(window.windowTitle(), "Carte fidélité");
                  EXPECT_TRUE(ticked(window, "loyaltyActiveCheck"));
                  EXPECT_TRUE(ticked(window, "freeSessionMailCheck"));
                  EXPECT_EQ(text(window, "freeSessionMailMonthsEdit"), "3");
                  QComboBox* subscribers = combo(window, "subscriberCombo");
                  ASSERT_EQ(subscribers->count(), 2);
                  EXPECT_EQ(subscribers->currentText(), "Martin Anne");
                  EXPECT_EQ(text(window, "accountPointsEdit"), "120");
                  subscribers->setCurrentIndex(1);
                  EXPECT_EQ(text(window, "accountPointsEdit"), "0");

                  EXPECT_EQ(lines(window, "rental"),
                            (QStringList{"1 Séance 10 minutes donne [15] points",
                                         "1 Séance 20 minutes donne [0] points",
                                         "1 Séance 10 minutes gratuite pour [100] points",
                                         "1 Séance 20 minutes gratuite pour [0] points"}));
                  combo(window, "categoryCombo")->setCurrentIndex(1);
                  EXPECT_EQ(lines(window, "rental"),
                            (QStringList{"1 Séance 5 minutes donne [4] points",
                                         "1 Séance 5 minutes gratuite pour [0] points"}));
                  EXPECT_EQ(lines(window, "private"),
                            (QStringList{"1 Séance 15 minutes donne [0] points",
                                         "1 Séance 15 minutes gratuite pour [300] points"}));
                  EXPECT_FALSE(window.findChild<QPushButton*>("printButton")->isEnabled());
              }),
              QDialog::Accepted);
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(LoyaltyWindowTest, OkWritesTheEditedBalancesAndSessionPoints) {
    m_fixture.write(root());
    EXPECT_EQ(run([&](LoyaltyWindow& window) {
                  tick(window, "loyaltyActiveCheck");
                  tick(window, "freeSessionMailCheck");
                  type(window, "freeSessionMailMonthsEdit", "12");
                  combo(window, "subscriberCombo")->setCurrentIndex(1);
                  type(window, "accountPointsEdit", "250");
                  combo(window, "subscriberCombo")->setCurrentIndex(0);
                  type(window, "accountPointsEdit", "7x5");
                  type(window, "rentalEarnEdit1", "30");
                  type(window, "rentalFreeEdit0", "90");
                  combo(window, "categoryCombo")->setCurrentIndex(1);
                  type(window, "rentalEarnEdit0", "6");
                  type(window, "privateEarnEdit0", "25");
              }),
              QDialog::Accepted);
    const LoyaltyBalances balances = savedBalances();
    EXPECT_EQ(balances.header, (LoyaltyHeader{0, 1, 12, 0}));
    EXPECT_EQ(balances.accounts,
              (std::vector<LoyaltyAccount>{{"Martin", "Anne", 75}, {"Durand", "Paul", 250}}));
    SessionPointsTables expected = m_fixture.points;
    expected.sessionPoints[0][1] = 30;
    expected.freeSessionCost[0][0] = 90;
    expected.sessionPoints[1][0] = 6;
    expected.privateSessionPoints[0] = 25;
    EXPECT_EQ(savedPoints(), expected);
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(LoyaltyWindowTest, OnlyOkWrites) {
    m_fixture.write(root());
    const std::string balances = m_folder.read(kBalancesFileName);
    const std::string points = m_folder.read(kSessionPointsFileName);
    for (const char* closer : {"cancelButton", "escape", "close box"}) {
        SCOPED_TRACE(closer);
        EXPECT_EQ(run(
                      [&](LoyaltyWindow& window) {
                          tick(window, "loyaltyActiveCheck");
                          type(window, "accountPointsEdit", "999");
                          type(window, "rentalEarnEdit0", "1");
                      },
                      closer),
                  QDialog::Rejected);
        EXPECT_EQ(m_folder.read(kBalancesFileName), balances);
        EXPECT_EQ(m_folder.read(kSessionPointsFileName), points);
    }
}

TEST_F(LoyaltyWindowTest, ExportUnderCardWritesBothFilesAndImportRestoresBoth) {
    m_fixture.write(root());
    const LoyaltyBalances original = savedBalances();
    const SessionPointsTables originalPoints = savedPoints();
    EXPECT_EQ(run([&](LoyaltyWindow& window) {
                  m_chosen = path("card.bcf2");
                  click(window, "exportButton");
                  tick(window, "loyaltyActiveCheck");
                  type(window, "accountPointsEdit", "5");
                  type(window, "rentalEarnEdit0", "1");
                  click(window, "importButton");
                  EXPECT_TRUE(ticked(window, "loyaltyActiveCheck"));
                  EXPECT_EQ(text(window, "accountPointsEdit"), "120");
                  EXPECT_EQ(text(window, "rentalEarnEdit0"), "15");
              }),
              QDialog::Accepted);
    ASSERT_TRUE(std::filesystem::exists(m_folder / "card.bcfb"));
    EXPECT_EQ(m_folder.read("card.bcf2"), m_folder.read(kBalancesFileName));
    EXPECT_EQ(m_folder.read("card.bcfb"), m_folder.read(kSessionPointsFileName));
    EXPECT_EQ(savedBalances(), original);
    EXPECT_EQ(savedPoints(), originalPoints);
    EXPECT_EQ(m_filters,
              (QStringList{"save BD Carte fidélité (*.bcf2)", "open BD Carte fidélité (*.bcf2)"}));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(LoyaltyWindowTest, AnImportWithoutItsTwinNamesIt) {
    m_fixture.write(root());
    m_folder.write("old.bcf2", "0\t0\t6\t0\t\nDurand\tPaul\t40\t\n");
    EXPECT_EQ(run([&](LoyaltyWindow& window) {
                  m_chosen = path("old.bcf2");
                  click(window, "importButton");
                  EXPECT_FALSE(ticked(window, "loyaltyActiveCheck"));
                  EXPECT_EQ(text(window, "accountPointsEdit"), "0");
                  EXPECT_EQ(text(window, "rentalEarnEdit0"), "15") << "kept";
              }),
              QDialog::Accepted);
    EXPECT_EQ(m_dialogs.texts(), std::vector<std::string>{kSessionPointsImportErrorText});
    EXPECT_EQ(savedBalances().accounts,
              (std::vector<LoyaltyAccount>{{"Martin", "Anne", 0}, {"Durand", "Paul", 40}}));
}

TEST_F(LoyaltyWindowTest, MissingFilesAreReportedInOrderAndTheWindowStillWorks) {
    std::filesystem::remove_all(m_folder / "Translation");
    m_fixture.write(root(), {File::Categories, File::Subscribers, File::Balances,
                             File::SessionPoints, File::Prices});
    EXPECT_EQ(run([&](LoyaltyWindow& window) {
                  EXPECT_EQ(window.windowTitle(), "Loyalty card");
                  EXPECT_EQ(window.findChild<QCheckBox*>("loyaltyActiveCheck")->text(),
                            "Activer la carte de fidélité");
                  EXPECT_FALSE(ticked(window, "loyaltyActiveCheck"));
                  EXPECT_EQ(text(window, "freeSessionMailMonthsEdit"), "6");
                  EXPECT_FALSE(window.findChild<QLineEdit*>("accountPointsEdit")->isEnabled());
                  EXPECT_TRUE(lines(window, "rental").isEmpty());
                  EXPECT_TRUE(lines(window, "private").isEmpty());
                  tick(window, "loyaltyActiveCheck");
              }),
              QDialog::Accepted);
    EXPECT_EQ(
        m_dialogs.texts(),
        (std::vector<std::string>{
            TranslationMissing("FenetrePrincipale.trans"),
            TranslationMissing("FenetreFidelite.trans"), TranslationMissing("FenetreTarifs.trans"),
            TranslationMissing("BaseCategoriesAge.trans"),
            TranslationMissing("BaseParcKarts.trans"), TranslationMissing("BaseClubs.trans"),
            databases::kCategoriesFileErrorText, databases::kSubscribersFileErrorText,
            kBalancesFileErrorText, kSessionPointsFileErrorText, kPricesFileErrorText}));
    EXPECT_EQ(savedBalances(), (LoyaltyBalances{{1, 0, 6, 0}, {}}));
    EXPECT_EQ(savedPoints(), SessionPointsTables{});
}

// Account i is subscriber i: a balance whose holder left the subscribers
// is not written back, and a new subscriber starts at 0.
TEST_F(LoyaltyWindowTest, OkKeepsOnlyTheSubscribersAccounts) {
    m_fixture.balances.accounts = {{"Ancien", "Client", 500}, {"Durand", "Paul", 60}};
    m_fixture.write(root());
    EXPECT_EQ(run([](LoyaltyWindow&) {}), QDialog::Accepted);
    EXPECT_EQ(savedBalances().accounts,
              (std::vector<LoyaltyAccount>{{"Martin", "Anne", 0}, {"Durand", "Paul", 60}}));
}

TEST_F(LoyaltyWindowTest, AFailedWriteKeepsTheWindowOpen) {
    m_fixture.write(root(), {File::Balances});
    std::filesystem::create_directory(m_folder / kBalancesFileName);
    EXPECT_EQ(run([](LoyaltyWindow&) {}), -1);
    EXPECT_EQ(m_dialogs.texts(),
              (std::vector<std::string>{kBalancesFileErrorText, kBalancesFileErrorText}));
}

} // namespace
} // namespace tallimo::finances
