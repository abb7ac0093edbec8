#include "i18n/core/factory_texts.h"
#include "i18n/core/language_settings.h"
#include "i18n/core/shipped_translations.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/translation_file.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tallimo::i18n {
namespace {

using testing::TemporaryFolder;

TEST(ShippedTranslationsTest, EveryWindowGetsAFactoryAndAnActiveFileThatRoundTripTheFactoryTexts) {
    TemporaryFolder folder;
    ASSERT_TRUE(WriteShippedTranslations(folder / "Translation"));
    const common::WorkingFolder working(folder.path());

    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "Translation")) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2 * static_cast<int>(kTranslatableWindowCount));

    for (int i = 0; i < static_cast<int>(kTranslatableWindowCount); ++i) {
        const TranslatableWindow& window = *TranslatableWindowAt(i);
        SCOPED_TRACE(window.stem);
        const std::string factory = folder.read("Translation/" + FactoryFileName(window));
        EXPECT_EQ(folder.read("Translation/" + ActiveFileName(window)), factory);
        if (i == kMainWindowWindow)
            continue;
        TranslationTable expected;
        FillFromFactoryTexts(expected, i);
        TranslationTable loaded;
        ASSERT_TRUE(
            LoadTranslationTable(working, FactoryFileName(window), loaded, window.rowCount));
        EXPECT_TRUE(loaded == expected);
        EXPECT_EQ(FormatTranslationFile(loaded, window.rowCount), factory) << "written again";
    }

    LanguageSettings settings{LanguageCode::Spanish, LanguageCode::Spanish};
    ASSERT_TRUE(ReadLanguageSettings(working, settings));
    EXPECT_EQ(settings, LanguageSettings{});
}

TEST(ShippedTranslationsTest, FailsWhenTheFolderCannotBeMade) {
    TemporaryFolder folder;
    folder.write("Translation", "a file, not a folder");
    EXPECT_FALSE(WriteShippedTranslations(folder / "Translation"));
}

} // namespace
} // namespace tallimo::i18n
