#include "session/core/classification.h"

#include "common/core/cp1252.h"
#include "common/core/time_format.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string_view>
#include <utility>

namespace tallimo::session {
namespace {

bool IsClassified(const SessionKart& kart) {
    return kart.usage == KartUsage::InSession &&
           (kart.trackState == TrackState::Timing || kart.trackState == TrackState::Finished);
}

// The people by name and first name, for the lookup of every classified
// kart's driver: comparing each of 180 drivers with 500 records, or sorting
// the records, would cost more than the rest of the ranking together. Open
// addressing over a table at least twice the people's number.
class PeopleIndex {
public:
    explicit PeopleIndex(const std::vector<ClassificationPerson>& people) : m_people(people) {
        std::size_t capacity = 64;
        while (capacity < people.size() * 2)
            capacity *= 2;
        m_mask = capacity - 1;
        m_slots.assign(capacity, kEmpty);
        for (std::size_t i = 0; i < people.size(); ++i) {
            // A free record (no name) is nobody's record.
            if (people[i].name.empty())
                continue;
            std::size_t slot = Hash(people[i].name, people[i].firstName) & m_mask;
            while (m_slots[slot] != kEmpty && !Same(m_slots[slot], people[i]))
                slot = (slot + 1) & m_mask;
            // Of two records with the same names the first one answers.
            if (m_slots[slot] == kEmpty)
                m_slots[slot] = i;
        }
    }

    const ClassificationPerson* find(const std::string& name, const std::string& firstName) const {
        if (name.empty())
            return nullptr;
        for (std::size_t slot = Hash(name, firstName) & m_mask; m_slots[slot] != kEmpty;
             slot = (slot + 1) & m_mask) {
            const ClassificationPerson& person = m_people[m_slots[slot]];
            if (person.name == name && person.firstName == firstName)
                return &person;
        }
        return nullptr;
    }

private:
    static constexpr std::size_t kEmpty = static_cast<std::size_t>(-1);

    static std::size_t Hash(std::string_view name, std::string_view firstName) {
        const std::hash<std::string_view> hash;
        return hash(name) * 31 + hash(firstName);
    }
    bool Same(std::size_t index, const ClassificationPerson& person) const {
        return m_people[index].name == person.name && m_people[index].firstName == person.firstName;
    }

    const std::vector<ClassificationPerson>& m_people;
    std::vector<std::size_t> m_slots;
    std::size_t m_mask = 0;
};

bool NotAfter(int year1, int month1, int year2, int month2) {
    return year1 != year2 ? year1 < year2 : month1 <= month2;
}

// The last category in table order (up to its end) that holds the driver.
int MatchingAge(const std::vector<ClassificationAgeCategory>& ages, int sex, int birthYear,
                int birthMonth) {
    int match = kAllCategories;
    for (std::size_t a = 0; a < ages.size() && !ages[a].code.empty(); ++a) {
        const ClassificationAgeCategory& age = ages[a];
        if (age.sex == sex && NotAfter(age.fromYear, age.fromMonth, birthYear, birthMonth) &&
            NotAfter(birthYear, birthMonth, age.toYear, age.toMonth))
            match = static_cast<int>(a);
    }
    return match;
}

// What the orders compare: missing times rank behind every real one. A
// negative time can only come from a damaged file and counts as missing too.
std::int64_t RankedTotalTime(const ClassificationEntry& entry) {
    return entry.laps == 0 && entry.totalTime <= 0 ? kNoTimeRank : entry.totalTime;
}
std::int64_t RankedBestLap(const ClassificationEntry& entry) {
    return entry.bestLap <= 0 ? kNoTimeRank : entry.bestLap;
}

struct SortKey {
    std::int64_t first = 0;
    std::int64_t second = 0;
    std::int64_t third = 0;
    std::size_t row = 0;
};

SortKey LapsAndTimeKey(const ClassificationEntry& entry) {
    return {-std::int64_t{entry.laps}, RankedTotalTime(entry), RankedBestLap(entry)};
}
SortKey BestLapKey(const ClassificationEntry& entry) {
    return {RankedBestLap(entry), -std::int64_t{entry.laps}, RankedTotalTime(entry)};
}

// The rows of `table` that `take` accepts, in the order of `mode`: small
// keys are sorted, not the rows, whose seven texts would move at each step.
template <typename Take>
std::vector<SortKey> SortedKeys(const ClassificationTable& table, ClassificationMode mode,
                                Take take) {
    std::vector<SortKey> keys;
    keys.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!take(table[i]))
            continue;
        SortKey& key = keys.emplace_back(mode == ClassificationMode::CLASSEMENTMeilleurTour
                                             ? BestLapKey(table[i])
                                             : LapsAndTimeKey(table[i]));
        key.row = i;
    }
    std::stable_sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
        if (a.first != b.first)
            return a.first < b.first;
        if (a.second != b.second)
            return a.second < b.second;
        return a.third < b.third;
    });
    return keys;
}

void SortRows(ClassificationTable& table, ClassificationMode mode) {
    const std::vector<SortKey> keys =
        SortedKeys(table, mode, [](const ClassificationEntry&) { return true; });
    ClassificationTable sorted;
    sorted.reserve(table.size());
    for (const SortKey& key : keys)
        sorted.push_back(std::move(table[key.row]));
    table = std::move(sorted);
}

void AppendDriver(std::string& out, const ClassificationEntry& entry) {
    out += entry.driverName;
    out += ' ';
    out.append(entry.driverFirstName, 0, 5);
    if (entry.driverFirstName.size() > 5)
        out += '.';
}

std::string CsvField(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string quoted = "\"";
    for (const char c : utf8) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace

void ClearClassification(ClassificationTable& table) {
    table.clear();
}

int SexFilterOf(bool men, bool women) {
    if (men && women)
        return kSexFilterBoth;
    if (men)
        return kSexFilterMen;
    return women ? kSexFilterWomen : kSexFilterNone;
}

ClassificationTable BuildFullClassification(const RentalSession& session,
                                            const std::vector<ClassificationPerson>& people,
                                            const std::vector<ClassificationAgeCategory>& ages) {
    const PeopleIndex index(people);
    ClassificationTable table;
    table.reserve(kClassificationCapacity);
    for (int c = 0; c < kCategoryCount; ++c) {
        const SessionCategory& category = session.categories[static_cast<std::size_t>(c)];
        for (const SessionKart& kart : category.karts) {
            if (!IsClassified(kart))
                continue;
            ClassificationEntry& entry = table.emplace_back();
            entry.kartLabel = kart.kartLabel;
            entry.driverName = kart.driverName;
            entry.driverFirstName = kart.driverFirstName;
            entry.kartCategory = category.categoryName;
            entry.categoryIndex = c;
            entry.laps = kart.lapCount;
            entry.totalTime = kart.totalTime;
            entry.bestLap = kart.bestLap;
            const ClassificationPerson* person = index.find(kart.driverName, kart.driverFirstName);
            if (person == nullptr)
                continue;
            entry.team = person->club;
            // Anything but a woman's 0 (a damaged file) is taken as a man, as
            // for a driver who is not a subscriber.
            entry.sex = person->sex == 0 ? 0 : 1;
            if (person->birthYear < 1 || person->birthMonth < 0)
                continue;
            entry.ageIndex = MatchingAge(ages, entry.sex, person->birthYear, person->birthMonth);
            if (entry.ageIndex != kAllCategories) {
                const ClassificationAgeCategory& age =
                    ages[static_cast<std::size_t>(entry.ageIndex)];
                entry.ageCode = age.code;
                entry.ageCategory = age.name;
            }
        }
    }
    return table;
}

void SelectRows(ClassificationTable& full, const ClassificationFilter& filter) {
    for (ClassificationEntry& entry : full) {
        const bool sexMatches = filter.sexFilter == kSexFilterBoth ||
                                (filter.sexFilter == kSexFilterMen && entry.sex == 1) ||
                                (filter.sexFilter == kSexFilterWomen && entry.sex == 0);
        entry.selected =
            sexMatches &&
            (filter.kartCategory == kAllCategories || filter.kartCategory == entry.categoryIndex) &&
            (filter.ageCategory == kAllCategories || filter.ageCategory == entry.ageIndex);
    }
}

void SortByLapsAndTime(ClassificationTable& table) {
    SortRows(table, ClassificationMode::CLASSEMENTToursTemps);
}

void SortByBestLap(ClassificationTable& table) {
    SortRows(table, ClassificationMode::CLASSEMENTMeilleurTour);
}

ClassificationTable ShownClassification(const ClassificationTable& full, ClassificationMode mode) {
    const std::vector<SortKey> keys =
        SortedKeys(full, mode, [](const ClassificationEntry& entry) { return entry.selected; });
    ClassificationTable shown;
    shown.reserve(keys.size());
    for (const SortKey& key : keys)
        shown.push_back(full[key.row]);
    return shown;
}

void RemoveUntickedRows(ClassificationTable& full, const ClassificationTable& shown) {
    for (const ClassificationEntry& unticked : shown) {
        if (unticked.selected)
            continue;
        for (ClassificationEntry& entry : full) {
            if (entry.kartLabel == unticked.kartLabel)
                entry.selected = false;
        }
    }
}

void ApplyLiveKart(RentalSession& own, const SessionKart& kart) {
    // Never-labelled slots all share the empty label: none of them is this kart.
    if (kart.kartLabel.empty())
        return;
    for (SessionCategory& category : own.categories) {
        for (SessionKart& slot : category.karts) {
            if (slot.kartLabel != kart.kartLabel)
                continue;
            slot.driverName = kart.driverName;
            slot.driverFirstName = kart.driverFirstName;
            slot.usage = kart.usage;
            slot.trackState = kart.trackState;
            slot.lapCount = kart.lapCount;
            slot.totalTime = kart.totalTime;
            slot.bestLap = kart.bestLap;
        }
    }
}

std::string ClassificationTitle(const ClassificationFilter& applied, bool printed) {
    if (!printed && applied.sexFilter == kSexFilterNone)
        return kNoSexSelectedText;
    std::string title = printed ? "Classement de la S\xE9"
                                  "ance"
                                : "Classement de la s\xE9"
                                  "ance";
    // A filter counts as set only with its item's text: "Toutes" names no
    // category, whatever the caller wrote in the text.
    const bool kartSet =
        applied.kartCategory != kAllCategories && !applied.kartCategoryText.empty();
    const bool ageSet = applied.ageCategory != kAllCategories && !applied.ageCategoryText.empty();
    if (kartSet && ageSet)
        title += " : " + applied.kartCategoryText + " / " + applied.ageCategoryText;
    else if (kartSet)
        title += " : " + applied.kartCategoryText;
    else if (ageSet)
        title += " : " + applied.ageCategoryText;
    if (applied.sexFilter == kSexFilterMen)
        title += " / Hommes";
    else if (applied.sexFilter == kSexFilterWomen)
        title += " / Femmes";
    return title;
}

std::vector<ClassificationChoice>
KartCategoryChoices(const std::array<std::string, kRentalCategoryCount>& databaseNames) {
    std::vector<ClassificationChoice> choices{{kAllText, kAllCategories}};
    for (int c = 0; c < kRentalCategoryCount; ++c) {
        const std::string& name = databaseNames[static_cast<std::size_t>(c)];
        if (!name.empty())
            choices.push_back({name, c});
    }
    choices.push_back({kPrivateKartsText, kPrivateCategoryIndex});
    return choices;
}

std::vector<ClassificationChoice>
AgeCategoryChoices(const std::vector<ClassificationAgeCategory>& ages) {
    std::vector<ClassificationChoice> choices{{kAllText, kAllCategories}};
    for (std::size_t a = 0; a < ages.size() && !ages[a].code.empty(); ++a)
        choices.push_back({ages[a].code + " (" + ages[a].name + ")", static_cast<int>(a)});
    return choices;
}

ClassificationRowTexts ClassificationRow(const ClassificationEntry& entry, int rank) {
    ClassificationRowTexts texts;
    texts[0] = std::to_string(rank);
    texts[1] = entry.kartLabel;
    AppendDriver(texts[2], entry);
    texts[3] = entry.ageCode;
    texts[4] = entry.sex == 0 ? "F" : "M";
    texts[5] = entry.team;
    texts[6] = entry.kartCategory;
    if (entry.laps > 0 || entry.totalTime > 0 || entry.bestLap > 0) {
        texts[7] = std::to_string(entry.laps);
        texts[8] = common::FormatClockTime(entry.totalTime);
        texts[9] = common::FormatLapTime(entry.bestLap);
    }
    return texts;
}

std::vector<ClassificationPrintedPage> ClassificationPages(const ClassificationTable& shown) {
    const int rows = static_cast<int>(shown.size());
    const int count = (rows + kClassificationRowsPerPage - 1) / kClassificationRowsPerPage;
    std::vector<ClassificationPrintedPage> pages(static_cast<std::size_t>(count));
    for (int r = 0; r < rows; ++r) {
        ClassificationPrintedPage& page =
            pages[static_cast<std::size_t>(r / kClassificationRowsPerPage)];
        page.number = r / kClassificationRowsPerPage + 1;
        page.count = count;
        const ClassificationRowTexts texts =
            ClassificationRow(shown[static_cast<std::size_t>(r)], r + 1);
        ClassificationPrintedRow& printed = page.rows.emplace_back();
        for (std::size_t column = 0; column < kPrintedColumns.size(); ++column)
            printed[column] = texts[static_cast<std::size_t>(kPrintedColumns[column])];
    }
    return pages;
}

std::string PageNumberText(int number, int count) {
    return "Page " + std::to_string(number) + " /" + std::to_string(count);
}

int ClassificationScrollRange(int rows) {
    return rows > kClassificationRowsOnScreen ? rows - kClassificationRowsOnScreen : 0;
}

std::string ClassificationCsv(const ClassificationTable& shown) {
    // The byte order mark tells spreadsheets the text is UTF-8; without it
    // some take it for the system's code page and garble the accents.
    std::string csv = "\xEF\xBB\xBF";
    const auto appendLine = [&csv](const auto& cp1252Fields) {
        bool first = true;
        for (const auto& field : cp1252Fields) {
            if (!first)
                csv += ',';
            first = false;
            csv += CsvField(common::Cp1252ToUtf8(field));
        }
        csv += "\r\n";
    };
    appendLine(kClassificationHeadings);
    for (std::size_t r = 0; r < shown.size(); ++r)
        appendLine(ClassificationRow(shown[r], static_cast<int>(r) + 1));
    return csv;
}

} // namespace tallimo::session
