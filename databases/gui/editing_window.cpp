#include "databases/gui/editing_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <utility>

namespace tallimo::databases {
namespace {

struct WordRow {
    int row;
    const char* fallback;
};

WordRow RowOf(ButtonWord word) {
    switch (word) {
    case ButtonWord::Add:
        return {0, "Ajouter"};
    case ButtonWord::Remove:
        return {1, "Supprimer"};
    case ButtonWord::Import:
        return {2, "Importer"};
    case ButtonWord::Export:
        return {3, "Exporter"};
    case ButtonWord::Number:
        return {6, "N\xB0ID"};
    case ButtonWord::New:
        return {13, "Nouvelle"};
    case ButtonWord::Ok:
        return {14, "Ok"};
    case ButtonWord::Cancel:
        return {15, "Echap"};
    }
    return {0, ""};
}

} // namespace

RecordList::RecordList(QWidget* parent, const char* listName, const char* labelName,
                       const char* numberLabelName, RecordNumbers shownNumbers)
    : list(new QListWidget(parent)), label(NamedLabel(labelName, parent)),
      numberLabel(NamedLabel(numberLabelName, parent)), numbering(shownNumbers) {
    list->setObjectName(listName);
    if (shownNumbers == RecordNumbers::Selected) {
        numbers = RecordNumberList(parent);
    } else {
        numbers = new QListWidget(parent);
        numbers->setObjectName("numberList");
        numbers->setFixedWidth(48);
        numbers->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

void RecordList::fill(const std::vector<QString>& rows, int selectedRow) {
    {
        const QSignalBlocker listBlocker(list);
        const QSignalBlocker numbersBlocker(numbers);
        list->clear();
        numbers->clear();
        for (std::size_t row = 0; row < rows.size(); ++row) {
            list->addItem(rows[row]);
            if (numbering == RecordNumbers::EveryRow)
                numbers->addItem(QString::number(static_cast<int>(row) + 1));
        }
    }
    select(selectedRow);
}

void RecordList::select(int row) {
    const QSignalBlocker listBlocker(list);
    const QSignalBlocker numbersBlocker(numbers);
    list->setCurrentRow(row);
    if (numbering == RecordNumbers::EveryRow)
        numbers->setCurrentRow(row);
    else
        ShowRecordNumber(numbers, row);
}

QGridLayout* RecordList::layOut(QPushButton* remove) const {
    auto* grid = new QGridLayout;
    grid->addWidget(label, 0, 0);
    grid->addWidget(numberLabel, 0, 1);
    grid->addWidget(list, 1, 0, 2, 1);
    if (numbering == RecordNumbers::EveryRow)
        grid->addWidget(numbers, 1, 1, 2, 1);
    else
        grid->addWidget(numbers, 1, 1, Qt::AlignTop);
    grid->addWidget(remove, 3, 0, 1, 2);
    return grid;
}

EditingWindow::EditingWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                             const char* objectName, std::optional<ExchangeFormat> exchange,
                             QWidget* parent)
    : QDialog(parent), m_folder(std::move(folder)), m_dialogs(dialogs), m_messages(dialogs, this),
      m_exchange(std::move(exchange)) {
    setObjectName(objectName);
    setModal(true);
    setFileChooser({});
    m_heading = NamedLabel("headingLabel", this);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
}

void EditingWindow::setReportPrinter(const printing::ReportPrinter* printer) {
    m_reportPrinter = printer;
    printButton()->setEnabled(printer != nullptr);
}

QPushButton* EditingWindow::printButton() {
    if (!m_print) {
        m_print = NamedButton("printButton", this);
        m_print->setEnabled(m_reportPrinter != nullptr);
    }
    return m_print;
}

void EditingWindow::setFileChooser(FileChooser chooser) {
    m_chooser = chooser ? std::move(chooser)
                        : SystemFileChooser(m_folder, m_exchange ? m_exchange->extension
                                                                 : std::string_view());
}

QPushButton* EditingWindow::wordButton(const char* name, ButtonWord word) {
    QPushButton* button = NamedButton(name, this);
    m_worded.emplace_back(button, word);
    return button;
}

QLabel* EditingWindow::wordLabel(const char* name, ButtonWord word) {
    QLabel* label = NamedLabel(name, this);
    m_worded.emplace_back(label, word);
    return label;
}

WindowLabels EditingWindow::loadTexts(std::string_view stem, int rows, i18n::TitledWindow title) {
    WindowLabels labels{LoadDatabaseWindowTexts(m_folder, stem, rows, m_dialogs, this)};
    applyWords(labels.texts, title);
    return labels;
}

WindowLabels EditingWindow::loadTexts(std::string_view stem, int rows, i18n::TitledWindow title,
                                      std::string_view borrowedFileName, int borrowedRows,
                                      i18n::TranslationTable& borrowed) {
    WindowLabels labels{LoadDatabaseWindowTexts(m_folder, stem, rows, borrowedFileName,
                                                borrowedRows, borrowed, m_dialogs, this)};
    applyWords(labels.texts, title);
    return labels;
}

void EditingWindow::applyWords(const i18n::WindowTexts& texts, i18n::TitledWindow title) {
    m_language = texts.languages.interfaceCode;
    setWindowTitle(common::FromCp1252(i18n::WindowTitle(title, m_language)));
    for (const auto& [widget, word] : m_worded) {
        const WordRow row = RowOf(word);
        const QString text = TextOr(texts.word(row.row), row.fallback);
        if (auto* button = qobject_cast<QPushButton*>(widget))
            button->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(text);
    }
}

void EditingWindow::useTemplateTexts(const QString& title) {
    setWindowTitle(title);
    for (const auto& [widget, word] : m_worded) {
        const QString text = common::FromCp1252(RowOf(word).fallback);
        if (auto* button = qobject_cast<QPushButton*>(widget))
            button->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(widget))
            label->setText(text);
    }
}

void EditingWindow::layOut(QLayout* body, QPushButton* firstButton) {
    // Made last so that they come last in the tab order too.
    auto* buttons = new QHBoxLayout;
    if (firstButton)
        buttons->addWidget(firstButton);
    if (m_exchange) {
        m_import = wordButton("importButton", ButtonWord::Import);
        m_export = wordButton("exportButton", ButtonWord::Export);
        connect(m_import, &QPushButton::clicked, this, [this] { importFile(); });
        connect(m_export, &QPushButton::clicked, this, [this] { exportFile(); });
        buttons->addWidget(m_import);
        buttons->addWidget(m_export);
    }
    buttons->addStretch(1);
    m_ok = wordButton("okButton", ButtonWord::Ok);
    m_cancel = wordButton("cancelButton", ButtonWord::Cancel);
    connect(m_ok, &QPushButton::clicked, this, [this] { saveAndClose(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

RecordList& EditingWindow::recordList(const char* listName, const char* labelName,
                                      const char* numberLabelName, RecordNumbers numbers) {
    m_list = std::make_unique<RecordList>(this, listName, labelName, numberLabelName, numbers);
    m_worded.emplace_back(m_list->numberLabel, ButtonWord::Number);
    return *m_list;
}

void EditingWindow::layOutColumns(QLayout* list, QLayout* fields,
                                  std::initializer_list<QWidget*> side, QPushButton* firstButton) {
    auto* middle = new QVBoxLayout;
    middle->addLayout(fields);
    middle->addStretch(1);
    auto* right = new QVBoxLayout;
    for (QWidget* widget : side)
        right->addWidget(widget);
    right->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(list);
    body->addLayout(middle, 1);
    body->addLayout(right);
    layOut(body, firstButton);
}

void EditingWindow::connectEditing(QPushButton* add) {
    connect(add, &QPushButton::clicked, this, [this] { addTyped(); });
    if (m_typedNameUse.enterAdds)
        connect(m_newName, &QLineEdit::returnPressed, this, [this] { addTyped(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { removeSelected(); });
    const auto choose = [this](int row) {
        m_selectRow(row);
        m_list->select(m_selectedRow());
        m_remove->setEnabled(m_selectedRow() >= 0);
        m_show();
    };
    connect(m_list->list, &QListWidget::currentRowChanged, this, choose);
    if (m_list->numbering == RecordNumbers::EveryRow)
        connect(m_list->numbers, &QListWidget::currentRowChanged, this, choose);
}

void EditingWindow::showList() {
    m_list->fill(m_rows(), m_selectedRow());
    m_remove->setEnabled(m_selectedRow() >= 0);
    m_show();
}

void EditingWindow::addTyped() {
    if (!m_add(common::ToCp1252(m_newName->text())))
        return;
    if (m_typedNameUse.clearedOnAdd)
        clearTyped();
    showList();
}

void EditingWindow::clearTyped() {
    m_newName->clear();
    if (m_typedNameUse.alsoTyped)
        m_typedNameUse.alsoTyped->clear();
}

void EditingWindow::removeSelected() {
    if (!m_removeSelected())
        return;
    if (m_typedNameUse.clearedOnRefill)
        clearTyped();
    showList();
}

void EditingWindow::importFile() {
    const QString chosen = ChooseFile(m_chooser, this, false, m_exchange->file, m_language);
    if (chosen.isEmpty())
        return;
    if (!importFrom(PathOf(chosen)))
        m_dialogs.inform(this, m_exchange->errorCaption, m_exchange->importError,
                         common::DialogIcon::Stop);
}

bool EditingWindow::importFrom(const std::filesystem::path& path) {
    if (!m_importRecords || !m_importRecords(path))
        return false;
    if (m_typedNameUse.clearedOnRefill)
        clearTyped();
    showList();
    return true;
}

void EditingWindow::exportFile() {
    const std::optional<std::filesystem::path> target = ChooseExportFile(
        m_chooser, this, m_exchange->file, m_exchange->extension, m_language, m_dialogs);
    if (target && !exportTo(*target))
        m_dialogs.inform(this, m_exchange->errorCaption, m_exchange->exportError,
                         common::DialogIcon::Stop);
}

void EditingWindow::saveAndClose() {
    if (save(m_messages))
        accept();
}

} // namespace tallimo::databases
