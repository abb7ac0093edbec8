#include "finances/core/booking_rules.h"

#include "common/core/name_rules.h"
#include "finances/core/date_window.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <limits>

namespace tallimo::finances {
namespace {

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool HasBirthDate(const databases::Subscriber& subscriber) {
    return subscriber.birthYear > 0 && subscriber.birthMonth >= 0 && subscriber.birthDay >= 0;
}

// The window of a date for `event` when its discount is on and today lies
// inside it.
std::optional<DateWindow> ApplyingWindow(const DiscountEvent& event, int day, int month,
                                         const common::DateIndex& today) {
    if (event.discountActive != 1)
        return std::nullopt;
    const std::optional<DateWindow> window =
        WindowOfDate(day, month, event.daysBefore, event.daysAfter, today);
    if (!window || !window->contains(common::DayNumber(today)))
        return std::nullopt;
    return window;
}

std::optional<DateWindow> BirthdayWindow(const BookingData& data,
                                         const databases::Subscriber& subscriber,
                                         const common::DateIndex& today) {
    if (!HasBirthDate(subscriber))
        return std::nullopt;
    return ApplyingWindow(data.discounts.events[kBirthdayEvent], subscriber.birthDay,
                          subscriber.birthMonth, today);
}

// The namedays of the subscriber's first name that apply today.
std::vector<DateWindow> NamedayWindows(const BookingData& data, std::string_view firstName,
                                       const common::DateIndex& today) {
    std::vector<DateWindow> windows;
    const std::string normalised = common::NormaliseName(firstName);
    for (const databases::SubscriberFirstName& entry : data.subscriberFirstNames) {
        if (entry.firstName.empty() || common::NormaliseName(entry.firstName) != normalised)
            continue;
        if (const auto window = ApplyingWindow(data.discounts.events[kNamedayEvent],
                                               entry.namedayDay, entry.namedayMonth, today))
            windows.push_back(*window);
    }
    return windows;
}

} // namespace

std::string FormatText(const char* format, ...) {
    char buffer[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    return buffer;
}

bool LoadBookingData(const common::WorkingFolder& folder, BookingData& data,
                     common::MessageSink& messages) {
    bool loaded = true;
    loaded &= databases::LoadCategoriesDatabase(folder, data.categories, messages);
    data.categoryNames = PricedCategoryNames(data.categories);
    loaded &= databases::LoadSubscribersDatabase(folder, data.subscribers, messages);
    loaded &=
        databases::LoadSubscriberFirstNamesDatabase(folder, data.subscriberFirstNames, messages);
    databases::SortFirstNames(data.subscriberFirstNames);
    loaded &= LoadPricesDatabase(folder, data.prices, messages);
    loaded &= LoadDiscountsDatabase(folder, data.discounts, messages);
    LoyaltyBalances fileBalances;
    loaded &= LoadBalancesDatabase(folder, fileBalances, messages);
    data.balances.header = fileBalances.header;
    data.balances.accounts = AlignAccounts(data.subscribers, fileBalances.accounts);
    loaded &= LoadSessionPointsDatabase(folder, data.points, messages);

    ZeroUnnamedCategoryRows(data.prices, data.categoryNames);
    ZeroUnnamedCategoryDiscounts(data.discounts, data.categoryNames);
    ZeroUnnamedCategoryPoints(data.points, data.categoryNames);
    return loaded;
}

int FindSubscriber(const databases::SubscriberTable& subscribers, std::string_view name,
                   std::string_view firstName) {
    if (name.empty() || firstName.empty())
        return -1;
    const int count = databases::CountSubscribers(subscribers);
    for (int i = 0; i < count; ++i) {
        if (subscribers[i].name == name && subscribers[i].firstName == firstName)
            return i;
    }
    return -1;
}

std::int32_t DiscountedPrice(std::int32_t price, std::int32_t discount, int discountMode) {
    const std::int64_t wide =
        discountMode == kAmountMode
            ? std::int64_t{price} - discount
            : (std::int64_t{100} - discount) * std::int64_t{price} / std::int64_t{100};
    return ClampToInt32(std::max<std::int64_t>(wide, 0));
}

std::string DiscountUnit(int discountMode, int currency) {
    return discountMode == kAmountMode ? CurrencyUnit(currency) : "%";
}

std::vector<std::string> SubscriberChosenMessages(const BookingData& data, std::string_view name,
                                                  std::string_view firstName,
                                                  const common::DateIndex& today) {
    std::vector<std::string> texts;
    const int index = FindSubscriber(data.subscribers, name, firstName);
    if (index < 0)
        return texts;
    const databases::Subscriber& subscriber = data.subscribers[index];
    const std::string first(firstName);
    const int todayNumber = common::DayNumber(today);

    if (const auto window = BirthdayWindow(data, subscriber, today)) {
        const int distance = window->distanceFrom(todayNumber);
        // The age the driver has on the birthday shown, in that year.
        const int age = window->yearIndex - subscriber.birthYear;
        const int day = subscriber.birthDay + 1;
        const int month = subscriber.birthMonth + 1;
        const int year = subscriber.birthYear + 1900;
        if (distance == 0)
            texts.push_back(
                FormatText("Joyeux anniversaire %s !\n\n Aujourd'hui, %d ans (%d/%02d/%04d)",
                           first.c_str(), age, day, month, year));
        else if (distance > 0)
            texts.push_back(FormatText("Joyeux anniversaire %s !\n\n Dans %d jours, %d ans "
                                       "(%d/%02d/%04d)",
                                       first.c_str(), distance, age, day, month, year));
        else
            texts.push_back(FormatText("Joyeux anniversaire %s !\n\n Il y a %d jours, %d ans "
                                       "(%d/%02d/%04d)",
                                       first.c_str(), -distance, age, day, month, year));
    }

    for (const DateWindow& window : NamedayWindows(data, firstName, today)) {
        const int distance = window.distanceFrom(todayNumber);
        const common::DateIndex date = common::DateFromDayNumber(window.dayNumber);
        const int year = window.yearIndex + 1900;
        if (distance == 0)
            texts.push_back(FormatText("Bonne f\xEAte %s !\n\n Aujourd'hui (%d/%02d/ %04d)",
                                       first.c_str(), date.day + 1, date.month + 1, year));
        else if (distance > 0)
            texts.push_back(FormatText("Bonne f\xEAte %s !\n\n Dans %d jours (%d/%02d/%04d)",
                                       first.c_str(), distance, date.day + 1, date.month + 1,
                                       year));
        else
            texts.push_back(FormatText("Bonne f\xEAte %s !\n\n Il y a %d jours (%d/%02d/%04d)",
                                       first.c_str(), -distance, date.day + 1, date.month + 1,
                                       year));
    }

    if (data.loyaltyActive()) {
        const int account = FindAccount(data.balances.accounts, name, firstName);
        const std::int32_t points = account >= 0 ? data.balances.accounts[account].points : 0;
        if (points >= 0)
            texts.push_back(FormatText("Points fid\xE9lit\xE9 %s = %d", first.c_str(), points));
    }
    return texts;
}

std::optional<DiscountOffer> BestDiscountOffer(const BookingData& data, int category, int session,
                                               std::int32_t price, std::string_view name,
                                               std::string_view firstName,
                                               const common::DateIndex& today) {
    const int mode = data.discounts.discountMode;
    const std::string unit = DiscountUnit(mode, CurrentCurrency(data.prices));
    std::optional<DiscountOffer> best;
    const auto offer = [&](int event) {
        DiscountOffer candidate;
        candidate.event = event;
        candidate.discount = DiscountOf(data.discounts.events[event], category, session);
        candidate.price = DiscountedPrice(price, candidate.discount, mode);
        return candidate;
    };
    const std::string first(firstName);

    const int index = FindSubscriber(data.subscribers, name, firstName);
    if (index >= 0) {
        if (BirthdayWindow(data, data.subscribers[index], today)) {
            best = offer(kBirthdayEvent);
            best->question =
                FormatText("C'est l'anniversaire de %s !\nApplication Remise (-%d%s) ?",
                           first.c_str(), best->discount, unit.c_str());
        }
        if (!NamedayWindows(data, firstName, today).empty()) {
            DiscountOffer candidate = offer(kNamedayEvent);
            if (!best || candidate.price < best->price) {
                candidate.question =
                    FormatText("C'est la f\xEAte de %s !\nApplication Remise (-%d%s) ?",
                               first.c_str(), candidate.discount, unit.c_str());
                best = candidate;
            }
        }
    }

    const int end = DatedEventEnd(data.discounts);
    for (int event = kFirstDatedEvent; event < end; ++event) {
        const DiscountEvent& e = data.discounts.events[event];
        if (!ApplyingWindow(e, e.eventDay, e.eventMonth, today))
            continue;
        DiscountOffer candidate = offer(event);
        if (!best || candidate.price < best->price) {
            candidate.question = FormatText("C'est %s !\nApplication Remise (-%d%s) ?",
                                            e.eventName.c_str(), candidate.discount, unit.c_str());
            best = candidate;
        }
    }
    return best;
}

std::optional<FreeSessionOffer> FreeSessionOfferFor(const BookingData& data, int category,
                                                    int session, std::string_view name,
                                                    std::string_view firstName,
                                                    bool positiveCostOnly) {
    if (!data.loyaltyActive() || session < 0)
        return std::nullopt;
    const int account = FindAccount(data.balances.accounts, name, firstName);
    if (account < 0)
        return std::nullopt;
    FreeSessionOffer offer;
    offer.account = account;
    offer.points = data.balances.accounts[account].points;
    offer.cost = FreeSessionCostOf(data.points, category, session);
    // A negative cost would make a code below 10000, read back as an event.
    if (offer.cost < 0 || (positiveCostOnly && offer.cost == 0) || offer.cost > offer.points)
        return std::nullopt;
    const std::string first(firstName);
    offer.question = FormatText("Points fid\xE9lit\xE9 %s = %d\nLa s\xE9"
                                "ance gratuite coute %d points\nS\xE9"
                                "ance gratuite ?",
                                first.c_str(), offer.points, offer.cost);
    offer.remainingMessage =
        FormatText("Il restera %d points fid\xE9lit\xE9", offer.points - offer.cost);
    return offer;
}

FreeingOutcome ApplyFreeing(BookingData& data, int category, const session::SessionKart& kart) {
    FreeingOutcome outcome;
    if (kart.driverName.empty() || kart.driverFirstName.empty() ||
        kart.trackState != session::TrackState::Finished || kart.durationMinutes <= 0 ||
        kart.lastLapIndex <= 0)
        return outcome;

    runs::DriverRun run;
    run.driverName = kart.driverName;
    run.driverFirstName = kart.driverFirstName;
    run.lastLapIndex = std::min(kart.lastLapIndex, runs::kMaxRunLaps);
    for (int i = 0; i <= run.lastLapIndex; ++i)
        run.passingTimes[i] = kart.passingTimes[i];
    outcome.run = run;

    if (!data.loyaltyActive())
        return outcome;
    const int account = FindAccount(data.balances.accounts, kart.driverName, kart.driverFirstName);
    if (account < 0)
        return outcome;
    std::int32_t& points = data.balances.accounts[account].points;
    const std::string first = kart.driverFirstName;
    if (kart.loyaltyCode < kFreeSessionCodeBase) {
        // The price row may have lost the duration since the kart was booked.
        const int session = SessionIndexOf(PriceRowOf(data.prices, category), kart.durationMinutes);
        if (session < 0)
            return outcome;
        const std::int32_t earned = SessionPointsOf(data.points, category, session);
        points = ClampPoints(std::int64_t{points} + earned);
        outcome.messages.push_back(
            FormatText("%d points de fid\xE9lit\xE9 ont \xE9t\xE9 gagn\xE9s par %s.\n Il "
                       "poss\xE8"
                       "de maintenant %d points fid\xE9lit\xE9.",
                       earned, first.c_str(), points));
    } else {
        const std::int32_t spent = kart.loyaltyCode - kFreeSessionCodeBase;
        points = ClampPoints(std::int64_t{points} - spent);
        outcome.messages.push_back(
            FormatText("%d points de fid\xE9lit\xE9 ont \xE9t\xE9 utilis\xE9s par %s.\n Il lui "
                       "restera %d points fid\xE9lit\xE9.",
                       spent, first.c_str(), points));
    }
    outcome.balancesChanged = true;
    return outcome;
}

std::vector<std::int32_t> RedistributeTotal(const std::vector<std::int32_t>& groupPrices,
                                            std::int64_t amountToPay) {
    std::vector<std::int32_t> prices = groupPrices;
    std::int64_t sum = 0;
    for (const std::int32_t price : prices)
        sum += std::max<std::int32_t>(price, 0);
    std::int64_t gap = sum - std::max<std::int64_t>(amountToPay, 0);
    // Whole rounds at once, then one last partial round: the same result as
    // unit by unit, without millions of turns for a large gap.
    while (gap > 0) {
        std::int64_t giving = 0;
        std::int32_t smallest = std::numeric_limits<std::int32_t>::max();
        for (const std::int32_t price : prices) {
            if (price > 0) {
                ++giving;
                smallest = std::min(smallest, price);
            }
        }
        if (giving == 0)
            break;
        const std::int64_t rounds = std::min<std::int64_t>(smallest, gap / giving);
        if (rounds > 0) {
            for (std::int32_t& price : prices) {
                if (price > 0)
                    price = static_cast<std::int32_t>(price - rounds);
            }
            gap -= rounds * giving;
            continue;
        }
        for (std::int32_t& price : prices) {
            if (gap == 0)
                break;
            if (price > 0) {
                --price;
                --gap;
            }
        }
    }
    return prices;
}

} // namespace tallimo::finances
