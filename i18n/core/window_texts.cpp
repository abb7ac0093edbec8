#include "i18n/core/window_texts.h"

#include "i18n/core/translation_file.h"
#include "i18n/core/translation_messages.h"

#include <string>

namespace tallimo::i18n {

LanguageSettings OpenLanguageSettings(const common::WorkingFolder& folder,
                                      common::MessageSink& sink) {
    LanguageSettings settings;
    if (!ReadLanguageSettings(folder, settings)) {
        ReportMissingTranslationFile(sink, kLanguageSettingsFileName);
    }
    return settings;
}

bool LoadWindowTable(const common::WorkingFolder& folder, std::string_view fileName,
                     TranslationTable& table, int rowCount, common::MessageSink& sink) {
    table.clear(rowCount);
    if (LoadTranslationTable(folder, fileName, table, rowCount))
        return true;
    ReportMissingTranslationFile(sink, fileName);
    return false;
}

WindowTexts OpenWindowTexts(const common::WorkingFolder& folder, std::string_view stem,
                            int rowCount, CommonVocabulary vocabulary, common::MessageSink& sink) {
    WindowTexts texts;
    texts.languages = OpenLanguageSettings(folder, sink);
    std::string fileName(stem);
    fileName += kActiveExtension;
    LoadWindowTable(folder, fileName, texts.labels, rowCount, sink);
    if (vocabulary == CommonVocabulary::Load)
        LoadWindowTable(folder, kVocabularyFileName, texts.vocabulary, kVocabularyRowCount, sink);
    return texts;
}

} // namespace tallimo::i18n
