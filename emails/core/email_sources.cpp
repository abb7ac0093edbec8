#include "emails/core/email_sources.h"

#include "databases/core/countries_file.h"
#include "i18n/core/window_texts.h"

namespace tallimo::emails {

EmailSources LoadEmailSources(const common::WorkingFolder& folder, common::MessageSink& messages) {
    EmailSources sources;
    sources.languages = i18n::OpenLanguageSettings(folder, messages);
    i18n::LoadWindowTable(folder, "FenetreEmails.trans", sources.labels, kEmailLabelRows, messages);
    i18n::LoadWindowTable(folder, "BaseClubs.trans", sources.clubLabels, kClubLabelRows, messages);
    i18n::LoadWindowTable(folder, "BaseCategoriesAge.trans", sources.vocabulary, kVocabularyRows,
                          messages);
    i18n::LoadWindowTable(folder, "FenetreFidelite.trans", sources.loyaltyLabels, kLoyaltyLabelRows,
                          messages);

    LoadClubContactDatabase(folder, sources.contact, messages);
    databases::LoadCategoriesDatabase(folder, sources.categories, messages);
    sources.subscribersLoaded =
        databases::LoadSubscribersDatabase(folder, sources.subscribers, messages);
    databases::LoadSubscriberFirstNamesDatabase(folder, sources.firstNames, messages);
    databases::SortFirstNames(sources.firstNames);
    finances::LoadPricesDatabase(folder, sources.prices, messages);
    finances::ZeroUnnamedCategoryRows(sources.prices,
                                      finances::PricedCategoryNames(sources.categories));
    sources.discountsLoaded = finances::LoadDiscountsDatabase(folder, sources.discounts, messages);
    sources.balancesLoaded = finances::LoadBalancesDatabase(folder, sources.balances, messages);
    finances::LoadSessionPointsDatabase(folder, sources.sessionPoints, messages);
    databases::LoadCountriesDatabase(folder, sources.countries, messages);
    return sources;
}

bool SaveSentMarkers(const common::WorkingFolder& folder, EmailSources& sources,
                     common::MessageSink& messages) {
    bool saved = true;
    if (sources.subscribersLoaded && sources.subscribersChanged) {
        const bool ok = databases::SaveSubscribersDatabase(folder, sources.subscribers, messages);
        sources.subscribersChanged = !ok;
        saved &= ok;
    }
    if (sources.balancesLoaded && sources.balancesChanged) {
        const bool ok = finances::SaveBalancesDatabase(folder, sources.balances, messages);
        sources.balancesChanged = !ok;
        saved &= ok;
    }
    if (sources.discountsLoaded && sources.discountsChanged) {
        const bool ok = finances::SaveDiscountsDatabase(folder, sources.discounts, messages);
        sources.discountsChanged = !ok;
        saved &= ok;
    }
    return saved;
}

} // namespace tallimo::emails
