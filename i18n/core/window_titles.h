#pragma once

#include "i18n/core/language_code.h"

#include <string>

namespace tallimo::i18n {

// Windows and printouts whose title is chosen by language from built-in
// texts rather than from a translation table.
enum class TitledWindow {
    Tracks,
    KartCategories,
    Fleet,
    Subscribers,
    AgeCategories,
    Clubs,
    FirstNames,
    Prices,
    Discounts,
    LoyaltyCard,
    Emails,
    DecoderInterface,
    TranslationEditor,
    InformationSheet, // also the sheet's printed heading
    SubscriberForm,
    LoyaltyPoints,
    PriceList,
};

// The Windows-1252 title of `window` in `code` (English for unknown codes).
std::string WindowTitle(TitledWindow window, LanguageCode code);

} // namespace tallimo::i18n
