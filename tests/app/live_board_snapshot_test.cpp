#include "app/core/live_board_snapshot.h"

#include "common/core/data_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tallimo::app {
namespace {

using session::KartUsage;
using session::SessionKart;
using session::TrackState;

std::string Golden(const std::string& name) {
    return (std::filesystem::path(TALLIMO_APP_GOLDEN_DIR) / name).string();
}

// TALLIMO_UPDATE_GOLDEN=1 writes the files anew, to be reviewed before committing.
void ExpectMatchesGolden(const std::string& json, const std::string& name) {
    if (std::getenv("TALLIMO_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(Golden(name), std::ios::binary) << json << '\n';
        return;
    }
    std::string golden;
    ASSERT_TRUE(common::ReadWholeFile(Golden(name), golden)) << name;
    EXPECT_EQ(json + '\n', golden) << name;
}

SessionKart& Put(session::LiveTiming& live, int category, int slot, const char* name,
                 const char* firstName, int minutes, std::vector<std::int32_t> laps) {
    SessionKart& kart = live.session.kart(category, slot);
    kart.kartLabel = session::KartLabelFor(category, slot);
    kart.transponder = "00012" + std::to_string(slot);
    kart.usage = KartUsage::InSession;
    kart.driverName = name;
    kart.driverFirstName = firstName;
    kart.durationMinutes = minutes;
    kart.trackState = TrackState::Timing;
    std::int32_t total = 0;
    for (const std::int32_t lap : laps) {
        ++kart.lapCount;
        kart.lastLapIndex = kart.lapCount;
        kart.lapTimes[static_cast<std::size_t>(kart.lapCount)] = lap;
        total += lap;
        kart.passingTimes[static_cast<std::size_t>(kart.lapCount)] = total;
        if (kart.bestLap == 0 || lap < kart.bestLap)
            kart.bestLap = lap;
    }
    kart.totalTime = total;
    return kart;
}

// Two rental categories and the private karts: a driver with accents who has
// just lapped, the day's best, a finished run, a reserved kart and a kart on
// track with no driver and no lap (neither of which is on the live board).
void FillSession(session::LiveTiming& live) {
    session::ClearSession(live.session);
    live.header.trackName = "Circuit de l'\xC9tang";
    live.session.categories[0].categoryName = "Adultes";
    live.session.categories[2].categoryName = "Enfants \"Mini\"";
    live.session.categories[5].categoryName = "";

    SessionKart& zoe = Put(live, 0, 1, "RICHARD", "Zo\xE9", 10, {61234, 59876, 60500});
    zoe.runtime.lapJustDone = 1;
    Put(live, 0, 3, "LEFEBVRE", "Fran\xE7ois-Xavier", 8, {58001, 57432});
    SessionKart& done = Put(live, 0, 4, "PETIT", "Gabriel", 1, {62000});
    done.trackState = TrackState::Finished;
    done.totalTime = 65000; // past its booked minute: nothing remains
    SessionKart& reserved = Put(live, 0, 5, "MARTIN", "Chlo\xE9", 5, {});
    reserved.trackState = TrackState::Reserved;
    Put(live, 2, 0, "", "", 5, {});
    Put(live, 2, 2, "O'BRIEN", "Se\\n", 5, {70123});
    SessionKart& privateKart = Put(live, 5, 0, "DURAND", "Manon", 15, {55000, 54321});
    privateKart.runtime.sessionBestHolder = 1;
    live.bestLapMark = 54321;
    live.rebuildBoardRows();
}

TEST(LiveBoardSnapshot, SessionInFullSwingMatchesGoldenJson) {
    session::LiveTiming live;
    FillSession(live);
    const LiveBoardSnapshot snapshot = BuildLiveBoardSnapshot(live, "0:12:34", "0:47:26", true, 42);

    ASSERT_EQ(snapshot.karts.size(), 5u);
    EXPECT_EQ(snapshot.karts[0].driver, "RICHARD Zo\u00E9");
    EXPECT_TRUE(snapshot.karts[0].newLap);
    EXPECT_EQ(snapshot.karts[0].remainingSeconds, 10 * 60 - 181);
    EXPECT_TRUE(snapshot.karts[2].finished);
    EXPECT_EQ(snapshot.karts[2].remainingSeconds, 0);
    EXPECT_EQ(snapshot.karts[4].category, "Karts priv\u00E9s");
    EXPECT_TRUE(snapshot.karts[4].dayBest);
    EXPECT_EQ(snapshot.dayBestDriver, "DURAND Manon");
    ExpectMatchesGolden(LiveBoardJson(snapshot), "live_board_session.json");
}

TEST(LiveBoardSnapshot, EmptyBoardMatchesGoldenJson) {
    session::LiveTiming live;
    session::ClearSession(live.session);
    live.rebuildBoardRows();
    ExpectMatchesGolden(LiveBoardJson(BuildLiveBoardSnapshot(live, "0:00:00", "", false, 0)),
                        "live_board_empty.json");
}

// The mark outlives the session that set it: its time stays the day's best
// even when its holder is no longer on the board.
TEST(LiveBoardSnapshot, DayBestFromAnEarlierSessionKeepsItsTimeWithoutAName) {
    session::LiveTiming live;
    session::ClearSession(live.session);
    live.bestLapMark = 51000;
    Put(live, 1, 0, "ROBERT", "Hugo", 10, {60000});
    live.rebuildBoardRows();
    const LiveBoardSnapshot snapshot = BuildLiveBoardSnapshot(live, "", "", true, 1);
    EXPECT_EQ(snapshot.dayBestLapMs, 51000);
    EXPECT_EQ(snapshot.dayBestDriver, "");
    EXPECT_FALSE(snapshot.karts.at(0).dayBest);
}

struct EscapeCase {
    const char* name;
    std::string text;
    std::string json;
};

class LiveBoardJsonEscaping : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(LiveBoardJsonEscaping, TitleIsOneValidJsonString) {
    LiveBoardSnapshot snapshot;
    snapshot.title = GetParam().text;
    const std::string json = LiveBoardJson(snapshot);
    EXPECT_NE(json.find("\"title\":" + GetParam().json + ","), std::string::npos) << json;
    EXPECT_EQ(json.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LiveBoardJsonEscaping,
    ::testing::Values(
        EscapeCase{"quote_and_backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
        EscapeCase{"line_breaks_and_tab", "a\nb\r\tc", "\"a\\u000Ab\\u000D\\u0009c\""},
        EscapeCase{"nul_and_delete", std::string("a\0b\x7F", 4), "\"a\\u0000b\\u007F\""},
        EscapeCase{"utf8_passes_through", "\xC3\xA9t\xC3\xA9", "\"\xC3\xA9t\xC3\xA9\""},
        EscapeCase{"markup_is_left_to_the_page", "</script><b>", "\"</script><b>\""}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace tallimo::app
