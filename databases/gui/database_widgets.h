#pragma once

// Pieces shared by the database windows: widgets named for the tests, the
// file dialogs of import, export and pictures, and the picture frame.

#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "i18n/core/window_texts.h"
#include "printing/core/picture_library.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

class QDialog;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;

namespace tallimo::databases {

QLabel* NamedLabel(const char* name, QWidget* parent);
// Never the default button: Enter in an edit must not press "Ok".
QPushButton* NamedButton(const char* name, QWidget* parent);
QLineEdit* NamedEdit(const char* name, QWidget* parent, bool readOnly);
// At most `digits` characters, digits only.
QLineEdit* DigitsEdit(const char* name, QWidget* parent, std::size_t digits);

// The window's translation rows: as many as the window table gives `stem`
// (`fallbackRows` when it gives none), missing files reported through
// `dialogs`.
i18n::WindowTexts LoadDatabaseWindowTexts(const common::WorkingFolder& folder,
                                          std::string_view stem, int fallbackRows,
                                          common::OperatorDialogs& dialogs, QWidget* parent);

// A translated text, or the dialog template's own when the files give none.
QString TextOr(const std::string& translated, const char* fallback);

// The frame every database window shares: the heading, the window's own
// controls, and the row of "Importer", "Exporter", "Ok" and "Echap".
void LayOutDatabaseWindow(QDialog* window, QWidget* heading, QLayout* body,
                          QPushButton* importButton, QPushButton* exportButton,
                          QPushButton* okButton, QPushButton* cancelButton);

// A path from a file dialog as the file system takes it.
std::filesystem::path PathOf(const QString& path);

// The catalogue's captions read "BD Pistes (.bdt2)" and "Images (*.BMP;
// *.JPG)"; the file dialog wants blank-separated wildcards.
QString DialogFilter(const std::string& caption);

// Returns the chosen path, or an empty text when the operator cancelled.
// `save` asks for a file to create, otherwise for an existing one.
using FileChooser = std::function<QString(QWidget* parent, bool save, const QString& filter)>;

// The system's file dialog; on save it adds `extension` (".bdt2") before
// the overwrite question, so the question is about the file really written.
FileChooser SystemFileChooser(std::string_view extension);

// The operator's picture, fitted to `box` from the top left corner, or a
// sunken empty frame when there is none. Double-clicks choose (left button)
// or forget (right button) the picture.
class PictureFrame final : public QWidget {
public:
    PictureFrame(printing::PictureSize box, QWidget* parent);

    // `picture` is the Windows-1252 path the record holds. A JPEG is drawn
    // through its BMP conversion; a picture that cannot be loaded draws
    // nothing.
    void showPicture(const std::string& picture, printing::PictureLibrary& pictures,
                     const common::WorkingFolder& folder);

    // What is drawn, for the tests: empty when nothing is.
    printing::PictureSize drawnSize() const { return m_drawn; }

    std::function<void()> onChoose;
    std::function<void()> onClear;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    printing::PictureSize m_box;
    QLabel* m_placeholder = nullptr;
    QImage m_image;
    printing::PictureSize m_drawn;
};

} // namespace tallimo::databases
