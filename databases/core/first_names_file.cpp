#include "databases/core/first_names_file.h"

#include "common/core/data_file.h"
#include "common/core/name_rules.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <algorithm>
#include <system_error>
#include <tuple>

namespace tallimo::databases {
namespace {

std::string LowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    }
    return lowered;
}

// Byte order, not the signed order of `char`.
std::basic_string<unsigned char> Key(std::string_view name) {
    const std::string lowered = LowerAscii(name);
    return {lowered.begin(), lowered.end()};
}

bool SaveNamedRecords(const FirstNameTable& table, const std::filesystem::path& path) {
    const FirstNameTable named = NamedFirstNames(table);
    return SaveFirstNames(named, static_cast<int>(named.size()), path);
}

// Reversing first and sorting stably gives equal entries the later-first
// order; the whole table takes part, so no record is lost or doubled.
template <typename Less> void SortLaterFirst(FirstNameTable& table, Less less) {
    std::reverse(table.begin(), table.end());
    std::stable_sort(table.begin(), table.end(), less);
}

} // namespace

FirstNameTable MakeFirstNameTable(int size) {
    return FirstNameTable(static_cast<std::size_t>(std::max(size, 0)));
}

void ClearFirstNames(FirstNameTable& table, int count) {
    const int limit = std::min<int>(count, static_cast<int>(table.size()));
    for (int i = 0; i < limit; ++i)
        table[static_cast<std::size_t>(i)] = SubscriberFirstName{};
}

int CountFirstNames(const FirstNameTable& table) {
    int count = 0;
    while (count < static_cast<int>(table.size()) &&
           !table[static_cast<std::size_t>(count)].firstName.empty())
        ++count;
    return count;
}

std::string FormatFirstNamesFile(const FirstNameTable& table, int count) {
    common::TabFieldWriter writer;
    const int limit = std::clamp<int>(count, 0, static_cast<int>(table.size()));
    for (int i = 0; i < limit; ++i) {
        const SubscriberFirstName& entry = table[static_cast<std::size_t>(i)];
        writer.number(entry.namedayDay);
        writer.number(entry.namedayMonth);
        writer.text(entry.firstName, kFirstNameChars);
        writer.endRecord();
    }
    return writer.bytes();
}

void ParseFirstNamesFile(std::string_view bytes, FirstNameTable& table) {
    ClearFirstNames(table, static_cast<int>(table.size()));
    common::TabFieldReader reader(bytes);
    std::size_t index = 0;
    while (index < table.size() && !reader.atEnd()) {
        SubscriberFirstName& entry = table[index++];
        reader.readInt(entry.namedayDay);
        reader.readInt(entry.namedayMonth);
        entry.firstName = reader.readText(kFirstNameChars);
        reader.skipLine();
    }
}

bool LoadFirstNames(FirstNameTable& table, const std::filesystem::path& path) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParseFirstNamesFile(bytes, table);
    return true;
}

bool SaveFirstNames(const FirstNameTable& table, int count, const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatFirstNamesFile(table, count));
}

void SortFirstNames(FirstNameTable& table) {
    SortLaterFirst(table, [](const SubscriberFirstName& a, const SubscriberFirstName& b) {
        if (a.firstName.empty() != b.firstName.empty())
            return b.firstName.empty();
        return Key(a.firstName) < Key(b.firstName);
    });
}

void SortFirstNamesByDate(FirstNameTable& table) {
    SortLaterFirst(table, [](const SubscriberFirstName& a, const SubscriberFirstName& b) {
        const auto rank = [](const SubscriberFirstName& e) {
            const bool unknown =
                e.namedayDay == kUnknownNameday && e.namedayMonth == kUnknownNameday;
            return std::make_tuple(unknown, unknown ? 0 : e.namedayMonth,
                                   unknown ? 0 : e.namedayDay, e.firstName.empty(),
                                   Key(e.firstName));
        };
        return rank(a) < rank(b);
    });
}

int FindNormalisedFirstName(const FirstNameTable& table, std::string_view firstName) {
    const std::string wanted = common::NormaliseName(firstName);
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!table[i].firstName.empty() && common::NormaliseName(table[i].firstName) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

bool LoadSubscriberFirstNamesDatabase(const common::WorkingFolder& folder, FirstNameTable& table,
                                      common::MessageSink& messages) {
    ClearFirstNames(table, static_cast<int>(table.size()));
    if (LoadFirstNames(table, folder.path(kSubscriberFirstNamesFileName)))
        return true;
    messages.show("Error", kSubscriberFirstNamesErrorText);
    return false;
}

bool LoadCalendarDatabase(const common::WorkingFolder& folder, FirstNameTable& table,
                          common::MessageSink& messages) {
    ClearFirstNames(table, static_cast<int>(table.size()));
    if (LoadFirstNames(table, folder.path(kCalendarFileName)))
        return true;
    messages.show("Error", kCalendarErrorText);
    return false;
}

FirstNameTable NamedFirstNames(const FirstNameTable& table) {
    FirstNameTable named;
    for (const SubscriberFirstName& entry : table)
        if (!entry.firstName.empty())
            named.push_back(entry);
    return named;
}

bool AddFirstName(FirstNameTable& table, std::string_view typed) {
    std::string name = common::ReplaceDashes(typed);
    if (name.size() > kFirstNameChars)
        name.resize(kFirstNameChars);
    std::vector<std::string> existing;
    auto freeRecord = table.end();
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (!it->firstName.empty())
            existing.push_back(it->firstName);
        else if (freeRecord == table.end())
            freeRecord = it;
    }
    if (freeRecord == table.end() || !common::CanAddName(name, existing, table.size()))
        return false;
    *freeRecord = SubscriberFirstName{name, kUnknownNameday, kUnknownNameday};
    return true;
}

bool SaveSubscriberFirstNamesDatabase(const common::WorkingFolder& folder,
                                      const FirstNameTable& table, common::MessageSink& messages) {
    if (SaveNamedRecords(table, folder.path(kSubscriberFirstNamesFileName)))
        return true;
    messages.show("Error", kSubscriberFirstNamesErrorText);
    return false;
}

bool SaveCalendarDatabase(const common::WorkingFolder& folder, const FirstNameTable& table,
                          common::MessageSink& messages) {
    const std::filesystem::path path = folder.path(kCalendarFileName);
    std::error_code ignored; // a folder that cannot be made shows as a failed write
    std::filesystem::create_directories(path.parent_path(), ignored);
    if (SaveNamedRecords(table, path))
        return true;
    messages.show("Error", kCalendarErrorText);
    return false;
}

} // namespace tallimo::databases
