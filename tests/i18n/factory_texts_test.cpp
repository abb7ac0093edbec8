#include "common/core/cp1252.h"
#include "i18n/core/factory_texts.h"
#include "i18n/core/language_names.h"
#include "i18n/core/month_names.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/translation_table.h"

#include <gtest/gtest.h>

#include <string>

namespace tallimo::i18n {
namespace {

std::string StemName(const ::testing::TestParamInfo<int>& info) {
    return TranslatableWindowAt(info.param)->stem;
}

// A text survives the trip to Windows-1252 and back only when every
// character has a Windows-1252 form.
bool FitsSlot(const std::string& utf8, std::size_t maxBytes, std::string& why) {
    const std::string cp1252 = common::Utf8ToCp1252(utf8);
    if (common::Cp1252ToUtf8(cp1252) != utf8) {
        why = "not Windows-1252: " + utf8;
        return false;
    }
    if (cp1252.size() > maxBytes) {
        why = "too long (" + std::to_string(cp1252.size()) + "): " + utf8;
        return false;
    }
    return true;
}

class FactoryTextsTest : public ::testing::TestWithParam<int> {};

TEST_P(FactoryTextsTest, EveryRowIsFilledInEveryLanguageAndFitsItsSlot) {
    const TranslatableWindow& window = *TranslatableWindowAt(GetParam());
    const auto source = FactoryTextSource(GetParam());
    ASSERT_EQ(static_cast<int>(source.size()), window.rowCount);
    ASSERT_EQ(FactoryRows(GetParam()).size(), source.size());
    for (std::size_t r = 0; r < source.size(); ++r) {
        for (std::size_t c = 0; c < kLanguageCount; ++c) {
            const std::string text = source[r][c];
            std::string why;
            EXPECT_FALSE(text.empty()) << "row " << r << " language " << c;
            EXPECT_TRUE(FitsSlot(text, kTranslationTextChars, why))
                << "row " << r << " language " << c << ": " << why;
        }
    }
}

TEST_P(FactoryTextsTest, DisplayNamesAndStemFitTheirSlots) {
    const TranslatableWindow& window = *TranslatableWindowAt(GetParam());
    EXPECT_LE(std::string(window.stem).size(), kWindowStemChars);
    EXPECT_EQ(FindTranslatableWindow(window.stem), GetParam());
    for (std::size_t c = 0; c < kLanguageCount; ++c) {
        std::string why;
        EXPECT_FALSE(std::string(window.displayNames[c]).empty());
        EXPECT_TRUE(FitsSlot(window.displayNames[c], kWindowDisplayNameChars, why)) << why;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, FactoryTextsTest,
                         ::testing::Range(0, static_cast<int>(kTranslatableWindowCount)), StemName);

TEST(FactoryTextsTest, FillingATableClearsWhatTheWindowDoesNotHave) {
    TranslationTable table;
    table.setText(5, LanguageCode::French, "stale");
    FillFromFactoryTexts(table, FindTranslatableWindow("BaseCategoriesKarts"));
    EXPECT_EQ(table.text(5, LanguageCode::French), "stale"); // beyond its 4 rows
    FillFromFactoryTexts(table, FindTranslatableWindow("BasePistes"));
    EXPECT_EQ(table.text(5, LanguageCode::French), "Effacer");
    EXPECT_TRUE(FactoryRows(kMainWindowWindow).empty());
    EXPECT_TRUE(FactoryRows(23).empty());
}

// Labels whose wording other parts of the system rely on: the vocabulary
// the other windows borrow by row, and the limits the lists announce.
struct QuotedText {
    const char* name;
    int window;
    int row;
    LanguageCode code;
    const char* expected; // UTF-8
};

constexpr LanguageCode En = LanguageCode::English;
constexpr LanguageCode Fr = LanguageCode::French;
constexpr LanguageCode De = LanguageCode::German;

class QuotedTextTest : public ::testing::TestWithParam<QuotedText> {};

TEST_P(QuotedTextTest, IsWordForWord) {
    const QuotedText& row = GetParam();
    EXPECT_EQ(common::Cp1252ToUtf8(
                  FactoryRows(row.window)[row.row].texts[static_cast<std::size_t>(row.code)]),
              row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QuotedTextTest,
    ::testing::Values(QuotedText{"MenuSaveAsFrench", 0, 9, Fr, "Enregistrer sous..."},
                      QuotedText{"MenuHelpFrench", 0, 31, Fr, "Aide"},
                      QuotedText{"AgeAddFrench", 4, 0, Fr, "Ajouter"},
                      QuotedText{"AgeExportFrench", 4, 3, Fr, "Exporter"},
                      QuotedText{"AgeListEnglish", 4, 5, En, "Categ  (20 max)"},
                      QuotedText{"AgeIdFrench", 4, 6, Fr, "N°ID"},
                      QuotedText{"AgeOkFrench", 4, 14, Fr, "Ok"},
                      QuotedText{"AgeCancelFrench", 4, 15, Fr, "Echap"},
                      QuotedText{"KartsListFrench", 5, 1, Fr, "Catégories (5 max)"},
                      QuotedText{"TracksListEnglish", 6, 1, En, "Tracks  (10 max)"},
                      QuotedText{"FleetKartsFrench", 8, 2, Fr, "Karts (30 max)"},
                      QuotedText{"ClubsListEnglish", 7, 1, En, "Clubs / Teams (100 max)"},
                      QuotedText{"SubscribersListEnglish", 9, 1, En, "Subscribers (500 max)"},
                      QuotedText{"DiscountsEventsEnglish", 14, 0, En, "Events (50 max)"},
                      QuotedText{"LoyaltyForFreeGerman", 15, 6, De, "kostenlos für"},
                      QuotedText{"EditorApplyFrench", 18, 3, Fr, "Appliquer"},
                      QuotedText{"EditorRestoreFrench", 18, 10, Fr,
                                 "Rétablir la traduction d'usine"}),
    [](const ::testing::TestParamInfo<QuotedText>& test) { return std::string(test.param.name); });

TEST(WindowDisplayNameTest, NamesTheWindowInTheChosenLanguage) {
    EXPECT_EQ(common::Cp1252ToUtf8(WindowDisplayName(4, Fr)), "Base données 'Catégories Age'");
    EXPECT_EQ(common::Cp1252ToUtf8(WindowDisplayName(22, En)), "Window 'Internet'");
    EXPECT_EQ(common::Cp1252ToUtf8(LanguageName(LanguageCode::Spanish, Fr)), "Espagnol");
}

TEST(BuiltInNamesTest, LanguageAndMonthNamesFitTheirCombos) {
    for (std::size_t in = 0; in < kLanguageCount; ++in) {
        for (std::size_t language = 0; language < kLanguageCount; ++language) {
            const std::string name =
                LanguageName(static_cast<LanguageCode>(language), static_cast<LanguageCode>(in));
            EXPECT_FALSE(name.empty());
            EXPECT_LE(name.size(), kLanguageNameChars) << name;
            EXPECT_EQ(name.find('?'), std::string::npos) << name;
        }
        for (int month = 0; month < 12; ++month) {
            const std::string name = MonthName(month, static_cast<LanguageCode>(in));
            EXPECT_FALSE(name.empty());
            EXPECT_EQ(name.find('?'), std::string::npos) << name;
        }
    }
    EXPECT_EQ(MonthName(12, LanguageCode::English), "");
}

} // namespace
} // namespace tallimo::i18n
