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
                if (kart.usage == KartUsage::InSession)
                    kart.trackState = TrackState::Free;
            }
        }
    }
}

bool HoldsRunData(const RentalSession& session) {
    for (const SessionCategory& category : session.categories) {
        for (const SessionKart& kart : category.karts) {
            if (!kart.driverName.empty() || !kart.driverFirstName.empty() ||
                !kart.spareText.empty() || kart.durationMinutes != 0 || kart.elapsedMinutes != 0 ||
                kart.price != 0 || kart.paid != 0 || kart.lastLapIndex != 0 || kart.lapCount != 0 ||
                kart.totalTime != 0 || kart.bestLap != 0 || kart.passingTimes[0] != 0 ||
                (kart.usage == KartUsage::InSession && kart.trackState != TrackState::Free))
                return true;
        }
    }
    return false;
}

namespace {

// Makes the crash copy hold the session file's bytes; true when it does.
bool KeepCrashCopy(const common::WorkingFolder& folder, const std::string& bytes) {
    const std::filesystem::path copy = folder.path(kCrashCopyFileName);
    std::string existing;
    if (common::ReadWholeFile(copy, existing) && existing == bytes)
        return true;
    return common::WriteFileAtomically(copy, bytes);
}

} // namespace

StartupOutcome RebuildSessionAtStartup(const common::WorkingFolder& folder,
                                       const FleetLayout& fleet, LiveTiming& live,
                                       common::MessageSink& messages) {
    StartupOutcome outcome;

    RentalSession loaded;
    ClearSession(loaded);
    SessionHeader header;
    header.trackName.clear();
    std::string bytes;
    outcome.sessionLoaded = common::ReadWholeFile(folder.path(kSessionFileName), bytes);
    const bool whole = outcome.sessionLoaded && ParseSessionFile(bytes, loaded, header);
    outcome.sessionDamaged = outcome.sessionLoaded && !bytes.empty() && !whole;

    // The crash copy is what the operator reopens after a crash. A damaged
    // file is kept whatever it holds (only a person can tell what it was);
    // a readable file that holds no run data (as after a restart that had
    // already rebuilt it) must not replace a copy that still holds the
    // drivers and laps of the crashed session.
    std::error_code ignored;
    const bool copyExists = std::filesystem::exists(folder.path(kCrashCopyFileName), ignored);
    if (outcome.sessionDamaged || (whole && (HoldsRunData(loaded) || !copyExists)))
        outcome.crashCopyWritten = KeepCrashCopy(folder, bytes);

    if (!outcome.sessionLoaded) {
        messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
        header = SessionHeader{};
    } else if (outcome.sessionDamaged) {
        messages.show(kSessionFileErrorCaption,
                      outcome.crashCopyWritten ? kDamagedSessionFileText : kSessionFileErrorText);
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
