#pragma once

// The loyalty programme's two files: the balances of the subscribers'
// accounts with the programme's header, and the points a session earns or
// a free session costs, per kart category and session. Names are
// Windows-1252 bytes (surname at most 24 characters, first name 19).

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "databases/core/subscribers_file.h"
#include "finances/core/session_prices.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::finances {

constexpr int kMaxLoyaltyAccounts = 500;
constexpr std::int32_t kMaxLoyaltyPoints = 99999;
constexpr std::size_t kAccountNameChars = 24;
constexpr std::size_t kAccountFirstNameChars = 19;

inline constexpr const char* kBalancesFileName = "BaseDonneesPointsAbonnes.bd1";
inline constexpr const char* kSessionPointsFileName = "BaseDonneesPointsSeance.bd1";
inline constexpr std::string_view kLoyaltyExportExtension = ".bcf2";

inline const char* const kBalancesFileErrorText =
    "Error : 'Subscribers loyalty points' database file not found";
inline const char* const kSessionPointsFileErrorText =
    "Error : 'Sessions loyalty points' database file not found";
inline const char* const kBalancesImportErrorText =
    "Error : Import file 'Subscribers loyalty points' not found";
inline const char* const kSessionPointsImportErrorText =
    "Error : Import file 'Sessions loyalty points' not found";
inline const char* const kBalancesExportErrorText =
    "Error : Export file 'Subscribers loyalty points' not found";
inline const char* const kSessionPointsExportErrorText =
    "Error : Export file 'Sessions loyalty points' not found";

struct LoyaltyHeader {
    std::int32_t loyaltyActive = 0;
    std::int32_t freeSessionMailActive = 0;
    std::int32_t freeSessionMailMonths = 6;
    std::int32_t loyaltySpare = 0; // day number of the last loyalty mailing
    friend bool operator==(const LoyaltyHeader&, const LoyaltyHeader&) = default;
};

struct LoyaltyAccount {
    std::string name;
    std::string firstName;
    std::int32_t points = 0; // 0..99999
    friend bool operator==(const LoyaltyAccount&, const LoyaltyAccount&) = default;
};

struct LoyaltyBalances {
    LoyaltyHeader header;
    std::vector<LoyaltyAccount> accounts; // in file order, at most 500
    friend bool operator==(const LoyaltyBalances&, const LoyaltyBalances&) = default;
};

using PointsRow = std::array<std::int32_t, kSessionsPerRow>;

struct SessionPointsTables {
    std::array<PointsRow, kPriceRows> sessionPoints{};
    std::array<PointsRow, kPriceRows> freeSessionCost{};
    PointsRow privateSessionPoints{};
    PointsRow privateFreeSessionCost{};
    friend bool operator==(const SessionPointsTables&, const SessionPointsTables&) = default;
};

// A balance as the programme keeps it: 0..99999.
std::int32_t ClampPoints(std::int64_t points);

// Points of session `session` of session category `category` (5 = private
// karts); 0 outside the tables.
std::int32_t SessionPointsOf(const SessionPointsTables& tables, int category, int session);
std::int32_t FreeSessionCostOf(const SessionPointsTables& tables, int category, int session);
void ZeroUnnamedCategoryPoints(SessionPointsTables& tables,
                               const std::array<std::string, kPriceRows>& categoryNames);

std::string FormatBalancesFile(const LoyaltyBalances& balances);
// The header (0, 0, 6, 0 where the file lacks a number), then at most 500
// accounts. A balance a hand-edited file puts outside 0..99999 is brought
// back into it.
void ParseBalancesFile(std::string_view bytes, LoyaltyBalances& balances);
bool LoadBalances(LoyaltyBalances& balances, const std::filesystem::path& path);
bool SaveBalances(const LoyaltyBalances& balances, const std::filesystem::path& path);

std::string FormatSessionPointsFile(const SessionPointsTables& tables);
// Clears the tables and fills them; a short file leaves the rest 0.
void ParseSessionPointsFile(std::string_view bytes, SessionPointsTables& tables);
bool LoadSessionPoints(SessionPointsTables& tables, const std::filesystem::path& path);
bool SaveSessionPoints(const SessionPointsTables& tables, const std::filesystem::path& path);

// The session points' twin of a loyalty export name: its last character
// replaced by 'b' ("card.bcf2" -> "card.bcfb").
std::filesystem::path SessionPointsTwinPath(const std::filesystem::path& balancesPath);

// One account per subscriber, in the subscribers' order, carrying the
// points of the record with the same name and first name (0 when none).
std::vector<LoyaltyAccount> AlignAccounts(const databases::SubscriberTable& subscribers,
                                          const std::vector<LoyaltyAccount>& loaded);
// The account of the driver, or -1. An empty first name matches nobody:
// walk-in drivers have none.
int FindAccount(const std::vector<LoyaltyAccount>& accounts, std::string_view name,
                std::string_view firstName);

bool LoadBalancesDatabase(const common::WorkingFolder& folder, LoyaltyBalances& balances,
                          common::MessageSink& messages);
bool SaveBalancesDatabase(const common::WorkingFolder& folder, const LoyaltyBalances& balances,
                          common::MessageSink& messages);
bool LoadSessionPointsDatabase(const common::WorkingFolder& folder, SessionPointsTables& tables,
                               common::MessageSink& messages);
bool SaveSessionPointsDatabase(const common::WorkingFolder& folder,
                               const SessionPointsTables& tables, common::MessageSink& messages);

// What the loyalty card window edits while it is open. The accounts are
// aligned with the subscribers (account i is subscriber i), so a save keeps
// only the accounts of today's subscribers. When the subscribers could not
// be read the file's accounts are carried through untouched instead: a
// missing subscribers file must not wipe every balance on "Ok".
struct LoyaltyCard {
    std::array<std::string, kPriceRows> categoryNames;
    databases::SubscriberTable subscribers = databases::MakeSubscriberTable();
    bool subscribersLoaded = false;
    LoyaltyBalances balances;
    SessionPointsTables points;
    // Only read: the sessions each category offers.
    PriceTable prices;
};

// Loads, each with its message on failure, the kart categories, the
// subscribers, the balances, the session points and the prices, in that
// order; the points and prices of unnamed categories are zeroed. False
// when any failed (its table then stays cleared, the header 0, 0, 6, 0).
bool LoadLoyaltyCard(const common::WorkingFolder& folder, LoyaltyCard& card,
                     common::MessageSink& messages);
// Writes both files, each failure with its message; true when both were
// written.
bool SaveLoyaltyCard(const common::WorkingFolder& folder, const LoyaltyCard& card,
                     common::MessageSink& messages);

// The balances to `balancesPath`, the session points to its twin; each
// failure with its export message. True when both were written.
bool ExportLoyaltyCard(const LoyaltyCard& card, const std::filesystem::path& balancesPath,
                       common::MessageSink& messages);
// Reads back both files of an export. Each file read replaces its table
// (accounts aligned, unnamed categories zeroed); each one that cannot be
// read leaves the card's table as it was and gives its import message.
// True when both were read.
bool ImportLoyaltyCard(LoyaltyCard& card, const std::filesystem::path& balancesPath,
                       common::MessageSink& messages);

} // namespace tallimo::finances
