#pragma once

// The live rental session: six categories of thirty kart slots. The main
// window owns one; every window that edits the session owns a second one and
// exchanges it with the main window only through the session file. Runtime
// fields (`KartRuntime`) are lap timing's working state and never reach the
// file; `ResetSessionKeepRuntime` exists so that they survive a reload while
// the clock runs. Text fields hold Windows-1252 bytes and never exceed the
// capacities below.

#include <array>
#include <cstdint>
#include <string>

namespace tallimo::session {

constexpr int kCategoryCount = 6;
constexpr int kRentalCategoryCount = 5;
constexpr int kPrivateCategoryIndex = 5;
constexpr int kKartsPerCategory = 30;
constexpr int kPassingCapacity = 100;
constexpr int kMaxLapIndex = 99;

// Characters each text field holds (the terminator of the fixed-width
// fields is not counted).
constexpr std::size_t kKartLabelChars = 4;
constexpr std::size_t kTransponderChars = 6;
constexpr std::size_t kDriverNameChars = 24;
constexpr std::size_t kDriverFirstNameChars = 19;
constexpr std::size_t kSpareTextChars = 14;
constexpr std::size_t kCategoryNameChars = 15;
constexpr std::size_t kTrackNameChars = 19;

// Whether a kart slot takes part in the session. The numbers are those of
// the session file and the tool's output; they are used there only.
enum class KartUsage : int { NotInSession = 0, InSession = 1, BrokenDown = 2 };

// Where a kart in the session stands with its run; numbered as in the file.
enum class TrackState : int { Finished = 0, Free = 1, Reserved = 2, Timing = 3 };

constexpr int UsageNumber(KartUsage usage) {
    return static_cast<int>(usage);
}
constexpr int TrackStateNumber(TrackState state) {
    return static_cast<int>(state);
}
// A number of the file that names no usage or state is kept as it stands,
// as the file has always been read; nothing in the program matches it.
constexpr KartUsage KartUsageFromNumber(int number) {
    return static_cast<KartUsage>(number);
}
constexpr TrackState TrackStateFromNumber(int number) {
    return static_cast<TrackState>(number);
}

constexpr int kNoLoyaltyOffer = -1;

inline const char* const kPrivateCategoryName = "Karts priv\xE9s";

// Working fields of lap timing, never written to the session file.
struct KartRuntime {
    std::int32_t startTime = 0;   // decoder time of the first passing; 0 = not started
    std::int64_t passingTime = 0; // time of the passing being processed
    std::int64_t lastPassingCounter = 0;
    std::int32_t currentLapTime = 0;
    std::int32_t lastBuzzAt = 0; // run-relative time of the last short-lap warning
    std::int32_t sinceBuzz = 0;
    int lapJustDone = 0;
    int newPersonalBest = 0;
    int sessionBestHolder = 0;
};

struct SessionKart {
    std::string kartLabel;
    std::string transponder;
    std::string driverName;
    std::string driverFirstName;
    std::string spareText;
    KartUsage usage = KartUsage::NotInSession;
    TrackState trackState = TrackState::Finished;
    int durationMinutes = 0;
    int elapsedMinutes = 0;
    int price = 0;
    int loyaltyCode = kNoLoyaltyOffer;
    int paid = 0;
    int lapCount = 0;
    std::int32_t totalTime = 0;
    std::int32_t bestLap = 0;
    int lastLapIndex = 0;
    std::array<std::int32_t, kPassingCapacity> passingTimes{};
    std::array<std::int32_t, kPassingCapacity> lapTimes{};
    KartRuntime runtime;
};

struct SessionCategory {
    std::string categoryName;
    std::array<SessionKart, kKartsPerCategory> karts;
};

struct RentalSession {
    std::array<SessionCategory, kCategoryCount> categories;

    SessionKart& kart(int category, int slot) { return categories[category].karts[slot]; }
    const SessionKart& kart(int category, int slot) const {
        return categories[category].karts[slot];
    }
};

// The header the main window keeps beside the categories and writes with them.
struct SessionHeader {
    int boardFrozen = 0;
    int selectedTreeItem = 10000;
    std::string trackName;
    int minLapSeconds = 2;
};

// What the session needs of the kart categories database: the names of its
// first five categories and each one's kart identifiers by position (empty
// where the position holds no kart).
struct FleetLayout {
    std::array<std::string, kRentalCategoryCount> categoryNames;
    std::array<std::array<std::string, kKartsPerCategory>, kRentalCategoryCount> kartIds;
};

// "K%d" of 100 x category + slot + 1, or "KP%d" of slot + 1 in the sixth.
std::string KartLabelFor(int category, int slot);

void ClearSession(RentalSession& session);
// What timing wrote on a slot: elapsed minutes, laps, times. The booking and
// lap timing's working fields stay.
void ClearLapData(SessionKart& kart);

// A window that edits the session through its file runs while timing goes
// on. `before` is the file as the window found it, `after` as it left it:
// every field the window changed is taken into `live`, every other field
// keeps what timing wrote meanwhile, so no lap is lost to the window.
void TakeWindowEdits(RentalSession& live, SessionHeader& liveHeader, const RentalSession& before,
                     const SessionHeader& beforeHeader, const RentalSession& after,
                     const SessionHeader& afterHeader);
void ResetSessionKeepRuntime(RentalSession& session);

// Drivers and runs of `oldSession` onto the matching rental categories of
// `newSession`, where `fleet` has a kart at the position.
void CarryOverDrivers(RentalSession& newSession, const RentalSession& oldSession,
                      const FleetLayout& fleet);
void CopyPrivateKarts(RentalSession& destination, const RentalSession& source);

// One accepted passing; `passingTime` and `currentLapTime` are set by the caller.
void RecordLap(RentalSession& session, int category, int slot);
void MarkSessionBest(std::int32_t& bestLapMark, RentalSession& session, int category, int slot);

// The value `bestLapMark` has when the program starts.
constexpr std::int32_t kInitialBestLapMark = 1000000000;

} // namespace tallimo::session
