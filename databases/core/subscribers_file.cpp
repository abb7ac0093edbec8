#include "databases/core/subscribers_file.h"

#include "common/core/data_file.h"
#include "common/core/name_rules.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace tallimo::databases {
namespace {

// Only ASCII letters are folded for the order, as the other lists do.
std::string LowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    }
    return lowered;
}

bool LessAsBytes(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

// As `atoi`: optional blanks and sign, then the leading digits; anything
// else gives 0. Bounded, since a damaged file may hold long digit runs.
std::int32_t TextToIndex(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 1000000)
        value = value * 10 + (text[i++] - '0');
    return static_cast<std::int32_t>(negative ? -value : value);
}

} // namespace

SubscriberTable MakeSubscriberTable() {
    return SubscriberTable(kMaxSubscribers);
}

void ClearSubscribers(SubscriberTable& table) {
    table.assign(kMaxSubscribers, Subscriber{});
}

int CountSubscribers(const SubscriberTable& table) {
    const int size = std::min(static_cast<int>(table.size()), kMaxSubscribers);
    int count = 0;
    while (count < size && !table[count].name.empty())
        ++count;
    return count;
}

std::string SubscriberListText(const Subscriber& subscriber) {
    return subscriber.name + " " + subscriber.firstName;
}

int FindSubscriberByListText(const SubscriberTable& table, std::string_view text) {
    const int count = CountSubscribers(table);
    for (int i = 0; i < count; ++i) {
        if (SubscriberListText(table[i]) == text)
            return i;
    }
    return -1;
}

void SetBirthDate(Subscriber& subscriber, const common::DateIndex& date) {
    subscriber.birthDay = date.day;
    subscriber.birthMonth = date.month;
    subscriber.birthYear = date.year;
    subscriber.birthDayText = std::to_string(date.day);
    subscriber.birthMonthText = std::to_string(date.month);
    subscriber.birthYearText = std::to_string(date.year);
}

void DeriveBirthDate(Subscriber& subscriber) {
    subscriber.birthDay = TextToIndex(subscriber.birthDayText);
    subscriber.birthMonth = TextToIndex(subscriber.birthMonthText);
    subscriber.birthYear = TextToIndex(subscriber.birthYearText);
}

std::string FormatSubscribersFile(const SubscriberTable& table, int count) {
    count = std::clamp(count, 0, std::min(static_cast<int>(table.size()), kMaxSubscribers));
    common::TabFieldWriter out;
    for (int i = 0; i < count; ++i) {
        const Subscriber& s = table[i];
        out.number(s.sex);
        out.number(s.extra1);
        out.number(s.extra2);
        out.text(s.name, kSubscriberNameChars);
        out.text(s.firstName, kSubscriberFirstNameChars);
        out.text(s.address1, kSubscriberAddressChars);
        out.text(s.address2, kSubscriberAddressChars);
        out.text(s.postalCode, kSubscriberPostalCodeChars);
        out.text(s.town, kSubscriberTownChars);
        out.text(s.country, kSubscriberCountryChars);
        out.text(s.phone, kSubscriberPhoneChars);
        out.text(s.email, kSubscriberEmailChars);
        out.text(s.birthDayText, kBirthDayTextChars);
        out.text(s.birthMonthText, kBirthMonthTextChars);
        out.text(s.birthYearText, kBirthYearTextChars);
        out.text(s.spare, kSubscriberSpareChars);
        out.text(s.club, kSubscriberClubChars);
        out.text(s.transponder, kSubscriberTransponderChars);
        out.text(s.photoPath, kSubscriberPhotoChars);
        out.endRecord();
    }
    return out.bytes();
}

void ParseSubscribersFile(std::string_view bytes, SubscriberTable& table) {
    ClearSubscribers(table);
    common::TabFieldReader in(bytes);
    int count = 0;
    while (count < kMaxSubscribers && !in.atEnd()) {
        Subscriber s;
        in.readInt(s.sex);
        in.readInt(s.extra1);
        in.readInt(s.extra2);
        s.name = in.readText(kSubscriberNameChars);
        s.firstName = in.readText(kSubscriberFirstNameChars);
        s.address1 = in.readText(kSubscriberAddressChars);
        s.address2 = in.readText(kSubscriberAddressChars);
        s.postalCode = in.readText(kSubscriberPostalCodeChars);
        s.town = in.readText(kSubscriberTownChars);
        s.country = in.readText(kSubscriberCountryChars);
        s.phone = in.readText(kSubscriberPhoneChars);
        s.email = in.readText(kSubscriberEmailChars);
        s.birthDayText = in.readText(kBirthDayTextChars);
        s.birthMonthText = in.readText(kBirthMonthTextChars);
        s.birthYearText = in.readText(kBirthYearTextChars);
        s.spare = in.readText(kSubscriberSpareChars);
        s.club = in.readText(kSubscriberClubChars);
        s.transponder = in.readText(kSubscriberTransponderChars);
        s.photoPath = in.readText(kSubscriberPhotoChars);
        in.skipLine();
        if (s.name.empty())
            continue;
        DeriveBirthDate(s);
        table[count++] = std::move(s);
    }
}

bool LoadSubscribers(SubscriberTable& table, const std::filesystem::path& path) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParseSubscribersFile(bytes, table);
    return true;
}

bool SaveSubscribers(const SubscriberTable& table, int count, const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatSubscribersFile(table, count));
}

void SortSubscribers(SubscriberTable& table) {
    table.resize(kMaxSubscribers);
    std::vector<std::string> keys(table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        keys[i] = LowerAscii(SubscriberListText(table[i]));

    // An order of indexes, so that every record comes out exactly once.
    std::vector<int> order(table.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const bool freeA = table[a].name.empty();
        const bool freeB = table[b].name.empty();
        if (freeA != freeB)
            return freeB;
        if (!freeA) {
            if (LessAsBytes(keys[a], keys[b]))
                return true;
            if (LessAsBytes(keys[b], keys[a]))
                return false;
        }
        return a > b; // equal keys: the later record first
    });

    SubscriberTable sorted;
    sorted.reserve(table.size());
    for (int index : order)
        sorted.push_back(std::move(table[index]));
    table = std::move(sorted);
}

int AddSubscriber(SubscriberTable& table, std::string_view typedName,
                  std::string_view typedFirstName) {
    table.resize(kMaxSubscribers);
    const std::string name = common::ReplaceDashes(typedName.substr(0, kSubscriberNameChars));
    const std::string firstName =
        common::ReplaceDashes(typedFirstName.substr(0, kSubscriberFirstNameChars));
    if (common::IsRefusedName(name) || common::IsRefusedName(firstName))
        return -1;
    const int count = CountSubscribers(table);
    for (int i = 0; i < count; ++i) {
        if (common::EqualsIgnoringCase(table[i].name, name) &&
            common::EqualsIgnoringCase(table[i].firstName, firstName))
            return -1;
    }
    if (count >= kMaxSubscribers)
        return -1;
    table[count] = Subscriber{};
    table[count].name = name;
    table[count].firstName = firstName;
    SortSubscribers(table);
    return FindSubscriberByListText(table, name + " " + firstName);
}

bool RemoveSubscriber(SubscriberTable& table, int index) {
    if (index < 0 || index >= CountSubscribers(table))
        return false;
    table[index] = Subscriber{};
    SortSubscribers(table);
    return true;
}

int TodayDayNumber(const common::LocalDateTime& now) {
    return common::DayNumber({now.day - 1, now.month - 1, now.year - 1900});
}

bool ValidateBirthDate(Subscriber& subscriber, int todayDayNumber) {
    DeriveBirthDate(subscriber);
    const common::DateIndex date = subscriber.birthDate();
    if (date.day >= 0 && date.month >= 0 && date.year >= 0 &&
        common::DayNumber(date) <= todayDayNumber)
        return false;
    SetBirthDate(subscriber, {});
    return true;
}

bool ValidateClub(Subscriber& subscriber, const std::vector<std::string>& clubItems) {
    const auto end =
        clubItems.begin() + std::min<std::ptrdiff_t>(clubItems.size(), kAcceptedClubItems);
    if (std::find(clubItems.begin(), end, subscriber.club) != end)
        return false;
    subscriber.club.clear();
    return true;
}

void ValidateSubscribers(SubscriberTable& table, int todayDayNumber,
                         const std::vector<std::string>& clubItems) {
    for (Subscriber& subscriber : table) {
        ValidateBirthDate(subscriber, todayDayNumber);
        ValidateClub(subscriber, clubItems);
    }
}

bool IsStorableTransponder(std::string_view text) {
    if (text.empty())
        return true;
    return text.size() == kSubscriberTransponderChars &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool LoadSubscribersDatabase(const common::WorkingFolder& folder, SubscriberTable& table,
                             common::MessageSink& messages) {
    ClearSubscribers(table);
    if (LoadSubscribers(table, folder.path(kSubscribersFileName)))
        return true;
    messages.show(kSubscribersErrorCaption, kSubscribersFileErrorText);
    return false;
}

bool SaveSubscribersDatabase(const common::WorkingFolder& folder, const SubscriberTable& table,
                             common::MessageSink& messages) {
    if (SaveSubscribers(table, CountSubscribers(table), folder.path(kSubscribersFileName)))
        return true;
    messages.show(kSubscribersErrorCaption, kSubscribersFileErrorText);
    return false;
}

} // namespace tallimo::databases
