#pragma once

// What "Ok" of the subscribers window does after writing the subscribers:
// the subscribers' first names are rebuilt with their namedays, and every
// subscriber's run file follows the table (created for new subscribers,
// deleted for removed ones). A subscriber is identified by name and first
// name together, so a renamed subscriber counts as removed and added.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"
#include "databases/core/first_names_file.h"
#include "databases/core/subscribers_file.h"

#include <string>
#include <vector>

namespace tallimo::databases {

inline const char* const kRunFileNotCreatedText =
    "Error : 'Drivers Runs' database file not created";

struct SubscriberIdentity {
    std::string name;
    std::string firstName;

    friend bool operator==(const SubscriberIdentity&, const SubscriberIdentity&) = default;
};

// The (name, first name) pairs of the table as the window opened it; free
// records give empty pairs.
using OpeningList = std::vector<SubscriberIdentity>;
OpeningList TakeOpeningList(const SubscriberTable& table);

// A table of 500: the first names of the subscribers in table order (up to
// the first empty first name), one entry per normalised form, spelled as the
// first of them; sorted; each with the nameday of `previous` (the previous
// subscribers' first names) or, when unknown there, of `calendar`; an
// impossible nameday becomes unknown (100, 100).
FirstNameTable BuildSubscriberFirstNames(const SubscriberTable& subscribers,
                                         const FirstNameTable& previous,
                                         const FirstNameTable& calendar);

// Builds and writes "BaseDonnéesPrénomsAbonnés.bd1", with its message on
// failure.
bool SaveSubscriberFirstNames(const common::WorkingFolder& folder,
                              const SubscriberTable& subscribers, const FirstNameTable& previous,
                              const FirstNameTable& calendar, common::MessageSink& messages);

// The run files to delete (in the opening list, no longer in the table) and
// to create (in the table, not in the opening list); empty names skipped.
struct RunFileChanges {
    std::vector<SubscriberIdentity> removed;
    std::vector<SubscriberIdentity> added;
};
RunFileChanges CompareWithOpeningList(const OpeningList& opening, const SubscriberTable& table);

// Deletes the run files of removed subscribers and gives every added one a
// header-only run file. An added subscriber whose run file already exists
// keeps it with its runs. A file that cannot be created gives its message
// and the other subscribers are still handled. A removed subscriber's file
// is kept when a current subscriber's name leads to the same file (the
// names "A_B"/"C" and "A"/"B_C" do), so no one's runs are lost. False when any file could
// not be created.
bool SyncRunFiles(const common::WorkingFolder& folder, const OpeningList& opening,
                  const SubscriberTable& table, common::MessageSink& messages);

// "Ok": the subscribers file, the subscribers' first names, the run files,
// each step done even when an earlier one failed. False when any failed.
bool SaveSubscribersOnOk(const common::WorkingFolder& folder, const SubscriberTable& table,
                         const OpeningList& opening, const FirstNameTable& previousFirstNames,
                         const FirstNameTable& calendar, common::MessageSink& messages);

} // namespace tallimo::databases
