#include "session/core/kart_lists.h"

namespace tallimo::session {
namespace {

bool IsCategory(int category) {
    return category >= 0 && category < kCategoryCount;
}

// Everything a run leaves on a slot; the label and the transponder stay.
void ClearRun(SessionKart& kart) {
    kart.driverName.clear();
    kart.driverFirstName.clear();
    kart.spareText.clear();
    kart.durationMinutes = 0;
    kart.price = 0;
    kart.loyaltyCode = kNoLoyaltyOffer;
    kart.paid = 0;
    ClearLapData(kart);
    kart.runtime = KartRuntime{};
}

void OpenSlot(SessionKart& kart) {
    ClearRun(kart);
    kart.usage = KartUsage::InSession;
    kart.trackState = TrackState::Free;
}

SessionKart* SlotLabelled(RentalSession& session, int category, std::string_view label) {
    if (!IsCategory(category) || label.empty())
        return nullptr;
    for (SessionKart& kart : session.categories[category].karts)
        if (kart.kartLabel == label)
            return &kart;
    return nullptr;
}

bool AnySlot(const RentalSession& session, int category, std::string_view label, KartUsage usage) {
    for (const SessionKart& kart : session.categories[category].karts)
        if (kart.kartLabel == label && kart.usage == usage)
            return true;
    return false;
}

std::string WithLabel(const char* before, std::string_view label, const char* after) {
    std::string text(before);
    text += label;
    text += after;
    return text;
}

} // namespace

int KartListCategory(int selectedTreeItem) {
    if (selectedTreeItem < 0)
        return -1;
    const int category = selectedTreeItem / 100;
    return IsCategory(category) ? category : -1;
}

std::vector<std::string> FleetKartIdsFor(const FleetLayout& fleet, std::string_view categoryName) {
    std::vector<std::string> ids;
    if (categoryName.empty())
        return ids;
    for (int c = 0; c < kRentalCategoryCount; ++c) {
        if (fleet.categoryNames[c] != categoryName)
            continue;
        for (const std::string& id : fleet.kartIds[c])
            if (!id.empty())
                ids.push_back(id);
    }
    return ids;
}

std::vector<std::string> UsedKartLabels(const RentalSession& session, int category) {
    std::vector<std::string> labels;
    if (!IsCategory(category))
        return labels;
    for (const SessionKart& kart : session.categories[category].karts)
        if (kart.usage == KartUsage::InSession)
            labels.push_back(kart.kartLabel);
    return labels;
}

bool FindFleetTransponder(const FleetLayout& fleet, const FleetTransponderTable& transponders,
                          std::string_view kartId, std::string& transponder) {
    bool found = false;
    for (int c = 0; c < kRentalCategoryCount; ++c)
        for (int k = 0; k < kKartsPerCategory; ++k)
            if (!kartId.empty() && fleet.kartIds[c][k] == kartId) {
                transponder = transponders[c][k];
                found = true;
            }
    return found;
}

KartListChange AddRentalKart(RentalSession& session, int category, std::string_view kartId,
                             const FleetLayout& fleet, const FleetTransponderTable& transponders,
                             common::SoundPlayer& sounds, common::MessageSink& messages) {
    if (!IsCategory(category))
        return KartListChange::NotInCategory;
    if (AnySlot(session, category, kartId, KartUsage::InSession)) {
        messages.show(kKartListErrorCaption, AlreadyUsedText(kartId));
        return KartListChange::AlreadyUsed;
    }
    if (AnySlot(session, category, kartId, KartUsage::BrokenDown)) {
        messages.show(kKartListErrorCaption, BrokenDownText(kartId));
        return KartListChange::BrokenDown;
    }
    if (UsedKartLabels(session, category).size() >= static_cast<std::size_t>(kKartsPerCategory))
        return KartListChange::ListFull;
    // A fleet kart the session has no slot for (the session not yet relabelled
    // after a fleet change) cannot be taken: no beep, nothing changes.
    SessionKart* kart = SlotLabelled(session, category, kartId);
    if (kart == nullptr)
        return KartListChange::NotInCategory;
    sounds.play(kKartListSound, true);
    OpenSlot(*kart);
    FindFleetTransponder(fleet, transponders, kartId, kart->transponder);
    return KartListChange::Added;
}

KartListChange AddPrivateKart(RentalSession& session, common::SoundPlayer& sounds) {
    for (SessionKart& kart : session.categories[kPrivateCategoryIndex].karts) {
        if (kart.usage != KartUsage::NotInSession)
            continue;
        sounds.play(kKartListSound, true);
        OpenSlot(kart);
        kart.transponder.clear();
        return KartListChange::Added;
    }
    return KartListChange::ListFull;
}

KartListChange RemoveSessionKart(RentalSession& session, int category, std::string_view kartLabel,
                                 common::SoundPlayer& sounds, common::MessageSink& messages) {
    SessionKart* kart = SlotLabelled(session, category, kartLabel);
    // Only karts of the used list can be chosen; a broken-down one is not there.
    if (kart == nullptr || kart->usage != KartUsage::InSession)
        return KartListChange::NotInCategory;
    if (kart->trackState != TrackState::Free) {
        messages.show(kKartListErrorCaption, InUseText(kartLabel));
        return KartListChange::InUse;
    }
    sounds.play(kKartListSound, true);
    ClearRun(*kart);
    kart->usage = KartUsage::NotInSession;
    kart->trackState = TrackState::Finished;
    kart->transponder.clear();
    return KartListChange::Removed;
}

std::string AlreadyUsedText(std::string_view kartLabel) {
    return WithLabel("Le kart ", kartLabel, " est d\xE9j\xE0 dans la liste des karts utilis\xE9s");
}

std::string BrokenDownText(std::string_view kartLabel) {
    return WithLabel(
        "Le kart ", kartLabel,
        " est en panne, il ne peut pas \xEAtre ajout\xE9 \xE0 liste des karts utilis\xE9s");
}

std::string InUseText(std::string_view kartLabel) {
    return WithLabel("Le kart ", kartLabel,
                     " ne peut \xEAtre supprim\xE9, car il est actuellement utilis\xE9");
}

void SettleReservation(RentalSession& session, std::string_view label) {
    if (label.empty())
        return;
    SessionKart* found = nullptr;
    for (SessionCategory& category : session.categories)
        for (SessionKart& kart : category.karts)
            if (kart.kartLabel == label)
                found = &kart;
    if (found == nullptr || found->usage != KartUsage::InSession)
        return;
    if (found->driverName.empty()) {
        ClearRun(*found);
        found->trackState = TrackState::Free;
    } else if (found->trackState == TrackState::Free) {
        ClearLapData(*found);
        found->runtime = KartRuntime{};
        found->trackState = TrackState::Reserved;
    }
}

void SettleGroupReservation(RentalSession& session, int category) {
    if (!IsCategory(category))
        return;
    for (SessionKart& kart : session.categories[category].karts) {
        if (kart.usage == KartUsage::InSession && kart.trackState == TrackState::Free &&
            !kart.driverName.empty()) {
            ClearLapData(kart);
            kart.runtime = KartRuntime{};
            kart.trackState = TrackState::Reserved;
        }
    }
}

} // namespace tallimo::session
