#include "runs/gui/driver_runs_window.h"
#include "runs/gui/run_analysis_window.h"

#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "runs/core/run_file_path.h"
#include "session/core/session_file.h"

#include "tests/support/gui/modal_window.h"
#include "tests/support/recording_message_sink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

#include <string>
#include <vector>

namespace tallimo::runs {
namespace {

using common::DialogAnswer;

// Laps of about a minute, a little different each.
DriverRun RunOfLaps(int laps) {
    DriverRun run;
    run.driverName = "Durand";
    run.driverFirstName = "Paul";
    run.lastLapIndex = laps;
    for (int lap = 1; lap <= laps; ++lap)
        run.passingTimes[lap] = run.passingTimes[lap - 1] + 60'000 + (lap * 377) % 1500;
    ComputeLapTimes(run);
    return run;
}

RunWhen At(int hour) {
    return {2026, 3, 5, hour, 0, 0};
}

class RunWindowsTest : public testing::WindowTest {
protected:
    RunWindowsTest() { std::filesystem::create_directories(m_folder / "Runs"); }

    void writeSubscribers(const std::vector<std::pair<std::string, std::string>>& names) {
        databases::SubscriberTable table = databases::MakeSubscriberTable();
        for (std::size_t i = 0; i < names.size(); ++i) {
            table[i].name = names[i].first;
            table[i].firstName = names[i].second;
        }
        ASSERT_TRUE(databases::SaveSubscribers(table, static_cast<int>(names.size()),
                                               root().path(databases::kSubscribersFileName)));
    }
    std::filesystem::path runFile(const char* name, const char* firstName) const {
        return RunFilePath(root(), name, firstName);
    }
    // A run file with these runs, then the header's flags as given.
    void writeRuns(const char* name, const char* firstName, const std::vector<int>& hours,
                   int savingFlag, int fullFlag) {
        const std::filesystem::path path = runFile(name, firstName);
        m_folder.write(std::filesystem::relative(path, m_folder.path()).string(), "1\t0\t\n");
        testing::RecordingMessageSink sink;
        for (const int hour : hours)
            ASSERT_EQ(SaveRunTo(path, RunOfLaps(8), RunTitle(At(hour)),
                                {"Junior", "Circuit", At(hour)}, sink),
                      SaveRunOutcome::Saved);
        ASSERT_TRUE(WriteRunFileFlags(path, savingFlag, fullFlag));
    }
    std::string fileBytes(const char* name, const char* firstName) const {
        return m_folder.read(
            std::filesystem::relative(runFile(name, firstName), m_folder.path()).string());
    }

    static QStringList comboItems(QWidget& window) {
        QStringList texts;
        const auto* combo = window.findChild<QComboBox*>(QStringLiteral("runsCombo"));
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }

    // Chooses a run in the combo; the analysis window that opens is closed
    // at once, after its driver line is read.
    QString chooseRun(QWidget& window, int index) {
        QString shownDriver;
        QTimer::singleShot(0, &window, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
            auto* analysis = qobject_cast<RunAnalysisWindow*>(QApplication::activeModalWidget());
            if (analysis != nullptr) {
                shownDriver = analysis->driverLine();
                analysis->accept();
            }
        });
        window.findChild<QComboBox*>(QStringLiteral("runsCombo"))->setCurrentIndex(index);
        return shownDriver;
    }

    RunView m_view = RunView::Synthesis;
};

// --- The runs window ------------------------------------------------------

TEST_F(RunWindowsTest, ListsTheFirstSubscribersRunsAsTextSortedAfterAnEmptyItem) {
    writeSubscribers({{"Durand", "Paul"}, {"Martin", "Lea"}});
    writeRuns("Durand", "Paul", {9, 10, 14}, 1, 0);
    writeRuns("Martin", "Lea", {}, 0, 0);
    DriverRunsWindow window(root(), m_dialogs, m_pictures, m_view);
    window.show();

    EXPECT_EQ(items(window, "subscriberList"),
              QStringList({QStringLiteral("Durand Paul"), QStringLiteral("Martin Lea")}));
    EXPECT_EQ(items(window, "numberList"), QStringList(QStringLiteral("1")));
    EXPECT_EQ(comboItems(window),
              QStringList({QString(), QStringLiteral("Run 2026 / 03 / 05  (10:00:00)"),
                           QStringLiteral("Run 2026 / 03 / 05  (14:00:00)"),
                           QStringLiteral("Run 2026 / 03 / 05  (9:00:00)")}));
    EXPECT_TRUE(window.findChild<QCheckBox*>(QStringLiteral("savingCheckBox"))->isChecked());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("fillRateLabel"))->text(),
              QStringLiteral("3 %"));

    window.findChild<QListWidget*>(QStringLiteral("subscriberList"))->setCurrentRow(1);
    EXPECT_EQ(items(window, "numberList"), QStringList(QStringLiteral("2")));
    EXPECT_EQ(comboItems(window), QStringList(QString()));
    EXPECT_FALSE(window.findChild<QCheckBox*>(QStringLiteral("savingCheckBox"))->isChecked());
    EXPECT_EQ(text(window, "runsDriverEdit"), QStringLiteral("Martin Lea"));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(RunWindowsTest, TickingTheBoxWritesOnlyTheSavingFlag) {
    writeSubscribers({{"Durand", "Paul"}});
    writeRuns("Durand", "Paul", {9}, 0, 1);
    const std::string before = fileBytes("Durand", "Paul");
    DriverRunsWindow window(root(), m_dialogs, m_pictures, m_view);
    window.show();

    click(window, "savingCheckBox");
    const std::string ticked = fileBytes("Durand", "Paul");
    EXPECT_EQ(ticked.substr(0, 5), "1\t1\t\n");
    EXPECT_EQ(ticked.substr(1), before.substr(1));

    click(window, "savingCheckBox");
    EXPECT_EQ(fileBytes("Durand", "Paul"), before);
}

TEST_F(RunWindowsTest, ChosenRunOpensTheAnalysisAndYesDeletesItClearingTheFullFlag) {
    writeSubscribers({{"Durand", "Paul"}});
    writeRuns("Durand", "Paul", {9, 10}, 1, 1);
    const std::size_t length = fileBytes("Durand", "Paul").size();
    DriverRunsWindow window(root(), m_dialogs, m_pictures, m_view);
    window.show();

    EXPECT_EQ(chooseRun(window, 2), QStringLiteral("Paul Durand"));
    m_dialogs.answers = {DialogAnswer::No};
    click(window, "removeRunButton");
    EXPECT_EQ(window.runCount(), 2);

    m_dialogs.answers = {DialogAnswer::Yes};
    click(window, "removeRunButton");
    ASSERT_EQ(m_dialogs.asked.size(), 2u);
    EXPECT_EQ(m_dialogs.asked[1].caption, "Attention");
    EXPECT_EQ(m_dialogs.asked[1].text, "Attention !\nSi vous validez, le run sera effac\xE9 d\xE9"
                                       "finitivement!");
    EXPECT_EQ(comboItems(window),
              QStringList({QString(), QStringLiteral("Run 2026 / 03 / 05  (10:00:00)")}));
    const std::string after = fileBytes("Durand", "Paul");
    EXPECT_EQ(after.substr(0, 5), "1\t0\t\n");
    EXPECT_EQ(after.size(), length) << "the slot keeps its length";
    EXPECT_NE(after.find("\nRun vide\t\n"), std::string::npos);
}

TEST_F(RunWindowsTest, MissingFilesAreReportedAndTheWindowStillOpens) {
    writeSubscribers({{"Durand", "Paul"}});
    DriverRunsWindow window(root(), m_dialogs, m_pictures, m_view);
    EXPECT_EQ(m_dialogs.texts(),
              std::vector<std::string>({"Error : 'Driver Runs' database file not found"}));
    EXPECT_EQ(window.runCount(), 0);
}

// --- The analysis window --------------------------------------------------

class AnalysisWindowTest : public RunWindowsTest {
protected:
    // A stored run of `laps` laps in Durand Paul's file, shown.
    void showRun(RunAnalysisWindow& window, int laps) {
        const std::filesystem::path path = runFile("Durand", "Paul");
        m_folder.write("Runs/Durand_Paul.bdr", "1\t0\t\n");
        testing::RecordingMessageSink sink;
        ASSERT_EQ(
            SaveRunTo(path, RunOfLaps(laps), RunTitle(At(9)), {"Junior", "Circuit", At(9)}, sink),
            SaveRunOutcome::Saved);
        window.showStoredRun(path, RunTitle(At(9)));
    }
};

TEST_F(AnalysisWindowTest, StoredRunShowsItsHeaderAndTheWholeRange) {
    RunAnalysisWindow window(root(), m_dialogs, m_pictures, m_view);
    showRun(window, 12);
    EXPECT_EQ(window.driverLine(), QStringLiteral("Paul Durand"));
    EXPECT_EQ(window.trackLine(), QStringLiteral("Piste : Circuit"));
    EXPECT_EQ(window.categoryLine(), QString::fromUtf8("Catégorie : Junior"));
    EXPECT_EQ(window.dateLine(), QStringLiteral("Date : 05 / 03 / 2026  (9:00:00)"));
    EXPECT_EQ(text(window, "fromEdit"), QStringLiteral("1"));
    EXPECT_EQ(text(window, "toEdit"), QStringLiteral("12"));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(AnalysisWindowTest, RangeEditsStayWithinTheRun) {
    RunAnalysisWindow window(root(), m_dialogs, m_pictures, m_view);
    showRun(window, 20);
    type(window, "toEdit", QStringLiteral("50"));
    EXPECT_EQ(window.to(), 20);
    EXPECT_EQ(text(window, "toEdit"), QStringLiteral("20"));

    type(window, "fromEdit", QStringLiteral("0"));
    EXPECT_EQ(window.from(), 1);
    EXPECT_EQ(text(window, "fromEdit"), QStringLiteral("0")) << "the edit keeps what was typed";

    type(window, "fromEdit", QStringLiteral("25"));
    EXPECT_EQ(window.from(), 20);
    EXPECT_EQ(text(window, "fromEdit"), QStringLiteral("20"));

    type(window, "toEdit", QStringLiteral("7"));
    EXPECT_EQ(window.to(), 7) << "to below from is kept; the views show nothing";
}

struct StripCase {
    const char* name;
    int laps;
    bool scrollBarShown;
    int scrollEnd;
};

class LapStripTest : public AnalysisWindowTest, public ::testing::WithParamInterface<StripCase> {};

TEST_P(LapStripTest, ScrollBarSpansTheLapsBeyondSixAndPagesToEitherEnd) {
    RunAnalysisWindow window(root(), m_dialogs, m_pictures, m_view);
    window.show();
    showRun(window, GetParam().laps);
    auto* bar = window.findChild<QScrollBar*>(QStringLiteral("lapStripScrollBar"));
    EXPECT_EQ(bar->isVisible(), GetParam().scrollBarShown);
    EXPECT_EQ(bar->maximum(), GetParam().scrollEnd);
    if (!GetParam().scrollBarShown)
        return;
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(window.stripPosition(), 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(window.stripPosition(), GetParam().scrollEnd);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(window.stripPosition(), 0);
}

INSTANTIATE_TEST_SUITE_P(Runs, LapStripTest,
                         ::testing::Values(StripCase{"SixLapsFitTheStrip", 6, false, 0},
                                           StripCase{"SevenLapsScrollByOne", 7, true, 1},
                                           StripCase{"TwentyLapsScrollToFourteen", 20, true, 14}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(AnalysisWindowTest, ChosenViewIsWhereTheNextWindowOpens) {
    {
        RunAnalysisWindow first(root(), m_dialogs, m_pictures, m_view);
        first.show();
        click(first, "curveButton");
    }
    EXPECT_EQ(m_view, RunView::Curve);
    RunAnalysisWindow second(root(), m_dialogs, m_pictures, m_view);
    EXPECT_TRUE(second.findChild<QAbstractButton*>(QStringLiteral("curveButton"))->isChecked());
}

TEST_F(AnalysisWindowTest, SessionKartTakesItsCategoryFromTheFleetAndItsTrackFromTheSession) {
    databases::CategoryTable categories{};
    categories[0].name = "Junior";
    categories[0].karts[0].kartId = "K101";
    ASSERT_TRUE(databases::SaveCategories(categories, databases::kCategorySlots,
                                          root().path(databases::kCategoriesFileName)));
    session::RentalSession session;
    session::SessionHeader header;
    header.trackName = "Circuit";
    std::filesystem::create_directories(m_folder / "Private");
    ASSERT_TRUE(session::SaveSessionFile(root(), session, header));

    session::SessionKart kart;
    kart.driverName = "Durand";
    kart.driverFirstName = "Paul";
    kart.lastLapIndex = 3;
    kart.passingTimes = {0, 61'000, 122'500, 183'000};
    const common::LocalDateTime now{2026, 12, 7, 18, 5, 9};

    kart.kartLabel = "K101";
    RunAnalysisWindow rental(root(), m_dialogs, m_pictures, m_view);
    rental.showSessionKart(kart, now);
    EXPECT_EQ(rental.categoryLine(), QString::fromUtf8("Catégorie : Junior"));
    EXPECT_EQ(rental.trackLine(), QStringLiteral("Piste : Circuit"));
    EXPECT_EQ(rental.driverLine(), QStringLiteral("K101 : Paul Durand"));
    EXPECT_EQ(rental.dateLine(), QStringLiteral("Date : 07 / 12 / 2026  (18:05:09)"));
    EXPECT_EQ(rental.run().lapTimes[2], 61'500);

    kart.kartLabel = "KP3";
    RunAnalysisWindow privateKart(root(), m_dialogs, m_pictures, m_view);
    privateKart.showSessionKart(kart, now);
    EXPECT_EQ(privateKart.categoryLine(), QString::fromUtf8("Catégorie : Karts privés"));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

TEST_F(AnalysisWindowTest, MissingRunFileIsReportedAndShowsAnEmptyRun) {
    RunAnalysisWindow window(root(), m_dialogs, m_pictures, m_view);
    window.showStoredRun(runFile("Nobody", "Here"), RunTitle(At(9)));
    EXPECT_EQ(m_dialogs.texts(),
              std::vector<std::string>({"Error : 'Driver Runs' database file not found"}));
    EXPECT_EQ(window.run().lastLapIndex, 0);
    EXPECT_EQ(window.to(), 0);
    EXPECT_FALSE(window.findChild<QAbstractButton*>(QStringLiteral("printButton"))->isEnabled());
}

// --- The views ------------------------------------------------------------

QImage Painted(RunView view, const DriverRun& run, int from, int to, int pointedLap = 0) {
    QImage image(620, 260, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRectF area(0, 0, 620, 260);
    PaintRunView(painter, area, run, from, to, view);
    if (pointedLap > 0)
        PaintCurveBubble(painter, area, run, from, to, pointedLap);
    return image;
}

struct EmptyViewCase {
    const char* name;
    RunView view;
    int laps;
    int from;
    int to;
};

class EmptyViewTest : public ::testing::TestWithParam<EmptyViewCase> {
protected:
    static void SetUpTestSuite() { testing::EnsureApplication(); }
};

TEST_P(EmptyViewTest, DegenerateRangesPaintTheBareBox) {
    const EmptyViewCase& c = GetParam();
    const QImage bare = Painted(c.view, DriverRun(), 0, 0);
    EXPECT_EQ(Painted(c.view, RunOfLaps(c.laps), c.from, c.to), bare);
    EXPECT_NE(Painted(c.view, RunOfLaps(20), 1, 20), bare) << "a full range draws something";
}

INSTANTIATE_TEST_SUITE_P(
    Views, EmptyViewTest,
    ::testing::Values(EmptyViewCase{"FiguresToBelowFrom", RunView::Synthesis, 20, 9, 3},
                      EmptyViewCase{"HistogramToBelowFrom", RunView::Histogram, 20, 9, 3},
                      EmptyViewCase{"CurveToBelowFrom", RunView::Curve, 20, 9, 3},
                      EmptyViewCase{"CurveOfOneLap", RunView::Curve, 20, 4, 4},
                      EmptyViewCase{"HistogramOfOneLap", RunView::Histogram, 20, 4, 4},
                      EmptyViewCase{"CurveOfARunOfOneLap", RunView::Curve, 1, 1, 1},
                      EmptyViewCase{"HistogramBeyondTheRun", RunView::Histogram, 5, 1, 9},
                      EmptyViewCase{"FiguresOfNoLap", RunView::Synthesis, 0, 1, 0},
                      EmptyViewCase{"HistogramFromZero", RunView::Histogram, 5, 0, 5}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CurvePointingTest, EveryLapOfTheRangeCanBePointedAtAndNoOther) {
    testing::EnsureApplication();
    const DriverRun run = RunOfLaps(30);
    const QRectF area(0, 0, 620, 260);
    std::vector<bool> found(31, false);
    for (int y = 0; y < 260; ++y) {
        for (int x = 0; x < 620; ++x) {
            const int lap = CurveLapAt(area, run, 5, 24, QPointF(x, y));
            ASSERT_TRUE(lap == 0 || (lap >= 5 && lap <= 24)) << lap;
            found[static_cast<std::size_t>(lap)] = true;
        }
    }
    for (int lap = 5; lap <= 24; ++lap)
        EXPECT_TRUE(found[static_cast<std::size_t>(lap)]) << "lap " << lap;
    EXPECT_EQ(CurveLapAt(area, run, 4, 4, area.center()), 0);
    EXPECT_NE(Painted(RunView::Curve, run, 5, 24, 10), Painted(RunView::Curve, run, 5, 24));
}

} // namespace
} // namespace tallimo::runs
