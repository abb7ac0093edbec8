#pragma once

// The modal window where the operator creates, deletes, describes, imports
// and exports the kart categories. It edits its own copy of the five slots
// and writes the categories file only on "Ok". A category keeps its slot for
// its whole life, since the slot number names its picture and its place in
// the session.

#include "databases/core/kart_categories_file.h"
#include "databases/core/record_editing.h"
#include "databases/gui/editing_window.h"
#include "printing/core/picture_library.h"

class QPlainTextEdit;

namespace tallimo::databases {

class KartCategoriesWindow final : public EditingWindow {
    Q_OBJECT

public:
    // Reads the labels and the categories file at once; missing files are
    // reported through `dialogs` and the window opens anyway.
    KartCategoriesWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                         printing::PictureLibrary& pictures, QWidget* parent = nullptr);

    // The window's copy of the five slots, as edited so far.
    const CategoryTable& categories() const { return m_table; }

    // The picture box of the selected category, in client pixels.
    static constexpr int kPictureWidth = 250;
    static constexpr int kPictureHeight = 155;

private:
    bool save(common::MessageSink& messages) override;
    bool exportTo(const std::filesystem::path& path) const override;

    void buildControls();
    void loadTexts();
    void showSelected();
    void showPicture();
    void copyCharacteristics();

    printing::PictureLibrary& m_pictures;
    CategoryTable m_table{};
    RecordEditor<CategoryTable> m_editor;
    // Set while the fields are filled from the table, so that filling them
    // is not taken for the operator's edit.
    bool m_showing = false;

    QLabel* m_newLabel = nullptr;
    QLineEdit* m_newName = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_descriptionLabel = nullptr;
    QLineEdit* m_description = nullptr;
    QLabel* m_characteristicsLabel = nullptr;
    QPlainTextEdit* m_characteristics = nullptr;
    QLabel* m_picture = nullptr;
};

} // namespace tallimo::databases
