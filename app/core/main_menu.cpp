#include "app/core/main_menu.h"

#include <algorithm>
#include <utility>

namespace tallimo::app {
namespace {

MainMenuItem Item(CommandId command, const char* text, bool picture = false) {
    return {command, text, picture};
}
MainMenuItem Separator() {
    return {CommandId::None, "", false};
}

} // namespace

std::vector<MainMenu> BuildMainMenu() {
    return {
        {"Fichier",
         {Item(CommandId::NewSession, "Nouvelle session", true),
          Item(CommandId::OpenSession, "Ouvrir session"), Separator(),
          Item(CommandId::Save, "Enregistrer", true),
          Item(CommandId::SaveAs, "Enregistrer sous..."), Separator(), Separator(),
          Item(CommandId::Quit, "Quitter", true)}},
        {"Base de donn\xE9"
         "es",
         {Item(CommandId::Tracks, "Pistes", true), Separator(), Separator(),
          Item(CommandId::Clubs, "Clubs/Teams", true), Separator(), Separator(),
          Item(CommandId::KartCategories, "Cat\xE9gories karts"),
          Item(CommandId::Fleet, "Parc de karts", true), Separator(), Separator(),
          Item(CommandId::AgeCategories, "Cat\xE9gories age"),
          Item(CommandId::FirstNames, "Pr\xE9noms"),
          Item(CommandId::Subscribers, "Abonn\xE9s", true)}},
        {"Chronos",
         {Item(CommandId::DriverResults, "R\xE9sultats pilotes", true),
          Item(CommandId::DriversBoard, "Affichage pilotes")}},
        {"Finances",
         {Item(CommandId::Prices, "Tarifs", true), Separator(),
          Item(CommandId::Discounts, "Remises", true),
          Item(CommandId::LoyaltyCard, "Carte fid\xE9lit\xE9", true), Separator(), Separator(),
          Item(CommandId::PromotionalEmails, "Emails promo", true)}},
        {"R\xE9glages", {Item(CommandId::DecoderInterface, "Interface", true)}},
        {"?", {Item(CommandId::Help, "Aide")}},
    };
}

int MainMenuRowOf(CommandId command) {
    // The rows of the main menu's translation file, in menu order.
    struct CommandRow {
        CommandId command;
        int row;
    };
    constexpr CommandRow kRows[] = {
        {CommandId::NewSession, 6},
        {CommandId::OpenSession, 7},
        {CommandId::Save, 8},
        {CommandId::SaveAs, 9},
        {CommandId::Quit, 10},
        {CommandId::AgeCategories, 11},
        {CommandId::KartCategories, 12},
        {CommandId::Tracks, 13},
        {CommandId::Clubs, 14},
        {CommandId::Fleet, 15},
        {CommandId::Subscribers, 16},
        {CommandId::FirstNames, 17},
        {CommandId::DriverResults, 18},
        {CommandId::Prices, 20},
        {CommandId::Discounts, 21},
        {CommandId::LoyaltyCard, 22},
        {CommandId::PromotionalEmails, 23},
        {CommandId::DecoderInterface, 28},
        {CommandId::Help, 31},
    };
    for (const CommandRow& entry : kRows)
        if (entry.command == command)
            return entry.row;
    return -1;
}

std::string BuiltInMenuText(CommandId command, i18n::LanguageCode code) {
    if (command != CommandId::DriversBoard)
        return {};
    // English, French, German, Italian, Portuguese, Spanish.
    constexpr i18n::PerLanguage kDriversBoard = {"Drivers' board",     "Affichage pilotes",
                                                 "Fahreranzeige",      "Tabellone piloti",
                                                 "Painel dos pilotos", "Pantalla de pilotos"};
    return i18n::PickByLanguage(kDriversBoard, code);
}

void TranslateMainMenu(std::vector<MainMenu>& menus, const i18n::TranslationTable& table,
                       i18n::LanguageCode code) {
    for (std::size_t index = 0; index < menus.size() && index < 5; ++index) {
        const std::string& title = table.text(static_cast<int>(index), code);
        if (!title.empty())
            menus[index].title = title;
    }
    for (MainMenu& menu : menus)
        for (MainMenuItem& item : menu.items) {
            const int row = MainMenuRowOf(item.command);
            if (row < 0) {
                std::string builtIn = BuiltInMenuText(item.command, code);
                if (!builtIn.empty())
                    item.text = std::move(builtIn);
                continue;
            }
            const std::string& text = table.text(row, code);
            if (!text.empty())
                item.text = text;
        }
}

bool IsSessionCommand(CommandId command) {
    constexpr CommandId kGrayed[] = {
        CommandId::NewSession, CommandId::OpenSession, CommandId::Save,
        CommandId::SaveAs,     CommandId::Quit,        CommandId::KartCategories,
        CommandId::Tracks,     CommandId::Fleet,       CommandId::DecoderInterface};
    return std::find(std::begin(kGrayed), std::end(kGrayed), command) != std::end(kGrayed);
}

} // namespace tallimo::app
