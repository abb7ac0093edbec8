#include "databases/core/subscriber_printouts.h"

#include "i18n/core/language_settings.h"
#include "i18n/core/shipped_translations.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallimo::databases {
namespace {

using i18n::LanguageCode;

class PrintoutTextsTest : public ::testing::Test {
protected:
    PrintoutTextsTest() { EXPECT_TRUE(i18n::WriteShippedTranslations(m_folder / "Translation")); }
    SubscriberPrintoutTexts load(LanguageCode interface) {
        EXPECT_TRUE(i18n::WriteLanguageSettings(root(), {interface, LanguageCode::English}));
        return LoadSubscriberPrintoutTexts(root(), m_messages);
    }
    common::WorkingFolder root() const { return common::WorkingFolder(m_folder.path()); }

    static std::vector<std::string> labels(const std::vector<PrintoutLine>& lines) {
        std::vector<std::string> texts;
        for (const PrintoutLine& line : lines)
            texts.push_back(line.label);
        return texts;
    }

    testing::TemporaryFolder m_folder;
    testing::RecordingMessageSink m_messages;
};

Subscriber Dupont() {
    Subscriber subscriber;
    subscriber.name = "Dupont";
    subscriber.firstName = "J\xE9r\xF4me";
    subscriber.address1 = "12 rue des Pins";
    subscriber.address2 = "B\xE2timent C";
    subscriber.postalCode = "40200";
    subscriber.town = "Mimizan";
    subscriber.country = "France";
    subscriber.phone = "05 58 00 00 00";
    subscriber.email = "jerome@example.invalid";
    subscriber.club = "ASK";
    subscriber.transponder = "012345";
    SetBirthDate(subscriber, {4, 1, 88});
    return subscriber;
}

TEST_F(PrintoutTextsTest, TheSheetPrintsEveryFieldUnderTheWindowsLabelsInOrder) {
    const auto lines = InformationSheetLines(Dupont(), load(LanguageCode::French));
    EXPECT_TRUE(m_messages.messages().empty());
    const std::vector<PrintoutLine> expected = {
        {PrintoutField::Name, "Nom :", "Dupont"},
        {PrintoutField::FirstName, "Pr\xE9nom :", "J\xE9r\xF4me"},
        {PrintoutField::Email, "E-mail :", "jerome@example.invalid"},
        {PrintoutField::Address, "Adresse :", "12 rue des Pins"},
        {PrintoutField::Address, "", "B\xE2timent C"},
        {PrintoutField::PostalCode, "Code postal :", "40200"},
        {PrintoutField::Town, "Ville :", "Mimizan"},
        {PrintoutField::Country, "Pays :", "France"},
        {PrintoutField::Phone, "T\xE9l\xE9phone :", "05 58 00 00 00"},
        {PrintoutField::BirthDate, "Date de naissance :", "05 / 02 / 1988"},
        {PrintoutField::Club, "Club / Team :", "ASK"},
        {PrintoutField::Transponder, "#Transpond. :", "012345"},
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(PrintoutTextsTest, TheFormHasTheSheetsLabelsAndTheNoteOnAllButTheIdentity) {
    const SubscriberPrintoutTexts texts = load(LanguageCode::German);
    const auto form = RegistrationFormLines(texts);
    EXPECT_EQ(labels(form), labels(InformationSheetLines(Dupont(), texts)));
    std::vector<PrintoutField> required;
    for (const PrintoutLine& line : form) {
        EXPECT_EQ(line.value, "");
        if (!line.optional)
            required.push_back(line.field);
    }
    EXPECT_EQ(required, (std::vector<PrintoutField>{PrintoutField::Name, PrintoutField::FirstName,
                                                    PrintoutField::BirthDate}));
    EXPECT_EQ(form.front().label, "Name :");
}

TEST_F(PrintoutTextsTest, LabelsFollowTheOperatorsTranslationsAndFallBackToFactoryTexts) {
    // A renamed label prints renamed; one blanked prints its factory text.
    m_folder.write("Translation/BaseAbonnes.trans",
                   "\t\t\t\t\t\t\n\t\t\t\t\t\t\nSurname\tNom de famille\t\t\t\t\t\n");
    SubscriberPrintoutTexts texts = load(LanguageCode::French);
    EXPECT_EQ(PrintoutLabel(PrintoutField::Name, texts), "Nom de famille :");
    EXPECT_EQ(PrintoutLabel(PrintoutField::FirstName, texts), "Pr\xE9nom :");

    // An unknown language reads as English.
    texts.language = static_cast<LanguageCode>(9);
    EXPECT_EQ(PrintoutLabel(PrintoutField::Name, texts), "Surname :");
    EXPECT_EQ(PrintoutLabel(PrintoutField::Town, texts), "Town :");

    // Missing files are reported once each, and the labels still print.
    m_messages.clear();
    std::filesystem::remove(m_folder / "Translation/BaseAbonnes.trans");
    std::filesystem::remove(m_folder / "Translation/BaseClubs.trans");
    texts = load(LanguageCode::Spanish);
    EXPECT_EQ(m_messages.messages(),
              (std::vector<testing::RecordedMessage>{
                  {"Error", "Error: The translation file 'BaseAbonnes.trans' has not been found"},
                  {"Error", "Error: The translation file 'BaseClubs.trans' has not been found"}}));
    EXPECT_EQ(PrintoutLabel(PrintoutField::Country, texts), "Pa\xEDs :");
    EXPECT_EQ(PrintoutLabel(PrintoutField::Transponder, texts), "#Transpond. :");
}

struct BirthDateCase {
    const char* what;
    common::DateIndex date;
    const char* printed;
};

class BirthDates : public ::testing::TestWithParam<BirthDateCase> {};

TEST_P(BirthDates, PrintAsDayMonthYearOrNotAtAll) {
    Subscriber subscriber;
    SetBirthDate(subscriber, GetParam().date);
    EXPECT_EQ(BirthDateText(subscriber), GetParam().printed);
}

INSTANTIATE_TEST_SUITE_P(Subscribers, BirthDates,
                         ::testing::Values(BirthDateCase{"padded", {0, 8, 105}, "01 / 09 / 2005"},
                                           BirthDateCase{"leapDay", {28, 1, 124}, "29 / 02 / 2024"},
                                           BirthDateCase{"noDate", {0, 0, 0}, ""},
                                           BirthDateCase{
                                               "secondOfJanuary1900", {1, 0, 0}, "02 / 01 / 1900"},
                                           BirthDateCase{"negativeDay", {-1, 3, 90}, ""},
                                           BirthDateCase{"thirteenthMonth", {2, 12, 90}, ""},
                                           BirthDateCase{"hugeYear", {2, 3, 2147480000}, ""}),
                         [](const auto& row) { return std::string(row.param.what); });

struct LookUp {
    const char* what;
    const char* surname;
    const char* firstName;
    std::optional<int> found;
};

class PrintedSubscriberLookUp : public ::testing::TestWithParam<LookUp> {};

TEST_P(PrintedSubscriberLookUp, FindsTheOneSubscriberMeant) {
    SubscriberTable table = MakeSubscriberTable();
    const char* names[][2] = {{"Dupont", "Jean"},
                              {"Dupont_Martin", "L\xE9on"},
                              {"Lef\xE8vre", "Eve"},
                              {"Lefevre", "\xC8ve"},
                              {"Martin", "Paul"}};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        table[i].name = names[i][0];
        table[i].firstName = names[i][1];
    }
    EXPECT_EQ(FindPrintedSubscriber(table, GetParam().surname, GetParam().firstName),
              GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Subscribers, PrintedSubscriberLookUp,
    ::testing::Values(LookUp{"exact", "Martin", "Paul", 4},
                      LookUp{"otherCase", "MARTIN", "paul", 4},
                      LookUp{"accentedCapitalIgnoringCase", "DUPONT_MARTIN", "L\xC9ON", 1},
                      LookUp{"dashForUnderscore", "Dupont-Martin", "Leon", 1},
                      LookUp{"exactAmongLookalikes", "Lefevre", "\xC8ve", 3},
                      LookUp{"normalisedAmbiguous", "Lefevre", "Eve", std::nullopt},
                      LookUp{"unknown", "Durand", "Jean", std::nullopt},
                      LookUp{"surnameOnly", "Dupont", "", std::nullopt}),
    [](const auto& row) { return std::string(row.param.what); });

} // namespace
} // namespace tallimo::databases
