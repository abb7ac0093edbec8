#include "databases/core/record_rules.h"

#include <string>

namespace tallimo::databases {

RecordRules<CategoryTable> KartCategoryRules() {
    return {
        .listed = ListedCategorySlots,
        .add = AddCategory,
        .remove =
            [](CategoryTable& table, int slot) {
                // Copied first: deleting clears the very name it compares with.
                const std::string name = table[static_cast<std::size_t>(slot)].name;
                return DeleteCategory(table, name);
            },
        .load = LoadCategories,
        .clear = ClearCategories,
    };
}

RecordRules<TrackTable> TrackRules() {
    return {
        .listed = [](const TrackTable& table) { return FirstIndices(CountTracks(table)); },
        .add =
            [](TrackTable& table, std::string_view typed) {
                const TrackTable before = table;
                if (!AddTrack(table, typed))
                    return -1;
                // The sort moved the others: the new track is the name that
                // was not there before.
                for (int i = 0; i < CountTracks(table); ++i)
                    if (FindTrack(before, table[static_cast<std::size_t>(i)].name) == kNoTrack)
                        return i;
                return -1;
            },
        .remove =
            [](TrackTable& table, int index) {
                const std::string name = table[static_cast<std::size_t>(index)].name;
                return DeleteTrack(table, name);
            },
        .load = LoadTracks,
        .clear = ClearTracks,
        .keepRowAfterRemove = true,
    };
}

RecordRules<ClubTable> ClubRules() {
    return {
        .listed = [](const ClubTable& table) { return FirstIndices(CountClubs(table)); },
        .add = AddClub,
        .remove = RemoveClub,
        .load = LoadClubs,
        .clear = nullptr,
    };
}

RecordRules<AgeCategoryTable> AgeCategoryRules() {
    return {
        .listed =
            [](const AgeCategoryTable& table) { return FirstIndices(CountAgeCategories(table)); },
        .add = AddAgeCategory,
        .remove = RemoveAgeCategory,
        .load = LoadAgeCategories,
        .clear = nullptr,
    };
}

} // namespace tallimo::databases
