// Opening a reservation window on a full club: 500 subscribers, 450 first
// names with their namedays, 50 discount events; then choosing every
// subscriber in turn and pricing a session for each.

#include "databases/core/first_names_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "finances/core/booking_rules.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace tallimo;
using namespace tallimo::finances;

class NoMessages final : public common::MessageSink {
public:
    void show(const std::string&, const std::string&) override {}
};

// Namedays, birthdays and events spread over the year, so that a fair
// share of them falls inside their windows on the day measured.
BookingData FullClub() {
    BookingData data;
    for (int c = 0; c < kPriceRows; ++c) {
        data.categories[c].name = "Cat" + std::to_string(c);
        data.categoryNames[c] = data.categories[c].name;
        for (int s = 0; s < kSessionsPerRow; ++s)
            data.prices.rentalPrices[c][s] = {5 * (s + 1), 10 * (s + 1), 0};
    }
    for (int i = 0; i < 450; ++i)
        data.subscriberFirstNames[i] = {"Prenom" + std::to_string(i), i % 28, i % 12};
    databases::SortFirstNames(data.subscriberFirstNames);
    for (int i = 0; i < databases::kMaxSubscribers; ++i) {
        databases::Subscriber& s = data.subscribers[i];
        s.name = "Nom" + std::to_string(1000 + i);
        s.firstName = "Prenom" + std::to_string(i % 450);
        databases::SetBirthDate(s, {i % 28, (i / 28) % 12, 60 + i % 40});
        data.balances.accounts.push_back({s.name, s.firstName, (i * 37) % 500});
    }
    databases::SortSubscribers(data.subscribers);
    data.balances.header.loyaltyActive = 1;
    data.discounts.discountMode = 1;
    for (int e = 0; e < kMaxDiscountEvents; ++e) {
        DiscountEvent& event = data.discounts.events[e];
        event.eventName = "Ev\xE9nement " + std::to_string(e);
        event.eventDay = (e * 7) % 28;
        event.eventMonth = e % 12;
        event.discountActive = 1;
        event.daysBefore = 10;
        event.daysAfter = 10;
        for (auto& row : event.rentalDiscounts)
            row.fill(e % 30);
    }
    for (auto& row : data.points.freeSessionCost)
        row.fill(250);
    return data;
}

// The club's files in a folder of their own, removed at the end.
class ClubFolder {
public:
    ClubFolder()
        : m_root(std::filesystem::temp_directory_path() /
                 ("tallimo-finances-bench-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(m_root);
        const BookingData data = FullClub();
        const common::WorkingFolder folder(m_root);
        write(databases::kCategoriesFileName,
              databases::FormatCategoriesFile(data.categories, kPriceRows));
        write(databases::kSubscribersFileName,
              databases::FormatSubscribersFile(data.subscribers, databases::kMaxSubscribers));
        write(databases::kSubscriberFirstNamesFileName,
              databases::FormatFirstNamesFile(data.subscriberFirstNames, 450));
        write(kPricesFileName, FormatPricesFile(data.prices));
        write(kDiscountsFileName, FormatDiscountsFile(data.discounts, kMaxDiscountEvents));
        write(kBalancesFileName, FormatBalancesFile(data.balances));
        write(kSessionPointsFileName, FormatSessionPointsFile(data.points));
    }
    ~ClubFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    common::WorkingFolder folder() const { return common::WorkingFolder(m_root); }

private:
    void write(const char* name, const std::string& bytes) const {
        std::ofstream(common::WorkingFolder(m_root).path(name), std::ios::binary) << bytes;
    }
    std::filesystem::path m_root;
};

void BM_LoadBookingData(benchmark::State& state) {
    const ClubFolder club;
    NoMessages messages;
    for (auto _ : state) {
        BookingData data;
        if (!LoadBookingData(club.folder(), data, messages))
            state.SkipWithError("a file did not load");
        benchmark::DoNotOptimize(data);
    }
}
BENCHMARK(BM_LoadBookingData)->Unit(benchmark::kMillisecond);

// Every subscriber chosen and priced once: greetings, best offer, free session.
void BM_OffersForEverySubscriber(benchmark::State& state) {
    const BookingData data = FullClub();
    const common::DateIndex today{10, 5, 126};
    std::size_t offers = 0;
    for (auto _ : state) {
        for (int i = 0; i < databases::kMaxSubscribers; ++i) {
            const databases::Subscriber& s = data.subscribers[i];
            const auto texts = SubscriberChosenMessages(data, s.name, s.firstName, today);
            const auto offer = BestDiscountOffer(data, i % kPriceRows, i % kSessionsPerRow, 50,
                                                 s.name, s.firstName, today);
            const auto free = FreeSessionOfferFor(data, i % kPriceRows, i % kSessionsPerRow, s.name,
                                                  s.firstName, false);
            offers += texts.size() + (offer ? 1 : 0) + (free ? 1 : 0);
        }
        benchmark::DoNotOptimize(offers);
    }
}
BENCHMARK(BM_OffersForEverySubscriber)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
