#include "app/core/session_commands.h"

#include "common/core/data_file.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"

namespace tallimo::app {

using namespace session;

bool SaveSessionOrReport(const common::WorkingFolder& folder, const LiveTiming& live,
                         common::MessageSink& messages) {
    if (SaveSessionFile(folder, live.session, live.header))
        return true;
    messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
    return false;
}

bool LoadSessionOrReport(const common::WorkingFolder& folder, RentalSession& session,
                         SessionHeader& header, common::MessageSink& messages) {
    // Read into copies: a file that cannot be opened must not cost the
    // session in memory.
    RentalSession loaded = session;
    ResetSessionKeepRuntime(loaded);
    SessionHeader loadedHeader;
    if (!LoadSessionFile(folder, loaded, loadedHeader)) {
        messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
        return false;
    }
    session = loaded;
    header = loadedHeader;
    return true;
}

void FinishTimingRuns(RentalSession& session) {
    for (SessionCategory& category : session.categories)
        for (SessionKart& kart : category.karts)
            if (kart.usage == KartUsage::InSession && kart.trackState == TrackState::Timing)
                kart.trackState = TrackState::Finished;
}

bool SaveWorkingSession(const common::WorkingFolder& folder, LiveTiming& live,
                        common::MessageSink& messages) {
    FinishTimingRuns(live.session);
    return SaveSessionOrReport(folder, live, messages);
}

bool CopyWorkingSessionTo(const common::WorkingFolder& folder,
                          const std::filesystem::path& userFile, common::MessageSink& messages) {
    if (common::CopyFileReplacing(folder.path(kSessionFileName), userFile))
        return true;
    messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
    return false;
}

std::string UserSessionFileName(const std::string& chosen) {
    if (chosen.find(".rent") != std::string::npos)
        return chosen;
    return chosen + ".rent";
}

std::string MainWindowTitle(const std::string& userFile) {
    return userFile.empty() ? std::string("Tallimo") : "Tallimo:   " + userFile;
}

void StartNewSession(LiveTiming& live) {
    for (int c = 0; c < kCategoryCount; ++c)
        for (SessionKart& kart : live.session.categories[c].karts) {
            SessionKart emptied;
            emptied.kartLabel = kart.kartLabel;
            if (c != kPrivateCategoryIndex)
                emptied.transponder = kart.transponder;
            kart = emptied;
        }
    const SessionHeader defaults;
    live.header.selectedTreeItem = defaults.selectedTreeItem;
    live.header.boardFrozen = 0;
    live.header.trackName.clear();
    live.header.minLapSeconds = defaults.minLapSeconds;
    live.rebuildBoardRows();
}

void ApplyFleetTransponders(RentalSession& session, const FleetTransponders& fleet) {
    for (int c = 0; c < kRentalCategoryCount; ++c)
        for (int k = 0; k < kKartsPerCategory; ++k) {
            SessionKart& kart = session.kart(c, k);
            if (!kart.kartLabel.empty() && !fleet[c][k].empty())
                kart.transponder = fleet[c][k];
        }
}

void ApplyCategoriesToSession(RentalSession& session, const databases::CategoryTable& categories) {
    const FleetTransponders transponders = databases::FleetTranspondersFromCategories(categories);
    for (int c = 0; c < kRentalCategoryCount; ++c) {
        SessionCategory& category = session.categories[c];
        category.categoryName = categories[c].name.substr(0, kCategoryNameChars);
        for (int k = 0; k < kKartsPerCategory; ++k) {
            SessionKart& kart = category.karts[k];
            if (category.categoryName.empty()) {
                kart = SessionKart{};
                continue;
            }
            kart.kartLabel = KartLabelFor(c, k);
            kart.transponder = transponders[c][k];
        }
    }
}

bool OpenUserSession(const common::WorkingFolder& folder, const std::filesystem::path& userFile,
                     const FleetLayout& fleet, const FleetTransponders& transponders,
                     LiveTiming& live, common::MessageSink& messages) {
    if (!common::CopyFileReplacing(userFile, folder.path(kSessionFileName))) {
        messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
        return false;
    }
    RentalSession loaded;
    SessionHeader header;
    ClearSession(loaded);
    if (!LoadSessionOrReport(folder, loaded, header, messages))
        return false;
    BuildSessionFromFleet(live.session, fleet);
    // The loaded file's transponders first; the fleet's where it had none.
    for (int c = 0; c < kRentalCategoryCount; ++c)
        for (int o = 0; o < kRentalCategoryCount; ++o) {
            if (live.session.categories[c].categoryName.empty() ||
                loaded.categories[o].categoryName != live.session.categories[c].categoryName)
                continue;
            for (int k = 0; k < kKartsPerCategory; ++k)
                live.session.kart(c, k).transponder = loaded.kart(o, k).transponder;
        }
    CarryOverDrivers(live.session, loaded, fleet);
    CopyPrivateKarts(live.session, loaded);
    for (int c = 0; c < kRentalCategoryCount; ++c)
        for (int k = 0; k < kKartsPerCategory; ++k) {
            SessionKart& kart = live.session.kart(c, k);
            if (kart.transponder.empty() && !kart.kartLabel.empty())
                kart.transponder = transponders[c][k];
        }
    live.header = header;
    live.header.selectedTreeItem = SessionHeader{}.selectedTreeItem;
    live.header.boardFrozen = 0;
    SaveWorkingSession(folder, live, messages);
    live.rebuildBoardRows();
    return true;
}

} // namespace tallimo::app
