#include "session/core/session_file.h"

#include "common/core/data_file.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <algorithm>
#include <system_error>

namespace tallimo::session {
namespace {

void WriteKart(common::TabFieldWriter& out, const SessionKart& kart) {
    out.text(kart.kartLabel, kKartLabelChars);
    out.text(kart.transponder, kTransponderChars);
    out.text(kart.driverName, kDriverNameChars);
    out.text(kart.driverFirstName, kDriverFirstNameChars);
    out.text(kart.spareText, kSpareTextChars);
    out.number(UsageNumber(kart.usage));
    out.number(TrackStateNumber(kart.trackState));
    out.number(kart.durationMinutes);
    out.number(kart.elapsedMinutes);
    out.number(kart.price);
    out.number(kart.loyaltyCode);
    out.number(kart.paid);
    // The index written must match the passing times that follow it, so a
    // value outside the arrays is written within them.
    const int last = std::clamp(kart.lastLapIndex, -1, kMaxLapIndex);
    out.number(last);
    out.number(kart.lapCount);
    out.number(kart.totalTime);
    out.number(last >= 0 ? kart.lapTimes[last] : 0);
    out.number(kart.bestLap);
    for (int i = 0; i <= last; ++i)
        out.number(kart.passingTimes[i]);
    out.endRecord();
}

void ReadKart(common::TabFieldReader& in, SessionKart& kart) {
    kart.kartLabel = in.readText(kKartLabelChars);
    kart.transponder = in.readText(kTransponderChars);
    kart.driverName = in.readText(kDriverNameChars);
    kart.driverFirstName = in.readText(kDriverFirstNameChars);
    kart.spareText = in.readText(kSpareTextChars);
    int usage = UsageNumber(kart.usage);
    int trackState = TrackStateNumber(kart.trackState);
    in.readInt(usage);
    in.readInt(trackState);
    kart.usage = KartUsageFromNumber(usage);
    kart.trackState = TrackStateFromNumber(trackState);
    in.readInt(kart.durationMinutes);
    in.readInt(kart.elapsedMinutes);
    in.readInt(kart.price);
    in.readInt(kart.loyaltyCode);
    in.readInt(kart.paid);
    std::int32_t last = 0;
    in.readInt(last);
    in.readInt(kart.lapCount);
    in.readInt(kart.totalTime);
    std::int32_t lastLap = 0;
    in.readInt(lastLap);
    in.readInt(kart.bestLap);
    // An index outside the 100 passings the record holds (a damaged or
    // hand-edited file) is brought within it; the extra times are skipped.
    const int kept = std::clamp(last, -1, kMaxLapIndex);
    kart.lastLapIndex = std::max(kept, 0);
    if (kept >= 0)
        kart.lapTimes[kept] = lastLap;
    for (int i = 0; i <= kept; ++i)
        in.readInt(kart.passingTimes[i]);
    in.skipLine();
    in.skipEmptyLines();
}

} // namespace

std::string FormatSessionFile(const RentalSession& session, const SessionHeader& header) {
    common::TabFieldWriter out;
    out.reserve(32 * 1024);
    out.number(header.boardFrozen);
    out.number(header.selectedTreeItem);
    out.endRecord();
    out.endRecord();
    out.text(header.trackName, kTrackNameChars);
    out.number(header.minLapSeconds);
    out.endRecord();
    out.endRecord();
    for (const SessionCategory& category : session.categories) {
        out.text(category.categoryName, kCategoryNameChars);
        out.endRecord();
        for (const SessionKart& kart : category.karts)
            WriteKart(out, kart);
        out.endRecord();
    }
    return out.bytes();
}

bool ParseSessionFile(std::string_view bytes, RentalSession& session, SessionHeader& header) {
    common::TabFieldReader in(bytes);
    if (in.atEnd())
        return false;
    in.readInt(header.boardFrozen);
    in.readInt(header.selectedTreeItem);
    in.skipLine();
    in.skipEmptyLines();
    if (in.atEnd())
        return false;
    header.trackName = in.readText(kTrackNameChars);
    in.readInt(header.minLapSeconds);
    in.skipLine();
    in.skipEmptyLines();

    for (SessionCategory& category : session.categories) {
        if (in.atEnd())
            return false;
        category.categoryName = in.readText(kCategoryNameChars);
        in.skipLine();
        in.skipEmptyLines();
        for (SessionKart& kart : category.karts) {
            // A file that ends inside a category leaves the rest cleared.
            if (in.atEnd())
                return false;
            ReadKart(in, kart);
        }
    }
    return true;
}

bool SaveSessionFileAs(const std::filesystem::path& path, const RentalSession& session,
                       const SessionHeader& header) {
    return common::WriteFileAtomically(path, FormatSessionFile(session, header));
}

bool LoadSessionFileFrom(const std::filesystem::path& path, RentalSession& session,
                         SessionHeader& header) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParseSessionFile(bytes, session, header);
    return true;
}

bool SaveSessionFile(const common::WorkingFolder& folder, const RentalSession& session,
                     const SessionHeader& header) {
    const std::filesystem::path path = folder.path(kSessionFileName);
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    return SaveSessionFileAs(path, session, header);
}

bool LoadSessionFile(const common::WorkingFolder& folder, RentalSession& session,
                     SessionHeader& header) {
    return LoadSessionFileFrom(folder.path(kSessionFileName), session, header);
}

} // namespace tallimo::session
