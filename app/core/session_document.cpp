#include "app/core/session_document.h"

#include "app/core/session_commands.h"
#include "session/core/kart_lists.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"

namespace tallimo::app {

using namespace session;

namespace {

// A save dialog left on its proposed wildcard names no file.
constexpr const char* kProposedSessionFile = "*.rent";

} // namespace

SessionDocument::SessionDocument(common::WorkingFolder folder, common::MessageSink& messages)
    : m_folder(std::move(folder)), m_messages(messages) {}

std::string SessionDocument::title() const {
    return MainWindowTitle(m_userFile);
}

bool SessionDocument::saveWorkingFile() {
    return SaveSessionOrReport(m_folder, m_live, m_messages);
}

bool SessionDocument::loadWorkingFile(RentalSession& session, SessionHeader& header) {
    return LoadSessionOrReport(m_folder, session, header, m_messages);
}

void SessionDocument::startUp(const databases::CategoryTable& categories,
                              const std::function<void(LiveTiming&)>& afterRebuild) {
    RebuildSessionAtStartup(m_folder, databases::FleetLayoutFromCategories(categories), m_live,
                            m_messages);
    // The rebuild keeps only which karts are in the session; without their
    // fleet transponders they could not be timed after a restart.
    ApplyFleetTransponders(m_live.session, databases::FleetTranspondersFromCategories(categories));
    if (afterRebuild)
        afterRebuild(m_live);
    saveWorkingFile();
    m_live.rebuildBoardRows();
}

void SessionDocument::copyToUserFile() {
    CopyWorkingSessionTo(m_folder, common::WorkingFolder(m_userFile).root(), m_messages);
}

void SessionDocument::saveCurrent(const ChooseSaveFile& choose) {
    SaveWorkingSession(m_folder, m_live, m_messages);
    if (m_userFile.empty()) {
        const std::string chosen = choose ? choose() : "";
        if (!chosen.empty() && chosen != kProposedSessionFile)
            m_userFile = UserSessionFileName(chosen);
    }
    if (!m_userFile.empty())
        copyToUserFile();
}

void SessionDocument::saveToUserFile() {
    if (m_userFile.empty())
        return;
    SaveWorkingSession(m_folder, m_live, m_messages);
    copyToUserFile();
}

bool SessionDocument::saveAs(const std::string& chosen) {
    if (chosen.empty())
        return false;
    m_userFile = UserSessionFileName(chosen);
    saveToUserFile();
    return true;
}

bool SessionDocument::startNew(SaveFirst answer, const ChooseSaveFile& choose) {
    if (answer == SaveFirst::Cancel)
        return false;
    // A save dialog cancelled here still starts the new session.
    if (answer == SaveFirst::Yes)
        saveCurrent(choose);
    m_userFile.clear();
    StartNewSession(m_live);
    return true;
}

bool SessionDocument::open(const std::string& chosen, SaveFirst answer,
                           const ChooseSaveFile& choose,
                           const databases::CategoryTable& categories) {
    if (answer == SaveFirst::Yes)
        saveCurrent(choose);
    if (!OpenUserSession(m_folder, common::WorkingFolder(chosen).root(),
                         databases::FleetLayoutFromCategories(categories),
                         databases::FleetTranspondersFromCategories(categories), m_live,
                         m_messages))
        return false;
    m_userFile = chosen;
    return true;
}

bool SessionDocument::quit(SaveFirst answer, const ChooseSaveFile& choose) {
    if (answer == SaveFirst::Cancel)
        return false;
    if (answer == SaveFirst::Yes) {
        // A cancelled file dialog means the operator changed their mind:
        // leaving now would lose the session they asked to keep.
        if (m_userFile.empty())
            return saveAs(choose ? choose() : "");
        saveToUserFile();
    }
    return true;
}

void SessionDocument::beforeSessionWindow() {
    m_beforeWindow.reset();
    if (!saveWorkingFile())
        return;
    FileState state;
    if (LoadSessionFile(m_folder, state.session, state.header))
        m_beforeWindow = std::move(state);
}

bool SessionDocument::takeWindowEdits() {
    std::optional<FileState> before = std::move(m_beforeWindow);
    m_beforeWindow.reset();
    if (!before)
        return loadWorkingFile(m_live.session, m_live.header);
    FileState after;
    if (!LoadSessionFile(m_folder, after.session, after.header)) {
        m_messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
        return false;
    }
    TakeWindowEdits(m_live.session, m_live.header, before->session, before->header, after.session,
                    after.header);
    return true;
}

void SessionDocument::afterSessionWindow() {
    if (takeWindowEdits())
        m_live.rebuildBoardRows();
}

void SessionDocument::afterReservation(std::string_view kartLabel) {
    if (!takeWindowEdits())
        return;
    SettleReservation(m_live.session, kartLabel);
    saveWorkingFile();
    m_live.rebuildBoardRows();
}

void SessionDocument::afterGroupReservation(int category) {
    if (!takeWindowEdits())
        return;
    SettleGroupReservation(m_live.session, category);
    saveWorkingFile();
    m_live.rebuildBoardRows();
}

void SessionDocument::storeTreeSelection(int itemValue) {
    m_live.header.selectedTreeItem = itemValue;
    saveWorkingFile();
}

void SessionDocument::applyCategories(const databases::CategoryTable& categories) {
    ApplyCategoriesToSession(m_live.session, categories);
    saveWorkingFile();
    m_live.rebuildBoardRows();
}

bool SessionDocument::mayDeclareBrokenDown(int category, int slot) const {
    return m_live.session.kart(category, slot).trackState == TrackState::Free;
}

void SessionDocument::declareBrokenDown(int category, int slot) {
    SessionKart& kart = m_live.session.kart(category, slot);
    SessionKart cleared;
    cleared.kartLabel = kart.kartLabel;
    cleared.transponder = kart.transponder;
    cleared.usage = KartUsage::BrokenDown;
    cleared.trackState = TrackState::Finished;
    kart = cleared;
    saveWorkingFile();
    m_live.rebuildBoardRows();
}

} // namespace tallimo::app
