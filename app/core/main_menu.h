#pragma once

// The menu bar of the main window, built in code with the command numbers the
// window dispatches on; the French texts are the program's own and are
// replaced by the main menu's translation rows when those are present.

#include "i18n/core/language_code.h"
#include "i18n/core/translation_table.h"

#include <string>
#include <vector>

namespace tallimo::app {

inline constexpr int kMainMenuRowCount = 32;

struct MainMenuItem {
    int command = 0; // 0 for a separator
    std::string text; // Windows-1252
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
int MainMenuRowOf(int command);

// Commands grayed while the session clock starts or runs.
bool IsSessionCommand(int command);

} // namespace tallimo::app
