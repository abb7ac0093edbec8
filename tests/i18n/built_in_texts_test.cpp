#include "common/core/cp1252.h"
#include "i18n/core/age_text.h"
#include "i18n/core/discount_window_texts.h"
#include "i18n/core/email_window_texts.h"
#include "i18n/core/file_filter_texts.h"
#include "i18n/core/fleet_window_texts.h"
#include "i18n/core/month_names.h"
#include "i18n/core/registration_form_texts.h"
#include "i18n/core/subscriber_window_texts.h"
#include "i18n/core/text_fields.h"
#include "i18n/core/track_window_texts.h"
#include "i18n/core/window_titles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>

namespace tallimo::i18n {
namespace {

using TextFunction = std::string (*)(LanguageCode);

constexpr LanguageCode En = LanguageCode::English;
constexpr LanguageCode Fr = LanguageCode::French;
constexpr LanguageCode De = LanguageCode::German;
constexpr LanguageCode It = LanguageCode::Italian;
constexpr LanguageCode Pt = LanguageCode::Portuguese;
constexpr LanguageCode Es = LanguageCode::Spanish;

template <TitledWindow W> std::string Title(LanguageCode c) {
    return WindowTitle(W, c);
}
template <FilteredFile F> std::string Filter(LanguageCode c) {
    return FileFilterCaption(F, c);
}
template <FixedDiscountEvent E> std::string EventName(LanguageCode c) {
    return FixedEventName(E, c);
}
template <FixedDiscountEvent E> std::string EventDate(LanguageCode c) {
    return FixedEventDateLabel(E, c);
}
template <ClubEmailProblem P> std::string ClubEmail(LanguageCode c) {
    return ClubEmailErrorText(P, c);
}
template <EmailPreview P> std::string Preview(LanguageCode c) {
    return EmailPreviewMenuItem(P, c);
}
template <int M> std::string Month(LanguageCode c) {
    return MonthName(M, c);
}

constexpr auto kBirthday = FixedDiscountEvent::SubscribersBirthday;
constexpr auto kNameday = FixedDiscountEvent::SubscribersNameday;

// Every built-in text chosen by language. A character with no Windows-1252
// form turns into '?', so each text must hold exactly the question marks it
// was written with.
struct BuiltInText {
    const char* name;
    TextFunction text;
    int questionMarks = 0;
};

void PrintTo(const BuiltInText& row, std::ostream* os) {
    *os << row.name;
}

class BuiltInTextTest : public ::testing::TestWithParam<BuiltInText> {};

TEST_P(BuiltInTextTest, IsWrittenInEveryLanguageInWindows1252) {
    for (std::size_t c = 0; c < kLanguageCount; ++c) {
        const std::string text = GetParam().text(static_cast<LanguageCode>(c));
        EXPECT_FALSE(text.empty()) << "language " << c;
        EXPECT_EQ(std::count(text.begin(), text.end(), '?'), GetParam().questionMarks)
            << "language " << c << ": " << common::Cp1252ToUtf8(text);
    }
}

TEST_P(BuiltInTextTest, ReadsAsEnglishForCodesOutsideTheSix) {
    const std::string english = GetParam().text(En);
    for (const int code : {6, 7, -1, 1000, INT32_MIN, INT32_MAX})
        EXPECT_EQ(GetParam().text(LanguageCode{code}), english) << "code " << code;
}

INSTANTIATE_TEST_SUITE_P(
    Every, BuiltInTextTest,
    ::testing::Values(
        BuiltInText{"TitleTracks", Title<TitledWindow::Tracks>},
        BuiltInText{"TitleKartCategories", Title<TitledWindow::KartCategories>},
        BuiltInText{"TitleFleet", Title<TitledWindow::Fleet>},
        BuiltInText{"TitleSubscribers", Title<TitledWindow::Subscribers>},
        BuiltInText{"TitleAgeCategories", Title<TitledWindow::AgeCategories>},
        BuiltInText{"TitleClubs", Title<TitledWindow::Clubs>},
        BuiltInText{"TitleFirstNames", Title<TitledWindow::FirstNames>},
        BuiltInText{"TitlePrices", Title<TitledWindow::Prices>},
        BuiltInText{"TitleDiscounts", Title<TitledWindow::Discounts>},
        BuiltInText{"TitleLoyaltyCard", Title<TitledWindow::LoyaltyCard>},
        BuiltInText{"TitleEmails", Title<TitledWindow::Emails>},
        BuiltInText{"TitleDecoderInterface", Title<TitledWindow::DecoderInterface>},
        BuiltInText{"TitleTranslationEditor", Title<TitledWindow::TranslationEditor>},
        BuiltInText{"TitleInformationSheet", Title<TitledWindow::InformationSheet>},
        BuiltInText{"TitleSubscriberForm", Title<TitledWindow::SubscriberForm>},
        BuiltInText{"TitleLoyaltyPoints", Title<TitledWindow::LoyaltyPoints>},
        BuiltInText{"TitlePriceList", Title<TitledWindow::PriceList>},
        BuiltInText{"FilterTracks", Filter<FilteredFile::Tracks>},
        BuiltInText{"FilterKartCategories", Filter<FilteredFile::KartCategories>},
        BuiltInText{"FilterSubscribers", Filter<FilteredFile::Subscribers>},
        BuiltInText{"FilterAgeCategories", Filter<FilteredFile::AgeCategories>},
        BuiltInText{"FilterClubs", Filter<FilteredFile::Clubs>},
        BuiltInText{"FilterFirstNames", Filter<FilteredFile::FirstNames>},
        BuiltInText{"FilterPrices", Filter<FilteredFile::Prices>},
        BuiltInText{"FilterDiscounts", Filter<FilteredFile::Discounts>},
        BuiltInText{"FilterLoyaltyCard", Filter<FilteredFile::LoyaltyCard>},
        BuiltInText{"FilterPictures", Filter<FilteredFile::Pictures>},
        BuiltInText{"AgeFormat", AgeTextFormat}, BuiltInText{"KartAdded", KartAddedFormat},
        BuiltInText{"KartRemoved", KartRemovedFormat},
        BuiltInText{"FleetCaption", FleetMessageCaption},
        BuiltInText{"NoTrackRecord", NoTrackRecordText},
        BuiltInText{"RecordHolder", RecordHolderWord}, BuiltInText{"FormMenuItem", FormMenuItem},
        BuiltInText{"SheetWord", SheetWord}, BuiltInText{"FormHeading", RegistrationFormHeading},
        BuiltInText{"CopiesLabel", CopiesLabel}, BuiltInText{"OptionalNote", OptionalFieldNote},
        BuiltInText{"BirthdayEventName", EventName<kBirthday>},
        BuiltInText{"NamedayEventName", EventName<kNameday>},
        BuiltInText{"BirthdayDateLabel", EventDate<kBirthday>},
        BuiltInText{"NamedayDateLabel", EventDate<kNameday>},
        BuiltInText{"ClubEmailMissing", ClubEmail<ClubEmailProblem::Missing>},
        BuiltInText{"ClubEmailNotOneAt", ClubEmail<ClubEmailProblem::NotOneAt>},
        BuiltInText{"ClubEmailBadExtension", ClubEmail<ClubEmailProblem::BadExtension>},
        BuiltInText{"ClubEmailMalformed", ClubEmail<ClubEmailProblem::Malformed>},
        BuiltInText{"ClubNameMissing", ClubNameMissingText},
        BuiltInText{"NoPendingEmail", NoPendingEmailText},
        BuiltInText{"NoEmailToSend", NoEmailToSendText},
        BuiltInText{"BirthdayQuestion", BirthdayQuestionTitle},
        BuiltInText{"NamedayQuestion", NamedayQuestionTitle},
        BuiltInText{"SendEmailsQuestion", SendEmailsQuestion, 1},
        BuiltInText{"PreviewBirthday", Preview<EmailPreview::Birthday>},
        BuiltInText{"PreviewNameday", Preview<EmailPreview::Nameday>},
        BuiltInText{"PreviewEvent", Preview<EmailPreview::Event>},
        BuiltInText{"PreviewLoyalty", Preview<EmailPreview::Loyalty>},
        BuiltInText{"MonthJanuary", Month<0>}, BuiltInText{"MonthFebruary", Month<1>},
        BuiltInText{"MonthMarch", Month<2>}, BuiltInText{"MonthApril", Month<3>},
        BuiltInText{"MonthMay", Month<4>}, BuiltInText{"MonthJune", Month<5>},
        BuiltInText{"MonthJuly", Month<6>}, BuiltInText{"MonthAugust", Month<7>},
        BuiltInText{"MonthSeptember", Month<8>}, BuiltInText{"MonthOctober", Month<9>},
        BuiltInText{"MonthNovember", Month<10>}, BuiltInText{"MonthDecember", Month<11>}),
    [](const ::testing::TestParamInfo<BuiltInText>& info) { return std::string(info.param.name); });

// The names of the two fixed events are written into the events table, so
// they must fit its field.
TEST(FixedDiscountEventTest, NamesFitTheEventNameField) {
    for (const auto event : {kBirthday, kNameday})
        for (std::size_t c = 0; c < kLanguageCount; ++c)
            EXPECT_LE(FixedEventName(event, static_cast<LanguageCode>(c)).size(), kEventNameChars)
                << common::Cp1252ToUtf8(FixedEventName(event, static_cast<LanguageCode>(c)));
}

// Texts as the operators know them, word for word (UTF-8 here, compared in
// Windows-1252 byte for byte).
struct QuotedText {
    const char* name;
    TextFunction text;
    LanguageCode code;
    const char* expected;
};

void PrintTo(const QuotedText& row, std::ostream* os) {
    *os << row.name << " in language " << static_cast<int>(row.code);
}

std::string LanguageWord(LanguageCode code) {
    static const char* const kWords[] = {"English", "French",     "German",
                                         "Italian", "Portuguese", "Spanish"};
    return kWords[LanguageColumn(code)];
}

class QuotedBuiltInTextTest : public ::testing::TestWithParam<QuotedText> {};

TEST_P(QuotedBuiltInTextTest, IsWordForWord) {
    const std::string actual = GetParam().text(GetParam().code);
    EXPECT_EQ(actual, common::Utf8ToCp1252(GetParam().expected))
        << "reads \"" << common::Cp1252ToUtf8(actual) << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, QuotedBuiltInTextTest,
    ::testing::Values(
        // Window and printout titles.
        QuotedText{"TitleTracks", Title<TitledWindow::Tracks>, En, "Database Race tracks"},
        QuotedText{"TitleTracks", Title<TitledWindow::Tracks>, Fr, "Base de données Pistes"},
        QuotedText{"TitleTracks", Title<TitledWindow::Tracks>, De, "Datenbank Rennstrecken"},
        QuotedText{"TitleTracks", Title<TitledWindow::Tracks>, It, "Database Piste"},
        QuotedText{"TitleTracks", Title<TitledWindow::Tracks>, Pt, "Base de dados Pistas"},
        QuotedText{"TitleTracks", Title<TitledWindow::Tracks>, Es, "Base de datos Pistas"},
        QuotedText{"TitleKarts", Title<TitledWindow::KartCategories>, En,
                   "Database Go-karts categories"},
        QuotedText{"TitleKarts", Title<TitledWindow::KartCategories>, Fr,
                   "Base de données Catégories de karts"},
        QuotedText{"TitleKarts", Title<TitledWindow::KartCategories>, De,
                   "Datenbank Kategorien Gokarts"},
        QuotedText{"TitleKarts", Title<TitledWindow::KartCategories>, It,
                   "Database Categorie di go-kart"},
        QuotedText{"TitleKarts", Title<TitledWindow::KartCategories>, Pt,
                   "Base de dados Categorias de karts"},
        QuotedText{"TitleKarts", Title<TitledWindow::KartCategories>, Es,
                   "Base de datos Categorías de karts"},
        QuotedText{"TitleFleet", Title<TitledWindow::Fleet>, En, "Fleet rental go-karts"},
        QuotedText{"TitleFleet", Title<TitledWindow::Fleet>, Fr, "Parc karts de location"},
        QuotedText{"TitleFleet", Title<TitledWindow::Fleet>, De, "Park Leihkarts"},
        QuotedText{"TitleFleet", Title<TitledWindow::Fleet>, It, "Flotta Go-kart da noleggio"},
        QuotedText{"TitleFleet", Title<TitledWindow::Fleet>, Pt, "Frota karts de aluguer"},
        QuotedText{"TitleFleet", Title<TitledWindow::Fleet>, Es, "Flota karts de alquiler"},
        QuotedText{"TitleSubscribers", Title<TitledWindow::Subscribers>, En,
                   "Database Subscribers"},
        QuotedText{"TitleSubscribers", Title<TitledWindow::Subscribers>, Fr,
                   "Base de données Abonnés"},
        QuotedText{"TitleSubscribers", Title<TitledWindow::Subscribers>, De,
                   "Datenbank Abonnenten"},
        QuotedText{"TitleSubscribers", Title<TitledWindow::Subscribers>, It, "Database Abbonati"},
        QuotedText{"TitleSubscribers", Title<TitledWindow::Subscribers>, Pt,
                   "Base de dados Assinantes"},
        QuotedText{"TitleSubscribers", Title<TitledWindow::Subscribers>, Es,
                   "Base de datos Abonados"},
        QuotedText{"TitleAges", Title<TitledWindow::AgeCategories>, En, "Database Age Categories"},
        QuotedText{"TitleAges", Title<TitledWindow::AgeCategories>, Fr,
                   "Base de données Catégories d'age"},
        QuotedText{"TitleAges", Title<TitledWindow::AgeCategories>, De,
                   "Datenbank Alterskategorien"},
        QuotedText{"TitleAges", Title<TitledWindow::AgeCategories>, It, "Database Categorie Età"},
        QuotedText{"TitleAges", Title<TitledWindow::AgeCategories>, Pt,
                   "Base de dados Categorias Idade"},
        QuotedText{"TitleAges", Title<TitledWindow::AgeCategories>, Es,
                   "Base de datos Categorías Edad"},
        QuotedText{"TitleClubs", Title<TitledWindow::Clubs>, En, "Database Clubs / Teams"},
        QuotedText{"TitleClubs", Title<TitledWindow::Clubs>, Fr, "Base de données Clubs / Teams"},
        QuotedText{"TitleClubs", Title<TitledWindow::Clubs>, De, "Datenbank Vereine / Teams"},
        QuotedText{"TitleClubs", Title<TitledWindow::Clubs>, It, "Database Club / Squadre"},
        QuotedText{"TitleClubs", Title<TitledWindow::Clubs>, Pt, "Base de dados Clubes / Equipes"},
        QuotedText{"TitleClubs", Title<TitledWindow::Clubs>, Es, "Base de datos Clubes / Equipos"},
        QuotedText{"TitleFirstNames", Title<TitledWindow::FirstNames>, En, "Database First names"},
        QuotedText{"TitleFirstNames", Title<TitledWindow::FirstNames>, Fr,
                   "Base de données Prénoms"},
        QuotedText{"TitleFirstNames", Title<TitledWindow::FirstNames>, De, "Datenbank Vornamen"},
        QuotedText{"TitleFirstNames", Title<TitledWindow::FirstNames>, It, "Database Cognomi"},
        QuotedText{"TitleFirstNames", Title<TitledWindow::FirstNames>, Pt,
                   "Base de dados Sobrenomes"},
        QuotedText{"TitleFirstNames", Title<TitledWindow::FirstNames>, Es,
                   "Base de datos Apellidos"},
        QuotedText{"TitlePrices", Title<TitledWindow::Prices>, En, "Rental Prices"},
        QuotedText{"TitlePrices", Title<TitledWindow::Prices>, Fr, "Tarifs locations"},
        QuotedText{"TitlePrices", Title<TitledWindow::Prices>, De, "Preise Vermietung"},
        QuotedText{"TitlePrices", Title<TitledWindow::Prices>, It, "Prezzi noleggio"},
        QuotedText{"TitlePrices", Title<TitledWindow::Prices>, Pt, "Precos aluguer"},
        QuotedText{"TitlePrices", Title<TitledWindow::Prices>, Es, "Precios alquiler"},
        QuotedText{"TitlePriceList", Title<TitledWindow::PriceList>, En, "Rental Prices"},
        QuotedText{"TitlePriceList", Title<TitledWindow::PriceList>, Fr, "Tarifs locations"},
        QuotedText{"TitlePriceList", Title<TitledWindow::PriceList>, De, "Preise Vermietung"},
        QuotedText{"TitlePriceList", Title<TitledWindow::PriceList>, It, "Prezzi noleggio"},
        QuotedText{"TitlePriceList", Title<TitledWindow::PriceList>, Pt, "Precos aluguer"},
        QuotedText{"TitlePriceList", Title<TitledWindow::PriceList>, Es, "Precios alquiler"},
        QuotedText{"TitleDiscounts", Title<TitledWindow::Discounts>, En, "Rental discounts "},
        QuotedText{"TitleDiscounts", Title<TitledWindow::Discounts>, Fr, "Remises locations"},
        QuotedText{"TitleDiscounts", Title<TitledWindow::Discounts>, De,
                   "Preisnachlässe Vermietung"},
        QuotedText{"TitleDiscounts", Title<TitledWindow::Discounts>, It, "Sconti noleggio"},
        QuotedText{"TitleDiscounts", Title<TitledWindow::Discounts>, Pt, "Descontos aluguer"},
        QuotedText{"TitleDiscounts", Title<TitledWindow::Discounts>, Es, "Descuentos alquiler"},
        QuotedText{"TitleLoyaltyCard", Title<TitledWindow::LoyaltyCard>, En, "Loyalty card"},
        QuotedText{"TitleLoyaltyCard", Title<TitledWindow::LoyaltyCard>, Fr, "Carte fidélité"},
        QuotedText{"TitleLoyaltyCard", Title<TitledWindow::LoyaltyCard>, De, "Treuekarte"},
        QuotedText{"TitleLoyaltyCard", Title<TitledWindow::LoyaltyCard>, It, "Carta fedeltà"},
        QuotedText{"TitleLoyaltyCard", Title<TitledWindow::LoyaltyCard>, Pt, "Cartão fidelidade"},
        QuotedText{"TitleLoyaltyCard", Title<TitledWindow::LoyaltyCard>, Es, "Tarjeta fidelidad"},
        QuotedText{"TitleEmails", Title<TitledWindow::Emails>, En, "Promotional emails"},
        QuotedText{"TitleEmails", Title<TitledWindow::Emails>, Fr, "Emails promotionnels"},
        QuotedText{"TitleEmails", Title<TitledWindow::Emails>, De, "Werbe-E-Mails"},
        QuotedText{"TitleEmails", Title<TitledWindow::Emails>, It, "Email promozionali"},
        QuotedText{"TitleEmails", Title<TitledWindow::Emails>, Pt, "Emails promocionais"},
        QuotedText{"TitleEmails", Title<TitledWindow::Emails>, Es,
                   "Correos electrónicos promocionales"},
        QuotedText{"TitleInterface", Title<TitledWindow::DecoderInterface>, En,
                   "Decoder Interface"},
        QuotedText{"TitleInterface", Title<TitledWindow::DecoderInterface>, Fr,
                   "Interface décodeur"},
        QuotedText{"TitleInterface", Title<TitledWindow::DecoderInterface>, De,
                   "Schnittstelle Decoder"},
        QuotedText{"TitleInterface", Title<TitledWindow::DecoderInterface>, It,
                   "Interfaccia decodificatore"},
        QuotedText{"TitleInterface", Title<TitledWindow::DecoderInterface>, Pt,
                   "Interface decodificador"},
        QuotedText{"TitleInterface", Title<TitledWindow::DecoderInterface>, Es,
                   "Interfaz descodificador"},
        QuotedText{"TitleEditor", Title<TitledWindow::TranslationEditor>, En,
                   "Software translation"},
        QuotedText{"TitleEditor", Title<TitledWindow::TranslationEditor>, Fr,
                   "Traduction logiciel"},
        QuotedText{"TitleSheet", Title<TitledWindow::InformationSheet>, En, "Information sheet"},
        QuotedText{"TitleSheet", Title<TitledWindow::InformationSheet>, Fr,
                   "Fiche de renseignements"},
        QuotedText{"TitleSheet", Title<TitledWindow::InformationSheet>, De, "Datenblatt"},
        QuotedText{"TitleSheet", Title<TitledWindow::InformationSheet>, It, "Foglio informativo"},
        QuotedText{"TitleSheet", Title<TitledWindow::InformationSheet>, Pt, "Ficha de informações"},
        QuotedText{"TitleSheet", Title<TitledWindow::InformationSheet>, Es, "Ficha de información"},
        QuotedText{"TitleForm", Title<TitledWindow::SubscriberForm>, En, "Subscriber Form"},
        QuotedText{"TitleForm", Title<TitledWindow::SubscriberForm>, Fr, "Formulaire Abonné"},
        QuotedText{"TitleForm", Title<TitledWindow::SubscriberForm>, De, "Formular Abonnent"},
        QuotedText{"TitleForm", Title<TitledWindow::SubscriberForm>, It, "Formulario  Abbonato"},
        QuotedText{"TitleForm", Title<TitledWindow::SubscriberForm>, Pt, "Formulário Assinante"},
        QuotedText{"TitleForm", Title<TitledWindow::SubscriberForm>, Es, "Formulario Abonado"},
        QuotedText{"TitlePoints", Title<TitledWindow::LoyaltyPoints>, En, "Loyalty points"},
        QuotedText{"TitlePoints", Title<TitledWindow::LoyaltyPoints>, Fr, "Points fidélité"},
        QuotedText{"TitlePoints", Title<TitledWindow::LoyaltyPoints>, De, "Treuepunkte"},
        QuotedText{"TitlePoints", Title<TitledWindow::LoyaltyPoints>, It, "Punti fedeltà"},
        QuotedText{"TitlePoints", Title<TitledWindow::LoyaltyPoints>, Pt, "Pontos fidelidade"},
        QuotedText{"TitlePoints", Title<TitledWindow::LoyaltyPoints>, Es, "Puntos fidelidad"},
        // File dialog filters.
        QuotedText{"FilterTracks", Filter<FilteredFile::Tracks>, En, "DB Race tracks (.bdt2)"},
        QuotedText{"FilterTracks", Filter<FilteredFile::Tracks>, Fr, "BD Pistes (.bdt2)"},
        QuotedText{"FilterTracks", Filter<FilteredFile::Tracks>, De, "DB Rennstrecken (.bdt2)"},
        QuotedText{"FilterTracks", Filter<FilteredFile::Tracks>, It, "DB Piste (.bdt2)"},
        QuotedText{"FilterTracks", Filter<FilteredFile::Tracks>, Pt, "BD Pistas (.bdt2)"},
        QuotedText{"FilterKarts", Filter<FilteredFile::KartCategories>, En,
                   "DB Go-karts categories (.bds2)"},
        QuotedText{"FilterKarts", Filter<FilteredFile::KartCategories>, Fr,
                   "BD Catégories Karts (.bds2)"},
        QuotedText{"FilterKarts", Filter<FilteredFile::KartCategories>, De,
                   "DB Kategorien Gokarts (.bds2)"},
        QuotedText{"FilterKarts", Filter<FilteredFile::KartCategories>, It,
                   "DB Categorie Go-kart (.bds2)"},
        QuotedText{"FilterKarts", Filter<FilteredFile::KartCategories>, Pt,
                   "BD Categorias Karts (.bds2)"},
        QuotedText{"FilterKarts", Filter<FilteredFile::KartCategories>, Es,
                   "BD Categorías Karts (.bds2)"},
        QuotedText{"FilterSubscribers", Filter<FilteredFile::Subscribers>, En,
                   "DB Subscribers (.bdp4)"},
        QuotedText{"FilterSubscribers", Filter<FilteredFile::Subscribers>, Fr,
                   "BD Abonnés (.bdp4)"},
        QuotedText{"FilterSubscribers", Filter<FilteredFile::Subscribers>, De,
                   "DB Abonnenten (.bdp4)"},
        QuotedText{"FilterSubscribers", Filter<FilteredFile::Subscribers>, It,
                   "DB Abbonati (.bdp4)"},
        QuotedText{"FilterSubscribers", Filter<FilteredFile::Subscribers>, Pt,
                   "BD Assinantes (.bdp4)"},
        QuotedText{"FilterSubscribers", Filter<FilteredFile::Subscribers>, Es,
                   "BD Abonados (.bdp4)"},
        QuotedText{"FilterAges", Filter<FilteredFile::AgeCategories>, En,
                   "DB Age categories (.bda2)"},
        QuotedText{"FilterAges", Filter<FilteredFile::AgeCategories>, Fr,
                   "BD Catégories Ages (.bda2)"},
        QuotedText{"FilterAges", Filter<FilteredFile::AgeCategories>, De,
                   "DB Alterskategorien (.bda2)"},
        QuotedText{"FilterAges", Filter<FilteredFile::AgeCategories>, It,
                   "DB Categorie Età (.bda2)"},
        QuotedText{"FilterAges", Filter<FilteredFile::AgeCategories>, Pt,
                   "BD Categorias Idade (.bda2)"},
        QuotedText{"FilterAges", Filter<FilteredFile::AgeCategories>, Es,
                   "BD Categorías edad (.bda2)"},
        QuotedText{"FilterClubs", Filter<FilteredFile::Clubs>, En, "DB Clubs/Teams (.bdc2)"},
        QuotedText{"FilterClubs", Filter<FilteredFile::Clubs>, Fr, "BD Clubs/Teams (.bdc2)"},
        QuotedText{"FilterClubs", Filter<FilteredFile::Clubs>, De, "DB Vereine/Teams (.bdc2)"},
        QuotedText{"FilterClubs", Filter<FilteredFile::Clubs>, It, "DB Club/Squadre (.bdc2)"},
        QuotedText{"FilterClubs", Filter<FilteredFile::Clubs>, Pt, "BD Clubes/Equipes (.bdc2)"},
        QuotedText{"FilterClubs", Filter<FilteredFile::Clubs>, Es, "BD Clubes/Equipos (.bdc2)"},
        QuotedText{"FilterFirstNames", Filter<FilteredFile::FirstNames>, En,
                   "DB Subscribers First Names (.bdpr2)"},
        QuotedText{"FilterFirstNames", Filter<FilteredFile::FirstNames>, Fr,
                   "BD Prénoms Abonnés (.bdpr2)"},
        QuotedText{"FilterFirstNames", Filter<FilteredFile::FirstNames>, De,
                   "DB Vornamen Abonnenten (.bdpr2)"},
        QuotedText{"FilterFirstNames", Filter<FilteredFile::FirstNames>, It,
                   "DB Nomi Abbonati (.bdpr2)"},
        QuotedText{"FilterFirstNames", Filter<FilteredFile::FirstNames>, Pt,
                   "BD Nomes Assinantes (.bdpr2)"},
        QuotedText{"FilterFirstNames", Filter<FilteredFile::FirstNames>, Es,
                   "BD Nombres Abonados (.bdpr2)"},
        QuotedText{"FilterPrices", Filter<FilteredFile::Prices>, En, "DB Prices karts (.btk2)"},
        QuotedText{"FilterPrices", Filter<FilteredFile::Prices>, Fr, "BD Tarifs karts (.btk2)"},
        QuotedText{"FilterPrices", Filter<FilteredFile::Prices>, De, "DB Preise karts (.btk2)"},
        QuotedText{"FilterPrices", Filter<FilteredFile::Prices>, It, "DB Prezzi kart (.btk2)"},
        QuotedText{"FilterPrices", Filter<FilteredFile::Prices>, Pt, "BD Precos karts (.btk2)"},
        QuotedText{"FilterPrices", Filter<FilteredFile::Prices>, Es, "BD Precios karts (.btk2)"},
        QuotedText{"FilterDiscounts", Filter<FilteredFile::Discounts>, En,
                   "DB Discounts karts (.brk2)"},
        QuotedText{"FilterDiscounts", Filter<FilteredFile::Discounts>, Fr,
                   "BD Remises karts (.brk2)"},
        QuotedText{"FilterDiscounts", Filter<FilteredFile::Discounts>, De,
                   "DB Rabatte karts (.brk2)"},
        QuotedText{"FilterDiscounts", Filter<FilteredFile::Discounts>, It,
                   "DB Sconti kart (.brk2)"},
        QuotedText{"FilterDiscounts", Filter<FilteredFile::Discounts>, Pt,
                   "BD Descontos karts (.brk2)"},
        QuotedText{"FilterDiscounts", Filter<FilteredFile::Discounts>, Es,
                   "BD Descuentos karts (.brk2)"},
        QuotedText{"FilterLoyalty", Filter<FilteredFile::LoyaltyCard>, En,
                   "DB Loyalty card (.bcf2)"},
        QuotedText{"FilterLoyalty", Filter<FilteredFile::LoyaltyCard>, Fr,
                   "BD Carte fidélité (.bcf2)"},
        QuotedText{"FilterLoyalty", Filter<FilteredFile::LoyaltyCard>, De, "BD Treuekarte (.bcf2)"},
        QuotedText{"FilterLoyalty", Filter<FilteredFile::LoyaltyCard>, It,
                   "DB Carta fedeltà (.bcf2)"},
        QuotedText{"FilterLoyalty", Filter<FilteredFile::LoyaltyCard>, Pt,
                   "BD Cartão fidelidade (.bcf2)"},
        QuotedText{"FilterLoyalty", Filter<FilteredFile::LoyaltyCard>, Es,
                   "BD Tarjeta fidelidad (.bcf2)"},
        QuotedText{"FilterPictures", Filter<FilteredFile::Pictures>, En, "Images (*.BMP; *.JPG)"},
        QuotedText{"FilterPictures", Filter<FilteredFile::Pictures>, Fr, "Images (*.BMP; *.JPG)"},
        QuotedText{"FilterPictures", Filter<FilteredFile::Pictures>, De, "Bilder (*.BMP; *.JPG)"},
        QuotedText{"FilterPictures", Filter<FilteredFile::Pictures>, It, "Immagini (*.BMP; *.JPG)"},
        QuotedText{"FilterPictures", Filter<FilteredFile::Pictures>, Pt, "Imagens (*.BMP; *.JPG)"},
        QuotedText{"FilterPictures", Filter<FilteredFile::Pictures>, Es, "Imágenes (*.BMP; *.JPG)"},
        // Age text.
        QuotedText{"AgeFormat", AgeTextFormat, En, "(%d years)"},
        QuotedText{"AgeFormat", AgeTextFormat, Fr, "(%d ans)"},
        QuotedText{"AgeFormat", AgeTextFormat, De, "(%d Jahre)"},
        QuotedText{"AgeFormat", AgeTextFormat, It, "(%d anni)"},
        QuotedText{"AgeFormat", AgeTextFormat, Pt, "(%d anos)"},
        QuotedText{"AgeFormat", AgeTextFormat, Es, "(%d años)"},
        // Fleet window.
        QuotedText{"KartAdded", KartAddedFormat, En, "The Kart %s has been added"},
        QuotedText{"KartAdded", KartAddedFormat, Fr, "Le Kart %s a été ajouté"},
        QuotedText{"KartAdded", KartAddedFormat, De, "Der Kart %s wurde hinzugefügt"},
        QuotedText{"KartAdded", KartAddedFormat, It, "Il Kart %s è stato aggiunto"},
        QuotedText{"KartAdded", KartAddedFormat, Pt, "O Kart %s foi adicionado"},
        QuotedText{"KartAdded", KartAddedFormat, Es, "El Kart %s se añadió"},
        QuotedText{"KartRemoved", KartRemovedFormat, En, "The Kart %s has been removed"},
        QuotedText{"KartRemoved", KartRemovedFormat, Fr, "Le Kart %s a été supprimé"},
        QuotedText{"KartRemoved", KartRemovedFormat, De, "Der Kart %s wurde gelöscht"},
        QuotedText{"KartRemoved", KartRemovedFormat, It, "Il Kart %s è stato eliminato"},
        QuotedText{"KartRemoved", KartRemovedFormat, Pt, "O Kart %s foi suprimido"},
        QuotedText{"KartRemoved", KartRemovedFormat, Es, "El Kart %s fue borrado"},
        QuotedText{"FleetCaption", FleetMessageCaption, En, "Message"},
        QuotedText{"FleetCaption", FleetMessageCaption, Fr, "Message"},
        QuotedText{"FleetCaption", FleetMessageCaption, De, "Nachricht"},
        QuotedText{"FleetCaption", FleetMessageCaption, It, "Messaggio"},
        QuotedText{"FleetCaption", FleetMessageCaption, Pt, "Mensagem"},
        QuotedText{"FleetCaption", FleetMessageCaption, Es, "Mensaje"},
        // Tracks window.
        QuotedText{"NoRecord", NoTrackRecordText, En, "No record registered for this track"},
        QuotedText{"NoRecord", NoTrackRecordText, Fr, "Aucun record enregistré pour cette piste"},
        QuotedText{"NoRecord", NoTrackRecordText, De,
                   "Kein rekord registriert für diese RennStrecke"},
        QuotedText{"NoRecord", NoTrackRecordText, It, "Nessun record registrato per questa pista"},
        QuotedText{"NoRecord", NoTrackRecordText, Pt, "Nenhum recorde registrado para esta pista"},
        QuotedText{"NoRecord", NoTrackRecordText, Es, "Ningún récord registrada para esta pista"},
        QuotedText{"RecordHolder", RecordHolderWord, En, "by"},
        QuotedText{"RecordHolder", RecordHolderWord, Fr, "par"},
        QuotedText{"RecordHolder", RecordHolderWord, De, "von"},
        QuotedText{"RecordHolder", RecordHolderWord, It, "da"},
        QuotedText{"RecordHolder", RecordHolderWord, Pt, "por"},
        QuotedText{"RecordHolder", RecordHolderWord, Es, "por"},
        // Subscribers window's print menu.
        QuotedText{"FormItem", FormMenuItem, En, "Form"},
        QuotedText{"FormItem", FormMenuItem, Fr, "Formulaire"},
        QuotedText{"FormItem", FormMenuItem, De, "Formular"},
        QuotedText{"FormItem", FormMenuItem, It, "Formulario"},
        QuotedText{"FormItem", FormMenuItem, Pt, "Formulário"},
        QuotedText{"FormItem", FormMenuItem, Es, "Formulario"},
        QuotedText{"SheetWord", SheetWord, En, "Sheet"},
        QuotedText{"SheetWord", SheetWord, Fr, "Fiche"},
        QuotedText{"SheetWord", SheetWord, De, "Datenblatt"},
        QuotedText{"SheetWord", SheetWord, It, "Foglio"},
        QuotedText{"SheetWord", SheetWord, Pt, "Ficha"},
        QuotedText{"SheetWord", SheetWord, Es, "Ficha"},
        // Registration form printout.
        QuotedText{"FormHeading", RegistrationFormHeading, En, "Registration form"},
        QuotedText{"FormHeading", RegistrationFormHeading, Fr, "Formulaire d'inscription"},
        QuotedText{"FormHeading", RegistrationFormHeading, De, "Registrierformular"},
        QuotedText{"FormHeading", RegistrationFormHeading, It, "Formulario di iscrizione"},
        QuotedText{"FormHeading", RegistrationFormHeading, Pt, "Formulário de inscrição"},
        QuotedText{"FormHeading", RegistrationFormHeading, Es, "Formulario de inscripción"},
        QuotedText{"Copies", CopiesLabel, En, "Number of copies"},
        QuotedText{"Copies", CopiesLabel, Fr, "Nombre de copies"},
        QuotedText{"Copies", CopiesLabel, De, "Anzahl der Kopien"},
        QuotedText{"Copies", CopiesLabel, It, "Numero di copie"},
        QuotedText{"Copies", CopiesLabel, Es, "Número de copias"},
        QuotedText{"Optional", OptionalFieldNote, En, "Optional (advised)"},
        QuotedText{"Optional", OptionalFieldNote, Fr, "Facultatif (conseillé)"},
        QuotedText{"Optional", OptionalFieldNote, De, "Fakultativ (ratsam)"},
        QuotedText{"Optional", OptionalFieldNote, It, "Facoltativo (suggerisce)"},
        QuotedText{"Optional", OptionalFieldNote, Pt, "Facultativo (recomendado)"},
        QuotedText{"Optional", OptionalFieldNote, Es, "Facultativo (aconsejable)"},
        // Discounts window.
        QuotedText{"BirthdayEvent", EventName<kBirthday>, En, "Subscribers birthday"},
        QuotedText{"BirthdayEvent", EventName<kBirthday>, Fr, "Anniversaire abonnés"},
        QuotedText{"BirthdayEvent", EventName<kBirthday>, De, "Geburtstag Abonnenten"},
        QuotedText{"BirthdayEvent", EventName<kBirthday>, It, "Compleanno abbonati"},
        QuotedText{"BirthdayEvent", EventName<kBirthday>, Pt, "Aniversário assinantes"},
        QuotedText{"BirthdayEvent", EventName<kBirthday>, Es, "Cumpleaños abonados"},
        QuotedText{"NamedayEvent", EventName<kNameday>, En, "Subscribers name day"},
        QuotedText{"NamedayEvent", EventName<kNameday>, Fr, "Fête prénom abonnés"},
        QuotedText{"NamedayEvent", EventName<kNameday>, De, "Namenstag Abonnenten"},
        QuotedText{"NamedayEvent", EventName<kNameday>, It, "Festa nome abbonati"},
        QuotedText{"NamedayEvent", EventName<kNameday>, Pt, "Festa nome assinantes"},
        QuotedText{"NamedayEvent", EventName<kNameday>, Es, "Fiesta nombre abonados"},
        QuotedText{"BirthdayDate", EventDate<kBirthday>, En, "Date Birthday"},
        QuotedText{"BirthdayDate", EventDate<kBirthday>, Fr, "Date Anniversaire"},
        QuotedText{"BirthdayDate", EventDate<kBirthday>, De, "Datum Geburtstag"},
        QuotedText{"BirthdayDate", EventDate<kBirthday>, It, "Data Compleanno"},
        QuotedText{"BirthdayDate", EventDate<kBirthday>, Pt, "Data Aniversário"},
        QuotedText{"BirthdayDate", EventDate<kBirthday>, Es, "Fecha Cumpleaños"},
        QuotedText{"NamedayDate", EventDate<kNameday>, En, "Date of Name day"},
        QuotedText{"NamedayDate", EventDate<kNameday>, Fr, "Date Fête du prénom"},
        QuotedText{"NamedayDate", EventDate<kNameday>, De, "Datum Namenstag"},
        QuotedText{"NamedayDate", EventDate<kNameday>, It, "Data Festa del nome"},
        QuotedText{"NamedayDate", EventDate<kNameday>, Pt, "Data Festa de sobrenome"},
        QuotedText{"NamedayDate", EventDate<kNameday>, Es, "Fecha Fiesta de nombre"},
        // Promotional e-mails window: the address messages are a beginning
        // and an ending joined.
        QuotedText{"ClubEmailMissing", ClubEmail<ClubEmailProblem::Missing>, En,
                   "Error, the club email address was not entered"},
        QuotedText{"ClubEmailMissing", ClubEmail<ClubEmailProblem::Missing>, Fr,
                   "Erreur, l'adresse Email du club n'a pas été saisie"},
        QuotedText{"ClubEmailNotOneAt", ClubEmail<ClubEmailProblem::NotOneAt>, En,
                   "Error, the club email address must contain one '@' character"},
        QuotedText{"ClubEmailNotOneAt", ClubEmail<ClubEmailProblem::NotOneAt>, Fr,
                   "Erreur, l'adresse Email du club doit contenir un caractères '@'"},
        QuotedText{"ClubEmailExtension", ClubEmail<ClubEmailProblem::BadExtension>, En,
                   "Error, club email address extension is not valid"},
        QuotedText{"ClubEmailExtension", ClubEmail<ClubEmailProblem::BadExtension>, Fr,
                   "Erreur, l'extension de l'adresse Email du club n'est pas valide"},
        QuotedText{"ClubEmailMalformed", ClubEmail<ClubEmailProblem::Malformed>, En,
                   "Error, the club email address is not valid"},
        QuotedText{"ClubEmailMalformed", ClubEmail<ClubEmailProblem::Malformed>, Fr,
                   "Erreur, l'adresse Email du club n'est pas valide"},
        QuotedText{"ClubName", ClubNameMissingText, En, "Error, the club name was not entered"},
        QuotedText{"ClubName", ClubNameMissingText, Fr, "Erreur, le Nom du club n'a pas été saisi"},
        QuotedText{"NoPending", NoPendingEmailText, En, "No pending email"},
        QuotedText{"NoneToSend", NoEmailToSendText, En, "No email to send"},
        QuotedText{"BirthdayQuestion", BirthdayQuestionTitle, En, "It's the birthday of"},
        QuotedText{"NamedayQuestion", NamedayQuestionTitle, En, "It's the nameday of"},
        QuotedText{"SendQuestion", SendEmailsQuestion, En, "Do you want to send them an email ?"},
        QuotedText{"PreviewBirthday", Preview<EmailPreview::Birthday>, En,
                   "Example of Birthday Email"},
        QuotedText{"PreviewBirthday", Preview<EmailPreview::Birthday>, Fr,
                   "Exemple Email Anniversaire"},
        QuotedText{"PreviewNameday", Preview<EmailPreview::Nameday>, En,
                   "Example of Nameday Email"},
        QuotedText{"PreviewNameday", Preview<EmailPreview::Nameday>, Fr,
                   "Exemple Email Fête prénom"},
        QuotedText{"PreviewEvent", Preview<EmailPreview::Event>, En, "Example of Event Email"},
        QuotedText{"PreviewEvent", Preview<EmailPreview::Event>, Fr, "Exemple Email Evénement"},
        QuotedText{"PreviewLoyalty", Preview<EmailPreview::Loyalty>, En,
                   "Example of Loyalty Email"},
        QuotedText{"PreviewLoyalty", Preview<EmailPreview::Loyalty>, Fr, "Exemple Email Fidélité"},
        // Month combos.
        QuotedText{"September", Month<8>, En, "September"},
        QuotedText{"September", Month<8>, Fr, "septembre"},
        QuotedText{"September", Month<8>, De, "September"},
        QuotedText{"September", Month<8>, It, "settembre"},
        QuotedText{"September", Month<8>, Pt, "Setembro"},
        QuotedText{"September", Month<8>, Es, "septiembre"}),
    [](const ::testing::TestParamInfo<QuotedText>& info) {
        return std::string(info.param.name) + "In" + LanguageWord(info.param.code);
    });

// Texts with a field to fill, filled.
struct FilledText {
    const char* name;
    std::string (*text)();
    const char* expected; // UTF-8
};

void PrintTo(const FilledText& row, std::ostream* os) {
    *os << row.name;
}

class FilledBuiltInTextTest : public ::testing::TestWithParam<FilledText> {};

TEST_P(FilledBuiltInTextTest, ReadsAsExpected) {
    const std::string actual = GetParam().text();
    EXPECT_EQ(actual, common::Utf8ToCp1252(GetParam().expected))
        << "reads \"" << common::Cp1252ToUtf8(actual) << "\"";
}

template <int Years, LanguageCode Code> std::string Age() {
    return AgeText(Years, Code);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FilledBuiltInTextTest,
    ::testing::Values(
        FilledText{"AgeZeroEnglish", Age<0, En>, "(0 years)"},
        FilledText{"AgeOneEnglish", Age<1, En>, "(1 years)"},
        FilledText{"AgeNinetyNineEnglish", Age<99, En>, "(99 years)"},
        FilledText{"AgeZeroFrench", Age<0, Fr>, "(0 ans)"},
        FilledText{"AgeOneFrench", Age<1, Fr>, "(1 ans)"},
        FilledText{"AgeNinetyNineFrench", Age<99, Fr>, "(99 ans)"},
        FilledText{"AgeZeroGerman", Age<0, De>, "(0 Jahre)"},
        FilledText{"AgeOneGerman", Age<1, De>, "(1 Jahre)"},
        FilledText{"AgeNinetyNineGerman", Age<99, De>, "(99 Jahre)"},
        FilledText{"AgeZeroItalian", Age<0, It>, "(0 anni)"},
        FilledText{"AgeOneItalian", Age<1, It>, "(1 anni)"},
        FilledText{"AgeNinetyNineItalian", Age<99, It>, "(99 anni)"},
        FilledText{"AgeZeroPortuguese", Age<0, Pt>, "(0 anos)"},
        FilledText{"AgeOnePortuguese", Age<1, Pt>, "(1 anos)"},
        FilledText{"AgeNinetyNinePortuguese", Age<99, Pt>, "(99 anos)"},
        FilledText{"AgeZeroSpanish", Age<0, Es>, "(0 años)"},
        FilledText{"AgeOneSpanish", Age<1, Es>, "(1 años)"},
        FilledText{"AgeNinetyNineSpanish", Age<99, Es>, "(99 años)"},
        FilledText{"AgeOneUnknownCode", Age<1, LanguageCode{9}>, "(1 years)"},
        FilledText{"AgeNegative", Age<-1, Fr>, "(-1 ans)"},
        FilledText{"KartAddedGerman", [] { return KartAddedText(De, "K101"); },
                   "Der Kart K101 wurde hinzugefügt"},
        FilledText{"KartAddedSpanish", [] { return KartAddedText(Es, "K430"); },
                   "El Kart K430 se añadió"},
        FilledText{"KartRemovedFrench", [] { return KartRemovedText(Fr, "K5"); },
                   "Le Kart K5 a été supprimé"},
        FilledText{"KartRemovedUnknownCode", [] { return KartRemovedText(LanguageCode{6}, "K30"); },
                   "The Kart K30 has been removed"},
        FilledText{"KartLabelIsNotAFormat", [] { return KartAddedText(En, "%s%d"); },
                   "The Kart %s%d has been added"},
        FilledText{"SheetItemFrench",
                   [] { return SheetMenuItemText(Fr, common::Utf8ToCp1252("Élodie"), "Dupont"); },
                   "Fiche É. Dupont"},
        FilledText{"SheetItemPortuguese", [] { return SheetMenuItemText(Pt, "Jean", "Martin"); },
                   "Ficha J. Martin"},
        FilledText{"SheetItemNoFirstName", [] { return SheetMenuItemText(En, "", "Martin"); },
                   "Sheet . Martin"},
        FilledText{"NothingToSendFrench",
                   [] { return NothingToSendMessage(Fr, common::Utf8ToCp1252("Fêtes prénoms")); },
                   "Fêtes prénoms : Aucun email à envoyer !"},
        FilledText{"NothingToSendEnglish", [] { return NothingToSendMessage(En, "Birthdays"); },
                   "Birthdays : No email to send !"}),
    [](const ::testing::TestParamInfo<FilledText>& info) { return std::string(info.param.name); });

struct FieldCase {
    const char* name;
    const char* text;
    const char* field;
    const char* value;
    const char* expected;
};

void PrintTo(const FieldCase& row, std::ostream* os) {
    *os << row.name;
}

class FillTextFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FillTextFieldTest, ReplacesTheFirstFieldOnly) {
    EXPECT_EQ(FillTextField(GetParam().text, GetParam().field, GetParam().value),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillTextFieldTest,
    ::testing::Values(FieldCase{"FieldInside", "a %d b", "%d", "7", "a 7 b"},
                      FieldCase{"FieldFirst", "%s end", "%s", "K1", "K1 end"},
                      FieldCase{"FieldLast", "end %s", "%s", "K1", "end K1"},
                      FieldCase{"OnlyTheFirstOfTwo", "%s and %s", "%s", "x", "x and %s"},
                      FieldCase{"OtherFieldKept", "%d %s", "%s", "x", "%d x"},
                      FieldCase{"NoField", "no field", "%s", "x", "no field"},
                      FieldCase{"EmptyValue", "(%d)", "%d", "", "()"},
                      FieldCase{"EmptyFieldName", "text", "", "x", "text"}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tallimo::i18n
