#pragma once

// Pieces shared by the database windows: widgets named for the tests, the
// file dialogs of import, export and pictures, and the picture frame.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "i18n/core/file_filter_texts.h"
#include "i18n/core/window_texts.h"
#include "printing/core/picture_library.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QComboBox;
class QDialog;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace tallimo::databases {

QLabel* NamedLabel(const char* name, QWidget* parent);
// Never the default button: Enter in an edit must not press "Ok".
QPushButton* NamedButton(const char* name, QWidget* parent);
QLineEdit* NamedEdit(const char* name, QWidget* parent, bool readOnly);
// At most `digits` characters, digits only.
QLineEdit* DigitsEdit(const char* name, QWidget* parent, std::size_t digits);
// An editable field of at most `limit` characters.
QLineEdit* LimitedEdit(const char* name, QWidget* parent, int limit);
QComboBox* NamedCombo(const char* name, QWidget* parent);
// The country list of the working folder, a missing file reported.
void FillCountryCombo(QComboBox* combo, const common::WorkingFolder& folder,
                      common::MessageSink& messages);
QRadioButton* NamedRadio(const char* name, QWidget* parent);

// The list column of a window whose new records are named by one typed
// text: `caption`, `typed` and the "Ajouter" button `add` on one row above
// `list`, which takes `listStretch` of the spare height.
QVBoxLayout* NewRecordColumn(QLabel* caption, QLineEdit* typed, QPushButton* add, QLayout* list,
                             int listStretch = 0);

// The sex of a person or of an age category: the caption and the two
// exclusive choices, captioned by the shared vocabulary. Each window lays
// them out and decides how a choice reaches its record.
struct SexChoice {
    explicit SexChoice(QWidget* parent);

    void setLabels(const i18n::WindowTexts& texts) const;

    QLabel* label;
    QRadioButton* man;
    QRadioButton* woman;
};

// The one-line list beside a record list that shows the record's number.
QListWidget* RecordNumberList(QWidget* parent);
// Shows `index + 1`, or nothing when `index` is negative.
void ShowRecordNumber(QListWidget* numberList, int index);

// The window's translation rows: as many as the window table gives `stem`
// (`fallbackRows` when it gives none), missing files reported through
// `dialogs`.
i18n::WindowTexts LoadDatabaseWindowTexts(const common::WorkingFolder& folder,
                                          std::string_view stem, int fallbackRows,
                                          common::OperatorDialogs& dialogs, QWidget* parent);

// The same, with the rows of another window's translation file (labels
// this window borrows) read into `borrowed` between the window's own file
// and the common vocabulary, each missing file reported in that order.
i18n::WindowTexts LoadDatabaseWindowTexts(const common::WorkingFolder& folder,
                                          std::string_view stem, int fallbackRows,
                                          std::string_view borrowedFileName, int borrowedRows,
                                          i18n::TranslationTable& borrowed,
                                          common::OperatorDialogs& dialogs, QWidget* parent);

// A translated text, or the dialog template's own when the files give none.
QString TextOr(const std::string& translated, const char* fallback);

// A path from a file dialog as the file system takes it.
std::filesystem::path PathOf(const QString& path);

// The catalogue's captions read "BD Pistes (.bdt2)" and "Images (*.BMP;
// *.JPG)"; the file dialog wants blank-separated wildcards.
QString DialogFilter(const std::string& caption);

// Returns the chosen path, or an empty text when the operator cancelled.
// `save` asks for a file to create, otherwise for an existing one.
using FileChooser = std::function<QString(QWidget* parent, bool save, const QString& filter)>;

// Asks `chooser` for a file of the kind `file`, with its caption in
// `language`; an empty text when the operator cancelled.
QString ChooseFile(const FileChooser& chooser, QWidget* parent, bool save, i18n::FilteredFile file,
                   i18n::LanguageCode language);

// Asks for the file an export of the format `file` writes: the chosen path
// with `extension` appended when it lacks it. Nothing when the operator
// cancelled, kept the proposal "*" + `extension` (it names no file), or
// would not replace an existing file that the appended extension named.
std::optional<std::filesystem::path> ChooseExportFile(const FileChooser& chooser, QWidget* parent,
                                                      i18n::FilteredFile file,
                                                      std::string_view extension,
                                                      i18n::LanguageCode language,
                                                      common::OperatorDialogs& dialogs);

// Asks for a picture and returns its path as a record stores it; nothing
// when the operator cancelled or the record cannot hold the path whole (too
// long, or with letters outside Windows-1252: it would point at some other
// file once stored).
std::optional<std::string> ChoosePicture(const FileChooser& chooser, QWidget* parent,
                                         i18n::LanguageCode language, std::size_t capacity);

// The system's file dialog, opened in the working folder. On save it
// proposes "*" + `extension` (".bdt2") and adds the extension to a bare name
// before its own overwrite question.
FileChooser SystemFileChooser(const common::WorkingFolder& folder, std::string_view extension);

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
