#include "i18n/gui/translation_editor_window.h"

#include "common/gui/text_conversion.h"
#include "i18n/core/factory_texts.h"
#include "i18n/core/shipped_translations.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/translation_file.h"
#include "tests/support/gui/modal_window.h"
#include "tests/support/gui/scripted_dialogs.h"
#include "tests/support/temporary_folder.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tallimo::i18n {
namespace {

// QTest::keyClicks only knows ASCII keys; accented letters go in as key
// events that carry their text.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
}

class TranslationEditorWindowTest : public ::testing::Test {
protected:
    TranslationEditorWindowTest() {
        EXPECT_TRUE(WriteShippedTranslations(m_folder / "Translation"));
    }

    static void SetUpTestSuite() { testing::EnsureApplication(); }

    // Runs `body` while the editor is shown modally, then presses "OK".
    void runEditor(const std::function<void(TranslationEditorWindow&)>& body) {
        TranslationEditorWindow window(common::WorkingFolder(m_folder.path()), m_dialogs);
        EXPECT_EQ(testing::RunModal(window, [&] { body(window); }), QDialog::Accepted);
    }

    static QPushButton* button(QWidget& window, const char* name) {
        return window.findChild<QPushButton*>(QLatin1String(name));
    }
    static QComboBox* combo(QWidget& window, const char* name) {
        return window.findChild<QComboBox*>(QLatin1String(name));
    }
    std::string file(const std::string& name) const { return m_folder.read("Translation/" + name); }

    testing::TemporaryFolder m_folder;
    testing::ScriptedDialogs m_dialogs;
};

// (case, window combo index, term combo index, typed text, "Appliquer" caption afterwards)
using EditCase = std::tuple<const char*, int, int, const char*, const char*>;
class EditAndSaveTest : public TranslationEditorWindowTest,
                        public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditAndSaveTest, TypedTextReachesTheFileOfTheChosenWindow) {
    const auto [name, windowIndex, term, typed, applyCaption] = GetParam();
    runEditor([&](TranslationEditorWindow& window) {
        combo(window, "windowCombo")->setCurrentIndex(windowIndex);
        combo(window, "termCombo")->setCurrentIndex(term);
        auto* modified = window.findChild<QLineEdit*>(QStringLiteral("modifiedText"));
        EXPECT_EQ(modified->text(),
                  window.findChild<QLineEdit*>(QStringLiteral("factoryText"))->text());
        QTest::keyClick(modified, Qt::Key_A, Qt::ControlModifier);
        TypeText(modified, QString::fromUtf8(typed));
        QTest::mouseClick(button(window, "saveButton"), Qt::LeftButton);
        EXPECT_EQ(button(window, "applyButton")->text(), QString::fromUtf8(applyCaption));
    });
    TranslationTable expected;
    FillFromFactoryTexts(expected, windowIndex);
    expected.setText(term, LanguageCode::English, common::ToCp1252(QString::fromUtf8(typed)));
    const TranslatableWindow& saved = *TranslatableWindowAt(windowIndex);
    EXPECT_EQ(file(ActiveFileName(saved)), FormatTranslationFile(expected, saved.rowCount));
    EXPECT_TRUE(m_dialogs.asked.empty());
}

INSTANTIATE_TEST_SUITE_P(Windows, EditAndSaveTest,
                         ::testing::Values(EditCase{"TracksTitle", 6, 0, "Pistes d'été", "Apply"},
                                           EditCase{"EditorApplyButton", 18, 3, "Go", "Go"}),
                         [](const auto& test) { return std::string(std::get<0>(test.param)); });

// (case, interface combo index, title, group caption)
using ApplyCase = std::tuple<const char*, int, const char*, const char*>;
class ApplyLanguageTest : public TranslationEditorWindowTest,
                          public ::testing::WithParamInterface<ApplyCase> {};

TEST_P(ApplyLanguageTest, RelabelsTheWindowAndStoresTheCode) {
    const auto [name, language, title, group] = GetParam();
    runEditor([&](TranslationEditorWindow& window) {
        EXPECT_EQ(window.windowTitle(), "Software translation");
        combo(window, "interfaceLanguageCombo")->setCurrentIndex(language);
        QTest::mouseClick(button(window, "applyButton"), Qt::LeftButton);
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8(title));
        EXPECT_EQ(window.findChild<QGroupBox*>(QStringLiteral("applyGroup"))->title(),
                  QString::fromUtf8(group));
    });
    EXPECT_EQ(file("FenetrePrincipale.trans"), std::to_string(language) + "\t0\t\n");
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ApplyLanguageTest,
    ::testing::Values(ApplyCase{"French", 1, "Traduction logiciel", "Appliquer une traduction"},
                      ApplyCase{"German", 2, "Software-Übersetzung", "Übersetzung anwenden"}),
    [](const auto& test) { return std::string(std::get<0>(test.param)); });

TEST_F(TranslationEditorWindowTest, RestoreBringsBackFactoryLabelsInEnglish) {
    m_folder.write("Translation/FenetrePrincipale.trans", "1\t1\t\n");
    m_folder.write("Translation/FenetreTraduction.trans", "Edited\tModifi\xE9\t\n");
    runEditor([&](TranslationEditorWindow& window) {
        EXPECT_EQ(window.findChild<QGroupBox*>(QStringLiteral("applyGroup"))->title(),
                  QString::fromUtf8("Modifié"));
        QTest::mouseClick(button(window, "restoreButton"), Qt::LeftButton);
        EXPECT_EQ(window.windowTitle(), "Software translation");
        EXPECT_EQ(window.findChild<QGroupBox*>(QStringLiteral("applyGroup"))->title(),
                  QStringLiteral("Apply a translation"));
        EXPECT_EQ(combo(window, "interfaceLanguageCombo")->currentText(), "English");
    });
    EXPECT_EQ(file("FenetreTraduction.trans"), ShippedTranslationBytes(18));
    EXPECT_EQ(file("FenetrePrincipale.trans"), "1\t1\t\n");
    EXPECT_TRUE(m_dialogs.asked.empty());
}

} // namespace
} // namespace tallimo::i18n
