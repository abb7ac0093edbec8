// The classification window at one accepted lap: the live update of a full
// session (six categories of thirty karts timing, 99 laps each, 500
// subscribers, 20 age categories) and the repaint of its ranking.

#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "databases/core/age_categories_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "session/core/session_file.h"
#include "session/gui/classification_window.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace tallimo;

class SilentDialogs final : public common::OperatorDialogs {
public:
    common::DialogAnswer ask(QWidget*, const std::string&, const std::string&, common::DialogIcon,
                             common::DialogButtons) override {
        return common::DialogAnswer::Ok;
    }
};

class NoMessages final : public common::MessageSink {
public:
    void show(const std::string&, const std::string&) override {}
};

class PaintCounter final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
    std::int64_t count = 0;
};

std::string Numbered(const char* stem, int number) {
    return stem + std::to_string(number);
}

void WriteFullFolder(const common::WorkingFolder& folder) {
    NoMessages quiet;
    databases::CategoryTable categories;
    databases::ClearCategories(categories);
    for (int c = 0; c < session::kRentalCategoryCount; ++c)
        categories[static_cast<std::size_t>(c)].name = Numbered("Cat", c + 1);
    databases::SaveCategoriesDatabase(folder, categories, quiet);

    databases::SubscriberTable people = databases::MakeSubscriberTable();
    for (int i = 0; i < 500; ++i) {
        databases::Subscriber& person = people[static_cast<std::size_t>(i)];
        person.name = Numbered("Nom", i);
        person.firstName = Numbered("Prenom", i);
        person.club = Numbered("Club", i % 40);
        person.sex = i % 3 == 0 ? 0 : 1;
        databases::SetBirthDate(person, {i % 28, i % 12, 60 + i % 50});
    }
    databases::SaveSubscribersDatabase(folder, people, quiet);

    databases::AgeCategoryTable ages;
    databases::ClearAgeCategories(ages);
    for (int i = 0; i < databases::kAgeCategorySlots; ++i) {
        databases::AgeCategory& age = ages[static_cast<std::size_t>(i)];
        age.code = Numbered("A", i);
        age.ageCategoryName = Numbered("Age ", i);
        age.sex = i % 2;
        age.fromYear = 60 + (i / 2) * 5;
        age.toYear = age.fromYear + 4;
        age.toMonth = 11;
    }
    databases::SaveAgeCategoriesDatabase(folder, ages, quiet);

    auto rental = std::make_unique<session::RentalSession>();
    session::ClearSession(*rental);
    session::SessionHeader header;
    header.trackName = "Piste";
    for (int c = 0; c < session::kCategoryCount; ++c) {
        rental->categories[static_cast<std::size_t>(c)].categoryName =
            c == session::kPrivateCategoryIndex ? session::kPrivateCategoryName
                                                : Numbered("Cat", c + 1);
        for (int k = 0; k < session::kKartsPerCategory; ++k) {
            session::SessionKart& kart = rental->kart(c, k);
            const int driver = c * session::kKartsPerCategory + k;
            kart.kartLabel = session::KartLabelFor(c, k);
            kart.driverName = Numbered("Nom", driver);
            kart.driverFirstName = Numbered("Prenom", driver);
            kart.usage = session::KartUsage::InSession;
            kart.trackState = session::TrackState::Timing;
            kart.lapCount = kart.lastLapIndex = session::kMaxLapIndex;
            for (int lap = 1; lap <= session::kMaxLapIndex; ++lap)
                kart.lapTimes[static_cast<std::size_t>(lap)] = 45000 + (lap * 37 + driver) % 900;
            kart.totalTime = session::kMaxLapIndex * 45300 + driver;
            kart.bestLap = 45000 + driver % 97;
        }
    }
    session::SaveSessionFile(folder, *rental, header);
}

// `grab` paints into a picture of its own, `repaint` into the window's.
void LiveUpdates(benchmark::State& state, bool grab) {
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / "tallimo_classification_bench";
    std::filesystem::create_directories(root / "Private");
    const common::WorkingFolder folder(root);
    WriteFullFolder(folder);

    class Clock final : public common::LocalClock {
    public:
        common::LocalDateTime now() const override { return {2026, 12, 8, 10, 0, 0}; }
    } clock;
    SilentDialogs dialogs;
    session::ClassificationWindow window(folder, dialogs, clock, session::kAllCategories, nullptr);
    window.resize(window.sizeHint());
    window.show();
    // A window not yet exposed skips its repaints.
    for (int i = 0; i < 50 && !window.windowHandle()->isExposed(); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QWidget* view = window.findChild<QWidget*>(QStringLiteral("rankingView"));
    PaintCounter paints;
    view->installEventFilter(&paints);

    session::RentalSession live;
    session::SessionHeader header;
    session::LoadSessionFile(folder, live, header);
    int turn = 0;
    for (auto _ : state) {
        // Each lap one kart gains a lap and moves up the ranking.
        session::SessionKart& kart =
            live.kart(turn % session::kCategoryCount, (turn / session::kCategoryCount) % 30);
        ++kart.lapCount;
        kart.totalTime += 45000;
        kart.bestLap -= 1;
        ++turn;
        window.liveUpdate(kart);
        if (grab)
            benchmark::DoNotOptimize(view->grab().cacheKey());
        else
            view->repaint();
    }
    benchmark::DoNotOptimize(window.shown().size());
    // Every iteration must have painted, or the figure means nothing.
    state.counters["paints_per_update"] =
        static_cast<double>(paints.count) / static_cast<double>(state.iterations());
    window.close();
    std::filesystem::remove_all(root);
}
void BM_ClassificationLiveUpdateAndRepaint(benchmark::State& state) {
    LiveUpdates(state, false);
}
void BM_ClassificationLiveUpdateAndGrab(benchmark::State& state) {
    LiveUpdates(state, true);
}
BENCHMARK(BM_ClassificationLiveUpdateAndGrab)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClassificationLiveUpdateAndRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
