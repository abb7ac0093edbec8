#include "session/core/session_track.h"

#include <algorithm>

namespace tallimo::session {

SessionHeader SessionTrackDefaults() {
    SessionHeader header;
    header.trackName.clear();
    header.minLapSeconds = kMinimumProtectionSeconds;
    header.boardFrozen = 0;
    header.selectedTreeItem = kTrackTreeItem;
    return header;
}

namespace {

// The number of the text's leading digits, 0 when there are none.
int LeadingNumber(std::string_view text) {
    int seconds = 0;
    // The field takes three digits; more are never typed but a database
    // text could hold them, and the value must not overflow.
    for (std::size_t i = 0; i < text.size() && i < 9; ++i) {
        if (text[i] < '0' || text[i] > '9')
            break;
        seconds = seconds * 10 + (text[i] - '0');
    }
    return seconds;
}

} // namespace

int ProtectionSecondsFromText(std::string_view text) {
    return std::max(LeadingNumber(text), kMinimumProtectionSeconds);
}

std::string RecordLine(const TrackForSession& track, std::string_view noRecordText) {
    if (track.recordTime.empty())
        return std::string(noRecordText);
    return track.recordTime + " par " + track.recordFirstName + " " + track.recordName + " " +
           track.recordDate;
}

SessionTrackSelection::SessionTrackSelection(std::vector<TrackForSession> tracks,
                                             SessionHeader loaded)
    : m_tracks(std::move(tracks)), m_header(std::move(loaded)) {
    m_header.minLapSeconds = std::max(m_header.minLapSeconds, kMinimumProtectionSeconds);
    m_chosen = -1;
    if (!m_header.trackName.empty())
        for (std::size_t i = 0; i < m_tracks.size(); ++i)
            if (m_tracks[i].name == m_header.trackName) {
                m_chosen = static_cast<int>(i);
                break;
            }
    if (m_chosen < 0)
        m_header.trackName.clear();
}

const TrackForSession* SessionTrackSelection::chosen() const {
    return m_chosen >= 0 ? &m_tracks[static_cast<std::size_t>(m_chosen)] : nullptr;
}

std::string SessionTrackSelection::chooseTrack(int index) {
    if (index < 0 || index >= static_cast<int>(m_tracks.size())) {
        m_chosen = -1;
        m_header.trackName.clear();
        m_header.minLapSeconds = kMinimumProtectionSeconds;
        return std::to_string(kMinimumProtectionSeconds);
    }
    m_chosen = index;
    const TrackForSession& track = m_tracks[static_cast<std::size_t>(index)];
    m_header.trackName = track.name;
    return typeProtection(std::string_view(track.protection).substr(0, kProtectionEntryChars));
}

std::string SessionTrackSelection::typeProtection(std::string_view text) {
    m_header.minLapSeconds = ProtectionSecondsFromText(text);
    if (LeadingNumber(text) < kMinimumProtectionSeconds)
        return std::to_string(kMinimumProtectionSeconds);
    return std::string(text);
}

} // namespace tallimo::session
