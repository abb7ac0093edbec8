#pragma once

// The one main window: menu bar, the session tree on the left, the clock
// area with its start and pause buttons, and the timing board. It owns the
// live session, the session clock and the decoder poller, and drives all
// three from its 10 ms timer on the GUI thread. Windows that work on the
// session read and write it through "Private/Session.rent": the session is
// saved before such a window opens and loaded back after it closes.

#include "app/core/display_settings.h"
#include "app/core/live_board_snapshot.h"
#include "app/core/main_menu.h"
#include "app/core/session_document.h"
#include "common/core/high_res_counter.h"
#include "common/core/local_clock.h"
#include "common/core/sound_player.h"
#include "common/core/system_clocks.h"
#include "common/core/tick_source.h"
#include "common/core/working_folder.h"
#include "common/gui/operator_dialogs.h"
#include "databases/core/kart_categories_file.h"
#include "decoder/core/decoder_poller.h"
#include "decoder/core/serial_port.h"
#include "i18n/core/language_settings.h"
#include "i18n/core/translation_table.h"
#include "printing/core/picture_library.h"
#include "printing/gui/report_printer.h"
#include "runs/gui/run_views.h"
#include "session/core/live_timing.h"
#include "session/core/session_clock.h"
#include "session/core/session_notifications.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tallimo::session {
class ClassificationWindow;
}

namespace tallimo::app {

class ClockAreaWidget;
class TimingBoardWidget;

// What the window needs of the world; tests hand in fakes.
struct MainWindowServices {
    common::WorkingFolder folder;
    decoder::SerialPort& port;
    const common::TickSource& ticks;
    const common::HighResCounter& counter;
    common::SoundPlayer& sounds;
    common::OperatorDialogs& dialogs;
    // Asks for a session file to save to or open; empty when cancelled.
    std::function<std::string(QWidget*, bool save)> chooseSessionFile;
    // Runs after the start-up rebuild, before the first save (the demo books
    // its drivers here).
    std::function<void(session::LiveTiming&)> afterSessionRebuild;
    // The image library for the operator's pictures (FreeImage in the
    // program); windows draw no chosen picture without it.
    printing::PictureLibrary* pictures = nullptr;
    // Today's date for the windows that check dates; the system's clock
    // when not given.
    const common::LocalClock* localClock = nullptr;
    // The passing journal's file (the program's makes it durable on a
    // thread of its own); without it nothing is journalled.
    std::function<std::unique_ptr<session::JournalFile>()> journalFile = nullptr;
};

class MainWindow final : public QMainWindow, public session::SessionNotifications {
    Q_OBJECT

public:
    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up after the window exists: decoder identification with its
    // message, then the 10 ms timer.
    void connectDecoderAndStartTimer();

    void runCommand(CommandId command);
    // One timer tick: decoder, clock, passings.
    void tick();

    session::LiveTiming& live() { return m_document.live(); }
    session::SessionClock& clock() { return *m_clock; }
    decoder::DecoderPoller& poller() { return *m_poller; }
    const std::string& userSessionFile() const { return m_document.userFile(); }
    QAction* action(CommandId command) const;
    QTreeWidget* tree() const { return m_tree; }
    // How long each timer tick took, for the measured demo run.
    const std::vector<std::int64_t>& tickNanoseconds() const { return m_tickNanoseconds; }
    // Closes without the quit questions (unattended runs).
    void leaveWithoutQuestions();
    TimingBoardWidget* board() const { return m_board; }
    class DriversBoardWindow* driversBoard() const {
        return m_driversBoard;
    }
    class LiveBoardServer* liveBoardServer() const {
        return m_liveServer;
    }

    // SessionNotifications
    void redrawBoard() override;
    void redrawClockArea() override;
    void lapAccepted(const session::SessionKart& kart) override;
    void sessionCommandsEnabled(bool enabled, bool saveEnabled) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The drivers' board on its screen and on the network: one snapshot
    // per change, after every accepted lap and every clock second.
    void refreshLiveBoard();
    void openDriversBoardSettings();
    void useJournal();
    void createSessionAndData();
    // A session restored from the journal goes on with the clock it had.
    void takeUpRestoredClock();
    void buildMenus();
    void buildContents();
    void rebuildTree();
    void refreshBoard();
    void refreshDecoderStatus();
    void treeItemClicked(QTreeWidgetItem* item, bool rightButton, const QPoint& globalPosition,
                         bool control);
    // Whether a command may run now: the settings and file commands are
    // grayed while the clock starts or runs, "Enregistrer" without a file.
    bool commandAllowed(CommandId command) const;
    void applyCommandStates();
    void declareBrokenDown(int category, int slot);

    // Session file commands: the document decides, the window asks the
    // operator and shows the result.
    void saveSession();
    bool saveSessionAs(); // false when the dialog is cancelled
    void newSession();
    void openSession();
    bool quitAllowed();
    ChooseSaveFile saveFileChooser();
    void openDecoderInterface();
    // The windows that work on the session through its file.
    // `reload` replaces the plain reload when the window's result needs
    // settling.
    void runSessionWindow(const std::function<void()>& window,
                          const std::function<void()>& reload = {});
    void openReservation(const std::string& kartLabel);
    void openGroupReservation(int category);
    void openKartCategories();
    void openTracks();
    void openFleet();
    void openClubs();
    void openAgeCategories();
    void openSubscribers();
    void openFirstNames();
    void openSessionTrack();
    void openKartList(int category);
    // The modeless ranking for the category whose trophy was clicked; a
    // second click raises the one already open.
    void openClassification(int category);
    void categoriesChanged();
    printing::PictureLibrary& pictures();
    // The one frame every printout of the counter's windows goes through.
    const printing::ReportPrinter& reportPrinter();
    const common::LocalClock& localClock() const;
    void openTranslationEditor();
    void openHelp();

    void updateTitle();
    void checkTracksDatabase();

    MainWindowServices m_services;
    common::SystemLocalClock m_systemLocalClock;
    common::DialogMessageSink m_messages;
    SessionDocument m_document;
    session::LiveTiming& m_live;
    std::unique_ptr<decoder::DecoderPoller> m_poller;
    std::unique_ptr<session::SessionClock> m_clock;
    // Children of the window: the second screen's board and the web board.
    class DriversBoardWindow* m_driversBoard = nullptr;
    class LiveBoardServer* m_liveServer = nullptr;
    std::uint64_t m_liveBoardSequence = 0;

    databases::CategoryTable m_categories{};
    DisplaySettings m_display;
    i18n::LanguageSettings m_languages;
    bool m_quitConfirmed = false;
    // The analysis window reopens in the view last chosen.
    runs::RunView m_runView = runs::RunView::Synthesis;
    bool m_sessionCommandsAllowed = true;
    std::vector<std::int64_t> m_tickNanoseconds;
    std::unique_ptr<printing::PictureLibrary> m_noPictures;
    std::unique_ptr<printing::ReportPrinter> m_reportPrinter;
    // Set while the classification window is open; it follows every lap.
    QPointer<session::ClassificationWindow> m_classification;

    std::map<CommandId, QAction*> m_actions;
    QLabel* m_logo = nullptr;
    QTreeWidget* m_tree = nullptr;
    TimingBoardWidget* m_board = nullptr;
    ClockAreaWidget* m_clockArea = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_pauseButton = nullptr;
    QLabel* m_decoderStatus = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace tallimo::app
