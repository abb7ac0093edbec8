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

LanguageCode Language(std::size_t column) {
    return static_cast<LanguageCode>(column);
}

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
// was written with; a code outside the six must read as English, not crash.
struct BuiltInText {
    const char* name;
    TextFunction text;
    int questionMarks = 0;
};

void PrintTo(const BuiltInText& row, std::ostream* os) {
    *os << row.name;
}

class BuiltInTextTest : public ::testing::TestWithParam<BuiltInText> {};

TEST_P(BuiltInTextTest, IsWindows1252InEveryLanguageAndEnglishForOtherCodes) {
    for (std::size_t c = 0; c < kLanguageCount; ++c) {
        const std::string text = GetParam().text(Language(c));
        EXPECT_FALSE(text.empty()) << "language " << c;
        EXPECT_EQ(std::count(text.begin(), text.end(), '?'), GetParam().questionMarks)
            << "language " << c << ": " << common::Cp1252ToUtf8(text);
    }
    const std::string english = GetParam().text(En);
    for (const int code : {6, -1, INT32_MIN, INT32_MAX})
        EXPECT_EQ(GetParam().text(LanguageCode{code}), english) << "code " << code;
}

// Rows named after what they hold: TITLE(Tracks) is the title of the tracks
// window, TEXT(KartAddedFormat) that function's text.
#define TITLE(w) (BuiltInText{"Title" #w, Title<TitledWindow::w>})
#define TEXT(f) (BuiltInText{#f, f})
#define CLUB_EMAIL(p) (BuiltInText{"ClubEmail" #p, ClubEmail<ClubEmailProblem::p>})
#define PREVIEW(p) (BuiltInText{"Preview" #p, Preview<EmailPreview::p>})

INSTANTIATE_TEST_SUITE_P(
    Every, BuiltInTextTest,
    ::testing::Values(TITLE(Tracks), TITLE(KartCategories), TITLE(Fleet), TITLE(Subscribers),
                      TITLE(AgeCategories), TITLE(Clubs), TITLE(FirstNames), TITLE(Prices),
                      TITLE(Discounts), TITLE(LoyaltyCard), TITLE(Emails), TITLE(DecoderInterface),
                      TITLE(TranslationEditor), TITLE(InformationSheet), TITLE(SubscriberForm),
                      TITLE(LoyaltyPoints), TITLE(PriceList), TEXT(AgeTextFormat),
                      TEXT(KartAddedFormat), TEXT(KartRemovedFormat), TEXT(FleetMessageCaption),
                      TEXT(NoTrackRecordText), TEXT(RecordHolderWord), TEXT(FormMenuItem),
                      TEXT(SheetWord), TEXT(RegistrationFormHeading), TEXT(CopiesLabel),
                      TEXT(OptionalFieldNote),
                      BuiltInText{"BirthdayEventName", EventName<kBirthday>},
                      BuiltInText{"NamedayEventName", EventName<kNameday>},
                      BuiltInText{"BirthdayDateLabel", EventDate<kBirthday>},
                      BuiltInText{"NamedayDateLabel", EventDate<kNameday>}, CLUB_EMAIL(Missing),
                      CLUB_EMAIL(NotOneAt), CLUB_EMAIL(BadExtension), CLUB_EMAIL(Malformed),
                      TEXT(ClubNameMissingText), TEXT(NoPendingEmailText), TEXT(NoEmailToSendText),
                      TEXT(BirthdayQuestionTitle), TEXT(NamedayQuestionTitle),
                      BuiltInText{"SendEmailsQuestion", SendEmailsQuestion, 1}, PREVIEW(Birthday),
                      PREVIEW(Nameday), PREVIEW(Event), PREVIEW(Loyalty)),
    [](const ::testing::TestParamInfo<BuiltInText>& test) { return std::string(test.param.name); });

#undef TITLE
#undef TEXT
#undef CLUB_EMAIL
#undef PREVIEW

// The dialogs list files by the extension their filter caption names.
TEST(FileFilterCaptionTest, NamesItsFilesExtensionInEveryLanguage) {
    const std::pair<FilteredFile, const char*> kFiles[] = {
        {FilteredFile::Tracks, " (.bdt2)"},      {FilteredFile::KartCategories, " (.bds2)"},
        {FilteredFile::Subscribers, " (.bdp4)"}, {FilteredFile::AgeCategories, " (.bda2)"},
        {FilteredFile::Clubs, " (.bdc2)"},       {FilteredFile::FirstNames, " (.bdpr2)"},
        {FilteredFile::Prices, " (.btk2)"},      {FilteredFile::Discounts, " (.brk2)"},
        {FilteredFile::LoyaltyCard, " (.bcf2)"}, {FilteredFile::Pictures, " (*.BMP; *.JPG)"}};
    for (const auto& [file, extension] : kFiles) {
        for (std::size_t c = 0; c < kLanguageCount; ++c) {
            const std::string caption = FileFilterCaption(file, Language(c));
            EXPECT_TRUE(caption.ends_with(extension)) << caption;
            EXPECT_GT(caption.size(), std::string(extension).size()) << caption;
            EXPECT_EQ(caption.find('?'), std::string::npos) << caption;
        }
        EXPECT_EQ(FileFilterCaption(file, LanguageCode{7}), FileFilterCaption(file, En));
    }
}

// The names of the two fixed events are written into the events table, so
// they must fit its field.
TEST(FixedDiscountEventTest, NamesFitTheEventNameField) {
    for (const auto event : {kBirthday, kNameday})
        for (std::size_t c = 0; c < kLanguageCount; ++c)
            EXPECT_LE(FixedEventName(event, Language(c)).size(), kEventNameChars)
                << common::Cp1252ToUtf8(FixedEventName(event, Language(c)));
}

// Texts as the operators know them, word for word (UTF-8 here, compared in
// Windows-1252 byte for byte). One title in all six languages catches a
// column taken for another; the rest are the messages and the spellings
// (stray blanks included) that a tidy-up would break.
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
        QuotedText{"TitleDiscounts", Title<TitledWindow::Discounts>, En, "Rental discounts "},
        QuotedText{"TitleForm", Title<TitledWindow::SubscriberForm>, It, "Formulario  Abbonato"},
        QuotedText{"TitlePriceList", Title<TitledWindow::PriceList>, Pt, "Precos aluguer"},
        QuotedText{"FilterKarts", Filter<FilteredFile::KartCategories>, Fr,
                   "BD Catégories Karts (.bds2)"},
        QuotedText{"FilterLoyalty", Filter<FilteredFile::LoyaltyCard>, De, "BD Treuekarte (.bcf2)"},
        QuotedText{"KartAdded", KartAddedFormat, En, "The Kart %s has been added"},
        QuotedText{"KartAdded", KartAddedFormat, De, "Der Kart %s wurde hinzugefügt"},
        QuotedText{"KartRemoved", KartRemovedFormat, Fr, "Le Kart %s a été supprimé"},
        QuotedText{"KartRemoved", KartRemovedFormat, It, "Il Kart %s è stato eliminato"},
        QuotedText{"FleetCaption", FleetMessageCaption, Pt, "Mensagem"},
        QuotedText{"NoRecord", NoTrackRecordText, En, "No record registered for this track"},
        QuotedText{"NoRecord", NoTrackRecordText, Es, "Ningún récord registrada para esta pista"},
        QuotedText{"RecordHolder", RecordHolderWord, It, "da"},
        QuotedText{"FormHeading", RegistrationFormHeading, Pt, "Formulário de inscrição"},
        QuotedText{"BirthdayEvent", EventName<kBirthday>, Es, "Cumpleaños abonados"},
        QuotedText{"NamedayDate", EventDate<kNameday>, Pt, "Data Festa de sobrenome"},
        QuotedText{"ClubEmailMissing", ClubEmail<ClubEmailProblem::Missing>, En,
                   "Error, the club email address was not entered"},
        QuotedText{"ClubEmailMissing", ClubEmail<ClubEmailProblem::Missing>, Fr,
                   "Erreur, l'adresse Email du club n'a pas été saisie"},
        QuotedText{"ClubEmailNotOneAt", ClubEmail<ClubEmailProblem::NotOneAt>, Fr,
                   "Erreur, l'adresse Email du club doit contenir un caractères '@'"},
        QuotedText{"ClubEmailExtension", ClubEmail<ClubEmailProblem::BadExtension>, En,
                   "Error, club email address extension is not valid"},
        QuotedText{"ClubEmailMalformed", ClubEmail<ClubEmailProblem::Malformed>, Fr,
                   "Erreur, l'adresse Email du club n'est pas valide"},
        QuotedText{"ClubName", ClubNameMissingText, Fr, "Erreur, le Nom du club n'a pas été saisi"},
        QuotedText{"SendQuestion", SendEmailsQuestion, En, "Do you want to send them an email ?"},
        QuotedText{"PreviewNameday", Preview<EmailPreview::Nameday>, Fr,
                   "Exemple Email Fête prénom"},
        QuotedText{"August", Month<7>, Fr, "août"},
        QuotedText{"September", Month<8>, Pt, "Setembro"}),
    [](const ::testing::TestParamInfo<QuotedText>& test) {
        return std::string(test.param.name) + "In" + LanguageWord(test.param.code);
    });

TEST(AgeTextTest, FillsTheYearsInTheWordOfEachLanguage) {
    const char* const kWords[] = {"years", "ans", "Jahre", "anni", "anos", "años"};
    for (std::size_t c = 0; c < kLanguageCount; ++c)
        for (const int years : {0, 1, 99})
            EXPECT_EQ(AgeText(years, Language(c)),
                      common::Utf8ToCp1252("(" + std::to_string(years) + " " + kWords[c] + ")"));
    EXPECT_EQ(AgeText(1, LanguageCode{9}), "(1 years)");
    EXPECT_EQ(AgeText(-1, Fr), "(-1 ans)");
}

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

INSTANTIATE_TEST_SUITE_P(
    Texts, FilledBuiltInTextTest,
    ::testing::Values(
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
        FilledText{"SheetItemNoFirstName", [] { return SheetMenuItemText(En, "", "Martin"); },
                   "Sheet . Martin"},
        FilledText{"NothingToSendFrench",
                   [] { return NothingToSendMessage(Fr, common::Utf8ToCp1252("Fêtes prénoms")); },
                   "Fêtes prénoms : Aucun email à envoyer !"}),
    [](const ::testing::TestParamInfo<FilledText>& test) { return std::string(test.param.name); });

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
    ::testing::Values(FieldCase{"FieldFirst", "%s end", "%s", "K1", "K1 end"},
                      FieldCase{"FieldLast", "end %s", "%s", "K1", "end K1"},
                      FieldCase{"OnlyTheFirstOfTwo", "%s and %s", "%s", "x", "x and %s"},
                      FieldCase{"OtherFieldKept", "%d %s", "%s", "x", "%d x"},
                      FieldCase{"NoField", "no field", "%s", "x", "no field"},
                      FieldCase{"EmptyValue", "(%d)", "%d", "", "()"},
                      FieldCase{"EmptyFieldName", "text", "", "x", "text"}),
    [](const ::testing::TestParamInfo<FieldCase>& test) { return std::string(test.param.name); });

} // namespace
} // namespace tallimo::i18n
