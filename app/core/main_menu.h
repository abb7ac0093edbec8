#pragma once

// The menu bar of the main window, built in code with the commands the
// window dispatches on; the French texts are the program's own and are
// replaced by the main menu's translation rows when those are present, or
// by the built-in texts of the items that have no row.

#include "app/core/command_id.h"
#include "i18n/core/language_code.h"
#include "i18n/core/translation_table.h"

#include <string>
#include <vector>

namespace tallimo::app {

inline constexpr int kMainMenuRowCount = 32;

struct MainMenuItem {
    CommandId command = CommandId::None; // None for a separator
    std::string text;                    // Windows-1252
    bool hasPicture = false;
};

struct MainMenu {
    std::string title;
    std::vector<MainMenuItem> items;
};

std::vector<MainMenu> BuildMainMenu();

// Titles 0-4 from rows 0-4, items from their rows; an empty translation
// keeps the program's text rather than leaving a blank entry.
void TranslateMainMenu(std::vector<MainMenu>& menus, const i18n::TranslationTable& table,
                       i18n::LanguageCode code);

// The translation row of a command's item, or -1.
int MainMenuRowOf(CommandId command);

// Items added after the translation file's rows were fixed have no row;
// their texts in the six languages are built in. Windows-1252, empty for a
// command that has a row or no item.
std::string BuiltInMenuText(CommandId command, i18n::LanguageCode code);

// Commands grayed while the session clock starts or runs.
bool IsSessionCommand(CommandId command);

} // namespace tallimo::app
