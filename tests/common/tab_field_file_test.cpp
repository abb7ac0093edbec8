#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <gtest/gtest.h>

namespace tallimo::common {
namespace {

TEST(TabFieldWriterTest, EndsEveryFieldWithTabAndEveryRecordWithLf) {
    TabFieldWriter writer;
    writer.text("K1", 4);
    writer.text("", 6);
    writer.number(-1);
    writer.number(120000);
    writer.endRecord();
    writer.endRecord();
    EXPECT_EQ(writer.bytes(), "K1\t\t-1\t120000\t\n\n");
}

TEST(TabFieldWriterTest, CutsOverlongTextAndNeutralisesSeparators) {
    TabFieldWriter writer;
    writer.text("ABCDEFGH", 4);
    writer.text("a\tb\nc\rd", 10);
    EXPECT_EQ(writer.bytes(), "ABCD\ta b c d\t");
}

TEST(TabFieldReaderTest, ReadsTextsAndNumbersOfOneRecord) {
    TabFieldReader reader("Piste du lac\t2\t\n\nnext\t");
    EXPECT_EQ(reader.readText(19), "Piste du lac");
    std::int32_t value = 0;
    EXPECT_TRUE(reader.readInt(value));
    EXPECT_EQ(value, 2);
    EXPECT_TRUE(reader.atLineEnd());
    reader.skipLine();
    reader.skipEmptyLines();
    EXPECT_EQ(reader.readText(19), "next");
    EXPECT_TRUE(reader.atEnd());
}

TEST(TabFieldReaderTest, CutsAFieldToItsCapacityAndMovesPastIt) {
    TabFieldReader reader("ABCDEFGHIJ\tK\t");
    EXPECT_EQ(reader.readText(4), "ABCD");
    EXPECT_EQ(reader.readText(4), "K");
}

TEST(TabFieldReaderTest, AFieldNeverRunsIntoTheNextLine) {
    TabFieldReader reader("short\nK2\t");
    EXPECT_EQ(reader.readText(20), "short");
    EXPECT_EQ(reader.readText(20), ""); // still at the line end
    reader.skipLine();
    EXPECT_EQ(reader.readText(20), "K2");
}

TEST(TabFieldReaderTest, CrLfLineEndsAreLineEnds) {
    TabFieldReader reader("a\t\r\n\r\nb\t\r\n");
    EXPECT_EQ(reader.readText(5), "a");
    EXPECT_TRUE(reader.atLineEnd());
    reader.skipLine();
    reader.skipEmptyLines();
    EXPECT_EQ(reader.readText(5), "b");
}

TEST(TabFieldReaderTest, ByteFfWhereARecordBeginsEndsTheFile) {
    TabFieldReader reader("a\t\n\xFFgarbage\t\n");
    reader.readText(5);
    reader.skipLine();
    EXPECT_TRUE(reader.atEnd());
    // Inside a text 0xFF is an ordinary byte (ÿ).
    TabFieldReader inside("\xFF\t");
    EXPECT_TRUE(inside.atEnd());
    TabFieldReader later("x\xFF\t");
    EXPECT_FALSE(later.atEnd());
    EXPECT_EQ(later.readText(5), "x\xFF");
}

struct NumberCase {
    const char* name;
    const char* field;
    bool parses;
    std::int32_t value;
};

class TabFieldNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TabFieldNumberTest, ParsesOrKeepsThePreviousValue) {
    const NumberCase& c = GetParam();
    // The reader views the bytes: they must outlive it.
    const std::string bytes = std::string(c.field) + "\t7\t";
    TabFieldReader reader(bytes);
    std::int32_t value = 42;
    EXPECT_EQ(reader.readInt(value), c.parses);
    EXPECT_EQ(value, c.parses ? c.value : 42);
    std::int32_t next = 0;
    EXPECT_TRUE(reader.readInt(next)) << "the bad field must be consumed whole";
    EXPECT_EQ(next, 7);
}

INSTANTIATE_TEST_SUITE_P(Fields, TabFieldNumberTest,
                         ::testing::Values(NumberCase{"plain", "123", true, 123},
                                           NumberCase{"negative", "-1", true, -1},
                                           NumberCase{"plus_sign", "+5", true, 5},
                                           NumberCase{"blanks_around", " 12 ", true, 12},
                                           NumberCase{"int_max", "2147483647", true, 2147483647},
                                           NumberCase{"empty", "", false, 0},
                                           NumberCase{"letters", "abc", false, 0},
                                           NumberCase{"trailing_garbage", "12x", false, 0},
                                           NumberCase{"overflow", "99999999999", false, 0},
                                           NumberCase{"lone_minus", "-", false, 0}),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace tallimo::common
