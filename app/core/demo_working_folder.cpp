#include "app/core/demo_working_folder.h"

#include "app/core/demo_portraits.h"
#include "app/core/live_board_settings.h"
#include "common/core/cp1252.h"
#include "common/core/data_file.h"
#include "common/core/name_rules.h"
#include "common/core/program_settings.h"

#include "databases/core/age_categories_file.h"
#include "databases/core/clubs_file.h"
#include "databases/core/first_names_calendar.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "databases/core/subscribers_saving.h"
#include "databases/core/tracks_file.h"
#include "decoder/core/decoder_frames.h"
#include "decoder/core/decoder_settings.h"
#include "emails/core/club_contact_file.h"
#include "finances/core/discounts_file.h"
#include "finances/core/loyalty_files.h"
#include "finances/core/session_prices.h"
#include "runs/core/run_file.h"
#include "runs/core/run_file_header.h"
#include "runs/core/run_file_path.h"
#include "session/core/passing_journal.h"
#include "session/core/rental_session.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace tallimo::app {
namespace {

struct DemoDriver {
    const char* name;
    const char* firstName;
    int minutes;
};

// Windows-1252, as every data file.
const DemoDriver kAdults[] = {{"Lef\xE8vre",
                               "Fr\xE9"
                               "d\xE9ric",
                               10},
                              {"Martin", "Lucie", 10},
                              {"Bernard", "Hugo", 15},
                              {"Dubois", "Chlo\xE9", 10},
                              {"Moreau", "Th\xE9o", 20},
                              {"Girard", "Ana\xEFs", 10}};
const DemoDriver kChildren[] = {
    {"Petit", "L\xE9o", 8}, {"Roux", "Manon", 8}, {"Fournier", "Jules", 8}};

constexpr int kAdultKarts = 8;
constexpr int kChildKarts = 4;

int AdultTransponder(int slot) {
    return 101 + slot;
}
int ChildTransponder(int slot) {
    return 201 + slot;
}
constexpr int kSpareTransponders[] = {4711, 4712, 4713};

// Writes one of the demo's pictures under "images/Demo" and returns the
// path a record stores for it, or an empty text when it cannot store it
// (a folder path too long or outside Windows-1252 leaves the record without).
std::string WriteDemoPicture(const common::WorkingFolder& folder, const std::string& fileName,
                             int variant, std::size_t capacity) {
    const std::filesystem::path picture = folder.path("images/Demo/" + fileName);
    std::error_code ignored;
    std::filesystem::create_directories(picture.parent_path(), ignored);
    const std::vector<std::uint8_t> bytes = assets::encodeBmp(DemoPortrait(variant));
    if (!common::WriteFileAtomically(
            picture, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
        return {};
    const std::string utf8 = picture.string();
    std::string stored = common::Utf8ToCp1252(utf8);
    if (stored.size() > capacity || common::Cp1252ToUtf8(stored) != utf8)
        return {};
    return stored;
}

// The demo's run files take what the runs window says, and nobody reads it.
class SilentMessages final : public common::MessageSink {
public:
    void show(const std::string&, const std::string&) override {}
};

// The first drivers come with a few runs stored, so that the runs window and
// the analysis have something to show: a driver improving from run to run,
// laps that vary by a pseudo-random amount fixed by the seed, and now and
// then a lap lost in traffic.
constexpr int kDriversWithRuns = 3;

void WriteDemoRuns(const std::filesystem::path& path, const DemoDriver& driver, int driverIndex) {
    if (driverIndex >= kDriversWithRuns || !runs::WriteRunFileFlags(path, 1, 0))
        return;
    SilentMessages silent;
    std::uint32_t seed = 20261107u + static_cast<std::uint32_t>(driverIndex);
    const int runCount = 4 - driverIndex % 2;
    for (int r = 0; r < runCount; ++r) {
        runs::DriverRun run;
        run.driverName = driver.name;
        run.driverFirstName = driver.firstName;
        run.lastLapIndex = 10 + 3 * r + driverIndex;
        const std::int32_t base = 58'400 + 900 * driverIndex - 350 * r;
        for (int lap = 1; lap <= run.lastLapIndex; ++lap) {
            seed = seed * 1'103'515'245u + 12'345u;
            std::int32_t lapTime = base + static_cast<std::int32_t>((seed >> 16) % 1'800u);
            if (lap == 1)
                lapTime += 2'500; // the standing start
            else if ((lap + r + driverIndex) % 7 == 0)
                lapTime += 3'200;
            run.passingTimes[static_cast<std::size_t>(lap)] =
                run.passingTimes[static_cast<std::size_t>(lap - 1)] + lapTime;
        }
        const runs::RunWhen when{2026, 11, 7 + 7 * r, 14 + driverIndex, 5 + 10 * r, 12 + r};
        runs::SaveRunTo(path, run, runs::RunTitle(when), {"Adultes", "Circuit des Pins", when},
                        silent);
    }
}

// The demo's business: a price list in euros whose durations are those the
// demo's drivers are booked for, discounts in percent, and the loyalty card
// on with one driver able to pay a session with points.
struct DemoSession {
    int minutes;
    int price;
    int points;   // earned by the run
    int freeCost; // points a free session costs
};
constexpr int kDemoSessionsPerRow = 3;
constexpr DemoSession kAdultSessions[kDemoSessionsPerRow] = {
    {10, 18, 10, 100}, {15, 25, 15, 150}, {20, 32, 20, 200}};
constexpr DemoSession kChildSessions[kDemoSessionsPerRow] = {
    {8, 12, 8, 80}, {10, 14, 10, 100}, {15, 20, 15, 150}};
// A free private session would otherwise cost 0 points, and every
// subscriber on a private kart would be offered one.
constexpr DemoSession kPrivateSessions[kDemoSessionsPerRow] = {
    {15, 20, 5, 200}, {30, 35, 10, 400}, {60, 60, 20, 800}};
constexpr int kPercentMode = 1;

struct DemoEvent {
    const char* name;
    int day;   // 0-based; -1: today's
    int month; // 0-based; -1: today's
    int daysBefore;
    int daysAfter;
    int percent;
};
// The first dated event falls on the day the demo is written, so booking a
// driver shows an offer; its discount is the largest, so it is the one
// offered whatever other dated event falls on the same day.
constexpr DemoEvent kDemoEvents[] = {{"Anniversaire abonn\xE9s", 0, 0, 7, 7, 20},
                                     {"F\xEAte pr\xE9nom abonn\xE9s", 0, 0, 3, 3, 10},
                                     {"la f\xEAte du circuit", -1, -1, 2, 5, 25},
                                     {"le Nouvel An", 0, 0, 3, 3, 15},
                                     {"le 14 juillet", 13, 6, 1, 1, 10},
                                     {"Halloween", 30, 9, 3, 0, 10},
                                     {"No\xEBl", 24, 11, 7, 1, 15}};

// Loyalty balances of a few drivers; the others start at 0.
struct DemoBalance {
    const char* name;
    const char* firstName;
    int points;
};
const DemoBalance kDemoBalances[] = {{"Bernard", "Hugo", 160}, // his booked 15 minutes for free
                                     {"Martin", "Lucie", 95},
                                     {"Lef\xE8vre",
                                      "Fr\xE9"
                                      "d\xE9ric",
                                      40},
                                     {"Petit", "L\xE9o", 64}};

void FillRow(finances::PriceRow& prices, finances::PointsRow& points, finances::PointsRow& costs,
             const DemoSession (&sessions)[kDemoSessionsPerRow]) {
    for (int s = 0; s < kDemoSessionsPerRow; ++s) {
        prices[s].durationMinutes = sessions[s].minutes;
        prices[s].price = sessions[s].price;
        points[s] = sessions[s].points;
        costs[s] = sessions[s].freeCost;
    }
}

bool WriteDemoFinances(const common::WorkingFolder& folder,
                       const databases::SubscriberTable& subscribers,
                       const common::LocalDateTime& today) {
    finances::PriceTable prices;
    finances::SessionPointsTables points;
    FillRow(prices.rentalPrices[0], points.sessionPoints[0], points.freeSessionCost[0],
            kAdultSessions);
    FillRow(prices.rentalPrices[1], points.sessionPoints[1], points.freeSessionCost[1],
            kChildSessions);
    FillRow(prices.privatePrices, points.privateSessionPoints, points.privateFreeSessionCost,
            kPrivateSessions);
    finances::SetCurrency(prices, 0); // euro
    bool written = finances::SavePrices(prices, folder.path(finances::kPricesFileName));

    finances::DiscountTable discounts;
    discounts.discountMode = kPercentMode;
    int count = 0;
    for (const DemoEvent& demo : kDemoEvents) {
        finances::DiscountEvent& event = discounts.events[static_cast<std::size_t>(count++)];
        event.eventName = demo.name;
        event.eventDay = demo.day < 0 ? today.day - 1 : demo.day;
        event.eventMonth = demo.month < 0 ? today.month - 1 : demo.month;
        event.discountActive = 1;
        event.daysBefore = demo.daysBefore;
        event.daysAfter = demo.daysAfter;
        for (int s = 0; s < kDemoSessionsPerRow; ++s) {
            event.privateDiscounts[s] = demo.percent;
            event.rentalDiscounts[0][s] = demo.percent;
            event.rentalDiscounts[1][s] = demo.percent;
        }
    }
    // The birthday and nameday e-mails are on, so the e-mails window has
    // something to send on the day.
    for (const auto& [index, daysBefore] : {std::pair{0, 7}, std::pair{1, 3}}) {
        finances::DiscountEvent& event = discounts.events[static_cast<std::size_t>(index)];
        event.mailActive = 1;
        event.mailDaysBefore = daysBefore;
    }
    written =
        finances::SaveDiscounts(discounts, count, folder.path(finances::kDiscountsFileName)) &&
        written;

    finances::LoyaltyBalances balances;
    balances.header.loyaltyActive = 1;
    for (int i = 0; i < databases::CountSubscribers(subscribers); ++i) {
        const databases::Subscriber& subscriber = subscribers[static_cast<std::size_t>(i)];
        finances::LoyaltyAccount account{subscriber.name, subscriber.firstName, 0};
        for (const DemoBalance& balance : kDemoBalances)
            if (account.name == balance.name && account.firstName == balance.firstName)
                account.points = balance.points;
        balances.accounts.push_back(account);
    }
    written = finances::SaveBalances(balances, folder.path(finances::kBalancesFileName)) && written;
    written = finances::SaveSessionPoints(points, folder.path(finances::kSessionPointsFileName)) &&
              written;
    return written;
}

// "hugo.bernard@example.org": the names without accents or blanks, in a
// domain that can never reach anybody.
std::string DemoEmail(const DemoDriver& driver) {
    std::string address;
    for (const std::string_view part : {driver.firstName, ".", driver.name})
        for (const char c : common::NormaliseName(part))
            if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.')
                address += c;
    return address + "@example.org";
}

// The club's own details, and the mailing form's host unless the operator
// already named one: the previews and sends of the demo then hand their
// addresses to a host that does not exist.
bool WriteDemoMailing(const common::WorkingFolder& folder) {
    const emails::ClubContact contact{"Karting des Pins",
                                      "contact@example.org",
                                      "05 58 00 00 01",
                                      "https://www.example.org",
                                      "Route du circuit",
                                      "",
                                      "40200",
                                      "Mimizan",
                                      "France"};
    bool written = emails::SaveClubContact(contact, folder.path(emails::kClubContactFileName));
    common::ProgramSettings settings;
    common::LoadProgramSettings(folder, settings);
    bool changed = false;
    if (settings.mailingFormBase().empty()) {
        settings.setValue(common::kMailingFormBaseKey, "https://mailing.invalid/");
        changed = true;
    }
    // The demo shows the drivers' board on the network from its first
    // start; an operator's later choice in the demo folder stays.
    if (settings.value(kLiveBoardWebKey).empty()) {
        settings.setValue(kLiveBoardWebKey, "1");
        settings.setValue(kLiveBoardPortKey, std::to_string(kLiveBoardDefaultPort));
        changed = true;
    }
    if (changed)
        written = common::SaveProgramSettings(folder, settings) && written;
    return written;
}

} // namespace

void BookDemoDrivers(session::RentalSession& rental) {
    // Each run is sold at the list price of its duration; the first two
    // drivers of each category have paid at the counter, so the tickets
    // show both states.
    constexpr int kPaidDrivers = 2;
    const auto book = [&](int category, int slot, const DemoDriver& driver,
                          const DemoSession(&sessions)[kDemoSessionsPerRow]) {
        session::SessionKart& kart = rental.kart(category, slot);
        if (kart.usage != session::KartUsage::InSession)
            return;
        kart.driverName = driver.name;
        kart.driverFirstName = driver.firstName;
        kart.trackState = session::TrackState::Reserved;
        kart.durationMinutes = driver.minutes;
        for (const DemoSession& session : sessions)
            if (session.minutes == driver.minutes)
                kart.price = session.price;
        kart.paid = slot < kPaidDrivers ? 1 : 0;
    };
    for (int slot = 0; slot < static_cast<int>(std::size(kAdults)); ++slot)
        book(0, slot, kAdults[slot], kAdultSessions);
    for (int slot = 0; slot < static_cast<int>(std::size(kChildren)); ++slot)
        book(1, slot, kChildren[slot], kChildSessions);
}

std::vector<DemoKart> DemoKarts() {
    std::vector<DemoKart> karts;
    for (int slot = 0; slot < static_cast<int>(std::size(kAdults)); ++slot)
        karts.push_back({AdultTransponder(slot), 14000 + 700 * slot, 900});
    for (int slot = 0; slot < static_cast<int>(std::size(kChildren)); ++slot)
        karts.push_back({ChildTransponder(slot), 19000 + 900 * slot, 1500});
    for (int transponder : kSpareTransponders)
        karts.push_back({transponder, 9000, 600, true});
    return karts;
}

bool WriteDemoWorkingFolder(const common::WorkingFolder& folder,
                            const common::LocalDateTime& today) {
    std::error_code error;
    for (const char* sub : {"Private", "Runs"})
        std::filesystem::create_directories(folder.path(sub), error);

    databases::CategoryTable categories;
    databases::ClearCategories(categories);
    categories[0].name = "Adultes";
    categories[0].description = "Karts 270 cm3, d\xE8s 14 ans";
    categories[1].name = "Enfants";
    categories[1].description = "Karts 120 cm3, de 7 \xE0 13 ans";
    for (int k = 0; k < kAdultKarts; ++k)
        categories[0].karts[k] = {session::KartLabelFor(0, k),
                                  decoder::TransponderText(AdultTransponder(k))};
    for (int k = 0; k < kChildKarts; ++k)
        categories[1].karts[k] = {session::KartLabelFor(1, k),
                                  decoder::TransponderText(ChildTransponder(k))};
    bool written = databases::SaveCategories(categories, databases::kCategorySlots,
                                             folder.path(databases::kCategoriesFileName));

    databases::TrackTable tracks;
    databases::ClearTracks(tracks);
    tracks[0].name = "Circuit des Pins";
    tracks[0].length = "820";
    tracks[0].protection = "5";
    written = databases::SaveTracks(tracks, 1, folder.path(databases::kTracksFileName)) && written;

    databases::ClubTable clubs{};
    databases::ClearClubs(clubs);
    clubs[0] = {"ASK Pins",
                "Association sportive karting des Pins",
                "Route du circuit",
                "",
                "40200",
                "Mimizan",
                "France",
                "05 58 00 00 00",
                "contact@ask-pins.invalid",
                ""};
    clubs[1] = {"Team Oc\xE9"
                "an",
                "Team Oc\xE9"
                "an Racing",
                "",
                "",
                "",
                "Biarritz",
                "France",
                "",
                "",
                ""};
    clubs[0].logoPath = WriteDemoPicture(folder, "LogoASKPins.bmp", 3, databases::kClubLogoChars);
    written = databases::SaveClubs(clubs, 2, folder.path(databases::kClubsFileName)) && written;

    // Men and women by birth years, children of either sex; years since 1900.
    databases::AgeCategoryTable ages{};
    databases::ClearAgeCategories(ages);
    const auto age = [&](int index, const char* code, const char* name, int sex, int fromYear,
                         int toYear) {
        ages[static_cast<std::size_t>(index)] = {
            code, name, sex, 0, fromYear, 11, toYear, 12 * fromYear, 11 + 12 * toYear};
    };
    age(0, "ENG", "Enfants gar\xE7ons", 1, 112, 126);
    age(1, "ENF", "Enfants filles", 0, 112, 126);
    age(2, "H", "Hommes", 1, 0, 111);
    age(3, "F", "Femmes", 0, 0, 111);
    written =
        databases::SaveAgeCategories(ages, 4, folder.path(databases::kAgeCategoriesFileName)) &&
        written;

    // The booked drivers are subscribers, born a few years apart, with the
    // run files their runs go to (kept from one demo start to the next).
    databases::SubscriberTable subscribers = databases::MakeSubscriberTable();
    const auto subscribe = [&](const DemoDriver& driver, int index, int sex, int birthYear) {
        databases::Subscriber& subscriber = subscribers[static_cast<std::size_t>(index)];
        subscriber.name = driver.name;
        subscriber.firstName = driver.firstName;
        subscriber.sex = sex;
        subscriber.country = "France";
        subscriber.town = "Mimizan";
        subscriber.club = index % 3 == 0 ? clubs[index % 2].clubName : std::string();
        subscriber.email = DemoEmail(driver);
        databases::SetBirthDate(subscriber, {(index * 5) % 28, (index * 4) % 12, birthYear});
        // A few portraits to show; the others wait for the operator's.
        if (index < kDemoPortraitVariants - 1)
            subscriber.photoPath =
                WriteDemoPicture(folder, "Pilote" + std::to_string(index + 1) + ".bmp", index,
                                 databases::kSubscriberPhotoChars);
        std::error_code ignored;
        const std::filesystem::path runFile =
            runs::RunFilePath(folder, driver.name, driver.firstName);
        if (!std::filesystem::exists(runFile, ignored) && runs::CreateRunFile(runFile))
            WriteDemoRuns(runFile, driver, index);
    };
    int subscribed = 0;
    for (const DemoDriver& driver : kAdults) {
        subscribe(driver, subscribed, subscribed % 2 == 0 ? 1 : 0, 80 + 3 * subscribed);
        ++subscribed;
    }
    for (const DemoDriver& driver : kChildren) {
        subscribe(driver, subscribed, subscribed % 2 == 0 ? 1 : 0, 114 + subscribed - 6);
        ++subscribed;
    }
    // Hugo Bernard's birthday is the day the demo starts (born in a leap
    // year, so that 29 February is a date too).
    for (int i = 0; i < subscribed; ++i) {
        databases::Subscriber& subscriber = subscribers[static_cast<std::size_t>(i)];
        if (subscriber.name == "Bernard" && subscriber.firstName == "Hugo")
            databases::SetBirthDate(subscriber, {today.day - 1, today.month - 1, 88});
    }
    databases::SortSubscribers(subscribers);
    written = databases::SaveSubscribers(subscribers, subscribed,
                                         folder.path(databases::kSubscribersFileName)) &&
              written;
    databases::FirstNameTable names = databases::BuildSubscriberFirstNames(
        subscribers, databases::MakeFirstNameTable(databases::kSubscriberFirstNames),
        databases::ShippedFirstNameCalendar());
    // Lucie's nameday is the day the demo starts too.
    if (const int lucie = databases::FindNormalisedFirstName(names, "Lucie"); lucie >= 0) {
        names[static_cast<std::size_t>(lucie)].namedayDay = today.day - 1;
        names[static_cast<std::size_t>(lucie)].namedayMonth = today.month - 1;
    }
    written = databases::SaveFirstNames(names, databases::CountFirstNames(names),
                                        folder.path(databases::kSubscriberFirstNamesFileName)) &&
              written;
    written = WriteDemoFinances(folder, subscribers, today) && written;
    written = WriteDemoMailing(folder) && written;

    session::LiveTiming live;
    session::BuildSessionFromFleet(live.session, databases::FleetLayoutFromCategories(categories));
    const auto transponders = databases::FleetTranspondersFromCategories(categories);
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < (c == 0 ? kAdultKarts : kChildKarts); ++k) {
            session::SessionKart& kart = live.session.kart(c, k);
            kart.transponder = transponders[c][k];
            kart.usage = session::KartUsage::InSession;
            kart.trackState = session::TrackState::Free;
        }
    BookDemoDrivers(live.session);
    live.header.trackName = tracks[0].name;
    live.header.minLapSeconds = 5;
    // A journal left behind means the demo stopped unexpectedly: its
    // session is restored at start-up, so the file it follows stays.
    std::error_code ignored;
    const bool restoring =
        std::filesystem::exists(folder.path(session::kJournalFileName), ignored) ||
        std::filesystem::exists(folder.path(session::kNextJournalFileName), ignored);
    if (!restoring)
        written = session::SaveSessionFile(folder, live.session, live.header) && written;

    written = decoder::SaveDecoderSettings(folder, {kDemoPort, 0, "TallimoVela2"}) && written;
    return written;
}

} // namespace tallimo::app
