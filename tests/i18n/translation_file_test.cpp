#include "i18n/core/translation_file.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tallimo::i18n {
namespace {

using testing::TemporaryFolder;

constexpr LanguageCode kEnglish = LanguageCode::English;
constexpr LanguageCode kFrench = LanguageCode::French;
constexpr LanguageCode kSpanish = LanguageCode::Spanish;

std::string Row(const std::string& a, const std::string& b = "b", const std::string& c = "c") {
    return a + "\t" + b + "\t" + c + "\td\te\tf\t\n";
}

// A table whose every slot holds "old", to see what a load replaces.
TranslationTable StaleTable() {
    TranslationTable table;
    for (int r = 0; r < 4; ++r)
        for (std::size_t c = 0; c < kLanguageCount; ++c)
            table.setText(r, static_cast<LanguageCode>(c), "old");
    return table;
}

struct LoadCase {
    const char* name;
    std::string bytes;
    int rowCount;
    // Expected slots after loading into StaleTable(): {row, code, text}.
    std::vector<std::tuple<int, LanguageCode, std::string>> expected;
};

class TranslationFileLoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(TranslationFileLoadTest, ReplacesWhatTheFileHoldsAndNothingElse) {
    const LoadCase& test = GetParam();
    TranslationTable table = StaleTable();
    ParseTranslationFile(test.bytes, table, test.rowCount);
    for (const auto& [row, code, text] : test.expected)
        EXPECT_EQ(table.text(row, code), text) << "row " << row << " code " << int(code);
}

const std::string k70 = std::string(70, 'x');
const std::string k59 = std::string(59, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, TranslationFileLoadTest,
    ::testing::Values(
        LoadCase{"FewerRowsThanTheCountLeaveTheRestAsTheyWere",
                 Row("a"),
                 3,
                 {{0, kEnglish, "a"}, {0, kSpanish, "f"}, {1, kEnglish, "old"}}},
        LoadCase{"RowsBeyondTheCountAreNotRead",
                 Row("a") + Row("g") + Row("h"),
                 2,
                 {{1, kEnglish, "g"}, {2, kEnglish, "old"}}},
        LoadCase{"FieldLongerThanItsSlotIsCutTo59",
                 Row(k70),
                 1,
                 {{0, kEnglish, k59}, {0, kFrench, "b"}}},
        LoadCase{"EmptyFieldEmptiesThatLanguageOnly",
                 Row("a", ""),
                 1,
                 {{0, kEnglish, "a"}, {0, kFrench, ""}, {0, LanguageCode::German, "c"}}},
        LoadCase{"TextAfterTheSixthFieldIsSkipped",
                 "a\tb\tc\td\te\tf\tspare\tmore\n" + Row("g"),
                 2,
                 {{0, kSpanish, "f"}, {1, kEnglish, "g"}}},
        LoadCase{"ShortLineDoesNotShiftTheNextRow",
                 "a\tb\n" + Row("g"),
                 2,
                 {{0, kFrench, "b"}, {0, LanguageCode::German, ""}, {1, kEnglish, "g"}}},
        LoadCase{"ByteFFWhereARowBeginsEndsTheFile",
                 Row("a") + "\xFF" + Row("g"),
                 2,
                 {{0, kEnglish, "a"}, {1, kEnglish, "old"}}},
        LoadCase{"LastRowWithoutLineEndIsRead",
                 Row("a") + "g\th",
                 2,
                 {{1, kEnglish, "g"}, {1, kFrench, "h"}}},
        LoadCase{"CarriageReturnIsPartOfTheLineEnd",
                 "a\tb\tc\td\te\tf\r\n" + Row("g"),
                 2,
                 {{0, kSpanish, "f"}, {1, kEnglish, "g"}}},
        LoadCase{"EmptyFileChangesNothing", "", 2, {{0, kEnglish, "old"}}}),
    [](const ::testing::TestParamInfo<LoadCase>& test) { return std::string(test.param.name); });

TEST(TranslationFileTest, MissingFileFailsAndLeavesTheTableAlone) {
    TemporaryFolder folder;
    const common::WorkingFolder working(folder.path());
    TranslationTable table = StaleTable();
    EXPECT_FALSE(LoadTranslationTable(working, "BasePistes.trans", table, 6));
    EXPECT_TRUE(table == StaleTable());
}

TEST(TranslationFileTest, SaveFailsWhenTheFolderIsMissing) {
    TemporaryFolder folder;
    const common::WorkingFolder working(folder.path());
    EXPECT_FALSE(SaveTranslationTable(working, "BasePistes.trans", StaleTable(), 6));
}

TEST(TranslationFileTest, SeparatorsTypedIntoALabelCannotBreakTheRows) {
    TranslationTable table;
    table.setText(0, kEnglish, "two\tparts\nand a line");
    table.setText(1, kEnglish, "next");
    const std::string bytes = FormatTranslationFile(table, 2);
    EXPECT_EQ(bytes, "two parts and a line\t\t\t\t\t\t\nnext\t\t\t\t\t\t\n");
    TranslationTable loaded;
    ParseTranslationFile(bytes, loaded, 2);
    EXPECT_EQ(loaded.text(1, kEnglish), "next");
}

TEST(TranslationTableTest, UnknownCodesReadAndWriteTheEnglishColumn) {
    TranslationTable table;
    table.setText(0, static_cast<LanguageCode>(9), "Add");
    EXPECT_EQ(table.text(0, kEnglish), "Add");
    EXPECT_EQ(table.text(0, static_cast<LanguageCode>(-1)), "Add");
    EXPECT_EQ(table.text(kTranslationTableRows, kEnglish), "");
    table.setText(0, kFrench, k70);
    EXPECT_EQ(table.text(0, kFrench), k59);
}

} // namespace
} // namespace tallimo::i18n
