#include "finances/core/settings_printouts.h"

#include "finances/core/booking_rules.h"
#include "finances/core/discount_events.h"
#include "i18n/core/discount_window_texts.h"
#include "i18n/core/factory_texts.h"
#include "i18n/core/month_names.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/translation_table.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"

#include <cstddef>
#include <string_view>

namespace tallimo::finances {
namespace {

constexpr std::string_view kPricesStem = "FenetreTarifs";
constexpr int kPricesRows = 10;
constexpr std::string_view kDiscountsStem = "FenetreRemises";
constexpr int kDiscountsRows = 8;
constexpr std::string_view kLoyaltyStem = "FenetreFidelite";
constexpr int kLoyaltyRows = 11;

enum PricesRow { kRowSession = 0, kRowMinutes = 1, kRowRental = 6, kRowPrivate = 7 };
enum DiscountsRow {
    kRowEnableDiscounts = 1,
    kRowDaysBefore = 2,
    kRowDaysAfter = 3,
    kRowDiscountsIn = 6
};
enum LoyaltyRow {
    kRowSubscriber = 3,
    kRowPointsEarned = 4,
    kRowPointsPerSession = 8,
    kRowFreeSession = 9
};

constexpr int kPrivateCategory = kPriceRows;

// One window's labels in the report language: the operator's translation,
// or the factory label where the file gives none.
class WindowWords {
public:
    WindowWords(std::string_view stem, int rows, i18n::LanguageCode language)
        : m_stem(stem), m_rows(rows), m_language(language) {
        m_table.clear(rows);
    }

    void load(const common::WorkingFolder& folder, common::MessageSink& messages) {
        std::string fileName(m_stem);
        fileName += ".trans";
        i18n::LoadWindowTable(folder, fileName, m_table, m_rows, messages);
    }

    std::string operator()(int row) const {
        const std::string& text = m_table.text(row, m_language);
        if (!text.empty())
            return text;
        const int window = i18n::FindTranslatableWindow(m_stem);
        if (window < 0)
            return {};
        const auto& rows = i18n::FactoryRows(window);
        if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
            return {};
        return rows[static_cast<std::size_t>(row)].texts[i18n::LanguageColumn(m_language)];
    }

private:
    std::string_view m_stem;
    int m_rows;
    i18n::LanguageCode m_language;
    i18n::TranslationTable m_table;
};

void TakePriceWords(const WindowWords& words, SettingsPrintoutTexts& texts) {
    texts.session = words(kRowSession);
    texts.minutes = words(kRowMinutes);
    texts.rental = words(kRowRental);
    texts.privateKarts = words(kRowPrivate);
}

void TakeDiscountWords(const WindowWords& words, SettingsPrintoutTexts& texts) {
    texts.enableDiscounts = words(kRowEnableDiscounts);
    texts.daysBefore = words(kRowDaysBefore);
    texts.daysAfter = words(kRowDaysAfter);
    texts.discountsIn = words(kRowDiscountsIn);
}

void TakeLoyaltyWords(const WindowWords& words, SettingsPrintoutTexts& texts) {
    texts.subscriber = words(kRowSubscriber);
    texts.pointsEarned = words(kRowPointsEarned);
    texts.pointsPerSession = words(kRowPointsPerSession);
    texts.freeSession = words(kRowFreeSession);
}

// A label written for a form ("Abonné :") heads a column without its colon.
std::string WithoutColon(std::string text) {
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string Number(std::int32_t value) {
    return std::to_string(value);
}

// "Séance 10 minutes", as the windows label a session.
std::string SessionLabel(const SettingsPrintoutTexts& texts, std::int32_t minutes) {
    return texts.session + " " + Number(minutes) + " " + texts.minutes;
}

std::string SectionLabel(const SettingsPrintoutTexts& texts,
                         const std::array<std::string, kPriceRows>& categoryNames, int category) {
    if (category == kPrivateCategory)
        return texts.privateKarts;
    return texts.rental + " : " + categoryNames[static_cast<std::size_t>(category)];
}

// The session categories whose sessions a list shows: the named rental
// categories that offer sessions, then the private karts when they do.
std::vector<int> ListedCategories(const PriceTable& prices,
                                  const std::array<std::string, kPriceRows>& categoryNames) {
    std::vector<int> listed;
    for (int category = 0; category <= kPrivateCategory; ++category) {
        const bool named = category == kPrivateCategory ||
                           !categoryNames[static_cast<std::size_t>(category)].empty();
        if (named && UsedSessionCount(PriceRowOf(prices, category)) > 0)
            listed.push_back(category);
    }
    return listed;
}

std::string EventDate(const DiscountEvent& event, int index, i18n::LanguageCode language) {
    if (index == kBirthdayEvent)
        return i18n::FixedEventDateLabel(i18n::FixedDiscountEvent::SubscribersBirthday, language);
    if (index == kNamedayEvent)
        return i18n::FixedEventDateLabel(i18n::FixedDiscountEvent::SubscribersNameday, language);
    const std::string month = i18n::MonthName(event.eventMonth, language);
    // A date a hand-edited file put outside the calendar prints as nothing
    // rather than as a day that does not exist.
    if (month.empty() || event.eventDay < 0 || event.eventDay >= EventMonthDays(event.eventMonth))
        return {};
    return Number(event.eventDay + 1) + " " + month;
}

std::string SignedDiscount(std::int32_t discount, const std::string& unit) {
    return (discount > 0 ? "-" : "") + Number(discount) + " " + unit;
}

} // namespace

SettingsPrintoutTexts FactorySettingsTexts(i18n::LanguageCode language) {
    SettingsPrintoutTexts texts;
    texts.language = language;
    TakePriceWords(WindowWords(kPricesStem, kPricesRows, language), texts);
    TakeDiscountWords(WindowWords(kDiscountsStem, kDiscountsRows, language), texts);
    TakeLoyaltyWords(WindowWords(kLoyaltyStem, kLoyaltyRows, language), texts);
    return texts;
}

SettingsPrintoutTexts LoadDiscountListTexts(const common::WorkingFolder& folder,
                                            common::MessageSink& messages) {
    SettingsPrintoutTexts texts =
        FactorySettingsTexts(i18n::OpenLanguageSettings(folder, messages).reportCode);
    WindowWords discounts(kDiscountsStem, kDiscountsRows, texts.language);
    discounts.load(folder, messages);
    TakeDiscountWords(discounts, texts);
    WindowWords prices(kPricesStem, kPricesRows, texts.language);
    prices.load(folder, messages);
    TakePriceWords(prices, texts);
    return texts;
}

SettingsPrintoutTexts LoadLoyaltyListTexts(const common::WorkingFolder& folder,
                                           common::MessageSink& messages) {
    SettingsPrintoutTexts texts =
        FactorySettingsTexts(i18n::OpenLanguageSettings(folder, messages).reportCode);
    WindowWords loyalty(kLoyaltyStem, kLoyaltyRows, texts.language);
    loyalty.load(folder, messages);
    TakeLoyaltyWords(loyalty, texts);
    WindowWords prices(kPricesStem, kPricesRows, texts.language);
    prices.load(folder, messages);
    TakePriceWords(prices, texts);
    return texts;
}

int LineHeight(ListLineKind kind) {
    switch (kind) {
    case ListLineKind::Event:
        return 30;
    case ListLineKind::EventDetail:
        return 22;
    case ListLineKind::Section:
        return 24;
    case ListLineKind::Entry:
        return 17;
    }
    return 17;
}

std::vector<LineSpan> PaginateLines(const std::vector<ListLine>& lines, int pageHeight) {
    std::vector<LineSpan> pages{LineSpan{}};
    int used = 0;
    const auto height = [&](std::size_t line) { return LineHeight(lines[line].kind); };
    const auto place = [&](std::size_t line, int room) {
        if (used > 0 && used + room > pageHeight) {
            pages.push_back({static_cast<int>(line), 0});
            used = 0;
        }
        ++pages.back().count;
        used += height(line);
    };
    std::size_t line = 0;
    while (line < lines.size()) {
        std::size_t end = line + 1;
        int blockHeight = height(line);
        while (end < lines.size() && !lines[end].startsBlock)
            blockHeight += height(end++);
        if (blockHeight <= pageHeight) {
            place(line, blockHeight);
            ++line;
        }
        for (; line < end; ++line) {
            // A heading never ends a page: it goes over with its first line.
            const bool heading = lines[line].kind != ListLineKind::Entry && line + 1 < end;
            place(line, height(line) + (heading ? height(line + 1) : 0));
        }
    }
    return pages;
}

SettingsPrintout DiscountListPrintout(const DiscountTable& table, const PriceTable& prices,
                                      const std::array<std::string, kPriceRows>& categoryNames,
                                      const SettingsPrintoutTexts& texts) {
    DiscountTable named = table;
    NameFixedEvents(named, texts.language);
    const int currency = CurrentCurrency(prices);
    const std::string currencyUnit = CurrencyUnit(currency);
    const std::string discountUnit = DiscountUnit(named.discountMode, currency);

    SettingsPrintout printout;
    printout.title = Trimmed(i18n::WindowTitle(i18n::TitledWindow::Discounts, texts.language));
    printout.subtitle = texts.discountsIn + " : " + discountUnit;
    const std::vector<int> categories = ListedCategories(prices, categoryNames);
    const int events = ListedEventCount(named);
    for (int index = 0; index < events; ++index) {
        const DiscountEvent& event = named.events[static_cast<std::size_t>(index)];
        printout.lines.push_back({ListLineKind::Event,
                                  event.eventName,
                                  {},
                                  EventDate(event, index, texts.language),
                                  false,
                                  true});
        printout.lines.push_back({ListLineKind::EventDetail,
                                  texts.enableDiscounts,
                                  Number(event.daysBefore) + " " + texts.daysBefore + ", " +
                                      Number(event.daysAfter) + " " + texts.daysAfter,
                                  {},
                                  event.discountActive == 1,
                                  false});
        for (const int category : categories) {
            printout.lines.push_back({ListLineKind::Section,
                                      SectionLabel(texts, categoryNames, category),
                                      {},
                                      {},
                                      false,
                                      false});
            const PriceRow& row = PriceRowOf(prices, category);
            for (int session = 0; session < UsedSessionCount(row); ++session) {
                const SessionPrice& entry = row[static_cast<std::size_t>(session)];
                const std::int32_t discount = DiscountOf(event, category, session);
                const std::int32_t left =
                    DiscountedPrice(entry.price, discount, named.discountMode);
                printout.lines.push_back(
                    {ListLineKind::Entry, SessionLabel(texts, entry.durationMinutes),
                     SignedDiscount(discount, discountUnit),
                     "=>  " + texts.session + " = " + Number(left) + " " + currencyUnit, false,
                     false});
            }
        }
    }
    return printout;
}

SettingsPrintout LoyaltyListPrintout(const LoyaltyCard& card, LoyaltyList list,
                                     const SettingsPrintoutTexts& texts) {
    SettingsPrintout printout;
    printout.title = i18n::WindowTitle(i18n::TitledWindow::LoyaltyPoints, texts.language);
    if (list == LoyaltyList::Subscribers) {
        printout.columnHeads = {WithoutColon(texts.subscriber), texts.pointsEarned};
        for (const LoyaltyAccount& account : card.balances.accounts) {
            if (account.name.empty())
                continue;
            printout.lines.push_back({ListLineKind::Entry,
                                      account.name + " " + account.firstName,
                                      {},
                                      Number(account.points),
                                      false,
                                      true});
        }
        return printout;
    }
    const bool earned = list == LoyaltyList::Earned;
    printout.subtitle = earned ? texts.pointsPerSession : texts.freeSession;
    for (const int category : ListedCategories(card.prices, card.categoryNames)) {
        printout.lines.push_back({ListLineKind::Section,
                                  SectionLabel(texts, card.categoryNames, category),
                                  {},
                                  {},
                                  false,
                                  true});
        const PriceRow& row = PriceRowOf(card.prices, category);
        for (int session = 0; session < UsedSessionCount(row); ++session) {
            const std::int32_t points = earned ? SessionPointsOf(card.points, category, session)
                                               : FreeSessionCostOf(card.points, category, session);
            printout.lines.push_back(
                {ListLineKind::Entry,
                 SessionLabel(texts, row[static_cast<std::size_t>(session)].durationMinutes),
                 {},
                 Number(points),
                 false,
                 false});
        }
    }
    return printout;
}

} // namespace tallimo::finances
