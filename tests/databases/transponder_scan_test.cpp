#include "databases/core/transponder_scan.h"
#include "tests/support/chunked_port.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallimo::databases {
namespace {

using testing::Bytes;
using testing::ChunkedPort;

std::string Frame(int transponder) {
    return Bytes(
        {0xFF, 0xFF, 0xFF, 0xF0, transponder >> 8, transponder & 0xFF, 1, 2, 3, 0x48, 0xE5});
}

constexpr std::uint32_t kStart = 5000;

// Switches on, then lets each chunk arrive and ticks once per chunk,
// 10 ms apart; returns every transponder yielded.
std::vector<std::string> ScanChunks(std::string_view model,
                                    const std::vector<std::string>& chunks) {
    ChunkedPort port;
    TransponderScan scan(model);
    scan.switchOn(port, kStart);
    std::vector<std::string> found;
    std::uint32_t now = kStart;
    for (const std::string& chunk : chunks) {
        port.arrive(chunk);
        now += 10;
        const ScanTick tick = scan.tick(port, now);
        found.insert(found.end(), tick.transponders.begin(), tick.transponders.end());
    }
    return found;
}

// ---- Byte streams by decoder model, fed at every split point ----

TEST(TransponderScanTest, YieldsTheSameNumbersWhereverTheReadsSplit) {
    const struct {
        const char* name;
        const char* model;
        std::string bytes;
        std::vector<std::string> transponders;
    } cases[] = {
        {"framed slides over a leading byte",
         "TallimoVela2",
         Bytes({0x00, 0xFF, 0xFF, 0xFF, 0xF0, 0x30, 0x39, 1, 2, 3, 4, 5}),
         {"012345"}},
        {"Bluetooth uses the same frames", "TallimoVela2Bluetooth", Frame(65535), {"065535"}},
        {"two frames in order",
         "TallimoVela2",
         Frame(17) + Bytes({0x55}) + Frame(4242),
         {"000017", "004242"}},
        {"pair is high byte first", "Tallimo", Bytes({0x04, 0xD2}), {"001234"}},
        {"pairs keep no sync, so a stray byte shifts them",
         "Tallimo",
         Bytes({0x99, 0x04, 0xD2, 0x00}),
         {"039172", "053760"}},
        {"model is compared whole", "TallimoVela2 ", Frame(17), {}},
        {"no model ignores everything", "", Frame(17) + Bytes({0x04, 0xD2}), {}}};
    for (const auto& c : cases) {
        EXPECT_EQ(ScanChunks(c.model, {c.bytes}), c.transponders) << c.name << ", in one read";
        for (std::size_t split = 1; split < c.bytes.size(); ++split)
            EXPECT_EQ(ScanChunks(c.model, {c.bytes.substr(0, split), c.bytes.substr(split)}),
                      c.transponders)
                << c.name << ", split after byte " << split;
    }
}

// ---- What happens to bytes around the switch ----

enum class Step { Arrive, Tick, On, Off };

TEST(TransponderScanTest, TakesOnlyPassingsSentWhileOn) {
    const std::string half = Frame(321).substr(0, 6);
    const std::string rest = Frame(321).substr(6);
    const struct {
        const char* name;
        std::vector<std::pair<Step, std::string>> steps;
        std::vector<std::string> transponders;
    } cases[] = {{"BytesReadWhileOffNeverReachAKart",
                  {{Step::Arrive, Frame(11)}, {Step::Tick, ""}, {Step::On, ""}, {Step::Tick, ""}},
                  {}},
                 {"SwitchingOnDiscardsWhatWasWaiting",
                  {{Step::Arrive, Frame(11)}, {Step::On, ""}, {Step::Tick, ""}},
                  {}},
                 {"HalfFrameBeforeOffIsNotCompletedAfterOn",
                  {{Step::On, ""},
                   {Step::Arrive, half},
                   {Step::Tick, ""},
                   {Step::Off, ""},
                   {Step::On, ""},
                   {Step::Arrive, rest},
                   {Step::Tick, ""}},
                  {}},
                 {"HalfFrameCompletesOnALaterTick",
                  {{Step::On, ""},
                   {Step::Arrive, half},
                   {Step::Tick, ""},
                   {Step::Tick, ""},
                   {Step::Arrive, rest},
                   {Step::Tick, ""}},
                  {"000321"}}};
    for (const auto& c : cases) {
        ChunkedPort port;
        TransponderScan scan("TallimoVela2");
        std::vector<std::string> found;
        std::uint32_t now = kStart;
        for (const auto& [step, bytes] : c.steps) {
            now += 10;
            if (step == Step::Arrive)
                port.arrive(bytes);
            else if (step == Step::On)
                scan.switchOn(port, now);
            else if (step == Step::Off)
                scan.switchOff();
            else
                for (const std::string& one : scan.tick(port, now).transponders)
                    found.push_back(one);
        }
        EXPECT_EQ(found, c.transponders) << c.name;
    }
}

// ---- The indicator ----

// The phase after each tick of a 10 ms timer from switching on: a cycle of
// 0.84 s, restarted on the tick that reaches it, blank on that tick.
int ExpectedPhase(int tick) {
    const int d = tick % 84;
    if (d == 0)
        return 0;
    if (d >= 63)
        return 4;
    if (d >= 42)
        return 3;
    if (d >= 21)
        return 2;
    return 1;
}

TEST(TransponderScanIndicatorTest, StepsThroughFourPicturesAndRestarts) {
    ChunkedPort port;
    TransponderScan scan("TallimoVela2");
    scan.switchOn(port, kStart);
    ASSERT_EQ(scan.indicatorPhase(), 1);
    int changes = 0;
    for (int tick = 1; tick <= 3 * 84 + 1; ++tick) {
        const ScanTick result = scan.tick(port, kStart + 10 * static_cast<std::uint32_t>(tick));
        changes += result.indicatorChanged ? 1 : 0;
        ASSERT_EQ(scan.indicatorPhase(), ExpectedPhase(tick)) << "tick " << tick;
    }
    EXPECT_EQ(changes, 3 * 5); // 2, 3, 4, blank, then 1 again, three times
}

TEST(TransponderScanIndicatorTest, LongStallRestartsTheCycleInsteadOfFreezing) {
    ChunkedPort port;
    TransponderScan scan("Tallimo");
    const std::uint32_t start = 0xFFFFFF00u; // the tick counter wraps during the stall
    scan.switchOn(port, start);
    scan.tick(port, start + 5000);
    EXPECT_EQ(scan.indicatorPhase(), 0);
    scan.tick(port, start + 5010);
    EXPECT_EQ(scan.indicatorPhase(), 1);
    scan.tick(port, start + 5220);
    EXPECT_EQ(scan.indicatorPhase(), 2);
}

} // namespace
} // namespace tallimo::databases
