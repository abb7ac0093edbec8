#include "i18n/core/language_settings.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tallimo::i18n {
namespace {

using testing::TemporaryFolder;

constexpr const char* kFile = "Translation/FenetrePrincipale.trans";

LanguageCode Code(int value) {
    return static_cast<LanguageCode>(value);
}

struct ParseCase {
    const char* name;
    std::string bytes;
    int interfaceCode; // expected, starting from 1 / 1
    int reportCode;
};

class LanguageLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(LanguageLineTest, ReadsTheTwoCodesFromTheStart) {
    LanguageSettings settings{Code(1), Code(1)};
    ParseLanguageLine(GetParam().bytes, settings);
    EXPECT_EQ(static_cast<int>(settings.interfaceCode), GetParam().interfaceCode);
    EXPECT_EQ(static_cast<int>(settings.reportCode), GetParam().reportCode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageLineTest,
    ::testing::Values(ParseCase{"ShippedLine", "0\t0\t\n", 0, 0},
                      ParseCase{"LineFollowedByATable", "3\t5\t\nMain\tPrincipal\t\n", 3, 5},
                      ParseCase{"BlanksAroundTheNumbers", "  2 \t 4", 2, 4},
                      ParseCase{"CodesOutsideTheLanguagesAreKept", "7\t12", 7, 12},
                      ParseCase{"NoFirstNumberChangesNothing", "x\t3", 1, 1},
                      ParseCase{"NoSecondNumberKeepsTheReportCode", "4\tx", 4, 1},
                      ParseCase{"EmptyFileChangesNothing", "", 1, 1}),
    [](const ::testing::TestParamInfo<ParseCase>& test) { return std::string(test.param.name); });

TEST(LanguageSettingsTest, MissingFileFailsAndKeepsTheCodes) {
    TemporaryFolder folder;
    LanguageSettings settings{Code(3), Code(2)};
    EXPECT_FALSE(ReadLanguageSettings(common::WorkingFolder(folder.path()), settings));
    EXPECT_EQ(settings, (LanguageSettings{Code(3), Code(2)}));
}

class LanguageWriteTest : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(LanguageWriteTest, OverwritesExactlyTheFirstThreeBytes) {
    const auto [interfaceCode, reportCode] = GetParam();
    TemporaryFolder folder;
    const common::WorkingFolder working(folder.path());
    const std::string rest = "\t\nMain\tPrincipal\t\xE9t\xE9\t\t\t\t\n";
    folder.write(kFile, "5\t5" + rest);

    ASSERT_TRUE(WriteLanguageSettings(working, {Code(interfaceCode), Code(reportCode)}));
    const std::string expected =
        std::to_string(interfaceCode) + "\t" + std::to_string(reportCode) + rest;
    EXPECT_EQ(folder.read(kFile), expected);

    LanguageSettings read;
    ASSERT_TRUE(ReadLanguageSettings(working, read));
    EXPECT_EQ(read, (LanguageSettings{Code(interfaceCode), Code(reportCode)}));
}

INSTANTIATE_TEST_SUITE_P(EveryPair, LanguageWriteTest,
                         ::testing::Combine(::testing::Range(0, 6), ::testing::Range(0, 6)));

TEST(LanguageSettingsTest, WriteNeedsAnExistingFileAndCreatesNone) {
    TemporaryFolder folder;
    std::filesystem::create_directories(folder / "Translation");
    EXPECT_FALSE(WriteLanguageSettings(common::WorkingFolder(folder.path()), {}));
    EXPECT_FALSE(std::filesystem::exists(folder / kFile));
}

TEST(LanguageSettingsTest, CodesThatWouldNotFitThreeBytesAreRefusedUntouched) {
    TemporaryFolder folder;
    const common::WorkingFolder working(folder.path());
    folder.write(kFile, "1\t2\t\n");
    EXPECT_FALSE(WriteLanguageSettings(working, {Code(6), Code(0)}));
    EXPECT_FALSE(WriteLanguageSettings(working, {Code(0), Code(-1)}));
    EXPECT_EQ(folder.read(kFile), "1\t2\t\n");
}

} // namespace
} // namespace tallimo::i18n
