#pragma once

// The frame every database window is built on: the heading, the list of
// records with its "N°ID", the row of "Importer", "Exporter", "Ok" and
// "Echap", the texts with their built-in fallbacks, and the file dialogs.
// A window adds only its own fields, rules and layout.
//
// Ownership: the window owns its table and its `RecordEditor`; the frame
// only drives them through the closures `attachEditor` stores. "Ok" writes
// through `save` and closes only when the write succeeded, so a failed
// write never costs the operator the edits; "Echap" and the close box
// reject, and nothing is written.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "common/gui/text_conversion.h"
#include "databases/core/record_editing.h"
#include "databases/gui/database_widgets.h"
#include "i18n/core/file_filter_texts.h"
#include "i18n/core/language_code.h"
#include "i18n/core/window_texts.h"
#include "i18n/core/window_titles.h"
#include "printing/core/picture_library.h"

#include <QDialog>
#include <QString>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The controls every window's own part is made of, beside the ones
// database_widgets.h declares.
namespace tallimo::printing {
class ReportPrinter;
}

class QGridLayout;
class QGroupBox;

namespace tallimo::databases {

// The rows of the shared vocabulary that caption the common buttons; each
// comes with the dialog template's own word for when the files give none.
enum class ButtonWord { Add, Remove, Import, Export, Number, New, Ok, Cancel };

// The file an import reads and an export writes, with its error texts.
struct ExchangeFormat {
    i18n::FilteredFile file;
    std::string_view extension;
    const char* errorCaption;
    const char* importError;
    const char* exportError;
};

// How a list shows its "N°ID": a number for every row, or only the
// selected record's number on one line.
enum class RecordNumbers { EveryRow, Selected };

// What the "Ajouter" edit does besides naming the new record.
struct TypedNameUse {
    bool enterAdds = true;
    bool clearedOnAdd = true;
    // Also emptied when a removal or an import refills the list.
    bool clearedOnRefill = false;
    // A second edit of the new record's name, emptied with the first.
    QLineEdit* alsoTyped = nullptr;
};

// The window's translations: `label(row, fallback)` is a row of its own
// file, `word` of the shared vocabulary, each keeping the dialog template's
// text when the files give none.
struct WindowLabels {
    QString operator()(int row, const char* fallback) const {
        return TextOr(texts.label(row), fallback);
    }
    QString word(int row, const char* fallback) const { return TextOr(texts.word(row), fallback); }

    i18n::WindowTexts texts;
};

// The list of records beside its numbers, both headed by a label.
struct RecordList {
    RecordList(QWidget* parent, const char* listName, const char* labelName,
               const char* numberLabelName, RecordNumbers numbers);

    // Refills the list (and the numbers) without reporting a selection.
    void fill(const std::vector<QString>& rows, int selectedRow);
    void select(int row);
    // The labels over the list and its numbers, `remove` below them.
    QGridLayout* layOut(QPushButton* remove) const;

    QListWidget* list;
    QListWidget* numbers;
    QLabel* label;
    QLabel* numberLabel;
    RecordNumbers numbering;
};

class EditingWindow : public QDialog {
public:
    using FileChooser = databases::FileChooser;

    // An empty chooser brings back the system's file dialog.
    void setFileChooser(FileChooser chooser);

    // The program's report frame: "Imprimer" works once it is set and
    // stays disabled while it is not.
    virtual void setReportPrinter(const printing::ReportPrinter* printer);

protected:
    // `exchange` is nothing for a window without import and export.
    EditingWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                  const char* objectName, std::optional<ExchangeFormat> exchange, QWidget* parent);

    // Writes the window's table on "Ok"; false keeps the window open.
    virtual bool save(common::MessageSink& messages) = 0;
    // Writes the edited table to an exported file.
    virtual bool exportTo(const std::filesystem::path&) const { return false; }
    // Reads an imported file in place of the edited table; false when it
    // cannot be read. The attached editor's import unless overridden.
    virtual bool importFrom(const std::filesystem::path& path);

    // A button or label captioned by a shared word, once the texts are read.
    QPushButton* wordButton(const char* name, ButtonWord word);
    QLabel* wordLabel(const char* name, ButtonWord word);

    // Reads the window's translations (missing files reported), sets the
    // title and the shared words; the window then sets its own labels.
    WindowLabels loadTexts(std::string_view stem, int rows, i18n::TitledWindow title);
    // The same with another window's rows read into `borrowed`.
    WindowLabels loadTexts(std::string_view stem, int rows, i18n::TitledWindow title,
                           std::string_view borrowedFileName, int borrowedRows,
                           i18n::TranslationTable& borrowed);

    // For a window the translation files leave alone: the template's title,
    // and the shared words' own texts. After `layOut`, which makes "Ok".
    void useTemplateTexts(const QString& title);

    // The heading above `body`, the button row below, led by `firstButton`
    // when the window has one more.
    void layOut(QLayout* body, QPushButton* firstButton = nullptr);
    // The same with a body of three columns: the list, the record's fields
    // and, on the right, `side` from the top.
    void layOutColumns(QLayout* list, QLayout* fields, std::initializer_list<QWidget*> side,
                       QPushButton* firstButton = nullptr);

    // The window's list of records, its "N°ID" header captioned by the
    // shared word.
    RecordList& recordList(const char* listName, const char* labelName, const char* numberLabelName,
                           RecordNumbers numbers);

    // Lets the frame drive the list, "Ajouter", "Supprimer" and "Importer"
    // for `editor`. `rowText` is what the list shows of a record, `show`
    // redraws the selected record's fields.
    template <typename Table>
    void attachEditor(RecordEditor<Table>& editor, QLineEdit* newName, QPushButton* add,
                      QPushButton* remove,
                      std::function<QString(const typename Table::value_type&)> rowText,
                      std::function<void()> show, TypedNameUse use = {});

    // Lets `frame`'s double-clicks choose and forget the picture whose path
    // `field` of the selected record holds (at most `capacity` bytes).
    // Returns what redraws it.
    template <typename Table>
    std::function<void()> attachPicture(PictureFrame* frame, RecordEditor<Table>& editor,
                                        std::string Table::value_type::*field, std::size_t capacity,
                                        printing::PictureLibrary& pictures);

    // Redraws the list from the table, the selection kept.
    void showList();
    // The operator's "Ajouter" with what the edits hold.
    void addTyped();

    const common::WorkingFolder& folder() const { return m_folder; }
    common::OperatorDialogs& dialogs() { return m_dialogs; }
    // The core's reports, shown over this window.
    common::MessageSink& messages() { return m_messages; }
    i18n::LanguageCode language() const { return m_language; }
    const FileChooser& fileChooser() const { return m_chooser; }
    QLabel* heading() const { return m_heading; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    // The window's "Imprimer" (object name printButton), made on first use.
    QPushButton* printButton();
    const printing::ReportPrinter* reportPrinter() const { return m_reportPrinter; }

private:
    void applyWords(const i18n::WindowTexts& texts, i18n::TitledWindow title);
    void connectEditing(QPushButton* add);
    void clearTyped();
    void removeSelected();
    void importFile();
    void exportFile();
    void saveAndClose();

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    common::DialogMessageSink m_messages;
    std::optional<ExchangeFormat> m_exchange;
    FileChooser m_chooser;
    i18n::LanguageCode m_language = i18n::LanguageCode::English;
    const printing::ReportPrinter* m_reportPrinter = nullptr;
    QPushButton* m_print = nullptr;

    QLabel* m_heading = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    std::vector<std::pair<QWidget*, ButtonWord>> m_worded;

    // Set by `attachEditor`.
    std::unique_ptr<RecordList> m_list;
    QLineEdit* m_newName = nullptr;
    QPushButton* m_remove = nullptr;
    TypedNameUse m_typedNameUse;
    std::function<std::vector<QString>()> m_rows;
    std::function<int()> m_selectedRow;
    std::function<void(int)> m_selectRow;
    std::function<bool(std::string_view)> m_add;
    std::function<bool()> m_removeSelected;
    std::function<bool(const std::filesystem::path&)> m_importRecords;
    std::function<void()> m_show;
};

template <typename Table>
void EditingWindow::attachEditor(RecordEditor<Table>& editor, QLineEdit* newName, QPushButton* add,
                                 QPushButton* remove,
                                 std::function<QString(const typename Table::value_type&)> rowText,
                                 std::function<void()> show, TypedNameUse use) {
    m_newName = newName;
    m_remove = remove;
    m_typedNameUse = use;
    m_rows = [&editor, rowText = std::move(rowText)] {
        std::vector<QString> rows;
        for (const int index : editor.listed())
            rows.push_back(rowText(editor.at(index)));
        return rows;
    };
    m_selectedRow = [&editor] { return editor.selectedRow(); };
    m_selectRow = [&editor](int row) { editor.selectRow(row); };
    m_add = [&editor](std::string_view typed) { return editor.add(typed).has_value(); };
    m_removeSelected = [&editor] { return editor.remove(); };
    m_importRecords = [&editor](const std::filesystem::path& path) { return editor.import(path); };
    m_show = std::move(show);
    connectEditing(add);
}

template <typename Table>
std::function<void()> EditingWindow::attachPicture(PictureFrame* frame, RecordEditor<Table>& editor,
                                                   std::string Table::value_type::*field,
                                                   std::size_t capacity,
                                                   printing::PictureLibrary& pictures) {
    auto redraw = [this, frame, &editor, field, &pictures] {
        const auto* record = editor.current();
        frame->showPicture(record ? record->*field : std::string(), pictures, m_folder);
    };
    frame->onChoose = [this, &editor, field, capacity, redraw] {
        if (editor.current() == nullptr)
            return;
        if (std::optional<std::string> stored =
                ChoosePicture(m_chooser, this, m_language, capacity)) {
            editor.edit([&](auto& record) { record.*field = std::move(*stored); });
            redraw();
        }
    };
    frame->onClear = [&editor, field, redraw] {
        if (editor.edit([field](auto& record) { (record.*field).clear(); }))
            redraw();
    };
    return redraw;
}

} // namespace tallimo::databases
