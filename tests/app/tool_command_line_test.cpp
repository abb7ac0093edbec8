#include "app/core/passing_list.h"
#include "app/core/tool_command_line.h"
#include "runs/core/run_report.h"
#include "session/core/session_file.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <set>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tallimo::app {
namespace {

using namespace std::chrono_literals;
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
        k1.usage = session::KartUsage::InSession;
        k1.trackState = session::TrackState::Reserved;
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

// A run file with `runs` slots titled "Run 1000", "Run 1001", ...
std::string RunFileWith(int runs) {
    std::string bytes = "1\t0\t\n";
    for (int i = 0; i < runs; ++i) {
        std::string data = "Dupont\tJean\tAdultes\tPins\t2026\t1\t2\t10\t0\t0\t1\t0\t60000\t";
        while (data.size() < 992)
            data += data.size() % 2 == 0 ? '1' : '\t';
        bytes += "\nRun " + std::to_string(1000 + i) + "\t\n" + data + "\n";
    }
    return bytes;
}

class RunToolTest : public ToolTest {
protected:
    RunToolTest() {
        folder.write("Runs/d.bdr", "1\t0\t\n");
        folder.write("p.txt", "0\n61234\r\n122221\n\n183721\n");
    }
    std::string runFile() const { return (folder / "Runs/d.bdr").string(); }
    ToolRun save(const std::string& title, const std::string& when) const {
        return RunTool({"run", "save", runFile(), "--title", title, "--driver", "Lefèvre", "René",
                        "--category", "Adultes", "--track", "Pins", "--when", when,
                        (folder / "p.txt").string()});
    }
};

TEST_F(RunToolTest, SavesListsAnalysesAndRemovesRuns) {
    const std::string nine = "Run 2026 / 12 / 07  (9:00:00)";
    const std::string ten = "Run 2026 / 12 / 07  (10:00:00)";
    for (const auto& [title, when] :
         {std::pair{nine, "2026-12-07T09:00:00"}, std::pair{ten, "2026-12-07T10:00:00"}}) {
        const ToolRun run = save(title, when);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_NE(folder.read("Runs/d.bdr")
                  .find("\nLef\xE8vre\tRen\xE9\tAdultes\tPins\t2026\t12\t7\t9\t0\t0\t3\t0\t61234\t1"
                        "22221\t183721\t1\t1\t"),
              std::string::npos);

    const ToolRun list = RunTool({"run", "list", runFile()});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, "saving\t1\tfull\t0\truns\t2\n" + ten + "\n" + nine + "\n");

    const ToolRun stats = RunTool({"run", "stats", runFile(), nine, "--json"});
    EXPECT_EQ(stats.exitCode, 0) << stats.err;
    std::string histogramBounds, laterCounts;
    for (int k = 0; k < 40; ++k)
        histogramBounds += (k == 0 ? "" : ", ") + std::to_string(60000 + 200 * k);
    for (int k = 8; k < 40; ++k)
        laterCounts += ", 0";
    EXPECT_EQ(stats.out, "{\n  \"count\": 3,\n  \"best\": 60987,\n  \"bestLap\": 2,\n"
                         "  \"worst\": 61500,\n  \"worstLap\": 3,\n  \"mean\": 61240,\n"
                         "  \"deviation\": 209,\n"
                         "  \"classBounds\": [60900, 61000, 61100, 61400, 61900, 62400, 62900, "
                         "63900, 64900, 65900],\n"
                         "  \"classCounts\": [1, 0, 1, 1, 0, 0, 0, 0, 0, 0],\n"
                         "  \"classShares\": [333, 0, 333, 333, 0, 0, 0, 0, 0, 0],\n"
                         "  \"histogramBounds\": [" +
                             histogramBounds +
                             "],\n"
                             "  \"histogramCounts\": [0, 0, 0, 0, 1, 0, 1, 1" +
                             laterCounts + "]\n}\n");

    const struct {
        const char* why;
        std::vector<std::string> range;
        const char* count;
        const char* best;
    } ranges[] = {
        {"0 becomes 1, past N becomes N",
         {"--from", "0", "--to", "99"},
         "\"count\": 3,",
         "\"best\": 60987,"},
        {"from past N becomes N", {"--from", "7"}, "\"count\": 1,", "\"best\": 61500,"},
        {"to before from: nothing", {"--from", "3", "--to", "1"}, "\"count\": 0,", "\"best\": 0,"},
        {"first lap alone", {"--to", "1"}, "\"count\": 1,", "\"best\": 61234,"},
    };
    for (const auto& row : ranges) {
        std::vector<std::string> arguments = {"run", "stats", runFile(), nine};
        arguments.insert(arguments.end(), row.range.begin(), row.range.end());
        arguments.push_back("--json");
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.exitCode, 0) << row.why;
        EXPECT_NE(run.out.find(row.count), std::string::npos) << row.why << run.out;
        EXPECT_NE(run.out.find(row.best), std::string::npos) << row.why;
    }

    const ToolRun removed = RunTool({"run", "remove", runFile(), nine});
    EXPECT_EQ(removed.exitCode, 0);
    EXPECT_EQ(removed.out, "");
    EXPECT_EQ(RunTool({"run", "list", runFile()}).out,
              "saving\t1\tfull\t0\truns\t1\n" + ten + "\n");
    const ToolRun again = RunTool({"run", "remove", runFile(), nine});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, "Error\tError: Run to be removed not found\n");
}

// Records what `run report` hands to the drawing side.
class RecordingReportWriter final : public runs::RunReportWriter {
public:
    struct Call {
        runs::RunReportHeader header;
        runs::LapRange range;
        runs::RunReportKind kind;
    };
    bool writePdf(const runs::DriverRun&, const runs::RunReportHeader& header, runs::LapRange range,
                  runs::RunReportKind kind, const std::filesystem::path&) override {
        calls.push_back({header, range, kind});
        return succeeds;
    }
    std::vector<Call> calls;
    bool succeeds = true;
};

TEST_F(RunToolTest, ReportHandsTheStoredRunWithItsHeaderAndTheWindowsRangeRules) {
    const std::string nine = "Run 2026 / 12 / 07  (9:00:00)";
    ASSERT_EQ(save(nine, "2026-12-07T09:00:00").exitCode, 0);
    RecordingReportWriter writer;
    const auto report = [&](const std::string& title, std::vector<std::string> options,
                            runs::RunReportWriter* reports) {
        std::vector<std::string> arguments{"run", "report", runFile(), title};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), {"--pdf", (folder / "r.pdf").string()});
        std::ostringstream out, err;
        const int code = RunToolCommandLine(arguments, out, err, reports);
        return ToolRun{code, out.str(), err.str()};
    };

    const ToolRun laps = report(nine, {"--kind", "laps", "--from", "0", "--to", "50"}, &writer);
    EXPECT_EQ(laps.exitCode, 0) << laps.err;
    EXPECT_EQ(laps.out, "");
    const ToolRun late = report(nine, {"--kind", "synthesis", "--from", "9"}, &writer);
    EXPECT_EQ(late.exitCode, 0) << late.err;
    ASSERT_EQ(writer.calls.size(), 2u);
    EXPECT_EQ(writer.calls[0].header,
              (runs::RunReportHeader{"Ren\xE9 Lef\xE8vre", "Piste : Pins", "Cat\xE9gorie : Adultes",
                                     "Date : 07 / 12 / 2026  (9:00:00)"}));
    EXPECT_EQ(writer.calls[0].kind, runs::RunReportKind::Laps);
    EXPECT_EQ(writer.calls[0].range, (runs::LapRange{1, 3})) << "0 becomes 1, 50 becomes N";
    EXPECT_EQ(writer.calls[1].range, (runs::LapRange{3, 3})) << "from above N becomes N";

    const ToolRun missing = report("Run 1999", {"--kind", "passings"}, &writer);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "Error\tError: Run to load not found\n");
    writer.succeeds = false;
    const ToolRun unwritten = report(nine, {"--kind", "passings"}, &writer);
    EXPECT_EQ(unwritten.exitCode, 1);
    EXPECT_NE(unwritten.err.find("cannot write the report"), std::string::npos);
    EXPECT_EQ(report(nine, {"--kind", "passings"}, nullptr).exitCode, 1) << "built without Qt";
    EXPECT_EQ(report(nine, {"--kind", "lap"}, &writer).exitCode, 2);
    EXPECT_EQ(writer.calls.size(), 3u);
}

TEST_F(RunToolTest, PrintsTheMessagesOfAFillingDatabaseOnePerLine) {
    folder.write("Runs/d.bdr", RunFileWith(99));
    const ToolRun hundredth = save("Run 2026 / 12 / 07  (9:00:00)", "2026-12-07T09:00:00");
    EXPECT_EQ(hundredth.exitCode, 0);
    EXPECT_EQ(hundredth.out, "Attention !\tAttention !\\n La base de données 'Runs' de Lefèvre "
                             "René est maintenant pleine\n");
    const std::string full = folder.read("Runs/d.bdr");
    const ToolRun refused = save("Run 2026 / 12 / 07  (9:00:01)", "2026-12-07T09:00:01");
    EXPECT_EQ(refused.exitCode, 0);
    EXPECT_EQ(refused.out, "Attention !\tLe run n'a pas été sauvegardé !\\n La base de données "
                           "'Runs' de Lefèvre René est déjà pleine\n");
    EXPECT_EQ(folder.read("Runs/d.bdr"), full);
    EXPECT_EQ(RunTool({"run", "list", runFile()}).out.substr(0, 24),
              "saving\t1\tfull\t1\truns\t100");

    // Through a symbolic link the atomic write would replace the link.
    std::filesystem::create_symlink("d.bdr", folder / "Runs/link.bdr");
    const ToolRun linked =
        RunTool({"run", "remove", (folder / "Runs/link.bdr").string(), "Run 1000"});
    EXPECT_EQ(linked.exitCode, 1);
    EXPECT_NE(linked.err.find("cannot read the run file: not a regular file"), std::string::npos);
    EXPECT_EQ(folder.read("Runs/d.bdr"), full);
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
    folder.write("long.txt", "004711\t5000\n#" + std::string(5000, '-') + "\n");
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
        FailureCase{"overlong_passing_line", "replay @/day.rent @/long.txt", 1,
                    "long.txt:2: line longer than"},
        FailureCase{"bad_min_lap", "replay @/day.rent @/bad.txt --min-lap x", 2,
                    "--min-lap needs whole seconds"},
        FailureCase{"unwritable_output", "replay @/day.rent @/ok.txt --out @/day.rent/inside.rent",
                    1, "cannot write the session file"},
        FailureCase{"decode_unknown_model", "decode --model Vela9 @/ok.txt", 2,
                    "unknown decoder model 'Vela9'"},
        FailureCase{"decode_missing_capture", "decode --model Tallimo @/none.bin", 1,
                    "none.bin: cannot read the capture"},
        FailureCase{"decode_without_model", "decode @/ok.txt", 2, "decode needs --model"},
        FailureCase{"run_list_missing", "run list @/none.bdr", 1,
                    "none.bdr: cannot read the run file"},
        FailureCase{"run_stats_without_json", "run stats @/day.rent T", 2, "needs --json"},
        FailureCase{"run_stats_bad_lap", "run stats @/day.rent T --from -1 --json", 2,
                    "--from needs a lap number"},
        FailureCase{"run_stats_title_not_found", "run stats @/day.rent T --json", 1,
                    "Error: Run to load not found: 'T'"},
        FailureCase{"run_save_bad_when",
                    "run save @/day.rent --title T --driver A B --category C --track D "
                    "--when 2026-13-01T00:00:00 @/ok.txt",
                    2, "--when needs YYYY-MM-DDTHH:MM:SS"},
        FailureCase{"run_save_without_track",
                    "run save @/day.rent --title T --driver A B --category C "
                    "--when 2026-12-01T00:00:00 @/ok.txt",
                    2, "run save needs --title"},
        FailureCase{"run_save_bad_passing",
                    "run save @/day.rent --title T --driver A B --category C --track D "
                    "--when 2026-12-01T00:00:00 @/ok.txt",
                    1, "ok.txt:1: expected a passing time in ms"},
        FailureCase{"run_remove_without_title", "run remove @/day.rent", 2,
                    "run remove needs a RUN_FILE and a TITLE"}),
    [](const auto& test) { return std::string(test.param.name); });

// Splits `command` at blanks; "@" stands for `folder` and "%" for `hostile`.
std::vector<std::string> Arguments(const std::string& command, const std::string& folder,
                                   const std::string& hostile) {
    std::vector<std::string> arguments;
    std::istringstream words(command);
    for (std::string argument; words >> argument;) {
        if (argument == "%")
            argument = hostile;
        else if (const auto at = argument.find('@'); at != std::string::npos)
            argument.replace(at, 1, folder);
        arguments.push_back(argument);
    }
    return arguments;
}

// Runs the tool on a thread. Should it wait on the FIFO `fifo` (the fault
// this guards against), the FIFO's writing end is opened and closed so that
// the test fails instead of hanging. An exception is turned into a failed run.
ToolRun RunToolReleasingFifo(const std::vector<std::string>& arguments,
                             const std::filesystem::path& fifo, bool& blocked) {
    auto run = std::async(std::launch::async, [&] {
        try {
            return RunTool(arguments);
        } catch (const std::exception& exception) {
            return ToolRun{-1, "", std::string("threw: ") + exception.what()};
        }
    });
    blocked = false;
    while (run.wait_for(blocked ? 10ms : 2s) == std::future_status::timeout) {
        blocked = true;
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    return run.get();
}

class HostilePathTest : public ToolTest {
protected:
    HostilePathTest() {
        folder.write("ok.txt", "004711\t5000\n");
        std::filesystem::create_symlink("loop", folder / "loop");
        EXPECT_EQ(::mkfifo(fifo().c_str(), 0600), 0);
    }

    std::filesystem::path fifo() const { return folder / "fifo"; }
    std::string longName() const { return (folder / std::string(256, 'n')).string(); }

    std::set<std::filesystem::path> folderContent() const {
        std::set<std::filesystem::path> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.insert(entry.path().filename());
        return names;
    }
};

TEST_F(HostilePathTest, EveryCommandAnswersAHostileInputPathWithAnError) {
    const char* const commands[] = {
        "session show %",
        "session show % --json",
        "session export % --csv",
        "replay % @/ok.txt",
        "replay @/day.rent %",
        "decode --model Tallimo %",
        "run list %",
        "run stats % T --json",
        "run remove % T",
        "run save % --title T --driver A B --category C --track D --when 2026-12-01T00:00:00 "
        "@/ok.txt",
    };
    const std::string hostilePaths[] = {
        (folder / "loop").string(), // a symbolic-link loop
        longName(),                 // a name part over 255 characters
        "/dev/zero",                // endless
        fifo().string(),            // opening it waits for a writer
    };
    const auto before = folderContent();
    for (const char* command : commands) {
        for (const std::string& hostile : hostilePaths) {
            SCOPED_TRACE(std::string(command) + " with " + hostile.substr(0, 60));
            bool blocked = false;
            const ToolRun run = RunToolReleasingFifo(
                Arguments(command, folder.path().string(), hostile), fifo(), blocked);
            EXPECT_FALSE(blocked);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.err.rfind("tallimo-tool: " + hostile + ": ", 0), 0U) << run.err;
            EXPECT_TRUE(run.out.empty());
        }
    }
    EXPECT_EQ(folderContent(), before);
}

TEST_F(HostilePathTest, ReplayWritesOnlyToARegularFileOrANewName) {
    folder.write("target.rent", "keep");
    std::filesystem::create_symlink("target.rent", folder / "link.rent");
    // A device of our own: as root a regression must not replace a real one.
    const bool haveDevice =
        ::mknod((folder / "null").c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0;

    const struct {
        const char* name;
        std::string out;
    } rows[] = {
        {"a symbolic link", (folder / "link.rent").string()},
        {"a symbolic-link loop", (folder / "loop").string()},
        {"a FIFO", fifo().string()},
        {"a device", haveDevice ? (folder / "null").string() : std::string()},
        {"a name part over 255 characters", longName()},
    };
    for (const auto& row : rows) {
        if (row.out.empty())
            continue;
        SCOPED_TRACE(row.name);
        std::error_code ignored;
        const auto type = std::filesystem::symlink_status(row.out, ignored).type();
        const auto before = folderContent();
        bool blocked = false;
        const ToolRun run = RunToolReleasingFifo(
            Arguments("replay @/day.rent @/ok.txt --out %", folder.path().string(), row.out),
            fifo(), blocked);
        EXPECT_FALSE(blocked);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.rfind("tallimo-tool: " + row.out + ": cannot write the session file", 0),
                  0U)
            << run.err;
        EXPECT_TRUE(run.out.empty());
        EXPECT_EQ(std::filesystem::symlink_status(row.out, ignored).type(), type);
        EXPECT_EQ(folderContent(), before);
    }
    EXPECT_EQ(folder.read("target.rent"), "keep");
}

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
