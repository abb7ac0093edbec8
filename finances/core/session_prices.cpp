#include "finances/core/session_prices.h"

#include "common/core/data_file.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <algorithm>

namespace tallimo::finances {
namespace {

struct Currency {
    const char* comboText;
    const char* unit;
};

constexpr Currency kCurrencies[kCurrencyCount] = {
    {"\x80 (Euro)", "\x80"},  {"$ (USD)", "$"},           {"\xA3 (GBP)", "\xA3"},
    {"franc (CHF)", "CHF"},   {"kroner (DKK)", "kroner"}, {"krone (NOK)", "krone"},
    {"krona (SEK)", "krona"}, {"koruna (CZK)", "koruna"}, {"kuna (HRK)", "kuna"},
    {"lev (BGN)", "lev"},     {"forint (HUF)", "forint"}, {"zloty (PLN)", "zloty"},
    {"leu (RON)", "leu"},
};

bool IsCurrency(int currency) {
    return currency >= 0 && currency < kCurrencyCount;
}

} // namespace

const PriceRow& PriceRowOf(const PriceTable& table, int category) {
    return category >= 0 && category < kPriceRows ? table.rentalPrices[category]
                                                  : table.privatePrices;
}

PriceRow& PriceRowOf(PriceTable& table, int category) {
    return category >= 0 && category < kPriceRows ? table.rentalPrices[category]
                                                  : table.privatePrices;
}

void ClearPrices(PriceTable& table) {
    table = PriceTable{};
}

void SortPriceRow(PriceRow& row) {
    // A negative duration from a hand-edited file is no session either.
    std::stable_sort(row.begin(), row.end(), [](const SessionPrice& a, const SessionPrice& b) {
        const bool aUsed = a.durationMinutes > 0;
        const bool bUsed = b.durationMinutes > 0;
        if (aUsed != bUsed)
            return aUsed;
        return aUsed && a.durationMinutes < b.durationMinutes;
    });
}

int UsedSessionCount(const PriceRow& row) {
    int count = 0;
    while (count < kSessionsPerRow && row[count].durationMinutes > 0)
        ++count;
    return count;
}

int SessionIndexOf(const PriceRow& row, int durationMinutes) {
    if (durationMinutes <= 0)
        return -1;
    const int used = UsedSessionCount(row);
    for (int s = 0; s < used; ++s) {
        if (row[s].durationMinutes == durationMinutes)
            return s;
    }
    return -1;
}

bool AddSessionDuration(PriceRow& row, int durationMinutes) {
    const int used = UsedSessionCount(row);
    if (durationMinutes <= 0 || SessionIndexOf(row, durationMinutes) >= 0 ||
        used == kSessionsPerRow)
        return false;
    row[used].durationMinutes = durationMinutes;
    SortPriceRow(row);
    return true;
}

bool RemoveSession(PriceRow& row, int session) {
    if (session < 0 || session >= UsedSessionCount(row))
        return false;
    row[session].durationMinutes = 0;
    row[session].price = 0;
    SortPriceRow(row);
    return true;
}

bool SetSessionPrice(PriceRow& row, int session, int price) {
    if (session < 0 || session >= UsedSessionCount(row))
        return false;
    row[session].price = price;
    return true;
}

std::array<std::string, kPriceRows>
PricedCategoryNames(const databases::CategoryTable& categories) {
    std::array<std::string, kPriceRows> names;
    for (std::size_t c = 0; c < names.size(); ++c)
        names[c] = categories[c].name;
    return names;
}

int CurrentCurrency(const PriceTable& table) {
    return table.rentalPrices[0][0].currency;
}

void SetCurrency(PriceTable& table, int currency) {
    for (PriceRow& row : table.rentalPrices) {
        for (SessionPrice& entry : row)
            entry.currency = currency;
    }
    for (SessionPrice& entry : table.privatePrices)
        entry.currency = currency;
}

std::string CurrencyUnit(int currency) {
    return IsCurrency(currency) ? kCurrencies[currency].unit : "";
}

std::string CurrencyComboText(int currency) {
    return IsCurrency(currency) ? kCurrencies[currency].comboText : "";
}

void ZeroUnnamedCategoryRows(PriceTable& table,
                             const std::array<std::string, kPriceRows>& categoryNames) {
    for (int c = 0; c < kPriceRows; ++c) {
        if (!categoryNames[c].empty())
            continue;
        for (SessionPrice& entry : table.rentalPrices[c]) {
            entry.durationMinutes = 0;
            entry.price = 0;
        }
    }
}

std::string FormatPricesFile(const PriceTable& table) {
    common::TabFieldWriter out;
    const auto writeRow = [&out](const PriceRow& row) {
        for (const SessionPrice& entry : row) {
            out.number(entry.durationMinutes);
            out.number(entry.price);
            out.number(entry.currency);
            out.endRecord();
        }
    };
    for (const PriceRow& row : table.rentalPrices)
        writeRow(row);
    writeRow(table.privatePrices);
    return out.bytes();
}

void ParsePricesFile(std::string_view bytes, PriceTable& table) {
    common::TabFieldReader in(bytes);
    const auto readRow = [&in](PriceRow& row) {
        for (SessionPrice& entry : row) {
            if (in.atEnd())
                return;
            in.readInt(entry.durationMinutes);
            in.readInt(entry.price);
            in.readInt(entry.currency);
            in.skipLine();
        }
    };
    for (PriceRow& row : table.rentalPrices)
        readRow(row);
    readRow(table.privatePrices);
    for (PriceRow& row : table.rentalPrices)
        SortPriceRow(row);
    SortPriceRow(table.privatePrices);
}

bool LoadPrices(PriceTable& table, const std::filesystem::path& path) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParsePricesFile(bytes, table);
    return true;
}

bool SavePrices(const PriceTable& table, const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatPricesFile(table));
}

bool ImportPrices(PriceTable& table, const std::filesystem::path& path,
                  const std::array<std::string, kPriceRows>& categoryNames) {
    PriceTable imported;
    if (!LoadPrices(imported, path))
        return false;
    ZeroUnnamedCategoryRows(imported, categoryNames);
    table = imported;
    return true;
}

bool LoadPricesDatabase(const common::WorkingFolder& folder, PriceTable& table,
                        common::MessageSink& messages) {
    ClearPrices(table);
    if (LoadPrices(table, folder.path(kPricesFileName)))
        return true;
    messages.show(kFinancesErrorCaption, kPricesFileErrorText);
    return false;
}

bool SavePricesDatabase(const common::WorkingFolder& folder, const PriceTable& table,
                        common::MessageSink& messages) {
    if (SavePrices(table, folder.path(kPricesFileName)))
        return true;
    messages.show(kFinancesErrorCaption, kPricesFileErrorText);
    return false;
}

} // namespace tallimo::finances
