// The loyalty card as its window loads, saves, exports and imports it, on
// files the core writes.

#include "finances/core/loyalty_files.h"

#include "tests/finances/booking_fixture.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

using File = testing::BookingFixture::File;
using testing::RecordedMessage;

RecordedMessage Error(const char* text) {
    return {kFinancesErrorCaption, text};
}

class LoyaltyCardTest : public ::testing::Test {
protected:
    LoyaltyCardTest() { m_fixture.balances.header = {1, 1, 3, 45001}; }

    LoyaltyCard load(const std::set<File>& missing = {}) {
        m_fixture.write(m_root, missing);
        LoyaltyCard card;
        LoadLoyaltyCard(m_root, card, m_messages);
        return card;
    }

    testing::TemporaryFolder m_folder;
    common::WorkingFolder m_root{m_folder.path()};
    testing::BookingFixture m_fixture;
    testing::RecordingMessageSink m_messages;
};

TEST_F(LoyaltyCardTest, ImportAlignsTheAccountsAndZeroesUnnamedCategories) {
    LoyaltyCard card = load();
    m_folder.write("old.bcf2", "0\t1\t12\t9\t\nGone\tX\t9\t\nDurand\tPaul\t40\t\n");
    SessionPointsTables points;
    points.sessionPoints[0][0] = 15;
    points.sessionPoints[3][0] = 99; // a category this track no longer names
    ASSERT_TRUE(SaveSessionPoints(points, m_folder / "old.bcfb"));

    ASSERT_TRUE(ImportLoyaltyCard(card, m_folder / "old.bcf2", m_messages));
    EXPECT_EQ(card.balances.header, (LoyaltyHeader{0, 1, 12, 9}));
    EXPECT_EQ(card.balances.accounts,
              (std::vector<LoyaltyAccount>{{"Martin", "Anne", 0}, {"Durand", "Paul", 40}}));
    EXPECT_EQ(SessionPointsOf(card.points, 0, 0), 15);
    EXPECT_EQ(SessionPointsOf(card.points, 3, 0), 0);
}

// Each file of an import stands alone: the one read replaces its table, the
// other keeps the card's and is named in its own message.
struct ImportCase {
    const char* name;
    bool balancesThere;
    bool pointsThere;
    std::vector<const char*> messages;
};

class LoyaltyImportTest : public LoyaltyCardTest,
                          public ::testing::WithParamInterface<ImportCase> {};

TEST_P(LoyaltyImportTest, AMissingFileKeepsItsTableAndIsNamed) {
    const ImportCase& c = GetParam();
    LoyaltyCard source = load();
    source.balances.header.freeSessionMailMonths = 11;
    source.points.sessionPoints[0][0] = 33;
    ASSERT_TRUE(ExportLoyaltyCard(source, m_folder / "card.bcf2", m_messages));
    if (!c.balancesThere)
        std::filesystem::remove(m_folder / "card.bcf2");
    if (!c.pointsThere)
        std::filesystem::remove(m_folder / "card.bcfb");

    LoyaltyCard card = load();
    EXPECT_EQ(ImportLoyaltyCard(card, m_folder / "card.bcf2", m_messages),
              c.balancesThere && c.pointsThere);
    EXPECT_EQ(card.balances.header.freeSessionMailMonths, c.balancesThere ? 11 : 3);
    EXPECT_EQ(SessionPointsOf(card.points, 0, 0), c.pointsThere ? 33 : 15);
    std::vector<RecordedMessage> expected;
    for (const char* text : c.messages)
        expected.push_back(Error(text));
    EXPECT_EQ(m_messages.messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoyaltyImportTest,
    ::testing::Values(ImportCase{"BothFiles", true, true, {}},
                      ImportCase{"NoBalances", false, true, {kBalancesImportErrorText}},
                      ImportCase{"NoSessionPoints", true, false, {kSessionPointsImportErrorText}},
                      ImportCase{"Neither",
                                 false,
                                 false,
                                 {kBalancesImportErrorText, kSessionPointsImportErrorText}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(LoyaltyCardTest, AnExportThatCannotBeWrittenNamesBothFiles) {
    const LoyaltyCard card = load();
    EXPECT_FALSE(ExportLoyaltyCard(card, m_folder / "no folder" / "card.bcf2", m_messages));
    EXPECT_EQ(m_messages.messages(),
              (std::vector<RecordedMessage>{Error(kBalancesExportErrorText),
                                            Error(kSessionPointsExportErrorText)}));
}

TEST_F(LoyaltyCardTest, UnreadableSubscribersCostNoBalance) {
    m_fixture.balances.accounts.push_back({"Ancien", "Client", 500});
    const LoyaltyCard card = load({File::Subscribers});
    EXPECT_EQ(m_messages.messages(),
              std::vector<RecordedMessage>{Error(databases::kSubscribersFileErrorText)});
    ASSERT_TRUE(SaveLoyaltyCard(m_root, card, m_messages));
    LoyaltyBalances saved;
    ASSERT_TRUE(LoadBalances(saved, m_root.path(kBalancesFileName)));
    EXPECT_EQ(saved.accounts, m_fixture.balances.accounts);
}

} // namespace
} // namespace tallimo::finances
