#include "app/core/first_start.h"
#include "app/core/main_menu.h"
#include "app/core/program_folders.h"
#include "app/core/session_tree.h"
#include "databases/core/countries_file.h"
#include "databases/core/country_names.h"
#include "databases/core/first_names_calendar.h"
#include "session/core/session_startup.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tallimo::app {
namespace {

using namespace session;

std::vector<std::pair<std::string, int>> TextsAndValues(const std::vector<SessionTreeItem>& items) {
    std::vector<std::pair<std::string, int>> result;
    for (const SessionTreeItem& item : items)
        result.emplace_back(item.text, item.value);
    return result;
}

TEST(SessionTree, ListsBrokenDownKartsCategoriesWithTheirKartsInUseAndPrivateKarts) {
    RentalSession session;
    FleetLayout fleet;
    fleet.categoryNames = {"Adultes", "", "Enfants", "", ""};
    BuildSessionFromFleet(session, fleet);
    session.kart(0, 4).usage = KartUsage::InSession;
    session.kart(0, 1).usage = KartUsage::InSession;
    session.kart(2, 0).usage = KartUsage::BrokenDown;
    session.kart(kPrivateCategoryIndex, 2).usage = KartUsage::InSession;

    const std::vector<SessionTreeItem> items = BuildSessionTree(session);
    const std::vector<std::pair<std::string, int>> expected{{"Type de session", 10000},
                                                            {"Location", 800},
                                                            {"Piste", 900},
                                                            {"", 100000},
                                                            {"Karts en panne", 1000},
                                                            {"K201", 1201},
                                                            {"", 100000},
                                                            {"Adultes", 0},
                                                            {"K2", 2},
                                                            {"K5", 5},
                                                            {"Enfants", 200},
                                                            {"", 100000},
                                                            {"Karts priv\xE9s", 500},
                                                            {"KP3", 503}};
    EXPECT_EQ(TextsAndValues(items), expected);
    EXPECT_TRUE(items[7].bold);
    EXPECT_EQ(items[8].parent, 7);
    EXPECT_EQ(items[10].image, 4) << "category images follow the category index";
    EXPECT_EQ(items[13].image, 7);
    EXPECT_EQ(items[3].image, kTreeNoImage);
}

TEST(SessionTree, ContextMenusOfferTheItemsCommand) {
    const std::pair<int, CommandId> valueAndCommand[] = {{10000, CommandId::ShowBoard},
                                                         {900, CommandId::SessionTrack},
                                                         {0, CommandId::CategoryKartList},
                                                         {400, CommandId::CategoryKartList},
                                                         {500, CommandId::PrivateKartList},
                                                         {800, CommandId::None},
                                                         {5, CommandId::None},
                                                         {1000, CommandId::None}};
    for (const auto& [value, command] : valueAndCommand)
        EXPECT_EQ(TreeContextCommand(value), command) << "item " << value;
}

TEST(SessionTree, OnlyRentalKartsCanBeDeclaredBrokenDown) {
    int category = -1, slot = -1;
    EXPECT_TRUE(TreeItemIsRentalKart(230, category, slot));
    EXPECT_EQ(category, 2);
    EXPECT_EQ(slot, 29);
    EXPECT_FALSE(TreeItemIsRentalKart(200, category, slot)) << "a category heading";
    EXPECT_FALSE(TreeItemIsRentalKart(503, category, slot)) << "private karts";
    EXPECT_FALSE(TreeItemIsRentalKart(1201, category, slot)) << "already broken down";
    EXPECT_FALSE(TreeItemIsRentalKart(10000, category, slot));
}

TEST(MainMenu, TranslatedRowsReplaceTheProgramsTextsButBlanksKeepThem) {
    std::vector<MainMenu> menus = BuildMainMenu();
    ASSERT_EQ(menus.size(), 6u);
    i18n::TranslationTable table;
    table.setText(0, i18n::LanguageCode::English, "File");
    table.setText(6, i18n::LanguageCode::English, "New session");
    table.setText(28, i18n::LanguageCode::English, "Interface");
    table.setText(31, i18n::LanguageCode::English, "Help");
    TranslateMainMenu(menus, table, i18n::LanguageCode::English);
    EXPECT_EQ(menus[0].title, "File");
    EXPECT_EQ(menus[0].items[0].text, "New session");
    EXPECT_EQ(menus[0].items[1].text, "Ouvrir session") << "an empty row keeps the French text";
    EXPECT_EQ(menus[1].title, "Base de donn\xE9"
                              "es");
    EXPECT_EQ(menus[5].items[0].text, "Help");
    EXPECT_EQ(MainMenuRowOf(CommandId::FirstNames), 17);
    EXPECT_EQ(MainMenuRowOf(CommandId::PromotionalEmails), 23);
    EXPECT_EQ(MainMenuRowOf(CommandId::ShowBoard), -1);
}

TEST(MainMenu, EveryItemHasATranslationRowOfItsOwnOrBuiltInTexts) {
    // A command missing from both would keep its French text for good.
    std::vector<int> rows;
    for (const MainMenu& menu : BuildMainMenu())
        for (const MainMenuItem& item : menu.items) {
            if (item.command == CommandId::None)
                continue;
            const int row = MainMenuRowOf(item.command);
            if (row < 0)
                EXPECT_FALSE(BuiltInMenuText(item.command, i18n::LanguageCode::German).empty())
                    << "command " << CommandNumber(item.command);
            else
                rows.push_back(row);
        }
    ASSERT_EQ(rows.size(), 19u);
    for (int row : rows)
        EXPECT_GE(row, 6);
    std::vector<int> sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "a row twice";
    EXPECT_EQ(MainMenuRowOf(CommandId::NewSession), 6);
    EXPECT_EQ(MainMenuRowOf(CommandId::DecoderInterface), 28);
    EXPECT_EQ(MainMenuRowOf(CommandId::Help), 31);
}

TEST(MainMenu, TheDriversBoardFollowsTheDriverResultsInItsOwnLanguages) {
    // It has no translation row: the table's rows must not reach it, blank or not.
    i18n::TranslationTable table;
    for (int row = 0; row < kMainMenuRowCount; ++row)
        table.setText(row, i18n::LanguageCode::Spanish, "fila " + std::to_string(row));
    const std::pair<i18n::LanguageCode, const char*> expected[] = {
        {i18n::LanguageCode::English, "Drivers' board"},
        {i18n::LanguageCode::French, "Affichage pilotes"},
        {i18n::LanguageCode::German, "Fahreranzeige"},
        {i18n::LanguageCode::Italian, "Tabellone piloti"},
        {i18n::LanguageCode::Portuguese, "Painel dos pilotos"},
        {i18n::LanguageCode::Spanish, "Pantalla de pilotos"},
        {static_cast<i18n::LanguageCode>(9), "Drivers' board"}};
    for (const auto& [code, text] : expected) {
        std::vector<MainMenu> menus = BuildMainMenu();
        TranslateMainMenu(menus, table, code);
        const std::vector<MainMenuItem>& chronos = menus[2].items;
        ASSERT_EQ(chronos.size(), 2u);
        EXPECT_EQ(chronos[0].command, CommandId::DriverResults);
        EXPECT_EQ(chronos[1].command, CommandId::DriversBoard);
        EXPECT_EQ(chronos[1].text, text) << static_cast<int>(code);
    }
    EXPECT_EQ(BuildMainMenu()[2].items[1].text, "Affichage pilotes") << "untranslated";
    EXPECT_FALSE(IsSessionCommand(CommandId::DriversBoard)) << "usable while the clock runs";
}

TEST(ProgramFolders, OptionThenVariableThenTheUsersDataFolder) {
    Environment environment{std::string("/srv/tallimo"), std::string("/home/op/.data"),
                            std::string("/home/op")};
    EXPECT_EQ(ResolveWorkingFolder(std::string("/tmp/day"), environment),
              std::filesystem::path("/tmp/day"));
    EXPECT_EQ(ResolveWorkingFolder(std::nullopt, environment),
              std::filesystem::path("/srv/tallimo"));
    environment.workingFolder.reset();
    EXPECT_EQ(ResolveWorkingFolder(std::nullopt, environment),
              std::filesystem::path("/home/op/.data/Tallimo Pistara"));
    environment.dataHome.reset();
    EXPECT_EQ(ResolveWorkingFolder(std::nullopt, environment),
              std::filesystem::path("/home/op/.local/share/Tallimo Pistara"));
    EXPECT_EQ(ResourceFolderFor("/usr/local/bin/tallimo"),
              std::filesystem::path("/usr/local/share/tallimo"));
}

TEST(ProgramFolders, AFirstStartCopiesWhatIsMissingAndNeverAnOperatorsFile) {
    testing::TemporaryFolder resources, work;
    resources.write("sons/beep1.wav", "RIFF beep");
    resources.write("Translation/BasePistes.trans", "factory");
    resources.write("unrelated.txt", "not a resource");
    work.write("Translation/BasePistes.trans", "edited by the operator");

    const FirstStartReport report = FillWorkingFolder(resources.path(), work.path());
    EXPECT_EQ(report.copied, std::vector<std::string>{"sons/beep1.wav"});
    EXPECT_TRUE(report.failed.empty());
    EXPECT_EQ(work.read("Translation/BasePistes.trans"), "edited by the operator");
    EXPECT_FALSE(std::filesystem::exists(work / "unrelated.txt"));
    EXPECT_TRUE(std::filesystem::is_directory(work / "Private"));
    EXPECT_TRUE(std::filesystem::is_directory(work / "Runs"));
    EXPECT_TRUE(FillWorkingFolder(resources.path(), work.path()).copied.empty())
        << "a second start copies nothing";
}

TEST(ProgramFolders, AFirstStartWritesTheShippedListsAndKeepsTheOperatorsOwn) {
    testing::TemporaryFolder work;
    const common::WorkingFolder folder(work.path());
    CreateMissingDataFiles(folder);
    std::vector<std::string> countries;
    ASSERT_TRUE(databases::LoadCountryNames(folder.path(databases::kCountriesFileName), countries));
    EXPECT_EQ(countries, databases::ShippedCountryNames());
    databases::FirstNameTable calendar =
        databases::MakeFirstNameTable(databases::kCalendarFirstNames);
    ASSERT_TRUE(databases::LoadFirstNames(calendar, folder.path(databases::kCalendarFileName)));
    EXPECT_EQ(calendar, databases::ShippedFirstNameCalendar());

    work.write(databases::kCountriesFileName, "Pays de Cocagne\n");
    CreateMissingDataFiles(folder);
    EXPECT_EQ(work.read(databases::kCountriesFileName), "Pays de Cocagne\n");
}

} // namespace
} // namespace tallimo::app
