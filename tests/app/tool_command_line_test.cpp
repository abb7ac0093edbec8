#include "app/core/passing_list.h"
#include "app/core/tool_command_line.h"
#include "session/core/session_file.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tallimo::app {
namespace {

using testing::TemporaryFolder;

struct ToolRun {
    int exitCode = 0;
    std::string out;
    std::string err;
};

ToolRun RunTool(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    ToolRun run;
    run.exitCode = RunToolCommandLine(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

class ToolTest : public ::testing::Test {
protected:
    ToolTest() {
        session::RentalSession rental;
        rental.categories[0].categoryName = "Adultes";
        rental.categories[5].categoryName = session::kPrivateCategoryName;
        for (int slot = 0; slot < session::kKartsPerCategory; ++slot) {
            rental.kart(0, slot).kartLabel = session::KartLabelFor(0, slot);
            rental.kart(5, slot).kartLabel = session::KartLabelFor(5, slot);
        }
        session::SessionKart& k1 = rental.kart(0, 0);
        k1.transponder = "004711";
        k1.driverName = "Lef\xE8vre";
        k1.driverFirstName = "Fr\xE9"
                             "d\xE9ric";
        k1.usage = session::kUsageInSession;
        k1.trackState = session::kTrackStateReserved;
        k1.durationMinutes = 1;
        session::SessionHeader header;
        header.trackName = "Circuit des Pins";
        header.minLapSeconds = 10;
        session::SaveSessionFileAs(sessionPath(), rental, header);
    }

    std::string sessionPath() const { return (folder / "day.rent").string(); }

    TemporaryFolder folder;
};

TEST_F(ToolTest, ShowListsTheFileValuesAndTheBoardRowsAsTextOrJson) {
    const ToolRun run = RunTool({"session", "show", sessionPath()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("trackName \"Circuit des Pins\", minLapSeconds 10"), std::string::npos);
    EXPECT_NE(run.out.find("driver \"Lefèvre\" \"Frédéric\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Category 6: \"Karts privés\""), std::string::npos);
    EXPECT_NE(run.out.find("Board (3 rows)"), std::string::npos);
    EXPECT_NE(run.out.find("Lefèvre Frédé."), std::string::npos);
    EXPECT_TRUE(run.err.empty());

    const ToolRun json = RunTool({"session", "show", sessionPath(), "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    std::size_t slots = 0;
    for (auto at = json.out.find("\"kartLabel\""); at != std::string::npos;
         at = json.out.find("\"kartLabel\"", at + 1))
        ++slots;
    EXPECT_EQ(slots, 180U + 3U); // every slot and the three board rows
    EXPECT_NE(json.out.find("\"driverName\": \"Lefèvre\""), std::string::npos);
}

TEST_F(ToolTest, ReplayTimesThePassingsWritesTheSessionAndExportsIt) {
    folder.write("passings.txt", "# K1 on track\n"
                                 "004711\t5000\n"
                                 "004711\t5300\n"    // same pass, reported twice
                                 "004711\t9000\n"    // too short a lap: warns
                                 "004711\t47000\n"   // 42 s
                                 "004711\t87500\n"   // 40.5 s: best, and past 1 minute
                                 "009999\t90000\n"); // not in the session
    const std::string out = (folder / "after.rent").string();
    const ToolRun run =
        RunTool({"replay", sessionPath(), (folder / "passings.txt").string(), "--out", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("0:05.000  004711  sons/beep1.wav"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("0:05.300  004711  -"), std::string::npos);
    EXPECT_NE(run.out.find("0:09.000  004711  sons/buzz.wav"), std::string::npos);
    EXPECT_NE(run.out.find("0:47.000  004711  sons/beep1.wav"), std::string::npos);
    EXPECT_NE(run.out.find("1:27.500  004711  sons/nokia-sms.wav"), std::string::npos);
    EXPECT_NE(run.out.find("1:30.000  009999  -"), std::string::npos);

    const ToolRun csv = RunTool({"session", "export", out, "--csv"});
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_EQ(csv.out, "category,kart,driver,laps,total_time,best_lap,last_lap\n"
                       "Adultes,K1,Lefèvre Frédéric,2,1:22.500,40.500,40.500\n");
}

TEST_F(ToolTest, ReplayMinimumLapOptionOverridesTheSessionAndTheInputIsNeverOverwritten) {
    folder.write("passings.txt", "004711\t5000\n004711\t9000\n");
    const std::string before = folder.read("day.rent");
    const ToolRun run =
        RunTool({"replay", sessionPath(), (folder / "passings.txt").string(), "--min-lap", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("minimum lap 2 s"), std::string::npos);
    EXPECT_NE(run.out.find("0:09.000  004711  sons/beep1.wav"), std::string::npos);
    EXPECT_EQ(folder.read("day.rent"), before);
    EXPECT_TRUE(std::filesystem::exists(folder / "day.replayed.rent"));
}

TEST_F(ToolTest, DecodeListsThePassingsOfACaptureAndTheSkippedBytes) {
    // Noise, a passing at 0:01:02.499, a clock reset acknowledgement, a
    // passing of transponder 7 at 1:00:00.000, and half a record.
    const std::string capture = std::string("\x00\x13", 2) +
                                std::string("\xFF\xFF\xFF\xF0\x12\x67\x00\x01\x02\xA4\x72", 11) +
                                std::string("\xFF\xFF\xFF\x02\x00\x00\x00", 7) +
                                std::string("\xFF\xFF\xFF\xF0\x00\x07\x01\x00\x00\x48\xE5", 11) +
                                "\xFF\xFF\xFF";
    folder.write("line.bin", capture);
    const ToolRun framed =
        RunTool({"decode", "--model", "TallimoVela2", (folder / "line.bin").string()});
    EXPECT_EQ(framed.exitCode, 0) << framed.err;
    EXPECT_EQ(framed.out, "004711\t62499\n000007\t3600000\nskipped\t12\n");

    const ToolRun pairs = RunTool({"decode", "--model", "Tallimo", (folder / "line.bin").string()});
    EXPECT_EQ(pairs.exitCode, 0);
    EXPECT_EQ(pairs.out.substr(0, 27), "000019\t0\n065535\t2\n065520\t4\n");
}

struct FailureCase {
    const char* name;
    const char* arguments; // split at blanks; "@" stands for the temporary folder
    int exitCode;
    const char* message;
};

class ToolFailureTest : public ToolTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ToolFailureTest, ExplainsOnStandardErrorAndFails) {
    folder.write("bad.txt", "004711\t5000\n\n47110\t9000\n");
    folder.write("ok.txt", "004711\t5000\n");
    std::vector<std::string> arguments;
    std::istringstream words(GetParam().arguments);
    for (std::string argument; words >> argument;) {
        if (const auto at = argument.find('@'); at != std::string::npos)
            argument.replace(at, 1, folder.path().string());
        arguments.push_back(argument);
    }
    const ToolRun run = RunTool(arguments);
    EXPECT_EQ(run.exitCode, GetParam().exitCode);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ToolFailureTest,
    ::testing::Values(
        FailureCase{"no_command", "", 2, "usage:"},
        FailureCase{"unknown_command", "sessions", 2, "unknown command 'sessions'"},
        FailureCase{"missing_session", "session show @/none.rent", 1,
                    "none.rent: no such session file"},
        FailureCase{"export_without_csv", "session export @/day.rent", 2, "--csv"},
        FailureCase{"missing_passings", "replay @/day.rent @/none.txt", 1,
                    "none.txt: cannot read the passings file"},
        FailureCase{"bad_passing_line", "replay @/day.rent @/bad.txt", 1,
                    "bad.txt:3: expected a six-digit transponder"},
        FailureCase{"bad_min_lap", "replay @/day.rent @/bad.txt --min-lap x", 2,
                    "--min-lap needs whole seconds"},
        FailureCase{"unwritable_output", "replay @/day.rent @/ok.txt --out @/day.rent/inside.rent",
                    1, "cannot write the session file"},
        FailureCase{"decode_unknown_model", "decode --model Vela9 @/ok.txt", 2,
                    "unknown decoder model 'Vela9'"},
        FailureCase{"decode_missing_capture", "decode --model Tallimo @/none.bin", 1,
                    "none.bin: cannot read the capture"},
        FailureCase{"decode_without_model", "decode @/ok.txt", 2, "decode needs --model"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PassingListTest, ReadsLinesAndNamesTheFirstBadOne) {
    const PassingListResult ok = ParsePassingList("000007\t-398\r\n065535\t3723000\t\n");
    ASSERT_EQ(ok.badLine, 0);
    ASSERT_EQ(ok.passings.size(), 2U);
    EXPECT_EQ(ok.passings[0].transponder, "000007");
    EXPECT_EQ(ok.passings[0].timeMs, -398);
    EXPECT_EQ(ok.passings[1].timeMs, 3723000);

    EXPECT_EQ(ParsePassingList("000001\t10\n00000A\t5\n").badLine, 2);
    EXPECT_EQ(ParsePassingList("000001 10\n").badLine, 1);
    EXPECT_EQ(ParsePassingList("000001\t\n").badLine, 1);
    EXPECT_EQ(ParsePassingList("000001\t99999999999\n").badLine, 1);
}

} // namespace
} // namespace tallimo::app
