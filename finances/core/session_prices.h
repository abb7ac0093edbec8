#pragma once

// The session prices: for each of the five kart categories up to six
// durations with a price, and six more for private karts. Within a row the
// used entries (duration above 0) come first in ascending duration, the free
// ones after them; every function here that changes a row keeps it so. One
// currency holds for every price; each entry carries its index.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "databases/core/kart_categories_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tallimo::finances {

constexpr int kPriceRows = 5;
constexpr int kSessionsPerRow = 6;
constexpr int kCurrencyCount = 13;

inline constexpr const char* kPricesFileName = "BaseDonneesTarifs.bd1";
inline constexpr std::string_view kPricesExportExtension = ".btk2";

inline const char* const kFinancesErrorCaption = "Error";
inline const char* const kPricesFileErrorText = "Error : 'Sessions prices' database file not found";
inline const char* const kPricesImportErrorText = "Import file 'Sessions prices' not found";
inline const char* const kPricesExportErrorText = "Error : Export file 'Sessions prices' not found";

struct SessionPrice {
    std::int32_t durationMinutes = 0; // 0 = free entry
    std::int32_t price = 0;           // whole currency units
    std::int32_t currency = 0;
    friend bool operator==(const SessionPrice&, const SessionPrice&) = default;
};

using PriceRow = std::array<SessionPrice, kSessionsPerRow>;

struct PriceTable {
    std::array<PriceRow, kPriceRows> rentalPrices{};
    PriceRow privatePrices{};
    friend bool operator==(const PriceTable&, const PriceTable&) = default;
};

// The row of a session category: 0..4 rental, 5 private karts.
const PriceRow& PriceRowOf(const PriceTable& table, int category);
PriceRow& PriceRowOf(PriceTable& table, int category);

// Every entry 0, 0, 0.
void ClearPrices(PriceTable& table);

// Ascending duration, free entries last; whole entries move, equal
// durations keep their order.
void SortPriceRow(PriceRow& row);

// The used entries at the head of a sorted row: the durations offered.
int UsedSessionCount(const PriceRow& row);

// The position of `durationMinutes` among the offered durations, or -1
// (also for 0): the session index the discounts and points are kept by.
int SessionIndexOf(const PriceRow& row, int durationMinutes);

// The operator's "Ajouter": the duration becomes the next offered session
// (its entry keeps the price it held) and the row is sorted again. Refused
// without a message when the duration is not above 0, is offered already,
// or the row offers six sessions.
bool AddSessionDuration(PriceRow& row, int durationMinutes);
// "Supprimer": the offered session at `session` gets duration and price 0
// and goes to the end. False when no session is offered there.
bool RemoveSession(PriceRow& row, int session);
// False when no session is offered at `session`.
bool SetSessionPrice(PriceRow& row, int session, int price);

// The currency of the first entry of the first row.
int CurrentCurrency(const PriceTable& table);
void SetCurrency(PriceTable& table, int currency);

// The unit shown after a price ("\x80" for the euro); empty for an index
// that names no currency.
std::string CurrencyUnit(int currency);
// The currency combo's text for the index; empty outside 0..12.
std::string CurrencyComboText(int currency);

// Rows of categories without a name hold only free entries; the currency
// of their entries is kept.
// The names of the first five kart categories, which the price rows follow.
std::array<std::string, kPriceRows> PricedCategoryNames(const databases::CategoryTable& categories);

void ZeroUnnamedCategoryRows(PriceTable& table,
                             const std::array<std::string, kPriceRows>& categoryNames);

// 36 lines "%d\t%d\t%d\t\n": the five rental rows, then the private row.
std::string FormatPricesFile(const PriceTable& table);
// Fills the entries in file order; a short file leaves the rest as they
// were and a number that cannot be read keeps its entry's value. Every row
// is sorted afterwards, so a hand-edited file still offers its durations in
// order.
void ParsePricesFile(std::string_view bytes, PriceTable& table);

// False when the file cannot be read (the table is then untouched).
bool LoadPrices(PriceTable& table, const std::filesystem::path& path);
// The whole file through a temporary one; false when it cannot be written.
bool SavePrices(const PriceTable& table, const std::filesystem::path& path);

// Replaces the table by an imported file, rows of unnamed categories
// zeroed. False when the file cannot be read: the table is then untouched,
// so a wrong choice in the file dialog costs the operator no prices.
bool ImportPrices(PriceTable& table, const std::filesystem::path& path,
                  const std::array<std::string, kPriceRows>& categoryNames);

// Clear-then-load of the working folder's prices, with the message on failure.
bool LoadPricesDatabase(const common::WorkingFolder& folder, PriceTable& table,
                        common::MessageSink& messages);
bool SavePricesDatabase(const common::WorkingFolder& folder, const PriceTable& table,
                        common::MessageSink& messages);

} // namespace tallimo::finances
