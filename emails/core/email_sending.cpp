#include "emails/core/email_sending.h"

#include "emails/core/mailing_address.h"
#include "finances/core/discounts_file.h"

#include <algorithm>

namespace tallimo::emails {
namespace {

// Far wider than any discount period and far from overflowing a day number.
constexpr int kMaxPeriodDays = 100000;

struct Person {
    std::string name;
    std::string firstName;
    std::string email;
};

Person PersonOf(const EmailSources& sources, int subscriber) {
    const databases::Subscriber& record = sources.subscribers[static_cast<std::size_t>(subscriber)];
    return {record.name, record.firstName, record.email};
}

MailingQuery ClubQuery(const char* page, const char* object, const ClubContact& contact,
                       const Person& person) {
    MailingQuery query(page);
    query.utf8("objet", object)
        .text("emailkarting", contact.contactEmail)
        .text("clubkarting", contact.contactName)
        .text("phonekarting", contact.contactPhone)
        .text("websitekarting", contact.contactWebsite)
        .text("name", person.name)
        .text("firstname", person.firstName)
        .text("email", person.email);
    return query;
}

// The discount e-mails: birthday, nameday and event pages. The period runs
// from `daysBefore` before the occasion to `daysAfter` after it, each end
// a real date of the calendar.
std::string DiscountAddress(std::string_view formBase, const char* page, const char* object,
                            const EmailSources& sources, const Person& person, int eventIndex,
                            int occasionDay) {
    const finances::DiscountEvent& event =
        sources.discounts.events[static_cast<std::size_t>(eventIndex)];
    const DiscountSummary summary =
        SummaryOf(event, sources.prices, sources.discounts.discountMode);
    MailingQuery query = ClubQuery(page, object, sources.contact, person);
    if (eventIndex >= finances::kFirstDatedEvent)
        query.text("event", event.eventName);
    query.number("remiseminkartloc", summary.rentalMin)
        .number("remisemaxkartloc", summary.rentalMax)
        .number("remiseminkartprive", summary.privateMin)
        .number("remisemaxkartprive", summary.privateMax)
        .text("remiseunite", summary.unit)
        .utf8("datemin", FormatMailDate(occasionDay - std::clamp(event.daysBefore, -kMaxPeriodDays,
                                                                 kMaxPeriodDays)))
        .utf8("datemax", FormatMailDate(occasionDay + std::clamp(event.daysAfter, -kMaxPeriodDays,
                                                                 kMaxPeriodDays)));
    return MailingAddress(formBase, query);
}

std::string LoyaltyAddress(std::string_view formBase, const char* object,
                           const EmailSources& sources, const Person& person, std::int32_t points) {
    const FreeSessionCosts costs = CheapestFreeSessions(sources.sessionPoints, sources.prices);
    // How many free sessions the points buy, for the cheapest of each kind.
    const auto freeSessions = [points](std::int32_t cost) { return cost > 0 ? points / cost : 0; };
    MailingQuery query = ClubQuery(kLoyaltyPage, object, sources.contact, person);
    query.number("ptsfidelite", points)
        .number("seancegratuiteloc", freeSessions(costs.rental))
        .number("seancegratuiteprive", freeSessions(costs.privateKarts))
        .number("ptsseancegratuiteloc", costs.rental)
        .number("ptsseancegratuiteprive", costs.privateKarts);
    return MailingAddress(formBase, query);
}

const char* PageOf(EmailKind kind) {
    switch (kind) {
    case EmailKind::Nameday:
        return kNamedayPage;
    case EmailKind::Event:
        return kEventPage;
    case EmailKind::Loyalty:
        return kLoyaltyPage;
    case EmailKind::Birthday:
        break;
    }
    return kBirthdayPage;
}

int PreviewEvent(const EmailSources& sources) {
    const int end = finances::DatedEventEnd(sources.discounts);
    for (int index = finances::kFirstDatedEvent; index < end; ++index) {
        if (sources.discounts.events[static_cast<std::size_t>(index)].mailActive == 1)
            return index;
    }
    return finances::kFirstDatedEvent;
}

} // namespace

bool HasMailingForm(std::string_view formBase) {
    return formBase.find_first_not_of(" \t") != std::string_view::npos;
}

std::vector<PlannedEmail> PlanGroup(const EmailGroup& group, const EmailSources& sources,
                                    std::string_view formBase) {
    std::vector<PlannedEmail> plan;
    plan.reserve(group.recipients.size());
    for (const DueRecipient& recipient : group.recipients) {
        const Person person = PersonOf(sources, recipient.subscriber);
        PlannedEmail email{group.kind, group.eventIndex, recipient.subscriber, {}};
        if (group.kind == EmailKind::Loyalty) {
            email.url = LoyaltyAddress(formBase, kSendObject, sources, person, recipient.points);
        } else {
            const int occasion =
                group.kind == EmailKind::Event ? group.occurrenceDay : recipient.occasionDay;
            email.url = DiscountAddress(formBase, PageOf(group.kind), kSendObject, sources, person,
                                        group.eventIndex, occasion);
        }
        plan.push_back(std::move(email));
    }
    return plan;
}

std::vector<PlannedEmail> PlanAllDue(const DueEmails& due, const EmailSources& sources,
                                     std::string_view formBase) {
    std::vector<PlannedEmail> plan;
    for (const EmailGroup& group : due.groups) {
        std::vector<PlannedEmail> part = PlanGroup(group, sources, formBase);
        plan.insert(plan.end(), std::make_move_iterator(part.begin()),
                    std::make_move_iterator(part.end()));
    }
    return plan;
}

GroupOutcome SendGroup(const EmailGroup& group, EmailSources& sources, std::string_view formBase,
                       AddressOpener& opener) {
    GroupOutcome outcome;
    const std::vector<PlannedEmail> plan = PlanGroup(group, sources, formBase);
    for (std::size_t k = 0; k < plan.size(); ++k) {
        if (!opener.open(plan[k].url)) {
            outcome.refused = true;
            break;
        }
        ++outcome.accepted;
        const DueRecipient& recipient = group.recipients[k];
        databases::Subscriber& subscriber =
            sources.subscribers[static_cast<std::size_t>(recipient.subscriber)];
        if (group.kind == EmailKind::Birthday) {
            subscriber.extra1 = recipient.occasionDay;
            sources.subscribersChanged = true;
        } else if (group.kind == EmailKind::Nameday) {
            subscriber.extra2 = recipient.occasionDay;
            sources.subscribersChanged = true;
        }
    }
    if (outcome.refused || outcome.accepted == 0)
        return outcome;
    if (group.kind == EmailKind::Event) {
        sources.discounts.events[static_cast<std::size_t>(group.eventIndex)].spareInt =
            group.occurrenceDay;
        sources.discountsChanged = true;
    } else if (group.kind == EmailKind::Loyalty) {
        sources.balances.header.loyaltySpare = group.occurrenceDay;
        sources.balancesChanged = true;
    }
    return outcome;
}

std::string PreviewAddress(i18n::EmailPreview preview, const EmailSources& sources,
                           const common::DateIndex& today, std::string_view formBase) {
    const Person example;
    const int todayNumber = common::DayNumber(today);
    switch (preview) {
    case i18n::EmailPreview::Birthday:
        return DiscountAddress(formBase, kBirthdayPage, kPreviewObject, sources, example,
                               finances::kBirthdayEvent, todayNumber);
    case i18n::EmailPreview::Nameday:
        return DiscountAddress(formBase, kNamedayPage, kPreviewObject, sources, example,
                               finances::kNamedayEvent, todayNumber);
    case i18n::EmailPreview::Event:
        return DiscountAddress(formBase, kEventPage, kPreviewObject, sources, example,
                               PreviewEvent(sources), todayNumber);
    case i18n::EmailPreview::Loyalty:
        break;
    }
    return LoyaltyAddress(formBase, kPreviewObject, sources, example, 0);
}

} // namespace tallimo::emails
