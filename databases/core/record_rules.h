#pragma once

// The rules each database table gives its `RecordEditor`: which slots the
// list shows, where "Ajouter" puts a new record and how removing one leaves
// the others.

#include "databases/core/age_categories_file.h"
#include "databases/core/clubs_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/record_editing.h"
#include "databases/core/tracks_file.h"

namespace tallimo::databases {

// A category keeps its slot: the list shows the used slots, gaps and all.
RecordRules<CategoryTable> KartCategoryRules();
// Tracks stay sorted by name; after a removal the next track moves up into
// the selected row.
RecordRules<TrackTable> TrackRules();
RecordRules<ClubTable> ClubRules();
RecordRules<AgeCategoryTable> AgeCategoryRules();

} // namespace tallimo::databases
