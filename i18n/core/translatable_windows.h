#pragma once

#include "i18n/core/language_code.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tallimo::i18n {

inline constexpr std::size_t kTranslatableWindowCount = 23;
inline constexpr std::size_t kWindowStemChars = 31;
// Display names fill slots of 38 characters with their terminator.
inline constexpr std::size_t kWindowDisplayNameChars = 37;

// Window indexes the editor and the restore treat specially.
inline constexpr int kMainMenuWindow = 0;
inline constexpr int kMainWindowWindow = 1;    // holds the language line, never saved as a table
inline constexpr int kAgeCategoriesWindow = 4; // doubles as the common vocabulary
inline constexpr int kTranslationEditorWindow = 18;

// One window whose labels can be translated. The index in the table is the
// window index of the editor; windows with no rows are listed but have no
// editable labels.
struct TranslatableWindow {
    const char* stem;
    int rowCount;
    PerLanguage displayNames; // UTF-8
};

std::span<const TranslatableWindow> TranslatableWindows();

// The window of an index, or nullptr outside 0..22.
const TranslatableWindow* TranslatableWindowAt(int index);

// The index of the window with this stem, or -1.
int FindTranslatableWindow(std::string_view stem);

// Windows-1252 display name of a window in `code`; empty outside 0..22.
std::string WindowDisplayName(int index, LanguageCode code);

// "(stem).trans" and "(stem).usine".
std::string ActiveFileName(const TranslatableWindow& window);
std::string FactoryFileName(const TranslatableWindow& window);

} // namespace tallimo::i18n
