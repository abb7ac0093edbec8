// The session classification on a full session: six categories of thirty
// karts, each 99 laps into its run, drivers among 500 subscribers, 20 age
// categories. The window redoes all of it at every accepted lap.

#include "session/core/classification.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace tallimo::session;

std::string Surname(int n) {
    return "Lef\xE8vre-Dupont" + std::to_string(n);
}
std::string FirstName(int n) {
    return "Fr\xE9"
           "d\xE9ric" +
           std::to_string(n % 7);
}

RentalSession FullSession() {
    RentalSession session;
    for (int c = 0; c < kCategoryCount; ++c) {
        session.categories[c].categoryName =
            c == kPrivateCategoryIndex ? kPrivateCategoryName : "Cat\xE9gorie " + std::to_string(c);
        for (int k = 0; k < kKartsPerCategory; ++k) {
            SessionKart& kart = session.kart(c, k);
            const int driver = c * kKartsPerCategory + k;
            kart.kartLabel = KartLabelFor(c, k);
            // One driver in ten is not a subscriber.
            kart.driverName = Surname(driver % 10 == 9 ? 1000 + driver : driver * 2);
            kart.driverFirstName = FirstName(driver);
            kart.usage = KartUsage::InSession;
            kart.trackState = k % 5 == 4 ? TrackState::Finished : TrackState::Timing;
            kart.lapCount = kMaxLapIndex - (k % 3);
            kart.totalTime = kart.lapCount * 45000 + (k * 37 + c * 11) % 900;
            kart.bestLap = 44000 + (k * 53 + c) % 700;
        }
    }
    return session;
}

std::vector<ClassificationPerson> Subscribers() {
    std::vector<ClassificationPerson> people;
    for (int n = 0; n < 500; ++n)
        people.push_back({Surname(n), FirstName(n / 2), "Club " + std::to_string(n % 40),
                          n % 3 != 0, 60 + n % 60, n % 12});
    return people;
}

std::vector<ClassificationAgeCategory> AgeCategories() {
    std::vector<ClassificationAgeCategory> ages;
    for (int a = 0; a < 20; ++a)
        ages.push_back({"A" + std::to_string(a), "Cat\xE9gorie d'age " + std::to_string(a), a % 2,
                        60 + (a / 2) * 6, 0, 65 + (a / 2) * 6, 11});
    return ages;
}

ClassificationFilter CategoryFilter() {
    ClassificationFilter filter;
    filter.kartCategory = 2;
    filter.kartCategoryText = "Cat\xE9gorie 2";
    return filter;
}

struct Inputs {
    RentalSession session = FullSession();
    std::vector<ClassificationPerson> people = Subscribers();
    std::vector<ClassificationAgeCategory> ages = AgeCategories();
};

void RunWhole(benchmark::State& state, const ClassificationFilter& filter,
              ClassificationMode mode) {
    const Inputs in;
    for (auto _ : state) {
        ClassificationTable full = BuildFullClassification(in.session, in.people, in.ages);
        SelectRows(full, filter);
        ClassificationTable shown = ShownClassification(full, mode);
        benchmark::DoNotOptimize(shown.data());
    }
}

void BM_WholeRankingAllKarts(benchmark::State& state) {
    RunWhole(state, ClassificationFilter{}, ClassificationMode::CLASSEMENTToursTemps);
}
BENCHMARK(BM_WholeRankingAllKarts)->Unit(benchmark::kMicrosecond);

void BM_WholeRankingAllKartsByBestLap(benchmark::State& state) {
    RunWhole(state, ClassificationFilter{}, ClassificationMode::CLASSEMENTMeilleurTour);
}
BENCHMARK(BM_WholeRankingAllKartsByBestLap)->Unit(benchmark::kMicrosecond);

void BM_WholeRankingOneCategory(benchmark::State& state) {
    RunWhole(state, CategoryFilter(), ClassificationMode::CLASSEMENTToursTemps);
}
BENCHMARK(BM_WholeRankingOneCategory)->Unit(benchmark::kMicrosecond);

// What the window does at one accepted lap, short of painting.
void BM_LiveUpdateAtOneLap(benchmark::State& state) {
    Inputs in;
    SessionKart kart = in.session.kart(3, 17);
    for (auto _ : state) {
        ++kart.lapCount;
        kart.totalTime += 45000;
        ApplyLiveKart(in.session, kart);
        ClassificationTable full = BuildFullClassification(in.session, in.people, in.ages);
        SelectRows(full, ClassificationFilter{});
        ClassificationTable shown =
            ShownClassification(full, ClassificationMode::CLASSEMENTToursTemps);
        for (int r = 0; r < kClassificationRowsOnScreen; ++r)
            benchmark::DoNotOptimize(ClassificationRow(shown[static_cast<std::size_t>(r)], r + 1));
    }
}
BENCHMARK(BM_LiveUpdateAtOneLap)->Unit(benchmark::kMicrosecond);

void BM_BuildFullClassification(benchmark::State& state) {
    const Inputs in;
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildFullClassification(in.session, in.people, in.ages));
}
BENCHMARK(BM_BuildFullClassification)->Unit(benchmark::kMicrosecond);

void BM_SelectRows(benchmark::State& state) {
    const Inputs in;
    ClassificationTable full = BuildFullClassification(in.session, in.people, in.ages);
    const ClassificationFilter filter = CategoryFilter();
    for (auto _ : state) {
        SelectRows(full, filter);
        benchmark::DoNotOptimize(full.data());
    }
}
BENCHMARK(BM_SelectRows)->Unit(benchmark::kMicrosecond);

void BM_ShownClassification(benchmark::State& state) {
    const Inputs in;
    ClassificationTable full = BuildFullClassification(in.session, in.people, in.ages);
    SelectRows(full, ClassificationFilter{});
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ShownClassification(full, ClassificationMode::CLASSEMENTToursTemps));
}
BENCHMARK(BM_ShownClassification)->Unit(benchmark::kMicrosecond);

void BM_CsvOfFullRanking(benchmark::State& state) {
    const Inputs in;
    ClassificationTable full = BuildFullClassification(in.session, in.people, in.ages);
    SelectRows(full, ClassificationFilter{});
    const ClassificationTable shown =
        ShownClassification(full, ClassificationMode::CLASSEMENTToursTemps);
    for (auto _ : state)
        benchmark::DoNotOptimize(ClassificationCsv(shown));
}
BENCHMARK(BM_CsvOfFullRanking)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
