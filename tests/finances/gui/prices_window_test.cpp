#include "finances/gui/prices_window.h"

#include "databases/core/kart_categories_file.h"
#include "tests/support/gui/modal_window.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

constexpr const char* kPricesFile = "BaseDonneesTarifs.bd1";

// The 36 lines of a prices file: `used` by line number, every other line free.
std::string PricesBytes(const std::map<int, std::string>& used, int currency = 0) {
    std::string bytes;
    for (int line = 0; line < 36; ++line) {
        const auto found = used.find(line);
        bytes += (found != used.end() ? found->second : "0\t0") + "\t" + std::to_string(currency) +
                 "\t\n";
    }
    return bytes;
}

std::string TranslationMissing(const char* file) {
    return std::string("Error: The translation file '") + file + "' has not been found";
}

class PricesWindowTest : public testing::WindowTest {
protected:
    PricesWindowTest() {
        setLanguages(i18n::LanguageCode::French);
        writeCategories({"Adultes", "Enfants", "", "", ""});
        m_folder.write(kPricesFile, PricesBytes({}));
    }

    void writeCategories(const std::array<const char*, 5>& names) const {
        databases::CategoryTable table{};
        for (std::size_t slot = 0; slot < names.size(); ++slot)
            table[slot].name = names[slot];
        m_folder.write(databases::kCategoriesFileName,
                       databases::FormatCategoriesFile(table, databases::kCategorySlots));
    }

    int run(const std::function<void(PricesWindow&)>& body,
            const std::string& closer = "okButton") {
        PricesWindow window(root(), m_dialogs);
        chooseFiles(window);
        return testing::RunModal(
            window, [&] { body(window); }, closer);
    }

    static void add(PricesWindow& window, const char* side, const QString& minutes) {
        type(window, (std::string(side) + "DurationEdit").c_str(), minutes);
        click(window, (std::string(side) + "AddButton").c_str());
    }
    static void setPrice(PricesWindow& window, const char* side, int session,
                         const QString& price) {
        type(window, (std::string(side) + "PriceEdit" + std::to_string(session)).c_str(), price);
    }
    // What the price area shows: "label = price unit" for every visible row.
    static QStringList priceRows(PricesWindow& window, const char* side) {
        QStringList rows;
        for (int s = 0; s < kSessionsPerRow; ++s) {
            const auto named = [&](const char* part) {
                return QString::fromStdString(std::string(side) + part + std::to_string(s));
            };
            const auto* label = window.findChild<QLabel*>(named("PriceLabel"));
            const auto* edit = window.findChild<QLineEdit*>(named("PriceEdit"));
            const auto* unit = window.findChild<QLabel*>(named("UnitLabel"));
            EXPECT_EQ(label->isHidden(), edit->isHidden());
            EXPECT_EQ(label->isHidden(), unit->isHidden());
            if (!label->isHidden())
                rows << label->text() + " = " + edit->text() + " " + unit->text();
        }
        return rows;
    }
    static QComboBox* combo(PricesWindow& window, const char* name) {
        return window.findChild<QComboBox*>(QLatin1String(name));
    }
};

TEST_F(PricesWindowTest, DurationsListInOrderWithTheirPrices) {
    EXPECT_EQ(run([&](PricesWindow& window) {
                  add(window, "rental", "20");
                  setPrice(window, "rental", 0, "35");
                  add(window, "rental", "5");
                  setPrice(window, "rental", 0, "12");
                  add(window, "rental", "10");
                  setPrice(window, "rental", 1, "2x0");
                  EXPECT_EQ(items(window, "rentalSessionList"),
                            (QStringList{"5 minutes", "10 minutes", "20 minutes"}));
                  EXPECT_EQ(priceRows(window, "rental"),
                            (QStringList{"Séance 5 minutes = 12 €", "Séance 10 minutes = 20 €",
                                         "Séance 20 minutes = 35 €"}));
                  EXPECT_TRUE(text(window, "rentalDurationEdit").isEmpty());
                  add(window, "rental", "10");
                  EXPECT_EQ(items(window, "rentalSessionList").size(), 3) << "duplicate refused";
                  EXPECT_EQ(text(window, "rentalDurationEdit"), "10") << "kept for correcting";

                  window.findChild<QListWidget*>("rentalSessionList")->setCurrentRow(1);
                  click(window, "rentalRemoveButton");
                  EXPECT_EQ(priceRows(window, "rental"),
                            (QStringList{"Séance 5 minutes = 12 €", "Séance 20 minutes = 35 €"}));
                  EXPECT_FALSE(window.findChild<QPushButton*>("rentalRemoveButton")->isEnabled())
                      << "nothing selected after the refill";
              }),
              QDialog::Accepted);
    EXPECT_EQ(m_folder.read(kPricesFile), PricesBytes({{0, "5\t12"}, {1, "20\t35"}}));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(PricesWindowTest, CategoriesKeepTheirRowsAndADeletedOneSavesZeros) {
    m_folder.write(kPricesFile, PricesBytes({{0, "5\t12"}, {6, "8\t9"}, {12, "20\t30"}}, 1));
    writeCategories({"Adultes", "", "Karts enfants", "", ""});
    EXPECT_EQ(run([&](PricesWindow& window) {
                  combo(window, "categoryCombo")->setCurrentIndex(1);
                  EXPECT_EQ(combo(window, "categoryCombo")->currentText(), "Karts enfants");
                  EXPECT_EQ(priceRows(window, "rental"), QStringList{"Séance 20 minutes = 30 $"});
                  add(window, "rental", "10");
                  setPrice(window, "rental", 0, "15");
                  add(window, "private", "30");
                  setPrice(window, "private", 0, "50");
                  combo(window, "categoryCombo")->setCurrentIndex(0);
                  EXPECT_EQ(priceRows(window, "rental"), QStringList{"Séance 5 minutes = 12 $"});
              }),
              QDialog::Accepted);
    EXPECT_EQ(m_folder.read(kPricesFile),
              PricesBytes({{0, "5\t12"}, {12, "10\t15"}, {13, "20\t30"}, {30, "30\t50"}}, 1));
}

TEST_F(PricesWindowTest, TheCurrencyGoesToEveryEntryAndEveryUnit) {
    m_folder.write(kPricesFile, PricesBytes({{0, "5\t12"}, {30, "15\t40"}}));
    EXPECT_EQ(run([&](PricesWindow& window) {
                  QComboBox* currencies = combo(window, "currencyCombo");
                  ASSERT_EQ(currencies->count(), 13);
                  EXPECT_EQ(currencies->itemText(2), "£ (GBP)");
                  EXPECT_EQ(priceRows(window, "rental"), QStringList{"Séance 5 minutes = 12 €"});
                  currencies->setCurrentIndex(3);
                  EXPECT_EQ(priceRows(window, "private"),
                            QStringList{"Séance 15 minutes = 40 CHF"});
              }),
              QDialog::Accepted);
    EXPECT_EQ(m_folder.read(kPricesFile), PricesBytes({{0, "5\t12"}, {30, "15\t40"}}, 3));
}

TEST_F(PricesWindowTest, OnlyOkWrites) {
    for (const char* closer : {"cancelButton", "escape", "close box"}) {
        SCOPED_TRACE(closer);
        EXPECT_EQ(run([&](PricesWindow& window) { add(window, "rental", "10"); }, closer),
                  QDialog::Rejected);
        EXPECT_EQ(m_folder.read(kPricesFile), PricesBytes({}));
    }
}

TEST_F(PricesWindowTest, MissingFilesAreReportedInOrderAndTheWindowStillWorks) {
    std::filesystem::remove_all(m_folder / "Translation");
    std::filesystem::remove(m_folder / databases::kCategoriesFileName);
    std::filesystem::remove(m_folder / kPricesFile);
    EXPECT_EQ(run([&](PricesWindow& window) {
                  EXPECT_EQ(window.windowTitle(), "Rental Prices");
                  EXPECT_EQ(window.findChild<QLabel*>("rentalNewLabel")->text(),
                            "Nouvelle séance : durée");
                  EXPECT_FALSE(window.findChild<QPushButton*>("printButton")->isEnabled());
                  EXPECT_FALSE(window.findChild<QLineEdit*>("rentalDurationEdit")->isEnabled())
                      << "no category to price";
                  add(window, "private", "10");
                  EXPECT_EQ(priceRows(window, "private"), QStringList{"Séance 10 minutes = 0 €"});
              }),
              QDialog::Accepted);
    EXPECT_EQ(m_dialogs.texts(), (std::vector<std::string>{
                                     TranslationMissing("FenetrePrincipale.trans"),
                                     TranslationMissing("FenetreTarifs.trans"),
                                     TranslationMissing("BaseCategoriesAge.trans"),
                                     TranslationMissing("BaseParcKarts.trans"),
                                     databases::kCategoriesFileErrorText, kPricesFileErrorText}));
    EXPECT_EQ(m_folder.read(kPricesFile), PricesBytes({{30, "10\t0"}}));
}

TEST_F(PricesWindowTest, AFailedWriteKeepsTheWindowOpen) {
    std::filesystem::remove(m_folder / kPricesFile);
    std::filesystem::create_directory(m_folder / kPricesFile);
    EXPECT_EQ(run([](PricesWindow&) {}), -1);
    EXPECT_EQ(m_dialogs.texts(),
              (std::vector<std::string>{kPricesFileErrorText, kPricesFileErrorText}));
}

TEST_F(PricesWindowTest, ImportReplacesOnlyFromAReadableFileAndExportWritesTheTable) {
    m_folder.write(kPricesFile, PricesBytes({{0, "5\t12"}}));
    m_folder.write("club.btk2", PricesBytes({{0, "7\t70"}, {6, "9\t90"}, {12, "1\t1"}}, 2));
    EXPECT_EQ(run([&](PricesWindow& window) {
                  m_chosen = path("absent.btk2");
                  click(window, "importButton");
                  EXPECT_EQ(priceRows(window, "rental"), QStringList{"Séance 5 minutes = 12 €"});
                  m_chosen = path("club.btk2");
                  click(window, "importButton");
                  EXPECT_EQ(priceRows(window, "rental"), QStringList{"Séance 7 minutes = 70 £"});
                  m_chosen = path("copie");
                  click(window, "exportButton");
              }),
              QDialog::Accepted);
    const std::string imported = PricesBytes({{0, "7\t70"}, {6, "9\t90"}}, 2);
    EXPECT_EQ(m_folder.read(kPricesFile), imported) << "the unnamed third category zeroed";
    EXPECT_EQ(m_folder.read("copie.btk2"), imported);
    EXPECT_EQ(m_filters,
              (QStringList{"open BD Tarifs karts (*.btk2)", "open BD Tarifs karts (*.btk2)",
                           "save BD Tarifs karts (*.btk2)"}));
    EXPECT_EQ(m_dialogs.texts(), std::vector<std::string>{kPricesImportErrorText});
}

} // namespace
} // namespace tallimo::finances
