#include "emails/core/email_sending.h"
#include "emails/core/mailing_address.h"
#include "tests/emails/email_fixture.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tallimo::emails {
namespace {

using testing::AddSubscriber;
using testing::Cp;
using testing::Date;
using testing::FrenchSources;

// Accepts the first `accepting` addresses, refuses the others.
class FakeOpener final : public AddressOpener {
public:
    explicit FakeOpener(int accepting = 1000) : m_accepting(accepting) {}
    bool open(const std::string& url) override {
        opened.push_back(url);
        return static_cast<int>(opened.size()) <= m_accepting;
    }
    std::vector<std::string> opened;

private:
    int m_accepting;
};

struct EncodingCase {
    const char* name;
    std::string utf8;
    std::string encoded;
};

class PercentEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(PercentEncodingTest, OnlyUnreservedCharactersStay) {
    EXPECT_EQ(PercentEncode(GetParam().utf8), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PercentEncodingTest,
    ::testing::Values(EncodingCase{"Unreserved", "Az09-._~", "Az09-._~"},
                      EncodingCase{"QueryDelimiters", "a&b#c+d=e?f", "a%26b%23c%2Bd%3De%3Ff"},
                      EncodingCase{"Blank", "1 01 2027", "1%2001%202027"},
                      EncodingCase{"AccentedLetter", "Zoë", "Zo%C3%AB"},
                      EncodingCase{"Euro", "€", "%E2%82%AC"},
                      EncodingCase{"SlashAndPercent", "a/b%", "a%2Fb%25"}),
    [](const ::testing::TestParamInfo<EncodingCase>& row) { return std::string(row.param.name); });

TEST(MailingAddressTest, BirthdayAddressHasItsKeysInOrderAndEveryValueEncoded) {
    EmailSources sources = FrenchSources();
    sources.contact.contactName = "Kart & Co?";
    AddSubscriber(sources, "O'Neil+Fils", "Zoë", "z@b.fr", Date(1990, 12, 31));
    const DueEmails due = ComputeDueEmails(sources, Date(2026, 12, 30));
    const std::vector<PlannedEmail> plan = PlanGroup(due.groups[0], sources, "https://m.example/f");
    ASSERT_EQ(plan.size(), 1u);
    // The discount period ends a day after 31 December: a date of the next
    // year, never "32 12".
    EXPECT_EQ(plan[0].url,
              "https://m.example/f/emailKartingAnniversaire.php?objet=envoiemail"
              "&emailkarting=club%40kart.fr&clubkarting=Kart%20%26%20Co%3F"
              "&phonekarting=01%2002&websitekarting=www.kart.fr&name=O%27Neil%2BFils"
              "&firstname=Zo%C3%AB&email=z%40b.fr&remiseminkartloc=5&remisemaxkartloc=5"
              "&remiseminkartprive=3&remisemaxkartprive=3&remiseunite=%E2%82%AC"
              "&datemin=29%2012%202026&datemax=1%2001%202027");
}

TEST(MailingAddressTest, PeriodsRunThroughTheCalendarOfEachYear) {
    // 31 December of a 366-day year and 1 January after it.
    EXPECT_EQ(FormatMailDate(common::DayNumber(Date(2028, 12, 31)) + 1), "1 01 2029");
    EXPECT_EQ(FormatMailDate(common::DayNumber(Date(2027, 1, 1)) - 3), "29 12 2026");
}

TEST(MailingAddressTest, EventAndLoyaltyAddressesCarryTheirOwnKeys) {
    EmailSources sources = FrenchSources();
    AddSubscriber(sources, "Abel", "Jean", "a@b.fr");
    finances::DiscountEvent& event = sources.discounts.events[2];
    event = sources.discounts.events[0];
    event.eventName = Cp("Fête #1");
    event.eventDay = 1; // 2 January, with its discount from 30 December
    event.daysBefore = 3;
    event.mailDaysBefore = 5;
    sources.balances.accounts = {{"Abel", "Jean", 250}};
    sources.balances.header = {1, 1, 6, 0};
    sources.sessionPoints.freeSessionCost[0][0] = 100;

    const DueEmails due = ComputeDueEmails(sources, Date(2026, 12, 29));
    const std::vector<PlannedEmail> plan = PlanAllDue(due, sources, "http://h/");
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].kind, EmailKind::Event);
    EXPECT_NE(plan[0].url.find("http://h/emailKartingEvenement.php?"), std::string::npos);
    EXPECT_NE(plan[0].url.find("&email=a%40b.fr&event=F%C3%AAte%20%231&remiseminkartloc=5"),
              std::string::npos);
    EXPECT_NE(plan[0].url.find("&datemin=30%2012%202026&datemax=3%2001%202027"), std::string::npos);
    EXPECT_EQ(plan[1].url, "http://h/emailKartingFidelite.php?objet=envoiemail"
                           "&emailkarting=club%40kart.fr&clubkarting=Kart%20%26%20Co"
                           "&phonekarting=01%2002&websitekarting=www.kart.fr&name=Abel"
                           "&firstname=Jean&email=a%40b.fr&ptsfidelite=250&seancegratuiteloc=2"
                           "&seancegratuiteprive=0&ptsseancegratuiteloc=100"
                           "&ptsseancegratuiteprive=0");

    const std::string preview =
        PreviewAddress(i18n::EmailPreview::Event, sources, Date(2026, 6, 1), "http://h");
    EXPECT_NE(preview.find("http://h/emailKartingEvenement.php?objet=vueemail&"),
              std::string::npos);
    EXPECT_NE(preview.find("&name=&firstname=&email=&event=F%C3%AAte%20%231&"), std::string::npos);
    EXPECT_NE(preview.find("&datemin=29%2005%202026&datemax=2%2006%202026"), std::string::npos);
}

TEST(SendGroupTest, MarkersOnlyForAcceptedAddressesAndGroupMarkersOnlyWhenAllWere) {
    EmailSources sources = FrenchSources();
    for (const char* name : {"Abel", "Bart", "Chat"})
        AddSubscriber(sources, name, "P", "a@b.fr", Date(1990, 6, 11));
    sources.discounts.events[2] = sources.discounts.events[0];
    sources.discounts.events[2].eventName = "Club";
    sources.discounts.events[2].eventDay = 10;
    sources.discounts.events[2].eventMonth = 5;
    const DueEmails due = ComputeDueEmails(sources, Date(2026, 6, 11));
    const int birthday = common::DayNumber(Date(2026, 6, 11));

    FakeOpener refusingThird(2);
    const GroupOutcome outcome = SendGroup(due.groups[0], sources, "http://h", refusingThird);
    EXPECT_EQ(outcome.accepted, 2);
    EXPECT_TRUE(outcome.refused);
    EXPECT_EQ(refusingThird.opened.size(), 3u);
    EXPECT_EQ(sources.subscribers[0].extra1, birthday);
    EXPECT_EQ(sources.subscribers[1].extra1, birthday);
    EXPECT_EQ(sources.subscribers[2].extra1, 0);
    EXPECT_TRUE(sources.subscribersChanged);

    const EmailGroup& event = due.groups[2];
    ASSERT_EQ(event.kind, EmailKind::Event);
    FakeOpener refusingSecond(1);
    SendGroup(event, sources, "http://h", refusingSecond);
    EXPECT_EQ(sources.discounts.events[2].spareInt, 0);
    EXPECT_FALSE(sources.discountsChanged);
    FakeOpener accepting;
    EXPECT_FALSE(SendGroup(event, sources, "http://h", accepting).refused);
    EXPECT_EQ(sources.discounts.events[2].spareInt, birthday);
    EXPECT_TRUE(sources.discountsChanged);

    // Sent today: offered no more.
    const DueEmails after = ComputeDueEmails(sources, Date(2026, 6, 11));
    EXPECT_EQ(after.groups[0].recipients.size(), 1u);
    EXPECT_FALSE(after.groups[2].due());
}

TEST(SaveSentMarkersTest, OnlyTablesReadAtOpeningAndChangedAreWritten) {
    tallimo::testing::TemporaryFolder folder;
    const common::WorkingFolder working(folder.path());
    tallimo::testing::RecordingMessageSink sink;
    // A subscriber file and a discounts file, no loyalty balances.
    EmailSources seed = FrenchSources();
    AddSubscriber(seed, "Abel", "Jean", "a@b.fr", Date(1990, 6, 11));
    ASSERT_TRUE(databases::SaveSubscribersDatabase(working, seed.subscribers, sink));
    ASSERT_TRUE(finances::SaveDiscountsDatabase(working, seed.discounts, sink));
    const std::string discountsBefore = folder.read(finances::kDiscountsFileName);

    EmailSources sources = LoadEmailSources(working, sink);
    EXPECT_TRUE(sources.subscribersLoaded);
    EXPECT_FALSE(sources.balancesLoaded);
    const DueEmails due = ComputeDueEmails(sources, Date(2026, 6, 11));
    FakeOpener opener;
    SendGroup(due.groups[0], sources, "http://h", opener);
    // As if a loyalty mailing had been marked on an empty header.
    sources.balancesChanged = true;
    sink.clear();
    EXPECT_TRUE(SaveSentMarkers(working, sources, sink));
    EXPECT_TRUE(sink.messages().empty());

    EXPECT_FALSE(std::filesystem::exists(working.path(finances::kBalancesFileName)));
    EXPECT_EQ(folder.read(finances::kDiscountsFileName), discountsBefore);
    databases::SubscriberTable reread = databases::MakeSubscriberTable();
    ASSERT_TRUE(databases::LoadSubscribersDatabase(working, reread, sink));
    EXPECT_EQ(reread[0].extra1, common::DayNumber(Date(2026, 6, 11)));
}

} // namespace
} // namespace tallimo::emails
