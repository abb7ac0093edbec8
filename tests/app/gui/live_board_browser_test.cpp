// The page in a real browser: Debian's chromium, headless, loads it from the
// server and its script must have drawn the snapshot's karts. Skipped when
// chromium is not installed. With "--serve PORT SECONDS" the program serves
// a board that gains a lap every 100 ms instead, for screenshots and for
// scripts/live_board_load.py.

#include "app/gui/live_board_server.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tallimo::app {
namespace {

LiveBoardSnapshot SampleBoard(std::uint64_t sequence) {
    LiveBoardSnapshot board;
    board.sequence = sequence;
    board.title = "Circuit de l'\xC3\x89tang";
    const auto seconds = static_cast<int>(sequence / 10);
    board.elapsed = "0:" + std::to_string(10 + seconds / 60) + ":" +
                    (seconds % 60 < 10 ? "0" : "") + std::to_string(seconds % 60);
    board.remaining = "0:42:00";
    board.clockRunning = true;
    board.dayBestLapMs = 54321;
    board.dayBestDriver = "DURAND Manon";
    board.dayBestKart = "KP1";
    const char* const drivers[] = {"RICHARD Zo\xC3\xA9",  "LEFEBVRE Fran\xC3\xA7.", "PETIT Gabri.",
                                   "O'BRIEN Se\xC3\xA1n", "LEROY Rapha.",           "DURAND Manon"};
    const char* const colours[] = {"#BEFFBE", "#BEFFBE", "#BEFFBE",
                                   "#41A041", "#41A041", "#FFFA87"};
    const int categories[] = {0, 0, 0, 2, 2, 5};
    const char* const names[] = {"Adultes", "Adultes", "Adultes",
                                 "Enfants", "Enfants", "Karts priv\xC3\xA9s"};
    for (int i = 0; i < 6; ++i) {
        LiveBoardKart kart;
        kart.categoryIndex = categories[i];
        kart.category = names[i];
        kart.colour = colours[i];
        kart.kart = i == 5 ? "KP1" : "K" + std::to_string(categories[i] * 100 + i + 1);
        kart.driver = drivers[i];
        kart.laps = static_cast<int>(sequence / 6) + (static_cast<int>(sequence % 6) > i ? 1 : 0);
        kart.lastLapMs = 58000 + 731 * i + static_cast<std::int32_t>(sequence % 7) * 113;
        kart.bestLapMs = i == 5 ? 54321 : 56000 + 517 * i;
        kart.dayBest = i == 5;
        kart.finished = i == 2;
        kart.newLap = static_cast<int>(sequence % 6) == i;
        kart.remainingSeconds = i == 2 ? 0 : 600 - static_cast<int>(sequence % 600);
        board.karts.push_back(kart);
    }
    return board;
}

// chromium's --dump-dom returns before the first event arrives, so the page
// is read through the DevTools protocol by scripts/live_board_browser.py.
TEST(LiveBoardPageInChromium, ShowsTheSnapshotAndFollowsEveryLap) {
    if (QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty())
        GTEST_SKIP() << "chromium is not installed";
    LiveBoardServer server;
    ASSERT_TRUE(server.listen(0));
    std::uint64_t sequence = 12;
    server.publish(SampleBoard(sequence));
    QTimer laps;
    QObject::connect(&laps, &QTimer::timeout, [&] { server.publish(SampleBoard(++sequence)); });

    QProcess browser;
    browser.setProcessChannelMode(QProcess::MergedChannels);
    browser.start(QStringLiteral("python3"),
                  {QStringLiteral(TALLIMO_LIVE_BOARD_BROWSER_SCRIPT),
                   QStringLiteral("http://127.0.0.1:%1/").arg(server.port()),
                   QStringLiteral("--expect"), QStringLiteral("RICHARD Zo\u00E9"),
                   QStringLiteral("--expect"), QStringLiteral("0:54.321"),
                   QStringLiteral("--expect"), QStringLiteral("Karts priv\u00E9s"),
                   QStringLiteral("--expect-change"), QStringLiteral("1")});
    laps.start(100);
    // The server answers from this thread's event loop while the script runs;
    // it also checks that the page changes within a second of a lap.
    ASSERT_TRUE(QTest::qWaitFor([&] { return browser.state() == QProcess::NotRunning; }, 90000));
    const QByteArray output = browser.readAll();
    if (browser.exitCode() == 77)
        GTEST_SKIP() << output.toStdString();
    EXPECT_EQ(browser.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(browser.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("the board changed after")) << output.toStdString();
}

} // namespace

namespace {

double Percentile(std::vector<qint64> values, int percent) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return static_cast<double>(values[values.size() * static_cast<std::size_t>(percent) / 100]) /
           1e6;
}

// Publishes from a 10 ms tick, every tenth tick, as the main window does at
// each clock second and lap, and reports how long the ticks took and how
// late they came while the clients were served.
int Serve(quint16 port, int seconds) {
    LiveBoardServer server;
    if (!server.listen(port)) {
        std::fprintf(stderr, "%s\n", server.errorText().toLocal8Bit().constData());
        return 1;
    }
    std::printf("%s\n", server.address().toLocal8Bit().constData());
    std::fflush(stdout);
    std::uint64_t sequence = 1;
    server.publish(SampleBoard(sequence));
    std::vector<qint64> durations;
    std::vector<qint64> lateness;
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    int ticks = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 start = clock.nsecsElapsed();
        if (++ticks % 10 == 0)
            server.publish(SampleBoard(++sequence));
        if (server.clientCount() > 0) {
            durations.push_back(clock.nsecsElapsed() - start);
            if (lastTick != 0)
                lateness.push_back(std::max<qint64>(0, start - lastTick - 10000000));
        }
        lastTick = start;
    });
    tick.start(10);
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    const int result = QCoreApplication::exec();
    const double slowest =
        durations.empty()
            ? 0
            : static_cast<double>(*std::max_element(durations.begin(), durations.end())) / 1e6;
    std::printf("%zu ticks with clients: tick p99 %.3f ms, slowest %.3f ms; "
                "tick lateness p99 %.3f ms; %llu publishes\n",
                durations.size(), Percentile(durations, 99), slowest, Percentile(lateness, 99),
                static_cast<unsigned long long>(sequence));
    return result;
}

} // namespace
} // namespace tallimo::app

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc == 4 && std::string(argv[1]) == "--serve")
        return tallimo::app::Serve(static_cast<quint16>(std::atoi(argv[2])), std::atoi(argv[3]));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
