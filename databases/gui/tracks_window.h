#pragma once

// The tracks database window. It edits its own copy of the tracks table and
// writes "BaseDonnéesPistes.bd1" only on "Ok"; "Echap" and the close box
// leave the file as it was. The selected slot is the track whose fields the
// right-hand controls show, or none when the table is empty.

#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "databases/core/tracks_file.h"
#include "databases/gui/database_widgets.h"
#include "i18n/core/language_code.h"
#include "printing/core/picture_library.h"

#include <QDialog>
#include <QString>

#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tallimo::databases {

class PictureFrame;

class TracksWindow final : public QDialog {
    Q_OBJECT

public:
    using FileChooser = databases::FileChooser;

    // Reads the labels and the tracks file at once; missing files are
    // reported through `dialogs` and the window opens anyway.
    TracksWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                 printing::PictureLibrary& pictures, QWidget* parent = nullptr);
    ~TracksWindow() override;

    void setFileChooser(FileChooser chooser);

    // The window's copy of the table, as edited so far.
    const TrackTable& tracks() const { return m_tracks; }

private:
    void buildControls();
    void connectControls();
    void loadTexts();

    void addTrack();
    void deleteTrack();
    void clearRecord();
    void importTracks();
    void exportTracks();
    void saveAndClose();
    void choosePicture();
    void clearPicture();

    // Refills both lists from the table and selects `index` (kNoTrack for
    // none).
    void showList(int index);
    void selectTrack(int index);
    void showTrack();
    // Converts and measures the selected track's picture again.
    void showPicture();
    bool hasSelection() const;

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    printing::PictureLibrary& m_pictures;
    FileChooser m_chooser;

    TrackTable m_tracks{};
    int m_selected = kNoTrack;
    i18n::LanguageCode m_language = i18n::LanguageCode::English;

    QLineEdit* m_newName = nullptr;
    QPushButton* m_add = nullptr;
    QLabel* m_listLabel = nullptr;
    QLabel* m_numberLabel = nullptr;
    QListWidget* m_trackList = nullptr;
    QListWidget* m_numberList = nullptr;
    QPushButton* m_delete = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_lengthLabel = nullptr;
    QLineEdit* m_length = nullptr;
    QLabel* m_protectionLabel = nullptr;
    QLineEdit* m_protection = nullptr;
    QGroupBox* m_recordGroup = nullptr;
    QLineEdit* m_recordTime = nullptr;
    QLabel* m_holderWord = nullptr;
    QLineEdit* m_recordHolder = nullptr;
    QLineEdit* m_recordDate = nullptr;
    QLabel* m_noRecord = nullptr;
    QPushButton* m_clearRecord = nullptr;
    PictureFrame* m_pictureArea = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tallimo::databases
