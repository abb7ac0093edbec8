#include "common/core/name_rules.h"

#include <gtest/gtest.h>

namespace tallimo::common {
namespace {

TEST(NameRulesTest, DashesBecomeUnderscores) {
    EXPECT_EQ(ReplaceDashes("Jean-Pierre"), "Jean_Pierre");
    EXPECT_EQ(ReplaceDashes("--"), "__");
}

TEST(NameRulesTest, RefusesEmptyBlankLedDuplicateAndOverLimitNames) {
    const std::vector<std::string> existing = {"Piste du lac", "\xC9t\xE9"};
    EXPECT_TRUE(CanAddName("Circuit", existing, 10));
    EXPECT_FALSE(CanAddName("", existing, 10));
    EXPECT_FALSE(CanAddName(" Circuit", existing, 10));
    EXPECT_FALSE(CanAddName("PISTE DU LAC", existing, 10));
    EXPECT_FALSE(CanAddName("\xE9T\xC9", existing, 10)); // accented case folds too
    EXPECT_FALSE(CanAddName("Circuit", existing, 2));
    EXPECT_TRUE(CanAddName("Piste du lac 2", existing, 10));
}

} // namespace
} // namespace tallimo::common
