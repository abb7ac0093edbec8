#include "i18n/core/shipped_translations.h"

#include "common/core/data_file.h"
#include "i18n/core/factory_texts.h"
#include "i18n/core/language_settings.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/translation_file.h"

#include <system_error>

namespace tallimo::i18n {

std::string ShippedTranslationBytes(int windowIndex) {
    if (windowIndex == kMainWindowWindow)
        return FormatLanguageLine(LanguageSettings{});
    const TranslatableWindow* window = TranslatableWindowAt(windowIndex);
    if (window == nullptr)
        return {};
    TranslationTable table;
    FillFromFactoryTexts(table, windowIndex);
    return FormatTranslationFile(table, window->rowCount);
}

bool WriteShippedTranslations(const std::filesystem::path& translationFolder) {
    std::error_code error;
    std::filesystem::create_directories(translationFolder, error);
    if (error)
        return false;
    const auto windows = TranslatableWindows();
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const std::string bytes = ShippedTranslationBytes(static_cast<int>(i));
        if (!common::WriteFileAtomically(translationFolder / FactoryFileName(windows[i]), bytes) ||
            !common::WriteFileAtomically(translationFolder / ActiveFileName(windows[i]), bytes))
            return false;
    }
    return true;
}

} // namespace tallimo::i18n
