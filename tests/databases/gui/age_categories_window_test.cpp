#include "databases/gui/age_categories_window.h"

#include "i18n/core/language_settings.h"
#include "i18n/core/shipped_translations.h"
#include "tests/support/fake_clocks.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace tallimo::databases {
namespace {

class AgeCategoriesWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!QApplication::instance()) {
            static int argc = 1;
            static char name[] = "age_categories_window_test";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }

    AgeCategoriesWindowTest() {
        EXPECT_TRUE(i18n::WriteShippedTranslations(m_folder / "Translation"));
        EXPECT_TRUE(
            i18n::WriteLanguageSettings(common::WorkingFolder(m_folder.path()),
                                        {i18n::LanguageCode::French, i18n::LanguageCode::French}));
    }

    std::unique_ptr<AgeCategoriesWindow> open() {
        auto window = std::make_unique<AgeCategoriesWindow>(common::WorkingFolder(m_folder.path()),
                                                            m_dialogs, m_clock);
        window->setFileChooser([this](QWidget*, bool, const QString&) { return m_chosen; });
        return window;
    }

    template <typename T> static T* child(QWidget& window, const char* name) {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void add(QWidget& window, const char* code) {
        auto* edit = child<QLineEdit>(window, "newCodeEdit");
        edit->clear();
        QTest::keyClicks(edit, code);
        QTest::mouseClick(child<QPushButton>(window, "addButton"), Qt::LeftButton);
    }

    std::string file() const { return m_folder.read(kAgeCategoriesFileName); }

    testing::TemporaryFolder m_folder;
    testing::ScriptedDialogs m_dialogs;
    testing::FakeLocalClock m_clock;
    QString m_chosen;
};

TEST_F(AgeCategoriesWindowTest, AnOperatorAddsEditsAndSavesCategories) {
    m_folder.write(kAgeCategoriesFileName, "");
    auto window = open();
    EXPECT_EQ(window->windowTitle().toStdString(), "Base de donn\xC3\xA9"
                                                   "es Cat\xC3\xA9gories d'age");
    add(*window, "U12");
    add(*window, "u12");
    add(*window, "-9");
    auto* list = child<QListWidget>(*window, "categoryList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "_9");
    EXPECT_EQ(child<QLineEdit>(*window, "codeEdit")->text(), "_9") << "the new code is shown";

    list->setCurrentRow(0);
    QTest::keyClicks(child<QLineEdit>(*window, "nameEdit"), "Minimes-garcons");
    child<QComboBox>(*window, "toYearCombo")->setCurrentIndex(110);   // 2010
    child<QComboBox>(*window, "fromYearCombo")->setCurrentIndex(100); // 2000
    child<QComboBox>(*window, "fromMonthCombo")->setCurrentIndex(5);  // June
    QTest::mouseClick(child<QRadioButton>(*window, "womanRadio"), Qt::LeftButton);
    EXPECT_EQ(child<QLabel>(*window, "fromAgeLabel")->text(), "(26 ans)");

    // Setting "to" before "from" moves it up to "from".
    child<QComboBox>(*window, "toYearCombo")->setCurrentIndex(90);
    EXPECT_EQ(child<QComboBox>(*window, "toYearCombo")->currentIndex(), 100);
    EXPECT_EQ(child<QComboBox>(*window, "toMonthCombo")->currentIndex(), 5);

    QTest::mouseClick(child<QPushButton>(*window, "okButton"), Qt::LeftButton);
    EXPECT_EQ(file(), "0\t5\t100\t5\t100\t1205\t1205\tU12\tMinimes_garcons\t\n"
                      "1\t0\t0\t0\t0\t0\t0\t_9\t\t\n");
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(AgeCategoriesWindowTest, EchapWritesNothingAndRemovingMovesTheOthersUp) {
    m_folder.write(kAgeCategoriesFileName,
                   "1\t0\t0\t0\t0\t0\t0\tA\ta\t\n1\t0\t0\t0\t0\t0\t0\tB\tb\t\n");
    const std::string before = file();
    auto window = open();
    QTest::mouseClick(child<QPushButton>(*window, "removeButton"), Qt::LeftButton);
    EXPECT_EQ(child<QListWidget>(*window, "categoryList")->item(0)->text(), "B");
    EXPECT_EQ(window->categories()[1].code, "");
    QTest::mouseClick(child<QPushButton>(*window, "cancelButton"), Qt::LeftButton);
    EXPECT_EQ(file(), before);
}

TEST_F(AgeCategoriesWindowTest, MissingFilesAndAFailedImportAreReportedAndKeepTheTable) {
    auto window = open();
    EXPECT_EQ(m_dialogs.texts(), (std::vector<std::string>{kAgeCategoriesFileErrorText}));
    add(*window, "SEN");
    m_chosen = QString::fromStdString((m_folder / "none.bda2").string());
    QTest::mouseClick(child<QPushButton>(*window, "importButton"), Qt::LeftButton);
    EXPECT_EQ(m_dialogs.texts().back(), kAgeCategoriesImportErrorText);
    EXPECT_EQ(window->categories()[0].code, "SEN");

    m_chosen = QString::fromStdString((m_folder / "copie").string());
    QTest::mouseClick(child<QPushButton>(*window, "exportButton"), Qt::LeftButton);
    EXPECT_EQ(m_folder.read("copie.bda2"), "1\t0\t0\t0\t0\t0\t0\tSEN\t\t\n");
}

} // namespace
} // namespace tallimo::databases
