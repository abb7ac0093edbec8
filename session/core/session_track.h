#pragma once

// The choice of the session's track and its software protection time
// (`minLapSeconds`, the shortest passing-to-passing time counted as a lap).
// The tracks come from the tracks database as plain texts, so that the
// session stays independent of the databases; the selection keeps the
// header the track window saves.

#include "session/core/rental_session.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallimo::session {

constexpr int kMinimumProtectionSeconds = 2;
constexpr int kTrackTreeItem = 900;
constexpr std::size_t kProtectionEntryChars = 3;

// What the track window shows of one track, Windows-1252 as stored.
struct TrackForSession {
    std::string name;
    std::string length;
    std::string protection;
    std::string recordTime; // a track has a record when it is not empty
    std::string recordFirstName;
    std::string recordName;
    std::string recordDate;
    std::string picture;
};

// The header a session file that cannot be read leaves: no track, the
// minimum protection, the board painted and the "Piste" item selected.
SessionHeader SessionTrackDefaults();

// The protection a text stands for: its leading digits; an empty text, 0
// and 1 all mean the minimum of 2 seconds.
int ProtectionSecondsFromText(std::string_view text);

// "%s par %s %s %s" (time, holder's first name and surname, date), or
// `noRecordText` for a track without a record.
std::string RecordLine(const TrackForSession& track, std::string_view noRecordText);

class SessionTrackSelection {
public:
    // `tracks` as listed (up to the first empty name, ten at most);
    // `loaded` is the header of the session file. A protection below the
    // minimum is raised to it; a track name that is not listed is emptied.
    SessionTrackSelection(std::vector<TrackForSession> tracks, SessionHeader loaded);

    const std::vector<TrackForSession>& tracks() const { return m_tracks; }
    const SessionHeader& header() const { return m_header; }
    // The index of the chosen track, -1 for none.
    int chosenTrack() const { return m_chosen; }
    const TrackForSession* chosen() const;

    // -1 is the empty item. Returns the text the protection field shows.
    std::string chooseTrack(int index);

    // Every change of the protection field: the protection never drops
    // below the minimum. Returns the text the field shows once the operator
    // has finished typing: as typed, or "2" when it meant less. Rewriting
    // the field at each keystroke would turn "12" into "22".
    std::string typeProtection(std::string_view text);

private:
    std::vector<TrackForSession> m_tracks;
    SessionHeader m_header;
    int m_chosen = -1;
};

} // namespace tallimo::session
