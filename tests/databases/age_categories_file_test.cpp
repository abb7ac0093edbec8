#include "databases/core/age_categories_file.h"

#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallimo::databases {
namespace {

AgeCategory Range(const char* code, std::int32_t sex, std::int32_t fromMonth, std::int32_t fromYear,
                  std::int32_t toMonth, std::int32_t toYear) {
    AgeCategory c;
    c.code = code;
    c.sex = sex;
    SetAgeCategoryTo(c, toMonth, toYear);
    SetAgeCategoryFrom(c, fromMonth, fromYear);
    return c;
}

std::vector<std::string> Codes(const AgeCategoryTable& table) {
    std::vector<std::string> codes;
    for (int i = 0; i < CountAgeCategories(table); ++i)
        codes.push_back(table[static_cast<std::size_t>(i)].code);
    return codes;
}

TEST(AgeCategoriesFileTest, RoundTripsByteForByteAndCutsOverlongFields) {
    AgeCategoryTable table;
    ClearAgeCategories(table);
    table[0] = Range("U12", 1, 0, 114, 11, 125);
    table[0].ageCategoryName = "Minimes gar\xE7ons";
    const std::string bytes = FormatAgeCategoriesFile(table, 1);
    EXPECT_EQ(bytes, "1\t0\t114\t11\t125\t1368\t1511\tU12\tMinimes gar\xE7ons\t\n");
    AgeCategoryTable back;
    ParseAgeCategoriesFile(bytes, back);
    EXPECT_EQ(back, table);

    ParseAgeCategoriesFile(
        "0\t1\t2\t3\t4\t5\t6\tLONGCODE\t" + std::string(30, 'n') + "\textra\t\n1\t2", back);
    EXPECT_EQ(back[0].code, "LON");
    EXPECT_EQ(back[0].ageCategoryName, std::string(kAgeCategoryNameChars, 'n'));
    EXPECT_EQ(back[0].sex, 0);
    EXPECT_EQ(back[1].fromMonth, 2) << "a truncated last line keeps what it has";

    std::string many;
    for (int i = 0; i < 25; ++i)
        many += "1\t0\t0\t0\t0\t0\t0\tC" + std::to_string(i) + "\tn\t\n";
    ParseAgeCategoriesFile(many, back);
    EXPECT_EQ(CountAgeCategories(back), kAgeCategorySlots);
}

TEST(AgeCategoriesFileTest, AddingFollowsTheCodeRules) {
    AgeCategoryTable table;
    ClearAgeCategories(table);
    EXPECT_EQ(AddAgeCategory(table, "U12"), 0);
    EXPECT_EQ(AddAgeCategory(table, "u12"), -1) << "case is ignored";
    EXPECT_EQ(AddAgeCategory(table, "-9"), 1);
    EXPECT_EQ(AddAgeCategory(table, "(A)"), 2);
    for (const char* refused : {"", " A", "A B"})
        EXPECT_EQ(AddAgeCategory(table, refused), -1) << refused;
    EXPECT_EQ(AddAgeCategory(table, "SENIOR"), 3) << "cut to three characters";
    EXPECT_EQ(Codes(table), (std::vector<std::string>{"U12", "_9", "_A_", "SEN"}));
    for (int i = 4; i < kAgeCategorySlots; ++i)
        ASSERT_EQ(AddAgeCategory(table, "Z" + std::to_string(i)), i);
    EXPECT_EQ(AddAgeCategory(table, "NEW"), -1) << "the 21st is refused";

    ASSERT_TRUE(RemoveAgeCategory(table, 1));
    EXPECT_EQ(Codes(table).size(), 19u);
    EXPECT_EQ(table[1].code, "_A_") << "the records after it move up, in order";
    EXPECT_TRUE(table[19].code.empty());
    EXPECT_FALSE(RemoveAgeCategory(table, 19));
}

TEST(AgeCategoriesFileTest, TheRangeCanNeverBeInverted) {
    AgeCategory c = Range("A", 1, 0, 100, 11, 100);
    SetAgeCategoryTo(c, 5, 99);
    EXPECT_EQ(std::make_pair(c.toMonth, c.toYear), std::make_pair(0, 100))
        << "'to' moves up to 'from'";
    SetAgeCategoryFrom(c, 3, 101);
    EXPECT_EQ(std::make_pair(c.fromMonth, c.fromYear), std::make_pair(0, 100))
        << "'from' moves back to 'to'";
    EXPECT_EQ(c.fromMonths, 1200);
    EXPECT_EQ(c.toMonths, 1200);
}

TEST(AgeCategoriesFileTest, TheLastMatchingCategoryWinsAndBothEndsAreIncluded) {
    AgeCategoryTable table;
    ClearAgeCategories(table);
    table[0] = Range("A", 1, 0, 90, 11, 99);  // men born 1990-1999
    table[1] = Range("B", 1, 0, 95, 11, 105); // men born 1995-2005
    table[2] = Range("M", 0, 2, 100, 2, 100); // women born in March 2000 only
    EXPECT_EQ(FindAgeCategory(table, 1, 97, 5), 1);
    EXPECT_EQ(FindAgeCategory(table, 1, 92, 5), 0);
    EXPECT_EQ(FindAgeCategory(table, 0, 97, 5), -1) << "the sex must match";
    EXPECT_EQ(FindAgeCategory(table, 0, 100, 2), 2);
    EXPECT_EQ(FindAgeCategory(table, 0, 100, 3), -1);
    EXPECT_EQ(FindAgeCategory(table, 1, 0, 0), -1) << "free records never match";
    EXPECT_EQ(AgeInYears(1200, 1200 + 12 * 26 + 11), 26);
}

TEST(AgeCategoriesFileTest, MissingFilesAreReportedAndTheTableIsEmpty) {
    testing::TemporaryFolder root;
    const common::WorkingFolder folder(root.path());
    testing::RecordingMessageSink messages;
    AgeCategoryTable table;
    ClearAgeCategories(table);
    AddAgeCategory(table, "X");
    EXPECT_FALSE(LoadAgeCategoriesDatabase(folder, table, messages));
    EXPECT_EQ(CountAgeCategories(table), 0);
    EXPECT_EQ(messages.messages(),
              (std::vector<testing::RecordedMessage>{{"Error", kAgeCategoriesFileErrorText}}));
    AddAgeCategory(table, "Y");
    EXPECT_TRUE(SaveAgeCategoriesDatabase(folder, table, messages));
    AgeCategoryTable back;
    EXPECT_TRUE(LoadAgeCategoriesDatabase(folder, back, messages));
    EXPECT_EQ(back, table);
}

} // namespace
} // namespace tallimo::databases
