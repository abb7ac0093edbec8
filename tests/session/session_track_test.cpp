#include "session/core/session_track.h"

#include <gtest/gtest.h>

namespace tallimo::session {
namespace {

std::vector<TrackForSession> Tracks() {
    return {{"Circuit du lac", "850", "5", "0:41.250", "Marc", "Durand", "12/05/2023", ""},
            {"Piste nord", "", "", "", "", "", "", ""}};
}

struct ProtectionCase {
    const char* name;
    const char* typed;
    const char* shown;
    int seconds;
};

class ProtectionTypingTest : public ::testing::TestWithParam<ProtectionCase> {};

TEST_P(ProtectionTypingTest, NeverGoesBelowTheMinimum) {
    const ProtectionCase& c = GetParam();
    SessionTrackSelection selection(Tracks(), SessionTrackDefaults());
    EXPECT_EQ(selection.typeProtection(c.typed), c.shown);
    EXPECT_EQ(selection.header().minLapSeconds, c.seconds);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProtectionTypingTest,
                         ::testing::Values(ProtectionCase{"ThreeDigits", "120", "120", 120},
                                           ProtectionCase{"Two", "2", "2", 2},
                                           ProtectionCase{"One", "1", "2", 2},
                                           ProtectionCase{"Zero", "0", "2", 2},
                                           ProtectionCase{"Empty", "", "2", 2},
                                           ProtectionCase{"LeadingZero", "07", "07", 7},
                                           ProtectionCase{"OverlongDatabaseText", "99999999999",
                                                          "99999999999", 999999999}),
                         [](const ::testing::TestParamInfo<ProtectionCase>& test) {
                             return std::string(test.param.name);
                         });

} // namespace
} // namespace tallimo::session
