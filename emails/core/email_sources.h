#pragma once

// Everything the promotional e-mails read when their window opens, and the
// write-back of the last-sent markers. Ownership: the window (or the tool)
// owns one `EmailSources` while it is open; sending changes only the
// markers in it (`extra1`, `extra2`, an event's `spareInt`, the loyalty
// header's `loyaltySpare`) and flags the table it changed. A file that
// could not be read is never written back: its table is empty, and writing
// it would wipe the file (every loyalty balance, every subscriber).

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "databases/core/first_names_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "emails/core/club_contact_file.h"
#include "finances/core/discounts_file.h"
#include "finances/core/loyalty_files.h"
#include "finances/core/session_prices.h"
#include "i18n/core/language_settings.h"
#include "i18n/core/translation_table.h"

#include <string>
#include <vector>

namespace tallimo::emails {

// Rows of the window's translation table ("FenetreEmails.trans").
enum EmailLabel : int {
    kLabelClubName = 0, // 0..8: the nine contact edits, in the file's order
    kLabelEmailsToSend = 9,
    kLabelViewEmails = 10,
    kLabelSendEmails = 11,
    kLabelBirthdays = 12,
    kLabelNamedays = 13,
    kLabelRentalKarts = 14,
    kLabelPrivateKarts = 15,
    kLabelSubscribersWord = 16,
    kLabelEmailsWord = 17,
    kLabelLoyaltyCard = 18,
    kLabelLastSentOn = 19,
    kLabelClubDetails = 20,
};
inline constexpr int kEmailLabelRows = 21;
inline constexpr int kClubLabelRows = 11;
inline constexpr int kVocabularyRows = 16;
inline constexpr int kLoyaltyLabelRows = 11;
// The loyalty card window's "Free session", which names the loyalty group.
inline constexpr int kLoyaltyFreeSessionRow = 9;

struct EmailSources {
    i18n::LanguageSettings languages;
    i18n::TranslationTable labels;        // FenetreEmails.trans
    i18n::TranslationTable clubLabels;    // BaseClubs.trans
    i18n::TranslationTable vocabulary;    // BaseCategoriesAge.trans
    i18n::TranslationTable loyaltyLabels; // FenetreFidelite.trans

    ClubContact contact;
    std::vector<std::string> countries; // the country combo's items
    databases::CategoryTable categories{};
    databases::SubscriberTable subscribers = databases::MakeSubscriberTable();
    // Sorted alphabetically.
    databases::FirstNameTable firstNames =
        databases::MakeFirstNameTable(databases::kSubscriberFirstNames);
    // Rows of unnamed kart categories hold no session, so their discounts
    // never count.
    finances::PriceTable prices{};
    finances::DiscountTable discounts{};
    finances::LoyaltyBalances balances; // as read, every account kept
    finances::SessionPointsTables sessionPoints{};

    bool subscribersLoaded = false;
    bool discountsLoaded = false;
    bool balancesLoaded = false;
    bool subscribersChanged = false;
    bool discountsChanged = false;
    bool balancesChanged = false;

    // A label of the window's table in the interface language.
    const std::string& label(int row) const { return labels.text(row, languages.interfaceCode); }
};

// Reads, in this order and each with its message on failure: the language
// settings, "FenetreEmails.trans", "BaseClubs.trans",
// "BaseCategoriesAge.trans", "FenetreFidelite.trans", the club's details,
// the kart categories, the subscribers, the subscribers' first names, the
// prices, the discounts, the loyalty balances, the session points and the
// country names. What cannot be read stays empty, so nothing is due from it.
EmailSources LoadEmailSources(const common::WorkingFolder& folder, common::MessageSink& messages);

// Writes back each table that sending changed and that was read at
// opening: the subscribers, the loyalty balances (the header with every
// account as read) and the discounts, each with its message on failure. A
// written table is no longer flagged. True when every write succeeded.
bool SaveSentMarkers(const common::WorkingFolder& folder, EmailSources& sources,
                     common::MessageSink& messages);

} // namespace tallimo::emails
