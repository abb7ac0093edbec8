#include "databases/core/classification_sources.h"

#include "databases/core/age_categories_file.h"
#include "databases/core/kart_categories_file.h"
#include "databases/core/subscribers_file.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::databases {
namespace {

using testing::RecordedMessage;

TEST(ClassificationSourcesTest, MissingFilesGiveTheirMessagesAndEmptyParts) {
    const testing::TemporaryFolder folder;
    testing::RecordingMessageSink messages;
    const ClassificationSources sources =
        LoadClassificationSources(common::WorkingFolder(folder.path()), messages);
    EXPECT_EQ(messages.messages(),
              (std::vector<RecordedMessage>{
                  {"Error", "Error : 'Go-karts categories' database file not found"},
                  {"Error", "Error : 'Subscribers' database file not found"},
                  {"Error", "Error : 'Age categories' database file not found"}}));
    EXPECT_TRUE(sources.people.empty());
    EXPECT_TRUE(sources.ages.empty());
    EXPECT_EQ(sources.categoryNames, (std::array<std::string, 5>{}));
}

TEST(ClassificationSourcesTest, ReadsWhatTheFilesHoldDamagedOnesIncluded) {
    const testing::TemporaryFolder folder;
    CategoryTable categories;
    categories[0].name = "Adultes";
    categories[2].name = "Enfants"; // slot 2 keeps its place: the session's category 2
    folder.write(kCategoriesFileName, FormatCategoriesFile(categories, kCategorySlots));

    SubscriberTable subscribers = MakeSubscriberTable();
    subscribers[0].name = "Martin";
    subscribers[0].firstName = "Julie";
    subscribers[0].club = "Les As";
    subscribers[0].sex = 0;
    SetBirthDate(subscribers[0], {4, 5, 97});
    subscribers[1].name = "Durand";
    subscribers[1].firstName = "Luc";
    folder.write(kSubscribersFileName, FormatSubscribersFile(subscribers, 2));

    AgeCategoryTable ages;
    ages[0].code = "U12";
    ages[0].ageCategoryName = "Minimes";
    ages[0].sex = 0;
    SetAgeCategoryTo(ages[0], 11, 110);
    SetAgeCategoryFrom(ages[0], 0, 100);
    ages[1].code = "V";
    // The file is cut in the middle of the second category's line.
    const std::string ageBytes = FormatAgeCategoriesFile(ages, 2);
    folder.write(kAgeCategoriesFileName, ageBytes.substr(0, ageBytes.size() - 3));

    testing::RecordingMessageSink messages;
    const ClassificationSources sources =
        LoadClassificationSources(common::WorkingFolder(folder.path()), messages);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(sources.categoryNames,
              (std::array<std::string, 5>{"Adultes", "", "Enfants", "", ""}));
    ASSERT_EQ(sources.people.size(), 2u);
    const session::ClassificationPerson& julie = sources.people[0];
    EXPECT_EQ(julie.name, "Martin");
    EXPECT_EQ(julie.firstName, "Julie");
    EXPECT_EQ(julie.club, "Les As");
    EXPECT_EQ(julie.sex, 0);
    EXPECT_EQ(julie.birthYear, 97);
    EXPECT_EQ(julie.birthMonth, 5);
    ASSERT_GE(sources.ages.size(), 1u);
    EXPECT_EQ(sources.ages[0].code, "U12");
    EXPECT_EQ(sources.ages[0].name, "Minimes");
    EXPECT_EQ(sources.ages[0].sex, 0);
    EXPECT_EQ(sources.ages[0].fromYear, 100);
    EXPECT_EQ(sources.ages[0].toYear, 110);
    EXPECT_EQ(sources.ages[0].toMonth, 11);
}

TEST(ClassificationSourcesTest, KartCategoriesCannotTakeTheListsOwnNames) {
    const struct {
        const char* typed;
        bool added;
    } rows[] = {
        {"Toutes", false},          {"TOUTES", false},          {"Toutes  ", false},
        {"Karts priv\xE9s", false}, {"KARTS PRIV\xC9S", false}, {"karts priv\xE9s\t", false},
        {"Toutes 2", true},         {"Karts-priv\xE9s", true}, // stored as Karts_priv\xE9s, another
                                                               // name
    };
    for (const auto& row : rows) {
        CategoryTable table;
        EXPECT_EQ(AddCategory(table, row.typed) >= 0, row.added) << row.typed;
        EXPECT_EQ(ListedCategorySlots(table).size(), row.added ? 1u : 0u) << row.typed;
    }
}

} // namespace
} // namespace tallimo::databases
