#include "finances/core/discount_events.h"

#include "common/core/date_index.h"
#include "common/core/name_rules.h"
#include "i18n/core/discount_window_texts.h"

#include <algorithm>
#include <vector>

namespace tallimo::finances {
namespace {

// A year index with a 29 February in the files' calendar.
constexpr int kLongYearIndex = 0;

// The reader takes this byte where a record begins for the end of the file.
constexpr unsigned char kEndOfFileByte = 0xFF;

std::size_t Slot(int index) {
    return static_cast<std::size_t>(index);
}

} // namespace

int AddDiscountEvent(DiscountEvents& events, std::string_view typed) {
    const std::string name = common::ReplaceDashes(typed.substr(0, kEventNameChars));
    if (!name.empty() && static_cast<unsigned char>(name.front()) == kEndOfFileByte)
        return -1;
    const int end = DatedEventEnd(events);
    std::vector<std::string> listed;
    for (int i = 0; i < end; ++i)
        listed.push_back(events[Slot(i)].eventName);
    // The limit counts the slots, so a full table refuses whatever is typed.
    if (!common::CanAddName(name, listed, kMaxDiscountEvents))
        return -1;
    events[Slot(end)] = DiscountEvent{};
    events[Slot(end)].eventName = name;
    return end;
}

bool RemoveDiscountEvent(DiscountEvents& events, int index) {
    if (index < kFirstDatedEvent || index >= DatedEventEnd(events))
        return false;
    std::move(events.begin() + index + 1, events.end(), events.begin() + index);
    events.back() = DiscountEvent{};
    return true;
}

int EventMonthDays(int month) {
    return common::DaysInMonth(month, kLongYearIndex);
}

void SetEventMonth(DiscountEvent& event, int month) {
    event.eventMonth = month;
    const int days = EventMonthDays(month);
    if (days > 0 && event.eventDay >= days)
        event.eventDay = days - 1;
}

void NameFixedEvents(DiscountTable& table, i18n::LanguageCode language) {
    table.events[kBirthdayEvent].eventName =
        i18n::FixedEventName(i18n::FixedDiscountEvent::SubscribersBirthday, language);
    table.events[kNamedayEvent].eventName =
        i18n::FixedEventName(i18n::FixedDiscountEvent::SubscribersNameday, language);
}

std::int32_t* DiscountSlot(DiscountEvent& event, int category, int session) {
    if (session < 0 || session >= kSessionsPerRow)
        return nullptr;
    if (category >= 0 && category < kPriceRows)
        return &event.rentalDiscounts[Slot(category)][Slot(session)];
    if (category == kPriceRows)
        return &event.privateDiscounts[Slot(session)];
    return nullptr;
}

bool ImportDiscounts(DiscountTable& table, const std::filesystem::path& path,
                     const std::array<std::string, kPriceRows>& categoryNames,
                     i18n::LanguageCode language) {
    DiscountTable imported;
    if (!LoadDiscounts(imported, path))
        return false;
    ZeroUnnamedCategoryDiscounts(imported, categoryNames);
    NameFixedEvents(imported, language);
    table = std::move(imported);
    return true;
}

databases::RecordRules<DiscountEvents> DiscountEventRules() {
    return {
        .listed =
            [](const DiscountEvents& events) {
                return databases::FirstIndices(DatedEventEnd(events));
            },
        .add = AddDiscountEvent,
        .remove = RemoveDiscountEvent,
        .load = nullptr,
        .clear = nullptr,
        // The next event moves up into the row, and stays in view.
        .keepRowAfterRemove = true,
    };
}

} // namespace tallimo::finances
