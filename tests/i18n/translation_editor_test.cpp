#include "i18n/core/translation_editor.h"

#include "i18n/core/factory_texts.h"
#include "i18n/core/shipped_translations.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/translation_file.h"
#include "i18n/core/translation_messages.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tallimo::i18n {
namespace {

class TranslationEditorTest : public ::testing::Test {
protected:
    TranslationEditorTest() { EXPECT_TRUE(WriteShippedTranslations(m_folder / "Translation")); }
    std::string file(const std::string& name) const { return m_folder.read("Translation/" + name); }
    void write(const std::string& name, const std::string& bytes) const {
        m_folder.write("Translation/" + name, bytes);
    }
    void remove(const std::string& name) const {
        std::filesystem::remove(m_folder / ("Translation/" + name));
    }
    std::vector<testing::RecordedMessage> errors(std::vector<const char*> texts) const {
        std::vector<testing::RecordedMessage> all;
        for (const char* text : texts)
            all.push_back({"Error", text});
        return all;
    }

    testing::TemporaryFolder m_folder;
    testing::RecordingMessageSink m_sink;
    TranslationEditor m_editor{common::WorkingFolder(m_folder.path()), m_sink};
};

// Every table below is (case name, two numbers).
using Case = std::tuple<const char*, int, int>;
class EditorTable : public TranslationEditorTest, public ::testing::WithParamInterface<Case> {};
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    return std::get<0>(info.param);
}

// (case, interface code, report code)
using ApplyTest = EditorTable;
TEST_P(ApplyTest, RewritesOnlyTheLanguageLineAndRelabels) {
    const auto [name, interfaceCode, reportCode] = GetParam();
    const std::string rest = "\t\nKeep\tthis\t\xE9\t\n";
    write("FenetrePrincipale.trans", "0\t0" + rest);
    m_editor.open();
    m_editor.chooseInterfaceLanguage(interfaceCode);
    m_editor.chooseReportLanguage(reportCode);
    EXPECT_TRUE(m_editor.apply());
    EXPECT_EQ(file("FenetrePrincipale.trans"),
              std::to_string(interfaceCode) + "\t" + std::to_string(reportCode) + rest);
    EXPECT_EQ(m_editor.label(TranslationEditorLabel::ApplyButton),
              FactoryRows(kTranslationEditorWindow)[3].texts[interfaceCode]);
    EXPECT_TRUE(m_sink.messages().empty());
}
INSTANTIATE_TEST_SUITE_P(Choices, ApplyTest,
                         ::testing::Values(Case{"ReportOnly", 0, 3}, Case{"InterfaceOnly", 1, 0},
                                           Case{"Both", 5, 2}),
                         CaseName);

// (case, window index, term combo index); editing in German.
using SelectedWindowTest = EditorTable;
TEST_P(SelectedWindowTest, SavingOneChangeCutTo59WritesFactoryTextsForEveryOtherRow) {
    const auto [name, windowIndex, term] = GetParam();
    const TranslatableWindow& window = *TranslatableWindowAt(windowIndex);
    write(ActiveFileName(window), std::string(200, 'x') + "\t\n"); // edited before, not shown
    m_editor.open();
    m_editor.selectEditingLanguage(static_cast<int>(LanguageCode::German));
    m_editor.selectWindow(windowIndex); // every display name is listed
    m_editor.selectTerm(term);
    EXPECT_EQ(m_editor.activeText(), FactoryRows(windowIndex)[term].texts[2]);
    const std::string typed = "Neu" + std::string(70, '\xFC');
    m_editor.setModifiedText(typed);
    EXPECT_EQ(m_editor.activeText(), typed.substr(0, 59));
    ASSERT_TRUE(m_editor.saveModification());

    TranslationTable expected;
    FillFromFactoryTexts(expected, windowIndex);
    expected.setText(term, LanguageCode::German, typed);
    EXPECT_EQ(file(ActiveFileName(window)), FormatTranslationFile(expected, window.rowCount));
    EXPECT_TRUE(m_sink.messages().empty());
}
INSTANTIATE_TEST_SUITE_P(Windows, SelectedWindowTest,
                         ::testing::Values(Case{"MainMenuLastRow", 0, 31},
                                           Case{"TracksFirstRow", 6, 0},
                                           Case{"EmailsMiddleRow", 16, 10}),
                         CaseName);

TEST_F(TranslationEditorTest, SavingRightAfterOpeningKeepsTheMainMenuFactoryTexts) {
    m_editor.open();
    ASSERT_TRUE(m_editor.saveModification());
    EXPECT_EQ(file("MenuPrincipal.trans"), ShippedTranslationBytes(kMainMenuWindow));
}

TEST_F(TranslationEditorTest, TheMainWindowIsNeverSavedAsATable) {
    write("FenetrePrincipale.trans", "3\t4\t\n");
    m_editor.open();
    m_editor.selectWindow(kMainWindowWindow);
    m_editor.setModifiedText("Lost");
    EXPECT_TRUE(m_editor.saveModification());
    EXPECT_EQ(file("FenetrePrincipale.trans"), "3\t4\t\n");
}

// (case, bit mask of the first French factory rows left empty, term combo
// index): the combo index counts listed texts, not rows.
using TermRowTest = EditorTable;
TEST_P(TermRowTest, ComboIndexPicksTheRowOfTheListedText) {
    const auto [name, emptyMask, term] = GetParam();
    TranslationTable usine;
    FillFromFactoryTexts(usine, kMainMenuWindow);
    std::vector<int> listed;
    for (int row = 0; row < 32; ++row) {
        if (row < 8 && (emptyMask >> row & 1))
            usine.setText(row, LanguageCode::French, "");
        else
            listed.push_back(row);
    }
    write("MenuPrincipal.usine", FormatTranslationFile(usine, 32));
    m_editor.open();
    m_editor.selectEditingLanguage(static_cast<int>(LanguageCode::French));
    EXPECT_EQ(m_editor.selectedRow(), listed[0]);
    EXPECT_EQ(m_editor.termNames().size(), listed.size());
    m_editor.selectTerm(term);
    m_editor.setModifiedText("Choisi");
    const int row = listed[static_cast<std::size_t>(term)];
    EXPECT_EQ(m_editor.activeTable().text(row, LanguageCode::French), "Choisi");
}
INSTANTIATE_TEST_SUITE_P(EmptyRows, TermRowTest,
                         ::testing::Values(Case{"NoneEmpty", 0b0, 2}, Case{"FirstEmpty", 0b1, 0},
                                           Case{"TwoInTheMiddleEmpty", 0b0110, 1},
                                           Case{"SeveralBeforeTheChoice", 0b1011, 3}),
                         CaseName);

TEST_F(TranslationEditorTest, EditingLanguageLoadsBothFilesAndNamesTheMainMenuWhenMissing) {
    write("MenuPrincipal.trans", "Custom\tPerso\t\n");
    remove("MenuPrincipal.usine");
    m_editor.open();
    m_editor.selectWindow(6);
    m_editor.selectEditingLanguage(1);
    EXPECT_EQ(m_editor.selectedWindow(), kMainMenuWindow);
    EXPECT_EQ(m_editor.activeTable().text(0, LanguageCode::French), "Perso");
    EXPECT_TRUE(m_editor.termNames().empty());
    remove("MenuPrincipal.trans");
    m_editor.selectEditingLanguage(2);
    EXPECT_EQ(m_sink.messages(),
              errors({kMissingFactoryFileText, kMissingFactoryFileText, kMissingActiveFileText}));
}

TEST_F(TranslationEditorTest, RestoreRewritesEveryActiveFileFromItsFactoryFile) {
    const auto windows = TranslatableWindows();
    for (const TranslatableWindow& window : windows)
        write(ActiveFileName(window), "edited\t\n");
    write("FenetrePrincipale.trans", "2\t3\t\n");
    m_editor.open();
    remove("BasePistes.usine");
    // A folder in the way of one active file makes its save fail.
    remove("FenetreSons.trans");
    std::filesystem::create_directories(m_folder / "Translation/FenetreSons.trans/blocked");

    EXPECT_FALSE(m_editor.restoreFactoryTexts());
    EXPECT_EQ(m_sink.messages(),
              errors({kMissingRestoreSourceText, kMissingRestoreDestinationText}));
    std::string emptyRows;
    for (int row = 0; row < 6; ++row)
        emptyRows += "\t\t\t\t\t\t\n";
    for (int i = 0; i < static_cast<int>(windows.size()); ++i) {
        const std::string stem = windows[i].stem;
        const std::string expected = stem == "BasePistes"          ? emptyRows
                                     : stem == "FenetrePrincipale" ? "2\t3\t\n"
                                                                   : ShippedTranslationBytes(i);
        if (stem != "FenetreSons") {
            EXPECT_EQ(file(ActiveFileName(windows[i])), expected) << stem;
        }
    }
    // English as shown after the restore, which the file does not hold yet.
    m_sink.clear();
    EXPECT_TRUE(m_editor.apply());
    EXPECT_EQ(file("FenetrePrincipale.trans"), "0\t0\t\n");
}

} // namespace
} // namespace tallimo::i18n
