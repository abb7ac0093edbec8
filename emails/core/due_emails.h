#pragma once

// Which promotional e-mails are due on a day: the birthdays, the namedays,
// each dated discount event and the loyalty mailing, each group with its
// recipients in subscriber order. A group is due only once its window has
// opened and its last-sent marker lies before today, so what was sent
// today is not offered again.

#include "common/core/date_index.h"
#include "emails/core/email_sources.h"
#include "finances/core/discounts_file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tallimo::emails {

// The smallest and largest discount of an event over the sessions that
// have a price, rental karts and private karts apart (0 when none has),
// and the unit they are in: the currency's, or "%" (Windows-1252).
struct DiscountSummary {
    std::int32_t rentalMin = 0;
    std::int32_t rentalMax = 0;
    std::int32_t privateMin = 0;
    std::int32_t privateMax = 0;
    std::string unit;
    friend bool operator==(const DiscountSummary&, const DiscountSummary&) = default;
};

DiscountSummary SummaryOf(const finances::DiscountEvent& event, const finances::PriceTable& prices,
                          int discountMode);

// The fewest points a free session costs, over the sessions that have a
// price and a cost; 0 when none has.
struct FreeSessionCosts {
    std::int32_t rental = 0;
    std::int32_t privateKarts = 0;
};
FreeSessionCosts CheapestFreeSessions(const finances::SessionPointsTables& points,
                                      const finances::PriceTable& prices);

enum class EmailKind { Birthday, Nameday, Event, Loyalty };

struct DueRecipient {
    int subscriber = 0;
    // The day number of the birthday or nameday the e-mail is for (its new
    // `extra1` / `extra2`); unused for events and loyalty.
    int occasionDay = 0;
    std::int32_t points = 0; // loyalty only
};

// A line of the nameday group: a first name and how many subscribers
// bearing it are due.
struct NamedayEntry {
    std::string firstName;
    int subscribers = 0;
};

struct EmailGroup {
    EmailKind kind = EmailKind::Birthday;
    int eventIndex = -1; // the discount event; -1 for loyalty
    std::string name;    // heading of the group (Windows-1252)
    DiscountSummary summary;
    // Events: the occurrence whose e-mails these are (the new `spareInt`).
    // Loyalty: today (the new `loyaltySpare`).
    int occurrenceDay = 0;
    std::vector<DueRecipient> recipients; // subscriber order
    std::vector<NamedayEntry> namedays;

    bool due() const { return !recipients.empty(); }
};

struct DueEmails {
    common::DateIndex today;
    int todayNumber = 0;
    std::vector<bool> emailValid; // per subscriber record
    int validEmailCount = 0;
    // Sending order: birthdays, namedays, the events by index, loyalty.
    // Birthdays and namedays are always there; an event only with its
    // discount and its e-mail active, loyalty only with the programme and
    // its mailing active.
    std::vector<EmailGroup> groups;
};

DueEmails ComputeDueEmails(const EmailSources& sources, const common::DateIndex& today);

} // namespace tallimo::emails
