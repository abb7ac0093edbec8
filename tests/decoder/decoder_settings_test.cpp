#include "decoder/core/com_port_name.h"
#include "decoder/core/decoder_settings.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tallimo::decoder {
namespace {

using testing::TemporaryFolder;

TEST(DecoderSettingsFile, IsOneTabSeparatedLineThatReadsBack) {
    TemporaryFolder folder;
    const common::WorkingFolder root(folder.path());
    const DecoderSettings stored{"COM5", 1, "TallimoVela2Bluetooth"};
    ASSERT_TRUE(SaveDecoderSettings(root, stored));
    EXPECT_EQ(folder.read(kDecoderSettingsFileName), "COM5\t1\tTallimoVela2Bluetooth\n");

    folder.write(kDecoderSettingsFileName, "COM12\t1\tTallimoVela2\n");
    DecoderSettings read;
    ASSERT_TRUE(LoadDecoderSettings(root, read));
    EXPECT_EQ(read, (DecoderSettings{"COM12", 1, "TallimoVela2"}));
}

struct ParseCase {
    const char* name;
    const char* bytes;
    DecoderSettings expected; // starting from {"keep", 7, "keep"}
};

class DecoderSettingsParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(DecoderSettingsParsing, FieldsNotReachedKeepTheCallersValues) {
    DecoderSettings settings{"keep", 7, "keep"};
    ParseDecoderSettings(GetParam().bytes, settings);
    EXPECT_EQ(settings, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecoderSettingsParsing,
    ::testing::Values(
        ParseCase{"empty_file", "", {"keep", 7, "keep"}},
        ParseCase{"port_only", "COM3\n", {"COM3", 7, "keep"}},
        ParseCase{"connected_not_a_number_stops_there", "COM3\tx\tTallimo\n", {"COM3", 7, "keep"}},
        ParseCase{
            "blanks_of_any_kind_separate", "  COM3 \r\n 0   Tallimo\r\n", {"COM3", 0, "Tallimo"}},
        ParseCase{"no_port_chosen_reads_back_as_written", "\t0\tTallimo\n", {"", 0, "Tallimo"}},
        ParseCase{"over_long_tokens_are_cut_to_their_width",
                  "COM123456\t1\tTallimoVela2BluetoothAndMore\n",
                  {"COM12", 1, "TallimoVela2BluetoothAnd"}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(DecoderSettingsFile, MissingFileFailsAndAFailedSaveKeepsTheOldFile) {
    TemporaryFolder folder;
    DecoderSettings settings;
    EXPECT_FALSE(LoadDecoderSettings(common::WorkingFolder(folder.path()), settings));
    EXPECT_FALSE(SaveDecoderSettings(common::WorkingFolder(folder / "no/such/folder"), settings));
}

struct PortNameCase {
    const char* name;
    const char* portName;
    std::optional<int> number;
};

class ComPortNames : public ::testing::TestWithParam<PortNameCase> {};

TEST_P(ComPortNames, AcceptOnlyCom1ToCom99) {
    EXPECT_EQ(ComPortNumber(GetParam().portName), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Cases, ComPortNames,
                         ::testing::Values(PortNameCase{"first", "COM1", 1},
                                           PortNameCase{"last", "COM99", 99},
                                           PortNameCase{"zero", "COM0", std::nullopt},
                                           PortNameCase{"leading_zero", "COM07", std::nullopt},
                                           PortNameCase{"too_high", "COM100", std::nullopt},
                                           PortNameCase{"lower_case", "com3", std::nullopt},
                                           PortNameCase{"bare_prefix", "COM", std::nullopt},
                                           PortNameCase{"path_tricks", "COM/1", std::nullopt}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(ComPortDevices, ALinkInThePortsFolderBindsTheNameElseTheBuiltInLine) {
    TemporaryFolder folder;
    const common::WorkingFolder root(folder.path());
    EXPECT_EQ(ComPortDevicePath(root, "COM7"), std::filesystem::path("/dev/ttyS6"));
    EXPECT_EQ(ComPortDevicePath(root, "COM1"), std::filesystem::path("/dev/ttyS0"));
    EXPECT_FALSE(ComPortDevicePath(root, "LPT1"));

    std::filesystem::create_directories(folder / "ports");
    std::filesystem::create_symlink("/dev/null", folder / "ports/COM7");
    EXPECT_EQ(ComPortDevicePath(root, "COM7"), folder / "ports/COM7");

    // A link whose device has gone still binds the name: opening it fails
    // rather than reaching some other line.
    std::filesystem::create_symlink(folder / "gone", folder / "ports/COM12");
    EXPECT_EQ(ComPortDevicePath(root, "COM12"), folder / "ports/COM12");
}

} // namespace
} // namespace tallimo::decoder
