#pragma once

// The discount events: record 0 is the subscribers' birthday, record 1 the
// nameday of their first names, records 2 to 49 dated events, listed up to
// the first one without a name. Names are Windows-1252 bytes of at most 24
// characters.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "finances/core/session_prices.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::finances {

constexpr int kMaxDiscountEvents = 50;
constexpr int kBirthdayEvent = 0;
constexpr int kNamedayEvent = 1;
constexpr int kFirstDatedEvent = 2;
constexpr std::size_t kEventNameChars = 24;

// `discountMode` 0: the discounts are amounts in the currency; any other
// value: percentages.
constexpr int kAmountMode = 0;

inline constexpr const char* kDiscountsFileName = "BaseDonneesRemises.bd1";
inline constexpr std::string_view kDiscountsExportExtension = ".brk2";

inline const char* const kDiscountsFileErrorText =
    "Error : 'Sessions discounts' database file not found";
inline const char* const kDiscountsImportErrorText =
    "Error : Import file 'Sessions discounts' not found";
inline const char* const kDiscountsExportErrorText =
    "Error : Export file 'Sessions discounts' not found";

struct DiscountEvent {
    std::string eventName;       // empty ends the list of dated events
    std::int32_t eventDay = 0;   // 0 = the 1st
    std::int32_t eventMonth = 0; // 0 = January
    std::int32_t discountActive = 0;
    std::int32_t mailActive = 0;
    std::int32_t daysBefore = 0;
    std::int32_t daysAfter = 0;
    std::int32_t mailDaysBefore = 0;
    std::int32_t spareInt = 0; // day number of the last e-mails sent; carried
    std::array<std::int32_t, kSessionsPerRow> privateDiscounts{};
    std::array<std::array<std::int32_t, kSessionsPerRow>, kPriceRows> rentalDiscounts{};
    friend bool operator==(const DiscountEvent&, const DiscountEvent&) = default;
};

struct DiscountTable {
    int discountMode = kAmountMode;
    std::array<DiscountEvent, kMaxDiscountEvents> events{};
    friend bool operator==(const DiscountTable&, const DiscountTable&) = default;
};

// The discount of session `session` of session category `category` (5 =
// private karts); 0 outside the tables.
std::int32_t DiscountOf(const DiscountEvent& event, int category, int session);

// The dated events in use: 2 up to the first without a name.
int DatedEventEnd(const DiscountTable& table);
int DatedEventEnd(const std::array<DiscountEvent, kMaxDiscountEvents>& events);

void ClearDiscounts(DiscountTable& table);
void ZeroUnnamedCategoryDiscounts(DiscountTable& table,
                                  const std::array<std::string, kPriceRows>& categoryNames);

// The header and the first `count` events (at most 50), one line each.
std::string FormatDiscountsFile(const DiscountTable& table, int count);
// Clears the table and fills it: the header number, then at most 50 events
// (empty lines between them are passed over).
void ParseDiscountsFile(std::string_view bytes, DiscountTable& table);

bool LoadDiscounts(DiscountTable& table, const std::filesystem::path& path);
bool SaveDiscounts(const DiscountTable& table, int count, const std::filesystem::path& path);

// The events the list shows: 0 and 1 always, then up to the first unnamed.
int ListedEventCount(const DiscountTable& table);

bool LoadDiscountsDatabase(const common::WorkingFolder& folder, DiscountTable& table,
                           common::MessageSink& messages);
bool SaveDiscountsDatabase(const common::WorkingFolder& folder, const DiscountTable& table,
                           common::MessageSink& messages);

} // namespace tallimo::finances
