// The main window headless: menus, the session commands and their
// questions, the quit rules and the tree, on a working folder of its own,
// with a fake decoder port and fake clocks.

#include "app/core/first_start.h"
#include "app/gui/main_window.h"
#include "databases/core/kart_categories_file.h"
#include "i18n/core/shipped_translations.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"
#include "tests/decoder/fake_serial_port.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/recording_sound_player.h"
#include "tests/support/temporary_folder.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace tallimo::app {
namespace {

using common::DialogAnswer;
using session::kTrackStateFinished;
using session::kTrackStateReserved;
using session::kTrackStateTiming;

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "main_window_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
    }

    MainWindowTest() {
        CreateMissingDataFiles(root);
        databases::CategoryTable categories;
        databases::ClearCategories(categories);
        categories[0].name = "Adultes";
        for (int k = 0; k < 3; ++k)
            categories[0].karts[k] = {session::KartLabelFor(0, k), "00010" + std::to_string(k)};
        databases::SaveCategories(categories, 5, root.path(databases::kCategoriesFileName));
        // Two karts in the session, as the previous run left them.
        session::LiveTiming previous;
        session::FleetLayout fleet = databases::FleetLayoutFromCategories(categories);
        session::BuildSessionFromFleet(previous.session, fleet);
        previous.session.kart(0, 0).usage = session::kUsageInSession;
        previous.session.kart(0, 1).usage = session::kUsageInSession;
        session::SaveSessionFile(root, previous.session, previous.header);
    }

    void withTranslations() { ASSERT_TRUE(i18n::WriteShippedTranslations(folder / "Translation")); }

    MainWindow& open() {
        MainWindowServices services{root, port, ticks, counter, sounds, dialogs, {}, {}};
        services.chooseSessionFile = [this](QWidget*, bool) { return chosenFile; };
        window = std::make_unique<MainWindow>(std::move(services));
        return *window;
    }

    void book(int slot, const char* driver, int state) {
        session::SessionKart& kart = window->live().session.kart(0, slot);
        kart.driverName = driver;
        kart.trackState = state;
    }

    testing::TemporaryFolder folder;
    common::WorkingFolder root{folder.path()};
    testing::FakeHighResCounter counter;
    testing::FakeSerialPort port{&counter};
    testing::FakeTickSource ticks;
    testing::RecordingSoundPlayer sounds;
    testing::ScriptedDialogs dialogs;
    std::string chosenFile;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, MenusTakeTheTranslationRowsOrKeepTheProgramsFrenchTexts) {
    open();
    EXPECT_EQ(window->action(1001)->text(), QString::fromUtf8("Nouvelle session"));
    EXPECT_EQ(window->action(1016)->text(), QString::fromUtf8("Abonnés"));
    ASSERT_FALSE(dialogs.texts().empty());
    EXPECT_EQ(dialogs.texts().back(),
              "Error: The translation file 'MenuPrincipal.trans' has not been found");

    window.reset();
    dialogs.asked.clear();
    withTranslations();
    open();
    EXPECT_TRUE(dialogs.asked.empty()) << dialogs.texts().front();
    EXPECT_EQ(window->action(1001)->text(), QString::fromUtf8("New session"))
        << "English by default";
    EXPECT_FALSE(window->action(1003)->isEnabled()) << "no session file of the operator yet";
}

TEST_F(MainWindowTest, StartUpGivesTheKartsInUseTheirFleetTransponders) {
    withTranslations();
    open();
    EXPECT_EQ(window->live().session.kart(0, 0).transponder, "000100");
    EXPECT_EQ(window->live().session.kart(0, 0).trackState, session::kTrackStateFree);
    EXPECT_TRUE(std::filesystem::exists(folder / "PcCrashFile.rent"));
}

TEST_F(MainWindowTest, TheTreeShowsTheCategoryAndItsKartsInUse) {
    withTranslations();
    open();
    QTreeWidget* tree = window->tree();
    const QList<QTreeWidgetItem*> found =
        tree->findItems("K2", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0]->parent()->text(0), "Adultes");
    EXPECT_TRUE(found[0]->parent()->font(0).bold());
    EXPECT_TRUE(tree->findItems("K3", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
}

TEST_F(MainWindowTest, QuittingIsRefusedWhileTheClockStartsOrRuns) {
    withTranslations();
    open();
    window->connectDecoderAndStartTimer();
    dialogs.asked.clear();
    window->clock().StartPressed();
    EXPECT_FALSE(window->close());
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].caption, "Tallimo");
    EXPECT_EQ(dialogs.asked[0].text,
              "Une s\xE9"
              "ance de location est en cours !\r\nVous ne pouvez pas fermer l'application !");
    EXPECT_FALSE(window->action(1001)->isEnabled()) << "session commands are grayed";

    window->clock().PausePressed(false);
    dialogs.answers = {DialogAnswer::Cancel};
    EXPECT_FALSE(window->close()) << "Cancel keeps the window open";
    dialogs.answers = {DialogAnswer::No};
    EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, SavingAsWritesTheOperatorsFileAndEndsRunsStillTiming) {
    withTranslations();
    open();
    book(0, "Martin", kTrackStateTiming);
    chosenFile = (folder / "samedi").string();
    window->runCommand(1004);
    EXPECT_EQ(window->userSessionFile(), chosenFile + ".rent");
    EXPECT_TRUE(window->action(1003)->isEnabled());
    EXPECT_EQ(window->windowTitle().toStdString(), "Tallimo:   " + chosenFile + ".rent");
    session::RentalSession saved;
    session::SessionHeader header;
    ASSERT_TRUE(session::LoadSessionFileFrom(folder / "samedi.rent", saved, header));
    EXPECT_EQ(saved.kart(0, 0).driverName, "Martin");
    EXPECT_EQ(saved.kart(0, 0).trackState, kTrackStateFinished);
}

TEST_F(MainWindowTest, ANewSessionAsksToSaveThenClearsTheKartsKeepingLabels) {
    withTranslations();
    open();
    book(1, "Lucie", kTrackStateReserved);
    dialogs.answers = {DialogAnswer::Cancel};
    window->runCommand(1001);
    EXPECT_EQ(window->live().session.kart(0, 1).driverName, "Lucie") << "Cancel changes nothing";

    dialogs.asked.clear();
    dialogs.answers = {DialogAnswer::Yes};
    chosenFile.clear(); // the save dialog is cancelled: the new session starts anyway
    window->runCommand(1001);
    ASSERT_FALSE(dialogs.asked.empty());
    EXPECT_EQ(dialogs.asked[0].caption, "Attention");
    const session::SessionKart& kart = window->live().session.kart(0, 1);
    EXPECT_TRUE(kart.driverName.empty());
    EXPECT_EQ(kart.kartLabel, "K2");
    EXPECT_EQ(kart.usage, session::kUsageNotInSession);
    EXPECT_EQ(window->windowTitle(), "Tallimo");
}

TEST_F(MainWindowTest, OpeningASessionCarriesItsDriversOver) {
    withTranslations();
    open();
    book(0, "Ouvert", kTrackStateReserved);
    ASSERT_TRUE(session::SaveSessionFileAs(folder / "vendredi.rent", window->live().session,
                                           window->live().header));
    window->runCommand(1001 /* answered Cancel by default */);
    dialogs.answers = {DialogAnswer::No, DialogAnswer::No};
    window->runCommand(1001);
    ASSERT_TRUE(window->live().session.kart(0, 0).driverName.empty());

    chosenFile = (folder / "vendredi.rent").string();
    dialogs.answers = {DialogAnswer::No};
    window->runCommand(1002);
    EXPECT_EQ(window->live().session.kart(0, 0).driverName, "Ouvert");
    EXPECT_EQ(window->userSessionFile(), chosenFile);
    EXPECT_TRUE(window->action(1003)->isEnabled());
}

TEST_F(MainWindowTest, TheReferenceDatabaseCommandsOpenTheirWindows) {
    withTranslations();
    open();
    for (const auto& [command, title] :
         {std::pair{1014, "Database Clubs / Teams"}, std::pair{1011, "Database Age Categories"},
          std::pair{1016, "Database Subscribers"}, std::pair{1017, "Database First names"}}) {
        std::string shown;
        QTimer::singleShot(0, [&shown] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                shown = modal->windowTitle().toStdString();
                modal->close();
            }
        });
        window->runCommand(command);
        EXPECT_EQ(shown, title) << command;
    }
}

} // namespace
} // namespace tallimo::app
