#include "finances/core/loyalty_files.h"

#include "common/core/data_file.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"
#include "databases/core/kart_categories_file.h"

#include <algorithm>

namespace tallimo::finances {
namespace {

std::int32_t PointsIn(const std::array<PointsRow, kPriceRows>& rental, const PointsRow& priv,
                      int category, int session) {
    if (session < 0 || session >= kSessionsPerRow)
        return 0;
    if (category >= 0 && category < kPriceRows)
        return rental[category][session];
    if (category == kPriceRows)
        return priv[session];
    return 0;
}

void ReadRow(common::TabFieldReader& in, PointsRow& row) {
    for (std::int32_t& n : row)
        in.readInt(n);
}

std::vector<LoyaltyAccount> CardAccounts(const LoyaltyCard& card,
                                         const std::vector<LoyaltyAccount>& read) {
    return card.subscribersLoaded ? AlignAccounts(card.subscribers, read) : read;
}

bool Reported(bool done, const char* errorText, common::MessageSink& messages) {
    if (!done)
        messages.show(kFinancesErrorCaption, errorText);
    return done;
}

} // namespace

std::int32_t ClampPoints(std::int64_t points) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(points, 0, kMaxLoyaltyPoints));
}

std::int32_t SessionPointsOf(const SessionPointsTables& tables, int category, int session) {
    return PointsIn(tables.sessionPoints, tables.privateSessionPoints, category, session);
}

std::int32_t FreeSessionCostOf(const SessionPointsTables& tables, int category, int session) {
    return PointsIn(tables.freeSessionCost, tables.privateFreeSessionCost, category, session);
}

void ZeroUnnamedCategoryPoints(SessionPointsTables& tables,
                               const std::array<std::string, kPriceRows>& categoryNames) {
    for (int c = 0; c < kPriceRows; ++c) {
        if (categoryNames[c].empty()) {
            tables.sessionPoints[c].fill(0);
            tables.freeSessionCost[c].fill(0);
        }
    }
}

std::string FormatBalancesFile(const LoyaltyBalances& balances) {
    common::TabFieldWriter out;
    out.number(balances.header.loyaltyActive);
    out.number(balances.header.freeSessionMailActive);
    out.number(balances.header.freeSessionMailMonths);
    out.number(balances.header.loyaltySpare);
    out.endRecord();
    const std::size_t count =
        std::min(balances.accounts.size(), static_cast<std::size_t>(kMaxLoyaltyAccounts));
    for (std::size_t i = 0; i < count; ++i) {
        const LoyaltyAccount& account = balances.accounts[i];
        out.text(account.name, kAccountNameChars);
        out.text(account.firstName, kAccountFirstNameChars);
        out.number(account.points);
        out.endRecord();
    }
    return out.bytes();
}

void ParseBalancesFile(std::string_view bytes, LoyaltyBalances& balances) {
    balances = LoyaltyBalances{};
    common::TabFieldReader in(bytes);
    if (in.atEnd())
        return;
    in.readInt(balances.header.loyaltyActive);
    in.readInt(balances.header.freeSessionMailActive);
    in.readInt(balances.header.freeSessionMailMonths);
    in.readInt(balances.header.loyaltySpare);
    in.skipLine();
    in.skipEmptyLines();
    while (!in.atEnd() && balances.accounts.size() < kMaxLoyaltyAccounts) {
        LoyaltyAccount account;
        account.name = in.readText(kAccountNameChars);
        account.firstName = in.readText(kAccountFirstNameChars);
        in.readInt(account.points);
        account.points = ClampPoints(account.points);
        in.skipLine();
        in.skipEmptyLines();
        balances.accounts.push_back(std::move(account));
    }
}

bool LoadBalances(LoyaltyBalances& balances, const std::filesystem::path& path) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParseBalancesFile(bytes, balances);
    return true;
}

bool SaveBalances(const LoyaltyBalances& balances, const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatBalancesFile(balances));
}

std::string FormatSessionPointsFile(const SessionPointsTables& tables) {
    common::TabFieldWriter out;
    const auto writeLine = [&out](const PointsRow& earned, const PointsRow& cost) {
        for (const std::int32_t n : earned)
            out.number(n);
        for (const std::int32_t n : cost)
            out.number(n);
        out.endRecord();
    };
    for (int c = 0; c < kPriceRows; ++c)
        writeLine(tables.sessionPoints[c], tables.freeSessionCost[c]);
    writeLine(tables.privateSessionPoints, tables.privateFreeSessionCost);
    return out.bytes();
}

void ParseSessionPointsFile(std::string_view bytes, SessionPointsTables& tables) {
    tables = SessionPointsTables{};
    common::TabFieldReader in(bytes);
    const auto readLine = [&in](PointsRow& earned, PointsRow& cost) {
        if (in.atEnd())
            return;
        ReadRow(in, earned);
        ReadRow(in, cost);
        in.skipLine();
    };
    for (int c = 0; c < kPriceRows; ++c)
        readLine(tables.sessionPoints[c], tables.freeSessionCost[c]);
    readLine(tables.privateSessionPoints, tables.privateFreeSessionCost);
}

bool LoadSessionPoints(SessionPointsTables& tables, const std::filesystem::path& path) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParseSessionPointsFile(bytes, tables);
    return true;
}

bool SaveSessionPoints(const SessionPointsTables& tables, const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatSessionPointsFile(tables));
}

std::filesystem::path SessionPointsTwinPath(const std::filesystem::path& balancesPath) {
    std::string name = balancesPath.filename().string();
    if (name.empty())
        return balancesPath;
    name.back() = 'b';
    return balancesPath.parent_path() / name;
}

std::vector<LoyaltyAccount> AlignAccounts(const databases::SubscriberTable& subscribers,
                                          const std::vector<LoyaltyAccount>& loaded) {
    const int count = databases::CountSubscribers(subscribers);
    std::vector<LoyaltyAccount> accounts(count);
    for (int i = 0; i < count; ++i) {
        accounts[i].name = subscribers[i].name.substr(0, kAccountNameChars);
        accounts[i].firstName = subscribers[i].firstName.substr(0, kAccountFirstNameChars);
        const int found = FindAccount(loaded, accounts[i].name, accounts[i].firstName);
        if (found >= 0)
            accounts[i].points = ClampPoints(loaded[found].points);
    }
    return accounts;
}

int FindAccount(const std::vector<LoyaltyAccount>& accounts, std::string_view name,
                std::string_view firstName) {
    if (firstName.empty())
        return -1;
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        if (accounts[i].name == name && accounts[i].firstName == firstName)
            return static_cast<int>(i);
    }
    return -1;
}

bool LoadBalancesDatabase(const common::WorkingFolder& folder, LoyaltyBalances& balances,
                          common::MessageSink& messages) {
    balances = LoyaltyBalances{};
    if (LoadBalances(balances, folder.path(kBalancesFileName)))
        return true;
    messages.show(kFinancesErrorCaption, kBalancesFileErrorText);
    return false;
}

bool SaveBalancesDatabase(const common::WorkingFolder& folder, const LoyaltyBalances& balances,
                          common::MessageSink& messages) {
    if (SaveBalances(balances, folder.path(kBalancesFileName)))
        return true;
    messages.show(kFinancesErrorCaption, kBalancesFileErrorText);
    return false;
}

bool LoadSessionPointsDatabase(const common::WorkingFolder& folder, SessionPointsTables& tables,
                               common::MessageSink& messages) {
    tables = SessionPointsTables{};
    if (LoadSessionPoints(tables, folder.path(kSessionPointsFileName)))
        return true;
    messages.show(kFinancesErrorCaption, kSessionPointsFileErrorText);
    return false;
}

bool SaveSessionPointsDatabase(const common::WorkingFolder& folder,
                               const SessionPointsTables& tables, common::MessageSink& messages) {
    if (SaveSessionPoints(tables, folder.path(kSessionPointsFileName)))
        return true;
    messages.show(kFinancesErrorCaption, kSessionPointsFileErrorText);
    return false;
}

bool LoadLoyaltyCard(const common::WorkingFolder& folder, LoyaltyCard& card,
                     common::MessageSink& messages) {
    card = LoyaltyCard{};
    databases::CategoryTable categories{};
    bool loaded = databases::LoadCategoriesDatabase(folder, categories, messages);
    card.categoryNames = PricedCategoryNames(categories);
    card.subscribersLoaded = databases::LoadSubscribersDatabase(folder, card.subscribers, messages);
    loaded &= card.subscribersLoaded;
    LoyaltyBalances read;
    loaded &= LoadBalancesDatabase(folder, read, messages);
    card.balances.header = read.header;
    card.balances.accounts = CardAccounts(card, read.accounts);
    loaded &= LoadSessionPointsDatabase(folder, card.points, messages);
    loaded &= LoadPricesDatabase(folder, card.prices, messages);
    ZeroUnnamedCategoryPoints(card.points, card.categoryNames);
    ZeroUnnamedCategoryRows(card.prices, card.categoryNames);
    return loaded;
}

bool SaveLoyaltyCard(const common::WorkingFolder& folder, const LoyaltyCard& card,
                     common::MessageSink& messages) {
    const bool balances = SaveBalancesDatabase(folder, card.balances, messages);
    const bool points = SaveSessionPointsDatabase(folder, card.points, messages);
    return balances && points;
}

bool ExportLoyaltyCard(const LoyaltyCard& card, const std::filesystem::path& balancesPath,
                       common::MessageSink& messages) {
    const bool balances =
        Reported(SaveBalances(card.balances, balancesPath), kBalancesExportErrorText, messages);
    const bool points =
        Reported(SaveSessionPoints(card.points, SessionPointsTwinPath(balancesPath)),
                 kSessionPointsExportErrorText, messages);
    return balances && points;
}

bool ImportLoyaltyCard(LoyaltyCard& card, const std::filesystem::path& balancesPath,
                       common::MessageSink& messages) {
    LoyaltyBalances balances;
    const bool balancesRead =
        Reported(LoadBalances(balances, balancesPath), kBalancesImportErrorText, messages);
    if (balancesRead) {
        card.balances.header = balances.header;
        card.balances.accounts = CardAccounts(card, balances.accounts);
    }
    SessionPointsTables points;
    const bool pointsRead = Reported(LoadSessionPoints(points, SessionPointsTwinPath(balancesPath)),
                                     kSessionPointsImportErrorText, messages);
    if (pointsRead) {
        ZeroUnnamedCategoryPoints(points, card.categoryNames);
        card.points = points;
    }
    return balancesRead && pointsRead;
}

} // namespace tallimo::finances
