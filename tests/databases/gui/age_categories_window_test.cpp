#include "databases/gui/age_categories_window.h"

#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"

#include <QComboBox>
#include <QLabel>

#include <functional>
#include <string>

namespace tallimo::databases {
namespace {

class AgeCategoriesWindowTest : public testing::WindowTest {
protected:
    AgeCategoriesWindowTest() { setLanguages(i18n::LanguageCode::French); }

    int run(const std::function<void(AgeCategoriesWindow&)>& body,
            const std::string& closer = "okButton") {
        AgeCategoriesWindow window(root(), m_dialogs, m_clock);
        chooseFiles(window);
        return testing::RunModal(
            window, [&] { body(window); }, closer);
    }
    static void add(QWidget& window, const char* code) {
        type(window, "newCodeEdit", QString::fromUtf8(code));
        click(window, "addButton");
    }
    static QComboBox* combo(QWidget& window, const char* name) {
        return window.findChild<QComboBox*>(QLatin1String(name));
    }
    std::string file() const { return m_folder.read(kAgeCategoriesFileName); }

    testing::FakeLocalClock m_clock;
};

TEST_F(AgeCategoriesWindowTest, AnOperatorAddsEditsAndSavesCategories) {
    m_folder.write(kAgeCategoriesFileName, "");
    EXPECT_EQ(run([&](AgeCategoriesWindow& window) {
                  add(window, "U12");
                  add(window, "u12");
                  add(window, "-9");
                  EXPECT_EQ(items(window, "categoryList"), (QStringList{"U12", "_9"}));
                  EXPECT_EQ(text(window, "codeEdit"), "_9") << "the new code is shown";

                  window.findChild<QListWidget*>("categoryList")->setCurrentRow(0);
                  QTest::keyClicks(window.findChild<QLineEdit*>("nameEdit"), "Minimes-garcons");
                  combo(window, "toYearCombo")->setCurrentIndex(110);   // 2010
                  combo(window, "fromYearCombo")->setCurrentIndex(100); // 2000
                  combo(window, "fromMonthCombo")->setCurrentIndex(5);  // June
                  click(window, "womanRadio");
                  EXPECT_EQ(window.findChild<QLabel*>("fromAgeLabel")->text(), "(26 ans)");
                  // Setting "to" before "from" moves it up to "from".
                  combo(window, "toYearCombo")->setCurrentIndex(90);
                  EXPECT_EQ(combo(window, "toYearCombo")->currentIndex(), 100);
                  EXPECT_EQ(combo(window, "toMonthCombo")->currentIndex(), 5);
              }),
              QDialog::Accepted);
    EXPECT_EQ(file(), "0\t5\t100\t5\t100\t1205\t1205\tU12\tMinimes_garcons\t\n"
                      "1\t0\t0\t0\t0\t0\t0\t_9\t\t\n");
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(AgeCategoriesWindowTest, EchapWritesNothingAndRemovingMovesTheOthersUp) {
    m_folder.write(kAgeCategoriesFileName,
                   "1\t0\t0\t0\t0\t0\t0\tA\ta\t\n1\t0\t0\t0\t0\t0\t0\tB\tb\t\n");
    const std::string before = file();
    EXPECT_EQ(run(
                  [&](AgeCategoriesWindow& window) {
                      click(window, "removeButton");
                      EXPECT_EQ(items(window, "categoryList"), QStringList{"B"});
                      EXPECT_EQ(window.categories()[1].code, "");
                  },
                  "cancelButton"),
              QDialog::Rejected);
    EXPECT_EQ(file(), before);
}

TEST_F(AgeCategoriesWindowTest, MissingFilesAndAFailedImportAreReportedAndKeepTheTable) {
    run([&](AgeCategoriesWindow& window) {
        add(window, "SEN");
        m_chosen = path("none.bda2");
        click(window, "importButton");
        EXPECT_EQ(window.categories()[0].code, "SEN");
        m_chosen = path("copie");
        click(window, "exportButton");
    });
    EXPECT_EQ(m_dialogs.texts(), (std::vector<std::string>{kAgeCategoriesFileErrorText,
                                                           kAgeCategoriesImportErrorText}));
    EXPECT_EQ(m_folder.read("copie.bda2"), "1\t0\t0\t0\t0\t0\t0\tSEN\t\t\n");
}

} // namespace
} // namespace tallimo::databases
