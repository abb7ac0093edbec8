#pragma once

// The drivers' board settings window, opened from the "Chronos" menu: the
// screen the board opens on, buttons that show and hide it there at once,
// and the web board's switch and port with the address drivers type in.
// "Ok" saves the settings to the program's own file; the caller then reads
// settings() to start or stop the web board.

#include "app/core/live_board_settings.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tallimo::app {

class DriversBoardWindow;
class LiveBoardServer;

inline const char* const kLiveBoardSaveErrorText =
    "Les r\xE9glages de l'affichage pilotes n'ont pas pu \xEAtre enregistr\xE9s.";
inline const char* const kLiveBoardPortErrorText =
    "L'affichage pilotes sur le r\xE9seau n'a pas pu d\xE9marrer sur ce port.";

// Starts, moves or stops the web board as `settings` say. A port that cannot
// be opened is told to the operator; the timing goes on without the page.
// True when the server is in the state asked for.
bool ApplyLiveBoardWeb(const LiveBoardSettings& settings, LiveBoardServer& server,
                       common::OperatorDialogs& dialogs, QWidget* parent);

class DriversBoardSettingsDialog final : public QDialog {
    Q_OBJECT

public:
    // Reads the settings at once; a missing file gives the defaults.
    DriversBoardSettingsDialog(common::WorkingFolder folder, common::OperatorDialogs& dialogs,
                               DriversBoardWindow& board, QWidget* parent = nullptr);

    // As the controls stand.
    LiveBoardSettings settings() const;
    // The address the web board is reached at, empty while it is off.
    void setAddress(const QString& address);

private:
    void buildControls();
    void showSettings();
    void showBoard();
    void saveAndClose();
    void updateButtons();

    common::WorkingFolder m_folder;
    common::OperatorDialogs& m_dialogs;
    DriversBoardWindow& m_board;
    LiveBoardSettings m_loaded;

    QComboBox* m_screen = nullptr;
    QPushButton* m_show = nullptr;
    QPushButton* m_hide = nullptr;
    QCheckBox* m_web = nullptr;
    QSpinBox* m_port = nullptr;
    QLineEdit* m_address = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace tallimo::app
