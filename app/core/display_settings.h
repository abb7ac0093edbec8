#pragma once

// The display settings file: colours of the main window and the board, the
// logo, and the column layout of the board's kart rows. Read when the main
// window opens and written back when it closes; values the program does not
// interpret are kept as read so that they survive the rewrite unchanged.

#include "common/core/working_folder.h"

#include <array>
#include <cstdint>
#include <string>

namespace tallimo::app {

// UTF-8 path under the working folder.
inline const char* const kDisplaySettingsFile = "Private/R\xC3\xA9glagesAffichage.rgsc";

constexpr int kBoardColumnCount = 13;
constexpr int kColumnAttributeCount = 5;
constexpr int kColourValueCount = 12;
constexpr int kLine11ValueCount = 10;
constexpr int kLine12ValueCount = 16;
constexpr std::size_t kLogoPathChars = 259;
constexpr std::size_t kColumnTitleChars = 31;

// The columns of a kart row, by index into the per-column tables.
enum BoardColumn : int {
    kColumnKart = 0,
    kColumnDriver = 1,
    kColumnBooked = 2,
    kColumnLaps = 3,
    kColumnRunTime = 4,
    kColumnLastLap = 5,
    kColumnBestLap = 6,
    kShownColumnCount = 7,
};

// Rows of `columnAttributes`: where each column sits, in 1/1600 of the
// screen width from the board's left; its width in the same unit; its
// alignment (kAlign*); whether it is shown (0 hides it). The fifth row is
// kept as read.
enum ColumnAttribute : int {
    kAttributeX = 0,
    kAttributeWidth = 1,
    kAttributeAlignment = 2,
    kAttributeShown = 3,
};
constexpr int kAlignLeft = 0;
constexpr int kAlignRight = 1;
constexpr int kAlignCentre = 2;

struct DisplaySettings {
    int firstValue = 0;
    std::string logoPath;                                    // Windows-1252
    std::array<std::string, kBoardColumnCount> columnTitles; // Windows-1252
    std::array<std::array<std::int32_t, kBoardColumnCount>, kColumnAttributeCount>
        columnAttributes{};
    std::array<std::int32_t, kBoardColumnCount> columnValues{};
    // [0] window background, [1] tree background, [2] board area, as 0x00BBGGRR.
    std::array<std::int32_t, kColourValueCount> colours{};
    std::array<std::int32_t, kLine11ValueCount> line11Values{};
    std::array<std::int32_t, kLine12ValueCount> line12Values{};

    std::int32_t windowBackground() const { return colours[0]; }
    std::int32_t treeBackground() const { return colours[1]; }
    std::int32_t boardColour() const { return colours[2]; }
};

struct RgbColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RgbColour&) const = default;
};

// 0x00BBGGRR colour values.
RgbColour ColourFromValue(std::int32_t value);
std::int32_t ValueFromColour(RgbColour colour);
// Each component lowered by `amount`, stopping at 0.
RgbColour Darkened(RgbColour colour, int amount);

// Where a kart row column is drawn; x and width in 1/1600 of the screen
// width from the board's left.
struct ColumnPlacement {
    int x = 0;
    int width = 0;
    int alignment = kAlignLeft;
    bool shown = true;
    std::string title; // Windows-1252
};

// The placements of the kart row columns from `settings`; a column whose
// values cannot be drawn (no width, off the board, an unknown alignment,
// a file that had no columns) takes its default placement, and an empty
// title the default title.
std::array<ColumnPlacement, kShownColumnCount> BoardColumns(const DisplaySettings& settings);

// The values a first start writes: light grey window, white tree, a light
// board, French column titles and the default column layout.
DisplaySettings DefaultDisplaySettings();

// Serialised exactly as the file holds it.
std::string DisplaySettingsBytes(const DisplaySettings& settings);
// Fields missing from a short or hand-edited file keep the values `settings`
// already holds.
void ParseDisplaySettings(std::string_view bytes, DisplaySettings& settings);

// False when the file cannot be read; `settings` is then untouched.
bool LoadDisplaySettings(const common::WorkingFolder& folder, DisplaySettings& settings);
// False when the file cannot be written; the old file is then intact.
bool SaveDisplaySettings(const common::WorkingFolder& folder, const DisplaySettings& settings);

} // namespace tallimo::app
