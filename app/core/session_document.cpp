#include "app/core/session_document.h"

#include "app/core/session_commands.h"
#include "common/core/data_file.h"
#include "session/core/kart_lists.h"
#include "session/core/session_file.h"
#include "session/core/session_startup.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

namespace tallimo::app {

using namespace session;

namespace {

// A save dialog left on its proposed wildcard names no file.
constexpr const char* kProposedSessionFile = "*.rent";

std::string SessionTimeText(std::int64_t ms) {
    const std::int64_t seconds = ms / 1000;
    char text[40];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

// The local time of a file's last change, "HH:MM:SS"; empty when unknown.
std::string LastWriteText(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return {};
    std::tm parts{};
    if (!localtime_r(&status.st_mtime, &parts))
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

} // namespace

std::string SessionRestoredText(const SessionRestore& restore) {
    const RecoveryReport& report = restore.report;
    std::string text = "The session was restored after the program stopped unexpectedly: ";
    if (report.laps == 0) {
        text += "it is back as it stood, with no lap timed since it was last saved";
    } else {
        text += std::to_string(report.laps) + (report.laps == 1 ? " lap" : " laps") + " on " +
                std::to_string(report.karts) + (report.karts == 1 ? " kart" : " karts") +
                ", timed from " + SessionTimeText(report.firstLapTime) + " to " +
                SessionTimeText(report.lastLapTime) + " of the session";
    }
    if (!restore.lastWrite.empty())
        text += " (last recorded at " + restore.lastWrite + ")";
    text += ". The session file as it was before is kept as '";
    text += kCrashCopyFileName;
    text += "'.";
    if (report.clockStartedOnce)
        text += " Press the start button to go on timing.";
    return text;
}

SessionDocument::SessionDocument(common::WorkingFolder folder, common::MessageSink& messages)
    : m_folder(std::move(folder)), m_messages(messages) {}

SessionDocument::~SessionDocument() = default;

void SessionDocument::useJournal(std::unique_ptr<JournalFile> file) {
    m_journal = std::make_unique<PassingJournal>(std::move(file));
}

void SessionDocument::journalTick(std::uint32_t nowMs) {
    if (!m_journal || !m_journal->isOpen())
        return;
    m_journal->flush();
    m_journal->syncIfDue(nowMs);
}

void SessionDocument::endJournal() {
    if (!m_journal)
        return;
    m_journal->close();
    std::error_code ignored;
    std::filesystem::remove(m_folder.path(kJournalFileName), ignored);
    std::filesystem::remove(m_folder.path(kNextJournalFileName), ignored);
}

void SessionDocument::restartJournal() {
    if (!m_journal)
        return;
    std::string bytes;
    if (!common::ReadWholeFile(m_folder.path(kSessionFileName), bytes)) {
        // A journal that names no readable file could never be replayed.
        m_journal->close();
        return;
    }
    startJournal(kJournalFileName, IdentityOf(bytes));
}

bool SessionDocument::startJournal(const char* name, const JournalIdentity& identity) {
    if (!m_journal->open(m_folder.path(name).string(), identity, m_live))
        return false;
    if (m_journalRestarted) {
        m_journalRestarted(*m_journal);
        m_journal->flush();
    }
    return true;
}

bool SessionDocument::restoreFromJournal() {
    if (!m_journal)
        return false;
    std::string fileBytes;
    if (!common::ReadWholeFile(m_folder.path(kSessionFileName), fileBytes))
        return false;
    // The journal, or the next one when the program stopped between
    // writing the file whole and putting that one in its place: whichever
    // follows the file.
    for (const char* name : {kJournalFileName, kNextJournalFileName}) {
        const std::filesystem::path journalPath = m_folder.path(name);
        std::string journalBytes;
        if (!common::ReadWholeFile(journalPath, journalBytes))
            continue;
        auto recovered = std::make_unique<LiveTiming>();
        recovered->bestLapMark = m_live.bestLapMark;
        const RecoveryResult result = RecoverSession(*recovered, fileBytes, journalBytes);
        if (result.status != RecoveryStatus::Restored)
            continue;
        // The crash copy keeps the session as the file had it before the
        // restore, as after any other unexpected stop.
        common::WriteFileAtomically(m_folder.path(kCrashCopyFileName), fileBytes);
        m_live.session = std::move(recovered->session);
        m_live.header = recovered->header;
        m_live.bestLapMark = recovered->bestLapMark;
        m_restored = SessionRestore{result.report, LastWriteText(journalPath)};
        return true;
    }
    return false;
}

std::string SessionDocument::title() const {
    return MainWindowTitle(m_userFile);
}

bool SessionDocument::saveWorkingFile() {
    if (!m_journal)
        return SaveSessionOrReport(m_folder, m_live, m_messages);
    // The next journal is written before the file and put in place after
    // it, so that whenever the program stops one of the two journals
    // follows the file on disk and holds everything since.
    const std::string bytes = FormatSessionFile(m_live.session, m_live.header);
    const std::filesystem::path path = m_folder.path(kSessionFileName);
    const bool next = startJournal(kNextJournalFileName, IdentityOf(bytes));
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    if (!common::WriteFileAtomically(path, bytes)) {
        m_messages.show(kSessionFileErrorCaption, kSessionFileErrorText);
        // The file on disk is the one the journal must go on following.
        restartJournal();
        return false;
    }
    if (next)
        std::filesystem::rename(m_folder.path(kNextJournalFileName),
                                m_folder.path(kJournalFileName), ignored);
    return true;
}

bool SessionDocument::loadWorkingFile(RentalSession& session, SessionHeader& header) {
    return LoadSessionOrReport(m_folder, session, header, m_messages);
}

void SessionDocument::startUp(const databases::CategoryTable& categories,
                              const std::function<void(LiveTiming&)>& afterRebuild) {
    // A journal left by a crash holds what the file does not: the session
    // comes back as it was live, written whole before anything else.
    if (restoreFromJournal()) {
        m_live.rebuildBoardRows();
        saveWorkingFile();
        m_messages.show(kSessionRestoredCaption, SessionRestoredText(*m_restored));
        return;
    }
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
    FinishTimingRuns(m_live.session);
    saveWorkingFile();
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
    FinishTimingRuns(m_live.session);
    saveWorkingFile();
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
    if (m_journal)
        m_journal->append(
            SessionRecord{std::make_shared<const RentalSession>(m_live.session), m_live.header});
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
    // The opened session was written to the working file.
    restartJournal();
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
    if (!takeWindowEdits())
        return;
    // The window may have rewritten the working file: written again with
    // the laps timed meanwhile, the journal follows it.
    saveWorkingFile();
    m_live.rebuildBoardRows();
}

void SessionDocument::journalHeader() {
    if (m_journal)
        m_journal->append(HeaderRecord{m_live.header});
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
