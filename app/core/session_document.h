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

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tallimo::app {

// The operator's answer to "save the current session first?".
enum class SaveFirst { Yes, No, Cancel };

// Asks for a session file to save to; empty when the dialog is cancelled.
using ChooseSaveFile = std::function<std::string()>;

class SessionDocument {
public:
    SessionDocument(common::WorkingFolder folder, common::MessageSink& messages);

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
    // After the kart categories or the fleet changed.
    void applyCategories(const databases::CategoryTable& categories);

    // Only a free kart can be declared broken down: a driver's booking or
    // run would be lost.
    bool mayDeclareBrokenDown(int category, int slot) const;
    // The kart keeps its label and transponder and nothing else; the other
    // karts are untouched.
    void declareBrokenDown(int category, int slot);

private:
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
};

} // namespace tallimo::app
