#pragma once

// The modal window where the operator creates, deletes, describes, imports
// and exports the kart categories. It edits its own copy of the five slots
// and writes the categories file only on "Ok"; "Echap" and the close box
// leave the file as it was. A category keeps its slot for its whole life,
// since the slot number names its picture and its place in the session.

#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "databases/core/kart_categories_file.h"
#include "databases/gui/database_widgets.h"
#include "i18n/core/language_code.h"
#include "printing/core/picture_library.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tallimo::databases {

class KartCategoriesWindow final : public QDialog {
    Q_OBJECT

public:
    using FileChooser = databases::FileChooser;

    // Reads the labels and the categories file at once; missing files are
    // reported through `dialogs` and the window opens anyway.
    KartCategoriesWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                         printing::PictureLibrary& pictures, QWidget* parent = nullptr);

    // An empty chooser brings back the system's file dialog.
    void setFileChooser(FileChooser chooser);

    // The window's copy of the five slots, as edited so far.
    const CategoryTable& categories() const { return m_table; }

    // The picture box of the selected category, in client pixels.
    static constexpr int kPictureLeft = 540;
    static constexpr int kPictureTop = 50;
    static constexpr int kPictureWidth = 250;
    static constexpr int kPictureHeight = 155;

private:
    void buildControls();
    void loadTexts();
    void loadCategories();

    void addCategory();
    void deleteCategory();
    void importCategories();
    void exportCategories();
    void saveAndClose();

    // Rebuilds both lists from the used slots and selects `slot` (the first
    // listed one when `slot` is not listed).
    void showList(int slot);
    void showSelected();
    void showPicture(int slot);
    void copyDescription();
    void copyCharacteristics();
    // The slot of the list's current row, or -1.
    int selectedSlot() const;

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    printing::PictureLibrary& m_pictures;
    FileChooser m_chooseFile;
    i18n::LanguageCode m_language = i18n::LanguageCode::English;

    CategoryTable m_table{};
    // Set while the fields are filled from the table, so that filling them
    // is not taken for the operator's edit.
    bool m_showing = false;

    QLabel* m_heading = nullptr;
    QLabel* m_newLabel = nullptr;
    QLineEdit* m_newName = nullptr;
    QPushButton* m_add = nullptr;
    QLabel* m_listLabel = nullptr;
    QLabel* m_numberHeader = nullptr;
    QListWidget* m_numbers = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_delete = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_descriptionLabel = nullptr;
    QLineEdit* m_description = nullptr;
    QLabel* m_characteristicsLabel = nullptr;
    QPlainTextEdit* m_characteristics = nullptr;
    QLabel* m_picture = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tallimo::databases
