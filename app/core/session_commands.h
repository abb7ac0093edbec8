#pragma once

// The session file commands of the main window (new, open, save, save as)
// and the rules around them, without the dialogs: the window asks the
// operator and calls these with the answers.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "databases/core/kart_categories_file.h"
#include "session/core/live_timing.h"

#include <array>
#include <filesystem>
#include <string>

namespace tallimo::app {

using databases::FleetTransponders;

// "Private/Session.rent" written from or read into memory; every failure is
// reported with the one message the operator knows, and a failed load leaves
// `session` and `header` as they were.
bool SaveSessionOrReport(const common::WorkingFolder& folder, const session::LiveTiming& live,
                         common::MessageSink& messages);
bool LoadSessionOrReport(const common::WorkingFolder& folder, session::RentalSession& session,
                         session::SessionHeader& header, common::MessageSink& messages);

// A run still timing when the session is saved ends there.
void FinishTimingRuns(session::RentalSession& session);

// Ends the timing runs and writes "Private/Session.rent"; a failure is
// reported and the session stays in memory.
bool SaveWorkingSession(const common::WorkingFolder& folder, session::LiveTiming& live,
                        common::MessageSink& messages);

// Copies "Private/Session.rent" over the operator's own session file.
bool CopyWorkingSessionTo(const common::WorkingFolder& folder,
                          const std::filesystem::path& userFile, common::MessageSink& messages);

// The name chosen in a save dialog, with ".rent" added when it has none.
std::string UserSessionFileName(const std::string& chosen);

// "Tallimo", or "Tallimo:   " and the operator's session file.
std::string MainWindowTitle(const std::string& userFile);

// "Nouvelle session": every kart emptied but its label (and, for the fleet's
// karts, its transponder); the header back to its defaults.
void StartNewSession(session::LiveTiming& live);

// Karts in use must keep a transponder to be timed: the fleet's karts take
// theirs from the fleet, where the fleet has one.
void ApplyFleetTransponders(session::RentalSession& session, const FleetTransponders& fleet);

// After the kart categories or the fleet changed: the five rental
// categories take the database's names, a category whose name became empty
// loses its karts, the others are relabelled and take the fleet's
// transponders.
void ApplyCategoriesToSession(session::RentalSession& session,
                              const databases::CategoryTable& categories);

// "Ouvrir session": the chosen file becomes the working session, rebuilt on
// the current fleet with the drivers carried over by category name and kart
// position. False (reported) when the file cannot be copied or read.
bool OpenUserSession(const common::WorkingFolder& folder, const std::filesystem::path& userFile,
                     const session::FleetLayout& fleet, const FleetTransponders& transponders,
                     session::LiveTiming& live, common::MessageSink& messages);

} // namespace tallimo::app
