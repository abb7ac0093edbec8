#include "finances/gui/discounts_window.h"

#include "tests/finances/booking_fixture.h"
#include "tests/support/gui/modal_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

std::string TranslationMissing(const char* file) {
    return std::string("Error: The translation file '") + file + "' has not been found";
}

// The fixture's files: "Adultes" with 10 minutes at 20 and 20 minutes at
// 35 euros, the two fixed events in French, and here one dated event and a
// private session of 15 minutes at 40.
class DiscountsWindowTest : public testing::WindowTest {
protected:
    DiscountsWindowTest() {
        setLanguages(i18n::LanguageCode::French);
        m_files.categories[2].name = "Enfants";
        PriceRowOf(m_files.prices, 2)[0] = {5, 8, testing::kEuroCurrency};
        m_files.prices.privatePrices[0] = {15, 40, testing::kEuroCurrency};
        DiscountEvent& christmas = m_files.discounts.events[2];
        christmas.eventName = "No\xEBl";
        christmas.eventDay = 24;
        christmas.eventMonth = 11;
        christmas.rentalDiscounts[0][1] = 5;
        m_files.write(root());
    }

    int run(const std::function<void(DiscountsWindow&)>& body,
            const std::string& closer = "okButton") {
        DiscountsWindow window(root(), m_dialogs);
        chooseFiles(window);
        return testing::RunModal(
            window, [&] { body(window); }, closer);
    }

    std::string discountsFile() const { return m_folder.read(kDiscountsFileName); }
    // What "Ok" is expected to write for `table`.
    static std::string Written(const DiscountTable& table) {
        return FormatDiscountsFile(table, ListedEventCount(table));
    }

    static void select(DiscountsWindow& window, int row) {
        window.findChild<QListWidget*>(QStringLiteral("eventList"))->setCurrentRow(row);
    }
    static QComboBox* combo(DiscountsWindow& window, const char* name) {
        return window.findChild<QComboBox*>(QLatin1String(name));
    }
    static QWidget* widget(DiscountsWindow& window, const char* name) {
        return window.findChild<QWidget*>(QLatin1String(name));
    }
    // Set rather than typed: the test keyboard has no accented letters.
    static void add(DiscountsWindow& window, const QString& name) {
        window.findChild<QLineEdit*>(QStringLiteral("newEventEdit"))->setText(name);
        click(window, "addButton");
    }
    // The visible discount lines: "session: discount unit preview".
    static QStringList lines(DiscountsWindow& window, const char* side) {
        QStringList shown;
        for (int s = 0; s < kSessionsPerRow; ++s) {
            const auto named = [&](const char* part) {
                return QString::fromStdString(std::string(side) + part + std::to_string(s));
            };
            const auto* session = window.findChild<QLabel*>(named("SessionLabel"));
            const auto* edit = window.findChild<QLineEdit*>(named("DiscountEdit"));
            const auto* unit = window.findChild<QLabel*>(named("UnitLabel"));
            const auto* preview = window.findChild<QLabel*>(named("PreviewLabel"));
            EXPECT_EQ(session->isHidden(), edit->isHidden());
            EXPECT_EQ(session->isHidden(), unit->isHidden());
            EXPECT_EQ(session->isHidden(), preview->isHidden());
            if (!session->isHidden())
                shown << session->text() + ": " + edit->text() + " " + unit->text() + " " +
                             preview->text();
        }
        return shown;
    }

    testing::BookingFixture m_files;
};

TEST_F(DiscountsWindowTest, TheFixedEventsShowTheirDateLabelAndCannotBeRemoved) {
    EXPECT_EQ(run([&](DiscountsWindow& window) {
                  EXPECT_EQ(window.windowTitle(), "Remises locations");
                  const QStringList listed{"Anniversaire abonnés", "Fête prénom abonnés", "Noël"};
                  EXPECT_EQ(items(window, "eventList"), listed);
                  EXPECT_EQ(text(window, "eventNameEdit"), "Anniversaire abonnés")
                      << "the first event is selected";
                  for (const auto& [row, dateLabel] :
                       {std::pair{0, "Date Anniversaire"}, std::pair{1, "Date Fête du prénom"}}) {
                      select(window, row);
                      EXPECT_EQ(window.findChild<QLabel*>("fixedDateLabel")->text(),
                                QString::fromUtf8(dateLabel));
                      EXPECT_TRUE(widget(window, "fixedDateLabel")->isVisible());
                      EXPECT_FALSE(widget(window, "monthCombo")->isVisible());
                      click(window, "removeButton");
                      EXPECT_EQ(items(window, "eventList"), listed);
                  }
                  select(window, 2);
                  EXPECT_FALSE(widget(window, "fixedDateLabel")->isVisible());
                  EXPECT_EQ(combo(window, "dayCombo")->currentText(), "25");
                  EXPECT_EQ(combo(window, "monthCombo")->currentText(), "décembre");
                  click(window, "removeButton");
                  EXPECT_EQ(items(window, "eventList"), listed.mid(0, 2));
                  EXPECT_EQ(text(window, "eventNameEdit"), "Fête prénom abonnés");
              }),
              QDialog::Accepted);
    m_files.discounts.events[2] = DiscountEvent{};
    EXPECT_EQ(discountsFile(), Written(m_files.discounts));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(DiscountsWindowTest, ThePreviewFollowsTheDiscountTheUnitAndTheCategory) {
    EXPECT_EQ(
        run([&](DiscountsWindow& window) {
            QComboBox* categories = combo(window, "categoryCombo");
            EXPECT_EQ(categories->count(), 2) << "named categories only";
            EXPECT_EQ(combo(window, "unitCombo")->itemText(0), "€");
            select(window, 2);
            EXPECT_EQ(lines(window, "rental"),
                      (QStringList{"Séance 10 minutes: 0 € =>  Séance = 20 €",
                                   "Séance 20 minutes: 5 € =>  Séance = 30 €"}));
            type(window, "rentalDiscountEdit0", "25");
            EXPECT_EQ(lines(window, "rental").front(), "Séance 10 minutes: 25 € =>  Séance = 0 €")
                << "never below 0";
            combo(window, "unitCombo")->setCurrentIndex(1);
            EXPECT_EQ(lines(window, "rental"),
                      (QStringList{"Séance 10 minutes: 25 % =>  Séance = 15 €",
                                   "Séance 20 minutes: 5 % =>  Séance = 33 €"}));
            type(window, "privateDiscountEdit0", "10");
            EXPECT_EQ(lines(window, "private"),
                      QStringList{"Séance 15 minutes: 10 % =>  Séance = 36 €"});

            categories->setCurrentIndex(1);
            EXPECT_EQ(lines(window, "rental"),
                      QStringList{"Séance 5 minutes: 0 % =>  Séance = 8 €"});
            type(window, "rentalDiscountEdit0", "50");
            categories->setCurrentIndex(0);
            EXPECT_EQ(lines(window, "rental").front(), "Séance 10 minutes: 25 % =>  Séance = 15 €");
        }),
        QDialog::Accepted);
    DiscountTable& expected = m_files.discounts;
    expected.discountMode = 1;
    expected.events[2].rentalDiscounts[0][0] = 25;
    expected.events[2].rentalDiscounts[2][0] = 50;
    expected.events[2].privateDiscounts[0] = 10;
    EXPECT_EQ(discountsFile(), Written(expected));
}

TEST_F(DiscountsWindowTest, TheDayFollowsTheMonthAndEveryFieldReachesTheFile) {
    EXPECT_EQ(run([&](DiscountsWindow& window) {
                  add(window, "Nouvel-an");
                  EXPECT_EQ(text(window, "eventNameEdit"), "Nouvel_an");
                  EXPECT_TRUE(text(window, "newEventEdit").isEmpty());
                  EXPECT_EQ(combo(window, "monthCombo")->currentText(), "janvier");
                  combo(window, "dayCombo")->setCurrentIndex(30);
                  combo(window, "monthCombo")->setCurrentIndex(1);
                  EXPECT_EQ(combo(window, "dayCombo")->count(), 29);
                  EXPECT_EQ(combo(window, "dayCombo")->currentText(), "29");
                  click(window, "discountActiveCheck");
                  click(window, "mailActiveCheck");
                  type(window, "daysBeforeEdit", "3");
                  type(window, "daysAfterEdit", "2");
                  type(window, "mailDaysBeforeEdit", "10");

                  select(window, 0);
                  type(window, "daysBeforeEdit", "7");
                  select(window, 3);
                  EXPECT_EQ(text(window, "daysBeforeEdit"), "3") << "each event keeps its own";
              }),
              QDialog::Accepted);
    DiscountEvent& added = m_files.discounts.events[3];
    added.eventName = "Nouvel_an";
    added.eventDay = 28;
    added.eventMonth = 1;
    added.discountActive = 1;
    added.mailActive = 1;
    added.daysBefore = 3;
    added.daysAfter = 2;
    added.mailDaysBefore = 10;
    m_files.discounts.events[kBirthdayEvent].daysBefore = 7;
    EXPECT_EQ(discountsFile(), Written(m_files.discounts));
}

TEST_F(DiscountsWindowTest, RefusedNamesAddNothingAndStayTyped) {
    struct Case {
        const char* why;
        QString typed;
    };
    const Case refused[] = {{"nothing typed", QString()},
                            {"the same name in capitals", QStringLiteral("NOËL")},
                            {"a blank first", QStringLiteral(" Pâques")},
                            {"a fixed event's name", QStringLiteral("fête prénom abonnés")}};
    EXPECT_EQ(run([&](DiscountsWindow& window) {
                  for (const Case& c : refused) {
                      add(window, c.typed);
                      EXPECT_EQ(items(window, "eventList").size(), 3) << c.why;
                      EXPECT_EQ(text(window, "newEventEdit"), c.typed) << c.why;
                  }
                  add(window, QStringLiteral("Une très longue fête de famille"));
                  EXPECT_EQ(items(window, "eventList").back(), "Une très longue fête de ")
                      << "24 characters";
              }),
              QDialog::Accepted);
}

TEST_F(DiscountsWindowTest, OnlyOkWrites) {
    const std::string before = discountsFile();
    for (const char* closer : {"cancelButton", "escape", "close box"}) {
        SCOPED_TRACE(closer);
        EXPECT_EQ(run(
                      [&](DiscountsWindow& window) {
                          add(window, "Halloween");
                          combo(window, "unitCombo")->setCurrentIndex(1);
                      },
                      closer),
                  QDialog::Rejected);
        EXPECT_EQ(discountsFile(), before);
    }
}

TEST_F(DiscountsWindowTest, MissingFilesAreReportedInOrderAndTheWindowStillWorks) {
    std::filesystem::remove_all(m_folder / "Translation");
    std::filesystem::remove(m_folder / databases::kCategoriesFileName);
    std::filesystem::remove(m_folder / kPricesFileName);
    std::filesystem::remove(m_folder / kDiscountsFileName);
    EXPECT_EQ(run([&](DiscountsWindow& window) {
                  EXPECT_EQ(window.windowTitle(), "Rental discounts ");
                  EXPECT_EQ(items(window, "eventList"),
                            (QStringList{"Subscribers birthday", "Subscribers name day"}));
                  EXPECT_EQ(window.findChild<QLabel*>("fixedDateLabel")->text(), "Date Birthday");
                  EXPECT_EQ(window.findChild<QCheckBox*>("discountActiveCheck")->text(),
                            "Activer les remises");
                  EXPECT_FALSE(window.findChild<QPushButton*>("printButton")->isEnabled());
                  EXPECT_TRUE(lines(window, "rental").isEmpty());
                  add(window, "Halloween");
                  type(window, "daysAfterEdit", "4");
              }),
              QDialog::Accepted);
    EXPECT_EQ(
        m_dialogs.texts(),
        (std::vector<std::string>{
            TranslationMissing("FenetrePrincipale.trans"),
            TranslationMissing("FenetreRemises.trans"), TranslationMissing("FenetreTarifs.trans"),
            TranslationMissing("BaseCategoriesAge.trans"),
            TranslationMissing("BaseParcKarts.trans"), TranslationMissing("BaseClubs.trans"),
            databases::kCategoriesFileErrorText, kPricesFileErrorText, kDiscountsFileErrorText}));
    DiscountTable expected;
    expected.events[0].eventName = "Subscribers birthday";
    expected.events[1].eventName = "Subscribers name day";
    expected.events[2].eventName = "Halloween";
    expected.events[2].daysAfter = 4;
    EXPECT_EQ(discountsFile(), Written(expected));
}

TEST_F(DiscountsWindowTest, ImportReplacesOnlyFromAReadableFileAndExportWritesTheTable) {
    DiscountTable club;
    club.discountMode = 1;
    club.events[0].eventName = "Birthday";
    club.events[1].eventName = "Name day";
    club.events[2].eventName = "Halloween";
    club.events[2].rentalDiscounts[0][0] = 10;
    club.events[2].rentalDiscounts[1][0] = 99; // a category this track has not named
    m_folder.write("club.brk2", FormatDiscountsFile(club, 3));
    EXPECT_EQ(run([&](DiscountsWindow& window) {
                  m_chosen = path("absent.brk2");
                  click(window, "importButton");
                  EXPECT_EQ(items(window, "eventList").back(), "Noël");
                  m_chosen = path("club.brk2");
                  click(window, "importButton");
                  EXPECT_EQ(
                      items(window, "eventList"),
                      (QStringList{"Anniversaire abonnés", "Fête prénom abonnés", "Halloween"}));
                  EXPECT_EQ(combo(window, "unitCombo")->currentText(), "%");
                  m_chosen = path("copie");
                  click(window, "exportButton");
              }),
              QDialog::Accepted);
    club.events[0].eventName = "Anniversaire abonn\xE9s";
    club.events[1].eventName = "F\xEAte pr\xE9nom abonn\xE9s";
    club.events[2].rentalDiscounts[1][0] = 0;
    EXPECT_EQ(discountsFile(), Written(club));
    EXPECT_EQ(m_folder.read("copie.brk2"), Written(club));
    EXPECT_EQ(m_filters,
              (QStringList{"open BD Remises karts (*.brk2)", "open BD Remises karts (*.brk2)",
                           "save BD Remises karts (*.brk2)"}));
    EXPECT_EQ(m_dialogs.texts(), std::vector<std::string>{kDiscountsImportErrorText});
}

} // namespace
} // namespace tallimo::finances
