#pragma once

// The translation editor's state: the two language choices, the language
// being edited, the window and term chosen, and two working tables (the
// factory labels and the active labels of the chosen window). The window
// around it only shows this state and forwards the operator's actions.
//
// Invariants: the term list always matches the factory table in the editing
// language, and the selected row is always one the term list names (or 0
// when the list is empty), so a combo index never stands in for a row.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "i18n/core/language_settings.h"
#include "i18n/core/translation_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace tallimo::i18n {

// Rows of the editor's own table ("FenetreTraduction.trans").
enum class TranslationEditorLabel : int {
    ApplyGroup = 0,
    InterfaceLanguage = 1,
    ReportLanguage = 2,
    ApplyButton = 3,
    EditGroup = 4,
    EditingLanguage = 5,
    Window = 6,
    Term = 7,
    FactoryText = 8,
    ModifiedText = 9,
    RestoreButton = 10,
    SaveButton = 11,
};

inline constexpr std::string_view kTranslationEditorFileName = "FenetreTraduction.trans";
inline constexpr int kTranslationEditorRowCount = 12;

class TranslationEditor {
public:
    TranslationEditor(common::WorkingFolder folder, common::MessageSink& sink);

    // Reads the language settings and the editor's own labels, and starts on
    // window 0 with its factory texts in both tables.
    void open();

    // What the combos list, in Windows-1252.
    // The six language names in the editor's language, in code order.
    std::vector<std::string> languageNames() const;
    // Display names in the editing language; empty names are left out.
    std::vector<std::string> windowNames() const;
    // The non-empty factory texts of the editing language, in row order.
    std::vector<std::string> termNames() const;

    // Combo positions of the current choices; the window and term positions
    // are -1 when nothing is listed.
    int interfaceChoiceIndex() const {
        return static_cast<int>(LanguageColumn(m_choice.interfaceCode));
    }
    int reportChoiceIndex() const { return static_cast<int>(LanguageColumn(m_choice.reportCode)); }
    int editingLanguageIndex() const { return static_cast<int>(LanguageColumn(m_editingLanguage)); }
    int windowComboIndex() const;
    int termComboIndex() const;

    // The language combos only record the choice until "Appliquer".
    void chooseInterfaceLanguage(int comboIndex);
    void chooseReportLanguage(int comboIndex);

    // Writes the language settings when a choice differs from what the file
    // holds, and re-labels the editor when the interface language changed.
    // False when the write failed (reported).
    bool apply();

    // Switches the language being edited, goes back to window 0 and loads
    // its factory and active files.
    void selectEditingLanguage(int comboIndex);
    // Fills both tables with the chosen window's built-in factory texts.
    void selectWindow(int comboIndex);
    void selectTerm(int comboIndex);
    // The modified text of the selected term, cut to 59 characters.
    void setModifiedText(std::string_view cp1252);

    // Saves the active table as the selected window's ".trans" file (never
    // for the main window, whose file holds the language line). Saving the
    // editor's own labels re-labels it. False when the write failed (reported).
    bool saveModification();

    // Rewrites every window's ".trans" from its ".usine", then goes back to
    // English and window 0 in memory. False when any file failed (reported).
    bool restoreFactoryTexts();

    // The editor's own label for `row`, in the editor's language.
    const std::string& label(TranslationEditorLabel row) const;
    std::string title() const;

    // The selected term in the editing language.
    const std::string& factoryText() const;
    const std::string& activeText() const;

    LanguageCode editorLanguage() const { return m_shown.interfaceCode; }
    LanguageCode editingLanguage() const { return m_editingLanguage; }
    int selectedWindow() const { return m_selectedWindow; }
    int selectedRow() const { return m_selectedRow; }
    const TranslationTable& factoryTable() const { return m_factory; }
    const TranslationTable& activeTable() const { return m_active; }

private:
    int selectedRowCount() const;
    void refreshWindowList();
    void refreshTermList();
    void startOnFirstWindow();
    void reloadOwnLabels();

    common::WorkingFolder m_folder;
    common::MessageSink& m_sink;

    // What the language settings file is known to hold, what the editor is
    // shown in, and what the combos have chosen but not yet applied. They
    // part after a restore, which goes back to English without touching the
    // file: applying must still compare against the file.
    LanguageSettings m_stored;
    LanguageSettings m_shown;
    LanguageSettings m_choice;
    LanguageCode m_editingLanguage = LanguageCode::English;

    TranslationTable m_labels;
    TranslationTable m_factory;
    TranslationTable m_active;

    int m_selectedWindow = 0;
    int m_selectedRow = 0;
    // Combo index -> window index and combo index -> row.
    std::vector<int> m_windowIndexes;
    std::vector<int> m_termRows;
};

} // namespace tallimo::i18n
