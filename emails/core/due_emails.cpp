#include "emails/core/due_emails.h"

#include "common/core/name_rules.h"
#include "emails/core/email_check.h"
#include "finances/core/date_window.h"

#include <algorithm>
#include <optional>

namespace tallimo::emails {
namespace {

using finances::kPriceRows;
using finances::kSessionsPerRow;

// Grows a min/max pair from its first value on.
struct Range {
    bool seen = false;
    std::int32_t min = 0;
    std::int32_t max = 0;

    void add(std::int32_t value) {
        min = seen ? std::min(min, value) : value;
        max = seen ? std::max(max, value) : value;
        seen = true;
    }
};

bool MailingOn(const finances::DiscountEvent& event) {
    return event.discountActive == 1 && event.mailActive == 1;
}

// The window in which the e-mail of a yearly date is due: from
// `mailDaysBefore` days before the date to the date itself.
std::optional<finances::DateWindow> MailWindow(int day, int month, int mailDaysBefore,
                                               const common::DateIndex& today) {
    return finances::WindowOfDate(day, month, mailDaysBefore, 0, today);
}

EmailGroup BirthdayGroup(const EmailSources& sources, const DueEmails& due, int count) {
    const finances::DiscountEvent& event = sources.discounts.events[finances::kBirthdayEvent];
    EmailGroup group;
    group.kind = EmailKind::Birthday;
    group.eventIndex = finances::kBirthdayEvent;
    group.name = sources.label(kLabelBirthdays);
    group.summary = SummaryOf(event, sources.prices, sources.discounts.discountMode);
    if (!MailingOn(event))
        return group;
    for (int i = 0; i < count; ++i) {
        const databases::Subscriber& subscriber = sources.subscribers[static_cast<std::size_t>(i)];
        // Year 0 is how a record says it has no date of birth.
        if (subscriber.birthYear <= 0 || subscriber.birthMonth < 0 || subscriber.birthDay < 0)
            continue;
        const auto window =
            MailWindow(subscriber.birthDay, subscriber.birthMonth, event.mailDaysBefore, due.today);
        if (!window || !due.emailValid[static_cast<std::size_t>(i)] ||
            subscriber.extra1 >= due.todayNumber || !window->contains(due.todayNumber))
            continue;
        group.recipients.push_back({i, window->dayNumber, 0});
    }
    return group;
}

EmailGroup NamedayGroup(const EmailSources& sources, const DueEmails& due, int count) {
    const finances::DiscountEvent& event = sources.discounts.events[finances::kNamedayEvent];
    EmailGroup group;
    group.kind = EmailKind::Nameday;
    group.eventIndex = finances::kNamedayEvent;
    group.name = sources.label(kLabelNamedays);
    group.summary = SummaryOf(event, sources.prices, sources.discounts.discountMode);
    if (!MailingOn(event))
        return group;

    std::vector<std::string> normalised;
    normalised.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        normalised.push_back(
            common::NormaliseName(sources.subscribers[static_cast<std::size_t>(i)].firstName));
    // A subscriber gets one nameday e-mail even when a hand-edited file
    // lists the first name twice.
    std::vector<std::optional<int>> occasion(static_cast<std::size_t>(count));

    const int names = databases::CountFirstNames(sources.firstNames);
    for (int k = 0; k < names; ++k) {
        const databases::SubscriberFirstName& entry =
            sources.firstNames[static_cast<std::size_t>(k)];
        const int month = entry.namedayMonth;
        const int day = entry.namedayDay;
        if (month < 0 || month > 11 || day < 0 || day >= common::DaysInMonth(month, due.today.year))
            continue;
        const auto window = MailWindow(day, month, event.mailDaysBefore, due.today);
        if (!window || !window->contains(due.todayNumber))
            continue;
        const std::string key = common::NormaliseName(entry.firstName);
        int bearers = 0;
        for (int i = 0; i < count; ++i) {
            const auto index = static_cast<std::size_t>(i);
            if (occasion[index] || !due.emailValid[index] || normalised[index] != key ||
                sources.subscribers[index].extra2 >= due.todayNumber)
                continue;
            occasion[index] = window->dayNumber;
            ++bearers;
        }
        if (bearers > 0)
            group.namedays.push_back({entry.firstName, bearers});
    }
    for (int i = 0; i < count; ++i) {
        if (const auto day = occasion[static_cast<std::size_t>(i)])
            group.recipients.push_back({i, *day, 0});
    }
    return group;
}

EmailGroup EventGroup(const EmailSources& sources, const DueEmails& due, int index, int count) {
    const finances::DiscountEvent& event =
        sources.discounts.events[static_cast<std::size_t>(index)];
    EmailGroup group;
    group.kind = EmailKind::Event;
    group.eventIndex = index;
    group.name = event.eventName;
    group.summary = SummaryOf(event, sources.prices, sources.discounts.discountMode);
    const auto window =
        MailWindow(event.eventDay, event.eventMonth, event.mailDaysBefore, due.today);
    if (!window || event.spareInt >= due.todayNumber || !window->contains(due.todayNumber))
        return group;
    group.occurrenceDay = window->dayNumber;
    for (int i = 0; i < count; ++i) {
        if (due.emailValid[static_cast<std::size_t>(i)])
            group.recipients.push_back({i, window->dayNumber, 0});
    }
    return group;
}

EmailGroup LoyaltyGroup(const EmailSources& sources, const DueEmails& due, int count) {
    const finances::LoyaltyHeader& header = sources.balances.header;
    EmailGroup group;
    group.kind = EmailKind::Loyalty;
    group.name = sources.label(kLabelLoyaltyCard);
    group.occurrenceDay = due.todayNumber;
    // Hand-edited headers may hold any number: no overflow on the way.
    const std::int64_t nextMailing = std::int64_t{header.loyaltySpare} +
                                     std::int64_t{31} * std::int64_t{header.freeSessionMailMonths};
    const FreeSessionCosts costs = CheapestFreeSessions(sources.sessionPoints, sources.prices);
    if (nextMailing > due.todayNumber || (costs.rental <= 0 && costs.privateKarts <= 0))
        return group;
    const std::vector<finances::LoyaltyAccount> accounts =
        finances::AlignAccounts(sources.subscribers, sources.balances.accounts);
    for (int i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const std::int32_t points = index < accounts.size() ? accounts[index].points : 0;
        if (due.emailValid[index] && points > 0)
            group.recipients.push_back({i, 0, points});
    }
    return group;
}

} // namespace

DiscountSummary SummaryOf(const finances::DiscountEvent& event, const finances::PriceTable& prices,
                          int discountMode) {
    Range rental;
    Range privateKarts;
    for (std::size_t c = 0; c < kPriceRows; ++c) {
        for (std::size_t s = 0; s < kSessionsPerRow; ++s) {
            if (prices.rentalPrices[c][s].price > 0)
                rental.add(event.rentalDiscounts[c][s]);
        }
    }
    for (std::size_t s = 0; s < kSessionsPerRow; ++s) {
        if (prices.privatePrices[s].price > 0)
            privateKarts.add(event.privateDiscounts[s]);
    }
    DiscountSummary summary{rental.min, rental.max, privateKarts.min, privateKarts.max, {}};
    // An index no currency has leaves the unit empty.
    summary.unit = discountMode == finances::kAmountMode
                       ? finances::CurrencyUnit(finances::CurrentCurrency(prices))
                       : std::string("%");
    return summary;
}

FreeSessionCosts CheapestFreeSessions(const finances::SessionPointsTables& points,
                                      const finances::PriceTable& prices) {
    Range rental;
    Range privateKarts;
    for (std::size_t c = 0; c < kPriceRows; ++c) {
        for (std::size_t s = 0; s < kSessionsPerRow; ++s) {
            if (prices.rentalPrices[c][s].price > 0 && points.freeSessionCost[c][s] > 0)
                rental.add(points.freeSessionCost[c][s]);
        }
    }
    for (std::size_t s = 0; s < kSessionsPerRow; ++s) {
        if (prices.privatePrices[s].price > 0 && points.privateFreeSessionCost[s] > 0)
            privateKarts.add(points.privateFreeSessionCost[s]);
    }
    return {rental.min, privateKarts.min};
}

DueEmails ComputeDueEmails(const EmailSources& sources, const common::DateIndex& today) {
    DueEmails due;
    due.today = today;
    due.todayNumber = common::DayNumber(today);
    const int count = databases::CountSubscribers(sources.subscribers);
    due.emailValid.assign(sources.subscribers.size(), false);
    for (int i = 0; i < count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        due.emailValid[index] = IsValidEmail(sources.subscribers[index].email);
        due.validEmailCount += due.emailValid[index] ? 1 : 0;
    }

    due.groups.push_back(BirthdayGroup(sources, due, count));
    due.groups.push_back(NamedayGroup(sources, due, count));
    const int eventEnd = finances::DatedEventEnd(sources.discounts);
    for (int index = finances::kFirstDatedEvent; index < eventEnd; ++index) {
        if (MailingOn(sources.discounts.events[static_cast<std::size_t>(index)]))
            due.groups.push_back(EventGroup(sources, due, index, count));
    }
    const finances::LoyaltyHeader& header = sources.balances.header;
    if (header.loyaltyActive == 1 && header.freeSessionMailActive == 1)
        due.groups.push_back(LoyaltyGroup(sources, due, count));
    return due;
}

} // namespace tallimo::emails
