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

// Runs the decoder in 10 ms steps, as often as the program polls.
Bytes RunPolled(SimulatedDecoder& decoder, std::int64_t durationMs) {
    Bytes all;
    const std::int64_t end = decoder.nowMs() + durationMs;
    for (std::int64_t t = decoder.nowMs(); t <= end; t += 10) {
        decoder.advanceTo(t);
        all = Join({all, decoder.takeOutput()});
    }
    return all;
}

// The query split over three reads, a keep-alive probe with replies asked
// for, and a clock reset.
TEST(SimulatedDecoderTest, AnswersEachModelAsTheProgramExpects) {
    const Bytes bluetooth1234{0xFF, 0xFF, 0xFF, 0x01, 0x12, 0x04, 0xD2};
    const Bytes tail = Join({B(kKeepAliveReply), kAck});
    for (const auto& [model, expected] : std::vector<std::pair<DecoderModel, Bytes>>{
             {DecoderModel::Vela2Usb, Join({kUsb1234, tail})},
             {DecoderModel::Vela2Bluetooth, Join({bluetooth1234, tail})},
             {DecoderModel::Vela1Usb, {}}}) {
        SimulatedDecoderConfig config;
        config.model = model;
        config.replyToKeepAlive = true;
        SimulatedDecoder decoder(config);
        Bytes out;
        for (const Bytes& read :
             {Bytes{0xFF, 0xFF}, Bytes{0xFF, 0x01}, Bytes{0x02}, kProbe, kReset}) {
            decoder.receive(read);
            out = Join({out, decoder.takeOutput()});
        }
        EXPECT_EQ(out, expected) << static_cast<int>(model);
    }
}

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
}

// The session's karts wait for the reset that starts it; a spare kart is out
// before, for the fleet scan.
TEST(SimulatedDecoderTest, OnlyTheSpareKartCrossesBeforeTheFirstReset) {
    SimulatedDecoderConfig config;
    config.karts = {{7, 1000, 0}, {9, 1000, 0, true}};
    config.trafficStart = TrafficStart::OnClockReset;
    SimulatedDecoder decoder(config);
    RunPolled(decoder, 5500);
    ASSERT_GE(decoder.drivenPassings().size(), 5u);
    for (const DrivenPassing& passing : decoder.drivenPassings())
        EXPECT_EQ(passing.transponder, 9);
    const std::size_t before = decoder.drivenPassings().size();
    decoder.receive(kReset);
    decoder.advanceTo(decoder.nowMs() + 10);
    EXPECT_EQ(decoder.takeOutput(), kAck);
    RunPolled(decoder, 3000);
    const auto& driven = decoder.drivenPassings();
    EXPECT_GE(std::count_if(driven.begin() + before, driven.end(),
                            [](const DrivenPassing& p) { return p.transponder == 7; }),
              2);
}

// Every millisecond of a second at the start, across an hour and past a day
// (the hour byte runs on).
TEST(SimulatedDecoderTest, FramesDecodeBackToTheExactMillisecond) {
    for (const std::int64_t second : {0, 3599000, 90000000})
        for (std::int64_t ms = second; ms < second + 1000; ++ms) {
            const FramedPassing frame = EncodeFramedPassing(0x1234, ms);
            ASSERT_EQ(Hear(B(frame)), (std::vector<Heard>{{0x1234, ms}}));
            ASSERT_TRUE(frame[9] * 256 + frame[10] >= kFractionCounterBase && frame[7] <= 59 &&
                        frame[8] <= 59)
                << ms;
        }
}

// Through duplicates, noise and split frames the program's assembler hears
// exactly what was driven, and the seed alone decides the bytes.
TEST(SimulatedDecoderTest, EveryDrivenPassingReachesTheProgramWhateverTheFaults) {
    SimulatedDecoderConfig config;
    config.karts = {{7, 30000, 2000}, {12, 32000, 500}, {4660, 29000, 0}};
    config.seed = 42;
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

    config.model = DecoderModel::Vela1Usb; // bare transponder pairs
    config.faults = {};
    SimulatedDecoder vela1(config);
    const Bytes pairs = RunPolled(vela1, 100000);
    ASSERT_EQ(pairs.size(), 2 * vela1.drivenPassings().size());
    for (std::size_t i = 0; i < vela1.drivenPassings().size(); ++i)
        EXPECT_EQ(pairs[2 * i] * 256 + pairs[2 * i + 1], vela1.drivenPassings()[i].transponder);
}

TEST(SimulatedDecoderTest, DuplicatesComeAFewMillisecondsApartAfterNoiseThatNeverLooksLikeSync) {
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
    decoder.advanceTo(110);
    decoder.receive(kQuery);
    EXPECT_TRUE(decoder.takeOutput().empty()) << "the reply may not cut into the frame";
    decoder.advanceTo(150);
    EXPECT_EQ(Join({first, decoder.takeOutput()}),
              Join({B(EncodeFramedPassing(5, 100)), kUsb1234}));
}

// Every byte value, CR, LF, ^C, ^D, XON, XOFF and DEL among them, reaches the
// program's end unchanged: a cooked line would change or act on those.
// Vanishing and coming back are left to the link test, which goes through the
// program's own serial port.
TEST(DecoderSimulatorHostTest, ServesTheLinkedPortByteForByteAndCleansUp) {
    testing::TemporaryFolder folder;
    Bytes capture(256);
    std::iota(capture.begin(), capture.end(), 0);
    folder.write("capture.bin", std::string(capture.begin(), capture.end()));
    DecoderSimulatorHostConfig config;
    config.playbackPath = "/nonexistent/capture.bin";
    DecoderSimulatorHost missing(config);
    ASSERT_FALSE(missing.start());
    EXPECT_NE(missing.lastError().find("capture.bin"), std::string::npos);

    config.workingFolder = folder.path();
    config.port = "COM7";
    config.decoder.trafficStart = TrafficStart::OnClockReset;
    config.decoder.playbackBytesPerSecond = 0;
    config.playbackPath = folder / "capture.bin";
    DecoderSimulatorHost host(config);
    ASSERT_TRUE(host.start()) << host.lastError();
    const std::filesystem::path link = folder / "ports/COM7";
    EXPECT_EQ(std::filesystem::read_symlink(link), host.slavePath());
    const int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    // Split, with noise in between, as a real line may deliver it.
    for (const Bytes& part : {Bytes{0x00, 0xFF, 0xFF}, Bytes{0xFF, 0x01, 0x02}, kReset})
        ASSERT_EQ(::write(fd, part.data(), part.size()), static_cast<ssize_t>(part.size()));
    const Bytes sent = Join({kUsb1234, kAck, capture});
    Bytes got(sent.size() + 1);
    std::size_t count = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (pollfd entry{fd, POLLIN, 0};
         count < sent.size() && std::chrono::steady_clock::now() < deadline;)
        if (::poll(&entry, 1, 20) > 0)
            count += std::max<ssize_t>(::read(fd, got.data() + count, got.size() - count), 0);
    got.resize(count);
    EXPECT_EQ(got, sent);
    ::close(fd);
    host.stop();
    EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(link)));
}

// "--a b --c" as arguments.
std::vector<std::string_view> Args(std::string_view line) {
    std::vector<std::string_view> arguments;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        arguments.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return arguments;
}

TEST(SimulatorCommandLineTest, RefusesMalformedOptions) {
    for (const char* line : {"--port COM7", // no working folder for the link
                             "--working-folder / --port COM100", "--identity 12a",
                             "--kart 7:1000:1000", // spread as large as the lap
                             "--seed", "--back-after 100"}) {
        const SimulatorCommandLine parsed = ParseSimulatorCommandLine(Args(line));
        EXPECT_TRUE(!parsed.options && !parsed.error.empty()) << line;
    }
}

// What the command line asks for reaches the decoder.
TEST(SimulatorCommandLineTest, FillsTheConfiguration) {
    const SimulatorCommandLine parsed = ParseSimulatorCommandLine(
        Args("--working-folder / --port COM99 --model vela2-bluetooth --kart 7:30000:500 --kart "
             "9:31000 --reject-clock-reset 2 --split-every 3 --playback-rate max "
             "--start-on-reset --vanish-after 1000 --back-after 500"));
    ASSERT_TRUE(parsed.options) << parsed.error;
    const SimulatedDecoderConfig& d = parsed.options->host.decoder;
    EXPECT_EQ(parsed.options->host.port, "COM99");
    EXPECT_TRUE(d.model == DecoderModel::Vela2Bluetooth && d.clockResetRejections == 2 &&
                d.faults.splitEveryNthFrame == 3 && d.playbackBytesPerSecond == 0 &&
                d.trafficStart == TrafficStart::OnClockReset);
    ASSERT_EQ(d.karts.size(), 2u);
    EXPECT_TRUE(d.karts[0].spreadMs == 500 && d.karts[1].meanLapMs == 31000);
    EXPECT_TRUE(parsed.options->vanishAfterMs == 1000 && parsed.options->backAfterMs == 500);
}

} // namespace
} // namespace tallimo::decoder::sim
