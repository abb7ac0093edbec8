#pragma once

#include "i18n/core/language_code.h"

#include <string>

namespace tallimo::i18n {

// The files that the import, export and picture dialogs offer. Each database
// has one caption, shared by its import and its export.
enum class FilteredFile {
    Tracks,         // .bdt2
    KartCategories, // .bds2
    Subscribers,    // .bdp4
    AgeCategories,  // .bda2
    Clubs,          // .bdc2
    FirstNames,     // .bdpr2, the subscribers' first names
    Prices,         // .btk2
    Discounts,      // .brk2
    LoyaltyCard,    // .bcf2
    Pictures,       // track pictures, subscriber photos and club logos
};

// The Windows-1252 caption of the file dialog's filter, for example
// "BD Pistes (.bdt2)" in French (English for unknown codes).
std::string FileFilterCaption(FilteredFile file, LanguageCode code);

} // namespace tallimo::i18n
