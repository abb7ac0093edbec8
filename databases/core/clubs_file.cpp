#include "databases/core/clubs_file.h"

#include "common/core/data_file.h"
#include "common/core/name_rules.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <algorithm>

namespace tallimo::databases {
namespace {

// Only ASCII letters are folded for the order, as the other lists do.
std::basic_string<unsigned char> Key(std::string_view name) {
    std::basic_string<unsigned char> key(name.begin(), name.end());
    for (unsigned char& c : key) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c + ('a' - 'A'));
    }
    return key;
}

} // namespace

void ClearClubs(ClubTable& table) {
    table.fill(Club{});
}

int CountClubs(const ClubTable& table) {
    int count = 0;
    while (count < kClubSlots && !table[count].clubName.empty())
        ++count;
    return count;
}

std::string FormatClubsFile(const ClubTable& table, int count) {
    count = std::clamp(count, 0, kClubSlots);
    common::TabFieldWriter out;
    for (int i = 0; i < count; ++i) {
        const Club& club = table[i];
        out.text(club.clubName, kClubNameChars);
        out.text(club.fullName, kClubFullNameChars);
        out.text(club.clubAddress1, kClubAddressChars);
        out.text(club.clubAddress2, kClubAddressChars);
        out.text(club.clubPostalCode, kClubPostalCodeChars);
        out.text(club.clubTown, kClubTownChars);
        out.text(club.clubCountry, kClubCountryChars);
        out.text(club.clubPhone, kClubPhoneChars);
        out.text(club.clubEmail, kClubEmailChars);
        out.text(club.logoPath, kClubLogoChars);
        out.endRecord();
    }
    return out.bytes();
}

void ParseClubsFile(std::string_view bytes, ClubTable& table) {
    ClearClubs(table);
    common::TabFieldReader in(bytes);
    int count = 0;
    while (count < kClubSlots && !in.atEnd()) {
        Club club;
        club.clubName = in.readText(kClubNameChars);
        club.fullName = in.readText(kClubFullNameChars);
        club.clubAddress1 = in.readText(kClubAddressChars);
        club.clubAddress2 = in.readText(kClubAddressChars);
        club.clubPostalCode = in.readText(kClubPostalCodeChars);
        club.clubTown = in.readText(kClubTownChars);
        club.clubCountry = in.readText(kClubCountryChars);
        club.clubPhone = in.readText(kClubPhoneChars);
        club.clubEmail = in.readText(kClubEmailChars);
        club.logoPath = in.readText(kClubLogoChars);
        in.skipLine();
        if (!club.clubName.empty())
            table[count++] = std::move(club);
    }
}

bool LoadClubs(ClubTable& table, const std::filesystem::path& path) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParseClubsFile(bytes, table);
    return true;
}

bool SaveClubs(const ClubTable& table, int count, const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatClubsFile(table, count));
}

void SortClubs(ClubTable& table) {
    // Reversing first and sorting stably gives equal names the later-first
    // order; the whole table is permuted, so no club is lost or doubled
    // whatever bytes its name holds.
    std::reverse(table.begin(), table.end());
    std::stable_sort(table.begin(), table.end(), [](const Club& a, const Club& b) {
        if (a.clubName.empty() || b.clubName.empty())
            return !a.clubName.empty() && b.clubName.empty();
        return Key(a.clubName) < Key(b.clubName);
    });
}

int AddClub(ClubTable& table, std::string_view typedName) {
    const std::string name = common::ReplaceDashes(typedName.substr(0, kTypedClubNameChars));
    const int count = CountClubs(table);
    std::vector<std::string> existing;
    for (int i = 0; i < count; ++i)
        existing.push_back(table[i].clubName);
    if (!common::CanAddName(name, existing, kClubSlots))
        return -1;
    table[count] = Club{};
    table[count].clubName = name;
    SortClubs(table);
    // No other club equals the new name even ignoring case, so it is found
    // exactly once.
    for (int i = 0; i < kClubSlots; ++i) {
        if (table[i].clubName == name)
            return i;
    }
    return -1;
}

bool RemoveClub(ClubTable& table, int index) {
    if (index < 0 || index >= kClubSlots || table[index].clubName.empty())
        return false;
    table[index] = Club{};
    SortClubs(table);
    return true;
}

bool LoadClubsDatabase(const common::WorkingFolder& folder, ClubTable& table,
                       common::MessageSink& messages) {
    ClearClubs(table);
    if (LoadClubs(table, folder.path(kClubsFileName)))
        return true;
    messages.show(kClubsErrorCaption, kClubsFileErrorText);
    return false;
}

bool SaveClubsDatabase(const common::WorkingFolder& folder, const ClubTable& table,
                       common::MessageSink& messages) {
    if (SaveClubs(table, CountClubs(table), folder.path(kClubsFileName)))
        return true;
    messages.show(kClubsErrorCaption, kClubsFileErrorText);
    return false;
}

bool LoadClubNames(const std::filesystem::path& path, std::vector<std::string>& names) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    names.clear();
    common::TabFieldReader in(bytes);
    while (!in.atEnd()) {
        std::string name = in.readText(kClubNameChars);
        in.skipLine();
        // A line without a name is no club (the clubs window passes it over
        // too); the combo has its own empty item.
        if (!name.empty())
            names.push_back(std::move(name));
    }
    return true;
}

} // namespace tallimo::databases
