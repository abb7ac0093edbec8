// What an operator does on a new track, end to end through the real windows
// and a simulated decoder on a pseudo-terminal: create a kart category, add
// a kart and scan its transponder, take it into the session, then time it.

#include "app/core/first_start.h"
#include "app/gui/main_window.h"
#include "common/core/system_clocks.h"
#include "decoder/core/decoder_settings.h"
#include "decoder/gui/qt_serial_port.h"
#include "decoder/sim/decoder_simulator_host.h"
#include "i18n/core/shipped_translations.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/recording_sound_player.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tallimo::app {
namespace {

template <typename Widget> Widget* Find(const char* name) {
    QWidget* window = QApplication::activeModalWidget();
    return window ? window->findChild<Widget*>(QLatin1String(name)) : nullptr;
}

void Click(const char* name) {
    if (auto* button = Find<QPushButton>(name))
        button->click();
    else
        ADD_FAILURE() << "no button " << name;
}

void Choose(QListWidget* list, const char* text) {
    ASSERT_NE(list, nullptr);
    const auto items = list->findItems(QString::fromUtf8(text), Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text;
    list->setCurrentItem(items.front());
}

class OperatorChainTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "operator_chain_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            new QApplication(argc, argv);
    }

    // Runs `body` on the modal window `command` opens.
    void withWindow(CommandId command, const std::function<void()>& body) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ran = true;
            body();
            // Whatever the body left open is closed, so a failure cannot hang the test.
            if (QWidget* open = QApplication::activeModalWidget())
                open->close();
        });
        window->runCommand(command);
        EXPECT_TRUE(ran) << "command " << CommandNumber(command) << " opened no window";
    }

    testing::TemporaryFolder folder;
    common::WorkingFolder root{folder.path()};
    common::SystemTickSource ticks;
    common::SystemHighResCounter counter;
    decoder::QtSerialPort port{root, &counter};
    testing::RecordingSoundPlayer sounds;
    testing::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

TEST_F(OperatorChainTest, ANewKartIsScannedTakenIntoTheSessionAndTimed) {
    CreateMissingDataFiles(root);
    ASSERT_TRUE(i18n::WriteShippedTranslations(folder / "Translation"));
    ASSERT_TRUE(decoder::SaveDecoderSettings(root, {"COM7", 0, "TallimoVela2"}));
    decoder::sim::DecoderSimulatorHostConfig config;
    config.decoder.model = decoder::sim::DecoderModel::Vela2Usb;
    config.workingFolder = folder.path();
    config.port = "COM7";
    decoder::sim::DecoderSimulatorHost decoder(std::move(config));
    ASSERT_TRUE(decoder.start()) << decoder.lastError();

    window = std::make_unique<MainWindow>(
        MainWindowServices{root, port, ticks, counter, sounds, dialogs, {}, {}});
    window->connectDecoderAndStartTimer();

    withWindow(CommandId::KartCategories, [] {
        Find<QLineEdit>("newNameEdit")->setText("Juniors");
        Click("addButton");
        Click("okButton");
    });
    EXPECT_EQ(window->live().session.categories[0].categoryName, "Juniors");

    withWindow(CommandId::Fleet, [&] {
        auto* categories = Find<QComboBox>("categoryList");
        ASSERT_NE(categories, nullptr);
        categories->setCurrentIndex(categories->findText("Juniors"));
        Click("addButton");
        Choose(Find<QListWidget>("kartList"), "K1");
        Click("scanButton");
        decoder.triggerPassing(4242);
        EXPECT_TRUE(QTest::qWaitFor(
            [] { return Find<QLineEdit>("transponderEdit")->text() == "004242"; }, 10000));
        Click("okButton");
    });
    EXPECT_EQ(window->live().session.kart(0, 0).transponder, "004242");

    window->live().header.selectedTreeItem = 0; // the category in the tree
    withWindow(CommandId::CategoryKartList, [] {
        Choose(Find<QListWidget>("databaseList"), "K1");
        Click("addButton");
        Click("okButton");
    });
    session::SessionKart& kart = window->live().session.kart(0, 0);
    ASSERT_EQ(kart.usage, session::KartUsage::InSession);
    ASSERT_EQ(kart.trackState, session::TrackState::Free);

    // A booking, as the reservation window makes one.
    kart.driverName = "Martin";
    kart.driverFirstName = "Lucie";
    kart.durationMinutes = 10;
    kart.trackState = session::TrackState::Reserved;
    window->live().rebuildBoardRows();

    window->clock().StartPressed();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->clock().running(); }, 5000))
        << "clock reset confirmed";
    // The laps are measured on the decoder's own clock: the simulator's time
    // is moved a lap ahead between passings instead of waiting for it.
    // The first passing is kept off the reset instant: a kart seen at
    // decoder time 0 reads as a kart not yet started.
    constexpr std::int64_t kLapMs = 2300;
    for (int passing = 0; passing < 3; ++passing) {
        decoder.skipAhead(passing == 0 ? 500 : kLapMs);
        decoder.triggerPassing(4242);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return kart.trackState == session::TrackState::Timing &&
                       kart.lastLapIndex == passing;
            },
            5000))
            << "passing " << passing;
    }
    for (int lap = 1; lap <= 2; ++lap) {
        EXPECT_GT(kart.lapTimes[lap], 2000) << "lap " << lap;
        EXPECT_LT(kart.lapTimes[lap], 3500) << "lap " << lap;
    }
    window->clock().PausePressed(false);
    window->leaveWithoutQuestions();
    decoder.stop();
}

} // namespace
} // namespace tallimo::app
