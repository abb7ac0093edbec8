#include "app/core/display_settings.h"

#include "common/core/data_file.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <algorithm>
#include <system_error>

namespace tallimo::app {
namespace {

template <std::size_t N>
void WriteNumbers(common::TabFieldWriter& writer, const std::array<std::int32_t, N>& values) {
    for (const std::int32_t value : values)
        writer.number(value);
    writer.endRecord();
}

// A field that is missing or malformed keeps its value; the line is left
// whole either way so that one bad line never shifts the next ones.
template <std::size_t N>
void ReadNumbers(common::TabFieldReader& reader, std::array<std::int32_t, N>& values) {
    for (std::int32_t& value : values) {
        if (reader.atLineEnd())
            break;
        reader.readInt(value);
    }
    reader.skipLine();
}

struct DefaultColumn {
    const char* title;
    int x;
    int width;
    int alignment;
};

// In 1/1600 of the screen width from the board's left.
constexpr std::array<DefaultColumn, kShownColumnCount> kDefaultColumns{{
    {"Kart", 14, 90, kAlignLeft},
    {"Pilote", 110, 340, kAlignLeft},
    {"Dur\xE9"
     "e",
     460, 100, kAlignCentre},
    {"Tours", 580, 110, kAlignRight},
    {"Temps", 720, 190, kAlignRight},
    {"Dernier tour", 930, 190, kAlignRight},
    {"Meilleur tour", 1140, 190, kAlignRight},
}};

} // namespace

RgbColour ColourFromValue(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
            static_cast<int>((bits >> 16) & 0xFF)};
}

std::int32_t ValueFromColour(RgbColour colour) {
    auto component = [](int c) { return static_cast<std::uint32_t>(std::clamp(c, 0, 255)); };
    return static_cast<std::int32_t>(component(colour.red) | component(colour.green) << 8 |
                                     component(colour.blue) << 16);
}

RgbColour Darkened(RgbColour colour, int amount) {
    auto lower = [amount](int c) { return c < amount ? 0 : c - amount; };
    return {lower(colour.red), lower(colour.green), lower(colour.blue)};
}

DisplaySettings DefaultDisplaySettings() {
    DisplaySettings settings;
    settings.firstValue = 1;
    settings.logoPath = "images/logo.bmp";
    for (int column = 0; column < kShownColumnCount; ++column) {
        const DefaultColumn& d = kDefaultColumns[static_cast<std::size_t>(column)];
        settings.columnTitles[column] = d.title;
        settings.columnAttributes[kAttributeX][column] = d.x;
        settings.columnAttributes[kAttributeWidth][column] = d.width;
        settings.columnAttributes[kAttributeAlignment][column] = d.alignment;
        settings.columnAttributes[kAttributeShown][column] = 1;
    }
    settings.colours[0] = ValueFromColour({212, 212, 212});
    settings.colours[1] = ValueFromColour({255, 255, 255});
    settings.colours[2] = ValueFromColour({236, 241, 248});
    return settings;
}

std::array<ColumnPlacement, kShownColumnCount> BoardColumns(const DisplaySettings& settings) {
    std::array<ColumnPlacement, kShownColumnCount> columns;
    for (int column = 0; column < kShownColumnCount; ++column) {
        const DefaultColumn& d = kDefaultColumns[static_cast<std::size_t>(column)];
        ColumnPlacement& placed = columns[static_cast<std::size_t>(column)];
        const auto& a = settings.columnAttributes;
        const int x = a[kAttributeX][column];
        const int width = a[kAttributeWidth][column];
        const int alignment = a[kAttributeAlignment][column];
        const bool usable = width > 0 && x >= 0 && x + width <= 1600 && alignment >= kAlignLeft &&
                            alignment <= kAlignCentre;
        placed = usable ? ColumnPlacement{x, width, alignment, a[kAttributeShown][column] != 0, {}}
                        : ColumnPlacement{d.x, d.width, d.alignment, true, {}};
        placed.title =
            settings.columnTitles[column].empty() ? d.title : settings.columnTitles[column];
    }
    return columns;
}

std::string DisplaySettingsBytes(const DisplaySettings& settings) {
    common::TabFieldWriter writer;
    writer.reserve(1024);
    writer.number(settings.firstValue);
    writer.endRecord();
    writer.text(settings.logoPath, kLogoPathChars);
    writer.endRecord();
    for (const std::string& title : settings.columnTitles)
        writer.text(title, kColumnTitleChars);
    writer.endRecord();
    for (const auto& attribute : settings.columnAttributes)
        WriteNumbers(writer, attribute);
    WriteNumbers(writer, settings.columnValues);
    WriteNumbers(writer, settings.colours);
    WriteNumbers(writer, settings.line11Values);
    WriteNumbers(writer, settings.line12Values);
    return writer.bytes();
}

void ParseDisplaySettings(std::string_view bytes, DisplaySettings& settings) {
    common::TabFieldReader reader(bytes);
    if (reader.atEnd())
        return;
    reader.readInt(settings.firstValue);
    reader.skipLine();
    if (reader.atEnd())
        return;
    settings.logoPath = reader.readText(kLogoPathChars);
    reader.skipLine();
    if (reader.atEnd())
        return;
    for (std::string& title : settings.columnTitles) {
        if (reader.atLineEnd())
            break;
        title = reader.readText(kColumnTitleChars);
    }
    reader.skipLine();
    for (auto& attribute : settings.columnAttributes) {
        if (reader.atEnd())
            return;
        ReadNumbers(reader, attribute);
    }
    if (reader.atEnd())
        return;
    ReadNumbers(reader, settings.columnValues);
    if (reader.atEnd())
        return;
    ReadNumbers(reader, settings.colours);
    if (reader.atEnd())
        return;
    ReadNumbers(reader, settings.line11Values);
    if (reader.atEnd())
        return;
    ReadNumbers(reader, settings.line12Values);
}

bool LoadDisplaySettings(const common::WorkingFolder& folder, DisplaySettings& settings) {
    std::string bytes;
    if (!common::ReadWholeFile(folder.path(kDisplaySettingsFile), bytes))
        return false;
    ParseDisplaySettings(bytes, settings);
    return true;
}

bool SaveDisplaySettings(const common::WorkingFolder& folder, const DisplaySettings& settings) {
    const std::filesystem::path path = folder.path(kDisplaySettingsFile);
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    return common::WriteFileAtomically(path, DisplaySettingsBytes(settings));
}

} // namespace tallimo::app
