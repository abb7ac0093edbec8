#pragma once

// What the session classification reads from the databases: the drivers'
// records, the age categories and the names of the five kart categories.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "session/core/classification.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::databases {

struct ClassificationSources {
    std::vector<session::ClassificationPerson> people;
    std::vector<session::ClassificationAgeCategory> ages;
    std::array<std::string, session::kRentalCategoryCount> categoryNames;
};

// The kart categories, the subscribers and the age categories of the
// working folder, in that order. A file that cannot be read gives its
// message (caption "Error") and leaves its part empty; a damaged one gives
// what could be read.
ClassificationSources LoadClassificationSources(const common::WorkingFolder& folder,
                                                common::MessageSink& messages);

// The names the classification's kart category list uses for its own
// items ("Toutes", "Karts privés"), compared ignoring case and surrounding
// blanks: a kart category called so could not be told from them.
bool IsReservedKartCategoryName(std::string_view name);

} // namespace tallimo::databases
