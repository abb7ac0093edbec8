#pragma once

#include "common/core/cp1252.h"
#include "common/core/date_index.h"
#include "databases/core/subscribers_file.h"
#include "emails/core/email_sources.h"

#include <string>
#include <string_view>

namespace tallimo::emails::testing {

inline common::DateIndex Date(int year, int month, int day) {
    return {day - 1, month - 1, year - 1900};
}

inline std::string Cp(std::string_view utf8) {
    return common::Utf8ToCp1252(utf8);
}

// French labels, the club "Kart & Co", one rental session (10 minutes at
// 20 euros) and one private session (15 minutes at 30); the birthday and
// nameday e-mails on with 7 days' notice, their discounts offered 2 days
// before to 1 day after.
inline EmailSources FrenchSources() {
    EmailSources sources;
    sources.languages.interfaceCode = i18n::LanguageCode::French;
    const char* const rows[] = {
        "Anniversaires", "Fêtes prénoms", "Karts location", "Karts privés",
        "abonnés",       "emails",        "Carte fidélité", "dernier email envoyé le"};
    for (int row = kLabelBirthdays; row <= kLabelLastSentOn; ++row)
        sources.labels.setText(row, i18n::LanguageCode::French, Cp(rows[row - kLabelBirthdays]));
    sources.loyaltyLabels.setText(kLoyaltyFreeSessionRow, i18n::LanguageCode::French,
                                  Cp("Séance offerte"));
    sources.contact.contactName = "Kart & Co";
    sources.contact.contactEmail = "club@kart.fr";
    sources.contact.contactPhone = "01 02";
    sources.contact.contactWebsite = "www.kart.fr";
    sources.prices.rentalPrices[0][0] = {10, 20, 0};
    sources.prices.privatePrices[0] = {15, 30, 0};
    for (int index : {0, 1}) {
        finances::DiscountEvent& event = sources.discounts.events[static_cast<std::size_t>(index)];
        event.eventName = index == 0 ? "Anniversaire" : "Fete";
        event.discountActive = 1;
        event.mailActive = 1;
        event.mailDaysBefore = 7;
        event.daysBefore = 2;
        event.daysAfter = 1;
        event.rentalDiscounts[0][0] = 5;
        event.privateDiscounts[0] = 3;
    }
    sources.subscribersLoaded = sources.discountsLoaded = sources.balancesLoaded = true;
    return sources;
}

// Appends a subscriber (the table stays in the order the test gives).
inline databases::Subscriber& AddSubscriber(EmailSources& sources, std::string_view name,
                                            std::string_view firstName, std::string_view email,
                                            const common::DateIndex& birth = {0, 0, 0}) {
    const int index = databases::CountSubscribers(sources.subscribers);
    databases::Subscriber& subscriber = sources.subscribers[static_cast<std::size_t>(index)];
    subscriber.name = Cp(name);
    subscriber.firstName = Cp(firstName);
    subscriber.email = Cp(email);
    databases::SetBirthDate(subscriber, birth);
    return subscriber;
}

} // namespace tallimo::emails::testing
