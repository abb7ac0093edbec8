#pragma once

// Which karts of a category take part in the session. The kart list windows
// edit their own copy of the session with these functions; a refused change
// leaves the session exactly as it was and says why through the message sink.

#include "common/core/message_sink.h"
#include "common/core/sound_player.h"
#include "session/core/rental_session.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::session {

inline constexpr const char* kKartListSound = "sons/beep1.wav";
inline const char* const kKartListErrorCaption = "Error";

// The fleet's transponders by category and position, beside the kart
// identifiers of `FleetLayout` (empty where the fleet has no number).
using FleetTransponderTable =
    std::array<std::array<std::string, kKartsPerCategory>, kRentalCategoryCount>;

enum class KartListChange {
    Added,
    Removed,
    AlreadyUsed,   // refused with a message
    BrokenDown,    // refused with a message
    InUse,         // refused with a message: booked, timing or finished
    ListFull,      // refused silently
    NotInCategory, // no slot carries the label: nothing to do
};

// The category a list window works on: `selectedTreeItem` / 100, or -1 when
// the item is not one of the six categories.
int KartListCategory(int selectedTreeItem);

// The fleet's kart identifiers for the session category named `categoryName`,
// in position order, from every one of the five fleet categories of that name.
std::vector<std::string> FleetKartIdsFor(const FleetLayout& fleet, std::string_view categoryName);

// The labels of the category's slots in the session (`usage` 1), in slot order.
std::vector<std::string> UsedKartLabels(const RentalSession& session, int category);

// The fleet transponder of `kartId`: of several entries carrying it the last
// one wins. False, with `transponder` untouched, when none does.
bool FindFleetTransponder(const FleetLayout& fleet, const FleetTransponderTable& transponders,
                          std::string_view kartId, std::string& transponder);

// "<---" of the rental list: takes the slot labelled `kartId` into the
// session, free, with its fleet transponder.
KartListChange AddRentalKart(RentalSession& session, int category, std::string_view kartId,
                             const FleetLayout& fleet, const FleetTransponderTable& transponders,
                             common::SoundPlayer& sounds, common::MessageSink& messages);

// "+" of the private list: opens the first slot out of the session, with an
// empty transponder (the operator types it at the reservation).
KartListChange AddPrivateKart(RentalSession& session, common::SoundPlayer& sounds);

// "--->" and "-": takes the slot labelled `kartLabel` out of the session
// when it is free; a kart with a booked, running or finished run stays.
KartListChange RemoveSessionKart(RentalSession& session, int category, std::string_view kartLabel,
                                 common::SoundPlayer& sounds, common::MessageSink& messages);

// After the single reservation window closed on the kart labelled `label`
// (the last slot carrying it): left without a driver, the booking was
// cancelled or the kart freed, so it is free again with its run cleared; a
// free kart that was given a driver is reserved.
void SettleReservation(RentalSession& session, std::string_view label);

// After the group window on `category`: every free kart of it that now has
// a driver is reserved, with its elapsed minutes and lap data cleared.
void SettleGroupReservation(RentalSession& session, int category);

// The refusal texts, Windows-1252.
std::string AlreadyUsedText(std::string_view kartLabel);
std::string BrokenDownText(std::string_view kartLabel);
std::string InUseText(std::string_view kartLabel);

} // namespace tallimo::session
