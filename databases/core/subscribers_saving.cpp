#include "databases/core/subscribers_saving.h"

#include "common/core/name_rules.h"
#include "runs/core/run_file_header.h"
#include "runs/core/run_file_path.h"

#include <algorithm>
#include <system_error>

namespace tallimo::databases {
namespace {

bool Contains(const std::vector<SubscriberIdentity>& list, const SubscriberIdentity& identity) {
    return std::find(list.begin(), list.end(), identity) != list.end();
}

// The nameday of `firstName` in `table`, or unknown.
std::pair<std::int32_t, std::int32_t> NamedayIn(const FirstNameTable& table,
                                                std::string_view firstName) {
    const int index = FindNormalisedFirstName(table, firstName);
    if (index < 0)
        return {kUnknownNameday, kUnknownNameday};
    return {table[index].namedayDay, table[index].namedayMonth};
}

bool IsUnknown(const std::pair<std::int32_t, std::int32_t>& nameday) {
    return nameday.first == kUnknownNameday || nameday.second == kUnknownNameday;
}

} // namespace

OpeningList TakeOpeningList(const SubscriberTable& table) {
    OpeningList list;
    list.reserve(table.size());
    for (const Subscriber& subscriber : table)
        list.push_back({subscriber.name, subscriber.firstName});
    return list;
}

FirstNameTable BuildSubscriberFirstNames(const SubscriberTable& subscribers,
                                         const FirstNameTable& previous,
                                         const FirstNameTable& calendar) {
    FirstNameTable names = MakeFirstNameTable(kSubscriberFirstNames);
    int count = 0;
    for (const Subscriber& subscriber : subscribers) {
        if (subscriber.firstName.empty() || count >= kSubscriberFirstNames)
            break;
        FirstNameTable taken(names.begin(), names.begin() + count);
        if (FindNormalisedFirstName(taken, subscriber.firstName) >= 0)
            continue;
        names[count++].firstName = subscriber.firstName.substr(0, kFirstNameChars);
    }
    SortFirstNames(names);

    for (SubscriberFirstName& entry : names) {
        if (entry.firstName.empty())
            continue;
        auto nameday = NamedayIn(previous, entry.firstName);
        if (IsUnknown(nameday))
            nameday = NamedayIn(calendar, entry.firstName);
        if (nameday.first < 0 || nameday.first > 30 || nameday.second < 0 || nameday.second > 11)
            nameday = {kUnknownNameday, kUnknownNameday};
        entry.namedayDay = nameday.first;
        entry.namedayMonth = nameday.second;
    }
    return names;
}

bool SaveSubscriberFirstNames(const common::WorkingFolder& folder,
                              const SubscriberTable& subscribers, const FirstNameTable& previous,
                              const FirstNameTable& calendar, common::MessageSink& messages) {
    const FirstNameTable names = BuildSubscriberFirstNames(subscribers, previous, calendar);
    if (SaveFirstNames(names, CountFirstNames(names), folder.path(kSubscriberFirstNamesFileName)))
        return true;
    messages.show(kSubscribersErrorCaption, kSubscriberFirstNamesErrorText);
    return false;
}

RunFileChanges CompareWithOpeningList(const OpeningList& opening, const SubscriberTable& table) {
    std::vector<SubscriberIdentity> current;
    const int count = CountSubscribers(table);
    for (int i = 0; i < count; ++i)
        current.push_back({table[i].name, table[i].firstName});

    RunFileChanges changes;
    for (const SubscriberIdentity& identity : opening) {
        if (!identity.name.empty() && !Contains(current, identity) &&
            !Contains(changes.removed, identity))
            changes.removed.push_back(identity);
    }
    for (const SubscriberIdentity& identity : current) {
        if (!Contains(opening, identity) && !Contains(changes.added, identity))
            changes.added.push_back(identity);
    }
    return changes;
}

bool SyncRunFiles(const common::WorkingFolder& folder, const OpeningList& opening,
                  const SubscriberTable& table, common::MessageSink& messages) {
    const RunFileChanges changes = CompareWithOpeningList(opening, table);
    std::vector<std::filesystem::path> currentFiles;
    for (int i = 0; i < CountSubscribers(table); ++i)
        currentFiles.push_back(runs::RunFilePath(folder, table[i].name, table[i].firstName));
    for (const SubscriberIdentity& identity : changes.removed) {
        const auto path = runs::RunFilePath(folder, identity.name, identity.firstName);
        if (std::find(currentFiles.begin(), currentFiles.end(), path) == currentFiles.end())
            runs::DeleteRunFile(path);
    }

    bool allCreated = true;
    for (const SubscriberIdentity& identity : changes.added) {
        const auto path = runs::RunFilePath(folder, identity.name, identity.firstName);
        // A file already there (kept from an earlier subscriber of the same
        // name, or restored by hand) holds runs that must not be lost.
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error))
            continue;
        if (!runs::CreateRunFile(path)) {
            messages.show(kSubscribersErrorCaption, kRunFileNotCreatedText);
            allCreated = false;
        }
    }
    return allCreated;
}

bool SaveSubscribersOnOk(const common::WorkingFolder& folder, const SubscriberTable& table,
                         const OpeningList& opening, const FirstNameTable& previousFirstNames,
                         const FirstNameTable& calendar, common::MessageSink& messages) {
    const bool subscribersSaved = SaveSubscribersDatabase(folder, table, messages);
    const bool firstNamesSaved =
        SaveSubscriberFirstNames(folder, table, previousFirstNames, calendar, messages);
    const bool runFilesDone = SyncRunFiles(folder, opening, table, messages);
    return subscribersSaved && firstNamesSaved && runFilesDone;
}

} // namespace tallimo::databases
