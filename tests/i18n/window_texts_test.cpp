#include "i18n/core/translation_messages.h"
#include "i18n/core/window_texts.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <vector>

namespace tallimo::i18n {
namespace {

using testing::RecordedMessage;
using testing::RecordingMessageSink;
using testing::TemporaryFolder;

std::string Row(const std::string& english, const std::string& french) {
    return english + "\t" + french + "\tde\tit\tpt\tes\t\n";
}

struct OpeningCase {
    const char* name;
    bool settingsFile;
    bool windowFile;
    bool vocabularyFile;
    CommonVocabulary vocabulary;
    const char* expectedLabel;        // row 1 in the interface language
    const char* expectedWord;         // vocabulary row 15 in the interface language
    std::vector<const char*> missing; // file names reported, in order
};

class OpeningWindowTest : public ::testing::TestWithParam<OpeningCase> {};

TEST_P(OpeningWindowTest, ReportsEachMissingFileOnceAndGoesOn) {
    const OpeningCase& test = GetParam();
    TemporaryFolder folder;
    if (test.settingsFile)
        folder.write("Translation/FenetrePrincipale.trans", "1\t4\t\n");
    if (test.windowFile)
        folder.write("Translation/BasePistes.trans",
                     Row("Heading", "Titre") + Row("Tracks", "Pistes"));
    if (test.vocabularyFile)
        folder.write("Translation/BaseCategoriesAge.trans",
                     std::string(15, '\n') + Row("Cancel", "Echap"));
    RecordingMessageSink sink;

    const WindowTexts texts = OpenWindowTexts(common::WorkingFolder(folder.path()), "BasePistes", 6,
                                              test.vocabulary, sink);

    EXPECT_EQ(texts.label(1), test.expectedLabel);
    EXPECT_EQ(texts.word(15), test.expectedWord);
    std::vector<RecordedMessage> expected;
    for (const char* file : test.missing)
        expected.push_back({"Error", MissingTranslationFileText(file)});
    EXPECT_EQ(sink.messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpeningWindowTest,
    ::testing::Values(
        OpeningCase{
            "AllFilesPresent", true, true, true, CommonVocabulary::Load, "Pistes", "Echap", {}},
        OpeningCase{"MissingSettingsFallBackToEnglish",
                    false,
                    true,
                    true,
                    CommonVocabulary::Load,
                    "Tracks",
                    "Cancel",
                    {"FenetrePrincipale.trans"}},
        OpeningCase{"MissingWindowFileLeavesEmptyLabels",
                    true,
                    false,
                    true,
                    CommonVocabulary::Load,
                    "",
                    "Echap",
                    {"BasePistes.trans"}},
        OpeningCase{"MissingVocabularyIsReported",
                    true,
                    true,
                    false,
                    CommonVocabulary::Load,
                    "Pistes",
                    "",
                    {"BaseCategoriesAge.trans"}},
        OpeningCase{"VocabularyNotAskedForIsNotRead",
                    true,
                    true,
                    false,
                    CommonVocabulary::Skip,
                    "Pistes",
                    "",
                    {}},
        OpeningCase{"NothingThere",
                    false,
                    false,
                    false,
                    CommonVocabulary::Load,
                    "",
                    "",
                    {"FenetrePrincipale.trans", "BasePistes.trans", "BaseCategoriesAge.trans"}}),
    [](const ::testing::TestParamInfo<OpeningCase>& info) { return std::string(info.param.name); });

TEST(WindowTextsTest, ReloadingATableForgetsTheLabelsOfThePreviousOpening) {
    TemporaryFolder folder;
    folder.write("Translation/BasePistes.trans", Row("Heading", "Titre"));
    TranslationTable table;
    table.setText(1, LanguageCode::French, "edited before");
    RecordingMessageSink sink;
    EXPECT_TRUE(
        LoadWindowTable(common::WorkingFolder(folder.path()), "BasePistes.trans", table, 6, sink));
    EXPECT_EQ(table.text(0, LanguageCode::French), "Titre");
    EXPECT_EQ(table.text(1, LanguageCode::French), "");
    EXPECT_TRUE(sink.messages().empty());
}

TEST(TranslationMessagesTest, NameTheFileAsTheOperatorSeesIt) {
    EXPECT_EQ(MissingTranslationFileText("BaseCategoriesKarts.trans"),
              "Error: The translation file 'BaseCategoriesKarts.trans' has not been found");
    RecordingMessageSink sink;
    ReportMissingTranslationFile(sink, "BaseClubs.trans");
    ASSERT_EQ(sink.messages().size(), 1u);
    EXPECT_EQ(sink.messages()[0].caption, "Error");
    EXPECT_EQ(sink.messages()[0].text,
              "Error: The translation file 'BaseClubs.trans' has not been found");
}

} // namespace
} // namespace tallimo::i18n
