// The drivers' board window and its settings window headless: the board
// paints at a TV's and a small screen's size with none to many karts, closes
// on Escape or a double click, and the settings window shows, hides and
// saves.

#include "app/core/live_board_settings.h"
#include "app/gui/drivers_board_settings.h"
#include "app/gui/drivers_board_window.h"
#include "app/gui/live_board_server.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/qt_test_application.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

namespace tallimo::app {
namespace {

LiveBoardSnapshot SampleSnapshot(int kartCount) {
    LiveBoardSnapshot snapshot;
    snapshot.title = "Circuit des Ch\xC3\xAAnes";
    snapshot.elapsed = "0:12:34";
    snapshot.remaining = "0:47:26";
    snapshot.clockRunning = true;
    for (int k = 0; k < kartCount; ++k) {
        LiveBoardKart kart;
        kart.categoryIndex = k < kartCount / 2 ? 0 : 5;
        kart.colour = kart.categoryIndex == 0 ? "#2060C0" : "#C03020";
        kart.kart = std::to_string(k + 1);
        kart.driver = "PILOTE-NUM\xC3\x89RO-" + std::to_string(k) +
                      " Fr\xC3\xA9"
                      "d\xC3\xA9r.";
        kart.laps = k % 9;
        kart.lastLapMs = kart.laps > 0 ? 61000 + 137 * k : 0;
        kart.bestLapMs = kart.laps > 0 ? 58000 + 211 * k : 0;
        kart.finished = k % 5 == 4;
        kart.newLap = k == 2;
        kart.remainingSeconds = 600 - 7 * k;
        snapshot.karts.push_back(kart);
    }
    if (kartCount > 1) {
        snapshot.karts[1].dayBest = true;
        snapshot.dayBestLapMs = snapshot.karts[1].bestLapMs;
        snapshot.dayBestDriver = snapshot.karts[1].driver;
        snapshot.dayBestKart = snapshot.karts[1].kart;
    }
    return snapshot;
}

struct PaintCase {
    const char* name;
    int width;
    int height;
    int karts;
    int shownRows;
};

class DriversBoardPaint : public ::testing::TestWithParam<PaintCase> {
protected:
    static void SetUpTestSuite() { testing::EnsureQtApplication<QApplication>(); }
};

TEST_P(DriversBoardPaint, PaintsTheKartsThereIsRoomFor) {
    const PaintCase& c = GetParam();
    DriversBoardWindow board;
    board.resize(c.width, c.height);
    board.show(SampleSnapshot(c.karts));
    const QImage image = board.grab().toImage();
    ASSERT_EQ(image.size(), QSize(c.width, c.height));
    EXPECT_EQ(board.shownRowCount(), c.shownRows);
    EXPECT_EQ(image.pixelColor(c.width - 1, c.height - 1), QColor(Qt::black));
    if (c.karts > 0 && c.height >= 480) {
        // The first row's band has its category's colour.
        const int rowTop = static_cast<int>(c.height * (0.17 + 0.045));
        EXPECT_EQ(image.pixelColor(2, rowTop + c.height / 60), QColor(0x20, 0x60, 0xC0));
    }
    if (c.width == 1920 && c.karts == 10)
        image.save(QStringLiteral("/tmp/drivers_board_1080.png"));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, DriversBoardPaint,
    ::testing::Values(PaintCase{"TvNoKart", 1920, 1080, 0, 0},
                      PaintCase{"TvTenKarts", 1920, 1080, 10, 10},
                      PaintCase{"TvSixtyKartsShowsTheFirstTwenty", 1920, 1080, 60, 20},
                      PaintCase{"SmallNoKart", 800, 480, 0, 0},
                      PaintCase{"SmallFifteenKartsShrinkRows", 800, 480, 15, 15},
                      PaintCase{"SmallSixtyKarts", 800, 480, 60, 20},
                      PaintCase{"TinyWindowKeepsRowsReadable", 40, 30, 60, 1}),
    [](const ::testing::TestParamInfo<PaintCase>& row) { return std::string(row.param.name); });

class DriversBoardWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::EnsureQtApplication<QApplication>(); }
};

TEST_F(DriversBoardWindowTest, EscapeOrADoubleClickClosesTheBoard) {
    DriversBoardWindow board;
    QSignalSpy closed(&board, &DriversBoardWindow::closed);
    board.openOn(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&board));
    QTest::keyClick(&board, Qt::Key_Escape);
    EXPECT_FALSE(board.isVisible());
    board.openOn(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&board));
    QTest::mouseDClick(&board, Qt::LeftButton);
    EXPECT_FALSE(board.isVisible());
    EXPECT_EQ(closed.count(), 2);
}

TEST_F(DriversBoardWindowTest, SettingsShowAndHideTheBoardAndOkSavesThem) {
    testing::TemporaryFolder folder;
    folder.write("Private/Tallimo.ini", "liveBoard.web=1\nliveBoard.port=9090\n");
    testing::ScriptedDialogs dialogs;
    DriversBoardWindow board;
    DriversBoardSettingsDialog settings(common::WorkingFolder(folder.path()), dialogs, board);
    auto* port = settings.findChild<QSpinBox*>(QStringLiteral("port"));
    auto* web = settings.findChild<QCheckBox*>(QStringLiteral("web"));
    auto* hide = settings.findChild<QPushButton*>(QStringLiteral("hideBoard"));
    ASSERT_TRUE(port && web && hide);
    EXPECT_EQ(port->value(), 9090);
    EXPECT_TRUE(web->isChecked());
    EXPECT_FALSE(hide->isEnabled());

    QTest::mouseClick(settings.findChild<QPushButton*>(QStringLiteral("showBoard")),
                      Qt::LeftButton);
    EXPECT_TRUE(board.isVisible());
    EXPECT_TRUE(hide->isEnabled());
    QTest::mouseClick(hide, Qt::LeftButton);
    EXPECT_FALSE(board.isVisible());

    port->setValue(8181);
    web->setChecked(false);
    EXPECT_FALSE(port->isEnabled());
    QTest::mouseClick(settings.findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
    EXPECT_EQ(LoadLiveBoardSettings(common::WorkingFolder(folder.path())).port, 9090)
        << "Echap saves nothing";
    QTest::mouseClick(settings.findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    const LiveBoardSettings saved = LoadLiveBoardSettings(common::WorkingFolder(folder.path()));
    EXPECT_EQ(saved, settings.settings());
    EXPECT_EQ(saved.port, 8181);
    EXPECT_FALSE(saved.web);
    EXPECT_EQ(saved.screen, QGuiApplication::primaryScreen()->name().toStdString());
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(DriversBoardWindowTest, TheWebBoardFollowsTheSettingsAndATakenPortIsTold) {
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, 0));
    const int port = taken.serverPort();
    testing::ScriptedDialogs dialogs;
    LiveBoardServer server;
    EXPECT_FALSE(ApplyLiveBoardWeb({"", true, port}, server, dialogs, nullptr));
    EXPECT_FALSE(server.isListening());
    EXPECT_EQ(dialogs.texts(), std::vector<std::string>{kLiveBoardPortErrorText});

    taken.close();
    EXPECT_TRUE(ApplyLiveBoardWeb({"", true, port}, server, dialogs, nullptr));
    EXPECT_TRUE(server.isListening());
    EXPECT_EQ(server.port(), port);
    EXPECT_TRUE(ApplyLiveBoardWeb({"", false, port}, server, dialogs, nullptr));
    EXPECT_FALSE(server.isListening());
    EXPECT_EQ(dialogs.asked.size(), 1u);
}

} // namespace
} // namespace tallimo::app
