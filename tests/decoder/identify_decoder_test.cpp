#include "decoder/core/identify_decoder.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::decoder {
namespace {

using testing::Bytes;

class IdentifyDecoderTest : public ::testing::Test {
protected:
    IdentificationResult identify() {
        return IdentifyDecoder(port, counter, common::WorkingFolder(folder.path()), "COM4");
    }
    std::string savedSettings() const { return folder.read(kDecoderSettingsFileName); }

    testing::TemporaryFolder folder;
    testing::FakeHighResCounter counter;
    testing::FakeSerialPort port{&counter};
};

struct ReplyCase {
    const char* name;
    std::vector<std::string> reads;
    const char* model;
    std::optional<int> decoderId;
};

class IdentificationReplies : public IdentifyDecoderTest,
                              public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(IdentificationReplies, FindTheModelAndIdentity) {
    for (const std::string& chunk : GetParam().reads)
        port.arrive(chunk);
    const IdentificationResult result = identify();
    EXPECT_EQ(result.settings.decoderModel, GetParam().model);
    EXPECT_EQ(result.settings.connected, 1);
    EXPECT_EQ(result.decoderId, GetParam().decoderId);
    EXPECT_TRUE(result.settingsSaved);
    EXPECT_EQ(savedSettings(), "COM4\t1\t" + std::string(GetParam().model) + "\n");
    EXPECT_TRUE(port.open) << "the port stays open for polling";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdentificationReplies,
    ::testing::Values(
        ReplyCase{
            "usb_reply", {Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x04, 0xD2})}, "TallimoVela2", 1234},
        ReplyCase{"bluetooth_reply",
                  {Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x12, 0x00, 0x07})},
                  "TallimoVela2Bluetooth",
                  7},
        ReplyCase{"noise_before_the_reply",
                  {Bytes({0x00, 0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x04, 0xD2})},
                  "TallimoVela2",
                  1234},
        ReplyCase{"four_sync_bytes_then_the_tag",
                  {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x02, 0xFF, 0xFF})},
                  "TallimoVela2",
                  65535},
        ReplyCase{"reply_split_over_reads",
                  {Bytes({0xFF, 0xFF}), "", Bytes({0xFF, 0x01, 0x12}), Bytes({0x00, 0x2A})},
                  "TallimoVela2Bluetooth",
                  42},
        ReplyCase{"unknown_type_is_skipped_then_silence_means_vela1",
                  {Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x05, 0x00, 0x01})},
                  "Tallimo",
                  std::nullopt},
        ReplyCase{"unknown_type_then_a_real_reply",
                  {Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x05, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0x01, 0x02,
                          0x00, 0x03})},
                  "TallimoVela2",
                  3},
        ReplyCase{"silence_means_vela1", {}, "Tallimo", std::nullopt}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(IdentifyDecoderTest, SendsTheQueryAndWaitsNoLongerThanTheLimit) {
    const std::int64_t start = counter.counter();
    identify();
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(port.written[0], (std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x01, 0x02}));
    const std::int64_t waitedMs = (counter.counter() - start) * 1000 / counter.frequency();
    EXPECT_EQ(waitedMs, 1500);
}

TEST_F(IdentifyDecoderTest, AReplyEndsTheWaitAtOnce) {
    port.arrive(Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x00, 0x01}));
    identify();
    EXPECT_EQ(port.reads, 1);
}

TEST_F(IdentifyDecoderTest, APortThatDoesNotOpenGivesVela1NotConnectedAndStillSaves) {
    port.opens = false;
    folder.write(kDecoderSettingsFileName, "COM4\t1\tTallimoVela2\n");
    const IdentificationResult result = identify();
    EXPECT_EQ(result.settings, (DecoderSettings{"COM4", 0, "Tallimo"}));
    EXPECT_EQ(savedSettings(), "COM4\t0\tTallimo\n");
    EXPECT_TRUE(port.written.empty());
}

TEST_F(IdentifyDecoderTest, AStoppedCounterCannotHoldTheCallerForEver) {
    testing::FakeSerialPort stalled; // reads do not move the counter
    const IdentificationResult result =
        IdentifyDecoder(stalled, counter, common::WorkingFolder(folder.path()), "COM4");
    EXPECT_EQ(result.settings.decoderModel, "Tallimo");
}

} // namespace
} // namespace tallimo::decoder
