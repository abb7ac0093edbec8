#pragma once

#include "i18n/core/language_code.h"
#include "i18n/core/translation_table.h"

#include <span>
#include <vector>

namespace tallimo::i18n {

// The factory labels built into the program, one table per translatable
// window: the same texts as its shipped ".usine" file. The editor fills its
// tables from here when a window is chosen, and the shipped files are
// generated from here, so the two cannot drift apart.

// The rows as authored (UTF-8, code order); empty for windows without rows
// and for indexes outside the window table.
std::span<const PerLanguage> FactoryTextSource(int windowIndex);

// The same rows in Windows-1252, built once.
const std::vector<TranslationRow>& FactoryRows(int windowIndex);

// Clears `table` for the window's row count and copies the factory rows in.
void FillFromFactoryTexts(TranslationTable& table, int windowIndex);

} // namespace tallimo::i18n
