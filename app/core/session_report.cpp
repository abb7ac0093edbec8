#include "app/core/session_report.h"

#include "common/core/cp1252.h"
#include "common/core/time_format.h"

#include <array>
#include <cstdio>
#include <string>

namespace tallimo::app {
namespace {

using common::Cp1252ToUtf8;
using session::SessionKart;

bool IsBlankSlot(const SessionKart& kart) {
    const std::array<std::int32_t, session::kPassingCapacity> noPassings{};
    return kart.kartLabel.empty() && kart.transponder.empty() && kart.driverName.empty() &&
           kart.driverFirstName.empty() && kart.spareText.empty() &&
           kart.usage == session::KartUsage::NotInSession &&
           kart.trackState == session::TrackState::Finished && kart.durationMinutes == 0 &&
           kart.elapsedMinutes == 0 && kart.price == 0 &&
           kart.loyaltyCode == session::kNoLoyaltyOffer && kart.paid == 0 && kart.lapCount == 0 &&
           kart.totalTime == 0 && kart.bestLap == 0 && kart.lastLapIndex == 0 &&
           kart.passingTimes == noPassings;
}

int ValidLastLapIndex(const SessionKart& kart) {
    if (kart.lastLapIndex < 0)
        return -1;
    return kart.lastLapIndex > session::kMaxLapIndex ? session::kMaxLapIndex : kart.lastLapIndex;
}

std::int32_t LastLapTime(const SessionKart& kart) {
    const int index = ValidLastLapIndex(kart);
    return index < 0 ? 0 : kart.lapTimes[index];
}

const char* TrackStateName(session::TrackState state) {
    switch (state) {
    case session::TrackState::Finished:
        return "finished";
    case session::TrackState::Free:
        return "free";
    case session::TrackState::Reserved:
        return "reserved";
    case session::TrackState::Timing:
        return "timing";
    default:
        return "unknown";
    }
}

std::string Quoted(const std::string& cp1252) {
    return "\"" + Cp1252ToUtf8(cp1252) + "\"";
}

std::string JsonString(const std::string& cp1252) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string CsvField(const std::string& utf8) {
    if (utf8.find_first_of(",\"\n\r") == std::string::npos)
        return utf8;
    std::string out = "\"";
    for (const char c : utf8)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string Padded(const std::string& utf8, std::size_t width) {
    // Width in characters, not bytes: UTF-8 continuation bytes don't count.
    std::size_t characters = 0;
    for (const char c : utf8)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return characters >= width ? utf8 + " " : utf8 + std::string(width - characters, ' ');
}

void WriteKartText(std::ostream& out, const SessionKart& kart, int slot) {
    out << "  slot " << slot + 1 << ": " << Quoted(kart.kartLabel) << "\n"
        << "    transponder " << Quoted(kart.transponder) << ", driver " << Quoted(kart.driverName)
        << " " << Quoted(kart.driverFirstName) << ", spare " << Quoted(kart.spareText) << "\n"
        << "    usage " << session::UsageNumber(kart.usage) << ", trackState "
        << session::TrackStateNumber(kart.trackState) << " (" << TrackStateName(kart.trackState)
        << "), durationMinutes " << kart.durationMinutes << ", elapsedMinutes "
        << kart.elapsedMinutes << "\n"
        << "    price " << kart.price << ", loyaltyCode " << kart.loyaltyCode << ", paid "
        << kart.paid << "\n"
        << "    lastLapIndex " << kart.lastLapIndex << ", lapCount " << kart.lapCount
        << ", totalTime " << kart.totalTime << " (" << common::FormatClockTime(kart.totalTime)
        << "), last lap " << LastLapTime(kart) << " (" << common::FormatLapTime(LastLapTime(kart))
        << "), bestLap " << kart.bestLap << " (" << common::FormatLapTime(kart.bestLap) << ")\n"
        << "    passingTimes";
    for (int i = 0; i <= ValidLastLapIndex(kart); ++i)
        out << " " << kart.passingTimes[i];
    out << "\n";
}

} // namespace

void WriteSessionText(std::ostream& out, const session::LiveTiming& live) {
    const session::SessionHeader& header = live.header;
    out << "Header\n"
        << "  boardFrozen " << header.boardFrozen << ", selectedTreeItem "
        << header.selectedTreeItem << "\n"
        << "  trackName " << Quoted(header.trackName) << ", minLapSeconds " << header.minLapSeconds
        << "\n";
    for (int c = 0; c < session::kCategoryCount; ++c) {
        const session::SessionCategory& category = live.session.categories[c];
        out << "\nCategory " << c + 1 << ": " << Quoted(category.categoryName) << "\n";
        int blank = 0;
        for (int k = 0; k < session::kKartsPerCategory; ++k) {
            if (IsBlankSlot(category.karts[k]))
                ++blank;
            else
                WriteKartText(out, category.karts[k], k);
        }
        if (blank > 0)
            out << "  (" << blank << " empty slot" << (blank == 1 ? "" : "s") << ")\n";
    }
    out << "\n";
    WriteBoardRows(out, live);
}

void WriteSessionJson(std::ostream& out, const session::LiveTiming& live) {
    const session::SessionHeader& header = live.header;
    out << "{\n  \"header\": {\"boardFrozen\": " << header.boardFrozen
        << ", \"selectedTreeItem\": " << header.selectedTreeItem
        << ", \"trackName\": " << JsonString(header.trackName)
        << ", \"minLapSeconds\": " << header.minLapSeconds << "},\n  \"categories\": [\n";
    for (int c = 0; c < session::kCategoryCount; ++c) {
        const session::SessionCategory& category = live.session.categories[c];
        out << "    {\"categoryName\": " << JsonString(category.categoryName) << ", \"karts\": [\n";
        for (int k = 0; k < session::kKartsPerCategory; ++k) {
            const SessionKart& kart = category.karts[k];
            out << "      {\"kartLabel\": " << JsonString(kart.kartLabel)
                << ", \"transponder\": " << JsonString(kart.transponder)
                << ", \"driverName\": " << JsonString(kart.driverName)
                << ", \"driverFirstName\": " << JsonString(kart.driverFirstName)
                << ", \"spareText\": " << JsonString(kart.spareText)
                << ", \"usage\": " << session::UsageNumber(kart.usage)
                << ", \"trackState\": " << session::TrackStateNumber(kart.trackState)
                << ", \"durationMinutes\": " << kart.durationMinutes
                << ", \"elapsedMinutes\": " << kart.elapsedMinutes << ", \"price\": " << kart.price
                << ", \"loyaltyCode\": " << kart.loyaltyCode << ", \"paid\": " << kart.paid
                << ", \"lastLapIndex\": " << kart.lastLapIndex
                << ", \"lapCount\": " << kart.lapCount << ", \"totalTime\": " << kart.totalTime
                << ", \"lastLapTime\": " << LastLapTime(kart) << ", \"bestLap\": " << kart.bestLap
                << ", \"passingTimes\": [";
            for (int i = 0; i <= ValidLastLapIndex(kart); ++i)
                out << (i == 0 ? "" : ", ") << kart.passingTimes[i];
            out << "]}" << (k + 1 < session::kKartsPerCategory ? "," : "") << "\n";
        }
        out << "    ]}" << (c + 1 < session::kCategoryCount ? "," : "") << "\n";
    }
    out << "  ],\n  \"boardRows\": [\n";
    for (int r = 0; r < live.boardRowCount; ++r) {
        const session::BoardRow& row = live.boardRows[r];
        out << "    {\"categoryIndex\": " << row.categoryIndex
            << ", \"state\": " << session::BoardRowStateNumber(row)
            << ", \"kartLabel\": " << JsonString(row.kartLabel)
            << ", \"transponder\": " << JsonString(row.transponder)
            << ", \"driver\": " << JsonString(row.driver)
            << ", \"spare\": " << JsonString(row.spare)
            << ", \"duration\": " << JsonString(row.duration)
            << ", \"elapsed\": " << JsonString(row.elapsed)
            << ", \"laps\": " << JsonString(row.laps)
            << ", \"totalTime\": " << JsonString(row.totalTime)
            << ", \"lastLap\": " << JsonString(row.lastLap)
            << ", \"bestLap\": " << JsonString(row.bestLap)
            << ", \"lapJustDone\": " << row.lapJustDone
            << ", \"newPersonalBest\": " << row.newPersonalBest
            << ", \"sessionBestHolder\": " << row.sessionBestHolder << "}"
            << (r + 1 < live.boardRowCount ? "," : "") << "\n";
    }
    out << "  ]\n}\n";
}

void WriteTimedKartsCsv(std::ostream& out, const session::RentalSession& session) {
    out << "category,kart,driver,laps,total_time,best_lap,last_lap\n";
    for (const session::SessionCategory& category : session.categories) {
        for (const SessionKart& kart : category.karts) {
            if (kart.usage != session::KartUsage::InSession ||
                (kart.trackState != session::TrackState::Timing &&
                 kart.trackState != session::TrackState::Finished))
                continue;
            std::string driver = kart.driverName;
            if (!kart.driverFirstName.empty())
                driver += " " + kart.driverFirstName;
            out << CsvField(Cp1252ToUtf8(category.categoryName)) << ","
                << CsvField(Cp1252ToUtf8(kart.kartLabel)) << "," << CsvField(Cp1252ToUtf8(driver))
                << "," << kart.lapCount << "," << common::FormatClockTime(kart.totalTime) << ","
                << common::FormatLapTime(kart.bestLap) << ","
                << common::FormatLapTime(LastLapTime(kart)) << "\n";
        }
    }
}

void WriteBoardRows(std::ostream& out, const session::LiveTiming& live) {
    out << "Board (" << live.boardRowCount << " rows)\n";
    for (int r = 0; r < live.boardRowCount; ++r) {
        const session::BoardRow& row = live.boardRows[r];
        if (row.heading) {
            const int index = row.categoryIndex;
            const bool valid = index >= 0 && index < session::kCategoryCount;
            out << "== " << Cp1252ToUtf8(valid ? live.session.categories[index].categoryName : "")
                << " ==\n";
            continue;
        }
        std::string flags;
        if (row.lapJustDone)
            flags += " lap";
        if (row.newPersonalBest)
            flags += " personal-best";
        if (row.sessionBestHolder)
            flags += " best-of-day";
        out << "  " << Padded(Cp1252ToUtf8(row.kartLabel), 6)
            << Padded(TrackStateName(row.state), 9) << Padded(Cp1252ToUtf8(row.driver), 32)
            << Padded(row.elapsed + "/" + row.duration + " min", 11)
            << Padded(row.laps.empty() ? "" : row.laps + " laps", 9) << Padded(row.totalTime, 13)
            << Padded(row.lastLap.empty() ? "" : "last " + row.lastLap, 16)
            << (row.bestLap.empty() ? "" : "best " + row.bestLap) << flags << "\n";
    }
}

} // namespace tallimo::app
