#include "common/core/cp1252.h"
#include "i18n/core/factory_texts.h"
#include "i18n/core/language_names.h"
#include "i18n/core/month_names.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/translation_table.h"
#include "i18n/core/window_titles.h"

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

// Texts whose wording other parts of the system rely on: labels that the
// other windows look up by row, and the built-in titles and names.
struct QuotedText {
    const char* name;
    std::string (*actual)();
    const char* expected; // UTF-8
};

template <int Window, int Row, LanguageCode Code> std::string Factory() {
    return common::Cp1252ToUtf8(FactoryRows(Window)[Row].texts[static_cast<std::size_t>(Code)]);
}
template <int Window, LanguageCode Code> std::string DisplayName() {
    return common::Cp1252ToUtf8(WindowDisplayName(Window, Code));
}
template <TitledWindow Window, LanguageCode Code> std::string Title() {
    return common::Cp1252ToUtf8(WindowTitle(Window, Code));
}

constexpr LanguageCode En = LanguageCode::English;
constexpr LanguageCode Fr = LanguageCode::French;
constexpr LanguageCode De = LanguageCode::German;
constexpr LanguageCode It = LanguageCode::Italian;
constexpr LanguageCode Pt = LanguageCode::Portuguese;
constexpr LanguageCode Es = LanguageCode::Spanish;

class QuotedTextTest : public ::testing::TestWithParam<QuotedText> {};

TEST_P(QuotedTextTest, IsWordForWord) {
    EXPECT_EQ(GetParam().actual(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QuotedTextTest,
    ::testing::Values(
        // Main menu titles and items.
        QuotedText{"MenuFileFrench", Factory<0, 0, Fr>, "Fichier"},
        QuotedText{"MenuDatabaseFrench", Factory<0, 1, Fr>, "Base de données"},
        QuotedText{"MenuSettingsFrench", Factory<0, 4, Fr>, "Réglages"},
        QuotedText{"MenuSaveAsFrench", Factory<0, 9, Fr>, "Enregistrer sous..."},
        QuotedText{"MenuQuitFrench", Factory<0, 10, Fr>, "Quitter"},
        QuotedText{"MenuAgeCategoriesFrench", Factory<0, 11, Fr>, "Catégories age"},
        QuotedText{"MenuFirstNamesFrench", Factory<0, 17, Fr>, "Prénoms"},
        QuotedText{"MenuDriversResultsFrench", Factory<0, 18, Fr>, "Résultats pilotes"},
        QuotedText{"MenuPromoEmailsFrench", Factory<0, 23, Fr>, "Emails promo"},
        QuotedText{"MenuInterfaceFrench", Factory<0, 28, Fr>, "Interface"},
        QuotedText{"MenuHelpFrench", Factory<0, 31, Fr>, "Aide"},
        // Common vocabulary of the database windows.
        QuotedText{"AgeAddEnglish", Factory<4, 0, En>, "Add"},
        QuotedText{"AgeAddFrench", Factory<4, 0, Fr>, "Ajouter"},
        QuotedText{"AgeRemoveFrench", Factory<4, 1, Fr>, "Supprimer"},
        QuotedText{"AgeImportEnglish", Factory<4, 2, En>, "Import"},
        QuotedText{"AgeExportFrench", Factory<4, 3, Fr>, "Exporter"},
        QuotedText{"AgeHeadingEnglish", Factory<4, 4, En>, "Database : List of age categories"},
        QuotedText{"AgeListEnglish", Factory<4, 5, En>, "Categ  (20 max)"},
        QuotedText{"AgeIdFrench", Factory<4, 6, Fr>, "N°ID"},
        QuotedText{"AgeSexEnglish", Factory<4, 10, En>, "Sexe :"},
        QuotedText{"AgeOkFrench", Factory<4, 14, Fr>, "Ok"},
        QuotedText{"AgeCancelEnglish", Factory<4, 15, En>, "Cancel"},
        QuotedText{"AgeCancelFrench", Factory<4, 15, Fr>, "Echap"},
        // Kart categories, tracks, fleet, subscribers, clubs.
        QuotedText{"KartsHeadingEnglish", Factory<5, 0, En>,
                   "Database : List of go-karts categories"},
        QuotedText{"KartsHeadingFrench", Factory<5, 0, Fr>,
                   "Base de données : Liste des catégories de karts"},
        QuotedText{"KartsListEnglish", Factory<5, 1, En>, "Categories (5 max)"},
        QuotedText{"KartsListFrench", Factory<5, 1, Fr>, "Catégories (5 max)"},
        QuotedText{"TracksListEnglish", Factory<6, 1, En>, "Tracks  (10 max)"},
        QuotedText{"TracksLengthFrench", Factory<6, 2, Fr>, "Développé :"},
        QuotedText{"FleetHeadingFrench", Factory<8, 0, Fr>, "Parc des karts de location"},
        QuotedText{"FleetKartsEnglish", Factory<8, 2, En>, "Go-karts (30 max)"},
        QuotedText{"FleetKartsFrench", Factory<8, 2, Fr>, "Karts (30 max)"},
        QuotedText{"FleetScanFrench", Factory<8, 3, Fr>, "Scan."},
        QuotedText{"ClubsListEnglish", Factory<7, 1, En>, "Clubs / Teams (100 max)"},
        QuotedText{"SubscribersListEnglish", Factory<9, 1, En>, "Subscribers (500 max)"},
        QuotedText{"PricesSessionFrench", Factory<13, 0, Fr>, "Séance"},
        QuotedText{"PricesMinutesFrench", Factory<13, 1, Fr>, "minutes"},
        QuotedText{"DiscountsEventsEnglish", Factory<14, 0, En>, "Events (50 max)"},
        QuotedText{"LoyaltyForFreeGerman", Factory<15, 6, De>, "kostenlos für"},
        QuotedText{"LoyaltyGivesGerman", Factory<15, 5, De>, "bietet"},
        // The decoder interface window, every row in both given languages.
        QuotedText{"InterfaceDecoderEnglish", Factory<21, 0, En>, "Decoder"},
        QuotedText{"InterfaceDecoderFrench", Factory<21, 0, Fr>, "Décodeur"},
        QuotedText{"InterfaceConnectEnglish", Factory<21, 1, En>, "Connect"},
        QuotedText{"InterfaceConnectFrench", Factory<21, 1, Fr>, "Ouvrir"},
        QuotedText{"InterfaceMessageEnglish", Factory<21, 2, En>, "Message"},
        QuotedText{"InterfaceMessageFrench", Factory<21, 2, Fr>, "Messages"},
        QuotedText{"InterfacePortEnglish", Factory<21, 3, En>, "COM port"},
        QuotedText{"InterfacePortFrench", Factory<21, 3, Fr>, "Port COM"},
        QuotedText{"InterfaceWordEnglish", Factory<21, 4, En>, "Interface"},
        QuotedText{"InterfaceWordFrench", Factory<21, 4, Fr>, "Interface"},
        QuotedText{"InterfaceReadyEnglish", Factory<21, 5, En>, "ready to operate !"},
        QuotedText{"InterfaceReadyFrench", Factory<21, 5, Fr>, "prête à fonctionner !"},
        QuotedText{"InterfaceSoftwareEnglish", Factory<21, 6, En>, "Software ready to operate !"},
        QuotedText{"InterfaceSoftwareFrench", Factory<21, 6, Fr>, "Logiciel prêt à fonctionner !"},
        QuotedText{"InterfaceAttemptEnglish", Factory<21, 7, En>, "COM Port opening attempt :"},
        QuotedText{"InterfaceAttemptFrench", Factory<21, 7, Fr>,
                   "Tentative d'ouverture du port COM :"},
        QuotedText{"InterfaceOpenedEnglish", Factory<21, 8, En>, "COM Port opened correctly, OK !"},
        QuotedText{"InterfaceOpenedFrench", Factory<21, 8, Fr>, "Ouverture du port COM OK !"},
        QuotedText{"InterfaceFailedEnglish", Factory<21, 9, En>, "Could not open the COM Port !"},
        QuotedText{"InterfaceFailedFrench", Factory<21, 9, Fr>,
                   "Echec à l'ouverture du port COM !"},
        QuotedText{"InterfaceNotOpenEnglish", Factory<21, 10, En>, "COM Port is not open !"},
        QuotedText{"InterfaceNotOpenFrench", Factory<21, 10, Fr>, "Port COM non ouvert !"},
        QuotedText{"InterfaceConnectedEnglish", Factory<21, 11, En>, "connected !"},
        QuotedText{"InterfaceConnectedFrench", Factory<21, 11, Fr>, "connecté !"},
        // Editor labels named by their controls.
        QuotedText{"EditorApplyFrench", Factory<18, 3, Fr>, "Appliquer"},
        QuotedText{"EditorRestoreFrench", Factory<18, 10, Fr>, "Rétablir la traduction d'usine"},
        QuotedText{"EditorSaveFrench", Factory<18, 11, Fr>, "Enregistrer la modification"},
        // Display names of the window table.
        QuotedText{"NameMainMenuFrench", DisplayName<0, Fr>, "Menu principal"},
        QuotedText{"NameAgeEnglish", DisplayName<4, En>, "Database 'AgeCategories'"},
        QuotedText{"NameAgeFrench", DisplayName<4, Fr>, "Base données 'Catégories Age'"},
        QuotedText{"NameFleetEnglish", DisplayName<8, En>, "Database 'Fleet of go-karts'"},
        QuotedText{"NameLoyaltyFrench", DisplayName<15, Fr>, "Fenêtre 'Carte fidélité'"},
        QuotedText{"NameInternetEnglish", DisplayName<22, En>, "Window 'Internet'"},
        // Built-in titles, names and months.
        QuotedText{"TitleTracksEnglish", Title<TitledWindow::Tracks, En>, "Database Race tracks"},
        QuotedText{"TitleKartsSpanish", Title<TitledWindow::KartCategories, Es>,
                   "Base de datos Categorías de karts"},
        QuotedText{"TitleFleetItalian", Title<TitledWindow::Fleet, It>,
                   "Flotta Go-kart da noleggio"},
        QuotedText{"TitleDiscountsEnglish", Title<TitledWindow::Discounts, En>,
                   "Rental discounts "},
        QuotedText{"TitleDiscountsGerman", Title<TitledWindow::Discounts, De>,
                   "Preisnachlässe Vermietung"},
        QuotedText{"TitleLoyaltyPortuguese", Title<TitledWindow::LoyaltyCard, Pt>,
                   "Cartão fidelidade"},
        QuotedText{"TitleInterfaceUnknownCode",
                   Title<TitledWindow::DecoderInterface, LanguageCode{8}>, "Decoder Interface"},
        QuotedText{"TitleEditorFrench", Title<TitledWindow::TranslationEditor, Fr>,
                   "Traduction logiciel"},
        QuotedText{"TitleFormItalian", Title<TitledWindow::SubscriberForm, It>,
                   "Formulario  Abbonato"},
        QuotedText{"LanguageFrenchInFrench",
                   [] { return common::Cp1252ToUtf8(LanguageName(Fr, Fr)); }, "Français"},
        QuotedText{"LanguageSpanishInFrench",
                   [] { return common::Cp1252ToUtf8(LanguageName(Es, Fr)); }, "Espagnol"},
        QuotedText{"MonthSeptemberItalian", [] { return common::Cp1252ToUtf8(MonthName(8, It)); },
                   "settembre"},
        QuotedText{"MonthSeptemberPortuguese",
                   [] { return common::Cp1252ToUtf8(MonthName(8, Pt)); }, "Setembro"},
        QuotedText{"MonthAugustFrench", [] { return common::Cp1252ToUtf8(MonthName(7, Fr)); },
                   "août"}),
    [](const ::testing::TestParamInfo<QuotedText>& info) { return std::string(info.param.name); });

TEST(BuiltInNamesTest, LanguageAndMonthNamesFitTheirCombos) {
    for (std::size_t in = 0; in < kLanguageCount; ++in) {
        for (std::size_t language = 0; language < kLanguageCount; ++language) {
            const std::string name =
                LanguageName(static_cast<LanguageCode>(language), static_cast<LanguageCode>(in));
            EXPECT_FALSE(name.empty());
            EXPECT_LE(name.size(), kLanguageNameChars) << name;
            EXPECT_EQ(name.find('?'), std::string::npos) << name;
        }
        for (int month = 0; month < 12; ++month)
            EXPECT_FALSE(MonthName(month, static_cast<LanguageCode>(in)).empty());
    }
    EXPECT_EQ(MonthName(12, LanguageCode::English), "");
}

} // namespace
} // namespace tallimo::i18n
