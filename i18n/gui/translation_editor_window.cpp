#include "i18n/gui/translation_editor_window.h"

#include "common/gui/text_conversion.h"
#include "i18n/core/translation_table.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <string>
#include <utility>
#include <vector>

namespace tallimo::i18n {
namespace {

using common::FromCp1252;
using Label = TranslationEditorLabel;

QLabel* NamedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

QComboBox* NamedCombo(const char* name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    return combo;
}

QPushButton* NamedButton(const char* name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// Refills a combo without its selection signal: only the operator's own
// choices reach the editor.
void FillCombo(QComboBox* combo, const std::vector<std::string>& items, int current) {
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const std::string& item : items)
        combo->addItem(FromCp1252(item));
    combo->setCurrentIndex(current);
}

} // namespace

TranslationEditorWindow::TranslationEditorWindow(common::WorkingFolder folder,
                                                 common::OperatorDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_sink(dialogs, this), m_editor(std::move(folder), m_sink) {
    setObjectName("translationEditorWindow");
    setModal(true);
    buildControls();
    m_editor.open();
    showEditor();
    connectControls();
}

void TranslationEditorWindow::buildControls() {
    m_applyGroup = new QGroupBox(this);
    m_applyGroup->setObjectName("applyGroup");
    m_interfaceLabel = NamedLabel("interfaceLanguageLabel", m_applyGroup);
    m_interfaceCombo = NamedCombo("interfaceLanguageCombo", m_applyGroup);
    m_reportLabel = NamedLabel("reportLanguageLabel", m_applyGroup);
    m_reportCombo = NamedCombo("reportLanguageCombo", m_applyGroup);
    m_applyButton = NamedButton("applyButton", m_applyGroup);

    auto* applyLayout = new QGridLayout(m_applyGroup);
    applyLayout->addWidget(m_interfaceLabel, 0, 0);
    applyLayout->addWidget(m_interfaceCombo, 0, 1);
    applyLayout->addWidget(m_reportLabel, 1, 0);
    applyLayout->addWidget(m_reportCombo, 1, 1);
    applyLayout->addWidget(m_applyButton, 2, 1, Qt::AlignRight);

    m_editGroup = new QGroupBox(this);
    m_editGroup->setObjectName("editGroup");
    m_editingLabel = NamedLabel("editingLanguageLabel", m_editGroup);
    m_editingCombo = NamedCombo("editingLanguageCombo", m_editGroup);
    m_windowLabel = NamedLabel("windowLabel", m_editGroup);
    m_windowCombo = NamedCombo("windowCombo", m_editGroup);
    m_termLabel = NamedLabel("termLabel", m_editGroup);
    m_termCombo = NamedCombo("termCombo", m_editGroup);
    m_factoryLabel = NamedLabel("factoryTextLabel", m_editGroup);
    m_factoryText = new QLineEdit(m_editGroup);
    m_factoryText->setObjectName("factoryText");
    m_factoryText->setReadOnly(true);
    m_modifiedLabel = NamedLabel("modifiedTextLabel", m_editGroup);
    m_modifiedText = new QLineEdit(m_editGroup);
    m_modifiedText->setObjectName("modifiedText");
    m_modifiedText->setMaxLength(static_cast<int>(kTranslationTextChars));
    m_restoreButton = NamedButton("restoreButton", m_editGroup);
    m_saveButton = NamedButton("saveButton", m_editGroup);

    auto* editLayout = new QGridLayout(m_editGroup);
    editLayout->addWidget(m_editingLabel, 0, 0);
    editLayout->addWidget(m_editingCombo, 0, 1);
    editLayout->addWidget(m_windowLabel, 1, 0);
    editLayout->addWidget(m_windowCombo, 1, 1);
    editLayout->addWidget(m_termLabel, 2, 0);
    editLayout->addWidget(m_termCombo, 2, 1);
    editLayout->addWidget(m_factoryLabel, 3, 0);
    editLayout->addWidget(m_factoryText, 3, 1);
    editLayout->addWidget(m_modifiedLabel, 4, 0);
    editLayout->addWidget(m_modifiedText, 4, 1);
    auto* editButtons = new QHBoxLayout;
    editButtons->addWidget(m_restoreButton);
    editButtons->addStretch();
    editButtons->addWidget(m_saveButton);
    editLayout->addLayout(editButtons, 5, 0, 1, 2);
    editLayout->setColumnStretch(1, 1);

    m_okButton = NamedButton("okButton", this);
    m_okButton->setText(QStringLiteral("OK"));
    m_okButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_applyGroup);
    layout->addWidget(m_editGroup);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_okButton);
    layout->addLayout(bottom);
    setMinimumWidth(520);
}

void TranslationEditorWindow::connectControls() {
    connect(m_interfaceCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_editor.chooseInterfaceLanguage(index); });
    connect(m_reportCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_editor.chooseReportLanguage(index); });
    connect(m_applyButton, &QPushButton::clicked, this, [this] {
        m_editor.apply();
        showEditor();
    });
    connect(m_editingCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_editor.selectEditingLanguage(index);
        showEditor();
    });
    connect(m_windowCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_editor.selectWindow(index);
        showEditor();
    });
    connect(m_termCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_editor.selectTerm(index);
        showTerm();
    });
    // textEdited, not textChanged: showing a term must not count as an edit.
    connect(m_modifiedText, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_editor.setModifiedText(common::ToCp1252(text)); });
    connect(m_saveButton, &QPushButton::clicked, this, [this] {
        m_editor.saveModification();
        showEditor();
    });
    connect(m_restoreButton, &QPushButton::clicked, this, [this] {
        m_editor.restoreFactoryTexts();
        showEditor();
    });
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TranslationEditorWindow::showEditor() {
    setWindowTitle(FromCp1252(m_editor.title()));
    const auto text = [this](Label row) { return FromCp1252(m_editor.label(row)); };
    m_applyGroup->setTitle(text(Label::ApplyGroup));
    m_interfaceLabel->setText(text(Label::InterfaceLanguage));
    m_reportLabel->setText(text(Label::ReportLanguage));
    m_applyButton->setText(text(Label::ApplyButton));
    m_editGroup->setTitle(text(Label::EditGroup));
    m_editingLabel->setText(text(Label::EditingLanguage));
    m_windowLabel->setText(text(Label::Window));
    m_termLabel->setText(text(Label::Term));
    m_factoryLabel->setText(text(Label::FactoryText));
    m_modifiedLabel->setText(text(Label::ModifiedText));
    m_restoreButton->setText(text(Label::RestoreButton));
    m_saveButton->setText(text(Label::SaveButton));

    const std::vector<std::string> languages = m_editor.languageNames();
    FillCombo(m_interfaceCombo, languages, m_editor.interfaceChoiceIndex());
    FillCombo(m_reportCombo, languages, m_editor.reportChoiceIndex());
    FillCombo(m_editingCombo, languages, m_editor.editingLanguageIndex());
    FillCombo(m_windowCombo, m_editor.windowNames(), m_editor.windowComboIndex());
    FillCombo(m_termCombo, m_editor.termNames(), m_editor.termComboIndex());
    showTerm();
}

void TranslationEditorWindow::showTerm() {
    m_factoryText->setText(FromCp1252(m_editor.factoryText()));
    const QSignalBlocker blocker(m_modifiedText);
    m_modifiedText->setText(FromCp1252(m_editor.activeText()));
}

} // namespace tallimo::i18n
