#include "databases/core/kart_categories_file.h"

#include "common/core/data_file.h"
#include "common/core/name_rules.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"
#include "databases/core/classification_sources.h"

#include <algorithm>

namespace tallimo::databases {
namespace {

// A field read by `in` over `bytes`; `ended` tells whether its TAB was there
// (false when the line stopped first).
std::string ReadField(common::TabFieldReader& in, std::string_view bytes, std::size_t capacity,
                      bool& ended) {
    const std::size_t before = in.position();
    std::string text = in.readText(capacity);
    const std::size_t after = in.position();
    ended = after > before && bytes[after - 1] == '\t';
    return text;
}

// The characteristics keep their line breaks; only a TAB would break the
// record, so it becomes a blank.
void AppendCharacteristics(std::string& out, std::string_view text) {
    text = text.substr(0, std::min(text.size(), kKartCharacteristicsChars));
    for (const char c : text)
        out += c == '\t' ? ' ' : c;
    out += '\t';
}

} // namespace

void ClearCategories(CategoryTable& table) {
    table.fill(KartCategory{});
}

std::string FormatCategoriesFile(const CategoryTable& table, int count) {
    count = std::clamp(count, 0, kCategorySlots);
    std::string bytes;
    for (int c = 0; c < count; ++c) {
        const KartCategory& category = table[c];
        common::TabFieldWriter head;
        head.text(category.name, kKartCategoryNameChars);
        head.text(category.description, kKartCategoryDescriptionChars);
        bytes += head.bytes();
        AppendCharacteristics(bytes, category.characteristics);
        common::TabFieldWriter fleet;
        for (const FleetKart& kart : category.karts)
            fleet.text(kart.kartId, kFleetKartIdChars);
        for (const FleetKart& kart : category.karts)
            fleet.text(kart.transponder, kFleetTransponderChars);
        fleet.endRecord();
        bytes += fleet.bytes();
    }
    return bytes;
}

void ParseCategoriesFile(std::string_view bytes, CategoryTable& table) {
    ClearCategories(table);
    std::size_t pos = 0;
    for (int c = 0; c < kCategorySlots; ++c) {
        const std::string_view rest = bytes.substr(pos);
        common::TabFieldReader head(rest);
        if (head.atEnd())
            break;
        KartCategory& category = table[c];
        bool nameEnded = false;
        bool descriptionEnded = false;
        category.name = ReadField(head, rest, kKartCategoryNameChars, nameEnded);
        category.description =
            ReadField(head, rest, kKartCategoryDescriptionChars, descriptionEnded);
        if (!nameEnded || !descriptionEnded) {
            // The line stopped before the characteristics: nothing more in it.
            head.skipLine();
            pos += head.position();
            continue;
        }

        std::size_t begin = pos + head.position();
        std::size_t end = bytes.find('\t', begin);
        std::size_t next = end + 1;
        if (end == std::string_view::npos) {
            // A file cut inside the characteristics: they end with the line,
            // rather than swallowing whatever follows.
            end = std::min(bytes.find('\n', begin), bytes.size());
            next = end;
            if (end > begin && bytes[end - 1] == '\r')
                --end;
        }
        category.characteristics =
            std::string(bytes.substr(begin, std::min(end - begin, kKartCharacteristicsChars)));

        const std::string_view fleetBytes = bytes.substr(next);
        common::TabFieldReader fleet(fleetBytes);
        for (FleetKart& kart : category.karts)
            kart.kartId = fleet.readText(kFleetKartIdChars);
        for (FleetKart& kart : category.karts)
            kart.transponder = fleet.readText(kFleetTransponderChars);
        fleet.skipLine();
        pos = next + fleet.position();
    }
}

bool LoadCategories(CategoryTable& table, const std::filesystem::path& path) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParseCategoriesFile(bytes, table);
    return true;
}

bool SaveCategories(const CategoryTable& table, int count, const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatCategoriesFile(table, count));
}

std::vector<int> ListedCategorySlots(const CategoryTable& table) {
    std::vector<int> slots;
    for (int c = 0; c < kCategorySlots; ++c) {
        if (!table[c].name.empty())
            slots.push_back(c);
    }
    return slots;
}

int FindCategory(const CategoryTable& table, std::string_view name) {
    if (name.empty())
        return -1;
    for (int c = 0; c < kCategorySlots; ++c) {
        if (table[c].name == name)
            return c;
    }
    return -1;
}

int AddCategory(CategoryTable& table, std::string_view typedName) {
    const std::string name =
        common::ReplaceDashes(typedName.substr(0, kKartCategoryNameEntryChars));
    std::vector<std::string> existing;
    for (const int c : ListedCategorySlots(table))
        existing.push_back(table[c].name);
    // The classification's list has items of its own under these names.
    if (!common::CanAddName(name, existing, kCategorySlots) || IsReservedKartCategoryName(name))
        return -1;
    for (int c = 0; c < kCategorySlots; ++c) {
        if (table[c].name.empty()) {
            // A nameless line of a hand-edited file may still carry karts;
            // the new category must not inherit them.
            table[c] = KartCategory{};
            table[c].name = name;
            return c;
        }
    }
    return -1;
}

bool DeleteCategory(CategoryTable& table, std::string_view name) {
    if (name.empty())
        return false;
    bool deleted = false;
    for (KartCategory& category : table) {
        if (category.name == name) {
            category = KartCategory{};
            deleted = true;
        }
    }
    return deleted;
}

session::FleetLayout FleetLayoutFromCategories(const CategoryTable& table) {
    session::FleetLayout fleet;
    for (int c = 0; c < session::kRentalCategoryCount; ++c) {
        fleet.categoryNames[c] = table[c].name;
        for (int k = 0; k < session::kKartsPerCategory; ++k)
            fleet.kartIds[c][k] = table[c].karts[k].kartId;
    }
    return fleet;
}

FleetTransponders FleetTranspondersFromCategories(const CategoryTable& table) {
    FleetTransponders transponders;
    for (int c = 0; c < session::kRentalCategoryCount; ++c) {
        for (int k = 0; k < kFleetKartsPerCategory; ++k)
            transponders[c][k] = table[c].karts[k].transponder;
    }
    return transponders;
}

bool FindFleetTransponder(const CategoryTable& table, std::string_view kartId,
                          std::string& transponder) {
    if (kartId.empty())
        return false;
    bool found = false;
    for (const KartCategory& category : table) {
        for (const FleetKart& kart : category.karts) {
            if (kart.kartId == kartId) {
                transponder = kart.transponder;
                found = true;
            }
        }
    }
    return found;
}

int FindCategoryOfKart(const CategoryTable& table, std::string_view kartId) {
    if (kartId.empty())
        return -1;
    for (int c = 0; c < kCategorySlots; ++c) {
        for (const FleetKart& kart : table[c].karts) {
            if (kart.kartId == kartId)
                return c;
        }
    }
    return -1;
}

bool LoadCategoriesDatabase(const common::WorkingFolder& folder, CategoryTable& table,
                            common::MessageSink& messages) {
    ClearCategories(table);
    if (LoadCategories(table, folder.path(kCategoriesFileName)))
        return true;
    messages.show(kCategoriesErrorCaption, kCategoriesFileErrorText);
    return false;
}

bool SaveCategoriesDatabase(const common::WorkingFolder& folder, const CategoryTable& table,
                            common::MessageSink& messages) {
    if (SaveCategories(table, kCategorySlots, folder.path(kCategoriesFileName)))
        return true;
    messages.show(kCategoriesErrorCaption, kCategoriesFileErrorText);
    return false;
}

} // namespace tallimo::databases
