#include "decoder/core/decoder_frames.h"
#include "decoder/core/passing_assembler.h"
#include "decoder/sim/decoder_simulator_host.h"
#include "decoder/sim/framed_passing_encoding.h"
#include "decoder/sim/simulated_decoder.h"
#include "decoder/sim/simulator_command_line.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <numeric>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace tallimo::decoder::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

template <std::size_t N> Bytes B(const std::array<std::uint8_t, N>& bytes) {
    return Bytes(bytes.begin(), bytes.end());
}

const Bytes kQuery = B(kIdentificationQuery);
const Bytes kReset = B(kClockResetCommand);
const Bytes kProbe = B(kKeepAliveProbe);
const Bytes kAck = B(kClockResetAcknowledgement);
const Bytes kRefusal = B(kClockResetRefusal);
const Bytes kUsb1234{0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x04, 0xD2};

using Heard = std::pair<int, std::int64_t>; // transponder, decoder time

// What the program's own assembler makes of the bytes.
std::vector<Heard> Hear(const Bytes& bytes) {
    PassingAssembler assembler;
    std::vector<Heard> heard;
    for (std::uint8_t byte : bytes)
        if (const auto passing = assembler.feedFramed(byte))
            heard.emplace_back(passing->transponder, passing->timeMs);
    return heard;
}

SimulatedDecoderConfig ThreeKarts() {
    SimulatedDecoderConfig config;
    config.karts = {{7, 30000, 2000}, {12, 32000, 500}, {4660, 29000, 0}};
    config.seed = 42;
    return config;
}

// Runs the decoder for `durationMs` in 10 ms steps, as often as the program
// polls, and returns all it sent.
Bytes RunPolled(SimulatedDecoder& decoder, std::int64_t durationMs) {
    Bytes all;
    const std::int64_t end = decoder.nowMs() + durationMs;
    for (std::int64_t t = decoder.nowMs(); t <= end; t += 10) {
        decoder.advanceTo(t);
        const Bytes chunk = decoder.takeOutput();
        all.insert(all.end(), chunk.begin(), chunk.end());
    }
    return all;
}

// ---- Commands and replies ----

struct CommandCase {
    const char* name;
    std::vector<Bytes> reads;
    Bytes expected;
    DecoderModel model = DecoderModel::Vela2Usb;
    bool keepAliveReply = false;
    friend void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }
};

class SimulatedDecoderReplyTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(SimulatedDecoderReplyTest, AnswersWhatTheProgramExpects) {
    SimulatedDecoderConfig config;
    config.model = GetParam().model;
    config.replyToKeepAlive = GetParam().keepAliveReply;
    SimulatedDecoder decoder(config);
    Bytes out;
    for (const Bytes& read : GetParam().reads) {
        decoder.receive(read);
        out = Join({out, decoder.takeOutput()});
    }
    EXPECT_EQ(out, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Simulator, SimulatedDecoderReplyTest,
    ::testing::Values(
        CommandCase{"bluetooth_identification",
                    {kQuery},
                    {0xFF, 0xFF, 0xFF, 0x01, 0x12, 0x04, 0xD2},
                    DecoderModel::Vela2Bluetooth},
        CommandCase{"query_split_over_three_reads", {{0xFF, 0xFF}, {0xFF, 0x01}, {0x02}}, kUsb1234},
        CommandCase{"keep_alive_taken_silently", {kProbe, kProbe}, {}},
        CommandCase{"keep_alive_answered_on_request",
                    {kProbe},
                    B(kKeepAliveReply),
                    DecoderModel::Vela2Usb,
                    true},
        CommandCase{
            "vela1_answers_nothing", {kQuery, kReset, kProbe}, {}, DecoderModel::Vela1Usb, true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Clock ----

TEST(SimulatedDecoderTest, RefusedResetLeavesTheClockRunningAndAcceptedOneRestartsIt) {
    SimulatedDecoderConfig config;
    config.clockResetRejections = 2;
    SimulatedDecoder decoder(config);
    decoder.advanceTo(5000);
    decoder.receive(Join({kProbe, {0x00}, kQuery, kReset, kReset}));
    EXPECT_EQ(decoder.takeOutput(), Join({kUsb1234, kRefusal, kRefusal}));
    EXPECT_EQ(decoder.clockMs(), 5000);

    decoder.advanceTo(6000);
    decoder.receive(kReset);
    decoder.advanceTo(6250);
    decoder.triggerPassing(7);
    EXPECT_EQ(decoder.takeOutput(), Join({kAck, B(EncodeFramedPassing(7, 250))}));
    EXPECT_EQ(decoder.drivenPassings().at(0).clockEpoch, 1);
    EXPECT_EQ(decoder.commandCounts(), (CommandCounts{1, 3, 1}));
    const std::vector<SimulatorEvent> events = decoder.takeEvents();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events.back().kind, SimulatorEventKind::ClockResetAcknowledged);
}

TEST(SimulatedDecoderTest, TrafficWaitsForTheFirstResetAndKeepsItsRhythmAcrossTheNext) {
    SimulatedDecoderConfig config;
    config.karts = {{7, 1000, 0}};
    config.trafficStart = TrafficStart::OnClockReset;
    config.playback = {0x01, 0x02};
    config.playbackBytesPerSecond = 0;
    SimulatedDecoder decoder(config);
    EXPECT_TRUE(RunPolled(decoder, 5500).empty());
    decoder.receive(kReset);
    decoder.advanceTo(decoder.nowMs() + 10);
    EXPECT_EQ(decoder.takeOutput(), Join({kAck, config.playback}));
    RunPolled(decoder, 5490);
    const std::size_t before = decoder.drivenPassings().size();
    ASSERT_GE(before, 5u);
    const std::int64_t lastBefore = decoder.drivenPassings().back().decoderTimeMs;
    decoder.receive(kReset);
    RunPolled(decoder, 3000);
    const DrivenPassing& firstAfter = decoder.drivenPassings().at(before);
    EXPECT_EQ(firstAfter.clockEpoch, 2);
    // One second after the last pass on the old clock, 5500 ms in on it.
    EXPECT_EQ(firstAfter.decoderTimeMs, lastBefore + 1000 - 5500);
}

TEST(SimulatedDecoderTest, AKartOutBeforeTheStartCrossesWhileTheOthersWaitForTheReset) {
    SimulatedDecoderConfig config;
    config.karts = {{7, 1000, 0}, {9, 1000, 0, true}};
    config.trafficStart = TrafficStart::OnClockReset;
    SimulatedDecoder decoder(config);
    RunPolled(decoder, 5500);
    ASSERT_GE(decoder.drivenPassings().size(), 5u);
    for (const DrivenPassing& passing : decoder.drivenPassings())
        EXPECT_EQ(passing.transponder, 9);
    decoder.receive(kReset);
    const std::size_t before = decoder.drivenPassings().size();
    RunPolled(decoder, 3000);
    int seven = 0;
    for (std::size_t i = before; i < decoder.drivenPassings().size(); ++i)
        seven += decoder.drivenPassings()[i].transponder == 7 ? 1 : 0;
    EXPECT_GE(seven, 2);
}

// ---- Frame encoding ----

class SimulatedFrameEncodingTest : public ::testing::TestWithParam<std::int64_t> {};

// Every millisecond of the second that starts at the parameter; hours run past
// a day, as the byte does.
TEST_P(SimulatedFrameEncodingTest, DecodesBackToTheExactMillisecond) {
    for (std::int64_t ms = GetParam(); ms < GetParam() + 1000; ++ms) {
        const FramedPassing frame = EncodeFramedPassing(0x1234, ms);
        ASSERT_EQ(Hear(B(frame)), (std::vector<Heard>{{0x1234, ms}}));
        ASSERT_TRUE(frame[9] * 256 + frame[10] >= kFractionCounterBase && frame[7] <= 59 &&
                    frame[8] <= 59)
            << ms;
    }
}

INSTANTIATE_TEST_SUITE_P(DecoderTimes, SimulatedFrameEncodingTest,
                         ::testing::Values(0, 59000, 3599000, 3723000, 90000000));

// ---- Karts and line faults ----

// Through duplicates, noise and split frames the program's assembler hears
// exactly what was driven, and the seed alone decides the bytes.
TEST(SimulatedDecoderTest, EveryDrivenPassingReachesTheProgramWhateverTheFaults) {
    SimulatedDecoderConfig config = ThreeKarts();
    config.faults = {3, 2, 7, 1, 30};
    SimulatedDecoder decoder(config);
    const Bytes sent = RunPolled(decoder, 300000);
    ASSERT_GE(decoder.drivenPassings().size(), 4u * 27u);
    std::vector<Heard> driven;
    for (const DrivenPassing& p : decoder.drivenPassings())
        driven.emplace_back(p.transponder, p.decoderTimeMs);
    EXPECT_EQ(Hear(sent), driven);

    SimulatedDecoder again(config);
    EXPECT_EQ(RunPolled(again, 300000), sent) << "same seed, same bytes";
    config.seed = 43;
    SimulatedDecoder other(config);
    EXPECT_NE(RunPolled(other, 300000), sent) << "other seed, other bytes";
}

TEST(SimulatedDecoderTest,
     DuplicatesComeAFewMillisecondsApartAndNoiseBeforeEachNeverLooksLikeSync) {
    SimulatedDecoderConfig config;
    config.faults = {2, 3, 200, 0, 25};
    SimulatedDecoder decoder(config);
    decoder.advanceTo(1000);
    decoder.triggerPassing(21);
    decoder.advanceTo(1006);
    const Bytes out = decoder.takeOutput();
    EXPECT_EQ(Hear(out), (std::vector<Heard>{{21, 1000}, {21, 1003}, {21, 1006}}));
    ASSERT_EQ(out.size(), 3u * (200 + kFramedPassingSize));
    for (std::size_t frame = 0; frame < 3; ++frame) {
        const auto noise = out.begin() + frame * (200 + kFramedPassingSize);
        EXPECT_EQ(std::count(noise, noise + 200, 0xFF), 0);
        EXPECT_EQ(decoder.drivenPassings().at(frame).duplicate, frame > 0);
    }
}

TEST(SimulatedDecoderTest, SplitFrameGoesOutInTwoWritesAndHoldsBackWhatFollows) {
    SimulatedDecoderConfig config;
    config.faults.splitEveryNthFrame = 1; // 25 ms between the halves
    SimulatedDecoder decoder(config);
    decoder.advanceTo(100);
    decoder.triggerPassing(5);
    const Bytes first = decoder.takeOutput();
    ASSERT_TRUE(!first.empty() && first.size() < std::size_t{kFramedPassingSize});
    EXPECT_TRUE(decoder.drivenPassings().empty()) << "half a frame is not a passing yet";
    decoder.advanceTo(110);
    decoder.receive(kQuery);
    EXPECT_TRUE(decoder.takeOutput().empty()) << "the reply may not cut into the frame";
    decoder.advanceTo(125);
    const Bytes rest = decoder.takeOutput();
    EXPECT_EQ(decoder.drivenPassings().size(), 1u);
    decoder.advanceTo(150);
    EXPECT_EQ(Join({first, rest, decoder.takeOutput()}),
              Join({B(EncodeFramedPassing(5, 100)), kUsb1234}));
}

TEST(SimulatedDecoderTest, Vela1SendsBarePairs) {
    SimulatedDecoderConfig config = ThreeKarts();
    config.model = DecoderModel::Vela1Usb;
    SimulatedDecoder decoder(config);
    const Bytes all = RunPolled(decoder, 100000);
    const std::vector<DrivenPassing>& driven = decoder.drivenPassings();
    ASSERT_EQ(all.size(), 2 * driven.size());
    for (std::size_t i = 0; i < driven.size(); ++i)
        EXPECT_EQ(all[2 * i] * 256 + all[2 * i + 1], driven[i].transponder);
}

// ---- Through a real pseudo-terminal ----

// The program's end of the line, non-blocking as the serial port opens it.
struct ProgramSide {
    explicit ProgramSide(const std::filesystem::path& device)
        : fd(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}
    ~ProgramSide() { ::close(fd); }
    long write(const Bytes& bytes) { return ::write(fd, bytes.data(), bytes.size()); }

    // Reads until `count` bytes came or two seconds passed.
    Bytes read(std::size_t count) {
        Bytes got;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd entry{fd, POLLIN, 0};
            std::uint8_t buffer[256];
            if (::poll(&entry, 1, 20) <= 0)
                continue;
            const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, count - got.size()));
            got.insert(got.end(), buffer, buffer + std::max<ssize_t>(n, 0));
        }
        return got;
    }
    int fd;
};

TEST(DecoderSimulatorHostTest, ServesTheLinkedPortVanishesComesBackAndCleansUp) {
    testing::TemporaryFolder folder;
    // Every byte value, CR, LF, ^C, ^D, XON, XOFF and DEL among them: a cooked
    // line would change or act on those.
    Bytes capture(256);
    std::iota(capture.begin(), capture.end(), 0);
    folder.write("capture.bin", std::string(capture.begin(), capture.end()));

    DecoderSimulatorHostConfig config;
    config.workingFolder = folder.path();
    config.port = "COM7";
    config.decoder.trafficStart = TrafficStart::OnClockReset;
    config.decoder.playbackBytesPerSecond = 0;
    config.playbackPath = folder / "capture.bin";
    config.recordPath = folder / "out.bin";
    std::vector<std::string> printed;
    config.eventSink = [&printed](const std::string& line) { printed.push_back(line); };
    DecoderSimulatorHost host(config);
    ASSERT_TRUE(host.start()) << host.lastError();
    const std::filesystem::path link = folder / "ports/COM7";
    const std::string before = host.slavePath();
    EXPECT_EQ(std::filesystem::read_symlink(link), before);

    ProgramSide program(link);
    ASSERT_GE(program.fd, 0);
    // Split, with noise in between, as a real line may deliver it.
    ASSERT_EQ(program.write({0x00, 0xFF, 0xFF}), 3);
    ASSERT_EQ(program.write({0xFF, 0x01, 0x02}), 3);
    EXPECT_EQ(program.read(7), kUsb1234);
    ASSERT_EQ(program.write(kReset), 5);
    EXPECT_EQ(program.read(kAck.size() + capture.size()), Join({kAck, capture}));

    ASSERT_TRUE(host.vanish());
    // The line hangs up once the host's poll lets go of it, within a few ms.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (program.write(kProbe) >= 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_LT(program.write(kProbe), 0) << "a write to a vanished decoder must fail";
    EXPECT_EQ(std::filesystem::read_symlink(link), before) << "left dangling";

    ASSERT_TRUE(host.comeBack()) << host.lastError();
    EXPECT_EQ(std::filesystem::read_symlink(link), host.slavePath());
    ProgramSide reopened(link);
    ASSERT_GE(reopened.fd, 0);
    ASSERT_EQ(reopened.write(kQuery), 5);
    EXPECT_EQ(reopened.read(7), kUsb1234);

    host.stop();
    EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(link)));
    const Bytes sent = Join({kUsb1234, kAck, capture, kUsb1234});
    EXPECT_EQ(host.sentBytes(), sent);
    const std::string recorded = folder.read("out.bin");
    EXPECT_EQ(Bytes(recorded.begin(), recorded.end()), sent);
    EXPECT_EQ(host.eventLines(), printed);
    for (const char* start : {"link created", "identification answered", "clock reset acknowledged",
                              "vanished", "back on", "link removed"})
        EXPECT_TRUE(std::any_of(printed.begin(), printed.end(), [&](const std::string& line) {
            return line.starts_with(start);
        })) << start;
}

TEST(DecoderSimulatorHostTest, RefusesToStartOnAMissingPlayback) {
    DecoderSimulatorHostConfig config;
    config.playbackPath = "/nonexistent/capture.bin";
    DecoderSimulatorHost host(config);
    EXPECT_FALSE(host.start());
    EXPECT_NE(host.lastError().find("capture.bin"), std::string::npos);
    EXPECT_FALSE(host.running());
}

// ---- Command line ----

struct CommandLineCase {
    const char* name;
    std::vector<std::string_view> arguments;
    bool accepted;
};

class SimulatorCommandLineTableTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(SimulatorCommandLineTableTest, AcceptsOnlyWellFormedOptions) {
    const SimulatorCommandLine parsed = ParseSimulatorCommandLine(GetParam().arguments);
    EXPECT_EQ(parsed.options.has_value(), GetParam().accepted) << parsed.error;
    EXPECT_EQ(parsed.error.empty(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Simulator, SimulatorCommandLineTableTest,
    ::testing::Values(
        CommandLineCase{"no_options", {}, true},
        CommandLineCase{
            "port_with_working_folder", {"--working-folder", "/", "--port", "COM99"}, true},
        CommandLineCase{"port_without_working_folder", {"--port", "COM7"}, false},
        CommandLineCase{"port_out_of_range", {"--working-folder", "/", "--port", "COM100"}, false},
        CommandLineCase{"identity_with_trailing_letters", {"--identity", "12a"}, false},
        CommandLineCase{"kart_spread_as_large_as_lap", {"--kart", "7:1000:1000"}, false},
        CommandLineCase{"missing_value", {"--seed"}, false},
        CommandLineCase{"unknown_option", {"--baud", "9600"}, false},
        CommandLineCase{"back_without_vanish", {"--back-after", "100"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimulatorCommandLineTest, FillsTheConfiguration) {
    const SimulatorCommandLine parsed = ParseSimulatorCommandLine(
        {"--model", "vela2-bluetooth", "--identity", "77", "--kart", "7:30000:500", "--kart",
         "9:31000", "--reject-clock-reset", "2", "--split-every", "3", "--playback-rate", "max",
         "--start-on-reset", "--vanish-after", "1000", "--back-after", "500"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const SimulatedDecoderConfig& d = parsed.options->host.decoder;
    EXPECT_EQ(d.model, DecoderModel::Vela2Bluetooth);
    EXPECT_EQ(d.identity, 77);
    EXPECT_EQ(d.clockResetRejections, 2);
    EXPECT_EQ(d.faults.splitEveryNthFrame, 3);
    EXPECT_EQ(d.playbackBytesPerSecond, 0);
    EXPECT_EQ(d.trafficStart, TrafficStart::OnClockReset);
    ASSERT_EQ(d.karts.size(), 2u);
    EXPECT_EQ(d.karts[0].spreadMs, 500);
    EXPECT_EQ(d.karts[1].meanLapMs, 31000);
    EXPECT_EQ(parsed.options->vanishAfterMs, 1000);
    EXPECT_EQ(parsed.options->backAfterMs, 500);
}

} // namespace
} // namespace tallimo::decoder::sim
