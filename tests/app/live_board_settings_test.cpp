#include "app/core/live_board_settings.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tallimo::app {
namespace {

struct ReadCase {
    const char* name;
    const char* file;
    LiveBoardSettings expected;
};

class LiveBoardSettingsRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(LiveBoardSettingsRead, BadValuesReadAsTheirDefaults) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(ReadLiveBoardSettings(common::ProgramSettings::parse(c.file)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LiveBoardSettingsRead,
    ::testing::Values(
        ReadCase{"NoKeys", "mailing.formBase=x\n", {"", false, 8080}},
        ReadCase{"AllSet",
                 "liveBoard.screen=HDMI-1\nliveBoard.web=1\nliveBoard.port=8123\n",
                 {"HDMI-1", true, 8123}},
        ReadCase{
            "LowestAndHighestPorts", "liveBoard.port=1024\nliveBoard.web=0\n", {"", false, 1024}},
        ReadCase{"HighestPort", "liveBoard.port=65535\n", {"", false, 65535}},
        ReadCase{"PrivilegedPort", "liveBoard.port=80\n", {"", false, 8080}},
        ReadCase{"PortTooHigh", "liveBoard.port=65536\n", {"", false, 8080}},
        ReadCase{"PortOverflowing", "liveBoard.port=99999999999999\n", {"", false, 8080}},
        ReadCase{"PortWithTrailingText", "liveBoard.port=8081x\n", {"", false, 8080}},
        ReadCase{"NegativePort", "liveBoard.port=-8081\n", {"", false, 8080}},
        ReadCase{"WebNeitherZeroNorOne", "liveBoard.web=yes\n", {"", false, 8080}},
        ReadCase{"WebTwo", "liveBoard.web=2\n", {"", false, 8080}}),
    [](const ::testing::TestParamInfo<ReadCase>& row) { return std::string(row.param.name); });

TEST(LiveBoardSettingsFile, RoundTripKeepsTheOtherSettings) {
    testing::TemporaryFolder folder;
    const common::WorkingFolder working(folder.path());
    EXPECT_EQ(LoadLiveBoardSettings(working), LiveBoardSettings{}) << "no file: defaults";

    folder.write("Private/Tallimo.ini", "# operator's note\nmailing.formBase=https://a.b/\n");
    const LiveBoardSettings board{"\xC3\xA9"
                                  "cran 2",
                                  true, 9000};
    ASSERT_TRUE(SaveLiveBoardSettings(working, board));
    EXPECT_EQ(LoadLiveBoardSettings(working), board);
    EXPECT_EQ(folder.read("Private/Tallimo.ini"),
              "# operator's note\nmailing.formBase=https://a.b/\n"
              "liveBoard.screen=\xC3\xA9"
              "cran 2\nliveBoard.web=1\nliveBoard.port=9000\n");

    ASSERT_TRUE(SaveLiveBoardSettings(working, {"", false, 70000}));
    EXPECT_EQ(LoadLiveBoardSettings(working), LiveBoardSettings{})
        << "a port out of range is saved as the default";
}

TEST(LiveBoardSettingsFile, AnUnreadableFileIsNotOverwritten) {
    testing::TemporaryFolder folder;
    // A folder where the file should be cannot be read as settings; writing
    // over it would lose whatever the operator had there.
    std::filesystem::create_directories(folder / "Private/Tallimo.ini");
    EXPECT_FALSE(SaveLiveBoardSettings(common::WorkingFolder(folder.path()), {"", true, 9000}));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Private/Tallimo.ini"));
}

} // namespace
} // namespace tallimo::app
