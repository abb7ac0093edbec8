#include "decoder/core/decoder_frames.h"
#include "decoder/sim/decoder_simulator_host.h"
#include "decoder/sim/framed_passing_encoding.h"
#include "decoder/sim/simulated_decoder.h"
#include "decoder/sim/simulator_command_line.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <map>
#include <poll.h>
#include <set>
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

struct Heard {
    int transponder;
    std::int64_t timeMs;
    bool operator==(const Heard&) const = default;
};

// The receiving side as the program assembles framed passings: slide until
// FF FF FF F0, then take 11 bytes; partial records wait for the next chunk.
class FramedPassingListener {
public:
    void feed(const Bytes& chunk) {
        for (std::uint8_t byte : chunk) {
            m_held.push_back(byte);
            if (m_held.size() == 4 && !(m_held[0] == 0xFF && m_held[1] == 0xFF &&
                                        m_held[2] == 0xFF && m_held[3] == kPassingRecordTag))
                m_held.erase(m_held.begin());
            if (m_held.size() == kFramedPassingSize) {
                const int f = m_held[9] * 256 + m_held[10];
                heard.push_back({m_held[4] * 256 + m_held[5],
                                 FramedPassingTimeMs(m_held[6], m_held[7], m_held[8], f)});
                m_held.clear();
            }
        }
    }
    std::vector<Heard> heard;

private:
    Bytes m_held;
};

std::vector<Heard> HeardFrom(const std::vector<DrivenPassing>& driven) {
    std::vector<Heard> heard;
    for (const DrivenPassing& p : driven)
        heard.push_back({p.transponder, p.decoderTimeMs});
    return heard;
}

SimulatedDecoderConfig ThreeKarts() {
    SimulatedDecoderConfig config;
    config.karts = {{7, 30000, 2000}, {12, 32000, 500}, {4660, 29000, 0}};
    config.seed = 42;
    return config;
}

// Runs the decoder for `durationMs` in 10 ms steps, as often as the program
// polls, and returns each step's output.
std::vector<Bytes> RunPolled(SimulatedDecoder& decoder, std::int64_t durationMs) {
    std::vector<Bytes> chunks;
    const std::int64_t end = decoder.nowMs() + durationMs;
    for (std::int64_t t = decoder.nowMs(); t <= end; t += 10) {
        decoder.advanceTo(t);
        chunks.push_back(decoder.takeOutput());
    }
    return chunks;
}

// ---------------------------------------------------------------------------
// Commands and replies

struct CommandCase {
    const char* name;
    DecoderModel model;
    int identity;
    int rejections;
    bool keepAliveReply;
    std::vector<Bytes> reads;
    Bytes expected;
};

void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.name;
}

class SimulatedDecoderReplyTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(SimulatedDecoderReplyTest, AnswersWhatTheProgramExpects) {
    const CommandCase& c = GetParam();
    SimulatedDecoderConfig config;
    config.model = c.model;
    config.identity = c.identity;
    config.clockResetRejections = c.rejections;
    config.replyToKeepAlive = c.keepAliveReply;
    SimulatedDecoder decoder(config);
    Bytes out;
    for (const Bytes& read : c.reads) {
        decoder.receive(read);
        const Bytes step = decoder.takeOutput();
        out.insert(out.end(), step.begin(), step.end());
    }
    EXPECT_EQ(out, c.expected);
}

const Bytes kUsb1234{0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x04, 0xD2};

INSTANTIATE_TEST_SUITE_P(
    Simulator, SimulatedDecoderReplyTest,
    ::testing::Values(
        CommandCase{
            "usb_identification", DecoderModel::Vela2Usb, 1234, 0, false, {kQuery}, kUsb1234},
        CommandCase{"bluetooth_identification_highest_identity",
                    DecoderModel::Vela2Bluetooth,
                    65535,
                    0,
                    false,
                    {kQuery},
                    {0xFF, 0xFF, 0xFF, 0x01, 0x12, 0xFF, 0xFF}},
        CommandCase{"identity_zero",
                    DecoderModel::Vela2Usb,
                    0,
                    0,
                    false,
                    {kQuery},
                    {0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x00, 0x00}},
        CommandCase{"query_split_over_three_reads",
                    DecoderModel::Vela2Usb,
                    1234,
                    0,
                    false,
                    {{0xFF, 0xFF}, {0xFF, 0x01}, {0x02}},
                    kUsb1234},
        CommandCase{"noise_before_the_query",
                    DecoderModel::Vela2Usb,
                    1234,
                    0,
                    false,
                    {{0x00, 0x13, 0xFF, 0x7E, 0xFF, 0xFF, 0xFF, 0x01, 0x02}},
                    kUsb1234},
        CommandCase{"four_sync_bytes_before_the_query",
                    DecoderModel::Vela2Usb,
                    1234,
                    0,
                    false,
                    {{0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x02}},
                    kUsb1234},
        CommandCase{"truncated_query_then_a_whole_one",
                    DecoderModel::Vela2Usb,
                    1234,
                    0,
                    false,
                    {{0xFF, 0xFF, 0xFF, 0x01}, kQuery},
                    kUsb1234},
        CommandCase{"two_commands_in_one_read",
                    DecoderModel::Vela2Usb,
                    1234,
                    0,
                    false,
                    {Join({kQuery, kReset})},
                    Join({kUsb1234, kAck})},
        CommandCase{
            "clock_reset_acknowledged", DecoderModel::Vela2Bluetooth, 1, 0, false, {kReset}, kAck},
        CommandCase{"clock_reset_refused_twice_then_acknowledged",
                    DecoderModel::Vela2Usb,
                    1,
                    2,
                    false,
                    {kReset, kReset, kReset, kReset},
                    Join({kRefusal, kRefusal, kAck, kAck})},
        CommandCase{
            "keep_alive_taken_silently", DecoderModel::Vela2Usb, 1, 0, false, {kProbe, kProbe}, {}},
        CommandCase{"keep_alive_answered_on_request",
                    DecoderModel::Vela2Usb,
                    1,
                    0,
                    true,
                    {kProbe},
                    B(kKeepAliveReply)},
        CommandCase{"unknown_command_ignored",
                    DecoderModel::Vela2Usb,
                    1,
                    0,
                    false,
                    {{0xFF, 0xFF, 0xFF, 0x05, 0x00}},
                    {}},
        CommandCase{"vela1_answers_nothing",
                    DecoderModel::Vela1Usb,
                    1234,
                    0,
                    true,
                    {kQuery, kReset, kProbe},
                    {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimulatedDecoderTest, CountsEveryCommandItRecognises) {
    SimulatedDecoder decoder(SimulatedDecoderConfig{});
    decoder.receive(Join({kProbe, {0x00}, kQuery, kProbe, kReset}));
    EXPECT_EQ(decoder.commandCounts(), (CommandCounts{1, 1, 2}));
    const std::vector<SimulatorEvent> events = decoder.takeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, SimulatorEventKind::IdentificationAnswered);
    EXPECT_EQ(events[1].kind, SimulatorEventKind::ClockResetAcknowledged);
}

// ---------------------------------------------------------------------------
// Clock

TEST(SimulatedDecoderTest, RefusedResetLeavesTheClockRunningAndAcceptedOneRestartsIt) {
    SimulatedDecoderConfig config;
    config.clockResetRejections = 1;
    SimulatedDecoder decoder(config);
    decoder.advanceTo(5000);
    decoder.receive(kReset);
    EXPECT_EQ(decoder.takeOutput(), kRefusal);
    EXPECT_EQ(decoder.clockMs(), 5000);

    decoder.advanceTo(6000);
    decoder.receive(kReset);
    EXPECT_EQ(decoder.takeOutput(), kAck);
    decoder.advanceTo(6250);
    decoder.triggerPassing(7);
    FramedPassingListener listener;
    listener.feed(decoder.takeOutput());
    EXPECT_EQ(listener.heard, (std::vector<Heard>{{7, 250}}));
    EXPECT_EQ(decoder.drivenPassings().at(0).clockEpoch, 1);
}

TEST(SimulatedDecoderTest, KartsKeepTheirRhythmAcrossAClockReset) {
    SimulatedDecoderConfig config;
    config.karts = {{7, 1000, 0}};
    SimulatedDecoder decoder(config);
    RunPolled(decoder, 5500);
    const std::int64_t lastBefore = decoder.drivenPassings().back().decoderTimeMs;
    decoder.receive(kReset);
    RunPolled(decoder, 3000);
    const std::vector<DrivenPassing>& driven = decoder.drivenPassings();
    const auto firstAfter = std::find_if(driven.begin(), driven.end(),
                                         [](const DrivenPassing& p) { return p.clockEpoch == 1; });
    ASSERT_NE(firstAfter, driven.end());
    // One second after the last pass on the old clock, 5500 ms in on it.
    EXPECT_EQ(firstAfter->decoderTimeMs, lastBefore + 1000 - 5500);
}

TEST(SimulatedDecoderTest, TrafficWaitsForTheClockResetWhenAsked) {
    SimulatedDecoderConfig config = ThreeKarts();
    config.trafficStart = TrafficStart::OnClockReset;
    config.playback = {0x01, 0x02};
    config.playbackBytesPerSecond = 0;
    SimulatedDecoder decoder(config);
    RunPolled(decoder, 120000);
    EXPECT_TRUE(decoder.drivenPassings().empty());
    decoder.receive(kReset);
    EXPECT_EQ(decoder.takeOutput(), kAck);
    decoder.advanceTo(decoder.nowMs() + 10);
    const Bytes out = decoder.takeOutput();
    const Bytes playback{0x01, 0x02};
    EXPECT_NE(std::search(out.begin(), out.end(), playback.begin(), playback.end()), out.end());
    RunPolled(decoder, 120000);
    EXPECT_GE(decoder.drivenPassings().size(), 3u * 3u);
    for (const DrivenPassing& p : decoder.drivenPassings())
        EXPECT_EQ(p.clockEpoch, 1);
}

// ---------------------------------------------------------------------------
// Frame encoding

class SimulatedFrameEncodingTest : public ::testing::TestWithParam<std::int64_t> {};

TEST_P(SimulatedFrameEncodingTest, DecodesBackToTheExactMillisecond) {
    const std::int64_t ms = GetParam();
    const FramedPassing frame = EncodeFramedPassing(0x1234, ms);
    EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 6), (Bytes{0xFF, 0xFF, 0xFF, 0xF0, 0x12, 0x34}));
    const int f = frame[9] * 256 + frame[10];
    EXPECT_GE(f, kFractionCounterBase);
    EXPECT_LE(frame[7], 59);
    EXPECT_LE(frame[8], 59);
    EXPECT_EQ(FramedPassingTimeMs(frame[6], frame[7], frame[8], f), ms);
}

INSTANTIATE_TEST_SUITE_P(DecoderTimes, SimulatedFrameEncodingTest,
                         ::testing::Values(0, 1, 499, 500, 999, 1000, 59999, 60000, 3599999,
                                           3600000, 3723000, 3723456, 86399999));

TEST(SimulatedFrameCounterTest, EveryMillisecondOfASecondSurvivesTruncation) {
    for (int ms = 0; ms < 1000; ++ms)
        ASSERT_EQ(FramedPassingTimeMs(0, 0, 0, FractionCounterFor(ms)), ms) << ms;
}

// ---------------------------------------------------------------------------
// Karts and line faults

struct FaultCase {
    const char* name;
    LineFaults faults;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class SimulatedLineFaultTest : public ::testing::TestWithParam<FaultCase> {};

// Whatever the faults, the program's assembler hears exactly what was driven.
TEST_P(SimulatedLineFaultTest, EveryDrivenPassingReachesTheProgram) {
    SimulatedDecoderConfig config = ThreeKarts();
    config.faults = GetParam().faults;
    SimulatedDecoder decoder(config);
    FramedPassingListener listener;
    for (const Bytes& chunk : RunPolled(decoder, 300000))
        listener.feed(chunk);
    ASSERT_GE(decoder.drivenPassings().size(), 27u);
    EXPECT_EQ(listener.heard, HeardFrom(decoder.drivenPassings()));
}

INSTANTIATE_TEST_SUITE_P(Simulator, SimulatedLineFaultTest,
                         ::testing::Values(FaultCase{"clean_line", {}},
                                           FaultCase{"duplicates", {2, 4, 0, 0, 25}},
                                           FaultCase{"noise", {0, 4, 5, 0, 25}},
                                           FaultCase{"every_frame_split", {0, 4, 0, 1, 25}},
                                           FaultCase{"everything_at_once", {3, 2, 7, 2, 30}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimulatedDecoderTest, LapsStayWithinMeanAndSpread) {
    SimulatedDecoder decoder(ThreeKarts());
    RunPolled(decoder, 600000);
    std::map<int, std::vector<std::int64_t>> times;
    for (const DrivenPassing& p : decoder.drivenPassings())
        times[p.transponder].push_back(p.decoderTimeMs);
    const std::map<int, std::pair<std::int64_t, std::int64_t>> bounds{
        {7, {28000, 32000}}, {12, {31500, 32500}}, {4660, {29000, 29000}}};
    ASSERT_EQ(times.size(), 3u);
    for (const auto& [transponder, list] : times) {
        ASSERT_GE(list.size(), 18u) << transponder;
        EXPECT_LT(list.front(), bounds.at(transponder).second);
        std::set<std::int64_t> laps;
        for (std::size_t i = 1; i < list.size(); ++i) {
            const std::int64_t lap = list[i] - list[i - 1];
            EXPECT_GE(lap, bounds.at(transponder).first) << transponder;
            EXPECT_LE(lap, bounds.at(transponder).second) << transponder;
            laps.insert(lap);
        }
        if (transponder == 7) {
            EXPECT_GT(laps.size(), 5u) << "laps should vary";
        }
    }
}

TEST(SimulatedDecoderTest, SameSeedSameBytesOtherSeedOtherBytes) {
    auto bytesFor = [](std::uint64_t seed) {
        SimulatedDecoderConfig config = ThreeKarts();
        config.seed = seed;
        config.faults = {1, 3, 2, 3, 25};
        SimulatedDecoder decoder(config);
        Bytes all;
        for (const Bytes& chunk : RunPolled(decoder, 200000))
            all.insert(all.end(), chunk.begin(), chunk.end());
        return all;
    };
    EXPECT_EQ(bytesFor(9), bytesFor(9));
    EXPECT_NE(bytesFor(9), bytesFor(10));
}

TEST(SimulatedDecoderTest, DuplicatesComeAFewMillisecondsApartAndAreMarked) {
    SimulatedDecoderConfig config;
    config.faults.duplicateReports = 2;
    config.faults.duplicateGapMs = 3;
    SimulatedDecoder decoder(config);
    decoder.advanceTo(1000);
    decoder.triggerPassing(21);
    decoder.advanceTo(1005);
    FramedPassingListener listener;
    listener.feed(decoder.takeOutput());
    EXPECT_EQ(listener.heard, (std::vector<Heard>{{21, 1000}, {21, 1003}}));
    decoder.advanceTo(1006);
    listener.feed(decoder.takeOutput());
    ASSERT_EQ(decoder.drivenPassings().size(), 3u);
    EXPECT_EQ(decoder.drivenPassings()[2], (DrivenPassing{21, 1006, 0, true}));
    EXPECT_FALSE(decoder.drivenPassings()[0].duplicate);
}

TEST(SimulatedDecoderTest, NoiseGoesBeforeEveryFrameAndNeverLooksLikeSync) {
    SimulatedDecoderConfig config;
    config.faults.noiseBytes = 200;
    SimulatedDecoder decoder(config);
    decoder.receive(kQuery);
    const Bytes out = decoder.takeOutput();
    ASSERT_EQ(out.size(), 207u);
    EXPECT_EQ(std::count(out.begin(), out.begin() + 200, 0xFF), 0);
    EXPECT_EQ(Bytes(out.begin() + 200, out.end()), kUsb1234);
}

TEST(SimulatedDecoderTest, SplitFrameGoesOutInTwoWritesAndHoldsBackWhatFollows) {
    SimulatedDecoderConfig config;
    config.faults.splitEveryNthFrame = 1;
    config.faults.splitGapMs = 25;
    SimulatedDecoder decoder(config);
    decoder.advanceTo(100);
    decoder.triggerPassing(5);
    const Bytes first = decoder.takeOutput();
    ASSERT_GE(first.size(), 1u);
    ASSERT_LT(first.size(), static_cast<std::size_t>(kFramedPassingSize));
    EXPECT_TRUE(decoder.drivenPassings().empty()) << "half a frame is not a passing yet";

    decoder.advanceTo(110);
    decoder.receive(kQuery);
    EXPECT_TRUE(decoder.takeOutput().empty()) << "the reply may not cut into the frame";

    decoder.advanceTo(125);
    Bytes rest = decoder.takeOutput();
    const FramedPassing whole = EncodeFramedPassing(5, 100);
    ASSERT_GT(rest.size(), whole.size() - first.size());
    EXPECT_EQ(Join({first, Bytes(rest.begin(), rest.begin() + (whole.size() - first.size()))}),
              B(whole));
    EXPECT_EQ(decoder.drivenPassings().size(), 1u);
}

TEST(SimulatedDecoderTest, Vela1SendsBarePairs) {
    SimulatedDecoderConfig config = ThreeKarts();
    config.model = DecoderModel::Vela1Usb;
    SimulatedDecoder decoder(config);
    Bytes all;
    for (const Bytes& chunk : RunPolled(decoder, 100000))
        all.insert(all.end(), chunk.begin(), chunk.end());
    ASSERT_EQ(all.size(), 2 * decoder.drivenPassings().size());
    for (std::size_t i = 0; i < decoder.drivenPassings().size(); ++i)
        EXPECT_EQ(all[2 * i] * 256 + all[2 * i + 1], decoder.drivenPassings()[i].transponder);
}

TEST(SimulatedDecoderTest, OfflineItHearsNothingAndLosesWhatItWouldSend) {
    SimulatedDecoderConfig config;
    config.faults.splitEveryNthFrame = 1;
    SimulatedDecoder decoder(config);
    decoder.triggerPassing(1);
    ASSERT_FALSE(decoder.takeOutput().empty());
    decoder.setOnline(false);
    decoder.triggerPassing(2);
    decoder.receive(kQuery);
    decoder.advanceTo(1000);
    EXPECT_TRUE(decoder.takeOutput().empty());
    EXPECT_TRUE(decoder.drivenPassings().empty()) << "the half-sent frame never completed";

    decoder.setOnline(true);
    decoder.receive(Bytes{0xFF, 0xFF}); // a partial command before the query
    decoder.receive(kQuery);
    decoder.advanceTo(1100);
    EXPECT_EQ(decoder.takeOutput().size(), kUsb1234.size());
}

// ---------------------------------------------------------------------------
// Playback

TEST(SimulatedDecoderTest, PlaybackFlowsAtLineSpeed) {
    SimulatedDecoderConfig config;
    for (int i = 0; i < 2000; ++i)
        config.playback.push_back(static_cast<std::uint8_t>(i * 7));
    SimulatedDecoder decoder(config);
    decoder.advanceTo(500);
    const Bytes first = decoder.takeOutput();
    EXPECT_EQ(first.size(), 480u);
    decoder.advanceTo(1000);
    const Bytes second = decoder.takeOutput();
    EXPECT_EQ(second.size(), 480u);
    decoder.advanceTo(10000);
    EXPECT_EQ(Join({first, second, decoder.takeOutput()}), config.playback);
}

// ---------------------------------------------------------------------------
// Through a real pseudo-terminal

class ProgramSide {
public:
    explicit ProgramSide(const std::filesystem::path& device)
        : m_fd(::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}
    ~ProgramSide() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }
    long write(const Bytes& bytes) { return ::write(m_fd, bytes.data(), bytes.size()); }

    // Reads until `count` bytes came or two seconds passed.
    Bytes read(std::size_t count) {
        Bytes got;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd entry{m_fd, POLLIN, 0};
            if (::poll(&entry, 1, 20) <= 0)
                continue;
            std::uint8_t buffer[256];
            const ssize_t n = ::read(m_fd, buffer, std::min(sizeof buffer, count - got.size()));
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
            else if (n < 0 && errno != EAGAIN)
                break;
        }
        return got;
    }

private:
    int m_fd;
};

template <typename Condition> bool WaitUntil(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(DecoderSimulatorHostTest, AnswersIdentificationThroughThePortLinkAndCleansUp) {
    testing::TemporaryFolder folder;
    DecoderSimulatorHostConfig config;
    config.workingFolder = folder.path();
    config.port = "COM7";
    DecoderSimulatorHost host(config);
    ASSERT_TRUE(host.start()) << host.lastError();
    const std::filesystem::path link = folder / "ports/COM7";
    EXPECT_EQ(host.linkPath(), link);
    EXPECT_EQ(std::filesystem::read_symlink(link), host.slavePath());

    ProgramSide program(link);
    ASSERT_TRUE(program.isOpen());
    // Split, with noise in between, as a real line may deliver it.
    ASSERT_EQ(program.write({0x00, 0xFF, 0xFF}), 3);
    ASSERT_EQ(program.write({0xFF, 0x01, 0x02}), 3);
    EXPECT_EQ(program.read(7), kUsb1234);
    EXPECT_TRUE(WaitUntil([&] { return host.commandCounts().identificationQueries == 1; }));

    host.stop();
    EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(link)));
    const std::vector<std::string> lines = host.eventLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.starts_with("identification answered");
    }));
}

TEST(DecoderSimulatorHostTest, VanishesSoWritesFailAndComesBackOnTheMovedLink) {
    testing::TemporaryFolder folder;
    DecoderSimulatorHostConfig config;
    config.workingFolder = folder.path();
    config.port = "COM12";
    std::vector<std::string> printed;
    config.eventSink = [&printed](const std::string& line) { printed.push_back(line); };
    DecoderSimulatorHost host(config);
    ASSERT_TRUE(host.start()) << host.lastError();
    const std::filesystem::path link = host.linkPath();
    const std::string before = host.slavePath();

    ProgramSide program(link);
    ASSERT_TRUE(program.isOpen());
    ASSERT_TRUE(host.vanish());
    EXPECT_LT(program.write(kProbe), 0) << "a write to a vanished decoder must fail";
    EXPECT_EQ(std::filesystem::read_symlink(link), before) << "left dangling";
    EXPECT_FALSE(host.vanish()) << "already gone";

    ASSERT_TRUE(host.comeBack()) << host.lastError();
    EXPECT_EQ(std::filesystem::read_symlink(link), host.slavePath());
    ProgramSide reopened(link);
    ASSERT_TRUE(reopened.isOpen());
    ASSERT_EQ(reopened.write(kQuery), 5);
    EXPECT_EQ(reopened.read(7), kUsb1234);
    host.stop();
    ASSERT_GE(printed.size(), 5u);
    EXPECT_TRUE(printed[1].starts_with("link created"));
    EXPECT_TRUE(std::any_of(printed.begin(), printed.end(),
                            [](const std::string& l) { return l.starts_with("vanished"); }));
    EXPECT_TRUE(std::any_of(printed.begin(), printed.end(),
                            [](const std::string& l) { return l.starts_with("back on"); }));
}

TEST(DecoderSimulatorHostTest, StoppedWhileVanishedItTakesTheDanglingLinkAway) {
    testing::TemporaryFolder folder;
    DecoderSimulatorHostConfig config;
    config.workingFolder = folder.path();
    config.port = "COM3";
    DecoderSimulatorHost host(config);
    ASSERT_TRUE(host.start()) << host.lastError();
    ASSERT_TRUE(host.vanish());
    ASSERT_TRUE(std::filesystem::is_symlink(std::filesystem::symlink_status(host.linkPath())));
    host.stop();
    EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(host.linkPath())));
}

TEST(DecoderSimulatorHostTest, PlaysBackEveryByteUntouchedAndRecordsWhatItSent) {
    testing::TemporaryFolder folder;
    // Bytes a cooked line would change or act on: CR, LF, ^C, ^D, XON, XOFF, DEL.
    Bytes capture{0x0D, 0x0A, 0x03, 0x04, 0x11, 0x13, 0x7F, 0x00, 0xFF, 0x1A};
    for (int i = 0; i < 256; ++i)
        capture.push_back(static_cast<std::uint8_t>(i));
    std::ofstream(folder / "capture.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(capture.data()),
               static_cast<std::streamsize>(capture.size()));

    DecoderSimulatorHostConfig config;
    config.decoder.trafficStart = TrafficStart::OnClockReset;
    config.decoder.playbackBytesPerSecond = 0;
    config.playbackPath = folder / "capture.bin";
    config.recordPath = folder / "out.bin";
    DecoderSimulatorHost host(config);
    ASSERT_TRUE(host.start()) << host.lastError();
    ProgramSide program(host.slavePath());
    ASSERT_TRUE(program.isOpen());
    ASSERT_EQ(program.write(kReset), 5);
    EXPECT_EQ(program.read(kAck.size() + capture.size()), Join({kAck, capture}));
    host.triggerPassing(300);
    const Bytes passing = program.read(kFramedPassingSize);
    ASSERT_TRUE(WaitUntil([&] { return host.drivenPassings().size() == 1; }));
    EXPECT_EQ(passing, B(EncodeFramedPassing(300, host.drivenPassings()[0].decoderTimeMs)));
    host.stop();
    EXPECT_EQ(ReadFile(folder / "out.bin"), Join({kAck, capture, passing}));
    EXPECT_EQ(host.sentBytes(), Join({kAck, capture, passing}));
}

TEST(DecoderSimulatorHostTest, RefusesToStartOnAMissingPlayback) {
    DecoderSimulatorHostConfig config;
    config.playbackPath = "/nonexistent/capture.bin";
    DecoderSimulatorHost host(config);
    EXPECT_FALSE(host.start());
    EXPECT_NE(host.lastError().find("capture.bin"), std::string::npos);
    EXPECT_FALSE(host.running());
}

// ---------------------------------------------------------------------------
// Command line

struct CommandLineCase {
    const char* name;
    std::vector<std::string_view> arguments;
    bool accepted;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) {
    *os << c.name;
}

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
            "port_with_working_folder", {"--working-folder", "/tmp", "--port", "COM99"}, true},
        CommandLineCase{"port_without_working_folder", {"--port", "COM7"}, false},
        CommandLineCase{"port_zero", {"--working-folder", "/tmp", "--port", "COM0"}, false},
        CommandLineCase{"port_hundred", {"--working-folder", "/tmp", "--port", "COM100"}, false},
        CommandLineCase{
            "port_with_leading_zero", {"--working-folder", "/tmp", "--port", "COM07"}, false},
        CommandLineCase{"unknown_model", {"--model", "vela3"}, false},
        CommandLineCase{"identity_too_large", {"--identity", "65536"}, false},
        CommandLineCase{"identity_not_a_number", {"--identity", "12a"}, false},
        CommandLineCase{"kart_without_lap", {"--kart", "7"}, false},
        CommandLineCase{"kart_spread_as_large_as_lap", {"--kart", "7:1000:1000"}, false},
        CommandLineCase{"kart_transponder_too_large", {"--kart", "65536:30000"}, false},
        CommandLineCase{"missing_value", {"--seed"}, false},
        CommandLineCase{"unknown_option", {"--baud", "9600"}, false},
        CommandLineCase{"back_without_vanish", {"--back-after", "100"}, false},
        CommandLineCase{"playback_rate_word", {"--playback-rate", "fast"}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimulatorCommandLineTest, FillsTheConfiguration) {
    const SimulatorCommandLine parsed = ParseSimulatorCommandLine(
        {"--model", "vela2-bluetooth", "--identity", "77", "--kart", "7:30000:500", "--kart",
         "9:31000", "--reject-clock-reset", "2", "--split-every", "3", "--playback-rate", "max",
         "--start-on-reset", "--vanish-after", "1000", "--back-after", "500"});
    ASSERT_TRUE(parsed.options) << parsed.error;
    const SimulatorOptions& o = *parsed.options;
    EXPECT_EQ(o.host.decoder.model, DecoderModel::Vela2Bluetooth);
    EXPECT_EQ(o.host.decoder.identity, 77);
    ASSERT_EQ(o.host.decoder.karts.size(), 2u);
    EXPECT_EQ(o.host.decoder.karts[0].spreadMs, 500);
    EXPECT_EQ(o.host.decoder.karts[1].meanLapMs, 31000);
    EXPECT_EQ(o.host.decoder.clockResetRejections, 2);
    EXPECT_EQ(o.host.decoder.faults.splitEveryNthFrame, 3);
    EXPECT_EQ(o.host.decoder.playbackBytesPerSecond, 0);
    EXPECT_EQ(o.host.decoder.trafficStart, TrafficStart::OnClockReset);
    EXPECT_EQ(o.vanishAfterMs, 1000);
    EXPECT_EQ(o.backAfterMs, 500);
}

} // namespace
} // namespace tallimo::decoder::sim
