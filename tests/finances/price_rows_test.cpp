#include "finances/core/session_prices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallimo::finances {
namespace {

std::vector<int> Durations(const PriceRow& row) {
    std::vector<int> durations;
    for (const SessionPrice& entry : row)
        durations.push_back(entry.durationMinutes);
    return durations;
}

PriceRow Offering(std::initializer_list<int> durations) {
    PriceRow row{};
    int next = 0;
    for (const int duration : durations)
        row[next++] = {duration, duration * 2, 0};
    return row;
}

struct AddCase {
    const char* name;
    PriceRow row;
    int added;
    bool accepted;
    std::vector<int> durations;
};

class AddSessionDurationTest : public ::testing::TestWithParam<AddCase> {};

TEST_P(AddSessionDurationTest, KeepsTheRowInOfferOrder) {
    PriceRow row = GetParam().row;
    EXPECT_EQ(AddSessionDuration(row, GetParam().added), GetParam().accepted);
    EXPECT_EQ(Durations(row), GetParam().durations);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AddSessionDurationTest,
    ::testing::Values(
        AddCase{"ShorterThanAllGoesFirst", Offering({10, 20}), 5, true, {5, 10, 20, 0, 0, 0}},
        AddCase{"LongestGoesLast", Offering({10, 20}), 30, true, {10, 20, 30, 0, 0, 0}},
        AddCase{"DuplicateRefused", Offering({5, 10, 20}), 10, false, {5, 10, 20, 0, 0, 0}},
        AddCase{"ZeroRefused", Offering({5}), 0, false, {5, 0, 0, 0, 0, 0}},
        AddCase{
            "ZeroRefusedInAFullRow", Offering({1, 2, 3, 4, 5, 6}), 0, false, {1, 2, 3, 4, 5, 6}},
        AddCase{"NegativeRefused", Offering({}), -5, false, {0, 0, 0, 0, 0, 0}},
        AddCase{"SeventhRefused", Offering({1, 2, 3, 4, 5, 6}), 7, false, {1, 2, 3, 4, 5, 6}},
        AddCase{"SixthAccepted", Offering({1, 2, 3, 4, 5}), 9, true, {1, 2, 3, 4, 5, 9}}),
    [](const ::testing::TestParamInfo<AddCase>& row) { return std::string(row.param.name); });

TEST(PriceRowEditingTest, NothingHappensWhereNoSessionIsOffered) {
    PriceRow row = Offering({5, 10});
    const PriceRow before = row;
    for (const int session : {-1, 2, 5, 6}) {
        SCOPED_TRACE(session);
        EXPECT_FALSE(RemoveSession(row, session));
        EXPECT_FALSE(SetSessionPrice(row, session, 99));
        EXPECT_EQ(row, before);
    }
}

} // namespace
} // namespace tallimo::finances
