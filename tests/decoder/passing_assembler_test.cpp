#include "decoder/core/capture_decoding.h"
#include "decoder/core/decoder_frames.h"
#include "decoder/core/passing_assembler.h"
#include "tests/support/fake_serial_port.h"

#include <gtest/gtest.h>

namespace tallimo::decoder {
namespace {

using testing::Bytes;

std::string FramedRecord(int transponder, int hours, int minutes, int seconds, int fraction) {
    return Bytes({0xFF, 0xFF, 0xFF, 0xF0, transponder >> 8, transponder & 0xFF, hours, minutes,
                  seconds, fraction >> 8, fraction & 0xFF});
}

struct FrameTimeCase {
    const char* name;
    int hours, minutes, seconds, fraction;
    std::int64_t expectedMs;
};

class FramedPassingTime : public ::testing::TestWithParam<FrameTimeCase> {};

TEST_P(FramedPassingTime, DecodesTheDecoderClock) {
    const FrameTimeCase& c = GetParam();
    PassingAssembler assembler;
    std::optional<FramedPassing> passing;
    for (const char byte : FramedRecord(7, c.hours, c.minutes, c.seconds, c.fraction))
        passing = assembler.feedFramed(static_cast<std::uint8_t>(byte));
    ASSERT_TRUE(passing);
    EXPECT_EQ(passing->transponder, 7);
    EXPECT_EQ(passing->timeMs, c.expectedMs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FramedPassingTime,
    ::testing::Values(FrameTimeCase{"counter_base_is_zero_ms", 0, 0, 0, 18661, 0},
                      FrameTimeCase{"top_of_counter_truncates_to_999", 0, 0, 0, 65535, 999},
                      FrameTimeCase{"half_second_truncates_to_499", 0, 0, 0, 42098, 499},
                      FrameTimeCase{"counter_below_base_is_negative", 0, 0, 0, 0, -398},
                      FrameTimeCase{"hours_minutes_seconds_add_up", 1, 2, 3, 18661, 3723000},
                      FrameTimeCase{"late_in_a_long_day", 23, 59, 59, 65535, 86399999}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(TransponderText, IsSixDigitsWithLeadingZeros) {
    EXPECT_EQ(TransponderText(7), "000007");
    EXPECT_EQ(TransponderText(65535), "065535");
}

// A capture with noise, a frame whose prefix is preceded by an extra FF, a
// frame of another kind and two passings; fed at every split point it must
// give the same passings.
TEST(FramedCapture, SameResultAtEverySplitPoint) {
    const std::string capture = Bytes({0x00}) + FramedRecord(123, 0, 1, 2, 18661) +
                                Bytes({0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}) + Bytes({0xFF}) +
                                FramedRecord(7, 0, 1, 5, 42098);
    for (std::size_t split = 0; split <= capture.size(); ++split) {
        PassingAssembler assembler;
        std::vector<std::pair<int, std::int64_t>> found;
        const auto feed = [&](std::string_view part) {
            for (const char byte : part)
                if (auto passing = assembler.feedFramed(static_cast<std::uint8_t>(byte)))
                    found.emplace_back(passing->transponder, passing->timeMs);
        };
        feed(std::string_view(capture).substr(0, split));
        feed(std::string_view(capture).substr(split));
        const std::vector<std::pair<int, std::int64_t>> expected{{123, 62000}, {7, 65499}};
        EXPECT_EQ(found, expected) << "split at " << split;
    }
}

TEST(FramedCapture, ClearingDropsAHalfRecord) {
    PassingAssembler assembler;
    const std::string record = FramedRecord(9, 0, 0, 1, 18661);
    for (const char byte : record.substr(0, 6))
        assembler.feedFramed(static_cast<std::uint8_t>(byte));
    assembler.clear();
    std::optional<FramedPassing> passing;
    for (const char byte : record)
        passing = assembler.feedFramed(static_cast<std::uint8_t>(byte));
    ASSERT_TRUE(passing);
    EXPECT_EQ(passing->timeMs, 1000);
}

TEST(CounterTimedCapture, PairsHaveNoSyncSoAStrayByteShiftsEveryLaterPair) {
    const auto decoded = DecodeCapture("Tallimo", Bytes({0x00, 0x07, 0x55, 0x01, 0x02, 0x03}));
    ASSERT_TRUE(decoded);
    ASSERT_EQ(decoded->passings.size(), 3u);
    EXPECT_EQ(decoded->passings[0].transponder, 7);
    EXPECT_EQ(decoded->passings[1].transponder, 0x5501);
    EXPECT_EQ(decoded->passings[1].timeOrOffset, 2);
    EXPECT_EQ(decoded->passings[2].transponder, 0x0203);
}

TEST(CaptureDecoding, CountsSkippedBytesAndReportsAsLines) {
    const std::string capture = Bytes({0x00, 0x11}) + FramedRecord(42, 0, 0, 2, 18661) +
                                FramedRecord(42, 0, 0, 9, 18661).substr(0, 5);
    const auto decoded = DecodeCapture("TallimoVela2Bluetooth", capture);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(FormatCaptureDecoding(*decoded), "000042\t2000\nskipped\t7\n");
    EXPECT_FALSE(DecodeCapture("Vela9", capture));
}

} // namespace
} // namespace tallimo::decoder
