#pragma once

// The modal "Piste" window: the session's track, chosen among the tracks
// database, and its software protection time. It works on a session of its
// own, read from the session file when it opens and written back on
// "Valider"; "Echap" and the close box leave the file as it was.

#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "i18n/core/language_code.h"
#include "printing/core/picture_library.h"
#include "session/core/rental_session.h"
#include "session/core/session_track.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tallimo::session {

class SessionTrackWindow final : public QDialog {
    Q_OBJECT

public:
    // Reads the tracks database and the session file at once; a missing
    // file is reported through `dialogs` and the window opens anyway.
    SessionTrackWindow(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                       printing::PictureLibrary& pictures, QWidget* parent = nullptr);
    ~SessionTrackWindow() override;

    const SessionHeader& header() const { return m_selection->header(); }

private:
    void buildControls();
    void load();
    void fillTrackList();
    void trackChosen(int listIndex);
    void protectionFinished(const QString& text);
    void showTrack();
    void showPicture();
    void confirm();

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    printing::PictureLibrary& m_pictures;
    i18n::LanguageCode m_language = i18n::LanguageCode::English;

    std::unique_ptr<RentalSession> m_session; // large: kept off the stack
    std::unique_ptr<SessionTrackSelection> m_selection;

    QComboBox* m_trackList = nullptr;
    QLineEdit* m_trackName = nullptr;
    QLineEdit* m_trackLength = nullptr;
    QLabel* m_lengthUnit = nullptr;
    QLineEdit* m_recordLine = nullptr;
    QLineEdit* m_protection = nullptr;
    QLabel* m_picture = nullptr;
};

} // namespace tallimo::session
