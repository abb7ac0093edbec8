// The main window headless: menus, the session commands and their
// questions, the quit rules and the tree, on a working folder of its own,
// with a fake decoder port and fake clocks.

#include "app/core/display_settings.h"
#include "app/core/first_start.h"
#include "app/gui/main_window.h"
#include "app/gui/timing_board_widget.h"
#include "databases/core/kart_categories_file.h"
#include "finances/core/session_prices.h"
#include "i18n/core/shipped_translations.h"
#include "session/core/passing_journal.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"
#include "session/gui/classification_window.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/recording_sound_player.h"
#include "tests/support/temporary_folder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace tallimo::app {
namespace {

using common::DialogAnswer;
using session::TrackState;

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
        previous.session.kart(0, 0).usage = session::KartUsage::InSession;
        previous.session.kart(0, 1).usage = session::KartUsage::InSession;
        session::SaveSessionFile(root, previous.session, previous.header);
    }

    void withTranslations() { ASSERT_TRUE(i18n::WriteShippedTranslations(folder / "Translation")); }

    MainWindow& open() {
        MainWindowServices services{root, port, ticks, counter, sounds, dialogs, {}, {}};
        services.chooseSessionFile = [this](QWidget*, bool) { return chosenFile; };
        if (journalled)
            services.journalFile = [] { return session::MakePosixJournalFile(); };
        window = std::make_unique<MainWindow>(std::move(services));
        return *window;
    }

    void book(int slot, const char* driver, TrackState state) {
        session::SessionKart& kart = window->live().session.kart(0, slot);
        kart.driverName = driver;
        kart.trackState = state;
    }

    // Closes whatever modal window the command opens, and tells its title.
    std::string runClosingModal(CommandId command) {
        std::string shown;
        // A timer of this scope: a command that opens nothing leaves no
        // closer behind for the next one.
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, [&shown] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                shown = modal->windowTitle().toStdString();
                modal->close();
            }
        });
        closer.start(0);
        window->runCommand(command);
        return shown;
    }

    QTreeWidgetItem* treeItem(const char* text) {
        const QList<QTreeWidgetItem*> found = window->tree()->findItems(
            QString::fromUtf8(text), Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 ? found[0] : nullptr;
    }

    // A right click on a tree item, Ctrl held or not, as the operator makes it.
    void rightClick(QTreeWidgetItem* item, Qt::KeyboardModifiers modifiers) {
        QWidget* viewport = window->tree()->viewport();
        const QPoint at = window->tree()->visualItemRect(item).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at), modifiers);
        QApplication::sendEvent(viewport, &event);
    }

    testing::TemporaryFolder folder;
    common::WorkingFolder root{folder.path()};
    testing::FakeHighResCounter counter;
    testing::FakeSerialPort port{&counter};
    testing::FakeTickSource ticks;
    testing::RecordingSoundPlayer sounds;
    testing::ScriptedDialogs dialogs;
    std::string chosenFile;
    bool journalled = false;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, MenusTakeTheTranslationRowsOrKeepTheProgramsFrenchTexts) {
    open();
    EXPECT_EQ(window->action(CommandId::NewSession)->text(), QString::fromUtf8("Nouvelle session"));
    EXPECT_EQ(window->action(CommandId::Subscribers)->text(), QString::fromUtf8("Abonnés"));
    ASSERT_FALSE(dialogs.texts().empty());
    EXPECT_EQ(dialogs.texts().back(),
              "Error: The translation file 'MenuPrincipal.trans' has not been found");

    window.reset();
    dialogs.asked.clear();
    withTranslations();
    open();
    EXPECT_TRUE(dialogs.asked.empty()) << dialogs.texts().front();
    EXPECT_EQ(window->action(CommandId::NewSession)->text(), QString::fromUtf8("New session"))
        << "English by default";
    EXPECT_FALSE(window->action(CommandId::Save)->isEnabled())
        << "no session file of the operator yet";
}

TEST_F(MainWindowTest, StartUpGivesTheKartsInUseTheirFleetTransponders) {
    withTranslations();
    open();
    EXPECT_EQ(window->live().session.kart(0, 0).transponder, "000100");
    EXPECT_EQ(window->live().session.kart(0, 0).trackState, session::TrackState::Free);
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
    EXPECT_FALSE(window->action(CommandId::NewSession)->isEnabled())
        << "session commands are grayed";

    window->clock().PausePressed(false);
    dialogs.answers = {DialogAnswer::Cancel};
    EXPECT_FALSE(window->close()) << "Cancel keeps the window open";
    dialogs.answers = {DialogAnswer::No};
    EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, SavingAsWritesTheOperatorsFileAndEndsRunsStillTiming) {
    withTranslations();
    open();
    book(0, "Martin", TrackState::Timing);
    chosenFile = (folder / "samedi").string();
    window->runCommand(CommandId::SaveAs);
    EXPECT_EQ(window->userSessionFile(), chosenFile + ".rent");
    EXPECT_TRUE(window->action(CommandId::Save)->isEnabled());
    EXPECT_EQ(window->windowTitle().toStdString(), "Tallimo:   " + chosenFile + ".rent");
    session::RentalSession saved;
    session::SessionHeader header;
    ASSERT_TRUE(session::LoadSessionFileFrom(folder / "samedi.rent", saved, header));
    EXPECT_EQ(saved.kart(0, 0).driverName, "Martin");
    EXPECT_EQ(saved.kart(0, 0).trackState, TrackState::Finished);
}

TEST_F(MainWindowTest, ANewSessionAsksToSaveThenClearsTheKartsKeepingLabels) {
    withTranslations();
    open();
    book(1, "Lucie", TrackState::Reserved);
    dialogs.answers = {DialogAnswer::Cancel};
    window->runCommand(CommandId::NewSession);
    EXPECT_EQ(window->live().session.kart(0, 1).driverName, "Lucie") << "Cancel changes nothing";

    dialogs.asked.clear();
    dialogs.answers = {DialogAnswer::Yes};
    chosenFile.clear(); // the save dialog is cancelled: the new session starts anyway
    window->runCommand(CommandId::NewSession);
    ASSERT_FALSE(dialogs.asked.empty());
    EXPECT_EQ(dialogs.asked[0].caption, "Attention");
    const session::SessionKart& kart = window->live().session.kart(0, 1);
    EXPECT_TRUE(kart.driverName.empty());
    EXPECT_EQ(kart.kartLabel, "K2");
    EXPECT_EQ(kart.usage, session::KartUsage::NotInSession);
    EXPECT_EQ(window->windowTitle(), "Tallimo");
}

TEST_F(MainWindowTest, OpeningASessionCarriesItsDriversOver) {
    withTranslations();
    open();
    book(0, "Ouvert", TrackState::Reserved);
    ASSERT_TRUE(session::SaveSessionFileAs(folder / "vendredi.rent", window->live().session,
                                           window->live().header));
    window->runCommand(CommandId::NewSession /* answered Cancel by default */);
    dialogs.answers = {DialogAnswer::No, DialogAnswer::No};
    window->runCommand(CommandId::NewSession);
    ASSERT_TRUE(window->live().session.kart(0, 0).driverName.empty());

    chosenFile = (folder / "vendredi.rent").string();
    dialogs.answers = {DialogAnswer::No};
    window->runCommand(CommandId::OpenSession);
    EXPECT_EQ(window->live().session.kart(0, 0).driverName, "Ouvert");
    EXPECT_EQ(window->userSessionFile(), chosenFile);
    EXPECT_TRUE(window->action(CommandId::Save)->isEnabled());
}

TEST_F(MainWindowTest, TheReferenceDatabaseAndFinanceCommandsOpenTheirWindows) {
    withTranslations();
    open();
    for (const auto& [command, title] :
         {std::pair{CommandId::Clubs, "Database Clubs / Teams"},
          std::pair{CommandId::AgeCategories, "Database Age Categories"},
          std::pair{CommandId::Subscribers, "Database Subscribers"},
          std::pair{CommandId::FirstNames, "Database First names"},
          std::pair{CommandId::Prices, "Rental Prices"},
          std::pair{CommandId::Discounts, "Rental discounts "},
          std::pair{CommandId::LoyaltyCard, "Loyalty card"}})
        EXPECT_EQ(runClosingModal(command), title) << CommandNumber(command);
}

TEST_F(MainWindowTest, GrayingHoldsThroughTheTranslationEditor) {
    withTranslations();
    open();
    EXPECT_EQ(runClosingModal(CommandId::TranslationEditor).empty(), false);
    EXPECT_FALSE(window->action(CommandId::Save)->isEnabled())
        << "rebuilt menus: still no file to save to";

    window->connectDecoderAndStartTimer();
    window->clock().StartPressed();
    ASSERT_TRUE(window->clock().starting() || window->clock().running());
    EXPECT_FALSE(window->action(CommandId::TranslationEditor)->isEnabled());
    EXPECT_EQ(runClosingModal(CommandId::TranslationEditor), "") << "grayed like the settings";
    for (CommandId command : {CommandId::NewSession, CommandId::OpenSession, CommandId::Save,
                              CommandId::SaveAs, CommandId::KartCategories, CommandId::Tracks,
                              CommandId::Fleet, CommandId::DecoderInterface})
        EXPECT_FALSE(window->action(command)->isEnabled()) << CommandNumber(command);
    book(0, "Martin", TrackState::Timing);
    window->runCommand(CommandId::NewSession);
    EXPECT_EQ(window->live().session.kart(0, 0).driverName, "Martin")
        << "a grayed command wipes nothing";

    window->clock().PausePressed(false);
    chosenFile = (folder / "dimanche").string();
    window->runCommand(CommandId::SaveAs);
    runClosingModal(CommandId::TranslationEditor);
    EXPECT_TRUE(window->action(CommandId::Save)->isEnabled())
        << "relabelling keeps the enabled state";
    EXPECT_TRUE(window->action(CommandId::NewSession)->isEnabled());
}

TEST_F(MainWindowTest, ABreakdownLeavesTheOtherKartsTiming) {
    withTranslations();
    open();
    book(0, "Martin", TrackState::Timing);
    window->live().session.kart(0, 0).lapCount = 4;
    window->resize(1000, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTreeWidgetItem* k2 = treeItem("K2");
    ASSERT_NE(k2, nullptr);
    dialogs.answers = {DialogAnswer::Yes};
    QTimer::singleShot(0, [] {
        if (QWidget* sheet = QApplication::activeModalWidget())
            sheet->close();
    });
    rightClick(k2, Qt::ControlModifier);
    ASSERT_FALSE(dialogs.asked.empty());
    EXPECT_EQ(dialogs.asked[0].text, "Le kart K2 est il en panne ?");
    EXPECT_EQ(window->live().session.kart(0, 1).usage, session::KartUsage::BrokenDown);
    EXPECT_EQ(window->live().session.kart(0, 0).trackState, TrackState::Timing);
    EXPECT_EQ(window->live().session.kart(0, 0).lapCount, 4);
}

TEST_F(MainWindowTest, TheKeyboardSelectionIsStoredLikeAClick) {
    withTranslations();
    open();
    QTreeWidget* tree = window->tree();
    tree->setFocus();
    tree->setCurrentItem(treeItem("K1"));
    QTest::keyClick(tree, Qt::Key_Down);
    EXPECT_EQ(window->live().header.selectedTreeItem, 2);
    session::RentalSession saved;
    session::SessionHeader header;
    ASSERT_TRUE(session::LoadSessionFile(root, saved, header));
    EXPECT_EQ(header.selectedTreeItem, 2);
}

TEST_F(MainWindowTest, QuittingStaysOpenWhenTheSaveDialogIsCancelled) {
    withTranslations();
    open();
    dialogs.answers = {DialogAnswer::Yes};
    EXPECT_FALSE(window->close()) << "the operator changed their mind";
    dialogs.answers = {DialogAnswer::No};
    EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, AnAccentedSessionFileIsShownInTheTitleAsTyped) {
    withTranslations();
    open();
    chosenFile = (folder / "s\xC3\xA9"
                           "ance d'\xC3\xA9t\xC3\xA9")
                     .string();
    window->runCommand(CommandId::SaveAs);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(("Tallimo:   " + chosenFile + ".rent")));
}

TEST_F(MainWindowTest, TheLogoAndTheWindowColourComeFromTheDisplaySettings) {
    DisplaySettings display = DefaultDisplaySettings();
    display.logoPath = "images/logo.bmp";
    display.colours[0] = ValueFromColour({12, 34, 56});
    ASSERT_TRUE(SaveDisplaySettings(root, display));
    std::filesystem::create_directories(folder / "images");
    QImage logo(98, 25, QImage::Format_RGB32);
    logo.fill(QColor(200, 0, 0));
    ASSERT_TRUE(logo.save(QString::fromStdString((folder / "images/logo.bmp").string()), "BMP"));
    withTranslations();
    open();
    auto* shown = window->findChild<QLabel*>("logo");
    ASSERT_NE(shown, nullptr);
    const QImage drawn = shown->pixmap().toImage();
    EXPECT_EQ(drawn.size(), QSize(196, 50));
    EXPECT_EQ(QColor(drawn.pixel(98, 25)), QColor(200, 0, 0));
    EXPECT_EQ(window->centralWidget()->palette().color(QPalette::Window), QColor(12, 34, 56));
}

// A crash leaves drivers and laps in the session file; the next start keeps
// them in the crash copy, and the start after it must not replace that copy
// with its rebuilt session, whose karts carry the fleet's transponders.
TEST_F(MainWindowTest, TwoStartsAfterACrashKeepTheCrashedSessionInTheCrashCopy) {
    withTranslations();
    open();
    book(0, "Durand", TrackState::Timing);
    window->live().session.kart(0, 0).lapCount = 7;
    ASSERT_TRUE(session::SaveSessionFile(root, window->live().session, window->live().header));
    window->leaveWithoutQuestions();
    window.reset();
    const std::string crashed = folder.read(session::kSessionFileName);

    open();
    window->leaveWithoutQuestions();
    window.reset();
    ASSERT_EQ(folder.read(session::kCrashCopyFileName), crashed);
    open();
    EXPECT_EQ(window->live().session.kart(0, 0).transponder, "000100");
    EXPECT_EQ(folder.read(session::kCrashCopyFileName), crashed);
}

TEST_F(MainWindowTest, AfterACrashTheRestoredClockResumesOnItsBasesEvenAfterASecondCrash) {
    // What a crash left: the session file and a journal with the clock's
    // first start and a lap of kart 0.
    journalled = true;
    session::LiveTiming crashed;
    std::string file;
    ASSERT_TRUE(session::LoadSessionFile(root, crashed.session, crashed.header));
    crashed.session.kart(0, 0).driverName = "Durand";
    crashed.session.kart(0, 0).transponder = "000100";
    crashed.session.kart(0, 0).trackState = TrackState::Reserved;
    ASSERT_TRUE(session::SaveSessionFile(root, crashed.session, crashed.header));
    file = folder.read(session::kSessionFileName);
    {
        session::PassingJournal journal(session::MakePosixJournalFile());
        ASSERT_TRUE(journal.open(root.path(session::kJournalFileName).string(),
                                 session::IdentityOf(file), crashed));
        journal.append(session::ClockRecord{session::ClockEvent::FirstStart, 5, 7000});
        journal.append(session::PassingRecord{{"000100", 1000, false, 0}, {7000, 1000000}});
        journal.append(session::PassingRecord{{"000100", 41000, false, 0}, {7000, 1000000}});
        ASSERT_TRUE(journal.flush());
    }
    counter.advanceMs(60000);

    for (int start = 0; start < 2; ++start) {
        open();
        const session::SessionKart& kart = window->live().session.kart(0, 0);
        EXPECT_EQ(kart.driverName, "Durand") << start;
        EXPECT_EQ(kart.lapCount, 1) << start;
        EXPECT_EQ(window->clock().state(), session::ClockState::Paused) << start;
        EXPECT_EQ(window->clock().sessionStartTick(), 5u) << start;
        EXPECT_EQ(window->clock().counterTimeBase().counterBase, 7000) << start;
        // The process dies again before "Départ": no quit, no save.
        window.reset();
    }
}

// Where the board shows `kind` of category 0, scanned down its middle.
QPoint BoardPoint(const TimingBoardWidget& board, BoardHitKind kind) {
    for (int y = 0; y < board.height(); ++y) {
        const QPoint point(board.width() / 2, y);
        const BoardHit hit = board.hitAt(point);
        if (hit.kind == kind && hit.category == 0)
            return point;
    }
    return {-1, -1};
}

// Runs `operate` on the modal window a click opens, then lets the click go.
void ClickOpeningModal(QWidget* target, Qt::MouseButton button, QPoint at,
                       const std::function<void(QWidget&)>& operate) {
    QTimer operator_;
    operator_.setSingleShot(true);
    QObject::connect(&operator_, &QTimer::timeout, [&operate] {
        if (QWidget* modal = QApplication::activeModalWidget())
            operate(*modal);
    });
    operator_.start(0);
    QTest::mouseClick(target, button, Qt::ControlModifier, at);
}

// The counter's day: a group booked from a category heading, shown as
// reserved; then, on that kart's row, its booking cancelled, which frees it.
TEST_F(MainWindowTest, ACategoryHeadingBooksFreeKartsAndAKartRowFreesOne) {
    withTranslations();
    finances::PriceTable prices;
    finances::PriceRowOf(prices, 0)[0] = {10, 20, 0};
    ASSERT_TRUE(finances::SavePrices(prices, root.path(finances::kPricesFileName)));
    open();
    window->resize(1000, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    TimingBoardWidget* board = window->board();
    const int rowsBefore = window->live().boardRowCount;

    std::string title;
    ClickOpeningModal(board, Qt::RightButton, BoardPoint(*board, BoardHitKind::Heading),
                      [&title](QWidget& modal) {
                          title = modal.windowTitle().toStdString();
                          auto* durations = modal.findChild<QComboBox*>("durationCombo");
                          auto* karts = modal.findChild<QComboBox*>("kartCombo");
                          ASSERT_TRUE(durations && karts);
                          durations->setCurrentIndex(durations->findText("10 minutes"));
                          karts->setCurrentIndex(karts->findText("K1"));
                          modal.findChild<QRadioButton*>("walkInMode")->click();
                          QTest::keyClicks(modal.findChild<QLineEdit*>("walkInName"), "Roux");
                          modal.findChild<QPushButton*>("addButton")->click();
                          modal.findChild<QPushButton*>("okButton")->click();
                      });
    EXPECT_EQ(title, "Réservation karts");
    const session::SessionKart& k1 = window->live().session.kart(0, 0);
    EXPECT_EQ(k1.driverName, "Roux");
    EXPECT_EQ(k1.trackState, TrackState::Reserved);
    EXPECT_EQ(k1.price, 20);
    EXPECT_EQ(window->live().session.kart(0, 1).trackState, TrackState::Free);
    EXPECT_EQ(window->live().boardRowCount, rowsBefore + 1) << "the reserved kart has its row";

    // On K1's row: the single window, where a walk-in left nameless cancels.
    dialogs.answers.clear();
    ClickOpeningModal(board, Qt::RightButton, BoardPoint(*board, BoardHitKind::KartRow),
                      [&title](QWidget& modal) {
                          title = modal.windowTitle().toStdString();
                          auto* name = modal.findChild<QLineEdit*>("walkInName");
                          ASSERT_NE(name, nullptr);
                          EXPECT_EQ(name->text(), "Roux");
                          name->selectAll();
                          QTest::keyClick(name, Qt::Key_Delete);
                          modal.findChild<QPushButton*>("okButton")->click();
                      });
    EXPECT_EQ(title, "Réservation kart");
    EXPECT_EQ(k1.driverName, "");
    EXPECT_EQ(k1.trackState, TrackState::Free);
    EXPECT_EQ(window->live().boardRowCount, rowsBefore);
    session::RentalSession saved;
    session::SessionHeader header;
    ASSERT_TRUE(session::LoadSessionFile(root, saved, header));
    EXPECT_EQ(saved.kart(0, 0).trackState, TrackState::Free);
}

// A category's trophy: one ranking window, read from the session as it
// stood, following the laps, and forgotten once closed.
TEST_F(MainWindowTest, ATrophyOpensOneRankingThatFollowsTheLapsUntilClosed) {
    withTranslations();
    open();
    book(0, "Martin", TrackState::Timing);
    session::SessionKart& kart = window->live().session.kart(0, 0);
    kart.lapCount = 2;
    emit window->board()->trophyClicked(0);
    QPointer<session::ClassificationWindow> ranking =
        window->findChild<session::ClassificationWindow*>();
    ASSERT_FALSE(ranking.isNull());
    EXPECT_TRUE(ranking->isVisible());
    ASSERT_EQ(ranking->shown().size(), 1u);
    EXPECT_EQ(ranking->shown()[0].laps, 2) << "the session was saved before opening";
    emit window->board()->trophyClicked(0);
    EXPECT_EQ(window->findChildren<session::ClassificationWindow*>().size(), 1);

    kart.lapCount = 3;
    window->lapAccepted(kart);
    EXPECT_EQ(ranking->shown()[0].laps, 3);

    ranking->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ranking.isNull());
    window->lapAccepted(kart);
    emit window->board()->trophyClicked(0);
    EXPECT_EQ(window->findChildren<session::ClassificationWindow*>().size(), 1)
        << "closing cleared the flag";
}

} // namespace
} // namespace tallimo::app
