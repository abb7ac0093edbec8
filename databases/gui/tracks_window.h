#pragma once

// The tracks database window. It edits its own copy of the tracks table and
// writes "BaseDonnéesPistes.bd1" only on "Ok". The selected track is the one
// whose fields the right-hand controls show, or none when the table is empty.

#include "databases/core/record_editing.h"
#include "databases/core/tracks_file.h"
#include "databases/gui/editing_window.h"
#include "printing/core/picture_library.h"

namespace tallimo::databases {

class PictureFrame;

class TracksWindow final : public EditingWindow {
    Q_OBJECT

public:
    // Reads the labels and the tracks file at once; missing files are
    // reported through `dialogs` and the window opens anyway.
    TracksWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                 printing::PictureLibrary& pictures, QWidget* parent = nullptr);
    ~TracksWindow() override;

    // The window's copy of the table, as edited so far.
    const TrackTable& tracks() const { return m_tracks; }

private:
    bool save(common::MessageSink& messages) override;
    bool exportTo(const std::filesystem::path& path) const override;

    void buildControls();
    void loadTexts();
    void showTrack();

    printing::PictureLibrary& m_pictures;
    TrackTable m_tracks{};
    RecordEditor<TrackTable> m_editor;
    std::function<void()> m_showPicture;

    QLabel* m_newLabel = nullptr;
    QLineEdit* m_newName = nullptr;
    QPushButton* m_add = nullptr;
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
};

} // namespace tallimo::databases
