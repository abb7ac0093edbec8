#include "session/core/session_file.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::session {
namespace {

using testing::TemporaryFolder;

// The line of a slot that was never used: five texts of which four are
// empty, twelve numbers and one passing time.
const std::string kUnusedK1 = "K1\t\t\t\t\t0\t0\t0\t0\t0\t-1\t0\t0\t0\t0\t0\t0\t0\t\n";

std::string EmptyKartLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i)
        lines += "\t\t\t\t\t0\t0\t0\t0\t0\t-1\t0\t0\t0\t0\t0\t0\t0\t\n";
    return lines;
}

RentalSession SampleSession() {
    RentalSession session;
    session.categories[0].categoryName = "Adultes";
    session.categories[5].categoryName = kPrivateCategoryName;
    for (int k = 0; k < kKartsPerCategory; ++k) {
        session.kart(0, k).kartLabel = KartLabelFor(0, k);
        session.kart(5, k).kartLabel = KartLabelFor(5, k);
    }
    SessionKart& k2 = session.kart(0, 1);
    k2.transponder = "004711";
    k2.driverName = "Lef\xE8vre";
    k2.driverFirstName = "Fr\xE9"
                         "d\xE9ric";
    k2.spareText = "spare";
    k2.usage = KartUsage::InSession;
    k2.trackState = TrackState::Timing;
    k2.durationMinutes = 10;
    k2.elapsedMinutes = 2;
    k2.price = 18;
    k2.loyaltyCode = 10003;
    k2.paid = 1;
    k2.lastLapIndex = 3;
    k2.lapCount = 3;
    k2.passingTimes = {0, 45000, 89000, 133500};
    k2.lapTimes[3] = 44500;
    k2.totalTime = 133500;
    k2.bestLap = 44000;
    return session;
}

TEST(SessionFileTest, WritesTheSpecifiedBytes) {
    SessionHeader header;
    header.trackName = "Piste du lac";
    header.minLapSeconds = 12;
    const std::string bytes = FormatSessionFile(SampleSession(), header);

    std::string expected = "0\t10000\t\n\nPiste du lac\t12\t\n\nAdultes\t\n" + kUnusedK1 +
                           "K2\t004711\tLef\xE8vre\tFr\xE9"
                           "d\xE9ric\tspare\t1\t3\t10\t2\t18\t"
                           "10003\t1\t3\t3\t133500\t44500\t44000\t0\t45000\t89000\t133500\t\n";
    for (int k = 2; k < 30; ++k)
        expected +=
            "K" + std::to_string(k + 1) + "\t\t\t\t\t0\t0\t0\t0\t0\t-1\t0\t0\t0\t0\t0\t0\t0\t\n";
    expected += "\n";
    for (int c = 1; c < 5; ++c)
        expected += "\t\n" + EmptyKartLines(30) + "\n";
    expected += "Karts priv\xE9s\t\n";
    for (int k = 0; k < 30; ++k)
        expected +=
            "KP" + std::to_string(k + 1) + "\t\t\t\t\t0\t0\t0\t0\t0\t-1\t0\t0\t0\t0\t0\t0\t0\t\n";
    expected += "\n";
    EXPECT_EQ(bytes, expected);
}

TEST(SessionFileTest, RoundTripKeepsEveryValueTheFileHolds) {
    TemporaryFolder folder;
    const common::WorkingFolder working(folder.path());
    RentalSession original = SampleSession();
    original.kart(0, 1).lapTimes[1] = 45000; // not in the file: comes back 0
    original.kart(0, 1).runtime.startTime = 777;
    SessionHeader header{3, 203, "Circuit des Pins", 9};
    ASSERT_TRUE(SaveSessionFile(working, original, header));

    RentalSession loaded;
    SessionHeader loadedHeader;
    loadedHeader.trackName.clear();
    ASSERT_TRUE(LoadSessionFile(working, loaded, loadedHeader));
    EXPECT_EQ(loadedHeader.boardFrozen, 3);
    EXPECT_EQ(loadedHeader.selectedTreeItem, 203);
    EXPECT_EQ(loadedHeader.trackName, "Circuit des Pins");
    EXPECT_EQ(loadedHeader.minLapSeconds, 9);

    const SessionKart& k2 = loaded.kart(0, 1);
    EXPECT_EQ(k2.driverFirstName, "Fr\xE9"
                                  "d\xE9ric");
    EXPECT_EQ(k2.loyaltyCode, 10003);
    EXPECT_EQ(k2.passingTimes, original.kart(0, 1).passingTimes);
    EXPECT_EQ(k2.lapTimes[3], 44500);
    EXPECT_EQ(k2.lapTimes[1], 0);
    EXPECT_EQ(k2.runtime.startTime, 0);
    EXPECT_EQ(loaded.kart(0, 0).loyaltyCode, -1);
    // Written again, the bytes are the same.
    EXPECT_EQ(FormatSessionFile(loaded, loadedHeader), FormatSessionFile(original, header));
}

struct DamagedCase {
    const char* name;
    std::string bytes;
    bool (*check)(const RentalSession&, const SessionHeader&);
};

const std::string kHeader = "0\t10000\t\n\nPiste\t2\t\n\n";

class SessionFileDamageTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(SessionFileDamageTest, LoadsWhatItCanAndNothingElse) {
    TemporaryFolder folder;
    folder.write("Private/Session.rent", GetParam().bytes);
    RentalSession session;
    SessionHeader header;
    ASSERT_TRUE(LoadSessionFile(common::WorkingFolder(folder.path()), session, header));
    EXPECT_TRUE(GetParam().check(session, header));
}

INSTANTIATE_TEST_SUITE_P(
    Files, SessionFileDamageTest,
    ::testing::Values(
        DamagedCase{"header_only", kHeader,
                    [](const RentalSession& s, const SessionHeader& h) {
                        return h.trackName == "Piste" && s.categories[0].categoryName.empty();
                    }},
        DamagedCase{"ends_inside_a_category", kHeader + "Adultes\t\n" + kUnusedK1,
                    [](const RentalSession& s, const SessionHeader&) {
                        return s.kart(0, 0).kartLabel == "K1" && s.kart(0, 1).kartLabel.empty() &&
                               s.categories[1].categoryName.empty();
                    }},
        DamagedCase{"ff_where_a_line_begins", kHeader + "Adultes\t\n" + kUnusedK1 + "\xFFK2\t\n",
                    [](const RentalSession& s, const SessionHeader&) {
                        return s.kart(0, 1).kartLabel.empty();
                    }},
        DamagedCase{
            "overlong_texts_are_cut",
            kHeader.substr(0, 10) + std::string(40, 'T') + "\t2\t\n\n" + std::string(30, 'C') +
                "\t\nK1234567\t0047110\t" + std::string(60, 'N') + "\t\t\t1\t\n",
            [](const RentalSession& s, const SessionHeader& h) {
                const SessionKart& k = s.kart(0, 0);
                return h.trackName.size() == 19 && s.categories[0].categoryName.size() == 15 &&
                       k.kartLabel == "K123" && k.transponder == "004711" &&
                       k.driverName.size() == 24 && k.usage == KartUsage::InSession;
            }},
        DamagedCase{"bad_numbers_keep_their_cleared_value",
                    kHeader + "Adultes\t\nK1\t\t\t\t\tx\t3\t1O\t0\t0\tnone\t\n",
                    [](const RentalSession& s, const SessionHeader&) {
                        const SessionKart& k = s.kart(0, 0);
                        return k.usage == KartUsage::NotInSession &&
                               k.trackState == TrackState::Timing && k.durationMinutes == 0 &&
                               k.loyaltyCode == -1;
                    }},
        DamagedCase{"short_line_does_not_shift_the_next",
                    kHeader + "Adultes\t\nK1\t004711\n" + "K2\t\t\t\t\t1\t2\t",
                    [](const RentalSession& s, const SessionHeader&) {
                        return s.kart(0, 0).transponder == "004711" &&
                               s.kart(0, 1).kartLabel == "K2" &&
                               s.kart(0, 1).trackState == TrackState::Reserved;
                    }},
        DamagedCase{"lap_index_beyond_the_record",
                    kHeader + "Adultes\t\nK1\t\t\t\t\t1\t3\t10\t0\t0\t-1\t0\t150\t150\t9\t7\t5\t" +
                        [] {
                            std::string times;
                            for (int i = 0; i <= 150; ++i)
                                times += std::to_string(i) + "\t";
                            return times;
                        }() +
                        "\nK2\t\n",
                    [](const RentalSession& s, const SessionHeader&) {
                        const SessionKart& k = s.kart(0, 0);
                        return k.lastLapIndex == 99 && k.passingTimes[99] == 99 &&
                               k.lapTimes[99] == 7 && s.kart(0, 1).kartLabel == "K2";
                    }},
        DamagedCase{"negative_lap_index_reads_no_times",
                    kHeader + "Adultes\t\nK1\t\t\t\t\t1\t3\t10\t0\t0\t-1\t0\t-4\t0\t0\t0\t0\t\n",
                    [](const RentalSession& s, const SessionHeader&) {
                        return s.kart(0, 0).lastLapIndex == 0 &&
                               s.kart(0, 0).trackState == TrackState::Timing;
                    }},
        DamagedCase{"not_a_session_at_all", std::string("\x89PNG\r\n\x1A\n\0\0\0", 11),
                    [](const RentalSession& s, const SessionHeader& h) {
                        return h.minLapSeconds == 2 &&
                               s.kart(0, 0).usage == KartUsage::NotInSession;
                    }},
        DamagedCase{"windows_line_ends", "0\t501\t\r\n\r\nPiste\t3\t\r\n\r\nAdultes\t\r\nK1\t\r\n",
                    [](const RentalSession& s, const SessionHeader& h) {
                        return h.selectedTreeItem == 501 && h.minLapSeconds == 3 &&
                               s.categories[0].categoryName == "Adultes" &&
                               s.kart(0, 0).kartLabel == "K1";
                    }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(SessionFileTest, MissingFileFailsToLoad) {
    TemporaryFolder folder;
    RentalSession session;
    SessionHeader header;
    EXPECT_FALSE(LoadSessionFile(common::WorkingFolder(folder.path()), session, header));
}

TEST(SessionFileTest, AFailedSaveLeavesThePreviousFileWhole) {
    TemporaryFolder folder;
    const common::WorkingFolder working(folder.path());
    ASSERT_TRUE(SaveSessionFile(working, SampleSession(), SessionHeader{}));
    const std::string before = folder.read("Private/Session.rent");
    // A user session file under a path whose parent is that file cannot be
    // written; nothing else changes.
    EXPECT_FALSE(SaveSessionFileAs(folder / "Private/Session.rent/copy.rent", RentalSession{},
                                   SessionHeader{}));
    EXPECT_EQ(folder.read("Private/Session.rent"), before);
}

} // namespace
} // namespace tallimo::session
