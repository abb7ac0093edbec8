#include "databases/core/classification_sources.h"

#include "common/core/name_rules.h"
#include "databases/core/age_categories_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"

namespace tallimo::databases {

ClassificationSources LoadClassificationSources(const common::WorkingFolder& folder,
                                                common::MessageSink& messages) {
    ClassificationSources sources;

    CategoryTable categories;
    LoadCategoriesDatabase(folder, categories, messages);
    for (int c = 0; c < session::kRentalCategoryCount; ++c)
        sources.categoryNames[static_cast<std::size_t>(c)] =
            categories[static_cast<std::size_t>(c)].name;

    SubscriberTable subscribers = MakeSubscriberTable();
    LoadSubscribersDatabase(folder, subscribers, messages);
    sources.people.reserve(static_cast<std::size_t>(CountSubscribers(subscribers)));
    for (const Subscriber& subscriber : subscribers) {
        if (subscriber.name.empty())
            continue;
        // The numbers are those the loader read from the birth texts.
        sources.people.push_back({subscriber.name, subscriber.firstName, subscriber.club,
                                  subscriber.sex, subscriber.birthYear, subscriber.birthMonth});
    }

    AgeCategoryTable ages;
    LoadAgeCategoriesDatabase(folder, ages, messages);
    const int ageCount = CountAgeCategories(ages);
    for (int a = 0; a < ageCount; ++a) {
        const AgeCategory& age = ages[static_cast<std::size_t>(a)];
        sources.ages.push_back({age.code, age.ageCategoryName, age.sex, age.fromYear, age.fromMonth,
                                age.toYear, age.toMonth});
    }
    return sources;
}

bool IsReservedKartCategoryName(std::string_view name) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!name.empty() && blank(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && blank(name.back()))
        name.remove_suffix(1);
    return common::EqualsIgnoringCase(name, session::kAllText) ||
           common::EqualsIgnoringCase(name, session::kPrivateKartsText);
}

} // namespace tallimo::databases
