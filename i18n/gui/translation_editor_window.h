#pragma once

#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "i18n/core/translation_editor.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tallimo::i18n {

// The "Traduction logiciel" dialog. It holds no state of its own: every
// action goes to the TranslationEditor and the controls are then refilled
// from it.
class TranslationEditorWindow final : public QDialog {
    Q_OBJECT

public:
    TranslationEditorWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                            QWidget* parent = nullptr);

    const TranslationEditor& editor() const { return m_editor; }

private:
    void buildControls();
    void connectControls();
    // Refills every control from the editor.
    void showEditor();
    // The factory and modified texts of the selected term.
    void showTerm();

    common::DialogMessageSink m_sink;
    TranslationEditor m_editor;

    QGroupBox* m_applyGroup = nullptr;
    QLabel* m_interfaceLabel = nullptr;
    QComboBox* m_interfaceCombo = nullptr;
    QLabel* m_reportLabel = nullptr;
    QComboBox* m_reportCombo = nullptr;
    QPushButton* m_applyButton = nullptr;

    QGroupBox* m_editGroup = nullptr;
    QLabel* m_editingLabel = nullptr;
    QComboBox* m_editingCombo = nullptr;
    QLabel* m_windowLabel = nullptr;
    QComboBox* m_windowCombo = nullptr;
    QLabel* m_termLabel = nullptr;
    QComboBox* m_termCombo = nullptr;
    QLabel* m_factoryLabel = nullptr;
    QLineEdit* m_factoryText = nullptr;
    QLabel* m_modifiedLabel = nullptr;
    QLineEdit* m_modifiedText = nullptr;
    QPushButton* m_restoreButton = nullptr;
    QPushButton* m_saveButton = nullptr;

    QPushButton* m_okButton = nullptr;
};

} // namespace tallimo::i18n
