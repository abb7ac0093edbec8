#include "databases/gui/first_names_window.h"

#include "tests/support/gui/modal_window.h"

#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tallimo::databases {
namespace {

std::string Line(const std::string& name, int day = 100, int month = 100) {
    return std::to_string(day) + "\t" + std::to_string(month) + "\t" + name + "\t\n";
}

class FirstNamesWindowTest : public testing::WindowTest {
protected:
    FirstNamesWindowTest() { setLanguages(i18n::LanguageCode::French); }

    void writeFiles(const std::string& subscribers, const std::string& calendar) const {
        m_folder.write(kSubscriberFirstNamesFileName, subscribers);
        m_folder.write(kCalendarFileName, calendar);
    }
    std::string subscribersFile() const { return m_folder.read(kSubscriberFirstNamesFileName); }
    std::string calendarFile() const { return m_folder.read(kCalendarFileName); }

    int run(const std::function<void(FirstNamesWindow&)>& body, const char* closer = "okButton") {
        FirstNamesWindow window(root(), m_dialogs);
        chooseFiles(window);
        return testing::RunModal(
            window, [&] { body(window); }, closer);
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
    static QStringList names(FirstNamesWindow& window) { return items(window, "nameList"); }
    static int comboIndex(FirstNamesWindow& window, const char* combo) {
        return window.findChild<QComboBox*>(QLatin1String(combo))->currentIndex();
    }
};

TEST_F(FirstNamesWindowTest, TheCalendarTakesWhatTheRulesAccept) {
    writeFiles("", Line("Zo\xE9", 1, 4));
    EXPECT_EQ(run([&](FirstNamesWindow& window) {
                  showList(window, 1);
                  // Dashes become underscores; the same name in other case, a
                  // blank-led and an empty name are refused.
                  for (const char* one : {"Anne-Marie", "anne_marie", " Paul", ""})
                      addName(window, QString::fromUtf8(one));
                  EXPECT_EQ(names(window), (QStringList{"Anne_Marie", QString::fromUtf8("Zoé")}));
                  EXPECT_EQ(comboIndex(window, "dayCombo"), -1) << "a new name has no nameday";
              }),
              QDialog::Accepted);
    EXPECT_EQ(calendarFile(), Line("Anne_Marie") + Line("Zo\xE9", 1, 4));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(FirstNamesWindowTest, AddAndRemoveWorkOnlyOnTheCalendar) {
    writeFiles(Line("Jean", 23, 5) + Line("Paul", 28, 5),
               Line("Anne", 25, 6) + Line("Luc", 17, 9) + Line("Paul", 28, 5));
    EXPECT_EQ(run([&](FirstNamesWindow& window) {
                  addName(window, "Anne");
                  select(window, 0);
                  click(window, "removeButton");
                  EXPECT_EQ(names(window), (QStringList{"Jean", "Paul"}));
                  EXPECT_EQ(CountFirstNames(window.calendar()), 3);
                  // On the calendar, removing selects the next name.
                  showList(window, 1);
                  select(window, 1);
                  click(window, "removeButton");
                  EXPECT_EQ(names(window), (QStringList{"Anne", "Paul"}));
                  EXPECT_EQ(text(window, "selectedNameEdit"), "Paul");
                  EXPECT_EQ(items(window, "numberList"), QStringList{"2"});
              }),
              QDialog::Accepted);
    EXPECT_EQ(subscribersFile(), Line("Jean", 23, 5) + Line("Paul", 28, 5));
    EXPECT_EQ(calendarFile(), Line("Anne", 25, 6) + Line("Paul", 28, 5));
}

// The date order itself is the core's; the radio buttons re-sort the list
// shown and keep the selected name.
TEST_F(FirstNamesWindowTest, OrderRadiosResortTheListAndKeepTheSelection) {
    writeFiles(Line("Agathe", 4, 1) + Line("Blaise", 2, 1), "");
    run([&](FirstNamesWindow& window) {
        select(window, 0);
        window.findChild<QRadioButton*>("dateOrderRadio")->click();
        EXPECT_EQ(names(window), (QStringList{"Blaise", "Agathe"}));
        EXPECT_EQ(text(window, "selectedNameEdit"), "Agathe");
        window.findChild<QRadioButton*>("alphabeticalRadio")->click();
        EXPECT_EQ(names(window), (QStringList{"Agathe", "Blaise"}));
    });
}

TEST_F(FirstNamesWindowTest, OnlyOkWritesTheNamedays) {
    const struct {
        const char* closer;
        std::string subscribers, calendar;
    } rows[] = {{"okButton", Line("Jean", 23, 5), Line("Luc", 17, 11)},
                {"cancelButton", Line("Jean"), Line("Luc", 17, 9)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.closer);
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
            row.closer);
        EXPECT_EQ(subscribersFile(), row.subscribers);
        EXPECT_EQ(calendarFile(), row.calendar);
    }
}

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

TEST_F(FirstNamesWindowTest, ImportNeedsAReadableFileAndExportWritesTheSubscribersNames) {
    writeFiles(Line("Jean", 23, 5), Line("Luc", 17, 9));
    m_folder.write("club.bdpr2", "2\t1\tZo\xE9\t\n4\t1\tAgathe\t\n");
    run([&](FirstNamesWindow& window) {
        m_chosen = path("absent.bdpr2");
        click(window, "importButton");
        EXPECT_EQ(names(window), QStringList{"Jean"});
        m_chosen = path("club.bdpr2");
        click(window, "importButton");
        EXPECT_EQ(names(window), (QStringList{"Agathe", QString::fromUtf8("Zoé")})) << "sorted";
        showList(window, 1);
        m_chosen = path("sauvegarde");
        click(window, "exportButton");
    });
    EXPECT_EQ(m_filters.front(), QString::fromUtf8("open BD Prénoms Abonnés (*.bdpr2)"));
    EXPECT_EQ(m_dialogs.texts(), std::vector<std::string>{kFirstNamesImportErrorText});
    EXPECT_EQ(m_folder.read("sauvegarde.bdpr2"), "4\t1\tAgathe\t\n2\t1\tZo\xE9\t\n");
    EXPECT_EQ(calendarFile(), Line("Luc", 17, 9));
}

} // namespace
} // namespace tallimo::databases
