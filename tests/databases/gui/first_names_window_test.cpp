#include "databases/gui/first_names_window.h"

#include "i18n/core/language_settings.h"
#include "i18n/core/shipped_translations.h"
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
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace tallimo::databases {
namespace {

std::string Line(const std::string& name, int day = 100, int month = 100) {
    return std::to_string(day) + "\t" + std::to_string(month) + "\t" + name + "\t\n";
}

class FirstNamesWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Several window test files share one executable and one application.
        if (!QApplication::instance()) {
            static int argc = 1;
            static char name[] = "first_names_window_test";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }

    FirstNamesWindowTest() {
        EXPECT_TRUE(i18n::WriteShippedTranslations(m_folder / "Translation"));
        EXPECT_TRUE(
            i18n::WriteLanguageSettings(common::WorkingFolder(m_folder.path()),
                                        {i18n::LanguageCode::French, i18n::LanguageCode::French}));
    }

    void writeFiles(const std::string& subscribers, const std::string& calendar) const {
        m_folder.write(kSubscriberFirstNamesFileName, subscribers);
        m_folder.write(kCalendarFileName, calendar);
    }
    std::string subscribersFile() const { return m_folder.read(kSubscriberFirstNamesFileName); }
    std::string calendarFile() const { return m_folder.read(kCalendarFileName); }

    // Runs `body` while the window is shown modally, then presses `closer`.
    int run(const std::function<void(FirstNamesWindow&)>& body, const char* closer = "okButton") {
        FirstNamesWindow window(common::WorkingFolder(m_folder.path()), m_dialogs);
        window.setFileChooser([this](QWidget*, bool save, const QString& filter) {
            m_filters.push_back((save ? "save " : "open ") + filter);
            return m_chosen;
        });
        QTimer::singleShot(0, &window, [&] {
            const bool shown =
                QTest::qWaitFor([&] { return QApplication::activeModalWidget() == &window; });
            EXPECT_TRUE(shown);
            if (shown)
                body(window);
            QTest::mouseClick(window.findChild<QPushButton*>(closer), Qt::LeftButton);
            if (window.isVisible())
                window.done(-1); // not closed: the caller's check on the result reports it
        });
        return window.exec();
    }

    static void click(FirstNamesWindow& window, const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
    }
    static void addName(FirstNamesWindow& window, const QString& name) {
        auto* edit = window.findChild<QLineEdit*>("newNameEdit");
        edit->setText(name); // the edit is disabled on the subscribers' list
        click(window, "addButton");
    }
    static void showList(FirstNamesWindow& window, int list) {
        window.findChild<QComboBox*>("listChoiceCombo")->setCurrentIndex(list);
    }
    static void select(FirstNamesWindow& window, int row) {
        window.findChild<QListWidget*>("nameList")->setCurrentRow(row);
    }
    static QStringList items(FirstNamesWindow& window, const char* list = "nameList") {
        QStringList texts;
        auto* widget = window.findChild<QListWidget*>(list);
        for (int i = 0; i < widget->count(); ++i)
            texts << widget->item(i)->text();
        return texts;
    }
    static int comboIndex(FirstNamesWindow& window, const char* combo) {
        return window.findChild<QComboBox*>(combo)->currentIndex();
    }

    testing::TemporaryFolder m_folder;
    testing::ScriptedDialogs m_dialogs;
    QString m_chosen;
    QStringList m_filters;
};

// (case, names added one after the other, calendar afterwards)
using AddCase = std::tuple<const char*, QStringList, QStringList>;
class FirstNamesAddTest : public FirstNamesWindowTest,
                          public ::testing::WithParamInterface<AddCase> {};

TEST_P(FirstNamesAddTest, TheCalendarTakesWhatTheRulesAccept) {
    const auto& [name, typed, listed] = GetParam();
    writeFiles("", Line("Zo\xE9", 1, 4));
    EXPECT_EQ(run([&](FirstNamesWindow& window) {
                  showList(window, 1);
                  for (const QString& one : typed)
                      addName(window, one);
                  EXPECT_EQ(items(window), listed);
                  EXPECT_EQ(comboIndex(window, "dayCombo"), -1) << "a new name has no nameday";
              }),
              QDialog::Accepted);
    std::string expected;
    for (const QString& one : listed)
        expected +=
            one == QString::fromUtf8("Zoé") ? Line("Zo\xE9", 1, 4) : Line(one.toStdString());
    EXPECT_EQ(calendarFile(), expected);
    EXPECT_TRUE(m_dialogs.asked.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, FirstNamesAddTest,
    ::testing::Values(AddCase{"HyphensBecomeUnderscores",
                              {"Anne-Marie"},
                              {"Anne_Marie", QString::fromUtf8("Zoé")}},
                      AddCase{"SameNameInOtherCaseRefused",
                              {"Anne-Marie", "anne_marie"},
                              {"Anne_Marie", QString::fromUtf8("Zoé")}},
                      AddCase{"BlankLedOrEmptyRefused", {" Paul", ""}, {QString::fromUtf8("Zoé")}}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

TEST_F(FirstNamesWindowTest, AddAndRemoveDoNothingOnTheSubscribersList) {
    writeFiles(Line("Jean", 23, 5) + Line("Paul", 28, 5), Line("Luc", 17, 9));
    EXPECT_EQ(run([&](FirstNamesWindow& window) {
                  EXPECT_EQ(items(window), (QStringList{"Jean", "Paul"}));
                  addName(window, "Anne");
                  select(window, 0);
                  click(window, "removeButton");
                  EXPECT_EQ(items(window), (QStringList{"Jean", "Paul"}));
                  EXPECT_EQ(CountFirstNames(window.calendar()), 1);
              }),
              QDialog::Accepted);
    EXPECT_EQ(subscribersFile(), Line("Jean", 23, 5) + Line("Paul", 28, 5));
    EXPECT_EQ(calendarFile(), Line("Luc", 17, 9));
}

TEST_F(FirstNamesWindowTest, RemovingFromTheCalendarSelectsTheNextName) {
    writeFiles("", Line("Anne", 25, 6) + Line("Luc", 17, 9) + Line("Paul", 28, 5));
    EXPECT_EQ(run([&](FirstNamesWindow& window) {
                  showList(window, 1);
                  select(window, 1);
                  click(window, "removeButton");
                  EXPECT_EQ(items(window), (QStringList{"Anne", "Paul"}));
                  EXPECT_EQ(window.findChild<QLineEdit*>("selectedNameEdit")->text(), "Paul");
                  EXPECT_EQ(items(window, "numberList"), QStringList{"2"});
              }),
              QDialog::Accepted);
    EXPECT_EQ(calendarFile(), Line("Anne", 25, 6) + Line("Paul", 28, 5));
}

TEST_F(FirstNamesWindowTest, DateOrderSortsBothListsAndKeepsTheSelection) {
    writeFiles(Line("Zo\xE9", 1, 4) + Line("Anne", 25, 6),
               Line("Inconnu") + Line("Lucie", 9, 1) + Line("Blaise", 2, 1) + Line("Agathe", 4, 1));
    run([&](FirstNamesWindow& window) {
        showList(window, 1);
        EXPECT_EQ(items(window), (QStringList{"Agathe", "Blaise", "Inconnu", "Lucie"}));
        select(window, 3);
        window.findChild<QRadioButton*>("dateOrderRadio")->click();
        EXPECT_EQ(items(window), (QStringList{"Blaise", "Agathe", "Lucie", "Inconnu"}));
        EXPECT_EQ(window.findChild<QLineEdit*>("selectedNameEdit")->text(), "Lucie");
        EXPECT_EQ(items(window, "numberList"), QStringList{"3"});
        EXPECT_EQ(window.subscriberFirstNames()[0].firstName, "Zo\xE9") << "May before July";
        window.findChild<QRadioButton*>("alphabeticalRadio")->click();
        EXPECT_EQ(items(window), (QStringList{"Agathe", "Blaise", "Inconnu", "Lucie"}));
    });
}

// (case, button that closes, subscribers file and calendar afterwards)
using CloseCase = std::tuple<const char*, const char*, std::string, std::string>;
class FirstNamesCloseTest : public FirstNamesWindowTest,
                            public ::testing::WithParamInterface<CloseCase> {};

TEST_P(FirstNamesCloseTest, OnlyOkWritesTheNamedays) {
    const auto& [name, closer, subscribers, calendar] = GetParam();
    writeFiles(Line("Jean"), Line("Luc", 17, 9));
    run(
        [&](FirstNamesWindow& window) {
            select(window, 0);
            EXPECT_EQ(comboIndex(window, "monthCombo"), -1) << "unknown nameday";
            window.findChild<QComboBox*>("dayCombo")->setCurrentIndex(23);
            window.findChild<QComboBox*>("monthCombo")->setCurrentIndex(5);
            showList(window, 1);
            select(window, 0);
            EXPECT_EQ(comboIndex(window, "dayCombo"), 17);
            window.findChild<QComboBox*>("monthCombo")->setCurrentIndex(11);
        },
        closer);
    EXPECT_EQ(subscribersFile(), subscribers);
    EXPECT_EQ(calendarFile(), calendar);
}

INSTANTIATE_TEST_SUITE_P(
    Closers, FirstNamesCloseTest,
    ::testing::Values(CloseCase{"Ok", "okButton", Line("Jean", 23, 5), Line("Luc", 17, 11)},
                      CloseCase{"Echap", "cancelButton", Line("Jean"), Line("Luc", 17, 9)}),
    [](const auto& info) { return std::string(std::get<0>(info.param)); });

TEST_F(FirstNamesWindowTest, MissingFilesAreReportedAndOkCreatesThem) {
    EXPECT_EQ(run([&](FirstNamesWindow& window) {
                  showList(window, 1);
                  addName(window, "Anne");
              }),
              QDialog::Accepted);
    EXPECT_EQ(m_dialogs.texts(),
              (std::vector<std::string>{kSubscriberFirstNamesErrorText, kCalendarErrorText}));
    EXPECT_EQ(calendarFile(), Line("Anne"));
    EXPECT_TRUE(std::filesystem::exists(m_folder / kSubscriberFirstNamesFileName));
}

// (case, file to import, its bytes or nullptr for none, list afterwards, messages)
using ImportCase =
    std::tuple<const char*, const char*, const char*, QStringList, std::vector<std::string>>;
class FirstNamesImportTest : public FirstNamesWindowTest,
                             public ::testing::WithParamInterface<ImportCase> {};

TEST_P(FirstNamesImportTest, ReplacesTheSubscribersNamesOnlyWithAReadableFile) {
    const auto& [name, file, bytes, listed, messages] = GetParam();
    writeFiles(Line("Jean", 23, 5), Line("Luc", 17, 9));
    if (bytes)
        m_folder.write(file, bytes);
    m_chosen = QString::fromStdString((m_folder / file).string());
    run([&](FirstNamesWindow& window) {
        click(window, "importButton");
        EXPECT_EQ(items(window), listed);
    });
    EXPECT_EQ(m_filters, QStringList{QString::fromUtf8("open BD Prénoms Abonnés (*.bdpr2)")});
    EXPECT_EQ(m_dialogs.texts(), messages);
    EXPECT_EQ(calendarFile(), Line("Luc", 17, 9));
}

INSTANTIATE_TEST_SUITE_P(Files, FirstNamesImportTest,
                         ::testing::Values(ImportCase{"Sorted",
                                                      "club.bdpr2",
                                                      "2\t1\tZo\xE9\t\n4\t1\tAgathe\t\n",
                                                      {"Agathe", QString::fromUtf8("Zoé")},
                                                      {}},
                                           ImportCase{"MissingFileKeepsTheNames",
                                                      "absent.bdpr2",
                                                      nullptr,
                                                      {"Jean"},
                                                      {kFirstNamesImportErrorText}}),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

TEST_F(FirstNamesWindowTest, ExportWritesTheSubscribersNames) {
    writeFiles(Line("Jean", 23, 5) + Line("Anne", 25, 6), Line("Luc", 17, 9));
    m_chosen = QString::fromStdString((m_folder / "sauvegarde").string());
    run([&](FirstNamesWindow& window) {
        showList(window, 1);
        click(window, "exportButton");
    });
    EXPECT_EQ(m_folder.read("sauvegarde.bdpr2"), Line("Anne", 25, 6) + Line("Jean", 23, 5));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(FirstNamesWindowTest, LabelsComeFromTheTranslationFiles) {
    writeFiles("", "");
    i18n::WriteLanguageSettings(common::WorkingFolder(m_folder.path()),
                                {i18n::LanguageCode::English, i18n::LanguageCode::French});
    run([&](FirstNamesWindow& window) {
        EXPECT_EQ(window.windowTitle(), "Database First names");
        auto* lists = window.findChild<QComboBox*>("listChoiceCombo");
        EXPECT_EQ(lists->itemText(1), "French Calendar");
        EXPECT_EQ(window.findChild<QLabel*>("namedayLabel")->text(), "Nameday date :");
        EXPECT_EQ(window.findChild<QPushButton*>("addButton")->text(), "Add");
        EXPECT_EQ(window.findChild<QComboBox*>("monthCombo")->itemText(0), "January");
        EXPECT_EQ(window.findChild<QComboBox*>("dayCombo")->count(), 31);
    });
    EXPECT_TRUE(m_dialogs.asked.empty());
}

} // namespace
} // namespace tallimo::databases
