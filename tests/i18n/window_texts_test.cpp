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
    const char* files; // S: language settings, W: the window's file, V: vocabulary
    CommonVocabulary vocabulary;
    const char* expectedLabel;        // row 1 in the interface language
    const char* expectedWord;         // vocabulary row 15 in the interface language
    std::vector<const char*> missing; // file names reported, in order
};

class OpeningWindowTest : public ::testing::TestWithParam<OpeningCase> {};

TEST_P(OpeningWindowTest, ReportsEachMissingFileOnceAndGoesOn) {
    const OpeningCase& test = GetParam();
    const std::string files = test.files;
    TemporaryFolder folder;
    if (files.find('S') != std::string::npos)
        folder.write("Translation/FenetrePrincipale.trans", "1\t4\t\n");
    if (files.find('W') != std::string::npos)
        folder.write("Translation/BasePistes.trans",
                     Row("Heading", "Titre") + Row("Tracks", "Pistes"));
    if (files.find('V') != std::string::npos)
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

constexpr auto kLoad = CommonVocabulary::Load;

INSTANTIATE_TEST_SUITE_P(
    Cases, OpeningWindowTest,
    ::testing::Values(
        OpeningCase{"AllFilesPresent", "SWV", kLoad, "Pistes", "Echap", {}},
        OpeningCase{"MissingSettingsFallBackToEnglish",
                    "WV",
                    kLoad,
                    "Tracks",
                    "Cancel",
                    {"FenetrePrincipale.trans"}},
        OpeningCase{
            "MissingWindowFileLeavesEmptyLabels", "SV", kLoad, "", "Echap", {"BasePistes.trans"}},
        OpeningCase{
            "MissingVocabularyIsReported", "SW", kLoad, "Pistes", "", {"BaseCategoriesAge.trans"}},
        OpeningCase{
            "VocabularyNotAskedForIsNotRead", "SW", CommonVocabulary::Skip, "Pistes", "", {}},
        OpeningCase{"NothingThere",
                    "",
                    kLoad,
                    "",
                    "",
                    {"FenetrePrincipale.trans", "BasePistes.trans", "BaseCategoriesAge.trans"}}),
    [](const ::testing::TestParamInfo<OpeningCase>& test) { return std::string(test.param.name); });

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
