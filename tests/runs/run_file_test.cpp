#include "runs/core/run_file.h"
#include "runs/core/run_file_path.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tallimo::runs {
namespace {

using testing::RecordedMessage;
using Messages = std::vector<RecordedMessage>;

const std::string kTitle30 = "Run 2026 / 12 / 07  (15:04:05)";
const std::string kTitle29 = "Run 2026 / 12 / 07  (9:04:05)";

std::string Filler(std::size_t length) {
    std::string filler;
    for (std::size_t i = 0; i < length; ++i)
        filler += i % 2 == 0 ? '1' : '\t';
    return filler;
}

// A slot as the file holds it: empty line, title line, data line of 992.
std::string Slot(const std::string& title, const std::string& fields) {
    return "\n" + title + "\t\n" + fields + Filler(992 - fields.size()) + "\n";
}

std::string FreeSlot(std::size_t fillerLength) {
    return "\nRun vide\t\n" + Filler(fillerLength) + "\n";
}

DriverRun MakeRun(std::string name, std::string firstName, std::vector<std::int32_t> passings) {
    DriverRun run;
    run.driverName = std::move(name);
    run.driverFirstName = std::move(firstName);
    run.lastLapIndex = static_cast<std::int32_t>(passings.size()) - 1;
    for (std::size_t i = 0; i < passings.size(); ++i)
        run.passingTimes[i] = passings[i];
    return run;
}

const RunDetails kDetails{"Adultes", "Circuit des Pins", {2026, 12, 7, 15, 4, 5}};
const std::string kFields =
    "Lef\xE8vre\tRen\xE9\tAdultes\tCircuit des Pins\t2026\t12\t7\t15\t4\t5\t2\t0\t61234\t122221\t";

class RunFileTest : public ::testing::Test {
protected:
    std::filesystem::path file() const { return folder / "Runs/d.bdr"; }
    void writeFile(const std::string& bytes) const { folder.write("Runs/d.bdr", bytes); }
    std::string readFile() const { return folder.read("Runs/d.bdr"); }
    SaveRunOutcome save(const std::string& title, const DriverRun& run = Driver()) {
        return SaveRunTo(file(), run, title, kDetails, messages);
    }
    static DriverRun Driver() { return MakeRun("Lef\xE8vre", "Ren\xE9", {0, 61234, 122221}); }
    std::vector<std::string> titles() const {
        RunTitleList list;
        EXPECT_TRUE(ListRunTitles(file(), list));
        return list.titles;
    }

    testing::TemporaryFolder folder;
    testing::RecordingMessageSink messages;
};

TEST_F(RunFileTest, FirstRunIsAppendedToTheDriversFileAndLoadsBack) {
    const common::WorkingFolder working(folder.path());
    const std::string path = "Runs/Lef\xC3\xA8vre_Ren\xC3\xA9.bdr";
    folder.write(path, "1\t0\t\n");

    EXPECT_EQ(SaveRun(working, Driver(), kTitle30, kDetails, messages), SaveRunOutcome::Saved);
    const std::string golden = "1\t0\t\n" + Slot(kTitle30, kFields);
    EXPECT_EQ(folder.read(path), golden);
    EXPECT_EQ(golden.size(), 5U + 1026U);

    DriverRun loaded = MakeRun("stale", "stale", {0, 1, 2, 3});
    RunDetails details{"x", "y", {1, 1, 1, 1, 1, 1}};
    ASSERT_EQ(LoadRun(folder / path, kTitle30, loaded, details, messages), RunFileOutcome::Done);
    DriverRun expected = Driver();
    ComputeLapTimes(expected);
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(loaded.lapTimes[2], 60987);
    EXPECT_EQ(details, kDetails);
    EXPECT_EQ(messages.messages(), Messages{});
}

TEST(RunTitleTest, HourIsNotPaddedSoTitlesAre29Or30Characters) {
    EXPECT_EQ(RunTitle({2026, 12, 7, 15, 4, 5}), kTitle30);
    EXPECT_EQ(RunTitle({2026, 12, 7, 9, 4, 5}), kTitle29);
    EXPECT_EQ(RunTitle({2027, 1, 1, 0, 0, 9}), "Run 2027 / 01 / 01  (0:00:09)");
}

TEST_F(RunFileTest, RemovedRunBecomesAFreeSlotThatTheNextRunReuses) {
    const std::string other = "Run 2026 / 12 / 07  (16:00:00)";
    writeFile("1\t0\t\n");
    ASSERT_EQ(save(kTitle30), SaveRunOutcome::Saved);
    ASSERT_EQ(save(other), SaveRunOutcome::Saved);
    const std::size_t length = readFile().size();

    ASSERT_EQ(RemoveRun(file(), kTitle30, messages), RunFileOutcome::Done);
    EXPECT_EQ(readFile(), "1\t0\t\n" + FreeSlot(1014) + Slot(other, kFields));
    EXPECT_EQ(titles(), std::vector<std::string>{other});

    const std::string newer = "Run 2026 / 12 / 08  (10:00:00)";
    ASSERT_EQ(save(newer), SaveRunOutcome::Saved);
    EXPECT_EQ(readFile(), "1\t0\t\n" + Slot(newer, kFields) + Slot(other, kFields));
    EXPECT_EQ(readFile().size(), length);
    EXPECT_EQ(titles(), (std::vector<std::string>{newer, other}));
    EXPECT_EQ(messages.messages(), Messages{});
}

TEST_F(RunFileTest, TitlesOfTheOtherLengthFitFreeSlotsByTheirLineFeeds) {
    const std::string tail = Slot("Run 2026 / 12 / 07  (16:00:00)", kFields);
    const struct {
        const char* why;
        std::string before, title, after;
    } cases[] = {
        {"29 in a 30 slot leaves its last LF", "1\t0\t\n" + FreeSlot(1014) + tail, kTitle29,
         "1\t0\t\n" + Slot(kTitle29, kFields) + "\n" + tail},
        {"30 in a 29 slot takes the next empty line", "1\t0\t\n" + FreeSlot(1013) + tail, kTitle30,
         "1\t0\t\n" + Slot(kTitle30, kFields) + tail.substr(1)},
        {"30 in a 29 slot at the end grows by one", "1\t0\t\n" + FreeSlot(1013), kTitle30,
         "1\t0\t\n" + Slot(kTitle30, kFields)},
        {"30 in a 29 slot never overwrites the next title",
         "1\t0\t\n" + FreeSlot(1013) + tail.substr(1), kTitle30,
         "1\t0\t\n" + Slot(kTitle30, kFields) + tail.substr(1)},
        {"a 29 slot freed keeps its length", "1\t0\t\n" + Slot(kTitle29, kFields) + tail, "",
         "1\t0\t\n" + FreeSlot(1013) + tail},
    };
    for (const auto& c : cases) {
        writeFile(c.before);
        if (c.title.empty())
            EXPECT_EQ(RemoveRun(file(), kTitle29, messages), RunFileOutcome::Done) << c.why;
        else
            EXPECT_EQ(save(c.title), SaveRunOutcome::Saved) << c.why;
        EXPECT_EQ(readFile(), c.after) << c.why;
    }
    EXPECT_EQ(messages.messages(), Messages{});
}

TEST_F(RunFileTest, NeitherADriverNamedRunVideNorATitleReadingSoLooksLikeAFreeSlot) {
    const DriverRun named = MakeRun("Run vide", "Jean", {0, 61234});
    const std::string namedFields =
        "Run vide\tJean\tAdultes\tCircuit des Pins\t2026\t12\t7\t15\t4\t5\t1\t0\t61234\t";
    writeFile("1\t0\t\n");
    ASSERT_EQ(save(kTitle30, named), SaveRunOutcome::Saved);
    const std::string second = "Run 2026 / 12 / 07  (16:00:00)";
    ASSERT_EQ(save(second), SaveRunOutcome::Saved);
    EXPECT_EQ(readFile(), "1\t0\t\n" + Slot(kTitle30, namedFields) + Slot(second, kFields));

    // A driver named like a run title is not found by that title.
    const std::string lookalike = "Run 2026 / 12 / 07";
    DriverRun run;
    RunDetails details;
    EXPECT_EQ(LoadRun(file(), "Run vide", run, details, messages), RunFileOutcome::RunNotFound);
    writeFile("1\t0\t\n" + Slot("Run A", lookalike + "\tJean\t"));
    EXPECT_EQ(LoadRun(file(), lookalike, run, details, messages), RunFileOutcome::RunNotFound);
    EXPECT_EQ(RemoveRun(file(), "Run vide", messages), RunFileOutcome::RunNotFound);

    // "Run vide" is never stored as a title: the next run would take its slot.
    const std::string before = readFile();
    EXPECT_EQ(save("Run vide"), SaveRunOutcome::NotSaved);
    EXPECT_EQ(readFile(), before);
    EXPECT_EQ(messages.messages(), (Messages{{"Error", "Error: Run to load not found"},
                                             {"Error", "Error: Run to load not found"},
                                             {"Error", "Error: Run to be removed not found"}}));
}

TEST_F(RunFileTest, HundredthRunFillsTheDatabaseWhichThenRefusesAllButTheSameTitle) {
    std::string bytes = "1\t0\t\n";
    for (int i = 0; i < 99; ++i)
        bytes += Slot("Run " + std::to_string(1000 + i), kFields);
    writeFile(bytes);
    ASSERT_EQ(save(kTitle30), SaveRunOutcome::Saved);
    EXPECT_EQ(readFile(), "1\t1\t\n" + bytes.substr(5) + Slot(kTitle30, kFields));
    const std::string full = readFile();

    EXPECT_EQ(save(kTitle29), SaveRunOutcome::Full);
    EXPECT_EQ(readFile(), full);
    const DriverRun faster = MakeRun("Lef\xE8vre", "Ren\xE9", {0, 50000});
    EXPECT_EQ(save(kTitle30, faster), SaveRunOutcome::Saved); // same second: overwritten
    EXPECT_EQ(readFile().size(), full.size());
    EXPECT_NE(readFile(), full);

    // Removing leaves the flag to the runs window, which clears it.
    ASSERT_EQ(RemoveRun(file(), "Run 1000", messages), RunFileOutcome::Done);
    EXPECT_EQ(readFile().substr(0, 5), "1\t1\t\n");
    ASSERT_TRUE(WriteRunFileFlags(file(), 1, 0));
    EXPECT_EQ(save(kTitle29), SaveRunOutcome::Saved);
    EXPECT_EQ(titles().front(), kTitle29);

    const std::string pleine = "La base de donn\xE9"
                               "es 'Runs' de Lef\xE8vre Ren\xE9 est ";
    EXPECT_EQ(messages.messages(),
              (Messages{{"Attention !", "Attention !\n " + pleine + "maintenant pleine"},
                        {"Attention !", "Le run n'a pas \xE9t\xE9 sauvegard\xE9 !\n " + pleine +
                                            "d\xE9j\xE0 pleine"},
                        {"Attention !", "Attention !\n " + pleine + "maintenant pleine"}}));
}

TEST_F(RunFileTest, RunsThatAreNotStoredLeaveTheFileAsItWas) {
    const DriverRun noLap = MakeRun("Lef\xE8vre", "Ren\xE9", {0});
    const DriverRun noName = MakeRun("", "Ren\xE9", {0, 61234});
    DriverRun tooLong = MakeRun("Lef\xE8vre", "Ren\xE9", {0});
    tooLong.lastLapIndex = 99;
    for (int i = 1; i <= 99; ++i)
        tooLong.passingTimes[i] = 100'000'000 + i;
    const struct {
        const char* why;
        std::string bytes;
        DriverRun run;
        std::string title;
        SaveRunOutcome outcome;
    } cases[] = {
        {"saving off", "0\t0\t\n", Driver(), kTitle30, SaveRunOutcome::SavingOff},
        {"saving flag not a digit", "x\t0\t\n", Driver(), kTitle30, SaveRunOutcome::SavingOff},
        {"saving flag of two digits", "11\t0\t\n", Driver(), kTitle30, SaveRunOutcome::SavingOff},
        {"empty file", "", Driver(), kTitle30, SaveRunOutcome::SavingOff},
        {"no complete lap", "1\t0\t\n", noLap, kTitle30, SaveRunOutcome::NotSaved},
        {"no driver name", "1\t0\t\n", noName, kTitle30, SaveRunOutcome::NotSaved},
        {"title with a TAB", "1\t0\t\n", Driver(), "Run\t1", SaveRunOutcome::NotSaved},
        {"empty title", "1\t0\t\n", Driver(), "", SaveRunOutcome::NotSaved},
        {"nine-digit passings do not fit", "1\t0\t\n", tooLong, kTitle30, SaveRunOutcome::TooLong},
    };
    for (const auto& c : cases) {
        writeFile(c.bytes);
        EXPECT_EQ(save(c.title, c.run), c.outcome) << c.why;
        EXPECT_EQ(readFile(), c.bytes) << c.why;
    }
    EXPECT_EQ(messages.messages(), Messages{});

    const std::filesystem::path missing = folder / "Runs/missing.bdr";
    EXPECT_EQ(SaveRunTo(missing, Driver(), kTitle30, kDetails, messages),
              SaveRunOutcome::FileNotFound);
    EXPECT_EQ(SaveRunTo(folder / "Runs", Driver(), kTitle30, kDetails, messages),
              SaveRunOutcome::FileNotFound);
    EXPECT_FALSE(std::filesystem::exists(missing));
    DriverRun run;
    RunDetails details;
    EXPECT_EQ(LoadRun(missing, kTitle30, run, details, messages), RunFileOutcome::FileNotFound);
    EXPECT_EQ(RemoveRun(missing, kTitle30, messages), RunFileOutcome::FileNotFound);
    RunTitleList list;
    EXPECT_FALSE(ListRunTitles(missing, list));
    EXPECT_EQ(messages.messages(),
              (Messages{{"Error", "Error : 'Driver Runs' database file not found"},
                        {"Error", "Error : 'Driver Runs' database file not found"}}));
}

TEST_F(RunFileTest, DamagedFilesAreReadWithoutHarmAndOnlyTheSavedSlotChanges) {
    const std::string run1 = Slot(kTitle30, kFields);
    const std::string garbage = "\x01\xFF\xFE garbage \t\t\x80\n\n\x7F\r\n";
    const struct {
        const char* why;
        std::string bytes;
        std::vector<std::string> titles;
        std::string afterSave; // what follows the unchanged start of the file
        std::size_t keep;      // bytes of the file kept as they were
    } cases[] = {
        {"cut inside a data line", "1\t0\t\n" + run1.substr(0, 500), {kTitle30}, "", 0},
        {"cut after a title line",
         "1\t0\t\n" + run1 + "\nRun B\t\n",
         {kTitle30},
         "",
         5 + run1.size()},
        {"cut inside a title line", "1\t0\t\n" + run1 + "\nRun", {kTitle30}, "", 5 + run1.size()},
        {"header alone without its LF", "1\t0\t", {}, "", 4},
        {"garbage between runs",
         "1\t0\t\n" + run1 + garbage,
         {kTitle30, "\x01\xFF\xFE garbage "},
         "",
         0},
        {"overlong lines",
         "1\t0\t\n" + std::string(5000, 'T') + "\t\n" + std::string(9000, 'x') + "\n",
         {std::string(100, 'T')},
         "",
         0},
    };
    const std::string title = "Run 2026 / 12 / 08  (10:00:00)";
    for (const auto& c : cases) {
        writeFile(c.bytes);
        EXPECT_EQ(titles(), c.titles) << c.why;
        ASSERT_EQ(save(title), SaveRunOutcome::Saved) << c.why;
        const std::string after = readFile();
        const std::size_t keep = c.keep != 0 ? c.keep : c.bytes.size();
        EXPECT_EQ(after.substr(0, keep), c.bytes.substr(0, keep)) << c.why;
        EXPECT_EQ(after.substr(keep), Slot(title, kFields)) << c.why;
        DriverRun run;
        RunDetails details;
        EXPECT_EQ(LoadRun(file(), title, run, details, messages), RunFileOutcome::Done) << c.why;
        EXPECT_EQ(run.passingTimes[2], 122221) << c.why;
    }
    EXPECT_EQ(messages.messages(), Messages{});
}

TEST_F(RunFileTest, RandomFilesKeepTheirRunsWhenOneIsSaved) {
    std::mt19937 random(20261207);
    const std::string alphabet = "\n\n\n\t\t1Run vide\xFF\r";
    const std::string title = "Run 2026 / 12 / 08  (10:00:00)";
    for (int round = 0; round < 80; ++round) {
        std::string bytes = "1\t0\t\n";
        const int pieces = static_cast<int>(random() % 12);
        for (int i = 0; i < pieces; ++i) {
            switch (random() % 4) {
            case 0:
                bytes += Slot("Run " + std::to_string(i), kFields);
                break;
            case 1:
                bytes += FreeSlot(1013 + random() % 2);
                break;
            default:
                for (int n = static_cast<int>(random() % 40); n > 0; --n)
                    bytes += alphabet[random() % alphabet.size()];
            }
        }
        writeFile(bytes);
        std::vector<std::string> before = titles();
        ASSERT_EQ(save(title), SaveRunOutcome::Saved) << round;
        std::vector<std::string> after = titles();
        // Every run listed before is still listed, and the new one once more.
        before.push_back(title);
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, before) << round;
        DriverRun run;
        RunDetails details;
        ASSERT_EQ(LoadRun(file(), title, run, details, messages), RunFileOutcome::Done) << round;
        EXPECT_EQ(run.passingTimes[2], 122221) << round;
    }
    EXPECT_EQ(messages.messages(), Messages{});
}

TEST_F(RunFileTest, MoreThanAHundredSlotsMakeTheDatabaseFull) {
    std::string bytes = "1\t0\t\n";
    for (int i = 0; i < 101; ++i)
        bytes += Slot("Run " + std::to_string(1000 + i), kFields);
    writeFile(bytes);
    EXPECT_EQ(titles().size(), 101U);
    ASSERT_EQ(save(kTitle30), SaveRunOutcome::Saved);
    EXPECT_EQ(readFile(), "1\t1\t\n" + bytes.substr(5) + Slot(kTitle30, kFields));
    ASSERT_EQ(messages.messages().size(), 1U);
    EXPECT_EQ(messages.messages()[0].caption, "Attention !");
}

TEST_F(RunFileTest, HandEditedDataLinesAreReadWithinTheirTables) {
    std::string fields =
        "Un nom bien trop long pour le champ\tJean\tAdultes\tPins\t2026\t12\t7\t9\t4\t"
        "5\t150\t";
    for (int i = 0; i <= 150; ++i)
        fields += std::to_string(i * 1000) + "\t";
    writeFile("1\t0\t\n\nRun A\t\n" + fields +
              "\n\nRun B\t\nDupont\tJean\tx\ty\t1\t2\t3\t4\t5\t6\t"
              "-4\t77\t\n\nRun C\t\nDupont\n");
    const struct {
        const char* title;
        std::int32_t last, lastPassing;
        std::string name;
    } cases[] = {
        {"Run A", 99, 99000, "Un nom bien trop long po"},
        {"Run B", 0, 77, "Dupont"},
        {"Run C", 0, 0, "Dupont"},
    };
    for (const auto& c : cases) {
        DriverRun run;
        RunDetails details;
        ASSERT_EQ(LoadRun(file(), c.title, run, details, messages), RunFileOutcome::Done);
        EXPECT_EQ(run.lastLapIndex, c.last) << c.title;
        EXPECT_EQ(run.passingTimes[c.last], c.lastPassing) << c.title;
        EXPECT_EQ(run.driverName, c.name) << c.title;
    }
    EXPECT_EQ(messages.messages(), Messages{});
}

TEST_F(RunFileTest, FlagsAreRewrittenInTheHeaderLineAlone) {
    const std::string run1 = Slot(kTitle30, kFields);
    const struct {
        const char* why;
        std::string before;
        int saving, full;
        std::string after;
    } cases[] = {
        {"new subscriber ticks saving", "0\t0\t\n", 1, 0, "1\t0\t\n"},
        {"full flag cleared", "1\t1\t\n" + run1, 1, 0, "1\t0\t\n" + run1},
        {"garbage header replaced whole", "x1\tjunk\t\n" + run1, 1, 0, "1\t0\t\n" + run1},
        {"cut header gets its LF", "1\t", 0, 0, "0\t0\t\n"},
    };
    for (const auto& c : cases) {
        writeFile(c.before);
        ASSERT_TRUE(WriteRunFileFlags(file(), c.saving, c.full)) << c.why;
        EXPECT_EQ(readFile(), c.after) << c.why;
        RunTitleList list;
        ASSERT_TRUE(ListRunTitles(file(), list));
        EXPECT_EQ(list.savingFlag, c.saving) << c.why;
        EXPECT_EQ(list.fullFlag, c.full) << c.why;
    }
    EXPECT_FALSE(WriteRunFileFlags(folder / "Runs/missing.bdr", 1, 0));
}

TEST(RunTitleListTest, TitlesSortAsText) {
    std::vector<std::string> titles = {"Run 2026 / 12 / 07  (9:00:00)",
                                       "Run 2026 / 12 / 06  (18:00:00)",
                                       "Run 2026 / 12 / 07  (10:00:00)"};
    SortRunTitles(titles);
    EXPECT_EQ(titles, (std::vector<std::string>{"Run 2026 / 12 / 06  (18:00:00)",
                                                "Run 2026 / 12 / 07  (10:00:00)",
                                                "Run 2026 / 12 / 07  (9:00:00)"}));
}

TEST(RunFillRateTest, ColourChangesAt80And99) {
    const struct {
        int count;
        std::string text;
        int red, green, blue;
    } cases[] = {
        {0, "0 %", 0, 200, 0},
        {79, "79 %", 0, 200, 0},
        {80, "80 %", 250, 150, 0},
        {98, "98 %", 250, 150, 0},
        {99, "99 % saturation", 200, 0, 0},
        {100, "100 % saturation", 200, 0, 0},
    };
    for (const auto& c : cases) {
        const FillRate rate = RunFillRate(c.count);
        EXPECT_EQ(rate.text, c.text);
        EXPECT_EQ((std::array{rate.red, rate.green, rate.blue}),
                  (std::array{c.red, c.green, c.blue}))
            << c.count;
    }
}

} // namespace
} // namespace tallimo::runs
