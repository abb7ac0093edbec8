#include "i18n/core/translation_editor.h"

#include "i18n/core/factory_texts.h"
#include "i18n/core/language_names.h"
#include "i18n/core/translatable_windows.h"
#include "i18n/core/translation_file.h"
#include "i18n/core/translation_messages.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"

#include <algorithm>
#include <utility>

namespace tallimo::i18n {
namespace {

// The combos show one entry per known language; an unknown code read from
// the file shows (and is chosen) as English.
LanguageCode Known(LanguageCode code) {
    return static_cast<LanguageCode>(LanguageColumn(code));
}

LanguageSettings Known(const LanguageSettings& settings) {
    return {Known(settings.interfaceCode), Known(settings.reportCode)};
}

bool IsLanguageIndex(int comboIndex) {
    return comboIndex >= 0 && comboIndex < static_cast<int>(kLanguageCount);
}

int PositionOf(const std::vector<int>& values, int value) {
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? -1 : static_cast<int>(found - values.begin());
}

} // namespace

TranslationEditor::TranslationEditor(common::WorkingFolder folder, common::MessageSink& sink)
    : m_folder(std::move(folder)), m_sink(sink) {}

void TranslationEditor::open() {
    m_stored = OpenLanguageSettings(m_folder, m_sink);
    m_shown = Known(m_stored);
    m_choice = m_shown;
    m_editingLanguage = m_shown.interfaceCode;
    reloadOwnLabels();
    startOnFirstWindow();
}

std::vector<std::string> TranslationEditor::languageNames() const {
    std::vector<std::string> names;
    for (std::size_t code = 0; code < kLanguageCount; ++code)
        names.push_back(LanguageName(static_cast<LanguageCode>(code), m_shown.interfaceCode));
    return names;
}

std::vector<std::string> TranslationEditor::windowNames() const {
    std::vector<std::string> names;
    for (const int index : m_windowIndexes)
        names.push_back(WindowDisplayName(index, m_editingLanguage));
    return names;
}

std::vector<std::string> TranslationEditor::termNames() const {
    std::vector<std::string> names;
    for (const int row : m_termRows)
        names.push_back(m_factory.text(row, m_editingLanguage));
    return names;
}

int TranslationEditor::windowComboIndex() const {
    return PositionOf(m_windowIndexes, m_selectedWindow);
}

int TranslationEditor::termComboIndex() const {
    return PositionOf(m_termRows, m_selectedRow);
}

void TranslationEditor::chooseInterfaceLanguage(int comboIndex) {
    if (IsLanguageIndex(comboIndex))
        m_choice.interfaceCode = static_cast<LanguageCode>(comboIndex);
}

void TranslationEditor::chooseReportLanguage(int comboIndex) {
    if (IsLanguageIndex(comboIndex))
        m_choice.reportCode = static_cast<LanguageCode>(comboIndex);
}

bool TranslationEditor::apply() {
    bool written = true;
    // Both codes go in one write: the file's line always holds the pair.
    if (m_choice != m_stored) {
        if (WriteLanguageSettings(m_folder, m_choice)) {
            m_stored = m_choice;
        } else {
            ReportMissingTranslationFile(m_sink, kLanguageSettingsFileName);
            written = false;
        }
    }
    m_shown = m_choice;
    return written;
}

void TranslationEditor::selectEditingLanguage(int comboIndex) {
    if (!IsLanguageIndex(comboIndex))
        return;
    m_editingLanguage = static_cast<LanguageCode>(comboIndex);
    m_selectedWindow = kMainMenuWindow;
    refreshWindowList();
    m_factory.clear();
    m_active.clear();
    const TranslatableWindow& window = *TranslatableWindowAt(m_selectedWindow);
    if (!LoadTranslationTable(m_folder, FactoryFileName(window), m_factory, window.rowCount))
        m_sink.show(kTranslationErrorCaption, kMissingFactoryFileText);
    if (!LoadTranslationTable(m_folder, ActiveFileName(window), m_active, window.rowCount))
        m_sink.show(kTranslationErrorCaption, kMissingActiveFileText);
    refreshTermList();
}

void TranslationEditor::selectWindow(int comboIndex) {
    if (comboIndex < 0 || comboIndex >= static_cast<int>(m_windowIndexes.size()))
        return;
    m_selectedWindow = m_windowIndexes[static_cast<std::size_t>(comboIndex)];
    // The built-in texts, not the files: what was edited before is not shown.
    m_factory.clear();
    m_active.clear();
    FillFromFactoryTexts(m_factory, m_selectedWindow);
    FillFromFactoryTexts(m_active, m_selectedWindow);
    refreshTermList();
}

void TranslationEditor::selectTerm(int comboIndex) {
    if (comboIndex >= 0 && comboIndex < static_cast<int>(m_termRows.size()))
        m_selectedRow = m_termRows[static_cast<std::size_t>(comboIndex)];
}

void TranslationEditor::setModifiedText(std::string_view cp1252) {
    // A window without labels has no row to take the text.
    if (IsTableRow(m_selectedRow, selectedRowCount()))
        m_active.setText(m_selectedRow, m_editingLanguage, cp1252);
}

bool TranslationEditor::saveModification() {
    if (m_selectedWindow == kMainWindowWindow)
        return true;
    const TranslatableWindow& window = *TranslatableWindowAt(m_selectedWindow);
    if (!SaveTranslationTable(m_folder, ActiveFileName(window), m_active, window.rowCount)) {
        m_sink.show(kTranslationErrorCaption, kMissingRestoreDestinationText);
        return false;
    }
    if (m_selectedWindow == kTranslationEditorWindow)
        reloadOwnLabels();
    return true;
}

bool TranslationEditor::restoreFactoryTexts() {
    bool restored = true;
    const auto windows = TranslatableWindows();
    TranslationTable table;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (static_cast<int>(i) == kMainWindowWindow)
            continue;
        const TranslatableWindow& window = windows[i];
        // A missing factory file still rewrites the active one, with empty rows.
        table.clear();
        if (!LoadTranslationTable(m_folder, FactoryFileName(window), table, window.rowCount)) {
            m_sink.show(kTranslationErrorCaption, kMissingRestoreSourceText);
            restored = false;
        }
        if (!SaveTranslationTable(m_folder, ActiveFileName(window), table, window.rowCount)) {
            m_sink.show(kTranslationErrorCaption, kMissingRestoreDestinationText);
            restored = false;
        }
    }
    // English in memory only; m_stored keeps what the file still says.
    m_shown = LanguageSettings{};
    m_choice = LanguageSettings{};
    m_editingLanguage = LanguageCode::English;
    reloadOwnLabels();
    startOnFirstWindow();
    return restored;
}

const std::string& TranslationEditor::label(TranslationEditorLabel row) const {
    return m_labels.text(static_cast<int>(row), m_shown.interfaceCode);
}

std::string TranslationEditor::title() const {
    return WindowTitle(TitledWindow::TranslationEditor, m_shown.interfaceCode);
}

const std::string& TranslationEditor::factoryText() const {
    return m_factory.text(m_selectedRow, m_editingLanguage);
}

const std::string& TranslationEditor::activeText() const {
    return m_active.text(m_selectedRow, m_editingLanguage);
}

int TranslationEditor::selectedRowCount() const {
    const TranslatableWindow* window = TranslatableWindowAt(m_selectedWindow);
    return window == nullptr ? 0 : window->rowCount;
}

void TranslationEditor::refreshWindowList() {
    m_windowIndexes.clear();
    for (int index = 0; index < static_cast<int>(kTranslatableWindowCount); ++index)
        if (!WindowDisplayName(index, m_editingLanguage).empty())
            m_windowIndexes.push_back(index);
}

void TranslationEditor::refreshTermList() {
    m_termRows.clear();
    const int rowCount = selectedRowCount();
    for (int row = 0; row < rowCount; ++row)
        if (!m_factory.text(row, m_editingLanguage).empty())
            m_termRows.push_back(row);
    // The first listed term, which is not row 0 when that factory text is empty.
    m_selectedRow = m_termRows.empty() ? 0 : m_termRows.front();
}

void TranslationEditor::startOnFirstWindow() {
    // As if window 0 had been chosen: a save straight after opening then
    // writes the main menu's factory texts rather than an empty table.
    m_selectedWindow = kMainMenuWindow;
    refreshWindowList();
    m_factory.clear();
    m_active.clear();
    FillFromFactoryTexts(m_factory, m_selectedWindow);
    FillFromFactoryTexts(m_active, m_selectedWindow);
    refreshTermList();
}

void TranslationEditor::reloadOwnLabels() {
    LoadWindowTable(m_folder, kTranslationEditorFileName, m_labels, kTranslationEditorRowCount,
                    m_sink);
}

} // namespace tallimo::i18n
