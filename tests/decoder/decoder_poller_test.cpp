#include "decoder/core/decoder_poller.h"
#include "tests/session/recording_notifications.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/recording_sound_player.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::decoder {
namespace {

using testing::Bytes;
using testing::RecordedMessage;
using Messages = std::vector<RecordedMessage>;
using ByteList = std::vector<std::uint8_t>;

const ByteList kProbe{0xFF, 0xFF, 0xFF, 0xE0, 0x04};
const ByteList kReset{0xFF, 0xFF, 0xFF, 0x02, 0x00};
const ByteList kQuery{0xFF, 0xFF, 0xFF, 0x01, 0x02};

std::string Record(int transponder, std::int64_t ms) {
    const int seconds = static_cast<int>(ms / 1000);
    const int fraction = 18661 + static_cast<int>(((ms % 1000) * 12000 + 255) / 256);
    return Bytes({0xFF, 0xFF, 0xFF, 0xF0, transponder >> 8, transponder & 0xFF, seconds / 3600,
                  seconds / 60 % 60, seconds % 60, fraction >> 8, fraction & 0xFF});
}

// The device behind the port as the test sets it; the decoder is plugged in.
class FakeDevices final : public DevicePresence {
public:
    DeviceIdentity identify(const std::filesystem::path& device) const override {
        ++looks;
        lookedAt = device;
        return current;
    }

    DeviceIdentity current{true, "/dev/ttyUSB0", 5, 100};
    mutable int looks = 0;
    mutable std::filesystem::path lookedAt;
};

class DecoderPollerTest : public ::testing::Test {
protected:
    DecoderPollerTest() {
        live.header.minLapSeconds = 2;
        session::SessionKart& kart = live.session.kart(0, 0);
        kart.kartLabel = "K1";
        kart.transponder = "000123";
        kart.usage = session::KartUsage::InSession;
        kart.trackState = session::TrackState::Reserved;
        kart.durationMinutes = 10;
        port.open = true; // start-up identified the decoder and left the port open
        poller.setDevicePresence(&devices);
    }

    void useSettings(const char* line) { folder.write(kDecoderSettingsFileName, line); }
    std::string savedSettings() const { return folder.read(kDecoderSettingsFileName); }

    void tick(std::uint32_t ms = 10) {
        ticks.advance(ms);
        poller.PollDecoder(clock, live);
    }
    // Ticks of 10 ms until `ms` have passed.
    void runFor(std::uint32_t ms) {
        for (std::uint32_t t = 0; t < ms; t += 10)
            tick();
    }

    // Start timing; framed decoders acknowledge the clock reset at once.
    void startRunning() {
        clock.StartPressed();
        tick();
        if (poller.decoderModel() != session::kModelVela1) {
            // What came before the command is dropped: answer after it.
            port.arrive(Bytes({0xFF, 0xFF, 0xFF, 0x02, 0, 0, 0}));
            tick();
        }
        ASSERT_TRUE(clock.running());
        port.written.clear();
    }

    int writesOf(const ByteList& command) const {
        return static_cast<int>(std::count(port.written.begin(), port.written.end(), command));
    }
    const session::SessionKart& kart() const { return live.session.kart(0, 0); }

    testing::TemporaryFolder folder;
    testing::FakeTickSource ticks;
    testing::FakeHighResCounter counter;
    testing::FakeSerialPort port{&counter};
    testing::RecordingMessageSink messages;
    testing::RecordingSoundPlayer sounds;
    testing::RecordingNotifications notifications;
    FakeDevices devices;
    DecoderPoller poller{port,
                         ticks,
                         counter,
                         messages,
                         sounds,
                         notifications,
                         common::WorkingFolder(folder.path())};
    session::SessionClock clock{ticks, counter, sounds, poller, notifications};
    session::LiveTiming live;
};

TEST_F(DecoderPollerTest, UnreadableSettingsAreReportedOnceAndNoTrafficFollows) {
    port.arrive("stale bytes");
    runFor(2000);
    EXPECT_EQ(messages.messages(),
              (Messages{{"Error", "Error : 'Decoder interface' file not found"}}));
    EXPECT_TRUE(port.written.empty());
    EXPECT_TRUE(port.chunks.empty()) << "idle input is still drained";

    // A start cannot be confirmed without a known model: it waits.
    clock.StartPressed();
    runFor(100);
    EXPECT_TRUE(clock.starting());
}

TEST_F(DecoderPollerTest, KeepAliveProbesAfterMoreThan400ms) {
    useSettings("COM4\t1\tTallimoVela2\n");
    tick();
    EXPECT_TRUE(poller.keepAliveActive());
    tick(400);
    EXPECT_EQ(writesOf(kProbe), 0);
    tick(1);
    EXPECT_EQ(writesOf(kProbe), 1);
    runFor(2000);
    EXPECT_EQ(writesOf(kProbe), 5);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(DecoderPollerTest, OtherModelsAreNotWatched) {
    for (const char* line :
         {"COM4\t1\tTallimoVela2Bluetooth\n", "COM4\t1\tTallimo\n", "COM4\t0\tTallimoVela2\n"}) {
        useSettings(line);
        poller.invalidateSettings();
        runFor(1000);
        EXPECT_FALSE(poller.keepAliveActive()) << line;
        EXPECT_EQ(writesOf(kProbe), 0) << line;
    }
}

TEST_F(DecoderPollerTest, OneFailedProbeIsAHiccupTwoInARowALoss) {
    useSettings("COM4\t1\tTallimoVela2\n");
    tick();
    port.writesFail = true;
    tick(401);
    port.writesFail = false;
    tick(401);
    port.writesFail = true;
    tick(401);
    EXPECT_FALSE(poller.connectionLost()) << "failures must be consecutive";
    tick(401);
    EXPECT_TRUE(poller.connectionLost());
    EXPECT_FALSE(poller.keepAliveActive());
    EXPECT_FALSE(port.open);
    EXPECT_EQ(savedSettings(), "COM4\t0\tTallimoVela2\n");
    EXPECT_TRUE(messages.messages().empty()) << "the loss is reported with the recovery";
    EXPECT_EQ(poller.pendingLinkMessage(), "") << "not running: nothing to report";
}

TEST_F(DecoderPollerTest, OnlyProbesThatSendNothingCountTowardsALoss) {
    struct Row {
        const char* name;
        std::vector<std::size_t> bytesSent; // per probe; a probe is 5 bytes
        bool lost;
    };
    const Row rows[] = {
        {"two partial probes in a row", {2, 2}, false},
        {"a single byte each time", {1, 1, 1, 1}, false},
        {"a partial probe between two silent ones", {0, 4, 0}, false},
        {"a partial probe, then two silent ones", {3, 0, 0}, true},
        {"two silent probes", {0, 0}, true},
    };
    for (const Row& row : rows) {
        // As after the decoder interface window found the decoder again.
        poller.stopWatching();
        poller.invalidateSettings();
        useSettings("COM4\t1\tTallimoVela2\n");
        port.open = true;
        tick();
        ASSERT_TRUE(poller.keepAliveActive()) << row.name;
        for (const std::size_t sent : row.bytesSent) {
            port.writeLimit = sent;
            tick(401);
        }
        port.writeLimit = SIZE_MAX;
        EXPECT_EQ(poller.connectionLost(), row.lost) << row.name;
        EXPECT_EQ(port.open, !row.lost) << row.name;
        EXPECT_EQ(savedSettings(), row.lost ? "COM4\t0\tTallimoVela2\n" : "COM4\t1\tTallimoVela2\n")
            << row.name;
    }
    EXPECT_TRUE(messages.messages().empty());
}

class DecoderRecoveryTest : public DecoderPollerTest {
protected:
    // Running 83.45 s into the session when the second probe fails.
    void loseWhileRunning() {
        useSettings("COM4\t1\tTallimoVela2\n");
        tick();
        startRunning();
        port.arrive(Record(123, 1000));
        tick();
        ticks.set(clock.sessionStartTick() + 83450 - 401);
        port.writesFail = true;
        tick(1);
        tick(401);
        ASSERT_TRUE(poller.connectionLost());
        port.writesFail = false;
        port.written.clear();
    }
};

TEST_F(DecoderRecoveryTest, LossThenSuccessfulRecoveryIsReportedInOneMessage) {
    loseWhileRunning();
    EXPECT_EQ(poller.pendingLinkMessage(), "Perte connexion du d\xE9"
                                           "codeur Vela2/Vela3 USB \xE0 1:23.400.\n");
    tick(4500);
    EXPECT_TRUE(port.openedNames.empty()) << "recovery waits more than 4.5 s";

    // The decoder answers; a passing that came with the reply is still timed.
    port.arrive(Record(123, 5000) + Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x00, 0x09}));
    tick(1);
    EXPECT_EQ(port.openedNames, std::vector<std::string>{"COM4"});
    EXPECT_EQ(writesOf(kQuery), 1);
    EXPECT_FALSE(poller.connectionLost());
    EXPECT_EQ(savedSettings(), "COM4\t1\tTallimoVela2\n");
    EXPECT_EQ(kart().lastLapIndex, 1);
    EXPECT_EQ(kart().lapTimes[1], 4000);
    EXPECT_EQ(messages.messages(),
              (Messages{{"Message", "Perte connexion du d\xE9"
                                    "codeur Vela2/Vela3 USB \xE0 1:23.400.\n"
                                    "R\xE9"
                                    "cup\xE9ration connexion d\xE9"
                                    "codeur Vela2/Vela3 USB r\xE9ussie \xE0 1:27.900."}}));

    // The next tick reads the settings again and watches once more.
    tick();
    EXPECT_TRUE(poller.keepAliveActive());
    tick(401);
    EXPECT_EQ(writesOf(kProbe), 1);
}

TEST_F(DecoderRecoveryTest, NoReplyWithin100msFailsAndTriesAgainLater) {
    loseWhileRunning();
    const int readsBefore = port.reads;
    tick(4501);
    const int recoveryReads = port.reads - readsBefore;
    EXPECT_EQ(port.openedNames.size(), 1u);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].caption, "Erreur");
    EXPECT_EQ(messages.messages()[0].text,
              "Perte connexion du d\xE9"
              "codeur Vela2/Vela3 USB \xE0 1:23.400.\nEchec \xE0 la r\xE9"
              "cup\xE9ration.");
    EXPECT_GE(recoveryReads, 100) << "the wait lasts 100 ms";
    EXPECT_LE(recoveryReads, 102);
    EXPECT_TRUE(poller.connectionLost());

    // A port that does not reopen is silent.
    port.opens = false;
    tick(4501);
    EXPECT_EQ(port.openedNames.size(), 2u);
    EXPECT_EQ(messages.messages().size(), 1u);
}

TEST_F(DecoderRecoveryTest, OneLossIsReportedOnceWhateverTheAttempts) {
    loseWhileRunning();
    tick(4501); // no reply
    port.opens = false;
    tick(4501); // silent
    port.opens = true;
    tick(4501); // no reply
    port.arrive(Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x00, 0x09}));
    tick(4501);
    EXPECT_FALSE(poller.connectionLost());
    EXPECT_EQ(messages.messages(),
              (Messages{{"Erreur", "Perte connexion du d\xE9"
                                   "codeur Vela2/Vela3 USB \xE0 1:23.400.\n"
                                   "Echec \xE0 la r\xE9"
                                   "cup\xE9ration."},
                        {"Erreur", "Echec \xE0 la r\xE9"
                                   "cup\xE9ration."},
                        {"Message", "R\xE9"
                                    "cup\xE9ration connexion d\xE9"
                                    "codeur Vela2/Vela3 USB r\xE9ussie \xE0 1:41.400."}}));
}

// While lost, the device is looked at every 100 ms; one that comes back is
// tried at once, one that stays away or unchanged waits for the 4.5 s attempt.
struct DeviceWatchRow {
    const char* name;
    DeviceIdentity whileAway;
    DeviceIdentity later;
    bool triedAtOnce;
};

void PrintTo(const DeviceWatchRow& row, std::ostream* out) {
    *out << row.name;
}

const DeviceIdentity kAbsent{};
const DeviceIdentity kPlugged = FakeDevices().current;
const DeviceIdentity kReplugged{true, "/dev/ttyUSB1", 5, 230};

class DeviceWatch : public DecoderRecoveryTest,
                    public ::testing::WithParamInterface<DeviceWatchRow> {};

TEST_P(DeviceWatch, ADeviceThatComesBackIsTriedAtOnce) {
    const DeviceWatchRow& row = GetParam();
    loseWhileRunning();
    const std::uint32_t lostAt = ticks.tickMs();
    devices.current = row.whileAway;
    runFor(2000);
    EXPECT_TRUE(port.openedNames.empty());

    devices.current = row.later;
    port.arrive(Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x00, 0x09}));
    runFor(100);
    EXPECT_EQ(port.openedNames.size(), row.triedAtOnce ? 1u : 0u);
    EXPECT_EQ(poller.connectionLost(), !row.triedAtOnce);
    if (!row.triedAtOnce) {
        while (ticks.tickMs() - lostAt <= kRecoveryPeriodMs)
            tick();
        EXPECT_EQ(port.openedNames.size(), 1u) << "only the usual attempt";
        EXPECT_FALSE(poller.connectionLost());
    }
    EXPECT_EQ(devices.lookedAt, "/dev/ttyS3") << "COM4 without a link";
}

INSTANTIATE_TEST_SUITE_P(
    Devices, DeviceWatch,
    ::testing::Values(DeviceWatchRow{"UnpluggedThenBackOnTheSameDevice", kAbsent, kPlugged, true},
                      DeviceWatchRow{"UnpluggedThenBackOnAnotherDevice", kAbsent, kReplugged, true},
                      DeviceWatchRow{"TheLinkNowLeadsElsewhere", kPlugged, kReplugged, true},
                      DeviceWatchRow{"StillUnplugged", kAbsent, kAbsent, false},
                      DeviceWatchRow{"ThereAllAlongNotAnswering", kPlugged, kPlugged, false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(DecoderRecoveryTest, TheDeviceIsLookedAtEvery100msOnlyWhileLost) {
    useSettings("COM4\t1\tTallimoVela2\n");
    runFor(1000);
    EXPECT_EQ(devices.looks, 0);
    loseWhileRunning();
    const int looksAtLoss = devices.looks;
    devices.current = {};
    runFor(1000);
    EXPECT_EQ(devices.looks - looksAtLoss, 10);
}

// The decoder's answer to the query, with a passing just before or just
// after the reply, cut in two reads at every point.
class RecoveryAnswerSplit : public DecoderRecoveryTest,
                            public ::testing::WithParamInterface<std::tuple<bool, int>> {};

TEST_P(RecoveryAnswerSplit, IsRecognisedWhereverItIsCut) {
    const auto [passingFirst, cut] = GetParam();
    loseWhileRunning();
    const std::string reply = Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x00, 0x09});
    const std::string answer = passingFirst ? Record(123, 5000) + reply : reply + Record(123, 5000);
    port.arrive(answer.substr(0, static_cast<std::size_t>(cut)));
    port.arrive(""); // a read with nothing between the two parts
    port.arrive(answer.substr(static_cast<std::size_t>(cut)));
    tick(4501);
    EXPECT_FALSE(poller.connectionLost());
    tick(); // a passing cut after the reply is completed by the next read
    EXPECT_EQ(savedSettings(), "COM4\t1\tTallimoVela2\n");
    EXPECT_EQ(kart().lastLapIndex, 1);
    EXPECT_EQ(kart().lapTimes[1], 4000);
    EXPECT_EQ(messages.messages(),
              (Messages{{"Message", "Perte connexion du d\xE9"
                                    "codeur Vela2/Vela3 USB \xE0 1:23.400.\n"
                                    "R\xE9"
                                    "cup\xE9ration connexion d\xE9"
                                    "codeur Vela2/Vela3 USB r\xE9ussie \xE0 1:27.900."}}));
}

INSTANTIATE_TEST_SUITE_P(EveryCut, RecoveryAnswerSplit,
                         ::testing::Combine(::testing::Bool(), ::testing::Range(1, 18)),
                         [](const auto& test) {
                             return std::string(std::get<0>(test.param) ? "PassingFirst"
                                                                        : "ReplyFirst") +
                                    "_Cut" + std::to_string(std::get<1>(test.param));
                         });

TEST_F(DecoderPollerTest, ARejectedClockResetIsSentAgainUntilAccepted) {
    useSettings("COM4\t1\tTallimoVela2Bluetooth\n");
    tick();
    clock.StartPressed();
    port.arrive("before the command");
    tick();
    EXPECT_EQ(writesOf(kReset), 1);
    EXPECT_TRUE(port.chunks.empty());
    port.arrive(Bytes({0x55, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x01}));
    tick();
    EXPECT_TRUE(clock.starting());
    tick();
    EXPECT_EQ(writesOf(kReset), 2) << "a rejection sends the command again";
    tick();
    EXPECT_EQ(writesOf(kReset), 2) << "no answer yet: wait";

    // The acknowledgement and a first passing in the same read.
    port.arrive(Bytes({0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}) + Record(123, 250));
    tick();
    EXPECT_TRUE(clock.running());
    tick();
    EXPECT_EQ(kart().runtime.startTime, 250) << "the passing after the acknowledgement counts";
}

TEST_F(DecoderPollerTest, ARecordSplitAcrossTicksIsTimedWhenComplete) {
    useSettings("COM4\t1\tTallimoVela2Bluetooth\n");
    tick();
    startRunning();
    const std::string first = Record(123, 61000);
    const std::string second = Record(123, 93250);
    port.arrive(Bytes({0x00}) + first.substr(0, 6));
    tick();
    EXPECT_EQ(kart().trackState, session::TrackState::Reserved);
    port.arrive(first.substr(6) + second.substr(0, 3));
    tick();
    EXPECT_EQ(kart().runtime.startTime, 61000);
    port.arrive(second.substr(3));
    tick();
    EXPECT_EQ(kart().lapTimes[1], 32250);
}

TEST_F(DecoderPollerTest, CounterTimedPassingsAreTimedFromTheFirstStart) {
    useSettings("COM4\t1\tTallimo\n");
    tick();
    startRunning();
    counter.advanceMs(2500);
    port.arrive(Bytes({0x00, 0x7B}));
    tick();
    // Each read of the fake lets 1 ms pass on the counter as well.
    EXPECT_GE(kart().runtime.startTime, 2500);
    EXPECT_LE(kart().runtime.startTime, 2520);
    EXPECT_EQ(writesOf(kReset), 0) << "counter-timed decoders have no clock to reset";
}

TEST_F(DecoderPollerTest, CounterTimedPassingsAreTimedWhenTheirFirstByteArrived) {
    useSettings("COM4\t1\tTallimo\n");
    tick();
    startRunning();
    const std::int64_t base = clock.counterTimeBase().counterBase;
    const auto at = [&](std::int64_t ms) { return base + ms * counter.frequency() / 1000; };
    counter.advanceMs(45000);
    // Two passings handed over by one read, then a record cut across reads.
    port.arriveTogether({{Bytes({0x00, 0x7B}), at(5000)},
                         {Bytes({0x00, 0x7B}), at(36234)},
                         {Bytes({0x00}), at(40117)}});
    tick();
    EXPECT_EQ(kart().runtime.startTime, 5000);
    EXPECT_EQ(kart().lapTimes[1], 31234);
    port.arrive(Bytes({0x7B}), at(40118));
    tick();
    EXPECT_EQ(kart().lastLapIndex, 2);
    EXPECT_EQ(kart().lapTimes[2], 3883);
}

TEST_F(DecoderPollerTest, IdleInputIsDrainedUnlessTheFleetWindowScans) {
    useSettings("COM4\t1\tTallimoVela2Bluetooth\n");
    tick();
    port.arrive(Record(123, 1000));
    tick();
    EXPECT_TRUE(port.chunks.empty());

    poller.setFleetScanActive(true);
    port.arrive(Record(123, 2000));
    tick();
    EXPECT_EQ(port.chunks.size(), 1u) << "the fleet window reads the transponders";

    // Passings drained while paused are never timed.
    poller.setFleetScanActive(false);
    tick();
    startRunning();
    EXPECT_EQ(kart().trackState, session::TrackState::Reserved);
}

TEST_F(DecoderPollerTest, AFailingReadProcessesNothing) {
    useSettings("COM4\t1\tTallimoVela2Bluetooth\n");
    tick();
    startRunning();
    port.arrive(Record(123, 1000));
    port.readsFail = true;
    tick();
    port.readsFail = false;
    tick();
    EXPECT_EQ(kart().runtime.startTime, 1000) << "the bytes wait in the driver";
}

} // namespace
} // namespace tallimo::decoder
