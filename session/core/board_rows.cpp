#include "session/core/board_rows.h"

#include "common/core/time_format.h"

namespace tallimo::session {
namespace {

std::int32_t LastLapOf(const SessionKart& kart) {
    const int n = kart.lastLapIndex;
    return n >= 0 && n < kPassingCapacity ? kart.lapTimes[n] : 0;
}

void AssignCut(std::string& to, const std::string& from, std::size_t capacity) {
    to.assign(from, 0, capacity);
}

// Rows are rebuilt at every passing: fields are assigned in place so that
// their storage is reused rather than reallocated.
void ClearRow(BoardRow& row) {
    for (std::string* text :
         {&row.kartLabel, &row.transponder, &row.driver, &row.spare, &row.duration, &row.elapsed,
          &row.laps, &row.totalTime, &row.lastLap, &row.bestLap})
        text->clear();
    row.categoryIndex = -1;
    row.heading = false;
    row.state = TrackState::Finished;
    row.lapJustDone = row.newPersonalBest = row.sessionBestHolder = row.reservedFlag = 0;
}

void FillKartRow(BoardRow& row, const SessionKart& kart, int category, bool withTimes) {
    ClearRow(row);
    AssignCut(row.kartLabel, kart.kartLabel, kKartLabelChars);
    AssignCut(row.transponder, kart.transponder, kTransponderChars);
    AppendDriverText(row.driver, kart);
    AssignCut(row.spare, kart.spareText, kSpareTextChars);
    row.duration = std::to_string(kart.durationMinutes);
    row.elapsed = std::to_string(kart.elapsedMinutes);
    if (withTimes) {
        row.laps = std::to_string(kart.lapCount);
        row.totalTime = common::FormatClockTime(kart.totalTime);
        row.lastLap = common::FormatLapTime(LastLapOf(kart));
        row.bestLap = common::FormatLapTime(kart.bestLap);
    }
    row.categoryIndex = category;
    row.state = kart.trackState;
    row.lapJustDone = kart.runtime.lapJustDone;
    row.newPersonalBest = kart.runtime.newPersonalBest;
    row.sessionBestHolder = kart.runtime.sessionBestHolder;
}

} // namespace

void AppendDriverText(std::string& out, const SessionKart& kart) {
    out.append(kart.driverName, 0, kDriverNameChars);
    out += ' ';
    out.append(kart.driverFirstName, 0, 5);
    if (kart.driverFirstName.size() > 5)
        out += '.';
}

std::string BoardDriverText(const SessionKart& kart) {
    std::string text;
    AppendDriverText(text, kart);
    return text;
}

void ClearBoardRows(BoardRows& rows) {
    for (BoardRow& row : rows)
        ClearRow(row);
}

int BuildBoardRows(BoardRows& rows, const RentalSession& session, int firstRow) {
    int next = firstRow < 0 ? 0 : firstRow;
    auto room = [&] { return next < kBoardRowCapacity; };
    for (int c = 0; c < kCategoryCount; ++c) {
        const SessionCategory& category = session.categories[c];
        if (!category.categoryName.empty() && room()) {
            ClearRow(rows[next]);
            rows[next].categoryIndex = c;
            rows[next].heading = true;
            ++next;
        }
        // Reserved karts first, then those on track, then finished runs.
        for (const TrackState state :
             {TrackState::Reserved, TrackState::Timing, TrackState::Finished}) {
            for (const SessionKart& kart : category.karts) {
                if (kart.usage != KartUsage::InSession || kart.trackState != state || !room())
                    continue;
                FillKartRow(rows[next++], kart, c, state != TrackState::Reserved);
            }
        }
    }
    return next;
}

} // namespace tallimo::session
