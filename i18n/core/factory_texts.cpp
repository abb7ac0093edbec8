#include "i18n/core/factory_texts.h"

#include "common/core/cp1252.h"
#include "i18n/core/factory_text_sources.h"
#include "i18n/core/translatable_windows.h"

#include <array>

namespace tallimo::i18n {
namespace {

using SourceFunction = std::span<const PerLanguage> (*)();

// By window index; windows without rows have no source.
constexpr std::array<SourceFunction, kTranslatableWindowCount> kSources = {
    MainMenuFactoryTexts,          // 0 MenuPrincipal
    nullptr,                       // 1 FenetrePrincipale
    nullptr,                       // 2 Arborescence
    nullptr,                       // 3 FenetresArborescence
    AgeCategoriesFactoryTexts,     // 4 BaseCategoriesAge
    KartCategoriesFactoryTexts,    // 5 BaseCategoriesKarts
    TracksFactoryTexts,            // 6 BasePistes
    ClubsFactoryTexts,             // 7 BaseClubs
    FleetFactoryTexts,             // 8 BaseParcKarts
    SubscribersFactoryTexts,       // 9 BaseAbonnes
    FirstNamesFactoryTexts,        // 10 BasePrenoms
    nullptr,                       // 11 FenetreResultats
    nullptr,                       // 12 FenetreRecords
    PricesFactoryTexts,            // 13 FenetreTarifs
    DiscountsFactoryTexts,         // 14 FenetreRemises
    LoyaltyCardFactoryTexts,       // 15 FenetreFidelite
    EmailsFactoryTexts,            // 16 FenetreEmails
    nullptr,                       // 17 FenetreCompta
    TranslationEditorFactoryTexts, // 18 FenetreTraduction
    nullptr,                       // 19 FenetreSons
    nullptr,                       // 20 FenetreAffichage
    DecoderInterfaceFactoryTexts,  // 21 FenetreInterface
    nullptr,                       // 22 FenetreInternet
};

std::vector<TranslationRow> ConvertRows(std::span<const PerLanguage> source) {
    std::vector<TranslationRow> rows(source.size());
    for (std::size_t r = 0; r < source.size(); ++r)
        for (std::size_t c = 0; c < kLanguageCount; ++c)
            rows[r].texts[c] = common::Utf8ToCp1252(source[r][c]);
    return rows;
}

} // namespace

std::span<const PerLanguage> FactoryTextSource(int windowIndex) {
    if (TranslatableWindowAt(windowIndex) == nullptr)
        return {};
    const SourceFunction source = kSources[static_cast<std::size_t>(windowIndex)];
    return source == nullptr ? std::span<const PerLanguage>() : source();
}

const std::vector<TranslationRow>& FactoryRows(int windowIndex) {
    static const std::array<std::vector<TranslationRow>, kTranslatableWindowCount> converted = [] {
        std::array<std::vector<TranslationRow>, kTranslatableWindowCount> all;
        for (std::size_t i = 0; i < kTranslatableWindowCount; ++i)
            all[i] = ConvertRows(FactoryTextSource(static_cast<int>(i)));
        return all;
    }();
    static const std::vector<TranslationRow> none;
    if (TranslatableWindowAt(windowIndex) == nullptr)
        return none;
    return converted[static_cast<std::size_t>(windowIndex)];
}

void FillFromFactoryTexts(TranslationTable& table, int windowIndex) {
    const TranslatableWindow* window = TranslatableWindowAt(windowIndex);
    if (window == nullptr)
        return;
    table.clear(window->rowCount);
    const std::vector<TranslationRow>& rows = FactoryRows(windowIndex);
    for (int r = 0; r < window->rowCount && r < static_cast<int>(rows.size()); ++r)
        for (std::size_t c = 0; c < kLanguageCount; ++c)
            table.setText(r, static_cast<LanguageCode>(c),
                          rows[static_cast<std::size_t>(r)].texts[c]);
}

} // namespace tallimo::i18n
