#include "finances/core/price_printouts.h"

#include "finances/core/booking_rules.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <utility>

namespace tallimo::finances {
namespace {

// printf into a string of the length the text needs: a ticket line is
// never cut short.
std::string Printed(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printed(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, again);
    va_end(again);
    text.resize(text.size() - 1);
    return text;
}

TicketLine Line(std::string text, TicketType type, bool warning = false, std::string kart = {}) {
    TicketLine line;
    line.text = std::move(text);
    line.type = type;
    line.warning = warning;
    line.kart = std::move(kart);
    return line;
}

bool PaidWithPoints(const session::SessionKart& kart) {
    return kart.loyaltyCode >= kFreeSessionCodeBase;
}

std::string PriceText(long long price, const std::string& unit) {
    return Printed("%lld %s", price, unit.c_str());
}

std::string SessionText(const std::string& minutes) {
    return Printed("S\xE9"
                   "ance : %s min",
                   minutes.c_str());
}

} // namespace

std::vector<PriceListLine> PriceListLines(const PriceRow& row, const PriceListWords& words,
                                          const std::string& unit) {
    std::vector<PriceListLine> lines;
    for (const SessionPrice& entry : row) {
        if (entry.durationMinutes == 0)
            break;
        PriceListLine line;
        line.left = Printed("%s %d %s :", words.session.c_str(), entry.durationMinutes,
                            words.minutes.c_str());
        line.right = PriceText(entry.price, unit);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string PrintingTimeLine(const common::LocalDateTime& when) {
    return Printed("%d / %02d / %02d (%d:%02d:%02d)", when.year, when.month, when.day, when.hour,
                   when.minute, when.second);
}

std::string TicketCategoryName(const session::RentalSession& rental, int category) {
    if (category < 0 || category >= session::kCategoryCount)
        return {};
    const std::string& name = rental.categories[static_cast<std::size_t>(category)].categoryName;
    if (name.empty() && category == session::kPrivateCategoryIndex)
        return session::kPrivateCategoryName;
    return name;
}

std::vector<TicketLine> ReservationTicketLines(const std::string& categoryName,
                                               const session::SessionKart& kart,
                                               const std::string& unit,
                                               const common::LocalDateTime& printedAt) {
    std::vector<TicketLine> lines;
    lines.push_back(Line(categoryName, TicketType::Large));
    lines.push_back(Line(Printed("Kart %s", kart.kartLabel.c_str()), TicketType::Large));
    if (kart.driverName.empty())
        lines.push_back(Line(kNoDriverChosenText, TicketType::Body, true));
    else
        // A walk-in driver has no first name to follow the name.
        lines.push_back(
            Line(kart.driverFirstName.empty()
                     ? kart.driverName
                     : Printed("%s %s", kart.driverName.c_str(), kart.driverFirstName.c_str()),
                 TicketType::Body));
    if (kart.durationMinutes < 1)
        lines.push_back(Line(kNoSessionChosenText, TicketType::Large, true));
    else
        lines.push_back(Line(SessionText(std::to_string(kart.durationMinutes)), TicketType::Large));

    const bool unpaid = kart.paid != 1;
    lines.push_back(Line(PriceText(kart.price, unit), TicketType::Body, unpaid));
    if (unpaid)
        lines.push_back(Line(kNotPaidText, TicketType::Body, true));
    else if (PaidWithPoints(kart))
        lines.push_back(Line(
            Printed("PAYEE ( par %d pts fid\xE9lit\xE9 )", kart.loyaltyCode - kFreeSessionCodeBase),
            TicketType::Body));
    else
        lines.push_back(Line(kPaidText, TicketType::Body));
    lines.push_back(Line(PrintingTimeLine(printedAt), TicketType::Small));
    return lines;
}

std::string GroupDriverLine(const session::SessionKart& kart, const std::string& unit) {
    const std::string cost = PaidWithPoints(kart)
                                 ? Printed("%d pts fid", kart.loyaltyCode - kFreeSessionCodeBase)
                                 : PriceText(kart.price, unit);
    if (kart.driverFirstName.empty())
        return Printed("%s (%s)", kart.driverName.c_str(), cost.c_str());
    return Printed("%s %s (%s)", kart.driverName.c_str(), kart.driverFirstName.c_str(),
                   cost.c_str());
}

std::vector<TicketLine> GroupTicketLines(const std::string& categoryName,
                                         const std::vector<session::SessionKart>& karts,
                                         const std::string& unit,
                                         const common::LocalDateTime& printedAt) {
    std::vector<TicketLine> lines;
    lines.push_back(Line(categoryName, TicketType::Large));
    long long total = 0;
    bool allPaid = !karts.empty();
    for (const session::SessionKart& kart : karts) {
        lines.push_back(Line(GroupDriverLine(kart, unit), TicketType::Body, false,
                             Printed("%s-", kart.kartLabel.c_str())));
        total += kart.price;
        allPaid = allPaid && kart.paid == 1;
    }
    if (karts.empty()) {
        lines.push_back(Line(kNoDriverChosenText, TicketType::Body, true));
        lines.push_back(Line(kNoSessionChosenText, TicketType::Large, true));
    } else {
        // One group has one duration; karts booked apart may differ, and the
        // ticket then names every duration rather than one that is wrong.
        std::vector<int> durations;
        for (const session::SessionKart& kart : karts)
            durations.push_back(kart.durationMinutes);
        std::sort(durations.begin(), durations.end());
        durations.erase(std::unique(durations.begin(), durations.end()), durations.end());
        std::string minutes;
        for (const int duration : durations)
            minutes += (minutes.empty() ? "" : " / ") + std::to_string(duration);
        lines.push_back(Line(SessionText(minutes), TicketType::Large));
    }
    lines.push_back(Line(PriceText(total, unit), TicketType::Body, !allPaid));
    lines.push_back(Line(allPaid ? kPaidText : kNotPaidText, TicketType::Body, !allPaid));
    lines.push_back(Line(PrintingTimeLine(printedAt), TicketType::Small));
    return lines;
}

std::vector<session::SessionKart>
GroupTicketKarts(const session::RentalSession& rental, int category,
                 std::initializer_list<session::TrackState> states) {
    std::vector<session::SessionKart> karts;
    if (category < 0 || category >= session::kCategoryCount)
        return karts;
    for (const session::SessionKart& kart :
         rental.categories[static_cast<std::size_t>(category)].karts) {
        const bool listedState =
            std::find(states.begin(), states.end(), kart.trackState) != states.end();
        if (kart.usage != session::KartUsage::NotInSession && listedState &&
            !kart.driverName.empty() && kart.durationMinutes > 0)
            karts.push_back(kart);
    }
    return karts;
}

} // namespace tallimo::finances
