#pragma once

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "i18n/core/language_settings.h"
#include "i18n/core/translation_table.h"

#include <string_view>

namespace tallimo::i18n {

// What a translatable window reads when it opens: the language codes, its
// own labels and, for the database windows, the shared button words of the
// age categories table. Nothing is kept between openings, so a label edited
// in the editor shows the next time the window opens.
struct WindowTexts {
    LanguageSettings languages;
    TranslationTable labels;
    TranslationTable vocabulary;

    // Slot [row][interface code] of the window's own table.
    const std::string& label(int row) const { return labels.text(row, languages.interfaceCode); }
    // Slot [row][interface code] of the common vocabulary.
    const std::string& word(int row) const { return vocabulary.text(row, languages.interfaceCode); }
};

enum class CommonVocabulary { Skip, Load };

// The shared button words live in the age categories table.
inline constexpr std::string_view kVocabularyFileName = "BaseCategoriesAge.trans";
inline constexpr int kVocabularyRowCount = 16;

// Reads the language settings (English when the file is missing), then clears
// and loads "(stem).trans" for `rowCount` rows and, when asked, the common
// vocabulary. Each missing file is reported once through `sink` and leaves
// its labels empty; the window opens anyway.
WindowTexts OpenWindowTexts(const common::WorkingFolder& folder, std::string_view stem,
                            int rowCount, CommonVocabulary vocabulary, common::MessageSink& sink);

// The language settings step alone, for windows that only need the codes.
LanguageSettings OpenLanguageSettings(const common::WorkingFolder& folder,
                                      common::MessageSink& sink);

// Clears `table` for `rowCount` rows and loads `fileName` into it, reporting
// a missing file. False when the file was missing.
bool LoadWindowTable(const common::WorkingFolder& folder, std::string_view fileName,
                     TranslationTable& table, int rowCount, common::MessageSink& sink);

} // namespace tallimo::i18n
