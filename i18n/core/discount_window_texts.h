#pragma once

#include "i18n/core/language_code.h"

#include <cstddef>
#include <string>

namespace tallimo::i18n {

// The two discount events that always exist, by their index in the events
// table. Their names are not the operator's: the discounts window writes them
// in the interface language whenever it opens or imports.
enum class FixedDiscountEvent {
    SubscribersBirthday = 0,
    SubscribersNameday = 1,
};

// An event name is stored in 25 characters with its terminator.
inline constexpr std::size_t kEventNameChars = 24;

// The Windows-1252 name of the event ("Anniversaire abonnés").
std::string FixedEventName(FixedDiscountEvent event, LanguageCode code);

// Shown in place of the date combos, whose date comes from each subscriber
// ("Date Anniversaire").
std::string FixedEventDateLabel(FixedDiscountEvent event, LanguageCode code);

} // namespace tallimo::i18n
