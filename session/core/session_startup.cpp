#include "session/core/session_startup.h"

#include "common/core/data_file.h"
#include "session/core/session_file.h"

namespace tallimo::session {

void BuildSessionFromFleet(RentalSession& session, const FleetLayout& fleet) {
    ClearSession(session);
    for (int category = 0; category < kRentalCategoryCount; ++category) {
        SessionCategory& block = session.categories[category];
        block.categoryName = fleet.categoryNames[category].substr(0, kCategoryNameChars);
        if (block.categoryName.empty())
            continue;
        for (int slot = 0; slot < kKartsPerCategory; ++slot)
            block.karts[slot].kartLabel = KartLabelFor(category, slot);
    }
    SessionCategory& privateKarts = session.categories[kPrivateCategoryIndex];
    privateKarts.categoryName = kPrivateCategoryName;
    for (int slot = 0; slot < kKartsPerCategory; ++slot)
        privateKarts.karts[slot].kartLabel = KartLabelFor(kPrivateCategoryIndex, slot);
}

void TakeUsageFromLoaded(RentalSession& session, const RentalSession& loaded) {
    for (SessionCategory& category : session.categories) {
        for (const SessionCategory& previous : loaded.categories) {
            for (int slot = 0; slot < kKartsPerCategory; ++slot) {
                SessionKart& kart = category.karts[slot];
                const SessionKart& old = previous.karts[slot];
                if (kart.kartLabel.empty() || kart.kartLabel != old.kartLabel)
                    continue;
                kart.usage = old.usage;
                if (kart.usage == kUsageInSession)
                    kart.trackState = kTrackStateFree;
            }
        }
    }
}

bool HoldsRunData(const RentalSession& session) {
    for (const SessionCategory& category : session.categories) {
        for (const SessionKart& kart : category.karts) {
            if (!kart.transponder.empty() || !kart.driverName.empty() ||
                !kart.driverFirstName.empty() || !kart.spareText.empty() ||
                kart.durationMinutes != 0 || kart.price != 0 || kart.paid != 0 ||
                kart.lastLapIndex != 0 || kart.totalTime != 0 ||
                (kart.usage == kUsageInSession && kart.trackState != kTrackStateFree))
                return true;
        }
    }
    return false;
}

StartupOutcome RebuildSessionAtStartup(const common::WorkingFolder& folder,
                                       const FleetLayout& fleet, LiveTiming& live,
                                       common::MessageSink& messages) {
    StartupOutcome outcome;

    RentalSession loaded;
    ClearSession(loaded);
    SessionHeader header;
    header.trackName.clear();
    outcome.sessionLoaded = LoadSessionFile(folder, loaded, header);

    // The crash copy is what the operator reopens after a crash. A session
    // file that holds nothing the rebuild drops (as after a restart that
    // had already rebuilt it) must not replace a copy that still holds the
    // drivers and laps of the crashed session.
    if (outcome.sessionLoaded && HoldsRunData(loaded))
        outcome.crashCopyWritten = common::CopyFileReplacing(folder.path(kSessionFileName),
                                                             folder.path(kCrashCopyFileName));
    else if (outcome.sessionLoaded && !std::filesystem::exists(folder.path(kCrashCopyFileName)))
        outcome.crashCopyWritten = common::CopyFileReplacing(folder.path(kSessionFileName),
                                                             folder.path(kCrashCopyFileName));

    if (!outcome.sessionLoaded) {
        messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
        header = SessionHeader{};
    }

    BuildSessionFromFleet(live.session, fleet);
    TakeUsageFromLoaded(live.session, loaded);
    live.header = header;

    outcome.sessionSaved = SaveSessionFile(folder, live.session, live.header);
    if (!outcome.sessionSaved)
        messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
    live.rebuildBoardRows();
    return outcome;
}

} // namespace tallimo::session
