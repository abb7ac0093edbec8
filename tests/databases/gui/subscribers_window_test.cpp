#include "databases/gui/subscribers_window.h"

#include "databases/core/clubs_file.h"
#include "databases/core/countries_file.h"

#include "tests/support/fake_clocks.h"
#include "tests/support/gui/modal_window.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tallimo::databases {
namespace {

// One subscriber as the file holds it.
struct Row {
    std::string name{}, firstName{}, address1{}, address2{}, postalCode{}, town{}, country{},
        phone{}, email{}, day = "0", month = "0", year = "0", spare{}, club{}, transponder{},
                          photo{};
    int sex = 1, extra1 = 0, extra2 = 0;
};

std::string Lines(std::initializer_list<Row> rows) {
    std::string bytes;
    for (const Row& r : rows) {
        bytes += std::to_string(r.sex) + "\t" + std::to_string(r.extra1) + "\t" +
                 std::to_string(r.extra2) + "\t";
        for (const std::string* field :
             {&r.name, &r.firstName, &r.address1, &r.address2, &r.postalCode, &r.town, &r.country,
              &r.phone, &r.email, &r.day, &r.month, &r.year, &r.spare, &r.club, &r.transponder,
              &r.photo})
            bytes += *field + "\t";
        bytes += "\n";
    }
    return bytes;
}

// An age category line: sex, from month/year, to month/year, code, name.
std::string AgeLine(int sex, int fromMonth, int fromYear, int toMonth, int toYear,
                    const std::string& code) {
    std::string line;
    for (int number : {sex, fromMonth, fromYear, toMonth, toYear, fromMonth + 12 * fromYear,
                       toMonth + 12 * toYear})
        line += std::to_string(number) + "\t";
    return line + code + "\tname " + code + "\t\n";
}

class SubscribersWindowTest : public testing::WindowTest {
protected:
    SubscribersWindowTest() {
        setLanguages(i18n::LanguageCode::French);
        for (const char* folder : {"images", "Runs", "FirstNames"})
            std::filesystem::create_directories(m_folder / folder);
        m_folder.write(kCountriesFileName, "Belgique\nFrance\nSuisse\n");
        m_folder.write(kClubsFileName, "ASK\t\t\t\t\t\t\t\t\t\t\nKart 45\t\t\t\t\t\t\t\t\t\t\n");
        m_folder.write(kAgeCategoriesFileName, "");
        m_folder.write(kSubscriberFirstNamesFileName, "");
        m_folder.write(kCalendarFileName, "23\t5\tJean\t\n17\t9\tLuc\t\n");
    }

    void writeSubscribers(const std::string& bytes) const {
        m_folder.write(kSubscribersFileName, bytes);
    }
    std::string subscribersFile() const { return m_folder.read(kSubscribersFileName); }
    bool exists(const char* relative) const { return std::filesystem::exists(m_folder / relative); }

    int run(const std::function<void(SubscribersWindow&)>& body,
            const std::string& closer = "okButton") {
        SubscribersWindow window(root(), m_dialogs, m_pictures, m_clock);
        chooseFiles(window);
        return testing::RunModal(
            window, [&] { body(window); }, closer);
    }

    static void add(QWidget& window, const QString& name, const QString& firstName) {
        type(window, "newNameEdit", name);
        type(window, "newFirstNameEdit", firstName);
        click(window, "addButton");
    }
    static QStringList listed(QWidget& window) { return items(window, "subscriberList"); }
    static QComboBox* combo(QWidget& window, const char* name) {
        return window.findChild<QComboBox*>(QLatin1String(name));
    }

    testing::FakeLocalClock m_clock; // 6 December 2026
};

TEST_F(SubscribersWindowTest, AddListsWhatTheRulesAcceptAndShowsTheNewSubscriber) {
    writeSubscribers(Lines({{.name = "Martin", .firstName = "Paul"}}));
    run([&](SubscribersWindow& window) {
        add(window, "Dupont-Martin", "Jean-Luc");
        add(window, "dupont_martin", "jean_luc"); // the same pair in other case
        EXPECT_EQ(text(window, "subscriberNameEdit"), "Dupont_Martin Jean_Luc");
        add(window, "A" + QString(30, 'n'), QString(30, 'p')); // typing stops at the limits
        const QString cut = "A" + QString(22, 'n') + " " + QString(18, 'p');
        EXPECT_EQ(listed(window), (QStringList{cut, "Dupont_Martin Jean_Luc", "Martin Paul"}));
        EXPECT_EQ(text(window, "subscriberNameEdit"), cut);
    });
    EXPECT_TRUE(m_dialogs.asked.empty());
}

const Row kDurand{.name = "Durand",
                  .firstName = "Luc",
                  .spare = "kept",
                  .transponder = "111111",
                  .extra1 = 45000,
                  .extra2 = 45100};
Row Edited() {
    Row edited = kDurand;
    edited.address1 = std::string(38, 'A');
    edited.postalCode = "F-45000-ORLEA";
    edited.country = "Suisse";
    edited.phone = std::string(19, '0');
    edited.day = "13";
    edited.month = "6";
    edited.year = "101";
    edited.club = "Kart 45";
    edited.sex = 0;
    return edited;
}

TEST_F(SubscribersWindowTest, OnlyOkWritesTheEdits) {
    const Row aubert{.name = "Aubert", .firstName = "Eva"};
    for (const char* closer : {"okButton", "cancelButton"}) {
        SCOPED_TRACE(closer);
        writeSubscribers(Lines({aubert, kDurand}));
        m_folder.write(kSubscriberFirstNamesFileName, "");
        run(
            [&](SubscribersWindow& window) {
                window.findChild<QListWidget*>("subscriberList")->setCurrentRow(1);
                type(window, "address1Edit", QString(45, 'A'));
                type(window, "postalCodeEdit", "F-45000-ORLEANS");
                type(window, "phoneEdit", QString(25, '0'));
                // Five digits are no number yet: the old one stays.
                type(window, "transponderEdit", "12345");
                combo(window, "countryCombo")->setCurrentIndex(2);
                combo(window, "clubCombo")->setCurrentIndex(2);
                click(window, "womanRadio");
                combo(window, "dayCombo")->setCurrentIndex(13);
                combo(window, "monthCombo")->setCurrentIndex(6);
                combo(window, "yearCombo")->setCurrentIndex(101);
            },
            closer);
        const bool ok = std::string(closer) == "okButton";
        EXPECT_EQ(subscribersFile(), Lines({aubert, ok ? Edited() : kDurand}));
        EXPECT_EQ(m_folder.read(kSubscriberFirstNamesFileName).empty(), !ok);
    }
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(SubscribersWindowTest, DayComboFollowsFebruaryAndFutureBirthsBecomeNoDate) {
    const Row today{.name = "A", .firstName = "today", .day = "5", .month = "11", .year = "126"};
    writeSubscribers(
        Lines({today,
               {.name = "B", .firstName = "leap", .day = "28", .month = "1", .year = "100"},
               {.name = "C", .firstName = "tomorrow", .day = "6", .month = "11", .year = "126"}}));
    run([&](SubscribersWindow& window) {
        window.findChild<QListWidget*>("subscriberList")->setCurrentRow(1);
        QComboBox* day = combo(window, "dayCombo");
        const auto days = [&] { return std::pair(day->count(), day->currentIndex()); };
        EXPECT_EQ(days(), std::pair(29, 28));
        combo(window, "yearCombo")->setCurrentIndex(101);
        EXPECT_EQ(days(), std::pair(28, -1));
        EXPECT_EQ(window.subscribers()[1].birthDay, 28);
        combo(window, "monthCombo")->setCurrentIndex(2);
        EXPECT_EQ(days(), std::pair(31, 28));
        window.findChild<QListWidget*>("subscriberList")->setCurrentRow(2);
        EXPECT_EQ(std::pair(day->currentIndex(), combo(window, "yearCombo")->currentIndex()),
                  std::pair(0, 0));
    });
    EXPECT_EQ(subscribersFile(),
              Lines({today,
                     {.name = "B", .firstName = "leap", .day = "28", .month = "2", .year = "101"},
                     {.name = "C", .firstName = "tomorrow"}}));
}

TEST_F(SubscribersWindowTest, AgeCategoryBoxShowsTheLastMatchingCategory) {
    m_folder.write(kAgeCategoriesFileName, AgeLine(1, 0, 90, 11, 99, "A") +
                                               AgeLine(1, 0, 95, 11, 105, "B") +
                                               AgeLine(0, 0, 0, 11, 126, "F"));
    writeSubscribers(
        Lines({{.name = "D", .firstName = "L", .day = "9", .month = "5", .year = "97"}}));
    run([&](SubscribersWindow& window) {
        const auto box = [&] { return text(window, "ageCategoryEdit"); };
        EXPECT_EQ(box(), "( B : name B )");
        click(window, "womanRadio");
        EXPECT_EQ(box(), "( F : name F )");
        click(window, "manRadio");
        combo(window, "yearCombo")->setCurrentIndex(92);
        EXPECT_EQ(box(), "( A : name A )");
        combo(window, "yearCombo")->setCurrentIndex(110);
        EXPECT_EQ(box(), "");
        // January 1900 is no date of birth, so not even "F" takes it.
        click(window, "womanRadio");
        combo(window, "monthCombo")->setCurrentIndex(0);
        combo(window, "yearCombo")->setCurrentIndex(0);
        EXPECT_EQ(box(), "");
    });
}

// The rules of the run files and first names are the core's; the window
// hands them the list it opened with and the calendar.
TEST_F(SubscribersWindowTest, OkFollowsTheListWithTheRunFilesAndTheFirstNames) {
    writeSubscribers(Lines({{.name = "Dupont", .firstName = "Jean"}}));
    m_folder.write("Runs/Dupont_Jean.bdr", "1\t0\t\nruns of Dupont\n");
    EXPECT_EQ(run([&](SubscribersWindow& window) {
                  click(window, "removeButton");
                  add(window, "Durand", "Luc");
              }),
              QDialog::Accepted);
    EXPECT_FALSE(exists("Runs/Dupont_Jean.bdr"));
    EXPECT_EQ(m_folder.read("Runs/Durand_Luc.bdr"), "0\t0\t\n");
    EXPECT_EQ(m_folder.read(kSubscriberFirstNamesFileName), "17\t9\tLuc\t\n");
}

TEST_F(SubscribersWindowTest, FailedSaveKeepsTheWindowOpenAndTouchesNoRunFile) {
    std::filesystem::create_directories(m_folder / kSubscribersFileName);
    EXPECT_EQ(run([&](SubscribersWindow& window) { add(window, "Zola", "Emile"); }), -1);
    EXPECT_EQ(m_dialogs.texts(), std::vector<std::string>(2, kSubscribersFileErrorText));
    EXPECT_FALSE(exists("Runs/Zola_Emile.bdr"));
}

TEST_F(SubscribersWindowTest, MissingFilesAreReportedInOrderAndClubsSurviveAMissingClubsFile) {
    writeSubscribers(Lines({{.name = "Dupont", .firstName = "Jean", .club = "Old club"}}));
    for (const char* file : {kAgeCategoriesFileName, kSubscriberFirstNamesFileName,
                             kCalendarFileName, kCountriesFileName, kClubsFileName})
        std::filesystem::remove(m_folder / file);
    std::filesystem::remove(m_folder / "Translation/BaseClubs.trans");
    run([](SubscribersWindow&) {});
    EXPECT_EQ(m_dialogs.texts(),
              (std::vector<std::string>{
                  "Error: The translation file 'BaseClubs.trans' has not been found",
                  "Error : 'Age categories' database file not found",
                  "Error : 'Subscribers first names' database file not found",
                  "Error : 'French first names' database file not found",
                  "Error : 'Countries' database file not found",
                  "Error : 'Clubs/Teams' database file not found"}));
    EXPECT_EQ(subscribersFile(),
              Lines({{.name = "Dupont", .firstName = "Jean", .club = "Old club"}}));
}

TEST_F(SubscribersWindowTest, ImportNeedsAReadableFileAndChecksDatesAndClubs) {
    writeSubscribers(Lines({{.name = "Dupont", .firstName = "Jean"}}));
    m_folder.write("autre.bdp4",
                   Lines({{.name = "Zola", .firstName = "E", .year = "130", .club = "Nope"},
                          {.name = "Aubert", .firstName = "Eva", .club = "ASK"}}));
    run([&](SubscribersWindow& window) {
        m_chosen = path("absent.bdp4");
        click(window, "importButton");
        EXPECT_EQ(listed(window), QStringList{"Dupont Jean"});
        m_chosen = path("autre.bdp4");
        click(window, "importButton");
        EXPECT_EQ(listed(window), (QStringList{"Zola E", "Aubert Eva"}));
    });
    EXPECT_EQ(m_filters.front(), QString::fromUtf8("open BD Abonnés (*.bdp4)"));
    EXPECT_EQ(m_dialogs.texts(), std::vector<std::string>{kSubscribersImportErrorText});
    EXPECT_EQ(subscribersFile(), Lines({{.name = "Zola", .firstName = "E"},
                                        {.name = "Aubert", .firstName = "Eva", .club = "ASK"}}));
}

TEST_F(SubscribersWindowTest, PrintMenuCallsThePrinters) {
    writeSubscribers(
        Lines({{.name = "Dupont", .firstName = "Jean"}, {.name = "Martin", .firstName = "Paul"}}));
    SubscribersWindow window(root(), m_dialogs, m_pictures, m_clock);
    std::vector<int> printed;
    window.setPrinters([&] { printed.push_back(-1); },
                       [&](const SubscriberTable&, int index) { printed.push_back(index); });
    window.findChild<QListWidget*>("subscriberList")->setCurrentRow(1);
    window.findChild<QAction*>("formAction")->trigger();
    window.findChild<QAction*>("sheetAction")->trigger();
    EXPECT_EQ(printed, (std::vector<int>{-1, 1}));
}

} // namespace
} // namespace tallimo::databases
