#pragma once

// What the discount list and the loyalty points lists print, as lines of
// text: the Qt side only draws them. Every text is Windows-1252 and in the
// report language; the words come from the windows' translation files, or
// from the factory labels when a file is missing, so that a printout is
// never left with blank lines.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "finances/core/discounts_file.h"
#include "finances/core/loyalty_files.h"
#include "finances/core/session_prices.h"
#include "i18n/core/language_code.h"

#include <array>
#include <string>
#include <vector>

namespace tallimo::finances {

// The words the two printouts are written with.
struct SettingsPrintoutTexts {
    i18n::LanguageCode language = i18n::LanguageCode::English;
    // The prices window's.
    std::string session;
    std::string minutes;
    std::string rental;
    std::string privateKarts;
    // The discounts window's.
    std::string discountsIn;
    std::string enableDiscounts;
    std::string daysBefore;
    std::string daysAfter;
    // The loyalty card window's.
    std::string subscriber;
    std::string pointsEarned;
    std::string pointsPerSession;
    std::string freeSession;
};

// The factory words of `language`.
SettingsPrintoutTexts FactorySettingsTexts(i18n::LanguageCode language);

// The report language and the words of the discount list ("FenetreRemises"
// then "FenetreTarifs") or of the loyalty lists ("FenetreFidelite" then
// "FenetreTarifs"), each missing file reported to `messages`.
SettingsPrintoutTexts LoadDiscountListTexts(const common::WorkingFolder& folder,
                                            common::MessageSink& messages);
SettingsPrintoutTexts LoadLoyaltyListTexts(const common::WorkingFolder& folder,
                                           common::MessageSink& messages);

enum class ListLineKind {
    Event,       // an event's name and its date, starting its block
    EventDetail, // whether it is active, and its days of validity
    Section,     // a kart category, or the private karts
    Entry,       // a session, or a subscriber
};

struct ListLine {
    ListLineKind kind = ListLineKind::Entry;
    std::string label;
    std::string middle;
    std::string value;
    bool checked = false; // EventDetail: the discounts are offered
    // Pages break before a block rather than inside it.
    bool startsBlock = false;
    friend bool operator==(const ListLine&, const ListLine&) = default;
};

struct SettingsPrintout {
    std::string title;
    std::string subtitle;
    // Column headings repeated at the top of every page; empty for none.
    std::vector<std::string> columnHeads;
    std::vector<ListLine> lines;
};

// The height a line takes on the page, in logical units.
int LineHeight(ListLineKind kind);

// The room the lines of one page have, in logical units.
inline constexpr int kListPageHeight = 570;

// The lines of each page: a block starts a new page when it does not fit
// in what is left of the current one but would fit a page of its own; a
// longer block runs over. At least one page, even without lines, so that
// the title still prints.
struct LineSpan {
    int first = 0;
    int count = 0;
    friend bool operator==(const LineSpan&, const LineSpan&) = default;
};
std::vector<LineSpan> PaginateLines(const std::vector<ListLine>& lines,
                                    int pageHeight = kListPageHeight);

// "DISCOUNTS ON RENTAL": every listed event in table order (events 0 and
// 1 named in the report language), with its date, its days and whether it
// is active, then, for each named kart category that offers sessions and
// for the private karts, each session's discount and the price it leaves.
SettingsPrintout DiscountListPrintout(const DiscountTable& table, const PriceTable& prices,
                                      const std::array<std::string, kPriceRows>& categoryNames,
                                      const SettingsPrintoutTexts& texts);

enum class LoyaltyList {
    Earned,      // the points a session earns
    FreeSession, // the points a free session costs
    Subscribers, // each subscriber's balance
};

// The loyalty points list of the card as it stands: for the session lists,
// the offered sessions of each named category and of the private karts;
// for the subscribers, every account in order with its points.
SettingsPrintout LoyaltyListPrintout(const LoyaltyCard& card, LoyaltyList list,
                                     const SettingsPrintoutTexts& texts);

} // namespace tallimo::finances
