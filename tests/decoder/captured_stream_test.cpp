#include "common/core/data_file.h"
#include "decoder/core/capture_decoding.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tallimo::decoder {
namespace {

// Line captures recorded from the decoder simulator (`--record`), with the
// decoding reviewed once and kept: a change in how frames are found shows
// up as a difference here.
struct CapturedStream {
    const char* name;
    const char* model;
};

class CapturedStreams : public ::testing::TestWithParam<CapturedStream> {};

TEST_P(CapturedStreams, DecodeAsRecorded) {
    const std::filesystem::path folder =
        std::filesystem::path(TALLIMO_SOURCE_DIR) / "tests/decoder/captures";
    std::string capture, expected;
    ASSERT_TRUE(common::ReadWholeFile(folder / (std::string(GetParam().name) + ".bin"), capture));
    ASSERT_TRUE(
        common::ReadWholeFile(folder / (std::string(GetParam().name) + ".expected"), expected));
    const auto decoding = DecodeCapture(GetParam().model, capture);
    ASSERT_TRUE(decoding);
    EXPECT_EQ(FormatCaptureDecoding(*decoding), expected);
}

INSTANTIATE_TEST_SUITE_P(Captures, CapturedStreams,
                         ::testing::Values(CapturedStream{"vela2_usb_duplicates_noise_split",
                                                          "TallimoVela2"},
                                           CapturedStream{"vela1_two_karts", "Tallimo"}),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace tallimo::decoder
