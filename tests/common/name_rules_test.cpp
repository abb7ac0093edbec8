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

TEST(NameRulesTest, NormalisedNamesDropAccentsAndPunctuation) {
    const std::pair<const char*, const char*> rows[] = {
        {"J\xE9"
         "an",
         "jean"}, // é
        {"\xC9LO\xCF"
         "SE",
         "eloise"},                  // É, Ï, capitals
        {"Fran\xE7ois", "francois"}, // ç
        {"Nu\xF1o", "nuno"},         // ñ
        {"Y\x9F"
         "s\xFD\xFF",
         "yysyy"}, // Ÿ, ý, ÿ
        {"\xC6lia \x8C"
         "dile",
         "\xE6lia \x9C"
         "dile"}, // Æ, Œ lowered
        {"Anne-Marie_Jo,\"Z\"\x96\x97\xAF", "anne marie jo  z    "},
    };
    for (const auto& [name, normalised] : rows)
        EXPECT_EQ(NormaliseName(name), normalised) << name;
}

} // namespace
} // namespace tallimo::common
