#include "app/core/display_settings.h"

#include "common/core/data_file.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace tallimo::app {
namespace {

std::string GoldenBytes() {
    std::string bytes;
    EXPECT_TRUE(common::ReadWholeFile(
        std::filesystem::path(TALLIMO_BOARD_GOLDEN_DIR) / "display_settings.rgsc", bytes));
    return bytes;
}

TEST(DisplaySettingsFile, ReadingAndWritingBackGivesTheSameBytes) {
    testing::TemporaryFolder folder;
    const std::string golden = GoldenBytes();
    folder.write(kDisplaySettingsFile, golden);
    const common::WorkingFolder working(folder.path());

    DisplaySettings settings;
    ASSERT_TRUE(LoadDisplaySettings(working, settings));
    EXPECT_EQ(settings.firstValue, 3);
    EXPECT_EQ(settings.logoPath, "images\\Logo Piste.bmp");
    EXPECT_EQ(settings.columnTitles[2], "Dur\xE9"
                                        "e");
    EXPECT_EQ(settings.boardColour(), 16314604);
    EXPECT_EQ(settings.columnValues[4], -2147483647 - 1);
    EXPECT_EQ(settings.line12Values[15], 7);

    ASSERT_TRUE(SaveDisplaySettings(working, settings));
    EXPECT_EQ(folder.read(kDisplaySettingsFile), golden);
}

TEST(DisplaySettingsFile, DefaultsSurviveAFirstStartAndFailuresLeaveTheSettingsAlone) {
    testing::TemporaryFolder folder;
    const common::WorkingFolder working(folder.path());
    DisplaySettings loaded = DefaultDisplaySettings();
    EXPECT_FALSE(LoadDisplaySettings(working, loaded)) << "no file yet";
    EXPECT_EQ(DisplaySettingsBytes(loaded), DisplaySettingsBytes(DefaultDisplaySettings()));
    // No Private folder yet: a first start creates it.
    ASSERT_TRUE(SaveDisplaySettings(working, DefaultDisplaySettings()));
    ASSERT_TRUE(LoadDisplaySettings(working, loaded));
    EXPECT_EQ(DisplaySettingsBytes(loaded), DisplaySettingsBytes(DefaultDisplaySettings()));
    EXPECT_NE(loaded.boardColour(), 0) << "a first start must not paint a black board";

    testing::TemporaryFolder blocked;
    blocked.write("Private", "a file where the folder should be");
    EXPECT_FALSE(SaveDisplaySettings(common::WorkingFolder(blocked.path()), loaded));
}

struct DamagedCase {
    const char* name;
    std::string bytes;
    // What parsing over the golden values must give.
    void (*check)(const DisplaySettings& settings);
};

class DamagedDisplaySettingsTest : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedDisplaySettingsTest, KeepsWhatTheFileDoesNotHold) {
    DisplaySettings settings;
    ParseDisplaySettings(GoldenBytes(), settings);
    ParseDisplaySettings(GetParam().bytes, settings);
    GetParam().check(settings);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedDisplaySettingsTest,
    ::testing::Values(
        DamagedCase{"empty_file", "",
                    [](const DisplaySettings& s) {
                        EXPECT_EQ(s.firstValue, 3);
                        EXPECT_EQ(s.boardColour(), 16314604);
                    }},
        DamagedCase{"cut_after_the_colours",
                    std::string("1\t\nlogo\t\nA\t\n") + std::string(6, '\n') + "1\t2\t3\t\n",
                    [](const DisplaySettings& s) {
                        EXPECT_EQ(s.logoPath, "logo");
                        EXPECT_EQ(s.columnTitles[0], "A");
                        EXPECT_EQ(s.columnTitles[1], "Pilote")
                            << "a short title line keeps the other titles";
                        EXPECT_EQ(s.boardColour(), 3);
                        EXPECT_EQ(s.colours[4], 255)
                            << "the rest of the colour line keeps its values";
                        EXPECT_EQ(s.line11Values[0], 10);
                    }},
        DamagedCase{"malformed_number_keeps_its_value_and_the_fields_after_it_their_place",
                    std::string("7\t\n\t\n\t\n") + std::string(5, '\n') + "\n" + "12\tgrey\t99\t\n",
                    [](const DisplaySettings& s) {
                        EXPECT_EQ(s.firstValue, 7);
                        EXPECT_EQ(s.windowBackground(), 12);
                        EXPECT_EQ(s.treeBackground(), 16777215);
                        EXPECT_EQ(s.boardColour(), 99);
                    }},
        DamagedCase{"extra_text_after_the_first_integer_is_skipped", "9\tjunk\tmore\t\nlogo\t\n",
                    [](const DisplaySettings& s) {
                        EXPECT_EQ(s.firstValue, 9);
                        EXPECT_EQ(s.logoPath, "logo");
                    }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(DisplayColours, ReadBlueGreenRedAndDarkenWithoutWrapping) {
    const struct {
        const char* why;
        std::int32_t value;
        RgbColour colour;
        RgbColour darkened;
    } rows[] = {
        {"black", 0, {0, 0, 0}, {0, 0, 0}},
        {"pure red is the low byte", 0x0000FF, {255, 0, 0}, {245, 0, 0}},
        {"pure blue is the third byte", 0xFF0000, {0, 0, 255}, {0, 0, 245}},
        {"components below ten become zero", 0xC80A05, {5, 10, 200}, {0, 0, 190}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ColourFromValue(row.value), row.colour) << row.why;
        EXPECT_EQ(ValueFromColour(row.colour), row.value) << row.why;
        EXPECT_EQ(Darkened(row.colour, 10), row.darkened) << row.why;
    }
}

TEST(BoardColumns, UnusableValuesFallBackToTheDefaultPlacement) {
    const ColumnPlacement byDefault = BoardColumns(DefaultDisplaySettings())[kColumnLaps];
    const struct {
        const char* why;
        int x, width, alignment, shown;
        ColumnPlacement expected;
    } rows[] = {
        {"file without columns", 0, 0, 0, 0, byDefault},
        {"usable values", 300, 120, kAlignCentre, 1, {300, 120, kAlignCentre, true, {}}},
        {"hidden column", 300, 120, kAlignLeft, 0, {300, 120, kAlignLeft, false, {}}},
        {"past the right of the screen", 1550, 100, kAlignLeft, 1, byDefault},
        {"negative position", -5, 100, kAlignLeft, 1, byDefault},
        {"unknown alignment", 300, 120, 7, 1, byDefault},
    };
    for (const auto& row : rows) {
        DisplaySettings settings;
        settings.columnAttributes[kAttributeX][kColumnLaps] = row.x;
        settings.columnAttributes[kAttributeWidth][kColumnLaps] = row.width;
        settings.columnAttributes[kAttributeAlignment][kColumnLaps] = row.alignment;
        settings.columnAttributes[kAttributeShown][kColumnLaps] = row.shown;
        const ColumnPlacement placed = BoardColumns(settings)[kColumnLaps];
        EXPECT_EQ(placed.x, row.expected.x) << row.why;
        EXPECT_EQ(placed.width, row.expected.width) << row.why;
        EXPECT_EQ(placed.alignment, row.expected.alignment) << row.why;
        EXPECT_EQ(placed.shown, row.expected.shown) << row.why;
    }
}

} // namespace
} // namespace tallimo::app
