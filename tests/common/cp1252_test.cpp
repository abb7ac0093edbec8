#include "common/core/cp1252.h"

#include <gtest/gtest.h>

namespace tallimo::common {
namespace {

TEST(Cp1252Test, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        all += static_cast<char>(byte);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252Test, ConvertsTheLettersOfTheSixLanguages) {
    EXPECT_EQ(Cp1252ToUtf8("Karts priv\xE9s"), "Karts privés");
    EXPECT_EQ(Cp1252ToUtf8("\x80 \x9C \xDF \xF1"), "€ œ ß ñ");
    EXPECT_EQ(Utf8ToCp1252("Réglages Größe año ção"), "R\xE9glages Gr\xF6\xDF"
                                                      "e a\xF1o \xE7\xE3o");
}

TEST(Cp1252Test, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("a\xE2\x82\xBD"
                           "b"),
              "a?b");                                 // rouble sign
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x8F\x81"), "?"); // chequered flag
}

TEST(Cp1252Test, MalformedUtf8IsTakenAsWindows1252) {
    // A lone 0xE9 is not UTF-8: it stays the byte it was.
    EXPECT_EQ(Utf8ToCp1252("priv\xE9s"), "priv\xE9s");
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "\xC3");
    EXPECT_EQ(Utf8ToCp1252("\xE0\x80\x80"), "\xE0\x80\x80"); // overlong
}

} // namespace
} // namespace tallimo::common
