#include "app/core/live_board_snapshot.h"

#include "app/core/board_layout.h"
#include "common/core/cp1252.h"

#include <algorithm>
#include <cstdio>

namespace tallimo::app {
namespace {

using session::BoardRow;
using session::KartUsage;
using session::SessionKart;
using session::TrackState;

std::string ColourText(int category) {
    const std::uint32_t value = kCategoryBlockColours[static_cast<std::size_t>(category)];
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(value & 0xFFFFFFu));
    return text;
}

std::string CategoryName(const session::RentalSession& rental, int category) {
    const std::string& name = rental.categories[static_cast<std::size_t>(category)].categoryName;
    if (name.empty() && category == session::kPrivateCategoryIndex)
        return common::Cp1252ToUtf8(session::kPrivateCategoryName);
    return common::Cp1252ToUtf8(name);
}

// A board row carries texts only: its kart is the one of its category in
// the session with the same (cut) label and state.
const SessionKart* KartOfRow(const session::RentalSession& rental, const BoardRow& row) {
    if (row.categoryIndex < 0 || row.categoryIndex >= session::kCategoryCount)
        return nullptr;
    for (const SessionKart& kart :
         rental.categories[static_cast<std::size_t>(row.categoryIndex)].karts) {
        if (kart.usage == KartUsage::InSession && kart.trackState == row.state &&
            kart.kartLabel.compare(0, session::kKartLabelChars, row.kartLabel) == 0)
            return &kart;
    }
    return nullptr;
}

std::int32_t LastLapOf(const SessionKart& kart) {
    // Index 0 holds the run's first passing, which is no lap.
    const int n = kart.lastLapIndex;
    return n >= 1 && n < session::kPassingCapacity ? kart.lapTimes[static_cast<std::size_t>(n)] : 0;
}

int RemainingSeconds(const SessionKart& kart) {
    const std::int64_t booked = std::int64_t{kart.durationMinutes} * 60;
    const std::int64_t used = std::max<std::int32_t>(kart.totalTime, 0) / 1000;
    return static_cast<int>(std::clamp<std::int64_t>(booked - used, 0, 1000000000));
}

void AppendEscaped(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(byte));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

class JsonObject {
public:
    explicit JsonObject(std::string& out) : m_out(out) { m_out += '{'; }
    ~JsonObject() { m_out += '}'; }
    JsonObject(const JsonObject&) = delete;
    JsonObject& operator=(const JsonObject&) = delete;

    void key(const char* name) {
        if (!m_first)
            m_out += ',';
        m_first = false;
        m_out += '"';
        m_out += name;
        m_out += "\":";
    }
    void text(const char* name, const std::string& value) {
        key(name);
        AppendEscaped(m_out, value);
    }
    void number(const char* name, std::int64_t value) {
        key(name);
        m_out += std::to_string(value);
    }
    void unsignedNumber(const char* name, std::uint64_t value) {
        key(name);
        m_out += std::to_string(value);
    }
    void flag(const char* name, bool value) {
        key(name);
        m_out += value ? "true" : "false";
    }

private:
    std::string& m_out;
    bool m_first = true;
};

void AppendKart(std::string& out, const LiveBoardKart& kart) {
    JsonObject object(out);
    object.number("categoryIndex", kart.categoryIndex);
    object.text("category", kart.category);
    object.text("colour", kart.colour);
    object.text("kart", kart.kart);
    object.text("driver", kart.driver);
    object.number("laps", kart.laps);
    object.number("lastLapMs", kart.lastLapMs);
    object.number("bestLapMs", kart.bestLapMs);
    object.flag("dayBest", kart.dayBest);
    object.flag("finished", kart.finished);
    object.flag("newLap", kart.newLap);
    object.number("remainingSeconds", kart.remainingSeconds);
}

} // namespace

LiveBoardSnapshot BuildLiveBoardSnapshot(const session::LiveTiming& live,
                                         const std::string& elapsed, const std::string& remaining,
                                         bool clockRunning, std::uint64_t sequence) {
    LiveBoardSnapshot snapshot;
    snapshot.sequence = sequence;
    snapshot.title = common::Cp1252ToUtf8(live.header.trackName);
    snapshot.elapsed = elapsed;
    snapshot.remaining = remaining;
    snapshot.clockRunning = clockRunning;

    // The mark outlives sessions, so its holder may no longer be in this one:
    // the time is still the day's best, shown without a name.
    if (live.bestLapMark > 0 && live.bestLapMark < session::kInitialBestLapMark)
        snapshot.dayBestLapMs = live.bestLapMark;
    for (const session::SessionCategory& category : live.session.categories) {
        for (const SessionKart& kart : category.karts) {
            if (kart.usage == KartUsage::InSession && kart.runtime.sessionBestHolder != 0 &&
                kart.bestLap > 0) {
                snapshot.dayBestDriver = common::Cp1252ToUtf8(session::BoardDriverText(kart));
                snapshot.dayBestKart = common::Cp1252ToUtf8(kart.kartLabel);
                if (snapshot.dayBestLapMs == 0)
                    snapshot.dayBestLapMs = kart.bestLap;
            }
        }
    }

    const int rowCount = std::clamp(live.boardRowCount, 0, session::kBoardRowCapacity);
    for (int r = 0; r < rowCount; ++r) {
        const BoardRow& row = live.boardRows[static_cast<std::size_t>(r)];
        if (row.heading || (row.state != TrackState::Timing && row.state != TrackState::Finished))
            continue;
        const SessionKart* kart = KartOfRow(live.session, row);
        if (kart == nullptr)
            continue;
        const bool hasDriver = !kart->driverName.empty() || !kart->driverFirstName.empty();
        if (!hasDriver && kart->lapCount <= 0)
            continue;
        LiveBoardKart entry;
        entry.categoryIndex = row.categoryIndex;
        entry.category = CategoryName(live.session, row.categoryIndex);
        entry.colour = ColourText(row.categoryIndex);
        entry.kart = common::Cp1252ToUtf8(row.kartLabel);
        entry.driver = common::Cp1252ToUtf8(row.driver);
        entry.laps = std::max(kart->lapCount, 0);
        entry.lastLapMs = std::max(LastLapOf(*kart), 0);
        entry.bestLapMs = std::max(kart->bestLap, 0);
        entry.dayBest = row.sessionBestHolder != 0;
        entry.finished = row.state == TrackState::Finished;
        entry.newLap = row.lapJustDone != 0;
        entry.remainingSeconds = RemainingSeconds(*kart);
        snapshot.karts.push_back(std::move(entry));
    }
    return snapshot;
}

std::string LiveBoardJson(const LiveBoardSnapshot& snapshot) {
    std::string out;
    out.reserve(256 + snapshot.karts.size() * 256);
    {
        JsonObject object(out);
        object.unsignedNumber("sequence", snapshot.sequence);
        object.text("title", snapshot.title);
        object.text("elapsed", snapshot.elapsed);
        object.text("remaining", snapshot.remaining);
        object.flag("clockRunning", snapshot.clockRunning);
        object.number("dayBestLapMs", snapshot.dayBestLapMs);
        object.text("dayBestDriver", snapshot.dayBestDriver);
        object.text("dayBestKart", snapshot.dayBestKart);
        object.key("karts");
        out += '[';
        for (std::size_t i = 0; i < snapshot.karts.size(); ++i) {
            if (i != 0)
                out += ',';
            AppendKart(out, snapshot.karts[i]);
        }
        out += ']';
    }
    return out;
}

} // namespace tallimo::app
