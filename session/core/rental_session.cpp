#include "session/core/rental_session.h"

namespace tallimo::session {
namespace {

// The fields the file holds, as they go from one session to another when a
// session file is opened.
void CopyRunFields(SessionKart& to, const SessionKart& from) {
    to.driverName = from.driverName;
    to.driverFirstName = from.driverFirstName;
    to.spareText = from.spareText;
    to.usage = from.usage;
    to.trackState = from.trackState;
    to.durationMinutes = from.durationMinutes;
    to.elapsedMinutes = from.elapsedMinutes;
    to.price = from.price;
    to.loyaltyCode = from.loyaltyCode;
    to.paid = from.paid;
    to.lastLapIndex = from.lastLapIndex;
    to.lapCount = from.lapCount;
    to.totalTime = from.totalTime;
    to.bestLap = from.bestLap;
    to.passingTimes = from.passingTimes;
}

void ResetFileFields(SessionKart& kart) {
    kart.kartLabel.clear();
    kart.transponder.clear();
    kart.driverName.clear();
    kart.driverFirstName.clear();
    kart.spareText.clear();
    kart.usage = KartUsage::NotInSession;
    kart.trackState = TrackState::Finished;
    kart.durationMinutes = 0;
    kart.price = 0;
    kart.loyaltyCode = kNoLoyaltyOffer;
    kart.paid = 0;
    ClearLapData(kart);
}

} // namespace

std::string KartLabelFor(int category, int slot) {
    if (category == kPrivateCategoryIndex)
        return "KP" + std::to_string(slot + 1);
    return "K" + std::to_string(100 * category + slot + 1);
}

namespace {

template <typename Record, typename... Fields>
void TakeChanged(Record& live, const Record& before, const Record& after, Fields... fields) {
    ((after.*fields != before.*fields ? void(live.*fields = after.*fields) : void()), ...);
}

} // namespace

void TakeWindowEdits(RentalSession& live, SessionHeader& liveHeader, const RentalSession& before,
                     const SessionHeader& beforeHeader, const RentalSession& after,
                     const SessionHeader& afterHeader) {
    TakeChanged(liveHeader, beforeHeader, afterHeader, &SessionHeader::boardFrozen,
                &SessionHeader::selectedTreeItem, &SessionHeader::trackName,
                &SessionHeader::minLapSeconds);
    for (std::size_t c = 0; c < live.categories.size(); ++c) {
        TakeChanged(live.categories[c], before.categories[c], after.categories[c],
                    &SessionCategory::categoryName);
        for (std::size_t k = 0; k < live.categories[c].karts.size(); ++k) {
            SessionKart& kart = live.categories[c].karts[k];
            const SessionKart& was = before.categories[c].karts[k];
            const SessionKart& is = after.categories[c].karts[k];
            TakeChanged(kart, was, is, &SessionKart::kartLabel, &SessionKart::transponder,
                        &SessionKart::driverName, &SessionKart::driverFirstName,
                        &SessionKart::spareText, &SessionKart::usage, &SessionKart::trackState,
                        &SessionKart::durationMinutes, &SessionKart::elapsedMinutes,
                        &SessionKart::price, &SessionKart::loyaltyCode, &SessionKart::paid,
                        &SessionKart::lapCount, &SessionKart::totalTime, &SessionKart::bestLap,
                        &SessionKart::lastLapIndex, &SessionKart::passingTimes,
                        &SessionKart::lapTimes);
            // A slot the window emptied or reused starts its timing afresh.
            if (is.usage != was.usage || is.kartLabel != was.kartLabel ||
                (is.lapCount != was.lapCount && is.lapCount == 0))
                kart.runtime = KartRuntime{};
        }
    }
}

void ClearLapData(SessionKart& kart) {
    kart.elapsedMinutes = 0;
    kart.lapCount = 0;
    kart.totalTime = 0;
    kart.bestLap = 0;
    kart.lastLapIndex = 0;
    kart.passingTimes.fill(0);
    kart.lapTimes.fill(0);
}

void ClearSession(RentalSession& session) {
    for (SessionCategory& category : session.categories) {
        category.categoryName.clear();
        for (SessionKart& kart : category.karts) {
            ResetFileFields(kart);
            kart.runtime = KartRuntime{};
        }
    }
}

void ResetSessionKeepRuntime(RentalSession& session) {
    for (SessionCategory& category : session.categories) {
        category.categoryName.clear();
        for (SessionKart& kart : category.karts)
            ResetFileFields(kart);
    }
}

void CarryOverDrivers(RentalSession& newSession, const RentalSession& oldSession,
                      const FleetLayout& fleet) {
    for (int c = 0; c < kRentalCategoryCount; ++c) {
        SessionCategory& target = newSession.categories[c];
        if (target.categoryName.empty())
            continue;
        for (int o = 0; o < kRentalCategoryCount; ++o) {
            const SessionCategory& source = oldSession.categories[o];
            if (source.categoryName != target.categoryName)
                continue;
            for (int k = 0; k < kKartsPerCategory; ++k) {
                if (!fleet.kartIds[c][k].empty())
                    CopyRunFields(target.karts[k], source.karts[k]);
            }
        }
    }
}

void CopyPrivateKarts(RentalSession& destination, const RentalSession& source) {
    for (int k = 0; k < kKartsPerCategory; ++k) {
        SessionKart& to = destination.kart(kPrivateCategoryIndex, k);
        const SessionKart& from = source.kart(kPrivateCategoryIndex, k);
        to.transponder = from.transponder;
        CopyRunFields(to, from);
    }
}

void RecordLap(RentalSession& session, int category, int slot) {
    SessionKart& kart = session.kart(category, slot);
    KartRuntime& run = kart.runtime;
    // A run never holds more than the 100 passings the record keeps; lap
    // timing stops counting before this, a hand-edited file may not.
    if (kart.lastLapIndex < 0 || kart.lastLapIndex >= kMaxLapIndex) {
        kart.lastLapIndex = kart.lastLapIndex < 0 ? -1 : kMaxLapIndex - 1;
        kart.lapCount = kart.lastLapIndex;
    }
    ++kart.lastLapIndex;
    ++kart.lapCount;
    if (run.startTime == 0) {
        --kart.lastLapIndex;
        --kart.lapCount;
        run.startTime = static_cast<std::int32_t>(run.passingTime);
    }
    const auto t = static_cast<std::int32_t>(run.passingTime);
    const int n = kart.lastLapIndex < 0 ? 0 : kart.lastLapIndex;
    kart.totalTime = static_cast<std::int32_t>(static_cast<std::int64_t>(t) - run.startTime);
    kart.passingTimes[n] = kart.totalTime;
    kart.elapsedMinutes = kart.totalTime / 60000;
    kart.lapTimes[n] = run.currentLapTime;
    run.lapJustDone = 1;
    if (kart.lastLapIndex == 1)
        kart.bestLap = kart.lapTimes[1];
    run.newPersonalBest = 0;
    if (kart.lastLapIndex > 1 && kart.lapTimes[n] < kart.bestLap) {
        kart.bestLap = kart.lapTimes[n];
        run.newPersonalBest = 1;
    }
}

void MarkSessionBest(std::int32_t& bestLapMark, RentalSession& session, int category, int slot) {
    SessionKart& kart = session.kart(category, slot);
    if (kart.bestLap == 0 || kart.bestLap > bestLapMark)
        return;
    for (SessionCategory& block : session.categories)
        for (SessionKart& other : block.karts)
            other.runtime.sessionBestHolder = 0;
    bestLapMark = kart.bestLap;
    kart.runtime.sessionBestHolder = 1;
}

} // namespace tallimo::session
