#pragma once

// The per-window factory rows, one source file each. Only factory_texts.cpp
// reaches them; everyone else goes through factory_texts.h.

#include "i18n/core/language_code.h"

#include <span>

namespace tallimo::i18n {

std::span<const PerLanguage> MainMenuFactoryTexts();
std::span<const PerLanguage> AgeCategoriesFactoryTexts();
std::span<const PerLanguage> KartCategoriesFactoryTexts();
std::span<const PerLanguage> TracksFactoryTexts();
std::span<const PerLanguage> ClubsFactoryTexts();
std::span<const PerLanguage> FleetFactoryTexts();
std::span<const PerLanguage> SubscribersFactoryTexts();
std::span<const PerLanguage> FirstNamesFactoryTexts();
std::span<const PerLanguage> PricesFactoryTexts();
std::span<const PerLanguage> DiscountsFactoryTexts();
std::span<const PerLanguage> LoyaltyCardFactoryTexts();
std::span<const PerLanguage> EmailsFactoryTexts();
std::span<const PerLanguage> TranslationEditorFactoryTexts();
std::span<const PerLanguage> DecoderInterfaceFactoryTexts();

} // namespace tallimo::i18n
