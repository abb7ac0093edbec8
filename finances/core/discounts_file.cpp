#include "finances/core/discounts_file.h"

#include "common/core/data_file.h"
#include "common/core/tab_field_reader.h"
#include "common/core/tab_field_writer.h"

#include <algorithm>

namespace tallimo::finances {

std::int32_t DiscountOf(const DiscountEvent& event, int category, int session) {
    if (session < 0 || session >= kSessionsPerRow)
        return 0;
    if (category >= 0 && category < kPriceRows)
        return event.rentalDiscounts[category][session];
    if (category == kPriceRows)
        return event.privateDiscounts[session];
    return 0;
}

int DatedEventEnd(const DiscountTable& table) {
    return DatedEventEnd(table.events);
}

int DatedEventEnd(const std::array<DiscountEvent, kMaxDiscountEvents>& events) {
    int end = kFirstDatedEvent;
    while (end < kMaxDiscountEvents && !events[end].eventName.empty())
        ++end;
    return end;
}

int ListedEventCount(const DiscountTable& table) {
    return DatedEventEnd(table);
}

void ClearDiscounts(DiscountTable& table) {
    table = DiscountTable{};
}

void ZeroUnnamedCategoryDiscounts(DiscountTable& table,
                                  const std::array<std::string, kPriceRows>& categoryNames) {
    for (DiscountEvent& event : table.events) {
        for (int c = 0; c < kPriceRows; ++c) {
            if (categoryNames[c].empty())
                event.rentalDiscounts[c].fill(0);
        }
    }
}

std::string FormatDiscountsFile(const DiscountTable& table, int count) {
    count = std::clamp(count, 0, kMaxDiscountEvents);
    common::TabFieldWriter out;
    out.number(table.discountMode);
    out.endRecord();
    for (int i = 0; i < count; ++i) {
        const DiscountEvent& e = table.events[i];
        out.text(e.eventName, kEventNameChars);
        for (const std::int32_t n : {e.eventDay, e.eventMonth, e.discountActive, e.mailActive,
                                     e.daysBefore, e.daysAfter, e.mailDaysBefore, e.spareInt})
            out.number(n);
        for (const std::int32_t n : e.privateDiscounts)
            out.number(n);
        for (const auto& row : e.rentalDiscounts) {
            for (const std::int32_t n : row)
                out.number(n);
        }
        out.endRecord();
    }
    return out.bytes();
}

void ParseDiscountsFile(std::string_view bytes, DiscountTable& table) {
    ClearDiscounts(table);
    common::TabFieldReader in(bytes);
    if (in.atEnd())
        return;
    in.readInt(table.discountMode);
    in.skipLine();
    in.skipEmptyLines();
    for (int i = 0; i < kMaxDiscountEvents && !in.atEnd(); ++i) {
        DiscountEvent& e = table.events[i];
        e.eventName = in.readText(kEventNameChars);
        for (std::int32_t* n : {&e.eventDay, &e.eventMonth, &e.discountActive, &e.mailActive,
                                &e.daysBefore, &e.daysAfter, &e.mailDaysBefore, &e.spareInt})
            in.readInt(*n);
        for (std::int32_t& n : e.privateDiscounts)
            in.readInt(n);
        for (auto& row : e.rentalDiscounts) {
            for (std::int32_t& n : row)
                in.readInt(n);
        }
        in.skipLine();
        in.skipEmptyLines();
    }
}

bool LoadDiscounts(DiscountTable& table, const std::filesystem::path& path) {
    std::string bytes;
    if (!common::ReadWholeFile(path, bytes))
        return false;
    ParseDiscountsFile(bytes, table);
    return true;
}

bool SaveDiscounts(const DiscountTable& table, int count, const std::filesystem::path& path) {
    return common::WriteFileAtomically(path, FormatDiscountsFile(table, count));
}

bool LoadDiscountsDatabase(const common::WorkingFolder& folder, DiscountTable& table,
                           common::MessageSink& messages) {
    ClearDiscounts(table);
    if (LoadDiscounts(table, folder.path(kDiscountsFileName)))
        return true;
    messages.show(kFinancesErrorCaption, kDiscountsFileErrorText);
    return false;
}

bool SaveDiscountsDatabase(const common::WorkingFolder& folder, const DiscountTable& table,
                           common::MessageSink& messages) {
    if (SaveDiscounts(table, ListedEventCount(table), folder.path(kDiscountsFileName)))
        return true;
    messages.show(kFinancesErrorCaption, kDiscountsFileErrorText);
    return false;
}

} // namespace tallimo::finances
