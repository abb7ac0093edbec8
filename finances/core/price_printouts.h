#pragma once

// What the price lists and the reservation tickets print, as lines of text:
// the Qt side only places and draws them. Texts are Windows-1252 and are
// built whole, never cut, so a long name reaches the page as it was typed
// and the drawing side decides how to fit it.

#include "common/core/local_clock.h"
#include "finances/core/session_prices.h"
#include "session/core/rental_session.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace tallimo::finances {

// The session and minutes words of the price list lines ("Séance", "minutes").
struct PriceListWords {
    std::string session;
    std::string minutes;
};

// "%s %d %s :" on the left, "%d %s" right-aligned.
struct PriceListLine {
    std::string left;
    std::string right;
    friend bool operator==(const PriceListLine&, const PriceListLine&) = default;
};

// One line per offered duration of `row`, in row order, stopping at the
// first free entry: at most six.
std::vector<PriceListLine> PriceListLines(const PriceRow& row, const PriceListWords& words,
                                          const std::string& unit);

// How a ticket line is set: the large bold type of the category, the kart
// and the session, the body type of the driver and the price, the small type
// of the printing time.
enum class TicketType { Large, Body, Small };

struct TicketLine {
    std::string text;
    TicketType type = TicketType::Body;
    bool warning = false; // in red: something the counter must look at
    // A group ticket's kart label ("%s-"), set before the driver line.
    std::string kart;
    friend bool operator==(const TicketLine&, const TicketLine&) = default;
};

inline const char* const kNoDriverChosenText = "Aucun pilote choisi !";
inline const char* const kNoSessionChosenText = "Aucune s\xE9"
                                                "ance choisie !";
inline const char* const kPaidText = "PAYEE";
inline const char* const kNotPaidText = "NON PAYEE !";

// "%d / %02d / %02d (%d:%02d:%02d)": year, month, day, hour, minute, second.
std::string PrintingTimeLine(const common::LocalDateTime& when);

// The heading of a session category on a ticket; the private karts' own
// name when their category has none.
std::string TicketCategoryName(const session::RentalSession& rental, int category);

// The ticket of one kart as it stands in `kart`: its category, "Kart %s",
// the driver, the session, the price and whether (and how) it was paid,
// then the printing time.
std::vector<TicketLine> ReservationTicketLines(const std::string& categoryName,
                                               const session::SessionKart& kart,
                                               const std::string& unit,
                                               const common::LocalDateTime& printedAt);

// A group ticket's driver line: "%s %s (%d %s)", "%s (%d %s)" without a first
// name, "(%d pts fid)" in place of the price for a run paid with points.
std::string GroupDriverLine(const session::SessionKart& kart, const std::string& unit);

// The ticket of the karts `karts` of one category: each kart "%s-" with its
// driver line, the session (every duration, should they differ), the total
// and the payment of the whole group (paid only when every kart is), then
// the printing time.
std::vector<TicketLine> GroupTicketLines(const std::string& categoryName,
                                         const std::vector<session::SessionKart>& karts,
                                         const std::string& unit,
                                         const common::LocalDateTime& printedAt);

// The karts of `category` a group ticket lists, in slot order: in the
// session, with a driver and a duration above 0, in one of `states`.
std::vector<session::SessionKart>
GroupTicketKarts(const session::RentalSession& rental, int category,
                 std::initializer_list<session::TrackState> states);

} // namespace tallimo::finances
