#include "databases/gui/clubs_window.h"

#include "tests/support/gui/modal_window.h"

#include <QComboBox>
#include <QListWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace tallimo::databases {
namespace {

// A club line: the name, then the nine other fields joined by TABs.
std::string Line(const std::string& name, const std::string& rest = "\t\t\t\t\t\t\t\t") {
    return name + "\t" + rest + "\t\n";
}

std::string Lines(const QStringList& names) {
    std::string bytes;
    for (const QString& name : names)
        bytes += Line(name.toStdString());
    return bytes;
}

class ClubsWindowTest : public testing::WindowTest {
protected:
    ClubsWindowTest() {
        setLanguages(i18n::LanguageCode::French);
        m_folder.write(kCountries, "Belgique\nFrance\nSuisse\n");
    }

    void writeClubs(const std::string& bytes) const { m_folder.write(kFile, bytes); }
    std::string clubsFile() const { return m_folder.read(kFile); }

    int run(const std::function<void(ClubsWindow&)>& body, const std::string& closer = "okButton") {
        ClubsWindow window(root(), m_dialogs, m_pictures);
        chooseFiles(window);
        return testing::RunModal(
            window, [&] { body(window); }, closer);
    }
    static QComboBox* country(ClubsWindow& window) {
        return window.findChild<QComboBox*>("countryCombo");
    }

    const char* kFile = "BaseDonn\xC3\xA9"
                        "esClubs.bd1";
    const char* kCountries = "BaseDonn\xC3\xA9"
                             "esPays.bd";
};

TEST_F(ClubsWindowTest, AddListsWhatTheRulesAcceptAndShowsTheNewClub) {
    writeClubs(Line("Kart 45"));
    const auto add = [](ClubsWindow& window, const char* name) {
        type(window, "newNameEdit", QString::fromUtf8(name));
        click(window, "addButton");
    };
    EXPECT_EQ(run([&](ClubsWindow& window) {
                  add(window, "RC-Nord");
                  EXPECT_EQ(text(window, "clubNameEdit"), "RC_Nord");
                  EXPECT_EQ(items(window, "numberList"), QStringList{"2"});
                  EXPECT_EQ(text(window, "newNameEdit"), "");
                  add(window, "rc-NORD");
                  EXPECT_EQ(text(window, "newNameEdit"), "rc-NORD") << "left to be mended";
                  add(window, "Association-Kart"); // typing stops at thirteen
                  EXPECT_EQ(items(window, "clubList"),
                            (QStringList{"Association_K", "Kart 45", "RC_Nord"}));
                  EXPECT_EQ(text(window, "clubNameEdit"), "Association_K");
                  EXPECT_EQ(items(window, "numberList"), QStringList{"1"});
              }),
              QDialog::Accepted);
    EXPECT_EQ(clubsFile(), Lines({"Association_K", "Kart 45", "RC_Nord"}));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(ClubsWindowTest, RemovingShowsTheFirstOfTheSortedRest) {
    writeClubs(Line("A") + Line("B") + Line("C"));
    run([&](ClubsWindow& window) {
        window.findChild<QListWidget*>("clubList")->setCurrentRow(1);
        EXPECT_EQ(text(window, "clubNameEdit"), "B");
        EXPECT_EQ(items(window, "numberList"), QStringList{"2"});
        click(window, "removeButton");
        EXPECT_EQ(items(window, "clubList"), (QStringList{"A", "C"}));
        EXPECT_EQ(text(window, "clubNameEdit"), "A");
        click(window, "removeButton");
        click(window, "removeButton");
        EXPECT_TRUE(items(window, "clubList").isEmpty());
        EXPECT_FALSE(window.findChild<QAbstractButton*>("removeButton")->isEnabled());
    });
    EXPECT_EQ(clubsFile(), "");
}

TEST_F(ClubsWindowTest, ShowsTheStoredCountryOrNoneWhenItIsNotListed) {
    writeClubs(Line("A", "\t\t\t\t\tFrance\t\t\t") + Line("B", "\t\t\t\t\tAtlantide\t\t\t"));
    run([&](ClubsWindow& window) {
        EXPECT_EQ(country(window)->count(), 3);
        EXPECT_EQ(country(window)->currentText(), "France");
        window.findChild<QListWidget*>("clubList")->setCurrentRow(1);
        EXPECT_EQ(country(window)->currentIndex(), -1);
    });
    EXPECT_EQ(clubsFile(),
              Line("A", "\t\t\t\t\tFrance\t\t\t") + Line("B", "\t\t\t\t\tAtlantide\t\t\t"))
        << "showing a club is no edit";
}

TEST_F(ClubsWindowTest, OnlyOkWritesTheEdits) {
    const struct {
        const char* closer;
        std::string file;
    } rows[] = {{"okButton", Line("A") + Line("B", std::string(38, 'F') +
                                                       "\t1 rue du Lac\tBP 12\tF-45000-ORLEA\t"
                                                       "Orl\xE9"
                                                       "ans\tSuisse\t" +
                                                       std::string(19, '0') + "\tb@example.org\t")},
                {"cancelButton", Line("A") + Line("B")},
                {"close box", Line("A") + Line("B")}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.closer);
        writeClubs(Line("A") + Line("B"));
        run(
            [&](ClubsWindow& window) {
                window.findChild<QListWidget*>("clubList")->setCurrentRow(1);
                type(window, "fullNameEdit", QString(45, 'F'));
                type(window, "address1Edit", "1 rue du Lac");
                type(window, "address2Edit", "BP 12");
                type(window, "postalCodeEdit", "F-45000-ORLEANS");
                // keyClicks takes ASCII only; the accent comes as a key event of its own.
                type(window, "townEdit", "Orl");
                QTest::sendKeyEvent(QTest::Click, window.findChild<QLineEdit*>("townEdit"),
                                    Qt::Key_unknown, QString::fromUtf8("é"), Qt::NoModifier);
                QTest::keyClicks(window.findChild<QLineEdit*>("townEdit"), "ans");
                type(window, "phoneEdit", QString(25, '0'));
                type(window, "emailEdit", "b@example.org");
                country(window)->setCurrentIndex(2);
            },
            row.closer);
        EXPECT_EQ(clubsFile(), row.file);
    }
}

TEST_F(ClubsWindowTest, MissingFilesAreReportedAndOkCreatesTheClubs) {
    std::filesystem::remove(m_folder / kCountries);
    EXPECT_EQ(run([&](ClubsWindow& window) {
                  EXPECT_EQ(country(window)->count(), 0);
                  type(window, "fullNameEdit", "nowhere to go");
                  type(window, "newNameEdit", "ASK");
                  click(window, "addButton");
              }),
              QDialog::Accepted);
    EXPECT_EQ(m_dialogs.texts(),
              (std::vector<std::string>{"Error : 'Clubs/Teams' database file not found",
                                        "Error : 'Countries' database file not found"}));
    EXPECT_EQ(clubsFile(), Line("ASK"));
}

TEST_F(ClubsWindowTest, ImportNeedsAReadableFileAndExportAFolder) {
    writeClubs(Line("Kart 45"));
    m_folder.write("autre.bdc2", Line("Zolder") + Line("Aix"));
    run([&](ClubsWindow& window) {
        m_chosen = path("absent.bdc2");
        click(window, "importButton");
        EXPECT_EQ(items(window, "clubList"), QStringList{"Kart 45"});
        m_chosen = path("autre.bdc2");
        click(window, "importButton");
        EXPECT_EQ(items(window, "clubList"), (QStringList{"Zolder", "Aix"}));
        EXPECT_EQ(text(window, "clubNameEdit"), "Zolder");
        for (const char* name : {"sauvegarde", "absent/sauvegarde"}) {
            m_chosen = path(name);
            click(window, "exportButton");
        }
    });
    EXPECT_EQ(m_filters.front(), "open BD Clubs/Teams (*.bdc2)");
    EXPECT_EQ(m_filters.back(), "save BD Clubs/Teams (*.bdc2)");
    EXPECT_EQ(m_dialogs.texts(),
              (std::vector<std::string>{"Error : Import file 'Clubs/Teams' not found",
                                        "Error : Export file 'Clubs/Teams' not found"}));
    EXPECT_EQ(m_folder.read("sauvegarde.bdc2"), Line("Zolder") + Line("Aix"));
    EXPECT_EQ(clubsFile(), Line("Zolder") + Line("Aix"));
}

} // namespace
} // namespace tallimo::databases
