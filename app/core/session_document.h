#pragma once

// The main window's session as a document: the live session with its
// header, "Private/Session.rent" that carries it to the windows working on
// it, and the operator's own session file (empty when none is known).
//
// Ownership and invariants: the document owns the one `LiveTiming` of the
// program; everything else (the session windows, the operator's files) only
// sees copies through the session file. Every load or save of that file goes
// through `saveWorkingFile` / `loadWorkingFile`, which report a failure once
// and leave the session in memory as it was. The board rows are rebuilt
// after every change the document makes to the karts.
//
// The document asks nothing itself: the window puts the questions and the
// file dialogs to the operator and hands in the answers.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "databases/core/kart_categories_file.h"
#include "session/core/live_timing.h"
#include "session/core/passing_journal.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tallimo::app {

// The operator's answer to "save the current session first?".
enum class SaveFirst { Yes, No, Cancel };

// Asks for a session file to save to; empty when the dialog is cancelled.
using ChooseSaveFile = std::function<std::string()>;

// What a start-up restored from the passing journal, for the operator's
// message and for the clock, which takes up the session's bases again.
struct SessionRestore {
    session::RecoveryReport report;
    // The journal's last write, local time "HH:MM:SS"; empty when unknown.
    std::string lastWrite;
};

inline constexpr const char* kSessionRestoredCaption = "Session";
// The operator's one message after a restore.
std::string SessionRestoredText(const SessionRestore& restore);

class SessionDocument {
public:
    SessionDocument(common::WorkingFolder folder, common::MessageSink& messages);
    ~SessionDocument();

    // The passing journal in "Private/": everything that changes the live
    // session after the working file was last written whole. Given before
    // `startUp`, which restores from the previous journal and then starts
    // it afresh; without one nothing is journalled.
    void useJournal(std::unique_ptr<session::JournalFile> file);
    session::PassingJournal* journal() { return m_journal.get(); }
    // Appends what the journal needs beyond the live session (the clock's
    // state) each time it starts afresh.
    void setJournalRestarted(std::function<void(session::PassingJournal&)> restarted) {
        m_journalRestarted = std::move(restarted);
    }
    // Every tick: what was journalled is written, and made durable at most
    // every 100 ms (on a thread of its own, see SyncInBackground).
    void journalTick(std::uint32_t nowMs);
    // The program leaves by the operator's choice: the journal is removed.
    void endJournal();
    // Set when the start-up restored the session from the journal.
    const std::optional<SessionRestore>& restored() const { return m_restored; }

    session::LiveTiming& live() { return m_live; }
    const session::LiveTiming& live() const { return m_live; }
    const std::string& userFile() const { return m_userFile; }
    // "Enregistrer" needs a file of the operator's to copy to.
    bool canSaveToUserFile() const { return !m_userFile.empty(); }
    std::string title() const;

    // The working file as the session stands, runs still timing included.
    bool saveWorkingFile();
    // The working file into `session` and `header`; false (reported) leaves
    // both as they were.
    bool loadWorkingFile(session::RentalSession& session, session::SessionHeader& header);

    // Start-up: the session rebuilt on the fleet, `afterRebuild` (the demo
    // books its drivers there), then written back.
    void startUp(const databases::CategoryTable& categories,
                 const std::function<void(session::LiveTiming&)>& afterRebuild);

    // "Enregistrer": nothing happens without an operator's file.
    void saveToUserFile();
    // "Enregistrer sous...": false when no name was chosen.
    bool saveAs(const std::string& chosen);
    // "Nouvelle session": false when the operator cancelled.
    bool startNew(SaveFirst answer, const ChooseSaveFile& choose);
    // "Ouvrir session" of `chosen`; false (reported) when it could not be
    // read, and the operator's file stays what it was.
    bool open(const std::string& chosen, SaveFirst answer, const ChooseSaveFile& choose,
              const databases::CategoryTable& categories);
    // The quit question answered: false when the window must stay open.
    bool quit(SaveFirst answer, const ChooseSaveFile& choose);

    // A window that works on the session reads the working file: it is
    // written before the window opens and read back after it closes, keeping
    // lap timing's working fields so the runs on track go on.
    // Timing goes on while the window is open: only what the window changed
    // in the file is taken back, the laps meanwhile are kept.
    void beforeSessionWindow();
    void afterSessionWindow();

    // The same for the reservation windows, which the document then settles:
    // the kart left without a driver freed, the karts given one reserved.
    void afterReservation(std::string_view kartLabel);
    void afterGroupReservation(int category);

    void storeTreeSelection(int itemValue);
    // After the window changed the header itself (the board shown again).
    void journalHeader();
    // After the kart categories or the fleet changed.
    void applyCategories(const databases::CategoryTable& categories);

    // Only a free kart can be declared broken down: a driver's booking or
    // run would be lost.
    bool mayDeclareBrokenDown(int category, int slot) const;
    // The kart keeps its label and transponder and nothing else; the other
    // karts are untouched.
    void declareBrokenDown(int category, int slot);

private:
    // The journal starts afresh and names the working file as it is on disk.
    void restartJournal();
    // Header, baseline and the clock's state, in the journal file `name`.
    bool startJournal(const char* name, const session::JournalIdentity& identity);
    // The previous journal replayed onto the working file; true when it
    // restored anything.
    bool restoreFromJournal();
    // Shared by new, open and quit: the working file, then the operator's
    // file, asked for when none is known yet.
    void saveCurrent(const ChooseSaveFile& choose);
    void copyToUserFile();

    common::WorkingFolder m_folder;
    common::MessageSink& m_messages;
    // Reads the file a window left and takes its edits; false when unread.
    bool takeWindowEdits();

    session::LiveTiming m_live;
    std::string m_userFile;
    // The file as the open window found it (nothing when it could not be
    // read back: the window's file then replaces the session as before).
    struct FileState {
        session::RentalSession session;
        session::SessionHeader header;
    };
    std::optional<FileState> m_beforeWindow;
    std::unique_ptr<session::PassingJournal> m_journal;
    std::function<void(session::PassingJournal&)> m_journalRestarted;
    std::optional<SessionRestore> m_restored;
};

} // namespace tallimo::app
