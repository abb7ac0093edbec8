#include "emails/core/club_contact_file.h"
#include "emails/core/email_check.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::emails {
namespace {

using i18n::ClubEmailProblem;

struct AddressCase {
    const char* name;
    std::string address;
    std::optional<ClubEmailProblem> problem;
};

class EmailCheckTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(EmailCheckTest, FindsTheFirstBrokenRule) {
    EXPECT_EQ(EmailProblem(GetParam().address), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, EmailCheckTest,
    ::testing::Values(AddressCase{"Plain", "anne.martin@kart.fr", std::nullopt},
                      AddressCase{"FourLetterExtension", "a@kart.info", std::nullopt},
                      AddressCase{"Empty", "", ClubEmailProblem::Missing},
                      AddressCase{"NoAt", "kart.fr", ClubEmailProblem::NotOneAt},
                      AddressCase{"TwoAts", "a@b@kart.fr", ClubEmailProblem::NotOneAt},
                      AddressCase{"OneLetterExtension", "a@kart.f", ClubEmailProblem::BadExtension},
                      AddressCase{"SixLetterExtension", "a@kart.france",
                                  ClubEmailProblem::BadExtension},
                      AddressCase{"EndsWithDot", "a@kart.fr.", ClubEmailProblem::BadExtension},
                      AddressCase{"NoDot", "a@kartfr", ClubEmailProblem::BadExtension},
                      AddressCase{"StartsWithAt", "@kart.fr", ClubEmailProblem::Malformed},
                      AddressCase{"AtRightBeforeTheDot", "anne@.fr", ClubEmailProblem::Malformed},
                      AddressCase{"DotSecond", "a.@fr", ClubEmailProblem::Malformed},
                      AddressCase{"AtAfterTheLastDot", "a.b@frcom", ClubEmailProblem::BadExtension},
                      // Only the first 40 characters count: the extension is cut to "f".
                      AddressCase{"CutAtForty", std::string(34, 'a') + "@kart.fr",
                                  ClubEmailProblem::BadExtension}),
    [](const ::testing::TestParamInfo<AddressCase>& row) { return std::string(row.param.name); });

TEST(SendingRefusalTest, ClubAddressThenClubNameInTheInterfaceLanguage) {
    ClubContact contact;
    contact.contactEmail = "club@kart";
    EXPECT_EQ(SendingRefusal(contact, i18n::LanguageCode::English),
              "Error, club email address extension is not valid");
    contact.contactEmail = "clubkart.fr";
    EXPECT_EQ(SendingRefusal(contact, i18n::LanguageCode::French),
              "Erreur, l'adresse Email du club doit contenir un caract\xE8res '@'");
    contact.contactEmail = "club@kart.fr";
    EXPECT_EQ(SendingRefusal(contact, i18n::LanguageCode::French),
              "Erreur, le Nom du club n'a pas \xE9t\xE9 saisi");
    contact.contactName = "Kart";
    EXPECT_EQ(SendingRefusal(contact, i18n::LanguageCode::French), std::nullopt);
}

TEST(ClubContactFileTest, RoundTripsWithBreaksWrittenAsBlanksAndFieldsCut) {
    tallimo::testing::TemporaryFolder folder;
    const common::WorkingFolder working(folder.path());
    tallimo::testing::RecordingMessageSink sink;
    ClubContact contact;
    EXPECT_FALSE(LoadClubContactDatabase(working, contact, sink));
    ASSERT_EQ(sink.messages().size(), 1u);
    EXPECT_EQ(sink.messages()[0].text, "Error : 'Rental kart club Details' file not found");

    contact.contactName = "Kart\tClub";
    contact.contactPhone = "01 02\r\n03";
    contact.contactPostalCode = "123456789012345678";
    contact.contactCountry = "France";
    EXPECT_EQ(FormatClubContactFile(contact),
              "Kart Club\t\t01 02  03\t\t\t\t12345678901234\t\tFrance\t\n");
    ASSERT_TRUE(SaveClubContactDatabase(working, contact, sink));
    ClubContact reread;
    ASSERT_TRUE(LoadClubContactDatabase(working, reread, sink));
    EXPECT_EQ(reread, SanitisedContact(contact));
    EXPECT_EQ(reread.contactCountry, "France");
}

} // namespace
} // namespace tallimo::emails
