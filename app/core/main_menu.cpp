#include "app/core/main_menu.h"

#include <algorithm>

namespace tallimo::app {
namespace {

MainMenuItem Item(int command, const char* text, bool picture = false) { return {command, text, picture}; }
MainMenuItem Separator() { return {0, "", false}; }

} // namespace

std::vector<MainMenu> BuildMainMenu()
{
    return {
        {"Fichier",
         {Item(1001, "Nouvelle session", true), Item(1002, "Ouvrir session"), Separator(),
          Item(1003, "Enregistrer", true), Item(1004, "Enregistrer sous..."), Separator(), Separator(),
          Item(1005, "Quitter", true)}},
        {"Base de donn\xE9" "es",
         {Item(1013, "Pistes", true), Separator(), Separator(), Item(1014, "Clubs/Teams", true), Separator(),
          Separator(), Item(1012, "Cat\xE9gories karts"), Item(1015, "Parc de karts", true), Separator(),
          Separator(), Item(1011, "Cat\xE9gories age"), Item(1017, "Pr\xE9noms"),
          Item(1016, "Abonn\xE9s", true)}},
        {"Chronos", {Item(1021, "R\xE9sultats pilotes", true)}},
        {"Finances",
         {Item(1031, "Tarifs", true), Separator(), Item(1032, "Remises", true),
          Item(1033, "Carte fid\xE9lit\xE9", true), Separator(), Separator(), Item(1034, "Emails promo", true)}},
        {"R\xE9glages", {Item(1044, "Interface", true)}},
        {"?", {Item(1061, "Aide")}},
    };
}

int MainMenuRowOf(int command)
{
    if (command >= 1001 && command <= 1005)
        return command - 1001 + 6;
    if (command >= 1011 && command <= 1017)
        return command - 1011 + 11;
    if (command == 1021)
        return 18;
    if (command >= 1031 && command <= 1034)
        return command - 1031 + 20;
    if (command == 1044)
        return 28;
    if (command == 1061)
        return 31;
    return -1;
}

void TranslateMainMenu(std::vector<MainMenu>& menus, const i18n::TranslationTable& table,
                       i18n::LanguageCode code)
{
    for (std::size_t index = 0; index < menus.size() && index < 5; ++index) {
        const std::string& title = table.text(static_cast<int>(index), code);
        if (!title.empty())
            menus[index].title = title;
    }
    for (MainMenu& menu : menus)
        for (MainMenuItem& item : menu.items) {
            const int row = MainMenuRowOf(item.command);
            if (row < 0)
                continue;
            const std::string& text = table.text(row, code);
            if (!text.empty())
                item.text = text;
        }
}

bool IsSessionCommand(int command)
{
    constexpr int kGrayed[] = {1001, 1002, 1003, 1004, 1005, 1012, 1013, 1015, 1044};
    return std::find(std::begin(kGrayed), std::end(kGrayed), command) != std::end(kGrayed);
}

} // namespace tallimo::app
